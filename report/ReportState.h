#pragma once
// What the report keeps for as long as the module is loaded: the price file it used last
// (also kept in "filename.set") and whether prices are shown; and the report dialog of the
// command that runs now.

#include <afx.h>

class CalcPriceDialog;

extern CString reportPriceFile;
extern int showPrice; // 1 when the module is loaded
extern CalcPriceDialog* currentReportDialog;

constexpr int kReportColumnCount = 5;
// "Block name", "Item Price", "Quantity", "Description", "Total".
extern const wchar_t* const reportColumnTitles[kReportColumnCount];
