#include "grid/CUGMem.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "grid/CUGCell.h"
#include "grid/CUGGridInfo.h"
#include "grid/UGSortCompare.h"

CUGMem::~CUGMem() {
    Empty();
}

// ---- positioning ----

void CUGMem::ResetColCache() {
    currentCol_ = currentRow_ ? currentRow_->firstCol : nullptr;
    currentColIndex_ = currentRow_ ? currentRow_->firstColIndex : 0;
}

namespace {
// Rows closer than this to the cached one are walked to; farther ones are looked up.
constexpr long kLongestWalk = 64;
} // namespace

void CUGMem::InvalidateRowIndex() {
    rowIndexValid_ = false;
    rowIndex_.clear();
}

void CUGMem::BuildRowIndex() {
    rowIndex_.clear();
    RowNode* first = currentRow_;
    long firstIndex = currentRowIndex_;
    while (first && first->prev) {
        first = first->prev;
        --firstIndex;
    }
    for (RowNode* node = first; node; node = node->next)
        rowIndex_.push_back(node);
    rowIndexFirst_ = firstIndex;
    rowIndexValid_ = true;
}

int CUGMem::SeekRow(long row) {
    if (!currentRow_)
        return 1;
    if (row == currentRowIndex_) {
        // Staying on the row keeps the column cache, so a walk along the row stays cheap.
        if (!currentCol_)
            ResetColCache();
        return 0;
    }
    if (row > currentRowIndex_ + kLongestWalk || row < currentRowIndex_ - kLongestWalk) {
        if (!rowIndexValid_)
            BuildRowIndex();
        const long last = rowIndexFirst_ + static_cast<long>(rowIndex_.size()) - 1;
        const long nearest = std::clamp(row, rowIndexFirst_, last);
        currentRow_ = rowIndex_[static_cast<std::size_t>(nearest - rowIndexFirst_)];
        currentRowIndex_ = nearest;
    }
    while (row > currentRowIndex_ && currentRow_->next) {
        currentRow_ = currentRow_->next;
        ++currentRowIndex_;
    }
    while (row < currentRowIndex_ && currentRow_->prev) {
        currentRow_ = currentRow_->prev;
        --currentRowIndex_;
    }
    ResetColCache();
    return row == currentRowIndex_ ? 0 : 1;
}

int CUGMem::SeekCol(int col) {
    if (!currentRow_)
        return 1;
    if (!currentCol_)
        ResetColCache();
    if (!currentCol_)
        return 1;
    while (col > currentColIndex_ && currentCol_->next) {
        currentCol_ = currentCol_->next;
        ++currentColIndex_;
    }
    while (col < currentColIndex_ && currentCol_->prev) {
        currentCol_ = currentCol_->prev;
        --currentColIndex_;
    }
    return col == currentColIndex_ ? 0 : 1;
}

void CUGMem::RewindToFirstRow() {
    while (currentRow_ && currentRow_->prev) {
        currentRow_ = currentRow_->prev;
        --currentRowIndex_;
    }
    ResetColCache();
}

CUGMem::ColNode* CUGMem::FindColNode(RowNode* row, int col) {
    int index = row->firstColIndex;
    ColNode* node = row->firstCol;
    while (node && index < col) {
        node = node->next;
        ++index;
    }
    return node && index == col ? node : nullptr;
}

void CUGMem::FreeRow(RowNode* row) {
    ColNode* node = row->firstCol;
    while (node) {
        ColNode* next = node->next;
        colPool_.Delete(node);
        node = next;
    }
    rowPool_.Delete(row);
}

// ---- cells ----

int CUGMem::GetCell(int col, long row, CUGCell* cell) {
    if (!cell || SeekRow(row) != 0 || SeekCol(col) != 0 || !currentCol_->cell())
        return 1;
    cell->MergeFrom(*currentCol_->cell());
    return 0;
}

int CUGMem::SetCell(int col, long row, CUGCell* cell) {
    if (!cell)
        return 1;
    if (!currentRow_) {
        currentRow_ = rowPool_.New();
        currentRowIndex_ = 0;
        InvalidateRowIndex();
        ResetColCache();
    }
    if (row != currentRowIndex_) {
        SeekRow(row); // as near as the stored rows go
        while (row > currentRowIndex_) {
            if (!currentRow_->next) {
                RowNode* added = rowPool_.New();
                added->prev = currentRow_;
                currentRow_->next = added;
                if (rowIndexValid_)
                    rowIndex_.push_back(added);
            }
            currentRow_ = currentRow_->next;
            ++currentRowIndex_;
        }
        while (row < currentRowIndex_) {
            if (!currentRow_->prev) {
                RowNode* added = rowPool_.New();
                added->next = currentRow_;
                currentRow_->prev = added;
                InvalidateRowIndex();
            }
            currentRow_ = currentRow_->prev;
            --currentRowIndex_;
        }
        ResetColCache();
    }
    if (!currentCol_)
        ResetColCache();
    if (!currentCol_) {
        currentCol_ = colPool_.New();
        currentRow_->firstCol = currentCol_;
        currentColIndex_ = currentRow_->firstColIndex;
    }
    while (col > currentColIndex_) {
        if (!currentCol_->next) {
            ColNode* added = colPool_.New();
            added->prev = currentCol_;
            currentCol_->next = added;
        }
        currentCol_ = currentCol_->next;
        ++currentColIndex_;
    }
    while (col < currentColIndex_) {
        if (!currentCol_->prev) {
            ColNode* added = colPool_.New();
            added->next = currentCol_;
            currentCol_->prev = added;
            currentRow_->firstCol = added;
            --currentRow_->firstColIndex;
        }
        currentCol_ = currentCol_->prev;
        --currentColIndex_;
    }
    if (!currentCol_->stored)
        currentCol_->stored.emplace();
    currentCol_->stored->ReplaceFrom(*cell);
    return 0;
}

int CUGMem::DeleteCell(int col, long row) {
    if (SeekRow(row) != 0 || SeekCol(col) != 0)
        return 1;
    currentCol_->stored.reset();
    return 0;
}

int CUGMem::Empty() {
    RewindToFirstRow();
    RowNode* row = currentRow_;
    while (row) {
        RowNode* next = row->next;
        FreeRow(row);
        row = next;
    }
    rowPool_.Release();
    colPool_.Release();
    currentRow_ = nullptr;
    currentRowIndex_ = 0;
    currentCol_ = nullptr;
    currentColIndex_ = 0;
    findCol_ = 0;
    findRow_ = 0;
    InvalidateRowIndex();
    return 0;
}

// ---- rows and columns ----

int CUGMem::InsertRow(long row) {
    if (SeekRow(row) != 0)
        return 0; // rows past the stored ones are empty anyway
    InvalidateRowIndex();
    RowNode* added = rowPool_.New();
    added->next = currentRow_;
    added->prev = currentRow_->prev;
    if (currentRow_->prev)
        currentRow_->prev->next = added;
    currentRow_->prev = added;
    ++currentRowIndex_; // the cached node is now one row further down
    return 0;
}

int CUGMem::DeleteRow(long row) {
    if (SeekRow(row) != 0)
        return 0;
    InvalidateRowIndex();
    RowNode* doomed = currentRow_;
    if (doomed->prev)
        doomed->prev->next = doomed->next;
    if (doomed->next)
        doomed->next->prev = doomed->prev;
    if (doomed->next) {
        currentRow_ = doomed->next; // the following row takes this index
    } else if (doomed->prev) {
        currentRow_ = doomed->prev;
        --currentRowIndex_;
    } else {
        currentRow_ = nullptr;
        currentRowIndex_ = 0;
    }
    FreeRow(doomed);
    ResetColCache();
    return 0;
}

int CUGMem::InsertCol(int col) {
    RewindToFirstRow();
    if (!currentRow_)
        return 1;
    if (gridInfo_) {
        for (int i = 0; i < gridInfo_->numberCols; ++i) {
            if (gridInfo_->colInfo[i].dataColumn == col) {
                col = i;
                break;
            }
        }
    }
    for (RowNode* row = currentRow_; row; row = row->next) {
        ColNode* at = FindColNode(row, col);
        if (!at)
            continue;
        ColNode* added = colPool_.New();
        added->next = at;
        added->prev = at->prev;
        if (at->prev)
            at->prev->next = added;
        else
            row->firstCol = added; // takes the first node's index
        at->prev = added;
    }
    if (gridInfo_) {
        for (int i = 0; i < gridInfo_->numberCols; ++i)
            if (gridInfo_->colInfo[i].dataColumn >= col)
                ++gridInfo_->colInfo[i].dataColumn;
    }
    ResetColCache();
    return 0;
}

int CUGMem::DeleteCol(int col) {
    RewindToFirstRow();
    if (!currentRow_)
        return 1;
    for (RowNode* row = currentRow_; row; row = row->next) {
        ColNode* at = FindColNode(row, col);
        if (!at)
            continue;
        at->stored.reset();
        if (!at->next)
            continue; // the last node of a row stays, empty
        at->next->prev = at->prev;
        if (at->prev)
            at->prev->next = at->next;
        else
            row->firstCol = at->next; // the successor now has this index
        colPool_.Delete(at);
    }
    if (gridInfo_) {
        for (int i = 0; i < gridInfo_->numberCols; ++i)
            if (gridInfo_->colInfo[i].dataColumn >= col)
                --gridInfo_->colInfo[i].dataColumn;
    }
    ResetColCache();
    return 0;
}

// ---- search ----

bool CUGMem::CellMatches(const CUGCell* cell, const CString& wanted, long flags) const {
    LPCTSTR stored = cell->GetText();
    CString text(stored ? stored : L"");
    if (flags & SEARCH_PARTIAL) {
        if (flags & SEARCH_NOCASE)
            text.MakeUpper();
        return text.Find(wanted.GetString()) >= 0;
    }
    if (flags & SEARCH_NOCASE)
        return text.CompareNoCase(wanted) == 0;
    return text.Compare(wanted) == 0;
}

int CUGMem::SearchFirst(CString* text, int* col, long* row, long flags) {
    if (!col || !row)
        return 1;
    int startCol = (flags & SEARCH_ALLCOLS) ? -1 : *col;
    long startRow = (flags & SEARCH_ALLCOLS) ? 0 : -1;
    if (SearchNext(text, &startCol, &startRow, flags) != 0)
        return 1;
    *col = startCol;
    *row = startRow;
    return 0;
}

int CUGMem::SearchNext(CString* text, int* col, long* row, long flags) {
    if (!text || !col || !row || !gridInfo_)
        return 1;
    const long lastRow = gridInfo_->numberRows - 1;
    const int lastCol = gridInfo_->numberCols - 1;
    const bool allCols = (flags & SEARCH_ALLCOLS) != 0;
    const bool up = (flags & SEARCH_UP) != 0;
    if (lastRow < 0 || (allCols && lastCol < 0))
        return 1;
    CString wanted = *text;
    if (flags & SEARCH_NOCASE)
        wanted.MakeUpper();

    int c = *col;
    long r = *row;
    const int firstColOfRow = up ? lastCol : 0;
    auto stepRow = [&] {
        r += up ? -1 : 1;
        if (r > lastRow)
            r = up ? lastRow : 0;
        else if (r < 0)
            r = lastRow;
    };
    // Steps the column; true when it wrapped, which also steps the row.
    auto stepCol = [&] {
        c += up ? -1 : 1;
        if (c >= 0 && c <= lastCol)
            return false;
        c = firstColOfRow;
        stepRow();
        return true;
    };

    auto matchesAt = [&](int column) {
        return SeekCol(column) == 0 && currentCol_->cell() &&
               CellMatches(currentCol_->cell(), wanted, flags);
    };

    if (allCols)
        stepCol();
    else
        stepRow();

    // At most every row once more than a full round, so a lone match is found again.
    for (long visit = 0; visit < lastRow + 2; ++visit) {
        if (SeekRow(r) == 0) {
            if (allCols) {
                do {
                    if (matchesAt(c)) {
                        findCol_ = *col = c;
                        findRow_ = *row = r;
                        return 0;
                    }
                } while (!stepCol());
                continue; // the wrap stepped the row
            }
            if (matchesAt(c)) {
                findCol_ = *col = c;
                findRow_ = *row = r;
                return 0;
            }
        }
        // A row the store does not hold is one visit; the column stays where it is.
        stepRow();
    }
    return 1;
}

// ---- sort ----

int CUGMem::CompareRows(CUGCell* const* keys1, CUGCell* const* keys2, int numCols, int flags) {
    CUGSortComparer* comparer = GetSortComparer();
    for (int k = 0; k < numCols; ++k) {
        int order = comparer ? comparer->OnSortCompare(keys1[k], keys2[k], flags)
                             : UGDefaultSortCompare(keys1[k], keys2[k], flags);
        if (order != 0)
            return order;
    }
    return 0;
}

// The order is that of repeatedly exchanging adjacent rows whenever the comparison of the
// upper row with the lower one is positive, until a pass exchanges nothing. For a hook that
// orders consistently (transitive, and never positive both ways) that is exactly a stable
// sort in which a row moves below another only when compare(it, other) > 0; a merge sort
// that asks the hook only in that orientation (earlier row first) gives the same order in
// O(n log n) comparisons instead of O(n^2). Only rows 0 and up take part: heading rows
// stored at negative indexes stay where they are.
int CUGMem::SortRowsBy(int* cols, int numCols, int flags) {
    if (SeekRow(0) != 0)
        return 0;
    std::vector<RowNode*> rows;
    for (RowNode* row = currentRow_; row; row = row->next)
        rows.push_back(row);
    const std::size_t n = rows.size();
    if (n < 2 || numCols <= 0 || !cols) {
        ResetColCache();
        return 0;
    }

    // The key cells of every row, looked up once (null where nothing is stored) and copied
    // side by side: the comparisons then read compact memory instead of cells spread over
    // the whole store, which is most of the sort's time on large grids.
    const std::size_t keys = static_cast<std::size_t>(numCols);
    std::vector<CUGCell> keyCopies(n * keys);
    std::vector<CUGCell*> keyCells(n * keys, nullptr);
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t k = 0; k < keys; ++k) {
            ColNode* node = FindColNode(rows[i], cols[k]);
            if (node && node->cell()) {
                keyCopies[i * keys + k].ReplaceFrom(*node->cell());
                keyCells[i * keys + k] = &keyCopies[i * keys + k];
            }
        }
    }
    auto after = [&](std::size_t earlier, std::size_t later) {
        return CompareRows(&keyCells[earlier * keys], &keyCells[later * keys], numCols, flags) > 0;
    };

    // Bottom-up merge sort of row positions; a row of the right run goes first only when the
    // left one belongs after it, which keeps equal rows in their order.
    // The cells of both runs are fetched ahead of their comparisons: on a large grid the
    // sort would otherwise spend most of its time waiting for memory.
    auto warm = [&](std::size_t row, bool text) {
        if (const CUGCell* cell = keyCells[row * keys]) {
            __builtin_prefetch(cell);
            if (LPCTSTR chars = text ? cell->GetText() : nullptr)
                __builtin_prefetch(chars);
        }
    };
    std::vector<std::size_t> order(n), buffer(n);
    for (std::size_t i = 0; i < n; ++i)
        order[i] = i;
    for (std::size_t width = 1; width < n; width *= 2) {
        for (std::size_t lo = 0; lo < n; lo += 2 * width) {
            std::size_t mid = std::min(lo + width, n);
            std::size_t hi = std::min(lo + 2 * width, n);
            std::size_t a = lo, b = mid, out = lo;
            while (a < mid && b < hi) {
                if (a + 2 < mid)
                    warm(order[a + 2], false);
                if (a + 1 < mid)
                    warm(order[a + 1], true);
                if (b + 2 < hi)
                    warm(order[b + 2], false);
                if (b + 1 < hi)
                    warm(order[b + 1], true);
                buffer[out++] = after(order[a], order[b]) ? order[b++] : order[a++];
            }
            while (a < mid)
                buffer[out++] = order[a++];
            while (b < hi)
                buffer[out++] = order[b++];
        }
        order.swap(buffer);
    }

    // The row nodes keep their places; their contents move.
    std::vector<std::pair<ColNode*, int>> contents(n);
    for (std::size_t i = 0; i < n; ++i)
        contents[i] = {rows[order[i]]->firstCol, rows[order[i]]->firstColIndex};
    for (std::size_t i = 0; i < n; ++i) {
        rows[i]->firstCol = contents[i].first;
        rows[i]->firstColIndex = contents[i].second;
    }
    ResetColCache();
    return 0;
}

// ---- overflow support ----

int CUGMem::FindPrevNonEmptyCol(int* col, long row) {
    if (!col || SeekRow(row) != 0 || !currentRow_->firstCol)
        return 1;
    const int start = *col;
    if (SeekCol(start) != 0) {
        // A row shorter than the column is searched from its last node, if that holds a cell.
        if (currentColIndex_ > start || !currentCol_->cell())
            return 1;
    }
    ColNode* node = currentCol_;
    int index = currentColIndex_;
    for (; node && index >= 0; node = node->prev, --index) {
        if (index != start && node->cell() && node->cell()->GetTextLength() > 0) {
            *col = index;
            return 0;
        }
    }
    return 1;
}
