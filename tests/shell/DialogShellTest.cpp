#include <gtest/gtest.h>

#include <filesystem>

#include "KestrelRun.h"

namespace {

KestrelResult RunIn(const std::string& dir, const std::vector<std::string>& lines) {
    return RunKestrel(WithLines({kOfficePlan, "--module", ModuleIn(dir), "--shots", dir}, lines));
}

// Width and height of a PNG, from its header.
std::pair<int, int> PngSize(const std::string& path) {
    FILE* file = fopen(path.c_str(), "rb");
    if (!file)
        return {0, 0};
    unsigned char header[24] = {};
    std::size_t read = fread(header, 1, sizeof header, file);
    fclose(file);
    if (read != sizeof header)
        return {0, 0};
    auto be32 = [&](int at) {
        return header[at] << 24 | header[at + 1] << 16 | header[at + 2] << 8 | header[at + 3];
    };
    return {be32(16), be32(20)};
}

} // namespace

TEST(DialogShells, TemplateDialogOpensWithItsControlsAndEndsByCloseEscOrTitleBar) {
    std::string dir = ScratchDir("template-shell");
    KestrelResult run = RunIn(dir, {"ZRBOMT", "EXPECT DIALOG \"BOM Template\"", "SHOT template",
                                    "EXPECT TEXT 205 \"&Close\"", "EXPECT TEXT 218 \"&Move Down\"",
                                    "CLICK \"&Close\""});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    auto [width, height] = PngSize(dir + "/template.png");
    // 393 x 248 dialog units and the frame.
    EXPECT_GT(width, 393 * 6 / 4);
    EXPECT_GT(height, 248 * 13 / 8);

    // Save and the row buttons wait for a list: clicking them does nothing.
    KestrelResult disabled = RunIn(ScratchDir("template-disabled"), {"ZRBOMT", "CLICK \"&Save\""});
    EXPECT_EQ(disabled.exitCode, 2) << disabled.err;
    EXPECT_TRUE(Has(disabled.err, "disabled")) << disabled.err;

    KestrelResult esc =
        RunIn(ScratchDir("template-esc"), {"ZRBOMT", "KEY ESC", "ZRBOMT", "KEY ENTER"});
    EXPECT_EQ(esc.exitCode, 0) << esc.err;
    EXPECT_TRUE(Has(esc.out, "Command: ZRBOMT\nKEY ESC\nCommand: ZRBOMT\nKEY ENTER\n")) << esc.out;
}

TEST(DialogShells, ReportDialogOpensAfterItsPromptsAndEnds) {
    std::string dir = ScratchDir("report-shell");
    KestrelResult run = RunIn(dir, {"ZRBOMC", kSourceDir + "/examples/office.prc", "ALL", "",
                                    "EXPECT DIALOG \"BOM Report\"", "SHOT report",
                                    "EXPECT TEXT 214 \"" + kSourceDir + "/examples/office.prc\"",
                                    "EXPECT TEXT 221 \"Show Price\"", "CLICK \"&Close\""});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_GT(PngSize(dir + "/report.png").first, 394 * 6 / 4);
    // Closing kept the price file for the next run beside the module.
    EXPECT_TRUE(std::filesystem::exists(dir + "/filename.set"));
    EXPECT_TRUE(std::filesystem::exists(dir + "/kestrel2.set"));

    KestrelResult esc = RunIn(ScratchDir("report-esc"), {"ZRBOMC", "CANCEL", "ALL", "", "KEY ESC"});
    EXPECT_EQ(esc.exitCode, 0) << esc.err;
}

TEST(DialogShells, AScriptEndingWhileADialogIsOpenExitsWithFourNamingIt) {
    KestrelResult open = RunIn(ScratchDir("left-open"), {"ZRBOMT"});
    EXPECT_EQ(open.exitCode, 4);
    EXPECT_TRUE(Has(open.err, "dialog \"BOM Template\"")) << open.err;
    EXPECT_LT(open.seconds, 5.0); // noticed at once, not after the run's time limit

    KestrelResult report = RunIn(ScratchDir("left-open-report"), {"ZRBOMC", "CANCEL", "ALL", ""});
    EXPECT_EQ(report.exitCode, 4);
    EXPECT_TRUE(Has(report.err, "dialog \"BOM Report\"")) << report.err;
}
