#pragma once
// The drop-down list of a drop-list cell: a list box over the cell area holding the mouse
// while it is open. A release on an item or Enter chooses it (the cell's text becomes the
// item's after the frame's OnCellTypeEvent allows it); Escape, Enter without a selection or a
// click elsewhere closes it without a choice.

#include <afxwin.h>

class CUGCtrl;

// Events the drop list reports through OnCellTypeEvent: the list is about to show (param:
// the choices, an array of CString that the hook may change) and an item was chosen (param:
// the item's text, a CString).
constexpr long UGCT_DISPLAYLIST = 100;
constexpr long UGCT_LISTSELECTED = 101;

class CUGLstBox : public CListBox {
public:
    CUGLstBox(CUGCtrl* frame, int* listCol, long* listRow, int typeIndex)
        : frame_(frame), listCol_(listCol), listRow_(listRow), typeIndex_(typeIndex) {}

    int IsOpen() const { return isOpen_; }

protected:
    void OnSetFocus(CWnd* oldWnd) override;
    void OnKillFocus(CWnd* newWnd) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    UINT OnGetDlgCode() override;

private:
    void Choose();
    void Close();
    bool OnItems(CPoint point) const;

    CUGCtrl* frame_;
    int* listCol_;
    long* listRow_;
    int typeIndex_;
    int isOpen_ = 0;
    int choiceMade_ = 0;
};
