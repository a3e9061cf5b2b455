#include "report/CalcPriceDialog.h"

#include <tchar.h>

#include <aced.h>

#include "host/HostModule.h"
#include "pricelist/SettingsFiles.h"
#include "report/ReportState.h"
#include "report/ReportText.h"
#include "report/TableBuilder.h"
#include "resources/ResourceIds.h"

CalcPriceDialog::CalcPriceDialog(CWnd* parent) : CDialog(IDD_BOM_REPORT, parent) {
    currentReportDialog = this;
}

CalcPriceDialog::~CalcPriceDialog() {
    if (currentReportDialog == this)
        currentReportDialog = nullptr;
}

void CalcPriceDialog::ReadSettings() {
    CString widthsFile, nameFile;
    GetSettingsPaths(ModulePath(), SettingsCopy::Report, widthsFile, nameFile);
    ReadColumnWidths(widthsFile, grid.widths, kReportColumnCount);
    ReadLastPriceFile(nameFile, reportPriceFile);
}

void CalcPriceDialog::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_REPORT_FILE_NAME, fileLabel);
    DDX_Check(dx, IDC_REPORT_SHOW_PRICE, showPriceCheck);
}

BOOL CalcPriceDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    grid.AttachGrid(this, IDC_REPORT_GRID);
    grid.FillReportGrid(results);
    fileLabel.SetWindowText(reportPriceFile);
    showPriceCheck = showPrice;
    UpdateData(FALSE);
    if (CWnd* attachNew = GetDlgItem(IDC_REPORT_ATTACH_NEW))
        attachNew->EnableWindow(FALSE);
    return TRUE;
}

void CalcPriceDialog::CloseReport() {
    CString widthsFile, nameFile;
    GetSettingsPaths(ModulePath(), SettingsCopy::Report, widthsFile, nameFile);
    grid.StoreColumnWidths();
    WriteColumnWidths(widthsFile, grid.widths, kReportColumnCount);
    WriteLastPriceFile(nameFile, reportPriceFile);
    EndDialog(IDCANCEL);
}

void CalcPriceDialog::ToggleShowPrice() {
    UpdateData(TRUE);
    showPrice = showPriceCheck;
    grid.ApplyShowPrice();
}

void CalcPriceDialog::SaveReportToFile() {
    resbuf drawing{};
    acedGetVar(L"DWGNAME", &drawing);
    const wchar_t* drawingName = drawing.restype == RTSTR ? drawing.resval.rstring : L"";
    CString proposed = ProposedReportName(drawingName, reportPriceFile);
    resbuf chosen{};
    if (acedGetFileD(L"Save as", proposed, L"txt", kFileDialogNewFile, &chosen) != RTERROR) {
        WriteReportText(grid, chosen.resval.rstring, L"w");
        acad_free(chosen.resval.rstring);
    }
    if (drawing.restype == RTSTR)
        acad_free(drawing.resval.rstring);
}

void CalcPriceDialog::InsertTable() {
    CloseReport(); // the settings are kept whatever the build does; its result decides the end
    EnsureTableTextStyle();
    const int number = NextTableNumber();
    if (number > kLargestTableNumber) {
        acedAlert(L"Too large number for name of table price");
        EndDialog(IDCANCEL);
        return;
    }
    swprintf(tableBlockName, L"QVN%04i", number);
    const bool built = BuildTableBlock(grid, tableBlockName, L"QVNTABLE", kTableTextHeight) == 1;
    if (!built)
        tableBlockName[0] = L'\0'; // nothing for the command to place
    EndDialog(built ? IDOK : IDCANCEL);
}

BOOL CalcPriceDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) != BN_CLICKED)
        return CDialog::OnCommand(wParam, lParam);
    switch (LOWORD(wParam)) {
    case IDC_REPORT_CLOSE:
        CloseReport();
        return TRUE;
    case IDC_REPORT_INSERT:
        InsertTable();
        return TRUE;
    case IDC_REPORT_SAVE_TO_FILE:
        SaveReportToFile();
        return TRUE;
    case IDC_REPORT_SHOW_PRICE:
        ToggleShowPrice();
        return TRUE;
    case IDC_REPORT_ATTACH_NEW:
        return TRUE; // not offered
    default:
        return CDialog::OnCommand(wParam, lParam);
    }
}

void CalcPriceDialog::OnClose() {
    CloseReport();
}

void CalcPriceDialog::OnOK() {
    // Enter outside a button: the report has no default action, and an OK end is the sign
    // of a built table.
}

void CalcPriceDialog::OnCancel() {
    // Esc outside the grid closes the report as it does inside the grid.
    CloseReport();
}

void CalcPriceDialog::OnLButtonDown(UINT flags, CPoint point) {
    SetFocus();
    CDialog::OnLButtonDown(flags, point);
}
