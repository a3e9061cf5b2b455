#include "grid/CellRedrawList.h"

#include <algorithm>

void CellRedrawList::Widen(const Range& r) {
    if (ranges_.size() == 1) {
        bounds_ = r;
        return;
    }
    bounds_.startCol = std::min(bounds_.startCol, r.startCol);
    bounds_.endCol = std::max(bounds_.endCol, r.endCol);
    bounds_.startRow = std::min(bounds_.startRow, r.startRow);
    bounds_.endRow = std::max(bounds_.endRow, r.endRow);
}

void CellRedrawList::AddRange(int startCol, long startRow, int endCol, long endRow) {
    ranges_.push_back({startCol, endCol, startRow, endRow});
    Widen(ranges_.back());
}

void CellRedrawList::ExtendFirstRange(int startCol, long startRow, int endCol, long endRow) {
    if (ranges_.empty()) {
        AddRange(startCol, startRow, endCol, endRow);
        return;
    }
    Range& first = ranges_.front();
    first.startCol = std::min(first.startCol, startCol);
    first.endCol = std::max(first.endCol, endCol);
    first.startRow = std::min(first.startRow, startRow);
    first.endRow = std::max(first.endRow, endRow);
    if (ranges_.size() == 1)
        bounds_ = first;
    else
        Widen(first);
}

bool CellRedrawList::Contains(int col, long row) const {
    if (ranges_.empty() || !bounds_.Covers(col, row))
        return false;
    return std::any_of(ranges_.begin(), ranges_.end(),
                       [&](const Range& r) { return r.Covers(col, row); });
}

bool CellRedrawList::WasDrawn(int col, long row) const {
    return std::any_of(drawn_.begin(), drawn_.end(),
                       [&](const Drawn& d) { return d.col == col && d.row == row; });
}

void CellRedrawList::MarkDrawn(int col, long row) {
    drawn_.push_back({col, row});
}

bool CellRedrawList::GetBounds(int* startCol, long* startRow, int* endCol, long* endRow) const {
    Range b = ranges_.empty() ? Range{0, 0, 0, 0} : bounds_;
    if (startCol)
        *startCol = b.startCol;
    if (startRow)
        *startRow = b.startRow;
    if (endCol)
        *endCol = b.endCol;
    if (endRow)
        *endRow = b.endRow;
    return !ranges_.empty();
}

void CellRedrawList::Clear() {
    ranges_.clear();
    drawn_.clear();
}
