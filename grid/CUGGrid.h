#pragma once
// The cell area: paints the visible cells through their cell types, keeps the ranges that
// need painting so that moves repaint only what changed, scrolls its pixels when the view
// moves by less than a screen, and turns keys, mouse, focus and tool-tip requests into calls
// of the cell types and of the frame's hooks. It never owns grid data.

#include <memory>
#include <vector>

#include <afxwin.h>

#include "grid/CUGCell.h"
#include "grid/CellRedrawList.h"
#include "grid/UGCellButtons.h"

class CUGCtrl;
class CUGGridInfo;

class CUGGrid : public CWnd {
public:
    CUGGrid() = default;
    ~CUGGrid() override;

    void Attach(CUGCtrl* frame, CUGGridInfo* gridInfo) {
        frame_ = frame;
        gridInfo_ = gridInfo;
    }

    // Invalidates the whole window and paints it at once.
    void RepaintAll();
    void RepaintCell(int col, long row);
    void RepaintRow(long row);
    void RepaintCol(int col);
    void RepaintRange(int startCol, long startRow, int endCol, long endRow);
    // Paints what the current cell or the view moving needs: the pixels still valid are
    // scrolled, the uncovered band and the old and new current cells painted.
    void RefreshAfterMove();
    // 1 paints through an off-screen bitmap, 0 straight to the window; 1 when the bitmap
    // cannot be made (painting then goes on directly).
    int SetOffscreenPainting(int mode);
    // The paint pass over the redraw list; memoryDc is the buffer's context or null.
    void DrawCells(CDC* screenDc, CDC* memoryDc);
    void ClientToScreenPoint(POINT* point) const { ClientToScreen(point); }

    CellRedrawList redrawList;
    // The painted rectangles of the last paint pass (for tests and the benchmark: what a
    // move costs).
    struct PaintStats {
        int cellsPainted = 0;
        int pixelRowsPainted = 0; // distinct pixel rows that received cell paint
    };
    const PaintStats& LastPaintStats() const { return stats_; }
    int HasFocus() const { return hasFocus_; }

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* ti) const override;
    int OnCreate(LPCREATESTRUCT cs) override;
    void OnDestroy() override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnSetFocus(CWnd* oldWnd) override;
    void OnKillFocus(CWnd* newWnd) override;
    int OnMouseActivate(CWnd* topLevel, UINT hitTest, UINT message) override;
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;
    UINT OnGetDlgCode() override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnKeyUp(UINT key, UINT repeat, UINT flags) override;
    void OnChar(UINT key, UINT repeat, UINT flags) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnRButtonDown(UINT flags, CPoint point) override;
    void OnRButtonUp(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    struct Hit {
        int col = -1;
        long row = -1;
        CRect rect;
        bool onCell = false;
    };
    Hit HitTest(CPoint point);
    // The cell type of the cell hit hears of a button; answers what it processed (0 off the
    // cells).
    int PassButton(Hit& hit, UGButton button, int updn, POINT* point);
    // The loop that follows the pointer while the left button is held: moves the drag cell
    // and scrolls past the edges until the pointer moves again or the button is released.
    void DragSelect(CPoint point);
    // Scrolls past an edge the pointer is beyond (or on the partly shown last column or
    // row); answers whether the drag cell moved.
    bool AutoScrollStep(CPoint point, bool rightEdge, bool bottomEdge);
    // One step of an arrow key: larger while the key is held with acceleration on.
    int KeyStep();
    void PaintCell(CDC* target, int col, long row, const CRect& rect);
    void DrawLockedSeparators(CDC* target, int col, long row, const CRect& rect);
    void FillBlankArea(CDC* target, int blankRight, int blankBottom);
    void CountPaintedRows(const CRect& rect);

    CUGCtrl* frame_ = nullptr;
    CUGGridInfo* gridInfo_ = nullptr;
    std::unique_ptr<CBitmap> bufferBitmap_;
    CRect clientRect_;
    int doubleBufferMode_ = 0;
    CUGCell scratchCell_;
    int keyRepeatCount_ = 0;
    int hasFocus_ = 0;
    int cellTypeHasMouse_ = 0;
    PaintStats stats_;
    std::vector<bool> paintedRows_;
    // The view the pixels on screen show: where the last paint pass found the edges and
    // which cell carried the focus frame.
    int paintedLeftCol_ = 0;
    long paintedTopRow_ = 0;
    int paintedRightCol_ = 0;
    long paintedBottomRow_ = 0;
    int paintedCurCol_ = -1;
    long paintedCurRow_ = -1;
};
