#include <gtest/gtest.h>

#include <afxwin.h>

#include "Clock.h"
#include "InputSource.h"
#include "MessageQueue.h"

#include "tests/ui/ScriptedInput.h"
#include "tests/ui/TestWindows.h"

namespace {

// A window that holds the mouse like the grid's drag selection: on a left press it pumps
// the queue itself until a move or a release is waiting.
class DragWnd : public LoggingWnd {
public:
    std::vector<UINT> dispatchedInLoop;
    bool loopEnded = false;

protected:
    void OnLButtonDown(UINT, CPoint) override {
        SetCapture();
        for (;;) {
            MSG msg;
            if (PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
                if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP)
                    break;
                PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE);
                dispatchedInLoop.push_back(msg.message);
                TranslateMessage(&msg);
                DispatchMessage(&msg);
            }
        }
        loopEnded = true;
    }
    void OnLButtonUp(UINT, CPoint) override {
        if (GetCapture() == this)
            ReleaseCapture();
    }
};

class TickWnd : public LoggingWnd {
public:
    std::vector<DWORD> ticks;

protected:
    void OnTimer(UINT_PTR) override { ticks.push_back(GetTickCount()); }
};

class EatingWnd : public LoggingWnd {
public:
    using LoggingWnd::LoggingWnd;

protected:
    int OnMouseActivate(CWnd*, UINT, UINT) override { return MA_NOACTIVATEANDEAT; }
};

// Runs the queue the way a modal loop does until the script ends.
void RunUntilInputEnds() {
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

} // namespace

TEST(MessageLoop, CreationAndDestructionComeInTheDesktopsOrder) {
    MessageJournal journal;
    LoggingWnd top(journal, "top"), child(journal, "child");
    ASSERT_TRUE(top.CreateTop(CRect(0, 0, 200, 100)));
    ASSERT_TRUE(child.CreateChild(&top, CRect(0, 0, 50, 20), 1));
    EXPECT_EQ(journal.Of({WM_CREATE, WM_SIZE, WM_MOVE}), (Sequence{{"top", WM_CREATE},
                                                                   {"top", WM_SIZE},
                                                                   {"top", WM_MOVE},
                                                                   {"child", WM_CREATE},
                                                                   {"child", WM_SIZE},
                                                                   {"child", WM_MOVE}}));
    journal.Clear();
    top.DestroyWindow(); // a parent hears of it first and is gone last
    EXPECT_EQ(journal.Of({WM_DESTROY, WM_NCDESTROY}), (Sequence{{"top", WM_DESTROY},
                                                                {"child", WM_DESTROY},
                                                                {"child", WM_NCDESTROY},
                                                                {"top", WM_NCDESTROY}}));
}

TEST(MessageLoop, FocusChangesTellEachWindowWhoElseIsInvolved) {
    MessageJournal journal;
    LoggingWnd top(journal, "top"), a(journal, "a"), b(journal, "b");
    ASSERT_TRUE(top.CreateTop(CRect(0, 0, 200, 100)));
    ASSERT_TRUE(a.CreateChild(&top, CRect(0, 0, 50, 20), 1));
    ASSERT_TRUE(b.CreateChild(&top, CRect(60, 0, 110, 20), 2));
    a.SetFocus();
    journal.Clear();
    b.SetFocus();
    EXPECT_EQ(journal.Of({WM_KILLFOCUS, WM_SETFOCUS}),
              (Sequence{{"a", WM_KILLFOCUS}, {"b", WM_SETFOCUS}}));
    EXPECT_EQ(reinterpret_cast<CWnd*>(a.Last(WM_KILLFOCUS)->wParam), &b); // names the new one
    ASSERT_EQ(b.Count(WM_SETFOCUS), 1);
    EXPECT_EQ(reinterpret_cast<CWnd*>(b.Last(WM_SETFOCUS)->wParam), &a); // names the old one
    EXPECT_EQ(CWnd::GetFocus(), &b);
    // Disabling the focused window takes the focus away; destroying clears it.
    b.EnableWindow(FALSE);
    EXPECT_EQ(CWnd::GetFocus(), nullptr);
    EXPECT_EQ(b.Count(WM_KILLFOCUS), 1);
    a.SetFocus();
    a.DestroyWindow();
    EXPECT_EQ(CWnd::GetFocus(), nullptr);
}

TEST(MessageLoop, SentMessagesRunAtOncePostedOnesInOrderAndPaintWaitsForIdle) {
    MessageJournal journal;
    LoggingWnd top(journal, "top");
    ASSERT_TRUE(top.CreateTop(CRect(0, 0, 100, 100)));
    ui::DrainQueue();
    const UINT sent = RegisterWindowMessage(L"KestrelTest");
    EXPECT_GE(sent, 0xC000u);
    EXPECT_EQ(RegisterWindowMessage(L"KestrelTest"), sent);
    const UINT first = RegisterWindowMessage(L"KestrelFirst");
    const UINT second = RegisterWindowMessage(L"KestrelSecond");
    EXPECT_NE(first, sent);
    auto watched = {sent, first, second, UINT(WM_PAINT), UINT(WM_ERASEBKGND), UINT(WM_TIMER)};
    journal.Clear();
    top.Invalidate();
    top.SetTimer(1, USER_TIMER_MINIMUM);
    Sleep(USER_TIMER_MINIMUM); // the timer is due, yet comes after everything else
    top.PostMessage(first);
    top.PostMessage(second);
    top.SendMessage(sent);
    EXPECT_EQ(journal.Of(watched), (Sequence{{"top", sent}}));
    ui::DrainQueue();
    EXPECT_EQ(journal.Of(watched), (Sequence{{"top", sent},
                                             {"top", first},
                                             {"top", second},
                                             {"top", WM_PAINT},
                                             {"top", WM_ERASEBKGND},
                                             {"top", WM_TIMER}}));
    top.KillTimer(1);
}

TEST(MessageLoop, CaptureGetsTheMouseAnywhereUntilReleased) {
    MessageJournal journal;
    LoggingWnd top(journal, "top"), a(journal, "a"), b(journal, "b");
    ASSERT_TRUE(top.CreateTop(CRect(100, 100, 300, 200)));
    ASSERT_TRUE(a.CreateChild(&top, CRect(0, 0, 50, 50), 1));
    ASSERT_TRUE(b.CreateChild(&top, CRect(100, 0, 150, 50), 2));
    a.SetCapture();
    CPoint overB(210, 110); // screen point over b
    ui::PostInput(WM_MOUSEMOVE, 0, overB, 0);
    ui::DrainQueue();
    ASSERT_EQ(a.Count(WM_MOUSEMOVE), 1);
    EXPECT_EQ(b.Count(WM_MOUSEMOVE), 0);
    EXPECT_EQ(GET_X_LPARAM(a.Last(WM_MOUSEMOVE)->lParam), 110); // a's client coordinates
    b.SetCapture(); // taking the capture tells the loser
    ReleaseCapture();
    EXPECT_EQ(journal.Of({WM_CAPTURECHANGED}),
              (Sequence{{"a", WM_CAPTURECHANGED}, {"b", WM_CAPTURECHANGED}}));
    EXPECT_EQ(reinterpret_cast<CWnd*>(a.Last(WM_CAPTURECHANGED)->lParam), &b);
    ui::PostInput(WM_MOUSEMOVE, 0, CPoint(105, 105), 0);
    ui::DrainQueue();
    EXPECT_EQ(a.Count(WM_MOUSEMOVE), 2); // under the pointer again
}

TEST(MessageLoop, ClicksOnChildrenAskForActivationThenSetTheCursorAndCanBeEaten) {
    MessageJournal journal;
    LoggingWnd top(journal, "top");
    EatingWnd eater(journal, "eater");
    LoggingWnd plain(journal, "plain");
    ASSERT_TRUE(top.CreateTop(CRect(0, 0, 200, 100)));
    ASSERT_TRUE(eater.CreateChild(&top, CRect(0, 0, 50, 50), 1));
    ASSERT_TRUE(plain.CreateChild(&top, CRect(100, 0, 150, 50), 2));
    ui::PostInput(WM_LBUTTONDOWN, MK_LBUTTON, CPoint(10, 10), 0);
    ui::PostInput(WM_LBUTTONDOWN, MK_LBUTTON, CPoint(110, 10), 0);
    ui::DrainQueue();
    // The default handlers ask the parent first; the eaten click still sets the cursor.
    EXPECT_EQ(journal.Of({WM_MOUSEACTIVATE, WM_SETCURSOR, WM_LBUTTONDOWN}),
              (Sequence{{"eater", WM_MOUSEACTIVATE},
                        {"eater", WM_SETCURSOR},
                        {"top", WM_SETCURSOR},
                        {"plain", WM_MOUSEACTIVATE},
                        {"top", WM_MOUSEACTIVATE},
                        {"plain", WM_SETCURSOR},
                        {"top", WM_SETCURSOR},
                        {"plain", WM_LBUTTONDOWN}}));
    ReleaseCapture();
}

TEST(MessageLoop, HandlerPumpsTheQueueWhileTheButtonIsHeld) {
    DragWnd top;
    ASSERT_TRUE(top.CreateTop(CRect(0, 0, 200, 100)));
    UINT custom = RegisterWindowMessage(L"KestrelDragTest");
    ScriptedInput script;
    script.Verb([] {
              return ui::Mouse(L"DOWN", {20, 20});
          })
        .Then([&] { top.PostMessage(custom); })
        .Verb([] { return ui::Wait(50); })
        .Verb([] {
            return ui::Mouse(L"MOVE", {30, 20});
        })
        .Verb([] {
            return ui::Mouse(L"UP", {30, 20});
        });
    RunUntilInputEnds();
    EXPECT_TRUE(top.loopEnded);
    ASSERT_EQ(top.dispatchedInLoop.size(), 1u);
    EXPECT_EQ(top.dispatchedInLoop[0], custom);
    EXPECT_GE(script.polls, 2); // the loop asked for input while it polled
    EXPECT_EQ(top.Count(WM_MOUSEMOVE), 1);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    EXPECT_TRUE(script.failures.empty());
}

TEST(MessageLoop, DragLoopEndsWhenTheScriptEndsWithTheButtonHeld) {
    DragWnd top;
    ASSERT_TRUE(top.CreateTop(CRect(0, 0, 200, 100)));
    ScriptedInput script;
    script.Verb([] { return ui::Mouse(L"DOWN", {20, 20}); });
    RunUntilInputEnds();
    EXPECT_TRUE(top.loopEnded);
    EXPECT_TRUE(ui::InputExhausted());
    EXPECT_EQ(CWnd::GetCapture(), nullptr); // the synthesized release reached the window
}

TEST(MessageLoop, WaitMessageAsksForInputUntilSomethingIsQueued) {
    LoggingWnd top;
    ASSERT_TRUE(top.CreateTop(CRect(0, 0, 100, 100)));
    ui::DrainQueue();
    ScriptedInput script;
    script.Verb([] { return ui::Wait(10); }).Then([&] { top.PostMessage(WM_USER); });
    EXPECT_TRUE(WaitMessage());
    EXPECT_EQ(script.Remaining(), 0u); // both steps ran: the first queued nothing
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER);
    EXPECT_FALSE(WaitMessage()); // the script is over: nothing will come
}

TEST(MessageLoop, TimersFireOnTheVirtualClockAsOftenAsTheyFallDue) {
    TickWnd top;
    ASSERT_TRUE(top.CreateTop(CRect(0, 0, 100, 100)));
    ASSERT_TRUE(ui::IsVirtualClock());
    DWORD start = GetTickCount();
    top.SetTimer(0, 200);
    ui::Wait(1000);
    ASSERT_EQ(top.ticks.size(), 5u);
    for (std::size_t i = 0; i < top.ticks.size(); ++i)
        EXPECT_EQ(top.ticks[i] - start, 200 * (i + 1));
    EXPECT_EQ(GetTickCount() - start, 1000u);
    // Sleep lets time pass without running anything; the overdue timer fires once.
    Sleep(1000);
    EXPECT_EQ(top.ticks.size(), 5u);
    ui::DrainQueue();
    EXPECT_EQ(top.ticks.size(), 6u);
    top.KillTimer(0);
    ui::Wait(1000);
    EXPECT_EQ(top.ticks.size(), 6u);
}

TEST(MessageLoop, KeysReachTheFocusWithTheirCharactersAndModifierState) {
    MessageJournal journal;
    LoggingWnd top(journal, "top"), field(journal, "field");
    ASSERT_TRUE(top.CreateTop(CRect(0, 0, 100, 100)));
    ASSERT_TRUE(field.CreateChild(&top, CRect(0, 0, 50, 20), 1));
    field.SetFocus();
    bool shiftSeen = false;
    class ShiftProbe : public LoggingWnd {
    public:
        bool* seen = nullptr;

    protected:
        void OnKeyDown(UINT key, UINT, UINT) override {
            if (key == VK_TAB)
                *seen = GetKeyState(VK_SHIFT) < 0;
        }
    } probe;
    probe.seen = &shiftSeen;
    ASSERT_TRUE(probe.CreateChild(&top, CRect(0, 30, 50, 50), 2));
    ui::Key(L"a");
    ui::Type(L"xy");
    ui::DrainQueue();
    // The character of a key comes between its press and its release.
    EXPECT_EQ(journal.Of({WM_KEYDOWN, WM_CHAR, WM_KEYUP}), (Sequence{{"field", WM_KEYDOWN},
                                                                     {"field", WM_CHAR},
                                                                     {"field", WM_KEYUP},
                                                                     {"field", WM_CHAR},
                                                                     {"field", WM_CHAR}}));
    std::wstring chars;
    for (const LoggedMessage& m : field.log)
        if (m.message == WM_CHAR)
            chars += static_cast<wchar_t>(m.wParam);
    EXPECT_EQ(chars, L"axy");
    probe.SetFocus();
    ASSERT_TRUE(ui::Key(L"SHIFT+TAB"));
    ui::DrainQueue();
    EXPECT_TRUE(shiftSeen);
    EXPECT_GE(GetKeyState(VK_SHIFT), 0); // released afterwards
    EXPECT_FALSE(ui::Key(L"HYPER+Q"));
    ui::ResetInput();
}
