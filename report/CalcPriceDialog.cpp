#include "report/CalcPriceDialog.h"

#include "host/HostModule.h"
#include "pricelist/SettingsFiles.h"
#include "report/ReportState.h"
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
    return TRUE;
}

void CalcPriceDialog::CloseReport() {
    CString widthsFile, nameFile;
    GetSettingsPaths(ModulePath(), SettingsCopy::Report, widthsFile, nameFile);
    WriteColumnWidths(widthsFile, grid.widths, kReportColumnCount);
    WriteLastPriceFile(nameFile, reportPriceFile);
    EndDialog(IDCANCEL);
}

BOOL CalcPriceDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDC_REPORT_CLOSE) {
        CloseReport();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CalcPriceDialog::OnClose() {
    CloseReport();
}
