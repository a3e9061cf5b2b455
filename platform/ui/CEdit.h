#pragma once
// The edit control: one line, or several with ES_MULTILINE (lines end in "\r\n"; no word
// wrapping). Caret and selection by mouse and keyboard, a text limit, clipboard commands,
// horizontal scrolling (ES_AUTOHSCROLL) and vertical scrolling of long text. Every change
// notifies the parent with EN_UPDATE before it is shown and EN_CHANGE after. A subclass sees
// WM_KEYDOWN and WM_CHAR first through its own OnKeyDown/OnChar and calls these to edit.

#include <vector>

#include "platform/ui/CWnd.h"
#include "platform/ui/WinControls.h"

class CEdit : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    void SetSel(int start, int end, BOOL noScroll = FALSE);
    void SetSel(DWORD selection, BOOL noScroll = FALSE) {
        SetSel(LOWORD(selection), HIWORD(selection), noScroll);
    }
    void GetSel(int& start, int& end) const;
    DWORD GetSel() const;
    void ReplaceSel(LPCTSTR text, BOOL canUndo = FALSE);
    void Clear() { SendMessage(WM_CLEAR); }
    void Copy() { SendMessage(WM_COPY); }
    void Cut() { SendMessage(WM_CUT); }
    void Paste() { SendMessage(WM_PASTE); }
    void LimitText(int chars = 0) { SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(chars)); }
    void SetLimitText(UINT chars) { LimitText(static_cast<int>(chars)); }
    UINT GetLimitText() const { return limit_; }
    int GetLineCount() const;
    int LineIndex(int line = -1) const;
    int LineLength(int line = -1) const;
    int LineFromChar(int index = -1) const;
    int GetFirstVisibleLine() const { return firstLine_; }
    BOOL SetReadOnly(BOOL readOnly = TRUE);
    BOOL GetModify() const { return modified_; }
    void SetModify(BOOL modified = TRUE) { modified_ = modified != 0; }
    CPoint PosFromChar(UINT index) const;
    int CharFromPos(CPoint point) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnChar(UINT key, UINT repeat, UINT flags) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnSetFocus(CWnd* oldWnd) override;
    void OnKillFocus(CWnd* newWnd) override;
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;
    UINT OnGetDlgCode() override;
    void OnEnable(BOOL enable) override;
    void OnSize(UINT type, int cx, int cy) override;

private:
    bool Multi() const { return GetStyle() & ES_MULTILINE; }
    std::wstring Text() const;
    // Replaces [start, end) by `insert` (cut to the limit) and notifies; false when refused.
    bool Edit(int start, int end, std::wstring insert, bool userInput);
    void Notify(UINT code);
    void MoveCaret(int to, bool extend);
    int PrevPos(int pos) const;
    int NextPos(int pos) const;
    int LineEnd(int line) const;
    std::vector<int> LineStarts() const;
    int TextWidth(const std::wstring& text) const;
    int LineHeight() const;
    CRect FormatRect() const;
    void ScrollCaretIntoView();

    int anchor_ = 0;
    int caret_ = 0;
    UINT limit_ = 30000;
    int firstLine_ = 0;
    int xOffset_ = 0; // pixels scrolled horizontally
    int desiredX_ = -1;
    bool selecting_ = false;
    bool modified_ = false;
};
