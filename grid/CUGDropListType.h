#pragma once
// A cell with a button at its right edge that opens a list of choices under the cell. The
// choices are the cell's label, one per line: every piece that a line feed ends is an item.

#include <memory>

#include <afxwin.h>

#include "grid/CUGCellType.h"

class CUGLstBox;

// Style bit: the button shows only on the current cell.
constexpr int UGCT_DROPLISTHIDEBUTTON = 0x200;

class CUGDropListType : public CUGCellType {
public:
    CUGDropListType();
    ~CUGDropListType() override;

    LPCTSTR GetName() override;
    const GUID* GetTypeGuid() override;
    int AdjustEditRect(RECT* rect) override;
    int HandleLeftButton(int col, long row, int updn, RECT* rect, POINT* point) override;
    int HandleDoubleClick(int col, long row, RECT* rect, POINT* point) override;
    int HandleKeyDown(int col, long row, UINT* key) override;
    int HandleChar(int col, long row, UINT* ch) override;
    int HandleMouseMove(int col, long row, POINT* point, UINT flags) override;
    void DrawCell(CDC* dc, RECT* rect, int col, long row, CUGCell* cell, int selectMark,
                  int current) override;
    void HandleCellLeave(int col, long row, CUGCell* cell) override;

    // Opens the list under the current cell (nothing when it is open already).
    int ShowDropList();
    CUGLstBox* GetListBox() const { return list_.get(); }
    int GetListCol() const { return listCol_; }
    long GetListRow() const { return listRow_; }
    int GetButtonWidth() const { return buttonWidth_; }

private:
    bool OnButton(const RECT* rect, const POINT* point) const;
    void CloseList();

    int buttonWidth_;
    int buttonPressed_ = 0;
    CRect buttonRect_;
    int listCol_ = -1; // -2: the list just closed without a choice
    long listRow_ = -1;
    CPen facePen_;
    CBrush faceBrush_;
    std::unique_ptr<CUGLstBox> list_;
};
