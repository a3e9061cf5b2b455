// The "BOM Report" dialog through scripts: the settings it keeps between runs, the resize lock
// while prices are hidden, the keys outside the grid, and the proposed names of the text file.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "KestrelRun.h"

namespace {

// A folder with its own copy of the module, so that the settings files beside it are the
// test's own.
struct ModuleFolder {
    std::string dir;
    explicit ModuleFolder(const std::string& name) : dir(ScratchDir(name)) {
        std::filesystem::copy_file(kBinaryDir + "/bin/kestrel.arx", dir + "/kestrel.arx");
        std::string command = "/usr/bin/python3 " + kSourceDir +
                              "/tests/shell/make_bom_drawing.py '" + dir + "/Plan.dxf'";
        EXPECT_EQ(std::system(command.c_str()), 0);
    }
    ~ModuleFolder() { std::filesystem::remove_all(dir); }

    KestrelResult Run(const std::vector<std::string>& lines, const std::string& shots = "") {
        std::vector<std::string> args = {"Plan.dxf", "--module", dir + "/kestrel.arx", "--shots",
                                         shots.empty() ? dir + "/shots" : shots};
        for (const auto& line : lines)
            args.insert(args.end(), {"-c", line});
        return RunKestrel(args, "", 20, dir);
    }
    std::string Widths() const { return ReadFile(dir + "/kestrel2.set"); }
};

std::string Format(int a, int b, int c, int d, int e) {
    return std::to_string(a) + " " + std::to_string(b) + " " + std::to_string(c) + " " +
           std::to_string(d) + " " + std::to_string(e) + " ";
}

// A drag of a column edge in the title row, from x to x + by.
std::vector<std::string> DragEdge(int x, int by) {
    auto at = [](int x) { return std::to_string(x) + ",10 2"; };
    return {"MOUSE MOVE " + at(x), "MOUSE DOWN " + at(x), "MOUSE MOVE " + at(x + by),
            "MOUSE UP " + at(x + by)};
}

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const std::vector<std::string> kOpenReport = {"ZRBOMC", "CANCEL", "ALL", ""};

} // namespace

TEST(ReportDialogRun, HiddenPricesKeepTheirWidthsAcrossRunsAndLockResizing) {
    ModuleFolder module("report-widths");
    // Without settings the five columns are equally wide: four twentieths of the grid each.
    KestrelResult run = module.Run(kOpenReport + std::vector<std::string>{"CLICK \"&Close\""});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    int w = 0;
    ASSERT_EQ(std::sscanf(module.Widths().c_str(), "%d", &w), 1) << module.Widths();
    ASSERT_GT(w, 20);
    EXPECT_EQ(module.Widths(), Format(w, w, w, w, w));
    EXPECT_EQ(w % 4, 0);

    // Hidden prices: no edge moves, neither the one that would pull a price column open
    // (after Block name) nor another (after Quantity); closing keeps the price widths.
    run = module.Run(kOpenReport + std::vector<std::string>{"CLICK \"Show Price\""} +
                     DragEdge(w, 50) + DragEdge(2 * w, 30) +
                     std::vector<std::string>{"SHOT locked", "CLICK \"&Close\""});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(module.Widths(), Format(w, w, w, w, w));

    // Within one session the next report opens with the prices still hidden; showing them
    // brings the remembered widths back, and a column can be resized again.
    run = module.Run(
        kOpenReport + std::vector<std::string>{"CLICK \"Show Price\"", "CLICK \"&Close\""} +
        kOpenReport + std::vector<std::string>{"SHOT hidden-again", "CLICK \"Show Price\""} +
        DragEdge(w, 40) + std::vector<std::string>{"SHOT shown-again", "CLICK \"&Close\""});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(module.Widths(), Format(w + 40, w, w, w, w));

    // A new session reads them back and keeps them.
    run = module.Run(kOpenReport + std::vector<std::string>{"CLICK \"&Close\""});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(module.Widths(), Format(w + 40, w, w, w, w));
    EXPECT_EQ(ReadFile(module.dir + "/filename.set"), "");
}

TEST(ReportDialogRun, EnterOutsideTheGridDoesNothingAndEscClosesAsCloseDoes) {
    ModuleFolder module("report-keys");
    std::string shots = module.dir + "/shots";
    KestrelResult run = module.Run(
        kOpenReport +
        std::vector<std::string>{"CLICK \"Show Price\"", "CLICK \"Show Price\"", "KEY ENTER",
                                 "EXPECT DIALOG \"BOM Report\"", "SHOT after-enter", "KEY ESC"} +
        // Esc in the grid, after a click on a cell has given it the focus.
        kOpenReport +
        std::vector<std::string>{"MOUSE DOWN 20,10 1", "MOUSE UP 20,10 1", "KEY ESC"} +
        std::vector<std::string>{"SAVE " + module.dir + "/after.dxf"});
    ASSERT_EQ(run.exitCode, 0) << run.err << run.out;
    EXPECT_TRUE(std::filesystem::exists(module.dir + "/kestrel2.set"));
    // Nothing was placed: no table block, no insertion prompts.
    EXPECT_EQ(run.out.find("Upper left corner"), std::string::npos);
    EXPECT_EQ(ReadFile(module.dir + "/after.dxf").find("QVN"), std::string::npos);
}

TEST(ReportDialogRun, SaveToFileProposesANameFromTheDrawingAndThePriceFile) {
    ModuleFolder module("report-names");
    std::filesystem::create_directories(module.dir + "/lists");
    std::ofstream(module.dir + "/lists/doors.prc", std::ios::binary) << "Bolt|0.25|bolt\r\n";
    // An empty answer takes the proposed name.
    const std::vector<std::string> save = {"CLICK \"&Save to file\"", "", "CLICK \"&Close\""};
    KestrelResult run = module.Run(kOpenReport + save);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(run.out.find("Save as (file name or CANCEL): \n") != std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(module.dir + "/Plan.txt"));

    run = module.Run(std::vector<std::string>{"ZRBOMC", "lists/doors.prc", "ALL", ""} + save);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadFile(module.dir + "/lists/doors-Plan.txt"),
              "Block name Item Price   Quantity          Description      Total\r\n"
              "      bolt       0.25         10                 bolt       2.50\r\n"
              "  Summary:                                                  2.50\r\n");
    EXPECT_EQ(ReadFile(module.dir + "/filename.set"), "lists/doors.prc");
}
