#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "shell/Arguments.h"
#include "shell/LoadedModule.h"
#include "tests/support/ScratchDir.h"

using shell::ParseArguments;

TEST(Arguments, ReadsTheDrawingItsInputAndOptions) {
    std::string error;
    auto args = ParseArguments(
        {"plan.dxf", "-c", "ZRBOMT", "-c", "", "-o", "out.dxf", "--module", "/opt/k.arx"}, error);
    ASSERT_TRUE(args) << error;
    EXPECT_EQ(args->drawing, "plan.dxf");
    EXPECT_EQ(args->lines, (std::vector<std::string>{"ZRBOMT", ""}));
    EXPECT_EQ(args->output, "out.dxf");
    EXPECT_EQ(args->module, "/opt/k.arx");
    EXPECT_TRUE(ParseArguments({"--help"}, error)->help);
    EXPECT_TRUE(ParseArguments({"--version"}, error)->version); // no drawing needed
    EXPECT_EQ(ParseArguments({"--script", "run.scr", "plan.dxf"}, error)->script, "run.scr");
}

TEST(Arguments, GuiAsksForTheDisplay) {
    std::string error;
    auto plain = ParseArguments({"a.dxf"}, error);
    auto gui = ParseArguments({"a.dxf", "--gui", "--script", "s"}, error);
    ASSERT_TRUE(plain && gui);
    EXPECT_FALSE(plain->gui);
    EXPECT_TRUE(gui->gui);
    EXPECT_EQ(gui->script, "s");
}

TEST(Arguments, RefusesWhatCannotBeRunWithAReason) {
    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"-c", "ZRBOMT"},
        {"a.dxf", "b.dxf"},
        {"a.dxf", "--script"},
        {"a.dxf", "--script", "s", "-c", "ZRBOMT"},
        {"a.dxf", "--script", "s", "--script", "t"},
        {"a.dxf", "--frobnicate"},
        // An empty name names no file: nothing would be saved, read or written where meant.
        {"a.dxf", "-o", ""},
        {"a.dxf", "--script", ""},
        {"a.dxf", "--shots", ""},
        {"a.dxf", "--module", ""},
        {"a.dxf", "bom"},
    };
    for (const auto& args : wrong) {
        std::string error;
        EXPECT_FALSE(ParseArguments(args, error));
        EXPECT_FALSE(error.empty());
    }
}

// The module lies beside the program in the build folder and in lib/kestrel when installed; a
// module beside the program wins, and with neither the message names the one beside it.
TEST(Arguments, TheModuleIsFoundBesideTheProgramOrWhereItIsInstalled) {
    ScratchDir dir;
    std::filesystem::create_directories(dir.Path("usr/bin"));
    const std::string program = dir.Path("usr/bin/kestrel").string();
    EXPECT_EQ(shell::ModuleOfProgram(program), dir.Path("usr/bin/kestrel.arx").string());
    std::filesystem::create_directories(dir.Path("usr/lib/kestrel"));
    dir.Write("usr/lib/kestrel/kestrel.arx", "");
    EXPECT_EQ(shell::ModuleOfProgram(program),
              dir.Path("usr/bin/../lib/kestrel/kestrel.arx").string());
    dir.Write("usr/bin/kestrel.arx", "");
    EXPECT_EQ(shell::ModuleOfProgram(program), dir.Path("usr/bin/kestrel.arx").string());
}
