#pragma once
// How a cell looks and how it reacts to the mouse and keyboard. The base is the grid's
// standard type: borders or grid lines, an optional picture, the text with its alignment,
// colours and font, text that runs over into empty cells to its right; it ignores input.
// The painting code and the frame call cell types only through the virtual operations.

#include <afxwin.h>

class CUGCtrl;
class CUGCell;

// Style bits of the standard drawing (the cell's cell-type style).
constexpr int UGCT_NORMALMULTILINE = 2; // word-wrapped text
constexpr int UGCT_NORMALELLIPSIS = 4;  // text cut with "..."
constexpr int UGCT_NORMALLABELTEXT = 8; // the label is drawn instead of the text

class CUGCellType {
public:
    CUGCellType();
    virtual ~CUGCellType();
    CUGCellType(const CUGCellType&) = delete;
    CUGCellType& operator=(const CUGCellType&) = delete;

    virtual LPCTSTR GetName();
    virtual const GUID* GetTypeGuid();
    // Shrinks the in-place editor's rectangle; 0: the editor covers the whole cell.
    virtual int AdjustEditRect(RECT* rect);
    virtual int ReservedQueryA(int col, long row);
    virtual int ReservedQueryB(int param, void* data);
    virtual int HandleSystemColorChange();
    // Input: nonzero answers "handled". updn is 1 for a press and 0 for a release.
    virtual int HandleLeftButton(int col, long row, int updn, RECT* rect, POINT* point);
    virtual int HandleRightButton(int col, long row, int updn, RECT* rect, POINT* point);
    virtual int HandleDoubleClick(int col, long row, RECT* rect, POINT* point);
    virtual int HandleKeyDown(int col, long row, UINT* key);
    virtual int HandleChar(int col, long row, UINT* ch);
    virtual int HandleMouseMove(int col, long row, POINT* point, UINT flags);
    // selectMark: 0 not selected, else the selection block's number plus 1.
    virtual void DrawCell(CDC* dc, RECT* rect, int col, long row, CUGCell* cell, int selectMark,
                          int current);
    virtual void DrawCellScaled(CDC* dc, RECT* rect, int col, long row, CUGCell* cell);
    virtual void HandleCellEnter(int col, long row, CUGCell* cell);
    virtual void HandleCellLeave(int col, long row, CUGCell* cell);
    virtual void GetBestSize(CDC* dc, SIZE* size, CUGCell* cell);

    // Registration with a frame.
    void SetFrame(CUGCtrl* frame, int index) {
        frame_ = frame;
        typeIndex_ = index;
    }
    CUGCtrl* GetFrame() const { return frame_; }
    int GetTypeIndex() const { return typeIndex_; }

    int UsesEditor() const { return usesEditor_; }
    void SetUsesEditor(int on) { usesEditor_ = on ? 1 : 0; }
    void SetDrawLabel(int on) { drawLabel_ = on ? 1 : 0; }
    int CanOverflow() const { return canOverflow_; }

    // Drawing pieces the subclasses build on.
    // Borders (or the grid lines) of `rect`; `inner` receives what is left inside them.
    void DrawBorder(CDC* dc, RECT* rect, RECT* inner, CUGCell* cell);
    // A picture scaled into the left of `rect`; answers the width it took.
    int DrawPicture(CDC* dc, CBitmap* bitmap, RECT* rect, COLORREF backColor);
    void DrawCellText(CDC* dc, RECT* rect, int xOffset, int col, long row, CUGCell* cell,
                      int selectMark, int current);
    // For an empty cell: the column left of it whose text runs into it, the text's x offset
    // (negative) as the answer and the source cell; 0 when no text reaches it.
    int FindOverflowSource(CDC* dc, int col, long row, int* sourceCol, CUGCell* sourceCell);
    int CanOverflowCell(CUGCell* cell);

protected:
    // The text and background colours a cell is drawn in.
    void CellColors(CUGCell* cell, int selectMark, int current, COLORREF* text,
                    COLORREF* back) const;
    int TextMargin() const;

    int usesEditor_ = 1;
    int drawLabel_ = 0;
    int canOverflow_ = 1;
    double drawScale_ = 1.0;
    CUGCtrl* frame_ = nullptr;
    int typeIndex_ = 0;
};
