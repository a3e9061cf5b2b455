#include <cstring>
#include <gtest/gtest.h>

#include <afxcmn.h>

#include "Clock.h"
#include "PopupWindows.h"
#include "SystemServices.h"

#include "tests/ui/ControlHost.h"
#include "tests/ui/ScriptedInput.h"

namespace {

void PutAnsi(const std::string& bytes) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size() + 1);
    char* p = static_cast<char*>(GlobalLock(block));
    std::copy(bytes.begin(), bytes.end(), p);
    GlobalUnlock(block);
    EXPECT_EQ(SetClipboardData(CF_TEXT, block), block);
    CloseClipboard();
}

TEST(Clipboard, AnsiTextRoundTripsEveryCharacterFrom128To255) {
    std::wstring wide;
    for (int c = 128; c < 256; ++c)
        wide.push_back(static_cast<wchar_t>(c));
    wide += L"\t\r\nA";
    // Through the ANSI conversion, as the grid copies.
    int need = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    EXPECT_EQ(need, static_cast<int>(wide.size()) + 1);
    std::string bytes(static_cast<std::size_t>(need), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, bytes.data(), need, nullptr, nullptr);
    bytes.pop_back();
    PutAnsi(bytes);

    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_FALSE(OpenClipboard(nullptr)); // one opener at a time
    HANDLE ansi = GetClipboardData(CF_TEXT);
    ASSERT_NE(ansi, nullptr);
    const char* got = static_cast<const char*>(GlobalLock(ansi));
    std::wstring back(std::strlen(got), L'\0');
    MultiByteToWideChar(CP_ACP, 0, got, static_cast<int>(std::strlen(got)), back.data(),
                        static_cast<int>(back.size()));
    GlobalUnlock(ansi);
    EXPECT_EQ(back, wide);
    HANDLE unicode = GetClipboardData(CF_UNICODETEXT);
    ASSERT_NE(unicode, nullptr);
    EXPECT_EQ(std::wstring(static_cast<const wchar_t*>(GlobalLock(unicode))), wide);
    GlobalUnlock(unicode);
    EXPECT_TRUE(CloseClipboard());

    // A character outside the code page becomes "?" and says so.
    BOOL usedDefault = FALSE;
    char out[4] = {};
    WideCharToMultiByte(CP_ACP, 0, L"\u20ac\u00e9", 2, out, 4, nullptr, &usedDefault);
    EXPECT_EQ(std::string(out, 2), "?\xe9");
    EXPECT_TRUE(usedDefault);
}

TEST(Clipboard, ClosedOrEmptyClipboardsGiveNothing) {
    PutAnsi("x");
    EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr); // not open
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_TRUE(EmptyClipboard());
    EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_EQ(SetClipboardData(CF_TEXT, reinterpret_cast<HANDLE>(0x1234)), nullptr);
    CloseClipboard();
    EXPECT_FALSE(EmptyClipboard());
    EXPECT_FALSE(CloseClipboard());
    HGLOBAL block = GlobalAlloc(GHND, 10);
    EXPECT_EQ(GlobalSize(block), 10u);
    EXPECT_EQ(GlobalFree(block), nullptr);
    EXPECT_EQ(GlobalLock(block), nullptr);
}

// A window whose two halves are two tools with texts given on request.
class TippedWnd : public ControlHost {
public:
    TippedWnd() { EnableToolTips(TRUE); }
    int requests = 0;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* ti) const override {
        if (point.y > 50)
            return -1;
        ti->hwnd = const_cast<TippedWnd*>(this);
        ti->uId = reinterpret_cast<UINT_PTR>(this);
        ti->uFlags = TTF_IDISHWND | TTF_ALWAYSTIP;
        ti->lpszText = LPSTR_TEXTCALLBACK;
        // A second tool on the right half.
        ti->uId += point.x >= 100 ? 1 : 0;
        return 1;
    }

protected:
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* result) override {
        auto* info = reinterpret_cast<NMTTDISPINFO*>(lParam);
        if (info->hdr.code != TTN_NEEDTEXTW)
            return FALSE;
        ++requests;
        std::wstring text =
            info->hdr.idFrom == reinterpret_cast<UINT_PTR>(this) ? L"left half" : L"right half";
        std::copy(text.begin(), text.end(), info->szText);
        *result = TRUE;
        return TRUE;
    }
};

void MoveTo(CWnd* w, CPoint client) {
    w->ClientToScreen(&client);
    ui::PostInput(WM_MOUSEMOVE, 0, client, 0);
    Pump();
}

TEST(ToolTips, ATipShowsAfterTheDelayWithTheTextAskedForAndGoesOnAClick) {
    TippedWnd w;
    MoveTo(&w, CPoint(10, 10));
    EXPECT_EQ(ui::VisibleToolTip(), nullptr);
    ui::AdvanceClock(ui::kToolTipDelay);
    Pump();
    CWnd* tip = ui::VisibleToolTip();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(tip->GetWindowText(), L"left half");
    EXPECT_EQ(tip->GetExStyle() & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST),
              WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    EXPECT_EQ(w.requests, 1);
    CRect r;
    tip->GetWindowRect(&r);
    CPoint screen(10, 10);
    w.ClientToScreen(&screen);
    EXPECT_EQ(r.left, screen.x);
    EXPECT_GT(r.top, screen.y);
    std::wstring shot = (ShotsDir() / "tooltip.png").wstring();
    EXPECT_TRUE(ui::ShotOf(tip, shot));
    // Moving within the tool keeps it; another tool starts over; off every tool hides it.
    MoveTo(&w, CPoint(20, 12));
    EXPECT_NE(ui::VisibleToolTip(), nullptr);
    MoveTo(&w, CPoint(150, 12));
    EXPECT_EQ(ui::VisibleToolTip(), nullptr);
    ui::AdvanceClock(ui::kToolTipDelay);
    Pump();
    ASSERT_NE(ui::VisibleToolTip(), nullptr);
    EXPECT_EQ(ui::VisibleToolTip()->GetWindowText(), L"right half");
    CPoint press(150, 12);
    w.ClientToScreen(&press);
    ui::PostInput(WM_LBUTTONDOWN, MK_LBUTTON, press, 0);
    ui::PostInput(WM_LBUTTONUP, 0, press, 0);
    Pump();
    EXPECT_EQ(ui::VisibleToolTip(), nullptr);
    MoveTo(&w, CPoint(150, 80));
    ui::AdvanceClock(ui::kToolTipDelay);
    Pump();
    EXPECT_EQ(ui::VisibleToolTip(), nullptr);
    // Switched off, the window gets no tips at all.
    w.EnableToolTips(FALSE);
    MoveTo(&w, CPoint(10, 10));
    ui::AdvanceClock(ui::kToolTipDelay);
    Pump();
    EXPECT_EQ(ui::VisibleToolTip(), nullptr);
}

// Every control of this library in one dialog, for people to look at.
TEST(ControlShots, ADialogWithEveryControl) {
    constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
    ui::DialogTemplate t{
        0,
        L"Controls",
        0,
        0,
        240,
        150,
        DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU,
        L"MS Sans Serif",
        8,
        {
            {-1, L"STATIC", L"&Name:", 7, 9, 30, 8, kChild},
            {10, L"EDIT", L"", 40, 7, 110, 12, kChild | WS_TABSTOP | ES_AUTOHSCROLL,
             WS_EX_CLIENTEDGE},
            {11, L"EDIT", L"", 40, 24, 110, 36, kChild | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL,
             WS_EX_CLIENTEDGE},
            {12, L"LISTBOX", L"", 7, 66, 80, 50, kChild | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY,
             WS_EX_CLIENTEDGE},
            {13, L"SCROLLBAR", L"", 95, 66, 10, 50, kChild | SBS_VERT},
            {14, L"SCROLLBAR", L"", 110, 104, 70, 10, kChild | SBS_HORZ},
            {15, L"BUTTON", L"&Up", 110, 66, 40, 10,
             kChild | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON},
            {16, L"BUTTON", L"&Down", 110, 80, 40, 10, kChild | BS_AUTORADIOBUTTON},
            {17, L"BUTTON", L"&Check", 160, 66, 50, 10,
             kChild | WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX},
            {18, L"EDIT", L"read only", 160, 82, 70, 12, kChild | ES_READONLY | ES_AUTOHSCROLL,
             WS_EX_CLIENTEDGE},
            {IDOK, L"BUTTON", L"OK", 183, 7, 50, 14, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON},
            {IDCANCEL, L"BUTTON", L"Cancel", 183, 24, 50, 14, kChild | WS_TABSTOP | BS_PUSHBUTTON},
        }};
    class Shown : public CDialog {
    public:
        BOOL OnInitDialog() override {
            CDialog::OnInitDialog();
            SetDlgItemText(11, L"First line\r\nSecond line\r\nThird");
            auto* list = static_cast<CListBox*>(GetDlgItem(12));
            for (const wchar_t* s :
                 {L"bolt", L"nut", L"washer", L"screw", L"rivet", L"pin", L"spring", L"clip"})
                list->AddString(s);
            list->SetCurSel(1);
            SCROLLINFO si{sizeof(SCROLLINFO), SIF_ALL, 0, 99, 20, 30, 0};
            static_cast<CScrollBar*>(GetDlgItem(13))->SetScrollInfo(&si);
            static_cast<CScrollBar*>(GetDlgItem(14))->SetScrollInfo(&si);
            CheckDlgButton(16, BST_CHECKED);
            CheckDlgButton(17, BST_CHECKED);
            CWnd* name = GetDlgItem(10);
            name->SetWindowText(L"Hex bolt M8");
            name->SetFocus();
            name->SendMessage(EM_SETSEL, 4, 8);
            return FALSE;
        }
    };
    Shown dialog;
    dialog.SetTemplate(t);
    ScriptedInput script;
    std::wstring shot = (ShotsDir() / "controls.png").wstring();
    std::wstring listShot = (ShotsDir() / "controls-list-focus.png").wstring();
    script.Verb([&] { return ui::Shot(shot); })
        .Verb([] { return ui::Key(L"TAB"); })
        .Verb([] { return ui::Key(L"TAB"); })
        .Verb([] { return ui::Key(L"DOWN"); })
        .Verb([&] { return ui::Shot(listShot); })
        .Verb([] { return ui::Click(L"OK"); });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(script.failures.empty());
}

} // namespace

namespace {

// The grid's hint window: a topmost tool window stays above windows made after it.
class Counting : public CWnd {
public:
    int moves = 0;
    Counting(DWORD exStyle, CRect r) {
        CreateEx(exStyle, L"Counting", L"", WS_POPUP | WS_BORDER, r, nullptr, 0);
    }
    ~Counting() override {
        if (m_hWnd)
            DestroyWindow();
    }

protected:
    void OnMouseMove(UINT, CPoint) override { ++moves; }
};

TEST(TopMost, TopmostPopupsTakeTheMouseAboveLaterWindowsUnlessTransparent) {
    Counting hint(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, CRect(120, 120, 180, 140));
    hint.ShowWindow(SW_SHOWNA);
    Counting later(0, CRect(100, 100, 300, 300));
    later.ShowWindow(SW_SHOW);
    EXPECT_EQ(GetActiveWindow(), &later);
    ui::PostInput(WM_MOUSEMOVE, 0, POINT{130, 130}, 0);
    Pump();
    EXPECT_EQ(hint.moves, 1);
    EXPECT_EQ(later.moves, 0);
    // A window made topmost afterwards by SetWindowPos goes above it.
    later.SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_TRUE(later.GetExStyle() & WS_EX_TOPMOST);
    ui::PostInput(WM_MOUSEMOVE, 0, POINT{130, 130}, 0);
    Pump();
    EXPECT_EQ(hint.moves, 1);
    EXPECT_EQ(later.moves, 1);
    // The tool-tip window lets the mouse through to the window below it.
    CToolTipCtrl tip;
    tip.Create(nullptr);
    tip.ShowTip(L"tip", CPoint(200, 200));
    ASSERT_TRUE(tip.IsWindowVisible());
    ui::PostInput(WM_MOUSEMOVE, 0, POINT{203, 203}, 0);
    Pump();
    EXPECT_EQ(later.moves, 2);
}

} // namespace

namespace {

TEST(WindowClass, ARegisteredClassGivesItsBackgroundAndCursor) {
    WNDCLASS cls{};
    cls.style = CS_SAVEBITS | CS_DBLCLKS;
    cls.hCursor = LoadCursor(nullptr, IDC_SIZEWE);
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_INFOBK + 1);
    cls.lpszClassName = L"TestHintWnd";
    EXPECT_TRUE(AfxRegisterClass(&cls));
    EXPECT_TRUE(AfxRegisterClass(&cls)); // again: still registered
    EXPECT_EQ(RegisterClass(&cls), 0);
    WNDCLASS got{};
    ASSERT_TRUE(GetClassInfo(nullptr, L"TestHintWnd", &got));
    EXPECT_EQ(got.style, static_cast<UINT>(CS_SAVEBITS | CS_DBLCLKS));

    CWnd w;
    w.CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, L"TestHintWnd", L"", WS_POPUP | WS_VISIBLE,
               CRect(10, 10, 50, 30), nullptr, 0);
    w.UpdateWindow();
    CClientDC dc(&w);
    EXPECT_EQ(dc.GetPixel(5, 5), GetSysColor(COLOR_INFOBK));
    w.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(&w), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(ui::CurrentCursorId(), 32644);
    LPCTSTR generated =
        AfxRegisterWndClass(CS_DBLCLKS, nullptr, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    EXPECT_EQ(generated,
              AfxRegisterWndClass(CS_DBLCLKS, nullptr, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)));
    EXPECT_TRUE(GetClassInfo(nullptr, generated, &got));
}

} // namespace
