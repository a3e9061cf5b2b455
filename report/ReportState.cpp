#include "report/ReportState.h"

CString reportPriceFile;
int showPrice = 1;
CalcPriceDialog* currentReportDialog = nullptr;

const wchar_t* const reportColumnTitles[kReportColumnCount] = {
    L"Block name", L"Item Price", L"Quantity", L"Description", L"Total"};
