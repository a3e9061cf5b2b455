#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "KestrelRun.h"

namespace {

// Long enough for a sanitizer build on a busy machine, far below the time a waiting run is
// killed after: an input that ends is noticed at once, not by a time-out.
constexpr double kAtOnce = 5.0;

KestrelResult Probe(const std::vector<std::string>& lines,
                    std::vector<std::string> args = {kOfficePlan, "--module", kProbeModule}) {
    return RunKestrel(WithLines(std::move(args), lines));
}

} // namespace

TEST(Program, HelpAndBadArguments) {
    KestrelResult help = RunKestrel({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(Has(help.out, "--script FILE")) << help.out;
    EXPECT_TRUE(Has(help.out, "Exit codes"));

    KestrelResult none = RunKestrel({});
    EXPECT_EQ(none.exitCode, 2);
    EXPECT_TRUE(Has(none.err, "no drawing given")) << none.err;
    KestrelResult missing = RunKestrel({"/nonexistent/plan.dxf", "-c", "ZRBOMT"});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_TRUE(Has(missing.err, "/nonexistent/plan.dxf")) << missing.err;
    KestrelResult module = RunKestrel({kOfficePlan, "--module", "/nonexistent.arx"});
    EXPECT_EQ(module.exitCode, 2);
    EXPECT_TRUE(Has(module.err, "cannot load the module")) << module.err;
    KestrelResult script = RunKestrel({kOfficePlan, "--script", "/nonexistent.scr"});
    EXPECT_EQ(script.exitCode, 2);
}

TEST(Program, RunsTheModulesCommandsAndGoesOnAfterAnUnknownOne) {
    KestrelResult run = RunKestrel({kOfficePlan, "-c", "FROBNICATE", "-c", "ZRBOMT", "-c",
                                    "CLICK \"&Close\"", "-c", "zrbomc", "-c", "CANCEL", "-c",
                                    "CANCEL", "-c", "_CalcPrice_Global", "-c", "CANCEL", "-c", ""});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(Has(run.out, "Unknown command \"FROBNICATE\".  Press F1 for help.")) << run.out;
    EXPECT_TRUE(Has(run.out, "Command: ZRBOMT\n")) << run.out;
    EXPECT_TRUE(Has(run.out, "Command: zrbomc\n")) << run.out;
    EXPECT_TRUE(Has(run.out, "Command: _CalcPrice_Global\n")) << run.out;
    EXPECT_EQ(run.err, "");

    // The same from a script file, comments and blank lines included, and typed on the console.
    std::string dir = ScratchDir("script");
    std::ofstream(dir + "/run.scr")
        << "# a comment\nZRBOMT   # and another\nCLICK \"&Close\"\n\nZRBOMC\nCANCEL\nCANCEL\n";
    KestrelResult script = RunKestrel({kOfficePlan, "--script", dir + "/run.scr"});
    EXPECT_EQ(script.exitCode, 0) << script.err;
    KestrelResult console = RunKestrel({kOfficePlan}, "ZRBOMT\nKEY ESC\nNOPE\n");
    EXPECT_EQ(console.exitCode, 0) << console.err;
    EXPECT_TRUE(Has(console.out, "Unknown command \"NOPE\"")) << console.out;
}

TEST(Program, InputEndingWhileAwaitedExitsWithFourNamingThePromptAtOnce) {
    KestrelResult selection = Probe({"PROBESEL", "ALL"});
    EXPECT_EQ(selection.exitCode, 4) << selection.err;
    EXPECT_TRUE(Has(selection.err, "input ended while waiting for: Select objects"))
        << selection.err;
    EXPECT_LT(selection.seconds, kAtOnce);
    // The command saw a cancel and ended normally.
    EXPECT_TRUE(Has(selection.out, "selection result -5002")) << selection.out;

    KestrelResult console = RunKestrel({kOfficePlan, "--module", kProbeModule}, "PROBESEL\nALL\n");
    EXPECT_EQ(console.exitCode, 4);
    EXPECT_LT(console.seconds, kAtOnce);

    KestrelResult point = Probe({"PROBEPOINT"});
    EXPECT_EQ(point.exitCode, 4);
    EXPECT_TRUE(Has(point.err, "waiting for: Upper left corner of table:")) << point.err;
    KestrelResult file = Probe({"PROBEFILE"});
    EXPECT_EQ(file.exitCode, 4);
    EXPECT_TRUE(Has(file.err, "waiting for: file dialog \"Open\"")) << file.err;
    KestrelResult drag = Probe({"PROBEDRAG", "MOVE 1,1"});
    EXPECT_EQ(drag.exitCode, 4);
    EXPECT_TRUE(Has(drag.err, "waiting for: cursor tracking")) << drag.err;
    // Nothing after the end is run.
    EXPECT_FALSE(Has(drag.out, "Command: PROBEDRAG\n\nCommand:"));
}

TEST(Program, PromptsTrackingAndTransparentCommands) {
    KestrelResult run =
        Probe({"PROBEPOINT", "", "'PROBEVARS", "'PROBEPOINT", "1.5,-2", "PROBEDRAG", "MOVE 3,1",
               "MOVE 4,2", "PICK 4,2", "PROBEFILE", "prices/office", "PROBEFILE", "CANCEL"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(Has(run.out, "Point or option keyword required.")) << run.out;
    EXPECT_TRUE(
        Has(run.out, "ATTREQ=1\nCMDECHO=1\nSNAPMODE=0\nOSMODE=4133\nDWGNAME=office-plan.dxf"))
        << run.out;
    EXPECT_TRUE(Has(run.out, "** That command may not be invoked transparently **"));
    EXPECT_TRUE(Has(run.out, "point 1.5,-2,0"));
    EXPECT_TRUE(Has(run.out, "drag ended: result 5100 type 3"));
    EXPECT_TRUE(Has(run.out, "file prices/office.prc"));
    EXPECT_TRUE(Has(run.out, "no file"));
    // The rubber band was erased before the command ended.
    EXPECT_FALSE(Has(run.err, "temporary vector")) << run.err;
}

TEST(Program, AlertsAreMessageBoxesTheScriptAnswersAndChecks) {
    std::string shots = ScratchDir("shots");
    KestrelResult alert =
        Probe({"PROBEALERT", "EXPECT ALERT \"File nowhere.prc could  not be opened\"",
               "EXPECT DIALOG \"Kestrel\"", "SHOT alert", "CLICK \"OK\"", "PROBEVARS"},
              {kOfficePlan, "--module", kProbeModule, "--shots", shots});
    EXPECT_EQ(alert.exitCode, 0) << alert.err;
    EXPECT_TRUE(Has(alert.err, "ALERT: File nowhere.prc could  not be opened\n")) << alert.err;
    EXPECT_TRUE(Has(alert.out, "ATTREQ=")) << alert.out;
    EXPECT_TRUE(std::filesystem::exists(shots + "/alert.png"));

    KestrelResult unanswered = Probe({"PROBEALERT"});
    EXPECT_EQ(unanswered.exitCode, 4);
    EXPECT_TRUE(Has(unanswered.err, "waiting for: dialog \"Kestrel\"")) << unanswered.err;
    EXPECT_LT(unanswered.seconds, kAtOnce);

    KestrelResult wrong = Probe({"PROBEALERT", "EXPECT ALERT \"Something else\"", "CLICK OK"});
    EXPECT_EQ(wrong.exitCode, 3);
    EXPECT_TRUE(Has(wrong.err, "-c 2: EXPECT ALERT \"Something else\" failed")) << wrong.err;
}

TEST(Program, FailuresAndMisplacedLinesGiveTheirExitCodes) {
    KestrelResult thrown = Probe({"PROBETHROW", "PROBEVARS"});
    EXPECT_EQ(thrown.exitCode, 3);
    EXPECT_TRUE(Has(thrown.err, "PROBETHROW ended with an exception: probe failure")) << thrown.err;
    EXPECT_FALSE(Has(thrown.out, "ATTREQ="));

    KestrelResult click = Probe({"ZRBOMT", "CLICK \"&Close\""});
    EXPECT_EQ(click.exitCode, 2);
    EXPECT_TRUE(Has(click.err, "-c 2: CLICK \"&Close\": no dialog or message box is open"))
        << click.err;
    // With no dialog open SHOT saves the main window; a path instead of a name is refused.
    EXPECT_EQ(Probe({"SHOT drawing"}).exitCode, 0);
    KestrelResult shot = Probe({"SHOT ../drawing"});
    EXPECT_EQ(shot.exitCode, 2);
    KestrelResult quote = Probe({"EXPECT ALERT \"open"});
    EXPECT_EQ(quote.exitCode, 2);
}

// The README's main job: its first command prints the report the README shows and saves the
// plan with the table.
TEST(Program, RunsTheReadmeCommand) {
    std::ifstream readme(kSourceDir + "/README.md");
    std::string line, command, shown;
    bool inReport = false, afterPrints = false;
    while (std::getline(readme, line)) {
        if (command.empty() && line.find("kestrel bom examples/") != std::string::npos)
            command = line;
        if (line.find("prints the report") != std::string::npos)
            afterPrints = true;
        if (afterPrints && line == "```") {
            if (inReport)
                break;
            inReport = true;
            continue;
        }
        if (inReport)
            shown += line + "\r\n";
    }
    ASSERT_FALSE(command.empty());
    ASSERT_FALSE(shown.empty());
    // The arguments after "kestrel", run from the source folder; -o goes to a scratch folder
    // and the module's settings to a copy's folder.
    std::istringstream words(command.substr(command.find("kestrel bom") + 8));
    std::vector<std::string> args;
    std::string dir = ScratchDir("readme");
    for (std::string word; words >> word;)
        args.push_back(word == "office-bom.dxf" ? dir + "/office-bom.dxf" : word);
    std::filesystem::copy_file(kBinaryDir + "/bin/kestrel.arx", dir + "/kestrel.arx");
    args.insert(args.end(), {"--module", dir + "/kestrel.arx"});
    KestrelResult run = RunKestrel(args, "", 20, kSourceDir);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, shown);
    EXPECT_EQ(run.err, "");
    std::string peer =
        RunShell("/usr/bin/python3 " + kSourceDir + "/tests/shell/drawing_check.py " + dir +
                 "/office-bom.dxf insert QVN0001");
    EXPECT_TRUE(Has(peer, "audit errors 0\nref 0,-0.5 0.15,0.15 0 BLOCKNAME=Block name")) << peer;
}

// The same by hand: the example script, run in a copy of the examples folder.
TEST(Program, RunsTheExampleScript) {
    std::string dir = ScratchDir("example");
    std::filesystem::create_directories(dir + "/examples");
    for (const char* name : {"office-plan.dxf", "office.prc", "office-bom.scr"})
        std::filesystem::copy_file(kSourceDir + "/examples/" + name, dir + "/examples/" + name);
    std::filesystem::copy_file(kBinaryDir + "/bin/kestrel.arx", dir + "/kestrel.arx");
    KestrelResult run =
        RunKestrel({"examples/office-plan.dxf", "--script", "examples/office-bom.scr", "-o",
                    "office-bom.dxf", "--module", dir + "/kestrel.arx"},
                   "", 10, dir);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_FALSE(Has(run.out, "Unknown command")) << run.out;
    EXPECT_TRUE(std::filesystem::exists(dir + "/filename.set"));
    EXPECT_TRUE(Has(ReadFile(dir + "/office-bom.txt"), "  Summary:"));
    std::string peer =
        RunShell("/usr/bin/python3 " + kSourceDir + "/tests/shell/drawing_check.py " + dir +
                 "/office-bom.dxf insert QVN0001");
    EXPECT_TRUE(Has(peer, "ref 0,-0.5 0.15,0.15 0 ")) << peer;
}
