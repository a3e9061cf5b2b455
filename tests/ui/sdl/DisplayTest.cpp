// The real display: the BOM Template dialog shown through SDL on an X server (Xvfb) must
// look exactly as rendered without a display, and clicks and typing sent through the X
// server (xdotool) must reach its controls. Skipped where Xvfb, xdotool or ImageMagick's
// import are missing.

#include <cairo.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/DisplayProcess.h"

namespace {

namespace fs = std::filesystem;

// Waits for a line starting with `key` in the log; answers its words after the key.
std::vector<int> WaitFor(const fs::path& log, const std::string& key, int seconds = 15) {
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < end) {
        std::ifstream in(log);
        std::string line;
        while (std::getline(in, line)) {
            if (line.rfind(key + " ", 0) == 0 || line == key) {
                std::istringstream words(line.substr(key.size()));
                std::vector<int> values;
                int v;
                while (words >> v)
                    values.push_back(v);
                return values;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return {};
}

bool LogHas(const fs::path& log, const std::string& line, int seconds = 10) {
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < end) {
        std::ifstream in(log);
        std::string l;
        while (std::getline(in, l))
            if (l == line)
                return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

// Pixels that differ between the headless image and the same-sized area of the screen shot.
long DifferingPixels(const fs::path& headless, const fs::path& screen, int left, int top) {
    cairo_surface_t* a = cairo_image_surface_create_from_png(headless.c_str());
    cairo_surface_t* b = cairo_image_surface_create_from_png(screen.c_str());
    long differing = -1;
    if (cairo_surface_status(a) == CAIRO_STATUS_SUCCESS &&
        cairo_surface_status(b) == CAIRO_STATUS_SUCCESS) {
        int w = cairo_image_surface_get_width(a), h = cairo_image_surface_get_height(a);
        if (left + w <= cairo_image_surface_get_width(b) &&
            top + h <= cairo_image_surface_get_height(b)) {
            differing = 0;
            auto* pa = cairo_image_surface_get_data(a);
            auto* pb = cairo_image_surface_get_data(b);
            int sa = cairo_image_surface_get_stride(a), sb = cairo_image_surface_get_stride(b);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    auto ca = reinterpret_cast<const uint32_t*>(pa + y * sa)[x] & 0xFFFFFF;
                    auto cb =
                        reinterpret_cast<const uint32_t*>(pb + (top + y) * sb)[left + x] & 0xFFFFFF;
                    differing += ca != cb;
                }
        }
    }
    cairo_surface_destroy(a);
    cairo_surface_destroy(b);
    return differing;
}

TEST(Display, TheTemplateDialogOnXvfbMatchesTheHeadlessPixelsAndTakesClicksAndTyping) {
    if (!Installed("Xvfb") || !Installed("xdotool") || !Installed("import"))
        GTEST_SKIP() << "Xvfb, xdotool or import is not installed";
    fs::path dir = fs::path(KESTREL_BINARY_DIR) / "shots";
    fs::create_directories(dir);
    std::string driver = fs::path(DRIVER_PATH).string();
    fs::path headless = dir / "display-headless.png", screen = dir / "display-xvfb.png";
    fs::path log = fs::path(KESTREL_BINARY_DIR) / "display-test.log";
    fs::remove(log);
    ASSERT_EQ(std::system((driver + " headless " + headless.string()).c_str()), 0);

    // A display number of our own.
    int number = 90 + static_cast<int>(getpid() % 9);
    while (fs::exists("/tmp/.X11-unix/X" + std::to_string(number)))
        ++number;
    std::string display = ":" + std::to_string(number);
    pid_t xvfb = Spawn({"Xvfb", display, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"}, "");
    for (int i = 0; i < 100 && !fs::exists("/tmp/.X11-unix/X" + std::to_string(number)); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    pid_t app = Spawn({driver, "gui", log.string()}, display);

    std::vector<int> rect = WaitFor(log, "ready");
    ASSERT_EQ(rect.size(), 4u) << "the dialog never showed";
    ASSERT_EQ(RunOn("import -window root " + screen.string(), display), 0);
    long differing = DifferingPixels(headless, screen, rect[0], rect[1]);
    EXPECT_EQ(differing, 0) << "pixels differ between " << headless << " and " << screen;
    std::printf("display pixel comparison: %d x %d pixels, %ld differ\n", rect[2] - rect[0],
                rect[3] - rect[1], differing);

    // A click on "&Open" through the X server reaches the button.
    std::vector<int> open = WaitFor(log, "control 203");
    ASSERT_EQ(open.size(), 4u);
    RunOn("xdotool mousemove " + std::to_string((open[0] + open[2]) / 2) + " " +
              std::to_string((open[1] + open[3]) / 2) + " click 1",
          display);
    EXPECT_TRUE(LogHas(log, "command 203"));
    // Escape cancels the dialog; typing into the Find dialog's edit and Enter ask to find.
    RunOn("xdotool key Escape", display);
    EXPECT_TRUE(LogHas(log, "ended 2"));
    std::vector<int> edit = WaitFor(log, "find-ready");
    ASSERT_EQ(edit.size(), 4u);
    RunOn("xdotool mousemove " + std::to_string(edit[0] + 5) + " " + std::to_string(edit[1] + 5) +
              " click 1",
          display);
    RunOn("xdotool type --delay 30 Bolt", display);
    RunOn("xdotool key Return", display);
    EXPECT_TRUE(LogHas(log, "find Bolt 9")); // FR_FINDNEXT | FR_DOWN
    EXPECT_TRUE(LogHas(log, "done"));

    int status = 0;
    for (int i = 0; i < 100 && waitpid(app, &status, WNOHANG) == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    if (waitpid(app, &status, WNOHANG) == 0) {
        kill(app, SIGTERM);
        waitpid(app, &status, 0);
    }
    kill(xvfb, SIGTERM);
    waitpid(xvfb, nullptr, 0);
}

} // namespace
