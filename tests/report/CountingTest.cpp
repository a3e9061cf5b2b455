#include <gtest/gtest.h>

#include "ReportTestSupport.h"
#include "tests/acad/ed/EditorTestSupport.h"
#include "tests/acad/ed/FakeDrawing.h"
#include "tests/support/ScratchDir.h"

#include <aced.h>

#include "report/BlockCounting.h"
#include "report/ReportCommand.h"
#include "report/ReportState.h"

namespace {

// Model space: a line, DOOR, Window, DOOR, Desk (holding a Chair), *U1, Lamp, Window, DOOR and
// six Bolts.
class Counting : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        files = std::make_unique<ScratchDir>();
        ASSERT_TRUE(MakeCountDrawing(files->Path("count.dxf")));
        files->Write("prices.prc", "Door|120|Interior door\r\n"
                                   "Window|12.5abc|Casement window\r\n"
                                   "desk|abc|Office desk\r\n"
                                   "Chair|89.90|Swivel chair\r\n"
                                   "WINDOW|99.5|Double window\r\n"
                                   "Bolt|0.1\r\n"
                                   "NoBar\r\n"
                                   "Lamp|\r\n"
                                   "|5|no name\r\n"
                                   "Extra|1|a|b\r\n"
                                   "Tail|3|no line end");
        // The module's settings files would lie beside it; here that is the current directory.
        previousDirectory = std::filesystem::current_path();
        std::filesystem::current_path(files->Path("."));
    }
    static void TearDownTestSuite() {
        std::filesystem::current_path(previousDirectory);
        files.reset();
    }

    static std::string Drawing() { return files->Path("count.dxf").string(); }
    static std::wstring Prices() { return files->Wide("prices.prc"); }

    static inline std::unique_ptr<ScratchDir> files;
    static inline std::filesystem::path previousDirectory;
};

struct Expected {
    const wchar_t* name;
    double price;
    int quantity;
    const wchar_t* description;
    double total;
};

void ExpectResults(const CalcPriceDialog& dialog, const std::vector<Expected>& expected) {
    ASSERT_EQ(dialog.results.GetSize(), static_cast<INT_PTR>(expected.size()));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const ResultString& r = dialog.results[static_cast<INT_PTR>(i)];
        SCOPED_TRACE(i);
        EXPECT_STREQ(r.name, expected[i].name);
        EXPECT_EQ(r.price, expected[i].price);
        EXPECT_EQ(r.quantity, expected[i].quantity);
        EXPECT_STREQ(r.description, expected[i].description);
        EXPECT_EQ(r.total, expected[i].total);
    }
}

} // namespace

TEST_F(Counting, WithoutPriceFileEveryNameGetsARecordInOrderOfFirstReference) {
    WorkingDrawing plan(Drawing());
    EditorRun run({L"ALL", L""}, &plan.drawing);
    CalcPriceDialog dialog;
    EXPECT_TRUE(CountBlockReferences(dialog));
    // The nested chair is not selected; the anonymous block counts under its own name.
    ExpectResults(dialog, {{L"door", 0, 3, L"", 0},
                           {L"window", 0, 2, L"", 0},
                           {L"desk", 0, 1, L"", 0},
                           {L"*u1", 0, 1, L"", 0},
                           {L"lamp", 0, 1, L"", 0},
                           {L"bolt", 0, 6, L"", 0}});
    int index = -1;
    EXPECT_TRUE(dialog.nameIndex.Lookup(CString(L"bolt"), index));
    EXPECT_EQ(index, 5);
    EXPECT_EQ(dialog.nameIndex.GetHashTableSize(), kNameIndexBuckets);
    EXPECT_EQ(ed::Selections().Count(), 0u);
    EXPECT_TRUE(plan.database.openedObjects().empty());
}

TEST_F(Counting, WithPriceFileOnlyListedNamesCountAndTheLaterDuplicateWins) {
    WorkingDrawing plan(Drawing());
    EditorRun run({L"ALL", L""}, &plan.drawing);
    CalcPriceDialog dialog;
    ASSERT_TRUE(ReadReportPriceFile(dialog, Prices().c_str()));
    ASSERT_EQ(dialog.results.GetSize(), 7);
    EXPECT_STREQ(dialog.results[0].name, L"Door"); // lower-cased only when counting
    dialog.grid.priceFileLoaded = 1;
    EXPECT_TRUE(CountBlockReferences(dialog));

    double sixBolts = 0.0;
    for (int i = 0; i < 6; ++i)
        sixBolts += 0.1; // 0.6, where 6 * 0.1 is 0.6000000000000001
    ExpectResults(dialog, {{L"door", 120, 3, L"Interior door", 360},
                           {L"window", 12.5, 0, L"Casement window", 0},
                           {L"desk", 0, 1, L"Office desk", 0},
                           {L"chair", 89.9, 0, L"Swivel chair", 0},
                           {L"window", 99.5, 2, L"Double window", 199},
                           {L"bolt", 0.1, 6, L"", sixBolts},
                           {L"extra", 1, 0, L"a", 0}});
    EXPECT_NE(dialog.results[5].total, 6 * 0.1);
    EXPECT_EQ(ed::Selections().Count(), 0u);
    EXPECT_TRUE(plan.database.openedObjects().empty());
}

TEST_F(Counting, FailuresAlertReleaseTheSelectionAndLeaveNothingOpen) {
    WorkingDrawing plan(Drawing());
    CalcPriceDialog dialog;
    dialog.results.Add(ResultString(L"kept", 1.0, L""));
    {
        EditorRun run({}, &plan.drawing);
        EXPECT_FALSE(ReadReportPriceFile(dialog, L"/nonexistent/prices.prc"));
        EXPECT_EQ(run.err.str(), "ALERT: File /nonexistent/prices.prc could  not be opened\n");
        EXPECT_EQ(dialog.results.GetSize(), 1);
    }
    for (const wchar_t* answer : {L"CANCEL", L""}) {
        EditorRun run({answer}, &plan.drawing);
        EXPECT_FALSE(CountBlockReferences(dialog)) << answer;
        EXPECT_EQ(ed::Selections().Count(), 0u);
    }

    // The model space's line, handed out by a selection as if it were a block reference.
    AcDbBlockTableRecord* modelSpace = nullptr;
    ASSERT_EQ(acdbOpenObject(modelSpace, plan.database.modelSpaceId(), AcDb::kForRead), Acad::eOk);
    AcDbBlockTableRecordIterator* it = nullptr;
    modelSpace->newIterator(it);
    AcDbObjectId line;
    it->getEntityId(line);
    delete it;
    modelSpace->close();
    {
        FakeDrawing mislabelled;
        ads_name lineName;
        ASSERT_EQ(acdbGetAdsName(lineName, line), Acad::eOk);
        mislabelled.entities = {{lineName[0], line.handle().value(), "INSERT"}};
        EditorRun run({L"ALL", L""}, &mislabelled);
        EXPECT_FALSE(CountBlockReferences(dialog));
        EXPECT_EQ(run.err.str(), "ALERT: Cannot open the object INSERT\n");
        EXPECT_EQ(ed::Selections().Count(), 0u);
    }
    // A block definition that another opening holds for write.
    AcDbBlockTable* blocks = nullptr;
    ASSERT_EQ(plan.database.getBlockTable(blocks, AcDb::kForRead), Acad::eOk);
    AcDbObjectId doorId;
    ASSERT_EQ(blocks->getAt(L"DOOR", doorId), Acad::eOk);
    blocks->close();
    AcDbObject* held = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(held, doorId, AcDb::kForWrite), Acad::eOk);
    {
        EditorRun run({L"ALL", L""}, &plan.drawing);
        EXPECT_FALSE(CountBlockReferences(dialog));
        EXPECT_EQ(run.err.str(), "ALERT: Cannot open the object BlockTableRecord\n");
        EXPECT_EQ(ed::Selections().Count(), 0u);
    }
    held->close();
    EXPECT_TRUE(plan.database.openedObjects().empty());
}

TEST_F(Counting, TheCommandEndsWithoutTheDialogOnEveryFailureAndKeepsNoSettings) {
    WorkingDrawing plan(Drawing());
    TableReadyDialog::opened = 0;
    reportPriceFile = L"/earlier.prc";
    {
        // The file does not open: no selection is asked for.
        EditorRun run({L"/nonexistent/prices.prc", L"ALL", L""}, &plan.drawing);
        RunReportCommand<TableReadyDialog>();
        EXPECT_NE(run.err.str().find("could  not be opened"), std::string::npos);
        EXPECT_EQ(reportPriceFile, CString(L"/earlier.prc"));
    }
    {
        // A cancelled file dialog forgets the price file; a cancelled selection ends the command.
        EditorRun run({L"CANCEL", L"CANCEL"}, &plan.drawing);
        RunReportCommand<TableReadyDialog>();
        EXPECT_TRUE(reportPriceFile.IsEmpty());
    }
    EXPECT_EQ(TableReadyDialog::opened, 0);
    EXPECT_EQ(currentReportDialog, nullptr);
    EXPECT_FALSE(files->Exists("filename.set"));
    EXPECT_FALSE(files->Exists("kestrel2.set"));
    EXPECT_EQ(ed::Selections().Count(), 0u);
    EXPECT_TRUE(plan.database.openedObjects().empty());
}
