// The desktop's message box: a modal dialog with an icon, the text and a row of buttons.

#include <algorithm>
#include <cstdio>

#include <afxwin.h>

#include "WindowSystem.h"

namespace {

constexpr int kIconId = 0x14;
constexpr int kTextId = 0xFFFF;

// The icon of a message box, drawn with shapes in the classic colours.
class MessageIcon : public CWnd {
public:
    explicit MessageIcon(UINT icon) : icon_(icon) {}

protected:
    BOOL OnEraseBkgnd(CDC*) override { return TRUE; }
    LRESULT OnNcHitTest(CPoint) override { return HTTRANSPARENT; }
    void OnPaint() override {
        PAINTSTRUCT ps;
        CDC* dc = BeginPaint(&ps);
        dc->FillSolidRect(0, 0, 32, 32, GetSysColor(COLOR_BTNFACE));
        CFont font;
        font.CreateFont(-22, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, L"Times New Roman");
        CPen outline(PS_SOLID, 1, RGB(0, 0, 0));
        CPen* oldPen = dc->SelectObject(&outline);
        CFont* oldFont = dc->SelectObject(&font);
        dc->SetBkMode(TRANSPARENT);
        CRect box(0, 0, 32, 32);
        if (icon_ == MB_ICONEXCLAMATION) {
            CBrush yellow(RGB(255, 255, 0));
            CBrush* old = dc->SelectObject(&yellow);
            POINT tri[3] = {{16, 1}, {31, 29}, {1, 29}};
            dc->Polygon(tri, 3);
            dc->SelectObject(old);
            dc->SetTextColor(RGB(0, 0, 0));
            CRect t(0, 6, 32, 30);
            dc->DrawText(CString(L"!"), &t, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
        } else if (icon_ == MB_ICONHAND) {
            CBrush red(RGB(255, 0, 0));
            CBrush* old = dc->SelectObject(&red);
            dc->Ellipse(1, 1, 31, 31);
            dc->SelectObject(old);
            CPen white(PS_SOLID, 3, RGB(255, 255, 255));
            dc->SelectObject(&white);
            dc->MoveTo(10, 10);
            dc->LineTo(22, 22);
            dc->MoveTo(22, 10);
            dc->LineTo(10, 22);
        } else {
            CBrush white(RGB(255, 255, 255));
            CBrush* old = dc->SelectObject(&white);
            dc->Ellipse(1, 1, 31, 31);
            dc->SelectObject(old);
            dc->SetTextColor(RGB(0, 0, 255));
            CRect t = box;
            dc->DrawText(CString(icon_ == MB_ICONQUESTION ? L"?" : L"i"), &t,
                         DT_CENTER | DT_SINGLELINE | DT_VCENTER);
        }
        dc->SelectObject(oldFont);
        dc->SelectObject(oldPen);
        EndPaint(&ps);
    }

private:
    UINT icon_;
};

class MessageBoxDialog : public CDialog {
public:
    MessageBoxDialog(CWnd* owner, const CString& text, const CString& caption, UINT type)
        : CDialog(0, owner), type_(type) {
        struct ButtonSpec {
            int id;
            const wchar_t* text;
        };
        std::vector<ButtonSpec> buttons;
        switch (type & MB_TYPEMASK) {
        case MB_OKCANCEL:
            buttons = {{IDOK, L"OK"}, {IDCANCEL, L"Cancel"}};
            break;
        case MB_ABORTRETRYIGNORE:
            buttons = {{IDABORT, L"&Abort"}, {IDRETRY, L"&Retry"}, {IDIGNORE, L"&Ignore"}};
            break;
        case MB_YESNOCANCEL:
            buttons = {{IDYES, L"&Yes"}, {IDNO, L"&No"}, {IDCANCEL, L"Cancel"}};
            break;
        case MB_YESNO:
            buttons = {{IDYES, L"&Yes"}, {IDNO, L"&No"}};
            break;
        case MB_RETRYCANCEL:
            buttons = {{IDRETRY, L"&Retry"}, {IDCANCEL, L"Cancel"}};
            break;
        default:
            buttons = {{IDOK, L"OK"}};
            break;
        }
        for (const ButtonSpec& b : buttons)
            ids_.push_back(b.id);
        icon_ = type & MB_ICONMASK;

        CFont font;
        font.CreateFont(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, L"MS Shell Dlg");
        CDC measure;
        measure.CreateCompatibleDC(nullptr);
        measure.SelectObject(&font);
        CRect textRect(0, 0, 420, 0);
        measure.DrawText(text, &textRect, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        int iconSpace = icon_ ? 32 + 12 : 0;
        int textLeft = 12 + iconSpace;
        int contentHeight = std::max(textRect.Height(), icon_ ? 32 : 0);
        int textTop = 12 + (contentHeight - textRect.Height()) / 2;
        int buttonsWidth =
            static_cast<int>(buttons.size()) * 75 + (static_cast<int>(buttons.size()) - 1) * 6;
        int width = std::max(textLeft + textRect.Width() + 12, buttonsWidth + 24);
        int buttonTop = 12 + contentHeight + 14;
        int height = buttonTop + 23 + 11;

        ui::DialogTemplate t{0,
                             caption.GetString(),
                             0,
                             0,
                             width,
                             height,
                             WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
                             L"MS Shell Dlg",
                             8,
                             {},
                             true};
        t.items.push_back(ui::DialogItem{kTextId, L"STATIC", text.GetString(), textLeft, textTop,
                                         textRect.Width() + 2, textRect.Height(),
                                         WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0});
        UINT def = (type & MB_DEFMASK) >> 8;
        if (def >= buttons.size())
            def = 0;
        int x = (width - buttonsWidth) / 2;
        for (std::size_t i = 0; i < buttons.size(); ++i, x += 81)
            t.items.push_back(ui::DialogItem{
                buttons[i].id, L"BUTTON", buttons[i].text, x, buttonTop, 75, 23,
                WS_CHILD | WS_VISIBLE | WS_TABSTOP | (i == def ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
                0});
        defaultId_ = buttons[def].id;
        SetTemplate(t);
    }

    BOOL OnInitDialog() override {
        if (icon_) {
            auto icon = std::make_unique<MessageIcon>(icon_);
            CRect r(12, 12, 44, 44);
            if (icon->CreateEx(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, r, this, kIconId))
                AdoptChild(this, std::move(icon));
        }
        SetDefID(static_cast<UINT>(defaultId_));
        if (CWnd* def = GetDlgItem(defaultId_))
            def->SetFocus();
        MessageBeep(icon_);
        return FALSE;
    }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM) override {
        int id = LOWORD(wParam);
        if (HIWORD(wParam) != BN_CLICKED)
            return FALSE;
        bool known = std::find(ids_.begin(), ids_.end(), id) != ids_.end();
        // Esc and the close box answer Cancel, or OK in a box that has only OK.
        if (id == IDCANCEL && !known) {
            if ((type_ & MB_TYPEMASK) == MB_OK)
                id = IDOK;
            else
                return TRUE;
        }
        if (known || id == IDOK)
            EndDialog(id);
        return TRUE;
    }

private:
    UINT type_;
    UINT icon_ = 0;
    int defaultId_ = IDOK;
    std::vector<int> ids_;
};

} // namespace

int MessageBox(HWND owner, LPCTSTR text, LPCTSTR caption, UINT type) {
    MessageBoxDialog box(owner, text ? text : L"", caption ? caption : L"Error", type);
    INT_PTR r = box.DoModal();
    return r < 0 ? 0 : static_cast<int>(r);
}

int AfxMessageBox(LPCTSTR text, UINT type, UINT) {
    return MessageBox(GetActiveWindow(), text, L"Kestrel", type);
}
