#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "KestrelRun.h"

namespace {

// What the peer reader says about a drawing.
std::string PeerCheck(const std::string& drawing, const std::string& extra = "") {
    return RunShell("/usr/bin/python3 " + kSourceDir + "/tests/shell/drawing_check.py '" + drawing +
                    "' " + extra + " 2>&1");
}

std::string CopyOfPlan(const std::string& dir) {
    std::string copy = dir + "/plan.dxf";
    std::filesystem::copy_file(kOfficePlan, copy);
    return copy;
}

} // namespace

TEST(Drawing, SelectionsTakeModelSpaceReferencesInDrawingOrder) {
    KestrelResult run =
        RunKestrel(WithLines({kOfficePlan, "--module", kProbeModule},
                             {"PROBESEL", "ALL", "", "PROBESEL", "W -1,-1 5.9,6.5", "", "PROBESEL",
                              "C 9.5,6 11,7", "H 59 50 5d", "", "PROBESEL", "", "PROBEVARS"}));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(Has(run.out, "selected 14: 55 59 5D 5F 61 63 65 67 69 6B 6D 6F 71 73\n"))
        << run.out;
    EXPECT_TRUE(Has(run.out, "selected 4: 55 65 67 69\n")) << run.out;
    // The line 50 is no block reference; the set keeps the drawing's order.
    EXPECT_TRUE(Has(run.out, "selected 3: 59 5D 6F\n")) << run.out;
    EXPECT_TRUE(Has(run.out, "selection result -5001")) << run.out; // nothing selected
    EXPECT_TRUE(Has(run.out, "DWGNAME=office-plan.dxf")) << run.out;
}

TEST(Drawing, SaveWritesAnAuditCleanDrawingAndKeepsTheOldOneAsBak) {
    std::string dir = ScratchDir("save");
    std::string plan = CopyOfPlan(dir);
    KestrelResult run =
        RunKestrel({plan, "-c", "ZRBOMT", "-c", "CLICK \"&Close\"", "-c", "SAVE", "-c",
                    "SAVE \"" + dir + "/saved copy.dxf\"", "-o", dir + "/out.dxf"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(std::filesystem::exists(dir + "/plan.bak"));
    for (const char* name : {"/plan.dxf", "/saved copy.dxf", "/out.dxf"})
        EXPECT_TRUE(Has(PeerCheck(dir + name), "audit errors 0")) << name;

    KestrelResult failed = RunKestrel({plan, "-c", "SAVE /nonexistent/dir/x.dxf", "-c", "ZRBOMT"});
    EXPECT_EQ(failed.exitCode, 2);
    EXPECT_TRUE(Has(failed.err, "SAVE failed")) << failed.err;
    EXPECT_FALSE(Has(failed.out, "Command: ZRBOMT"));
}

TEST(Drawing, InsertThroughTheCommandGivesOneAttributePerDefinitionAtItsDefault) {
    std::string dir = ScratchDir("insert");
    std::string out = dir + "/inserted.dxf";
    KestrelResult run = RunKestrel(WithLines({kOfficePlan, "--module", kProbeModule, "-o", out},
                                             {"PROBEINSERT", "PROBEVARS"}));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(Has(run.out, "insert result 5100")) << run.out;
    // ATTREQ is back to its value and the INSERT prompts were echoed (CMDECHO is 1).
    EXPECT_TRUE(Has(run.out, "ATTREQ=1")) << run.out;
    std::string peer = PeerCheck(out, "insert Door");
    EXPECT_TRUE(Has(peer, "audit errors 0")) << peer;
    EXPECT_TRUE(Has(peer, "ref 3,4 2,2 0 TYPE=single FIRE=EI30\n")) << peer;
}

TEST(Drawing, AnUnreadableDrawingIsRefusedWithExitTwo) {
    std::string dir = ScratchDir("bad");
    std::ofstream(dir + "/bad.dxf") << "0\nSECTION\n2\nENTITIES\n0\nLINE\n10\nnot a number\n";
    KestrelResult run = RunKestrel({dir + "/bad.dxf", "-c", "ZRBOMT"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(Has(run.err, "bad.dxf")) << run.err;
    EXPECT_FALSE(Has(run.out, "Command:"));
}

TEST(Drawing, EntityNamesLeadToTheSelectedReferences) {
    KestrelResult run = RunKestrel(
        WithLines({kOfficePlan, "--module", kProbeModule}, {"PROBENAMES", "H 55 71 65", ""}));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(Has(run.out, "\nblock Door\nblock Desk\nblock *U1\n")) << run.out;
}

TEST(Drawing, ACommandThatLeavesAnObjectOpenIsAnError) {
    KestrelResult forgetful =
        RunKestrel(WithLines({kOfficePlan, "--module", kProbeModule}, {"PROBELEAK"}));
    EXPECT_EQ(forgetful.exitCode, 0);
    EXPECT_TRUE(Has(forgetful.err, "PROBELEAK did not free 1 selection set")) << forgetful.err;

    KestrelResult run =
        RunKestrel(WithLines({kOfficePlan, "--module", kProbeModule}, {"PROBEOPEN", "ZRBOMT"}));
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_TRUE(Has(run.err, "PROBEOPEN left 1 object(s) open: BLOCK_RECORD 17")) << run.err;
    EXPECT_FALSE(Has(run.out, "Command: ZRBOMT"));
}
