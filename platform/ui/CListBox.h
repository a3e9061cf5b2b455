#pragma once
// The list box: a column of text items with one selected item, keyboard and mouse
// selection, type-ahead by first letter and, with WS_VSCROLL, a vertical scroll bar of its
// own (a child CScrollBar at the right edge, shown while the items overflow). The item
// height is the height of the list's font. With LBS_NOTIFY the parent hears LBN_SELCHANGE
// and LBN_DBLCLK.

#include <memory>
#include <vector>

#include "platform/ui/CScrollBar.h"

class CListBox : public CWnd {
public:
    CListBox();
    ~CListBox() override;

    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int AddString(LPCTSTR text);
    int InsertString(int index, LPCTSTR text);
    int DeleteString(UINT index);
    void ResetContent();
    int GetCount() const { return static_cast<int>(items_.size()); }
    int GetText(int index, CString& text) const;
    int GetTextLen(int index) const;
    int GetCurSel() const { return selected_; }
    int SetCurSel(int index);
    int FindString(int startAfter, LPCTSTR prefix) const;
    int FindStringExact(int startAfter, LPCTSTR text) const;
    int SelectString(int startAfter, LPCTSTR prefix);
    int GetTopIndex() const { return top_; }
    int SetTopIndex(int index);
    int GetItemHeight(int index = 0) const;
    int SetItemHeight(int index, UINT height);
    int GetItemRect(int index, LPRECT rect) const;
    DWORD_PTR GetItemData(int index) const;
    int SetItemData(int index, DWORD_PTR data);
    // The item at a client point, or LB_ERR outside the items.
    int ItemFromPoint(CPoint point) const;
    CScrollBar* GetVScrollBar() const { return bar_.get(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    int OnCreate(LPCREATESTRUCT cs) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnChar(UINT key, UINT repeat, UINT flags) override;
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar) override;
    void OnSetFocus(CWnd* oldWnd) override;
    void OnKillFocus(CWnd* newWnd) override;
    UINT OnGetDlgCode() override;

private:
    struct Item {
        CString text;
        DWORD_PTR data = 0;
    };
    int VisibleCount() const; // whole items that fit
    int ItemAreaWidth() const;
    void UpdateScrollBar();
    void EnsureVisible(int index);
    void Select(int index, bool notify);
    void Notify(UINT code);
    bool ForwardToBar(UINT message, UINT flags, CPoint point);

    std::vector<Item> items_;
    int selected_ = LB_ERR;
    int top_ = 0;
    int itemHeight_ = 0; // 0: from the font
    bool tracking_ = false;
    bool tookCapture_ = false;
    bool barTracking_ = false;
    std::unique_ptr<CScrollBar> bar_;
};
