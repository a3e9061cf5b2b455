#include "grid/CUGMultiSelect.h"

#include <algorithm>

#include "grid/CUGGridInfo.h"
#include "grid/CellRedrawList.h"

void CUGMultiSelect::SetMode(int mode) {
    blocks_.clear();
    current_ = -1;
    lastCol_ = -1;
    lastRow_ = -1;
    mode_ = mode;
}

void CUGMultiSelect::Normalise(Block& b) const {
    b.firstRow = std::min(b.anchorRow, b.movingRow);
    b.lastRow = std::max(b.anchorRow, b.movingRow);
    if (mode_ & UG_MULTISELECT_ROW) {
        b.firstCol = 0;
        b.lastCol = gridInfo_->numberCols;
    } else {
        b.firstCol = std::min(b.anchorCol, b.movingCol);
        b.lastCol = std::max(b.anchorCol, b.movingCol);
    }
}

void CUGMultiSelect::QueueBlock(const Block& b, CellRedrawList* repaint) {
    if (repaint)
        repaint->AddRange(b.firstCol, b.firstRow, b.lastCol, b.lastRow);
}

bool CUGMultiSelect::IsRepeat(int col, long row) {
    if (col == lastCol_ && row == lastRow_)
        return true;
    lastCol_ = col;
    lastRow_ = row;
    return false;
}

void CUGMultiSelect::ClearAll(CellRedrawList* repaint) {
    for (const Block& b : blocks_)
        QueueBlock(b, repaint);
    blocks_.clear();
    current_ = -1;
    lastCol_ = -1;
    lastRow_ = -1;
}

void CUGMultiSelect::StartBlock(int col, long row, CellRedrawList* repaint) {
    Block b{col, col, row, row, col, col, row, row};
    Normalise(b);
    blocks_.push_back(b);
    current_ = static_cast<int>(blocks_.size()) - 1;
    QueueBlock(b, repaint);
}

void CUGMultiSelect::ExtendBlock(int col, long row, CellRedrawList* repaint) {
    if (current_ < 0) // stretching from the current cell
        StartBlock(gridInfo_->currentCol, gridInfo_->currentRow, repaint);
    Block& b = blocks_[static_cast<std::size_t>(current_)];
    Block old = b;
    b.movingCol = col;
    b.movingRow = row;
    Normalise(b);
    if (!repaint)
        return;
    // Rows that are in one of the two blocks but not in both, across both blocks' columns,
    // and the same for columns.
    int left = std::min(old.firstCol, b.firstCol), right = std::max(old.lastCol, b.lastCol);
    long top = std::min(old.firstRow, b.firstRow), bottom = std::max(old.lastRow, b.lastRow);
    if (old.firstRow != b.firstRow)
        repaint->AddRange(left, top, right, std::max(old.firstRow, b.firstRow) - 1);
    if (old.lastRow != b.lastRow)
        repaint->AddRange(left, std::min(old.lastRow, b.lastRow) + 1, right, bottom);
    if (old.firstCol != b.firstCol)
        repaint->AddRange(left, top, std::max(old.firstCol, b.firstCol) - 1, bottom);
    if (old.lastCol != b.lastCol)
        repaint->AddRange(std::min(old.lastCol, b.lastCol) + 1, top, right, bottom);
}

void CUGMultiSelect::OnLeftButton(int col, long row, UINT keyFlags, CellRedrawList* repaint) {
    if (!IsOn() || IsRepeat(col, row))
        return;
    if (keyFlags & MK_CONTROL) {
        StartBlock(col, row, repaint);
    } else if (keyFlags & MK_SHIFT) {
        ExtendBlock(col, row, repaint);
    } else {
        ClearAll(repaint);
        lastCol_ = col;
        lastRow_ = row;
        StartBlock(col, row, repaint);
    }
}

void CUGMultiSelect::OnRightButton(int col, long row, CellRedrawList* repaint) {
    if (!IsOn() || IsRepeat(col, row))
        return;
    if (IsSelected(col, row))
        return;
    ClearAll(repaint);
    lastCol_ = col;
    lastRow_ = row;
    StartBlock(col, row, repaint);
}

void CUGMultiSelect::OnKey(int col, long row, bool shift, bool ctrl, CellRedrawList* repaint) {
    if (!IsOn() || IsRepeat(col, row))
        return;
    if (shift) {
        ExtendBlock(col, row, repaint);
        return;
    }
    if (!ctrl) {
        ClearAll(repaint);
        lastCol_ = col;
        lastRow_ = row;
    }
    StartBlock(col, row, repaint);
}

void CUGMultiSelect::OnMouseDrag(int col, long row, CellRedrawList* repaint) {
    if (!IsOn() || IsRepeat(col, row))
        return;
    ExtendBlock(col, row, repaint);
}

int CUGMultiSelect::IsSelected(int col, long row, int* blockIndex) const {
    if (!IsOn())
        return 0;
    for (int i = static_cast<int>(blocks_.size()) - 1; i >= 0; --i) {
        const Block& b = blocks_[static_cast<std::size_t>(i)];
        if (col >= b.firstCol && col <= b.lastCol && row >= b.firstRow && row <= b.lastRow) {
            if (blockIndex)
                *blockIndex = i;
            return b.selected;
        }
    }
    return 0;
}

const CUGMultiSelect::Block* CUGMultiSelect::GetBlock(int index) const {
    if (index < 0 || index >= static_cast<int>(blocks_.size()))
        return nullptr;
    return &blocks_[static_cast<std::size_t>(index)];
}

bool CUGMultiSelect::GetCurrentAnchor(int* col, long* row) const {
    if (current_ < 0)
        return false;
    const Block& b = blocks_[static_cast<std::size_t>(current_)];
    *col = b.anchorCol;
    *row = b.anchorRow;
    return true;
}

int CUGMultiSelect::EnumFirstSelected(int* col, long* row) {
    if (!IsOn() || blocks_.empty()) {
        enumSingle_ = true;
        *col = gridInfo_->currentCol;
        *row = gridInfo_->currentRow;
        return 0;
    }
    enumSingle_ = false;
    int left = gridInfo_->currentCol, right = gridInfo_->currentCol;
    long top = gridInfo_->currentRow, bottom = gridInfo_->currentRow;
    for (const Block& b : blocks_) {
        left = std::min(left, b.firstCol);
        right = std::max(right, std::min(b.lastCol, gridInfo_->numberCols - 1));
        top = std::min(top, b.firstRow);
        bottom = std::max(bottom, b.lastRow);
    }
    enumFirstCol_ = std::max(left, 0);
    enumLastCol_ = right;
    enumLastRow_ = bottom;
    enumCol_ = enumFirstCol_ - 1;
    enumRow_ = std::max(top, 0L);
    return EnumNextSelected(col, row);
}

int CUGMultiSelect::EnumNextSelected(int* col, long* row) {
    if (enumSingle_)
        return 1;
    for (;;) {
        if (++enumCol_ > enumLastCol_) {
            enumCol_ = enumFirstCol_;
            ++enumRow_;
        }
        if (enumRow_ > enumLastRow_)
            return 1;
        if (IsSelected(enumCol_, enumRow_)) {
            *col = enumCol_;
            *row = enumRow_;
            return 0;
        }
    }
}
