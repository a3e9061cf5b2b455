#include <cairo.h>
#include <filesystem>
#include <gtest/gtest.h>

#include <afxwin.h>

#include "Automation.h"
#include "MessageQueue.h"

#include "tests/ui/ScriptedInput.h"
#include "tests/ui/TestWindows.h"

namespace {

class TickingWnd : public LoggingWnd {
public:
    int ticks = 0;

protected:
    void OnTimer(UINT_PTR) override { ++ticks; }
};

} // namespace

TEST(Window, GeometryFollowsFramesAndNesting) {
    LoggingWnd top, framed, inner;
    ASSERT_TRUE(top.CreateEx(0, L"T", L"Caption", WS_POPUP | WS_CAPTION | WS_VISIBLE,
                             CRect(100, 50, 400, 250), nullptr, 0));
    ASSERT_TRUE(framed.CreateEx(WS_EX_CLIENTEDGE, L"F", L"", WS_CHILD | WS_VISIBLE | WS_BORDER,
                                CRect(10, 20, 110, 120), &top, 1));
    ASSERT_TRUE(inner.CreateChild(&framed, CRect(5, 5, 15, 15), 2));
    CRect client;
    top.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 300 - 6, 200 - 6 - 19));
    framed.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 100 - 6, 100 - 6)); // border 1 and client edge 2 a side
    CPoint p(0, 0);
    inner.ClientToScreen(&p);
    EXPECT_EQ(p, CPoint(100 + 3 + 10 + 3 + 5, 50 + 22 + 20 + 3 + 5));
    inner.ScreenToClient(&p);
    EXPECT_EQ(p, CPoint(0, 0));
    CRect r(0, 0, 1, 1);
    inner.MapWindowPoints(&top, &r);
    EXPECT_EQ(r, CRect(18, 28, 19, 29));
    CRect window;
    framed.GetWindowRect(&window);
    top.ScreenToClient(&window);
    EXPECT_EQ(window, CRect(10, 20, 110, 120));
    framed.MoveWindow(0, 0, 50, 60);
    framed.GetClientRect(&client);
    EXPECT_EQ(client.Size(), CSize(44, 54));
    EXPECT_EQ(GET_X_LPARAM(framed.Last(WM_SIZE)->lParam), 44);
}

TEST(Window, ZOrderDecidesHitsAndClipSiblingsClipsDrawing) {
    LoggingWnd top, lower, upper;
    ASSERT_TRUE(top.CreateTop(CRect(0, 0, 100, 100)));
    ASSERT_TRUE(upper.CreateChild(&top, CRect(0, 0, 60, 60), 1, WS_VISIBLE | WS_CLIPSIBLINGS));
    ASSERT_TRUE(lower.CreateChild(&top, CRect(30, 30, 90, 90), 2, WS_VISIBLE | WS_CLIPSIBLINGS));
    EXPECT_EQ(top.GetTopWindow(), &upper); // created first, topmost
    EXPECT_EQ(upper.GetNextWindow(), &lower);
    ui::PostInput(WM_LBUTTONDOWN, MK_LBUTTON, CPoint(40, 40), 0);
    ui::DrainQueue();
    EXPECT_EQ(upper.Count(WM_LBUTTONDOWN), 1);
    {
        CClientDC dc(&lower); // lower may not draw over upper
        dc.FillSolidRect(0, 0, 60, 60, RGB(255, 0, 0));
        CClientDC check(&top);
        EXPECT_NE(check.GetPixel(40, 40), RGB(255, 0, 0));
        EXPECT_EQ(check.GetPixel(70, 70), RGB(255, 0, 0));
    }
    lower.SetWindowPos(HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(top.GetTopWindow(), &lower);
    lower.SetWindowPos(&CWnd::wndBottom, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(top.GetTopWindow(), &upper);
    lower.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    top.SendMessageToDescendants(WM_SYSCOLORCHANGE);
    EXPECT_EQ(upper.Count(WM_SYSCOLORCHANGE) + lower.Count(WM_SYSCOLORCHANGE), 2);
    ui::PostInput(WM_LBUTTONDOWN, MK_LBUTTON, CPoint(40, 40), 0);
    ui::DrainQueue();
    EXPECT_EQ(lower.Count(WM_LBUTTONDOWN), 1);
    // Hidden and disabled children take no clicks; the parent gets them.
    lower.ShowWindow(SW_HIDE);
    upper.EnableWindow(FALSE);
    ui::PostInput(WM_LBUTTONDOWN, MK_LBUTTON, CPoint(40, 40), 0);
    ui::DrainQueue();
    EXPECT_EQ(top.Count(WM_LBUTTONDOWN), 1);
    ReleaseCapture();
}

TEST(Window, DestroyingTakesChildrenQueueAndTimersAlong) {
    auto top = std::make_unique<LoggingWnd>();
    TickingWnd child;
    ASSERT_TRUE(top->CreateTop(CRect(0, 0, 100, 100)));
    ASSERT_TRUE(child.CreateChild(top.get(), CRect(0, 0, 10, 10), 7));
    auto owned = std::make_unique<CStatic>();
    CStatic* ownedRaw = owned.get();
    ASSERT_TRUE(owned->Create(L"owned", WS_VISIBLE, CRect(20, 0, 40, 10), top.get(), 8));
    AdoptChild(top.get(), std::move(owned));
    EXPECT_EQ(top->GetDlgItem(8), ownedRaw);
    child.SetTimer(1, 100);
    child.PostMessage(WM_USER + 5);
    top->DestroyWindow();
    EXPECT_EQ(child.m_hWnd, nullptr);
    EXPECT_EQ(child.Count(WM_DESTROY), 1);
    EXPECT_EQ(top->Count(WM_DESTROY), 1);
    EXPECT_EQ(top->Count(WM_NCDESTROY), 1);
    ui::Wait(500);
    EXPECT_EQ(child.ticks, 0);
    EXPECT_EQ(child.Count(WM_USER + 5), 0);
    EXPECT_FALSE(IsWindow(&child));
    EXPECT_EQ(top->GetDlgItem(8), nullptr);
}

TEST(Window, SubclassingTakesTheWindowOverInPlace) {
    AfxSetResourceHandle(nullptr);
    class Taker : public LoggingWnd {};
    LoggingWnd top;
    ASSERT_TRUE(top.CreateTop(CRect(0, 0, 200, 100)));
    auto placeholder = std::make_unique<CStatic>();
    ASSERT_TRUE(
        placeholder->Create(L"place", WS_VISIBLE | SS_SUNKEN, CRect(10, 10, 110, 60), &top, 201));
    CStatic* before = placeholder.get();
    AdoptChild(&top, std::move(placeholder));
    LoggingWnd sibling;
    ASSERT_TRUE(sibling.CreateChild(&top, CRect(0, 0, 5, 5), 202));
    before->SetTimer(3, 50);
    before->SetFocus();
    Taker taker;
    ASSERT_TRUE(taker.SubclassDlgItem(201, &top));
    EXPECT_EQ(top.GetDlgItem(201), &taker);
    EXPECT_EQ(top.GetTopWindow(), &taker); // same place in the z-order
    EXPECT_EQ(taker.GetWindowText(), L"place");
    EXPECT_TRUE(taker.GetExStyle() & WS_EX_STATICEDGE); // the sunken frame stays
    CRect r;
    taker.GetClientRect(&r);
    EXPECT_EQ(r, CRect(0, 0, 98, 48));
    EXPECT_EQ(CWnd::GetFocus(), &taker);
    ui::Wait(50);
    EXPECT_EQ(taker.Count(WM_TIMER), 1); // the timer came along
    EXPECT_FALSE(taker.SubclassDlgItem(999, &top));
}

TEST(Window, AChildMovesToAnotherParentKeepingItsPlaceNumbers) {
    LoggingWnd top, left, right, child;
    ASSERT_TRUE(top.CreateTop(CRect(0, 0, 200, 100)));
    ASSERT_TRUE(left.CreateChild(&top, CRect(0, 0, 100, 100), 1));
    ASSERT_TRUE(right.CreateChild(&top, CRect(100, 0, 200, 100), 2));
    ASSERT_TRUE(child.CreateChild(&left, CRect(10, 10, 30, 20), 3));
    CWnd other;
    ASSERT_TRUE(other.Create(nullptr, L"", WS_VISIBLE, CRect(50, 50, 60, 60), &right, 4));
    EXPECT_EQ(child.SetParent(&right), &left);
    EXPECT_EQ(child.GetParent(), &right);
    EXPECT_EQ(left.GetDlgItem(3), nullptr);
    EXPECT_EQ(right.GetTopWindow(), &child); // above the new siblings
    CPoint p(0, 0);
    child.ClientToScreen(&p);
    EXPECT_EQ(p, CPoint(110, 10));
    EXPECT_EQ(top.SetParent(&left), nullptr);    // a top-level window stays one
    EXPECT_EQ(right.SetParent(&child), nullptr); // nor moves into its own descendant
    EXPECT_EQ(child.SetParent(nullptr), nullptr);
    child.DestroyWindow(); // leaves through its new parent
    EXPECT_EQ(right.GetTopWindow(), &other);
}

TEST(Window, AWindowThatMovesTheFocusWhileLosingItKeepsThatMove) {
    // Losing the focus, `editor` gives it to `next` (as an editor that ends and opens on
    // the next cell does); the window that was asked for never hears of it.
    class Passing : public LoggingWnd {
    public:
        CWnd* next = nullptr;
        CWnd* focusSeen = nullptr;

    protected:
        void OnKillFocus(CWnd* newWnd) override {
            focusSeen = GetFocus();
            LoggingWnd::OnKillFocus(newWnd);
            if (next)
                next->SetFocus();
        }
    };
    LoggingWnd top, asked, next;
    Passing editor;
    ASSERT_TRUE(top.CreateTop(CRect(0, 0, 100, 100)));
    ASSERT_TRUE(editor.CreateChild(&top, CRect(0, 0, 10, 10), 1));
    ASSERT_TRUE(asked.CreateChild(&top, CRect(20, 0, 30, 10), 2));
    ASSERT_TRUE(next.CreateChild(&top, CRect(40, 0, 50, 10), 3));
    editor.SetFocus();
    editor.next = &next;
    asked.SetFocus();
    EXPECT_EQ(editor.focusSeen, &asked); // the new focus is in place while the old one hears
    EXPECT_EQ(CWnd::GetFocus(), &next);
    EXPECT_EQ(next.Count(WM_SETFOCUS), 1);
    EXPECT_EQ(asked.Count(WM_SETFOCUS), 0);
    EXPECT_EQ(asked.Count(WM_KILLFOCUS), 1);
}

TEST(Window, QuitEndsEveryLoopAndTranslateMakesCharacters) {
    class QuittingDialog : public CDialog {
    public:
        QuittingDialog() {
            SetTemplate(ui::DialogTemplate{
                0, L"Q", 0, 0, 50, 50, WS_POPUP | WS_CAPTION, L"MS Sans Serif", 8, {}});
        }
    } dlg;
    ScriptedInput script;
    script.Then([] { PostQuitMessage(3); }).Then([] {});
    EXPECT_EQ(dlg.DoModal(), -1);
    MSG msg;
    EXPECT_FALSE(GetMessage(&msg, nullptr, 0, 0)); // the quit was passed on
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_EQ(script.Remaining(), 1u);

    LoggingWnd top;
    ASSERT_TRUE(top.CreateTop(CRect(0, 0, 10, 10)));
    top.SetFocus();
    ui::ResetInput();
    ui::Key(L"CTRL+C");
    ui::Key(L"SHIFT+Q");
    ui::Key(L"ENTER");
    ui::DrainQueue();
    std::vector<WPARAM> chars;
    for (const LoggedMessage& m : top.log)
        if (m.message == WM_CHAR)
            chars.push_back(m.wParam);
    EXPECT_EQ(chars, (std::vector<WPARAM>{3, L'Q', L'\r'}));
    // Filters: only the asked range and window.
    top.PostMessage(WM_USER + 1);
    top.PostMessage(WM_USER + 2);
    ASSERT_TRUE(PeekMessage(&msg, &top, WM_USER + 2, WM_USER + 2, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER + 2);
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, WM_USER + 1);
    ui::DrainQueue();
}

TEST(Window, ButtonsPressOnRelease) {
    LoggingWnd top;
    ASSERT_TRUE(top.CreateTop(CRect(0, 0, 200, 100)));
    CButton push, check, group;
    ASSERT_TRUE(push.Create(L"&Go", WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 75, 23), &top, 1));
    ASSERT_TRUE(check.Create(L"Tick", WS_VISIBLE | BS_AUTOCHECKBOX, CRect(0, 30, 75, 40), &top, 2));
    ASSERT_TRUE(group.Create(L"Group", WS_VISIBLE | BS_GROUPBOX, CRect(100, 0, 200, 100), &top, 3));
    ui::DrainQueue();
    CClientDC dc(&push);
    COLORREF raisedCorner = dc.GetPixel(0, 0);
    ui::PostInput(WM_LBUTTONDOWN, MK_LBUTTON, CPoint(10, 10), 0);
    ui::DrainQueue();
    EXPECT_EQ(push.GetState() & BST_PUSHED, static_cast<UINT>(BST_PUSHED));
    EXPECT_EQ(CWnd::GetFocus(), &push);
    EXPECT_EQ(CWnd::GetCapture(), &push);
    EXPECT_NE(dc.GetPixel(0, 0), raisedCorner); // the pressed look
    EXPECT_EQ(top.Count(WM_COMMAND), 0);        // nothing until the release
    ui::PostInput(WM_LBUTTONUP, 0, CPoint(10, 10), 0);
    ui::DrainQueue();
    ASSERT_EQ(top.Count(WM_COMMAND), 1);
    EXPECT_EQ(top.Last(WM_COMMAND)->wParam, MAKEWPARAM(1, BN_CLICKED));
    EXPECT_EQ(dc.GetPixel(0, 0), raisedCorner);
    // The space bar presses the focused button too; a check box toggles itself.
    check.SetFocus();
    ui::Key(L"SPACE");
    ui::DrainQueue();
    EXPECT_EQ(check.GetCheck(), BST_CHECKED);
    check.SendMessage(BM_CLICK);
    EXPECT_EQ(check.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(top.Count(WM_COMMAND), 3);
    // A group box lets clicks through to what lies beneath.
    ui::PostInput(WM_LBUTTONDOWN, MK_LBUTTON, CPoint(150, 50), 0);
    ui::DrainQueue();
    EXPECT_EQ(top.Count(WM_LBUTTONDOWN), 1);
    EXPECT_EQ(push.SendMessage(WM_GETDLGCODE),
              static_cast<LRESULT>(DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON));
}

TEST(Window, RegionsCombineAsSetsOfPixels) {
    ui::Region a(CRect(0, 0, 10, 10));
    a.Add(CRect(5, 5, 15, 15));
    EXPECT_EQ(a.Bounds(), CRect(0, 0, 15, 15));
    EXPECT_TRUE(a.Contains(CPoint(12, 12)));
    EXPECT_FALSE(a.Contains(CPoint(12, 2)));
    ui::Region b = a;
    b.Subtract(CRect(0, 0, 15, 15));
    EXPECT_TRUE(b.IsEmpty());
    ui::Region c(CRect(0, 0, 10, 10));
    c.Xor(ui::Region(CRect(5, 0, 15, 10)));
    EXPECT_TRUE(c.Contains(CPoint(2, 2)));
    EXPECT_FALSE(c.Contains(CPoint(7, 2)));
    EXPECT_TRUE(c.Contains(CPoint(12, 2)));
    ui::Region d(CRect(0, 0, 5, 10));
    d.Add(CRect(10, 0, 15, 10));
    EXPECT_TRUE(c == d);
    CRgn r1, r2, r3;
    r1.CreateRectRgn(0, 0, 10, 10);
    r2.CreateRectRgn(5, 5, 20, 20);
    r3.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(r3.CombineRgn(&r1, &r2, RGN_AND), SIMPLEREGION);
    CRect box;
    r3.GetRgnBox(&box);
    EXPECT_EQ(box, CRect(5, 5, 10, 10));
    EXPECT_EQ(r3.CombineRgn(&r1, &r2, RGN_DIFF), COMPLEXREGION);
    EXPECT_FALSE(r3.PtInRegion(7, 7));
}

TEST(Window, VerbsExplainWhatTheyCouldNotDo) {
    ui::ResetInput();
    EXPECT_FALSE(ui::Click(L"OK"));
    EXPECT_NE(ui::Click(L"OK").message.find(L"no dialog"), std::wstring::npos);
    EXPECT_FALSE(ui::Shot(L"/tmp/never.png"));
    EXPECT_FALSE(ui::ExpectDialog(L"BOM Report"));

    class Hidden : public CDialog {
    public:
        Hidden() {
            SetTemplate(ui::DialogTemplate{
                0,
                L"Hidden",
                0,
                0,
                100,
                60,
                WS_POPUP | WS_CAPTION,
                L"MS Sans Serif",
                8,
                {{5, L"BUTTON", L"&Attach New", 5, 5, 40, 14, WS_CHILD | BS_PUSHBUTTON},
                 {6, L"STATIC", L"text", 5, 25, 40, 8, WS_CHILD | WS_VISIBLE}}});
        }
    } dlg;
    std::filesystem::path png = std::filesystem::temp_directory_path() / "kestrel_hidden.png";
    ScriptedInput script;
    script.Verb([] { return ui::Click(L"Attach New"); })
        .Verb([] { return ui::ExpectText(6, L"other"); })
        .Verb([] { return ui::ExpectDialog(L"Shown"); })
        .Verb([] { return ui::ExpectAlert(L"x"); })
        .Verb([] {
            return ui::Mouse(L"WIGGLE", {0, 0});
        })
        .Verb([&] { return ui::Shot(png.wstring()); })
        .Verb([] { return ui::ExpectText(6, L"text"); })
        .Verb([] { return ui::Key(L"ESC"); });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    ASSERT_EQ(script.failures.size(), 5u);
    EXPECT_NE(script.failures[0].find(L"hidden"), std::wstring::npos);
    EXPECT_NE(script.failures[1].find(L"reads \"text\""), std::wstring::npos);
    EXPECT_NE(script.failures[2].find(L"\"Hidden\" is open"), std::wstring::npos);
    EXPECT_NE(script.failures[3].find(L"no message box"), std::wstring::npos);
    EXPECT_NE(script.failures[4].find(L"WIGGLE"), std::wstring::npos);
    // The shot holds the whole window: frame and caption around the client area.
    cairo_surface_t* image = cairo_image_surface_create_from_png(png.string().c_str());
    ASSERT_EQ(cairo_surface_status(image), CAIRO_STATUS_SUCCESS);
    CSize units = dlg.BaseUnits();
    EXPECT_EQ(cairo_image_surface_get_width(image), MulDiv(100, units.cx, 4) + 6);
    EXPECT_EQ(cairo_image_surface_get_height(image), MulDiv(60, units.cy, 8) + 25);
    cairo_surface_destroy(image);
    std::filesystem::remove(png);
}
