#include "grid/CUGSideHdg.h"

#include <cstdlib>

#include "grid/CUGCtrl.h"
#include "grid/CUGGridInfo.h"

void CUGSideHdg::RefreshAfterMove() {
    const CUGGridInfo& gi = *gridInfo_;
    if (!m_hWnd || (gi.topRow == paintedTopRow_ && gi.currentRow == paintedCurRow_))
        return;
    if (GetUpdateRect(nullptr) || paintedTopRow_ < 0) {
        Invalidate(FALSE);
        UpdateWindow();
        return;
    }
    CRect client;
    GetClientRect(&client);
    CDC* dc = GetDC();
    if (gi.topRow != paintedTopRow_) {
        long long dy = 0;
        if (gi.uniformRowHeight) {
            dy = static_cast<long long>(gi.topRow - paintedTopRow_) * gi.defRowHeight;
        } else {
            long step = gi.topRow > paintedTopRow_ ? 1 : -1;
            for (long r = paintedTopRow_; r != gi.topRow && std::llabs(dy) <= gi.gridHeight;
                 r += step)
                dy += step * frame_->GetRowHeight(step > 0 ? r : r - 1);
        }
        if (std::llabs(dy) > gi.gridHeight) {
            redrawList_.AddRange(-gi.numberSideHdgCols, 0, -1, gi.numberRows);
        } else {
            CRect area = client;
            area.top += gi.lockedRowsHeight;
            dc->ScrollDC(0, static_cast<int>(-dy), &area, &area, nullptr, nullptr);
            if (dy > 0)
                redrawList_.AddRange(-gi.numberSideHdgCols, paintedBottomRow_, -1, gi.numberRows);
            else
                redrawList_.AddRange(-gi.numberSideHdgCols, 0, -1, paintedTopRow_);
        }
    }
    redrawList_.AddRange(-gi.numberSideHdgCols, paintedCurRow_, -1, paintedCurRow_);
    redrawList_.AddRange(-gi.numberSideHdgCols, gi.currentRow, -1, gi.currentRow);
    DrawHeading(dc);
    redrawList_.Clear();
    ReleaseDC(dc);
}

void CUGSideHdg::DrawHeading(CDC* dc) {
    const CUGGridInfo& gi = *gridInfo_;
    CFont* oldFont = BeginDrawing(dc);
    int y = 0;
    long bottomRow = gi.numberRows;
    for (long row = gi.NextShownRow(-1); row < gi.numberRows; row = gi.NextShownRow(row)) {
        int height = frame_->GetRowHeight(row);
        if (height <= 0)
            continue;
        int x = 0;
        for (int col = -gi.numberSideHdgCols; col <= -1; ++col) {
            int width = gi.GetSideHdgColWidth(col);
            int left = x;
            x += width;
            if (width <= 0 || !redrawList_.Contains(col, row))
                continue;
            CRect rect(left, y, left + width, y + height);
            int cellCol = col;
            long cellRow = row;
            if (LoadTitle(&cellCol, &cellRow, &rect))
                DrawTitle(dc, rect, cellCol, cellRow, 0);
        }
        y += height;
        if (y > gi.gridHeight) {
            bottomRow = row;
            break;
        }
    }
    if (y < gi.gridHeight)
        FillBlank(dc, CRect(0, y, gi.sideHdgWidth, gi.gridHeight));
    EndDrawing(dc, oldFont);
    paintedTopRow_ = gi.topRow;
    paintedCurRow_ = gi.currentRow;
    paintedBottomRow_ = bottomRow;
}
