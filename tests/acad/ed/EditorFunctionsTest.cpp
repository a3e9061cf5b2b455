#include <gtest/gtest.h>

#include <algorithm>

#include "EditorTestSupport.h"
#include "FakeDrawing.h"

#include <aced.h>

#include "ed/CommandLine.h"

using ed::Input;

namespace {

// Three references and a line: a door at 0..1, a desk at 10..12, a window at 20..21; entity
// names 1 to 4, handles 2A to 2D.
FakeDrawing OfficePlan() {
    FakeDrawing drawing;
    drawing.entities = {
        {1, 0x2A, "INSERT"}, {2, 0x2B, "LINE"}, {3, 0x2C, "INSERT"}, {4, 0x2D, "INSERT"}};
    drawing.extents = {
        {1, {0, 0, 1, 1}}, {2, {0, 0, 30, 0}}, {3, {10, 0, 12, 2}}, {4, {20, 0, 21, 1}}};
    return drawing;
}

std::vector<std::int64_t> Selected(const ads_name set) {
    int length = -1;
    EXPECT_EQ(acedSSLength(set, &length), RTNORM);
    std::vector<std::int64_t> names;
    for (int i = 0; i < length; ++i) {
        ads_name entity;
        EXPECT_EQ(acedSSName(set, i, entity), RTNORM);
        names.push_back(entity[0]);
    }
    return names;
}

resbuf InsertFilter() {
    resbuf filter{};
    filter.restype = 0;
    filter.resval.rstring = const_cast<wchar_t*>(L"insert");
    return filter;
}

} // namespace

TEST(Selection, WindowsCrossingHandlesAndAllKeepOnlyFilteredEntitiesInDrawingOrder) {
    FakeDrawing drawing = OfficePlan();
    EditorRun run({L"W -1,-1 11,3", L"H 2D 2B 2a", L"C 11.5,1 40,1", L""}, &drawing);
    resbuf filter = InsertFilter();
    ads_name set;
    ASSERT_EQ(acedSSGet(nullptr, nullptr, nullptr, &filter, set), RTNORM);
    // The window holds only the door (the desk reaches beyond it); the line is filtered out;
    // the crossing adds the desk and the window again.
    EXPECT_EQ(Selected(set), (std::vector<std::int64_t>{1, 3, 4}));
    EXPECT_NE(run.out.str().find("2 found (1 duplicate)"), std::string::npos);
    EXPECT_EQ(acedSSFree(set), RTNORM);
    EXPECT_EQ(acedSSFree(set), RTERROR);
    int length;
    EXPECT_EQ(acedSSLength(set, &length), RTERROR);
}

TEST(Selection, EmptyCancelledAndUnfinishedSelectionsFail) {
    FakeDrawing drawing = OfficePlan();
    resbuf filter = InsertFilter();
    ads_name set;
    {
        EditorRun run({L"W 100,100 200,200", L""}, &drawing);
        EXPECT_EQ(acedSSGet(nullptr, nullptr, nullptr, &filter, set), RTERROR);
        EXPECT_EQ(ed::Selections().Count(), 0u);
    }
    {
        EditorRun run({L"bogus", L"ALL", L"CANCEL"}, &drawing);
        EXPECT_EQ(acedSSGet(nullptr, nullptr, nullptr, &filter, set), RTCAN);
        EXPECT_NE(run.out.str().find("*Invalid selection*"), std::string::npos);
        EXPECT_FALSE(Input().Stopped());
    }
    {
        EditorRun run({L"ALL"}, &drawing);
        EXPECT_EQ(acedSSGet(nullptr, nullptr, nullptr, &filter, set), RTCAN);
        EXPECT_EQ(Input().ExitCode(), ed::kExitInputEnded);
        EXPECT_NE(Input().StopMessage().find(L"Select objects"), std::wstring::npos);
    }
    {
        EditorRun run({}, &drawing);
        ASSERT_EQ(acedSSGet(L"X", nullptr, nullptr, &filter, set), RTNORM);
        EXPECT_EQ(Selected(set).size(), 3u);
        resbuf layer{};
        layer.restype = 8;
        layer.resval.rstring = const_cast<wchar_t*>(L"0");
        EXPECT_EQ(acedSSGet(L"X", nullptr, nullptr, &layer, set), RTERROR);
    }
}

TEST(PointsAndTracking, PromptsRetryCancelAndReportCursorEvents) {
    EditorRun run({L"", L"here", L"3,4", L"", L"ESC", L"MOVE 1,2", L"MOVE 5,6", L"PICK 7,8",
                   L"ENTER", L"ESC"});
    ads_point p;
    acedInitGet(RSG_NONULL, nullptr);
    ASSERT_EQ(acedGetPoint(nullptr, L"\nUpper left corner of table: ", p), RTNORM);
    EXPECT_EQ(p[0], 3);
    EXPECT_EQ(p[1], 4);
    EXPECT_NE(run.out.str().find("Point or option keyword required."), std::string::npos);
    EXPECT_NE(run.out.str().find("Invalid point."), std::string::npos);
    // The flags apply to one request only: now an empty answer is allowed.
    EXPECT_EQ(acedGetPoint(nullptr, L"\nPoint: ", p), RTNONE);
    EXPECT_EQ(acedGetPoint(nullptr, L"\nPoint: ", p), RTCAN);

    int type = 0;
    resbuf event{};
    // Without tracking (bit 1) cursor moves are not reported.
    ASSERT_EQ(acedGrRead(8, &type, &event), RTNORM);
    EXPECT_EQ(type, 3);
    EXPECT_EQ(event.resval.rpoint[0], 7);
    ASSERT_EQ(acedGrRead(9, &type, &event), RTNORM);
    EXPECT_EQ(type, 2);
    EXPECT_EQ(event.restype, RTSHORT);
    EXPECT_EQ(event.resval.rint, 13);
    EXPECT_EQ(acedGrRead(9, &type, &event), RTCAN);
    EXPECT_FALSE(Input().Stopped());
    EXPECT_EQ(acedGrRead(9, &type, &event), RTCAN);
    EXPECT_EQ(Input().ExitCode(), ed::kExitInputEnded);
    EXPECT_EQ(Input().StopMessage(), L"input ended while waiting for: cursor tracking");
}

TEST(TemporaryGraphics, InvertingVectorsDrawnTwiceVanish) {
    EditorRun run({});
    ads_point a{0, 0, 0}, b{10, 0, 0}, c{10, 5, 0};
    acedGrDraw(a, b, -1, 1);
    acedGrDraw(b, c, -1, 1);
    acedGrDraw(b, a, -1, 1); // the same vector the other way round
    acedGrDraw(a, c, 3, 0);
    acedGrDraw(a, c, 3, 0); // plain colours do not invert
    ASSERT_EQ(ed::GrDraws().OnScreen().size(), 3u);
    EXPECT_EQ(ed::GrDraws().History().size(), 5u);
    acedGrDraw(c, b, -1, 1);
    EXPECT_EQ(ed::GrDraws().OnScreen().size(), 2u);
}

TEST(SystemVariables, LiveInTheDrawingWhenItKeepsThemAndAreIntegers) {
    FakeDrawing drawing;
    drawing.header[L"$ATTREQ"] = 1;
    EditorRun run({}, &drawing);
    resbuf value{};
    ASSERT_EQ(acedGetVar(L"attreq", &value), RTNORM);
    EXPECT_EQ(value.restype, RTSHORT);
    EXPECT_EQ(value.resval.rint, 1);
    value.resval.rint = 0;
    for (const wchar_t* name : {L"ATTREQ", L"CMDECHO", L"SNAPMODE", L"OSMODE"})
        EXPECT_EQ(acedSetVar(name, &value), RTNORM) << name;
    EXPECT_EQ(drawing.header[L"$ATTREQ"], 0);
    EXPECT_FALSE(drawing.header.contains(L"$CMDECHO"));
    ASSERT_EQ(acedGetVar(L"CMDECHO", &value), RTNORM);
    EXPECT_EQ(value.resval.rint, 0);

    ASSERT_EQ(acedGetVar(L"DWGNAME", &value), RTNORM);
    ASSERT_EQ(value.restype, RTSTR);
    EXPECT_STREQ(value.resval.rstring, L"office.dxf");
    acad_free(value.resval.rstring);
    EXPECT_EQ(acedSetVar(L"DWGNAME", &value), RTERROR);
    EXPECT_EQ(acedGetVar(L"NOSUCHVAR", &value), RTERROR);
    resbuf text{};
    text.restype = RTSTR;
    text.resval.rstring = const_cast<wchar_t*>(L"0");
    EXPECT_EQ(acedSetVar(L"OSMODE", &text), RTERROR);
}

TEST(InsertCommand, PlacesTheBlockWithDefaultAttributesOrAsksForThemWithAttreq) {
    FakeDrawing drawing;
    drawing.blocks[L"QVN0001"] = {{L"NAME", L"Name", L"door", false},
                                  {L"LOGO", L"", L"K", true},
                                  {L"PRICE", L"Price", L"12.50", false}};
    EditorRun run({L"13.00", L""}, &drawing);
    resbuf zero{};
    zero.restype = RTSHORT;
    acedSetVar(L"ATTREQ", &zero);
    ads_point corner{5, 7, 0};
    EXPECT_EQ(acedCommand(RTSTR, L".INSERT", RTSTR, L"QVN0001", RTPOINT, corner, RTREAL, 2.0,
                          RTREAL, 2.0, RTSTR, L"0", RTNONE),
              RTNORM);
    ASSERT_EQ(drawing.inserted.size(), 1u);
    const ed::InsertRequest& placed = drawing.inserted[0];
    EXPECT_EQ(placed.blockName, L"QVN0001");
    EXPECT_EQ(placed.position.x, 5);
    EXPECT_EQ(placed.position.y, 7);
    EXPECT_EQ(placed.scaleX, 2);
    EXPECT_EQ(placed.scaleY, 2);
    EXPECT_EQ(placed.rotationDegrees, 0);
    EXPECT_EQ(placed.attributeValues, (std::vector<std::wstring>{L"door", L"12.50"}));

    // With ATTREQ 1 the values are asked for; an empty answer keeps the default. A Y scale
    // left empty takes the X scale.
    resbuf one{};
    one.restype = RTSHORT;
    one.resval.rint = 1;
    acedSetVar(L"ATTREQ", &one);
    EXPECT_EQ(acedCommand(RTSTR, L"_INSERT", RTSTR, L"QVN0001", RTSTR, L"1,2", RTREAL, 3.0, RTSTR,
                          L"", RTREAL, 90.0, 0),
              RTNORM);
    ASSERT_EQ(drawing.inserted.size(), 2u);
    EXPECT_EQ(drawing.inserted[1].scaleY, 3);
    EXPECT_EQ(drawing.inserted[1].attributeValues, (std::vector<std::wstring>{L"13.00", L"12.50"}));
    EXPECT_NE(run.out.str().find("Price <12.50>:"), std::string::npos);

    EXPECT_EQ(acedCommand(RTSTR, L".INSERT", RTSTR, L"NOPE", RTPOINT, corner, RTNONE), RTERROR);
    EXPECT_NE(run.out.str().find("Block \"NOPE\" not found."), std::string::npos);
    EXPECT_EQ(acedCommand(RTSTR, L"PURGE", RTNONE), RTERROR);
    EXPECT_EQ(drawing.inserted.size(), 2u);
}

TEST(FileDialog, AnswersAPathToFreeOrCancels) {
    EditorRun run({L"prices/office", L"\"my prices.prc\"", L"", L"CANCEL", L""});
    resbuf result{};
    ASSERT_EQ(acedGetFileD(L"Open", L"last.prc", L"prc", 2, &result), RTNORM);
    EXPECT_STREQ(result.resval.rstring, L"prices/office.prc");
    acad_free(result.resval.rstring);
    ASSERT_EQ(acedGetFileD(L"Open", L"", L"prc", 2, &result), RTNORM);
    EXPECT_STREQ(result.resval.rstring, L"my prices.prc");
    acad_free(result.resval.rstring);
    ASSERT_EQ(acedGetFileD(L"Open", L"last.prc", L"prc", 2, &result), RTNORM);
    EXPECT_STREQ(result.resval.rstring, L"last.prc");
    acad_free(result.resval.rstring);
    EXPECT_EQ(acedGetFileD(L"Open", L"last.prc", L"prc", 2, &result), RTERROR);
    EXPECT_EQ(acedGetFileD(L"Save", L"", L"txt", 1, &result), RTERROR);
}

TEST(ResultBuffers, ListsAreBuiltAndReleasedWithTheirStrings) {
    ads_point p{1, 2, 3};
    resbuf* list = acutBuildList(RTSTR, L"INSERT", RTPOINT, p, RTREAL, 2.5, RTSHORT, 7, 0);
    ASSERT_NE(list, nullptr);
    EXPECT_STREQ(list->resval.rstring, L"INSERT");
    EXPECT_EQ(list->rbnext->resval.rpoint[2], 3);
    EXPECT_EQ(list->rbnext->rbnext->resval.rreal, 2.5);
    EXPECT_EQ(list->rbnext->rbnext->rbnext->resval.rint, 7);
    EXPECT_EQ(list->rbnext->rbnext->rbnext->rbnext, nullptr);
    EXPECT_EQ(acutRelRb(list), RTNORM); // the sanitizer build checks nothing leaks
    EXPECT_EQ(acutBuildList(RTSTR, L"x", 9999, 0), nullptr);
}

TEST(CommandLine, ChecksOpenObjectsAndSelectionSetsAfterEachCommand) {
    FakeDrawing drawing;
    drawing.entities = OfficePlan().entities;
    EditorRun run({L"SAVE \"out plan.dxf\"", L"FORGETFUL", L"LEAKY"}, &drawing);
    acedRegCmds->addCommand(L"TEST_GROUP", L"FORGETFUL", L"FORGETFUL", ACRX_CMD_MODAL, [] {
        ads_name set;
        acedSSGet(L"X", nullptr, nullptr, nullptr, set);
    });
    acedRegCmds->addCommand(L"TEST_GROUP", L"LEAKY", L"LEAKY", ACRX_CMD_MODAL, [] {
        static_cast<FakeDrawing*>(ed::Drawing())->openObjects.push_back(L"AcDbBlockReference 2A");
    });
    ed::RunCommandLine();
    acedRegCmds->removeGroup(L"TEST_GROUP");
    EXPECT_EQ(drawing.saves, (std::vector<std::wstring>{L"out plan.dxf"}));
    EXPECT_NE(run.err.str().find("FORGETFUL did not free 1 selection set"), std::string::npos);
    EXPECT_EQ(ed::Selections().Count(), 0u);
    EXPECT_EQ(Input().ExitCode(), ed::kExitExpectFailed);
    EXPECT_EQ(Input().StopMessage(), L"error: LEAKY left 1 object(s) open: AcDbBlockReference 2A");
}

TEST(CommandLine, ATransparentCommandIsNotEnteredAgainWhileItRuns) {
    // PICKER asks for a point; every answer typed in between is "'PICKER" or "'LOOKER" again.
    static int deepest = 0;
    static int depth = 0;
    auto picker = [] {
        deepest = std::max(deepest, ++depth);
        ads_point p;
        acedGetPoint(nullptr, L"\nPoint: ", p);
        --depth;
    };
    std::vector<std::wstring> lines{L"PICKER"};
    for (int i = 0; i < 2000; ++i)
        lines.push_back(i % 2 ? L"'PICKER" : L"'LOOKER");
    lines.insert(lines.end(), {L"1,2", L"3,4"});
    EditorRun run(lines);
    acedRegCmds->addCommand(L"TEST_GROUP", L"PICKER", L"PICKER", ACRX_CMD_TRANSPARENT, picker);
    acedRegCmds->addCommand(L"TEST_GROUP", L"LOOKER", L"LOOKER", ACRX_CMD_TRANSPARENT, picker);
    ed::RunCommandLine();
    acedRegCmds->removeGroup(L"TEST_GROUP");
    // PICKER runs, LOOKER runs inside it once; each of them is refused inside itself.
    EXPECT_EQ(deepest, 2);
    std::string out = run.out.str();
    std::size_t refused = 0;
    for (std::size_t at = out.find("** That command is already active **"); at != std::string::npos;
         at = out.find("** That command is already active **", at + 1))
        ++refused;
    EXPECT_EQ(refused, 1999u);
    EXPECT_EQ(Input().ExitCode(), ed::kExitOk) << Input().StopMessage();
}

TEST(Selection, AnswersCountAgainWhatWasPickedAndWindowsAloneAskForExtents) {
    FakeDrawing drawing = OfficePlan();
    EditorRun run({L"ALL", L"H 2a 2A 2b", L"ALL", L""}, &drawing);
    ads_name set;
    ASSERT_EQ(acedSSGet(nullptr, nullptr, nullptr, nullptr, set), RTNORM);
    std::string out = run.out.str();
    EXPECT_NE(out.find("4 found, 4 total"), std::string::npos) << out;
    EXPECT_NE(out.find("3 found (3 duplicate), 4 total"), std::string::npos) << out;
    EXPECT_NE(out.find("4 found (4 duplicate), 4 total"), std::string::npos) << out;
    EXPECT_EQ(Selected(set), (std::vector<std::int64_t>{1, 2, 3, 4}));
    EXPECT_EQ(drawing.extentsAsked, 0); // ALL and H take no sizes
    acedSSFree(set);
}
