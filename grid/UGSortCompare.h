#pragma once
// The comparison behind the row sort. The grid frame answers it through its OnSortCompare
// hook (a grid subclass decides the order completely); a store without one uses the default
// comparison below.

class CUGCell;

class CUGSortComparer {
public:
    virtual ~CUGSortComparer() = default;
    // Below 0, 0 or above 0 like a comparison function; a positive answer means the row of
    // cell1 belongs after the row of cell2. Either cell may be null (nothing stored).
    virtual int OnSortCompare(CUGCell* cell1, CUGCell* cell2, int flags) = 0;
};

// The grid's default order: with UG_SORT_DESCENDING the cells are swapped first; missing
// cells come first, then cells without text; type-1 texts compare ordinally, numbers,
// booleans and currency by value.
int UGDefaultSortCompare(const CUGCell* cell1, const CUGCell* cell2, int flags);
