#include "report/ReportCommand.h"

#include "host/TablePlacement.h"

#include <aced.h>

#include "report/BlockCounting.h"
#include "report/ReportState.h"

void RunReport(CalcPriceDialog& dialog) {
    dialog.ReadSettings();
    dialog.grid.priceFileLoaded = 0;

    resbuf chosen{};
    if (acedGetFileD(L"Open", reportPriceFile, L"prc", kFileDialogExisting, &chosen) == RTNORM) {
        CString path = chosen.resval.rstring;
        acad_free(chosen.resval.rstring);
        if (!ReadReportPriceFile(dialog, path))
            return;
        reportPriceFile = path;
        dialog.grid.priceFileLoaded = 1;
    } else {
        reportPriceFile = L"";
    }

    if (!CountBlockReferences(dialog))
        return;
    // Only "&Insert" ends the report with OK, and only after it built a table.
    if (dialog.DoModal() == IDOK && dialog.tableBlockName[0])
        PlaceTableBlock(dialog.tableBlockName, dialog.grid.tableWidth, dialog.grid.tableHeight);
}
