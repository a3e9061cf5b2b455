// The grid and the real clipboard: on an X server (Xvfb) a block copied from the grid reads
// back through another program (xclip) as tab-separated lines, and text that program puts
// on the clipboard pastes into the grid. Skipped where Xvfb, xdotool or xclip are missing.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/DisplayProcess.h"

namespace {

namespace fs = std::filesystem;

void Stop(pid_t pid) {
    if (pid <= 0)
        return;
    int status = 0;
    for (int i = 0; i < 100 && waitpid(pid, &status, WNOHANG) == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    if (waitpid(pid, &status, WNOHANG) == 0) {
        kill(pid, SIGTERM);
        waitpid(pid, &status, 0);
    }
}

std::string OutputOf(const std::string& command, const std::string& display) {
    std::string out;
    if (FILE* pipe = popen(("DISPLAY=" + display + " " + command + " 2>/dev/null").c_str(), "r")) {
        char buffer[256];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            out.append(buffer, n);
        pclose(pipe);
    }
    return out;
}

std::vector<std::string> LogLines(const fs::path& log) {
    std::vector<std::string> lines;
    std::ifstream in(log);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

bool WaitForLine(const fs::path& log, const std::string& wanted, int seconds = 15) {
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < end) {
        for (const std::string& line : LogLines(log))
            if (line == wanted)
                return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

// The words after "cell C R" of the lines that start so, keyed by "C R".
std::map<std::string, std::vector<std::string>> CellLines(const fs::path& log) {
    std::map<std::string, std::vector<std::string>> cells;
    for (const std::string& line : LogLines(log)) {
        std::istringstream words(line);
        std::string kind, col, row;
        if (!(words >> kind >> col >> row) || kind != "cell")
            continue;
        std::vector<std::string> rest;
        for (std::string w; words >> w;)
            rest.push_back(w);
        cells[col + " " + row] = rest;
    }
    return cells;
}

std::string Centre(const std::vector<std::string>& rect) {
    int x = (std::stoi(rect[0]) + std::stoi(rect[2])) / 2;
    int y = (std::stoi(rect[1]) + std::stoi(rect[3])) / 2;
    return std::to_string(x) + " " + std::to_string(y);
}

TEST(GridClipboardDisplay, CopiedCellsReachAnotherProgramAndItsTextPastesIntoTheGrid) {
    if (!Installed("Xvfb") || !Installed("xdotool") || !Installed("xclip"))
        GTEST_SKIP() << "Xvfb, xdotool or xclip is not installed";
    fs::path dir = fs::path(KESTREL_BINARY_DIR) / "grid-clipboard-test";
    fs::create_directories(dir);
    fs::path log = dir / "driver.log", pasteText = dir / "paste.txt";
    fs::remove(log);
    std::ofstream(pasteText, std::ios::binary) << "x\ty\r\nz";

    int number = 80 + static_cast<int>(getpid() % 9);
    while (fs::exists("/tmp/.X11-unix/X" + std::to_string(number)))
        ++number;
    const std::string display = ":" + std::to_string(number);
    pid_t xvfb = Spawn({"Xvfb", display, "-screen", "0", "1024x768x24", "-nolisten", "tcp"}, "");
    for (int i = 0; i < 100 && !fs::exists("/tmp/.X11-unix/X" + std::to_string(number)); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    pid_t driver = Spawn({DRIVER_PATH, log.string()}, display);
    pid_t owner = -1;

    ASSERT_TRUE(WaitForLine(log, "ready")) << "the grid never showed";
    auto cells = CellLines(log);
    ASSERT_EQ(cells.count("0 0"), 1u);
    // A click on A, Shift+Right and Shift+Down select A..D; Ctrl+C copies.
    RunOn("xdotool mousemove " + Centre(cells["0 0"]) + " click 1", display);
    RunOn("xdotool key shift+Right shift+Down ctrl+c", display);
    ASSERT_TRUE(WaitForLine(log, "copied"));
    EXPECT_EQ(OutputOf("xclip -o -selection clipboard", display), "A\tB\nC\tD");

    // Another program owns the clipboard now; from B's row below, Ctrl+V pastes its text.
    owner = Spawn({"xclip", "-quiet", "-selection", "clipboard", "-i", pasteText.string()}, display,
                  true);
    for (int i = 0; i < 50 && OutputOf("xclip -o -selection clipboard", display) != "x\ty\r\nz";
         ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    RunOn("xdotool key Right Down ctrl+v", display);
    ASSERT_TRUE(WaitForLine(log, "done"));
    cells = CellLines(log);
    EXPECT_EQ(cells["1 1"], (std::vector<std::string>{"x", "1"}));
    EXPECT_EQ(cells["2 1"], (std::vector<std::string>{"y", "1"}));
    EXPECT_EQ(cells["1 2"], (std::vector<std::string>{"z", "1"}));
    EXPECT_EQ(cells["2 2"], (std::vector<std::string>{"1"})); // empty, and selected
    EXPECT_EQ(cells["0 0"], (std::vector<std::string>{"A", "0"}));
    EXPECT_EQ(cells["3 1"], (std::vector<std::string>{"0"}));

    Stop(driver);
    if (owner > 0) {
        kill(owner, SIGTERM);
        waitpid(owner, nullptr, 0);
    }
    kill(xvfb, SIGTERM);
    waitpid(xvfb, nullptr, 0);
}

} // namespace
