#include <gtest/gtest.h>

#include "ReportTestSupport.h"
#include "host/HostModule.h"
#include "host/TablePlacement.h"
#include "tests/acad/ed/EditorTestSupport.h"
#include "tests/support/ScratchDir.h"

#include <aced.h>

#include "report/ReportCommand.h"
#include "resources/KestrelResources.h"

namespace {

// Earlier values that are not 0, so that a missed restore shows.
const int kEarlier[4] = {1, 1, 1, 37};

void SetEarlierValues() {
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(ed::SysVars().SetInt(kQuietedVariables[i], kEarlier[i]));
}

void ExpectEarlierValues() {
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(ed::SysVars().Get(kQuietedVariables[i])->number, kEarlier[i])
            << kQuietedVariables[i];
}

double Drag(std::vector<std::wstring> lines, std::string* printed = nullptr) {
    EditorRun run(std::move(lines));
    ads_point corner = {0, 0, 0};
    double scale = DragTableCorner(corner, 50.0, 10.0); // five times wider than high
    EXPECT_TRUE(ed::GrDraws().OnScreen().empty()) << "a rubber band stayed on screen";
    if (printed)
        *printed = run.out.str();
    return scale;
}

// The lower-right corner of the rectangle drawn last: the end of its first vector.
std::pair<double, double> LastCorner() {
    const auto& drawn = ed::GrDraws().History();
    // Each rectangle is four vectors; the last one drawn is erased last, so it is the one
    // before the closing erase.
    const ed::GrVector& first = drawn[drawn.size() - 8];
    return {first.to.x, first.to.y};
}

} // namespace

TEST(TablePlacement, DragScaleFollowsTheRectangleShownLast) {
    EXPECT_EQ(Drag({L"PICK 30,-30"}), 1.0); // no move: the natural size
    EXPECT_TRUE(ed::GrDraws().History().empty());
    EXPECT_EQ(Drag({L"MOVE 100,0", L"PICK 3,3"}), 2.0);
    EXPECT_EQ(Drag({L"MOVE -100,0", L"PICK 3,3"}), 2.0); // either side of the corner
    EXPECT_DOUBLE_EQ(Drag({L"MOVE 10,-20", L"MOVE 1,-4", L"PICK 99,99"}), 0.4); // mostly down

    // The rule compares raw distances: 10 down, 9 right gives 50 wide; 10 down, 11 right, 11.
    EXPECT_EQ(Drag({L"MOVE 9,-10", L"PICK 0,0"}), 1.0);
    EXPECT_EQ(LastCorner(), std::make_pair(50.0, -10.0));
    EXPECT_DOUBLE_EQ(Drag({L"MOVE 11,-10", L"PICK 0,0"}), 11.0 / 50.0);
    EXPECT_DOUBLE_EQ(LastCorner().first, 11.0);
    EXPECT_DOUBLE_EQ(LastCorner().second, -11.0 / 5.0);

    // Every vector inverts the screen, at z 0, highlighted.
    for (const ed::GrVector& v : ed::GrDraws().History()) {
        EXPECT_EQ(v.colour, -1);
        EXPECT_EQ(v.highlight, 1);
        EXPECT_EQ(v.from.z, 0.0);
        EXPECT_EQ(v.to.z, 0.0);
    }

    // The command line shows the script's lines as they are read.
    std::string printed;
    EXPECT_EQ(Drag({L"MOVE 100,-3", L"ENTER"}, &printed), 1.0);
    EXPECT_EQ(printed, "MOVE 100,-3\nENTER\n");
    EXPECT_EQ(Drag({L"MOVE 100,-3", L"ESC"}, &printed), 1.0);
    EXPECT_EQ(printed, "MOVE 100,-3\nESC\n\n*CANCEL*\n");
}

TEST(TablePlacement, TheReportsTableIsInsertedAtTheCornerAndScaleAndTheEditorRestored) {
    ScratchDir files;
    ASSERT_TRUE(MakeCountDrawing(files.Path("plan.dxf")));
    WorkingDrawing plan(files.Path("plan.dxf").string());
    ModuleMain(KestrelResources(), DLL_PROCESS_ATTACH); // the dialog's template
    {
        EditorRun run({L"CANCEL", L"ALL", L"", L"2,3", L"MOVE 50,0", L"MOVE 102,3", L"PICK 7,7"},
                      &plan.drawing);
        SetEarlierValues();
        RunReportCommand<TableReadyDialog>();
        EXPECT_NE(run.out.str().find("Upper left corner of table: "), std::string::npos);
        EXPECT_NE(run.out.str().find("Lower right corner (or RETURN): "), std::string::npos);
        EXPECT_TRUE(ed::GrDraws().OnScreen().empty());
        ExpectEarlierValues();
    }
    ModuleMain(KestrelResources(), DLL_PROCESS_DETACH);
    EXPECT_TRUE(plan.database.openedObjects().empty());
    ASSERT_EQ(plan.database.saveAs(files.Wide("placed.dxf").c_str()), Acad::eOk);
    std::string peer = PeerCheck(files.Path("placed.dxf").string(), "insert QVN0001");
    EXPECT_NE(peer.find("audit errors 0"), std::string::npos) << peer;
    EXPECT_NE(peer.find("ref 2,3 2,2 0 \n"), std::string::npos) << peer;
}

TEST(TablePlacement, EveryWayOutRestoresTheEditorSettings) {
    ScratchDir files;
    ASSERT_TRUE(MakeCountDrawing(files.Path("plan.dxf")));
    WorkingDrawing plan(files.Path("plan.dxf").string());
    AddTableBlock(L"QVN0007", 50.0, 10.0);

    // Cancelled at the corner: nothing is inserted.
    {
        EditorRun run({L"CANCEL"}, &plan.drawing);
        SetEarlierValues();
        PlaceTableBlock(L"QVN0007", 50.0, 10.0);
        ExpectEarlierValues();
    }
    // Enter and Esc while dragging insert at scale 1.
    for (const wchar_t* end : {L"ENTER", L"ESC"}) {
        EditorRun run({L"10,20", L"MOVE 300,0", end}, &plan.drawing);
        SetEarlierValues();
        PlaceTableBlock(L"QVN0007", 50.0, 10.0);
        ExpectEarlierValues();
        EXPECT_TRUE(ed::GrDraws().OnScreen().empty());
    }
    EXPECT_TRUE(plan.database.openedObjects().empty());
    ASSERT_EQ(plan.database.saveAs(files.Wide("placed.dxf").c_str()), Acad::eOk);
    std::string peer = PeerCheck(files.Path("placed.dxf").string(), "insert QVN0007");
    EXPECT_EQ(peer, "audit errors 0\nref 10,20 1,1 0 \nref 10,20 1,1 0 \n");
}
