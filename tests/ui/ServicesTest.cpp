#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>

#include <afxwin.h>

#include "Clock.h"
#include "DisplayBackend.h"
#include "MessageQueue.h"
#include "SystemServices.h"
#include "Utf8.h"

#include "tests/ui/ScriptedInput.h"
#include "tests/ui/TestWindows.h"

namespace {

class RecordingBackend : public ui::DisplayBackend {
public:
    int presents = 0;
    std::vector<std::pair<CWnd*, bool>> shown;
    int sounds = 0;
    bool realTime = false;
    void Present(CWnd*) override { ++presents; }
    void WindowShown(CWnd* top, bool isShown) override { shown.push_back({top, isShown}); }
    void Sound(DWORD, DWORD) override { ++sounds; }
    bool RealTime() const override { return realTime; }
};

class SizingWnd : public LoggingWnd {
protected:
    BOOL OnSetCursor(CWnd* wnd, UINT hit, UINT message) override {
        if (hit == HTCLIENT) {
            ::SetCursor(LoadCursor(nullptr, IDC_SIZEWE));
            return TRUE;
        }
        return CWnd::OnSetCursor(wnd, hit, message);
    }
};

} // namespace

TEST(Services, MetricsStockObjectsAndKeyboardState) {
    EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 17);
    EXPECT_EQ(GetSystemMetrics(SM_CYHSCROLL), 17);
    EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), 19);
    EXPECT_EQ(GetStockObject(BLACK_PEN)->GetKind(), CGdiObject::Kind::Pen);
    EXPECT_EQ(GetStockObject(NULL_BRUSH)->GetKind(), CGdiObject::Kind::Brush);
    EXPECT_EQ(GetStockObject(DEFAULT_GUI_FONT)->GetKind(), CGdiObject::Kind::Font);
    EXPECT_EQ(GetStockObject(99), nullptr);
    EXPECT_FALSE(DeleteObject(GetStockObject(BLACK_PEN))); // stock objects stay
    LoggingWnd top;
    ASSERT_TRUE(top.CreateTop(CRect(0, 0, 10, 10)));
    top.SetFocus();
    ui::ResetInput();
    ui::PostInput(WM_KEYDOWN, VK_CONTROL, POINT{0, 0}, 1);
    ui::DrainQueue();
    EXPECT_LT(GetKeyState(VK_CONTROL), 0);
    EXPECT_LT(GetAsyncKeyState(VK_CONTROL), 0);
    ui::PostInput(WM_KEYUP, VK_CONTROL, POINT{0, 0}, 0);
    ui::DrainQueue();
    EXPECT_GE(GetKeyState(VK_CONTROL), 0);
    EXPECT_EQ(GetKeyState(VK_CONTROL) & 1, 1); // toggled once
}

TEST(Services, CursorsAreSetByTheWindowUnderThePointer) {
    LoggingWnd top;
    SizingWnd edge;
    ASSERT_TRUE(top.CreateTop(CRect(0, 0, 100, 100)));
    ASSERT_TRUE(edge.CreateChild(&top, CRect(50, 0, 100, 100), 1));
    ui::PostInput(WM_MOUSEMOVE, 0, CPoint(10, 10), 0);
    ui::DrainQueue();
    EXPECT_EQ(ui::CurrentCursorId(), 32512); // the arrow
    ui::PostInput(WM_MOUSEMOVE, 0, CPoint(60, 10), 0);
    ui::DrainQueue();
    EXPECT_EQ(ui::CurrentCursorId(), 32644); // IDC_SIZEWE
    EXPECT_EQ(LoadCursor(nullptr, IDC_SIZEWE), LoadCursor(nullptr, IDC_SIZEWE));
}

TEST(Services, BackEndSeesPaintsWindowsAndSounds) {
    RecordingBackend backend;
    ui::SetDisplayBackend(&backend);
    {
        LoggingWnd top;
        ASSERT_TRUE(top.CreateTop(CRect(0, 0, 50, 50), WS_POPUP));
        top.ShowWindow(SW_SHOW);
        ui::DrainQueue();
        EXPECT_GE(backend.presents, 1);
        ASSERT_EQ(backend.shown.size(), 1u);
        EXPECT_TRUE(backend.shown[0].second);
        Beep(440, 100);
        MessageBeep(MB_ICONEXCLAMATION);
        EXPECT_EQ(backend.sounds, 2);
        EXPECT_TRUE(ui::IsVirtualClock());
    }
    backend.realTime = true;
    ui::SetDisplayBackend(&backend);
    EXPECT_FALSE(ui::IsVirtualClock());
    ui::SetDisplayBackend(nullptr);
    EXPECT_TRUE(ui::IsVirtualClock());
}

TEST(Services, ScrollingAWindowKeepsPixelsAndAsksForTheRest) {
    class Striped : public LoggingWnd {
    public:
        std::vector<CRect> asked;

    protected:
        void OnPaint() override {
            CPaintDC dc(this);
            asked.push_back(dc.m_ps.rcPaint);
            for (int y = 0; y < 100; ++y)
                dc.FillSolidRect(0, y, 100, 1, RGB(y, 0, 0));
        }
    } top;
    ASSERT_TRUE(top.CreateTop(CRect(0, 0, 100, 100)));
    ui::DrainQueue();
    top.asked.clear();
    top.ScrollWindow(0, -30);
    {
        CClientDC dc(&top);
        EXPECT_EQ(dc.GetPixel(5, 0), RGB(30, 0, 0));
    }
    CRgn pending;
    pending.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(top.GetUpdateRgn(&pending) != NULLREGION, true);
    CRect box;
    pending.GetRgnBox(&box);
    EXPECT_EQ(box, CRect(0, 70, 100, 100));
    ui::DrainQueue();
    ASSERT_EQ(top.asked.size(), 1u);
    EXPECT_EQ(top.asked[0], CRect(0, 70, 100, 100));
}

TEST(Services, ModelessDialogsAndFailedExchange) {
    class Form : public CDialog {
    public:
        int number = 5;
        Form() {
            SetTemplate(
                ui::DialogTemplate{0,
                                   L"Form",
                                   0,
                                   0,
                                   80,
                                   40,
                                   WS_POPUP | WS_CAPTION | WS_VISIBLE,
                                   L"MS Sans Serif",
                                   8,
                                   {{20, L"STATIC", L"", 5, 5, 40, 8, WS_CHILD | WS_VISIBLE}}});
        }

    protected:
        void DoDataExchange(CDataExchange* dx) override { DDX_Text(dx, 20, number); }
    } form;
    ASSERT_TRUE(form.Create(0));
    EXPECT_TRUE(form.IsWindowVisible());
    EXPECT_EQ(form.GetDlgItem(20)->GetWindowText(), L"5");
    form.SetDlgItemText(20, L"12");
    EXPECT_TRUE(form.UpdateData(TRUE));
    EXPECT_EQ(form.number, 12);
    form.SetDlgItemText(20, L"twelve");
    EXPECT_FALSE(form.UpdateData(TRUE));
    EXPECT_EQ(form.number, 12);
    form.EndDialog(IDOK);
    EXPECT_FALSE(form.IsWindowVisible());
    form.DestroyWindow();
}

TEST(Services, NewContextsStartWithTheSystemFont) {
    LoggingWnd top;
    ASSERT_TRUE(top.CreateTop(CRect(0, 0, 50, 50)));
    CFont dialogFont;
    dialogFont.CreatePointFont(80, L"MS Sans Serif");
    top.SetFont(&dialogFont, FALSE);
    EXPECT_EQ(top.GetFont(), &dialogFont);
    CClientDC dc(&top); // the window's font is for the window to select, not the context
    EXPECT_EQ(dc.GetCurrentFont(), GetStockObject(SYSTEM_FONT));
    TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    EXPECT_EQ(tm.tmWeight, FW_BOLD);
    EXPECT_NEAR(tm.tmHeight, 16, 1);
}

TEST(Services, ModuleFileNameNamesTheFileOfAnInstanceAndTruncatesLikeTheDesktop) {
    // An instance handle is an address in its module; here the module is this test program.
    static int marker;
    const auto instance = reinterpret_cast<HMODULE>(&marker);
    wchar_t full[PATH_MAX];
    const DWORD length = GetModuleFileNameW(instance, full, PATH_MAX);
    char self[PATH_MAX];
    ASSERT_NE(realpath("/proc/self/exe", self), nullptr);
    EXPECT_EQ(crt::ToUtf8(full), self);
    wchar_t small[5];
    EXPECT_EQ(GetModuleFileNameW(instance, small, 5), 4u);
    EXPECT_EQ(std::wstring(small), std::wstring(full, 4));
    EXPECT_EQ(GetModuleFileNameW(nullptr, full, PATH_MAX), length); // null: the program
    EXPECT_EQ(GetModuleFileNameW(instance, full, 0), 0u);
}
