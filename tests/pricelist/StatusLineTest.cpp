#include <gtest/gtest.h>

#include <afxwin.h>

#include "Automation.h"
#include "Clock.h"
#include "SystemServices.h"

#include "pricelist/CStaticEx.h"

namespace {

// A status line on a window of its own, on the virtual clock.
class StatusLineTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui::UseVirtualClock(true);
        host.CreateEx(0, L"Host", L"Host", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 100), nullptr,
                      0);
        line.Create(L"", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(10, 10, 290, 30), &host, 1001);
        ui::ClearSounds();
        start = ui::ClockNow();
    }
    void TearDown() override {
        host.DestroyWindow();
        ui::UseVirtualClock(false);
    }
    // Beeps of the status line's tone since the test started.
    std::vector<DWORD> BeepTimes() const {
        std::vector<DWORD> times;
        for (const ui::Sound& s : ui::Sounds())
            if (s.frequency == CStaticEx::kBeepFrequency && s.duration == CStaticEx::kBeepDuration)
                times.push_back(s.time - start);
        return times;
    }

    CWnd host;
    CStaticEx line;
    DWORD start = 0;
};

} // namespace

TEST_F(StatusLineTest, AMessageBlinksEveryIntervalAndBeepsWhenItComesBackUntilCleared) {
    line.ShowMessage(200, L"Price is absent");
    EXPECT_EQ(line.GetWindowText(), CString(L"Price is absent"));
    EXPECT_TRUE(line.IsWindowEnabled());
    ui::Wait(199);
    EXPECT_TRUE(BeepTimes().empty());
    ui::Wait(1); // 200: shown, with a beep
    EXPECT_TRUE(line.IsWindowEnabled());
    EXPECT_EQ(BeepTimes(), std::vector<DWORD>{200});
    ui::Wait(200); // 400: greyed, silent
    EXPECT_FALSE(line.IsWindowEnabled());
    EXPECT_EQ(BeepTimes().size(), 1u);
    ui::Wait(200); // 600: back, beeping
    EXPECT_TRUE(line.IsWindowEnabled());
    EXPECT_EQ(BeepTimes(), (std::vector<DWORD>{200, 600}));

    // It never clears by itself: a minute later it still beeps every 400 ms (200, 600, ...,
    // 60600).
    ui::Wait(60000);
    EXPECT_EQ(line.GetWindowText(), CString(L"Price is absent"));
    EXPECT_EQ(BeepTimes().size(), 152u);
    EXPECT_EQ(BeepTimes().back(), 60600u);
}

TEST_F(StatusLineTest, ClearingWhileGreyedLeavesTheLineEnabledForTheNextMessage) {
    line.ShowMessage(200, L"Block name is absent");
    ui::Wait(400);
    ASSERT_FALSE(line.IsWindowEnabled());
    line.ClearMessage();
    EXPECT_TRUE(line.IsWindowEnabled());
    EXPECT_EQ(line.GetWindowText(), CString(L""));
    ui::Wait(2000); // the timer is gone
    EXPECT_TRUE(line.IsWindowEnabled());
    EXPECT_EQ(BeepTimes().size(), 1u);

    line.ShowMessage(200, L"Price is absent");
    EXPECT_TRUE(line.IsWindowEnabled());
    EXPECT_EQ(line.GetWindowText(), CString(L"Price is absent"));
}

TEST_F(StatusLineTest, ClearingAnEmptyLineAndReplacingAMessageRestartsTheBlinking) {
    line.ClearMessage();
    EXPECT_TRUE(line.IsWindowEnabled());
    EXPECT_EQ(line.GetWindowText(), CString(L""));

    line.ShowMessage(200, L"first");
    ui::Wait(300); // shown at 200, greyed at 400 would come next
    line.ShowMessage(200, L"second");
    EXPECT_EQ(line.blinkPhase, 1);
    ui::Wait(150); // 450: the old timer would have greyed it at 400
    EXPECT_TRUE(line.IsWindowEnabled());
    ui::Wait(50); // 500: the new timer's first tick shows it with a beep
    EXPECT_EQ(BeepTimes(), (std::vector<DWORD>{200, 500}));
    EXPECT_EQ(line.GetWindowText(), CString(L"second"));
}
