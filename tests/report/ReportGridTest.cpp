// The report grid in the dialog: title clicks, the order they give and the arrow they show,
// the comparison behind the sort, and the table builder's failures.

#include <gtest/gtest.h>

#include "ReportTestSupport.h"
#include "tests/acad/ed/EditorTestSupport.h"
#include "tests/support/ScratchDir.h"
#include "tests/ui/ScriptedInput.h"

#include <filesystem>

#include "report/CalcPriceDialog.h"
#include "report/ReportState.h"
#include "report/ReportText.h"
#include "report/TableBuilder.h"
#include "resources/KestrelResources.h"

namespace {

std::vector<std::wstring> Column(MyCug2& grid, int col) {
    std::vector<std::wstring> texts;
    for (long row = 0; row < grid.GetRowCount(); ++row)
        texts.push_back(grid.GetCellText(col, row).GetString());
    return texts;
}

// The title cell's type and style: {0, 0} without the arrow.
std::pair<int, int> Arrow(MyCug2& grid, int col) {
    CUGCell cell;
    grid.GetCell(col, -1, &cell);
    if (cell.GetCellType() != grid.sortArrowType)
        return {0, 0};
    return {1, cell.GetCellTypeStyle()};
}

// A click on a column title, in its middle.
void ClickTitle(MyCug2& grid, int col) {
    int x = 0;
    for (int c = 0; c < col; ++c)
        x += grid.GetColumnWidth(c);
    POINT at{x + grid.GetColumnWidth(col) / 2, 8};
    ASSERT_TRUE(ui::Mouse(L"DOWN", at, UG_TOPHDG_ID));
    ASSERT_TRUE(ui::Mouse(L"UP", at, UG_TOPHDG_ID));
}

void AddRecords(CalcPriceDialog& dialog) {
    dialog.results.Add(ResultString(L"nut", 0.1, 9, L"nut M8", 0.9));
    dialog.results.Add(ResultString(L"bolt", 0.25, 10, L"Zinc bolt M8", 2.5));
    dialog.results.Add(ResultString(L"anchor", 12.0, 2, L"", 24.0));
}

} // namespace

TEST(ReportGrid, TitleClicksSortWithTheArrowAndKeepTheSummaryLast) {
    InScratchDirectory here;
    AfxSetResourceHandle(KestrelResources());
    showPrice = 1;
    CalcPriceDialog dialog;
    AddRecords(dialog);
    MyCug2& grid = dialog.grid;
    std::vector<std::vector<std::wstring>> names;
    std::vector<std::pair<int, int>> arrows;
    auto look = [&](int col) {
        names.push_back(Column(grid, 0));
        arrows.push_back(Arrow(grid, col));
    };
    ScriptedInput script;
    script.Then([&] { look(0); })
        .Then([&] { ClickTitle(grid, 0); }) // the first click on the name descends
        .Then([&] { look(0); })
        .Then([&] { ClickTitle(grid, 0); })
        .Then([&] { look(0); })
        .Then([&] { ClickTitle(grid, 2); }) // another column: ascending, 9 before 10
        .Then([&] {
            look(2);
            arrows.push_back(Arrow(grid, 0)); // the name title lost its arrow
        })
        .Then([&] { ClickTitle(grid, 2); })
        .Then([&] { look(2); })
        .Then([&] { ClickTitle(grid, 3); }) // the empty description last both ways
        .Then([&] { look(3); })
        .Then([&] { ClickTitle(grid, 3); })
        .Then([&] {
            look(3);
            ui::Shot(crt::FromUtf8(KESTREL_BINARY_DIR) + L"/shots/report/by-description.png");
        })
        .Then([&] { dialog.SendMessage(WM_CLOSE); });
    std::filesystem::create_directories(std::string(KESTREL_BINARY_DIR) + "/shots/report");
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    using Names = std::vector<std::wstring>;
    const Names unsorted = {L"nut", L"bolt", L"anchor", L"Summary:"};
    ASSERT_EQ(names.size(), 7u);
    EXPECT_EQ(names[0], unsorted);
    EXPECT_EQ(names[1], (Names{L"nut", L"bolt", L"anchor", L"Summary:"}));
    EXPECT_EQ(names[2], (Names{L"anchor", L"bolt", L"nut", L"Summary:"}));
    EXPECT_EQ(names[3], (Names{L"anchor", L"nut", L"bolt", L"Summary:"}));
    EXPECT_EQ(names[4], (Names{L"bolt", L"nut", L"anchor", L"Summary:"}));
    EXPECT_EQ(names[5], (Names{L"nut", L"bolt", L"anchor", L"Summary:"}));
    EXPECT_EQ(names[6], (Names{L"bolt", L"nut", L"anchor", L"Summary:"}));
    const std::vector<std::pair<int, int>> expected = {{1, UGCT_SORTARROWDOWN},
                                                       {1, UGCT_SORTARROWUP},
                                                       {1, UGCT_SORTARROWDOWN},
                                                       {1, UGCT_SORTARROWDOWN},
                                                       {0, 0},
                                                       {1, UGCT_SORTARROWUP},
                                                       {1, UGCT_SORTARROWDOWN},
                                                       {1, UGCT_SORTARROWUP}};
    EXPECT_EQ(arrows, expected);
}

TEST(ReportGrid, AnEmptyReportStaysWithoutASummaryRow) {
    InScratchDirectory here;
    AfxSetResourceHandle(KestrelResources());
    CalcPriceDialog dialog;
    dialog.grid.priceFileLoaded = 1;
    dialog.results.Add(ResultString(L"door", 120.0, L"not counted"));
    std::vector<long> rows;
    ScriptedInput script;
    script.Then([&] { rows.push_back(dialog.grid.GetRowCount()); })
        .Then([&] { ClickTitle(dialog.grid, 0); })
        .Then([&] { ClickTitle(dialog.grid, 2); })
        .Then([&] {
            rows.push_back(dialog.grid.GetRowCount());
            dialog.SendMessage(WM_CLOSE);
        });
    dialog.DoModal();
    EXPECT_EQ(rows, (std::vector<long>{0, 0}));
}

TEST(ReportGrid, TheComparisonBehindTheSort) {
    MyCug2 grid;
    auto cell = [](const wchar_t* text, int type = UGCELLDATA_STRING) {
        auto c = std::make_unique<CUGCell>();
        if (text)
            c->SetText(text);
        c->SetDataType(type);
        return c;
    };
    auto nine = cell(L"9"), ten = cell(L"10"), mixed = cell(L"12.5abc"), twelve = cell(L"12");
    auto empty = cell(L""), none = cell(nullptr), apple = cell(L"apple"), Apple = cell(L"Apple"),
         banana = cell(L"Banana");
    for (int col : {1, 2, 4}) {
        grid.sortColumn = col;
        EXPECT_LT(grid.OnSortCompare(nine.get(), ten.get(), UG_SORT_ASCENDING), 0) << col;
        EXPECT_GT(grid.OnSortCompare(nine.get(), ten.get(), UG_SORT_DESCENDING), 0) << col;
        EXPECT_GT(grid.OnSortCompare(mixed.get(), twelve.get(), UG_SORT_ASCENDING), 0) << col;
    }
    grid.sortColumn = 3;
    EXPECT_LT(grid.OnSortCompare(apple.get(), banana.get(), UG_SORT_ASCENDING), 0);
    EXPECT_EQ(grid.OnSortCompare(apple.get(), Apple.get(), UG_SORT_ASCENDING), 0);
    // Empty texts last in both directions; a cell without text first; missing cells first.
    EXPECT_GT(grid.OnSortCompare(empty.get(), apple.get(), UG_SORT_ASCENDING), 0);
    EXPECT_GT(grid.OnSortCompare(empty.get(), apple.get(), UG_SORT_DESCENDING), 0);
    EXPECT_LT(grid.OnSortCompare(apple.get(), empty.get(), UG_SORT_DESCENDING), 0);
    EXPECT_LT(grid.OnSortCompare(none.get(), apple.get(), UG_SORT_ASCENDING), 0);
    EXPECT_EQ(grid.OnSortCompare(none.get(), none.get(), UG_SORT_ASCENDING), 0);
    EXPECT_LT(grid.OnSortCompare(nullptr, apple.get(), UG_SORT_ASCENDING), 0);
    EXPECT_GT(grid.OnSortCompare(apple.get(), nullptr, UG_SORT_ASCENDING), 0);
    EXPECT_EQ(grid.OnSortCompare(nullptr, nullptr, UG_SORT_ASCENDING), 0);
    // Elsewhere numbers compare as numbers only when the cell says it holds one.
    grid.sortColumn = 0;
    EXPECT_GT(grid.OnSortCompare(nine.get(), ten.get(), UG_SORT_ASCENDING), 0);
    auto nineNumber = cell(L"9", UGCELLDATA_NUMBER), tenNumber = cell(L"10", UGCELLDATA_NUMBER);
    EXPECT_LT(grid.OnSortCompare(nineNumber.get(), tenNumber.get(), UG_SORT_ASCENDING), 0);
}

TEST(ReportText, ProposedNames) {
    EXPECT_EQ(ProposedReportName(L"Plan.dwg", L""), CString(L"Plan.txt"));
    EXPECT_EQ(ProposedReportName(L"Plan.dwg", L"C:\\lists\\doors.prc"),
              CString(L"C:\\lists\\doors-Plan.txt"));
    // Cuts that would reach past the start stop there.
    EXPECT_EQ(ProposedReportName(L"ab", L""), CString(L".txt"));
    EXPECT_EQ(ProposedReportName(L"Plan.dwg", L"p"), CString(L"-Plan.txt"));
}

TEST(TableBuilder, FailuresAlertAndLeaveNothingOpen) {
    ScratchDir files;
    ASSERT_TRUE(MakeCountDrawing(files.Path("plan.dxf")));
    WorkingDrawing plan(files.Path("plan.dxf").string());
    InScratchDirectory here;
    AfxSetResourceHandle(KestrelResources());
    CalcPriceDialog dialog;
    AddRecords(dialog);
    std::vector<int> built;
    std::string alerts;
    EditorRun run({}, &plan.drawing);
    ScriptedInput script;
    script.Then([&] {
        // The block of that name is held open elsewhere.
        AddTableBlock(L"QVN0005", 1, 1);
        AcDbBlockTable* blocks = nullptr;
        plan.database.getBlockTable(blocks, AcDb::kForRead);
        AcDbBlockTableRecord* held = nullptr;
        blocks->getAt(L"QVN0005", held, AcDb::kForWrite);
        blocks->close();
        built.push_back(BuildTableBlock(dialog.grid, L"QVN0005", L"QVNTABLE", 1.0));
        held->close();
        // The text style table is held open: the new block stays, empty.
        AcDbTextStyleTable* styles = nullptr;
        plan.database.getTextStyleTable(styles, AcDb::kForWrite);
        built.push_back(BuildTableBlock(dialog.grid, L"QVN0006", L"QVNTABLE", 1.0));
        styles->close();
        // A style the drawing lacks: the standard one serves.
        built.push_back(BuildTableBlock(dialog.grid, L"QVN0007", L"NOSUCH", 1.0));
        dialog.SendMessage(WM_CLOSE);
    });
    dialog.DoModal();
    EXPECT_EQ(built, (std::vector<int>{0, 0, 1}));
    EXPECT_EQ(run.err.str(),
              "ALERT: Cannot get an object \"AcDbBlockTableRecord\" for the price table\n"
              "ALERT: Cannot get an object \"AcDbTextStyleTableRecord\" for the price table\n");
    EXPECT_TRUE(plan.database.openedObjects().empty());
    AcDbBlockTable* blocks = nullptr;
    ASSERT_EQ(plan.database.getBlockTable(blocks, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(blocks->has(L"QVN0006"));
    blocks->close();
    EXPECT_EQ(NextTableNumber(), 8);
    // Three rows and the summary under the heading, each row 3 high.
    EXPECT_DOUBLE_EQ(dialog.grid.tableHeight, 3 * (4 + 1));
}
