#pragma once
// "BOM Report" (template 201): the counted records of one ZRBOMC run. The dialog owns the
// run's working state: the records, the name index used while counting, and the table block
// that "&Insert" builds for the command to place.
//
// It ends with OK only when "&Insert" built a table; "&Close", the title bar, Esc (in the grid
// or elsewhere) and a failed build end it with Cancel, the first three after keeping the
// settings. Enter outside a button does nothing. The hidden "&Attach New" button stays hidden
// and disabled: it would ask for a new selection in the drawing while the report covers it,
// and a failed selection would leave an empty report.

#include <afxtempl.h>

#include <afxwin.h>

#include "report/MyCug2.h"
#include "report/ResultString.h"

// Growth step of `results` once a price file is read, and the bucket and node-pool sizes of
// `nameIndex`.
constexpr INT_PTR kResultsGrowBy = 100;
constexpr UINT kNameIndexBuckets = 500;
constexpr INT_PTR kNameIndexBlockSize = 10;
constexpr int kTableBlockNameSize = 8; // "QVN%04i" and the terminator

class CalcPriceDialog : public CDialog {
public:
    explicit CalcPriceDialog(CWnd* parent = nullptr);
    ~CalcPriceDialog() override;

    BOOL OnInitDialog() override;
    // Keeps the column widths and the price file in the settings files and ends the dialog
    // with Cancel.
    void CloseReport();
    // Reads the report's column widths and `reportPriceFile` from the settings files.
    void ReadSettings();
    // "Show Price": shows or hides the two price columns.
    void ToggleShowPrice();
    // "&Save to file": the report as a fixed-width text file; the dialog stays open.
    void SaveReportToFile();
    // "&Insert": keeps the settings, builds the table block and ends with OK when it was built.
    void InsertTable();

    MyCug2 grid;
    CArray<ResultString, const ResultString&> results;
    CMap<CString, const CString&, int, int> nameIndex{kNameIndexBlockSize};
    wchar_t tableBlockName[kTableBlockNameSize] = L"";

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnClose() override;
    void OnOK() override;
    void OnCancel() override;
    void OnLButtonDown(UINT flags, CPoint point) override;

    CStatic fileLabel;
    int showPriceCheck = 0;
};
