#pragma once
// What the two headings share. The side heading titles rows and is built of heading columns;
// the top heading titles columns and is built of heading rows. Here the titled rows or
// columns are "lines" and the heading's own columns or rows are "bands" (band -1 next to the
// cells, -count the outermost). Shared: the heading cell under a point and its rectangle,
// sizing a line or a band by dragging its edge (with the XOR line drawn over the cell area),
// painting one title through its cell type, and handing clicks to the cell types, the
// frame's hooks and its popup menu.

#include <vector>

#include <afxwin.h>

#include "grid/CUGCell.h"
#include "grid/CellRedrawList.h"
#include "grid/UGCellButtons.h"

class CUGCtrl;
class CUGGridInfo;

class CUGHeading : public CWnd {
public:
    ~CUGHeading() override;

    void Attach(CUGCtrl* frame, CUGGridInfo* gridInfo) {
        frame_ = frame;
        gridInfo_ = gridInfo;
    }
    // Fits the outermost band to the heading's size, then paints everything.
    void RepaintAll();
    // The heading cell under a point; 1 outside the cells.
    int GetCellFromPoint(int x, int y, int* col, long* row, RECT* rect) const;
    int GetCellRect(int col, long row, RECT* rect) const;

    bool IsSizing() const { return sizingActive_; }
    bool IsSizingArmed() const { return sizingArmed_; }

protected:
    enum class Titles { Rows, Columns };
    explicit CUGHeading(Titles titles) : titlesRows_(titles == Titles::Rows) {}

    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnRButtonDown(UINT flags, CPoint point) override;
    void OnRButtonUp(UINT flags, CPoint point) override;

    // The paint pass over the cells in redrawList_.
    virtual void DrawHeading(CDC* dc) = 0;
    // The left button went down on a title, before its cell type hears of it.
    virtual void OnTitlePressed(int /*col*/, long /*row*/) {}
    // The left button came up, after sizing ended or the click was handed on.
    virtual void OnLeftReleased() {}

    // Arms sizing when the pointer is on a line edge or a band edge.
    void TestSizingEdges(CPoint point);
    // The offset of a band from the heading's outer edge.
    int BandStart(int band) const;

    // A paint pass: the section set up and the grid's font chosen; answers the font to put
    // back with EndDrawing.
    CFont* BeginDrawing(CDC* dc);
    void EndDrawing(CDC* dc, CFont* oldFont);
    // Loads the title at (col, row) into scratchCell_. A joined title becomes its first cell
    // and whole rectangle; false when that joined title was painted already in this pass.
    bool LoadTitle(int* col, long* row, CRect* rect);
    // Paints the loaded title through its cell type; mark is its selection state.
    void DrawTitle(CDC* dc, CRect rect, int col, long row, int mark);
    // Fills heading area no title covers with the heading colour.
    void FillBlank(CDC* dc, CRect strip);

    // The XOR lines drawn over the cell area while sizing or moving a column.
    void DrawTrackingLine(const CRect& line);
    void EraseTrackingLine();

    CUGCtrl* frame_ = nullptr;
    CUGGridInfo* gridInfo_ = nullptr;
    CUGCell scratchCell_;
    CellRedrawList redrawList_;
    bool sizingActive_ = false;
    bool sizingArmed_ = false;
    bool sizingBand_ = false; // a band's edge; else a line's
    int sizingIndex_ = 0;

private:
    struct Hit {
        int col = -1;
        long row = -1;
        CRect rect;
        bool onCell = false;
    };
    Hit HitTest(CPoint point) const;
    // Hands a click to the cell type of the title hit, then to the frame's hook.
    void PassClick(const Hit& hit, UGButton button, int updn, CPoint point);
    void GiveGridFocus();
    int Section() const;

    void FitOutermostBand();
    // Each answers true when the pointer is on one of its edges (sizing armed, or refused by
    // the frame's hook).
    bool ArmLineEdge(int pos);
    bool ArmBandEdge(int pos);
    void Arm(bool band, long index, int startSize, int startPos);
    HCURSOR SizingCursor() const;
    void SizeWhileDragging(CPoint point);
    void EndSizing();

    // The lines: rows for the side heading, columns for the top heading.
    long LineCount() const;
    long NextShownLine(long line) const;
    int LineExtent() const;
    int LineStart(long line) const;
    int LineSize(long line) const;
    void SetLineSize(long line, int size);
    long LineAt(int pos) const; // -1 off the lines
    bool QueryLineResize(long line);
    void LineResizing(long line, int* size);
    void LineResized(long line, int* size);
    // The bands: heading columns for the side heading, heading rows for the top heading.
    int BandCount() const;
    std::vector<int>& BandSizes() const;
    int& BandTotal() const;
    int BandSize(int band) const;
    int BandAt(int pos) const; // 0 off the bands
    bool QueryBandResize();
    void BandResizing(int* total);
    void BandResized(int* total);

    const bool titlesRows_;
    int sizingStartSize_ = 0;
    int sizingStartPos_ = 0;
    int sizingStartTotal_ = 0; // the heading's size when a band's sizing began
    CRect trackingLine_{-1, -1, -1, -1};
};
