// kestrel --gui on an X server (Xvfb): a scripted run shows every window it opens while its
// WAIT passes in real time; a person types a command in the main window; SIGTERM and SIGINT end
// a run with a dialog open at once, saving nothing. Skipped where Xvfb, xdotool or ImageMagick's
// import are missing.
#include <cairo.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "KestrelRun.h"
#include "tests/support/DisplayProcess.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// The status of a child that ends within `seconds`; nothing (and the child killed) otherwise.
std::optional<int> Ended(pid_t pid, double seconds) {
    auto end = Clock::now() + std::chrono::duration<double>(seconds);
    int status = 0;
    while (Clock::now() < end) {
        if (waitpid(pid, &status, WNOHANG) == pid)
            return status;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return std::nullopt;
}

// An X server of the test suite's own.
class GuiRun : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!Installed("Xvfb") || !Installed("xdotool") || !Installed("import"))
            return;
        int number = 80 + static_cast<int>(getpid() % 9);
        while (fs::exists("/tmp/.X11-unix/X" + std::to_string(number)))
            ++number;
        display_ = ":" + std::to_string(number);
        xvfb_ = Spawn({"Xvfb", display_, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"}, "");
        for (int i = 0; i < 100 && !fs::exists("/tmp/.X11-unix/X" + std::to_string(number)); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    static void TearDownTestSuite() {
        if (xvfb_ > 0) {
            kill(xvfb_, SIGTERM);
            waitpid(xvfb_, nullptr, 0);
        }
    }
    void SetUp() override {
        if (xvfb_ <= 0)
            GTEST_SKIP() << "Xvfb, xdotool or import is not installed";
    }

    int On(const std::string& command) {
        return std::system(("DISPLAY=" + display_ + " " + command + " >/dev/null 2>&1").c_str());
    }
    // Pixels of the screen in a colour, as a shot taken now shows them.
    long PixelsOf(const std::string& shot, std::uint32_t rgb) {
        if (On("import -window root " + shot) != 0)
            return -1;
        cairo_surface_t* s = cairo_image_surface_create_from_png(shot.c_str());
        long count = 0;
        int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
        for (int y = 0; y < h; ++y) {
            auto* row = reinterpret_cast<const std::uint32_t*>(
                cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s));
            for (int x = 0; x < w; ++x)
                count += (row[x] & 0xFFFFFF) == rgb;
        }
        cairo_surface_destroy(s);
        return count;
    }
    // Waits until a dialog (its face colour) or the main window (its white command line) is
    // on the screen.
    bool DialogShows(const std::string& shot, double seconds = 20) {
        return Shows(shot, 0xD4D0C8, seconds);
    }
    bool MainWindowShows(const std::string& shot, double seconds = 20) {
        return Shows(shot, 0xFFFFFF, seconds);
    }
    bool DialogGone(const std::string& shot, double seconds = 20) {
        auto end = Clock::now() + std::chrono::duration<double>(seconds);
        while (Clock::now() < end) {
            if (PixelsOf(shot, 0xD4D0C8) < 10000)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return false;
    }
    bool Shows(const std::string& shot, std::uint32_t rgb, double seconds) {
        auto end = Clock::now() + std::chrono::duration<double>(seconds);
        while (Clock::now() < end) {
            if (PixelsOf(shot, rgb) > 10000)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return false;
    }

    static inline std::string display_;
    static inline pid_t xvfb_ = -1;
};

TEST_F(GuiRun, AScriptedRunShowsTheDialogItOpensWhileItsWaitPassesInRealTime) {
    std::string dir = ScratchDir("gui_scripted");
    // The WAIT starts once the dialog is open, however long the program takes to start: the
    // dialog must be on the screen at some moment before the run ends.
    pid_t run = Spawn({kKestrel, kOfficePlan, "--gui", "-c", "ZRBOMT", "-c", "WAIT 4000", "-c",
                       "CLICK \"&Close\""},
                      display_, true);
    bool seen = false;
    std::optional<Clock::time_point> seenAt;
    std::optional<int> ended;
    auto limit = Clock::now() + std::chrono::seconds(60);
    while (!ended && Clock::now() < limit) {
        int status = 0;
        if (waitpid(run, &status, WNOHANG) == run) {
            ended = status;
        } else if (!seen && PixelsOf(dir + "/waiting.png", 0xD4D0C8) > 10000) {
            seen = true;
            seenAt = Clock::now();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    if (!ended)
        ended = Ended(run, 0);
    ASSERT_TRUE(ended) << "still running after a minute";
    EXPECT_TRUE(seen) << "nothing on the screen while it waits";
    EXPECT_TRUE(WIFEXITED(*ended) && WEXITSTATUS(*ended) == 0) << "status " << *ended;
    // Seen while it waited: the run went on for a good part of the wait after that.
    if (seenAt) {
        EXPECT_GE(std::chrono::duration<double>(Clock::now() - *seenAt).count(), 1.0);
    }
}

TEST_F(GuiRun, TerminationAndInterruptEndARunWithADialogOpenAtOnceSavingNothing) {
    for (int signal : {SIGTERM, SIGINT}) {
        std::string dir = ScratchDir("gui_signal_" + std::to_string(signal));
        std::string output = dir + "/never.dxf";
        // A person types the command into the main window; its dialog opens and waits.
        pid_t run = Spawn({kKestrel, kOfficePlan, "--gui", "-o", output}, display_, true);
        ASSERT_TRUE(MainWindowShows(dir + "/main.png")) << "the main window never showed";
        On("xdotool mousemove 400 300");
        On("xdotool type --delay 20 ZRBOMT");
        On("xdotool key Return");
        ASSERT_TRUE(DialogShows(dir + "/dialog.png")) << "the dialog never showed";
        kill(run, signal);
        std::optional<int> status = Ended(run, 3);
        ASSERT_TRUE(status) << "still running 3 s after signal " << signal;
        EXPECT_TRUE(WIFSIGNALED(*status) && WTERMSIG(*status) == signal);
        EXPECT_FALSE(fs::exists(output));
    }
}

TEST_F(GuiRun, KeysReachTheCommandLineAgainOnceADialogHasClosed) {
    std::string dir = ScratchDir("gui_typing");
    std::string output = dir + "/out.dxf";
    pid_t run = Spawn({kKestrel, kOfficePlan, "--gui", "-o", output}, display_, true);
    ASSERT_TRUE(MainWindowShows(dir + "/main.png")) << "the main window never showed";
    On("xdotool mousemove 400 300");
    On("xdotool type --delay 20 ZRBOMT");
    On("xdotool key Return");
    ASSERT_TRUE(DialogShows(dir + "/first.png"));
    On("xdotool key Escape");
    ASSERT_TRUE(DialogGone(dir + "/closed.png"));
    // Typed without touching the mouse: the keyboard came back to the main window.
    On("xdotool type --delay 20 ZRBOMT");
    On("xdotool key Return");
    EXPECT_TRUE(DialogShows(dir + "/second.png")) << "the command typed after the dialog was lost";
    On("xdotool key Escape");
    ASSERT_TRUE(DialogGone(dir + "/closed-again.png"));
    On("xdotool type --delay 20 SAVE\\ " + output);
    On("xdotool key Return");
    for (int i = 0; i < 100 && !fs::exists(output); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_TRUE(fs::exists(output));
    kill(run, SIGTERM);
    Ended(run, 5);
}

} // namespace
