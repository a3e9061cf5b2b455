// The cell area's input: keys with acceleration, the mouse with the drag-selection loop,
// the wheel, the focus and the cells' tool tips.

#include <algorithm>
#include <cmath>

#include <afxcmn.h>

#include "grid/CUGCtrl.h"
#include "grid/CUGGrid.h"
#include "grid/CUGGridInfo.h"
#include "grid/UGCellButtons.h"
#include "grid/UGDragPump.h"

namespace {
// The cell of the last tool-tip hit test, shared by every grid window.
int hintCol = -1;
long hintRow = -1;
constexpr int kHintTextSize = 80; // the tip's text buffer, terminator included
} // namespace

CUGGrid::Hit CUGGrid::HitTest(CPoint point) {
    Hit hit;
    RECT rect{};
    hit.onCell =
        frame_->GetCellFromPoint(point.x, point.y, &hit.col, &hit.row, &rect) == GRID_SUCCESS;
    if (hit.onCell)
        hit.rect = rect;
    else
        hit.col = -1, hit.row = -1;
    return hit;
}

int CUGGrid::PassButton(Hit& hit, UGButton button, int updn, POINT* point) {
    if (!hit.onCell)
        return 0;
    return UGPassButton(*frame_, scratchCell_, hit.col, hit.row, button, updn, &hit.rect, point);
}

// ---- focus ----

void CUGGrid::OnSetFocus(CWnd* oldWnd) {
    CWnd::OnSetFocus(oldWnd);
    hasFocus_ = 1;
    cellTypeHasMouse_ = 0;
    keyRepeatCount_ = 0;
    frame_->OnSectionSetFocus(UG_GRID);
    frame_->RepaintCell(gridInfo_->currentCol, gridInfo_->currentRow);
}

void CUGGrid::OnKillFocus(CWnd* newWnd) {
    CWnd::OnKillFocus(newWnd);
    hasFocus_ = 0;
    frame_->RepaintCell(gridInfo_->currentCol, gridInfo_->currentRow);
    frame_->OnSectionKillFocus(UG_GRID);
}

int CUGGrid::OnMouseActivate(CWnd* topLevel, UINT hitTest, UINT message) {
    CWnd::OnMouseActivate(topLevel, hitTest, message);
    SetFocus();
    return MA_ACTIVATE;
}

BOOL CUGGrid::OnSetCursor(CWnd*, UINT, UINT) {
    ::SetCursor(gridInfo_->arrowCursor);
    return TRUE;
}

UINT CUGGrid::OnGetDlgCode() {
    return CWnd::OnGetDlgCode() | DLGC_WANTARROWS | DLGC_WANTALLKEYS;
}

// ---- keys ----

int CUGGrid::KeyStep() {
    int mode = gridInfo_->keyAccelMode;
    if (mode < 1)
        return 1;
    ++keyRepeatCount_;
    int q = keyRepeatCount_ / mode;
    if (gridInfo_->keyAccelDelay >= 1 && q == 0 && keyRepeatCount_ > 1)
        Sleep(static_cast<DWORD>(gridInfo_->keyAccelDelay));
    return q * q * q + 1;
}

void CUGGrid::OnKeyDown(UINT key, UINT, UINT) {
    CUGGridInfo& gi = *gridInfo_;
    gi.lastInputKind = UG_INPUT_KEYBOARD;
    int step = KeyStep();
    UINT k = key;
    int processed = 0;
    if (gi.currentCol >= 0 && gi.currentRow >= 0) {
        frame_->GetCell(gi.currentCol, gi.currentRow, &scratchCell_);
        processed =
            frame_->CellTypeOf(scratchCell_)->HandleKeyDown(gi.currentCol, gi.currentRow, &k);
    }
    frame_->OnCellKeyDown(&k, processed);
    bool ctrl = GetKeyState(VK_CONTROL) < 0;
    switch (k) {
    case VK_LEFT:
        frame_->MoveToCol(gi.dragCol - step);
        break;
    case VK_RIGHT:
        frame_->MoveToCol(gi.dragCol + step);
        break;
    case VK_UP:
        frame_->MoveToRow(gi.dragRow - step);
        break;
    case VK_DOWN:
        frame_->MoveToRow(gi.dragRow + step);
        break;
    case VK_PRIOR:
        frame_->MoveCurrentRow(UG_PAGEUP);
        break;
    case VK_NEXT:
        frame_->MoveCurrentRow(UG_PAGEDOWN);
        break;
    case VK_HOME:
        ctrl ? frame_->MoveCurrentRow(UG_TOP) : frame_->MoveCurrentCol(UG_TOP);
        break;
    case VK_END:
        ctrl ? frame_->MoveCurrentRow(UG_BOTTOM) : frame_->MoveCurrentCol(UG_BOTTOM);
        break;
    default:
        break;
    }
}

void CUGGrid::OnKeyUp(UINT, UINT, UINT) {
    keyRepeatCount_ = 0;
}

void CUGGrid::OnChar(UINT key, UINT, UINT) {
    CUGGridInfo& gi = *gridInfo_;
    UINT ch = key;
    int processed = 0;
    if (gi.currentCol >= 0 && gi.currentRow >= 0) {
        frame_->GetCell(gi.currentCol, gi.currentRow, &scratchCell_);
        processed = frame_->CellTypeOf(scratchCell_)->HandleChar(gi.currentCol, gi.currentRow, &ch);
    }
    frame_->OnCellChar(&ch, processed);
}

// ---- mouse ----

void CUGGrid::OnLButtonDown(UINT flags, CPoint point) {
    if (frame_->editing)
        return;
    SetCapture();
    CUGGridInfo& gi = *gridInfo_;
    gi.lastInputKind = UG_INPUT_LBUTTON;
    gi.mouseFlags = flags;
    Hit hit = HitTest(point);
    if (hit.onCell)
        frame_->MoveToCell(hit.col, hit.row);
    int processed = PassButton(hit, UGButton::Left, 1, &point);
    if (processed)
        cellTypeHasMouse_ = 1;
    frame_->OnCellLeftClick(hit.col, hit.row, 1, &hit.rect, &point, processed);
    gi.lastInputKind = UG_INPUT_KEYBOARD;
}

void CUGGrid::OnLButtonUp(UINT, CPoint point) {
    Hit hit = HitTest(point);
    int processed = PassButton(hit, UGButton::Left, 0, &point);
    frame_->OnCellLeftClick(hit.col, hit.row, 0, &hit.rect, &point, processed);
    if (GetCapture() == this)
        ReleaseCapture();
    cellTypeHasMouse_ = 0;
}

void CUGGrid::OnLButtonDblClk(UINT, CPoint point) {
    Hit hit = HitTest(point);
    int processed = PassButton(hit, UGButton::Double, 0, &point);
    frame_->OnCellDoubleClick(hit.col, hit.row, &hit.rect, &point, processed);
}

void CUGGrid::OnRButtonDown(UINT flags, CPoint point) {
    if (frame_->editing)
        return;
    CUGGridInfo& gi = *gridInfo_;
    gi.lastInputKind = UG_INPUT_RBUTTON;
    gi.mouseFlags = flags;
    Hit hit = HitTest(point);
    if (hit.onCell)
        frame_->MoveToCell(hit.col, hit.row);
    int processed = PassButton(hit, UGButton::Right, 1, &point);
    frame_->OnCellRightClick(hit.col, hit.row, 1, &hit.rect, &point, processed);
    gi.lastInputKind = UG_INPUT_KEYBOARD;
    if (gi.popupMenuEnabled) {
        CPoint screen = point;
        ClientToScreen(&screen);
        frame_->StartMenu(hit.col, hit.row, &screen, UG_GRID);
    }
}

void CUGGrid::OnRButtonUp(UINT, CPoint point) {
    Hit hit = HitTest(point);
    int processed = PassButton(hit, UGButton::Right, 0, &point);
    frame_->OnCellRightClick(hit.col, hit.row, 0, &hit.rect, &point, processed);
}

void CUGGrid::OnMouseMove(UINT flags, CPoint point) {
    if (frame_->editing)
        return;
    CUGGridInfo& gi = *gridInfo_;
    if (cellTypeHasMouse_) {
        frame_->GetCell(gi.currentCol, gi.currentRow, &scratchCell_);
        int processed = frame_->CellTypeOf(scratchCell_)
                            ->HandleMouseMove(gi.currentCol, gi.currentRow, &point, flags);
        frame_->OnCellMouseMove(gi.currentCol, gi.currentRow, &point, flags, processed);
        return;
    }
    gi.lastInputKind = UG_INPUT_MOUSEMOVE;
    gi.mouseFlags = flags;
    Hit hit = HitTest(point);
    int processed = 0;
    if (hit.onCell) {
        frame_->GetCell(hit.col, hit.row, &scratchCell_);
        processed =
            frame_->CellTypeOf(scratchCell_)->HandleMouseMove(hit.col, hit.row, &point, flags);
    }
    frame_->OnCellMouseMove(hit.col, hit.row, &point, flags, processed);
    if ((flags & MK_LBUTTON) && GetCapture() == this)
        DragSelect(point);
    gi.lastInputKind = UG_INPUT_KEYBOARD;
}

bool CUGGrid::AutoScrollStep(CPoint point, bool rightEdge, bool bottomEdge) {
    CUGGridInfo& gi = *gridInfo_;
    int accel = gi.mouseAccelMode;
    // The step grows with the distance past the edge, raised to the acceleration mode.
    auto step = [&](int distance, int unit) {
        if (accel < 1)
            return 1;
        int n = static_cast<int>(std::pow(std::max(0, distance) / std::max(1, unit) + 1, accel));
        if (n == 1)
            Sleep(static_cast<DWORD>(gi.mouseAccelDelay));
        return std::max(1, n);
    };
    int oldCol = gi.dragCol;
    long oldRow = gi.dragRow;
    if (point.x < 0)
        frame_->MoveToCol(gi.dragCol - step(-point.x, gi.defColWidth));
    else if (point.x > gi.gridWidth || rightEdge)
        frame_->MoveToCol(gi.dragCol + step(point.x - gi.gridWidth, gi.defColWidth));
    if (point.y < 0)
        frame_->MoveToRow(gi.dragRow - step(-point.y, gi.defRowHeight));
    else if (point.y > gi.gridHeight || bottomEdge)
        frame_->MoveToRow(gi.dragRow + step(point.y - gi.gridHeight, gi.defRowHeight));
    return gi.dragCol != oldCol || gi.dragRow != oldRow;
}

void CUGGrid::DragSelect(CPoint point) {
    CUGGridInfo& gi = *gridInfo_;
    for (;;) {
        int oldCol = gi.dragCol, oldLeft = gi.leftCol;
        long oldRow = gi.dragRow, oldTop = gi.topRow;
        Hit hit = HitTest(point);
        bool rightEdge = false, bottomEdge = false;
        if (hit.onCell) {
            rightEdge = hit.col == gi.rightCol;
            bottomEdge = hit.row == gi.bottomRow;
            if (gi.lockedCols <= 0 && gi.lockedRows <= 0) {
                frame_->MoveToCell(hit.col, hit.row);
            } else {
                // Into the locked area one step at a time, so the view scrolls back first.
                if (gi.dragCol > gi.lockedCols && hit.col < gi.lockedCols)
                    frame_->MoveToCol(gi.dragCol - 1);
                else
                    frame_->MoveToCol(hit.col);
                if (gi.dragRow > gi.lockedRows && hit.row < gi.lockedRows)
                    frame_->MoveToRow(gi.dragRow - 1);
                else
                    frame_->MoveToRow(hit.row);
            }
        }
        AutoScrollStep(point, rightEdge, bottomEdge);
        bool changed = gi.dragCol != oldCol || gi.dragRow != oldRow || gi.leftCol != oldLeft ||
                       gi.topRow != oldTop;
        if (!PumpBetweenDragSteps(this, changed))
            return;
    }
}

BOOL CUGGrid::OnMouseWheel(UINT flags, short delta, CPoint point) {
    frame_->SetTopRow(gridInfo_->topRow - (delta / 120) * 3);
    return CWnd::OnMouseWheel(flags, delta, point);
}

// ---- tool tips ----

INT_PTR CUGGrid::OnToolHitTest(CPoint point, TOOLINFO* ti) const {
    int col;
    long row;
    if (frame_->GetCellFromPoint(point.x, point.y, &col, &row, nullptr) != GRID_SUCCESS)
        return -1;
    if (col != hintCol || row != hintRow) {
        // A new cell: the tip of the old one goes, this one's comes with the next move.
        hintCol = col;
        hintRow = row;
        CancelToolTips();
        return -1;
    }
    if (ti) {
        ti->hwnd = const_cast<CUGGrid*>(this);
        ti->uId = reinterpret_cast<UINT_PTR>(this);
        ti->uFlags = TTF_IDISHWND | TTF_ALWAYSTIP | TTF_NOTBUTTON;
        ti->lpszText = LPSTR_TEXTCALLBACK;
    }
    return 1;
}

BOOL CUGGrid::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (!header || header->code != TTN_NEEDTEXTW)
        return CWnd::OnNotify(wParam, lParam, result);
    auto* info = reinterpret_cast<NMTTDISPINFO*>(lParam);
    CPoint point;
    GetCursorPos(&point);
    ScreenToClient(&point);
    int col;
    long row;
    CString text;
    if (frame_->GetCellFromPoint(point.x, point.y, &col, &row, nullptr) == GRID_SUCCESS)
        frame_->OnCellHintText(col, row, UG_GRID, &text);
    // A longer hint is cut to what the buffer holds.
    int n = std::min(text.GetLength(), kHintTextSize - 1);
    std::copy_n(text.GetString(), n, info->szText);
    info->szText[n] = L'\0';
    info->lpszText = info->szText;
    if (result)
        *result = TRUE;
    return TRUE;
}
