#pragma once
// A small borderless pop-up that shows one line of text next to the pointer, kept inside
// its parent's client area; the scroll bars show which row or column the dragged thumb
// points at with it.

#include <afxwin.h>

// How the window is placed against its anchor point (bits): horizontally 1 left edge at x,
// 2 right edge at x, 4 centred on x; vertically 16 bottom edge at y, 32 centred on y, else
// the top edge at y.
constexpr int UG_HINT_LEFT = 1, UG_HINT_RIGHT = 2, UG_HINT_CENTER = 4, UG_HINT_BOTTOM = 16,
              UG_HINT_VCENTER = 32;

class CUGHint : public CWnd {
public:
    CUGHint() = default;
    ~CUGHint() override;

    // background: a system colour index, 0 for the tool-tip background. 1 made, 0 not.
    int Create(CWnd* parent, int background = 0);
    void SetFont(CFont* font);
    void SetTextColor(COLORREF color) { textColor_ = color; }
    void SetBackColor(COLORREF color) { backColor_ = color; }
    void SetAlignment(int alignment) { alignment_ = alignment; }
    void SetReservedAlignment(int alignment) { reservedAlignment_ = alignment; }
    void SetText(LPCTSTR text, int redraw);
    const CString& GetText() const { return text_; }
    // Places the window at (x, y) of the parent's client area, at least `width` wide and
    // wider for a longer text, and shows it without taking the activation.
    void MoveHintWindow(int x, int y, int width);
    void Hide();
    void Show();
    int GetLineHeight() const { return lineHeight_; }

protected:
    void OnPaint() override;

private:
    int TextHeight(const wchar_t* sample);

    CWnd* parent_ = nullptr;
    CString text_;
    COLORREF textColor_ = RGB(0, 0, 0);
    COLORREF backColor_ = 0xE0FFFF; // a pale yellow
    int alignment_ = UG_HINT_LEFT;
    int reservedAlignment_ = UG_HINT_LEFT;
    CFont* font_ = nullptr;
    int lineHeight_ = 0;
};
