#include "grid/UGSortCompare.h"

#include <cwchar>
#include <utility>

#include "grid/CUGCell.h"

int UGDefaultSortCompare(const CUGCell* cell1, const CUGCell* cell2, int flags) {
    if (flags & UG_SORT_DESCENDING)
        std::swap(cell1, cell2);
    if (!cell1 && !cell2)
        return 0;
    if (!cell1)
        return -1;
    if (!cell2)
        return 1;
    if (!cell1->GetText())
        return cell2->GetText() ? -1 : 0;
    switch (cell1->GetDataType()) {
    case UGCELLDATA_NUMBER:
    case UGCELLDATA_BOOL:
    case UGCELLDATA_CURRENCY: {
        double a = cell1->GetNumber();
        double b = cell2->GetNumber(); // a missing text reads as 0
        return a < b ? -1 : (a > b ? 1 : 0);
    }
    default: {
        const wchar_t* other = cell2->GetText();
        int order = std::wcscmp(cell1->GetText(), other ? other : L"");
        return order < 0 ? -1 : (order > 0 ? 1 : 0);
    }
    }
}
