// The price grid inside a running template dialog: set-up, rows and their choice lists, the
// sort, the row checks and moves, and what counts as a change.

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "SystemServices.h"
#include "ed/EditorInput.h"
#include "ed/LineSource.h"
#include "tests/pricelist/PriceListTestSupport.h"
#include "tests/support/ScratchDir.h"
#include "tests/ui/ScriptedInput.h"

#include "pricelist/BlockPriceDialog.h"
#include "resources/KestrelResources.h"

namespace {

class PriceGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(dir.Path(".")); // the settings files lie here
        AfxSetResourceHandle(KestrelResources());
        for (const wchar_t* name : {L"Door", L"Window", L"Chair", L"Desk"})
            drawing.AddBlock(name);
        ed::Input().SetStreams(&out_, &out_);
        currentPriceFile = L"";
    }
    void TearDown() override { std::filesystem::current_path(previous_); }

    // Runs the dialog, creates a new list and hands it to `body`, then closes the dialog.
    // Each further step runs after the queued input of the one before.
    void WithNewList(std::vector<std::function<void(BlockPriceDialog&)>> steps) {
        ed::Input().Begin(std::make_unique<ed::ScriptLines>(
            std::vector<std::wstring>{dir.Wide("list.prc")}, L"files"));
        BlockPriceDialog dialog;
        ScriptedInput script;
        script.Then([&] {
            // The grid appears with the first list.
            EXPECT_EQ(dialog.grid.m_hWnd, nullptr);
            dialog.NewList();
            EXPECT_EQ(dialog.gridAttached, 1);
            EXPECT_EQ(dialog.GetDlgItem(IDC_TEMPLATE_GRID), &dialog.grid);
        });
        for (auto& step : steps)
            script.Then([&dialog, step] { step(dialog); });
        script.Then([&] { dialog.EndDialog(IDCANCEL); });
        dialog.DoModal();
        EXPECT_EQ(script.Remaining(), 0u);
    }
    static std::vector<CString> Column(MyCug& grid, int col) {
        std::vector<CString> texts;
        for (long row = 0; row < grid.GetRowCount(); ++row)
            texts.push_back(grid.GetCellText(col, row));
        return texts;
    }
    static void ClickHeading(MyCug& grid, int col) {
        CRect rect(0, 0, 10, 10);
        CPoint point(5, 5);
        grid.OnTopHdgLeftClick(col, -1, 1, &rect, &point, 0);
        grid.OnTopHdgLeftClick(col, -1, 0, &rect, &point, 0);
    }
    static int CellType(MyCug& grid, int col, long row, int* style = nullptr) {
        CUGCell cell;
        grid.GetCell(col, row, &cell);
        if (style)
            *style = cell.GetCellTypeStyle();
        return cell.GetCellType();
    }

    ScratchDir dir;
    TestDrawing drawing;

private:
    std::filesystem::path previous_;
    std::ostringstream out_;
};

using Texts = std::vector<CString>;

} // namespace

TEST_F(PriceGridTest, SetUpSharesTheWidthInEighthsAndNewRowsOfferTheNamesStillFree) {
    WithNewList({[](BlockPriceDialog& d) {
        MyCug& grid = d.grid;
        CRect client;
        grid.GetClientRect(&client);
        const int unit = client.Width() / 8;
        EXPECT_EQ(grid.GetColumnWidth(0), 3 * unit);
        EXPECT_EQ(grid.GetColumnWidth(1), unit);
        EXPECT_EQ(grid.GetColumnWidth(2), 4 * unit);
        int style = 0;
        EXPECT_EQ(CellType(grid, 0, -1, &style), grid.sortArrowType);
        EXPECT_EQ(style, UGCT_SORTARROWDOWN);

        // The new list's one row, its block name being edited.
        EXPECT_EQ(grid.GetRowCount(), 1);
        EXPECT_EQ(grid.editing, 1);
        EXPECT_EQ(Column(grid, 1), Texts{L"0"});
        CUGCell cell;
        grid.GetCell(0, 0, &cell);
        EXPECT_EQ(cell.GetCellType(), kDropListCellType);
        EXPECT_EQ(CString(cell.GetLabel()), CString(L"Chair\nDesk\nDoor\nWindow\n"));

        // A row added later offers what no row uses then; earlier rows keep their lists.
        grid.CancelEdit();
        grid.SetCellText(0, 0, L"door");
        grid.InsertRowAfter(0);
        grid.GetCell(0, 1, &cell);
        EXPECT_EQ(CString(cell.GetLabel()), CString(L"Chair\nDesk\nWindow\n"));
        grid.GetCell(0, 0, &cell);
        EXPECT_EQ(CString(cell.GetLabel()), CString(L"Chair\nDesk\nDoor\nWindow\n"));

        // A row from a file offers none.
        grid.AddRowFromFile(L"Sofa", L"5", L"");
        grid.GetCell(0, 2, &cell);
        EXPECT_EQ(cell.GetCellType(), kDropListCellType);
        EXPECT_EQ(cell.GetLabel(), nullptr);
    }});

    // Widths kept from an earlier run are used as they are.
    dir.Write("kestrel1.set", "100 50 150 ");
    WithNewList({[](BlockPriceDialog& d) {
        EXPECT_EQ(d.grid.GetColumnWidth(0), 100);
        EXPECT_EQ(d.grid.GetColumnWidth(1), 50);
        EXPECT_EQ(d.grid.GetColumnWidth(2), 150);
    }});
}

TEST_F(PriceGridTest, SortsPricesAsNumbersNamesWithoutCaseAndEmptyCellsLastBothWays) {
    WithNewList({[](BlockPriceDialog& d) {
        MyCug& grid = d.grid;
        grid.CancelEdit();
        grid.ClearRows();
        grid.AddRowFromFile(L"b", L"10", L"");
        grid.AddRowFromFile(L"", L"", L"");
        grid.AddRowFromFile(L"A", L"9", L"");
        grid.AddRowFromFile(L"c", L"100", L"");
        ClickHeading(grid, 1);
        EXPECT_EQ(Column(grid, 1), (Texts{L"9", L"10", L"100", L""}));
        ClickHeading(grid, 1);
        EXPECT_EQ(Column(grid, 1), (Texts{L"100", L"10", L"9", L""}));
        int style = 0;
        EXPECT_EQ(CellType(grid, 1, -1, &style), grid.sortArrowType);
        EXPECT_EQ(style, UGCT_SORTARROWUP);
        ClickHeading(grid, 0);
        EXPECT_EQ(Column(grid, 0), (Texts{L"A", L"b", L"c", L""}));
        EXPECT_EQ(CellType(grid, 1, -1), kNormalCellType);
        ClickHeading(grid, 0);
        EXPECT_EQ(Column(grid, 0), (Texts{L"c", L"b", L"A", L""}));

        // After a refused name the headings do not sort.
        grid.sortEnabled = 0;
        ClickHeading(grid, 0);
        EXPECT_EQ(Column(grid, 0), (Texts{L"c", L"b", L"A", L""}));
    }});
}

TEST_F(PriceGridTest, RowChecksNamesAndMoves) {
    WithNewList({[](BlockPriceDialog& d) {
        MyCug& grid = d.grid;
        grid.CancelEdit();
        // One row: nothing to move.
        grid.OnCurrentRowMoved(-1, 0);
        EXPECT_FALSE(d.moveUpButton.IsWindowEnabled() || d.moveDownButton.IsWindowEnabled());

        grid.ClearRows();
        grid.AddRowFromFile(L"Door", L"1", L"a");
        grid.AddRowFromFile(L"x", L"2", L"b");
        grid.InsertRowAfter(1); // blank rows pass the check
        grid.CancelEdit();
        grid.SetCellText(1, 2, L"");
        EXPECT_EQ(grid.IsNameUnique(L"DOOR", 1), 0);
        EXPECT_EQ(grid.IsNameUnique(L"DOOR", 0), 1);
        EXPECT_EQ(grid.ValidateRows(), 1);

        ui::ClearSounds();
        grid.SetCellText(0, 1, L"");
        EXPECT_EQ(grid.ValidateRows(), 0);
        EXPECT_EQ(d.statusLine.GetWindowText(), CString(L"Block name is absent"));
        ASSERT_EQ(ui::Sounds().size(), 1u);
        EXPECT_EQ(ui::Sounds()[0].frequency, 1000u);
        EXPECT_EQ(ui::Sounds()[0].duration, 50u);
        grid.SetCellText(0, 1, L"x");
        grid.SetCellText(1, 1, L"");
        EXPECT_EQ(grid.ValidateRows(), 0);
        EXPECT_EQ(d.statusLine.GetWindowText(), CString(L"Price is absent"));

        // Moves swap texts only; the new row's drop list stays where it was.
        EXPECT_EQ(grid.SwapRows(-1, 0), 0);
        EXPECT_EQ(grid.SwapRows(2, 3), 0);
        grid.MoveToRow(2);
        grid.MoveRowDown(); // the last row stays
        grid.CancelEdit();
        EXPECT_EQ(Column(grid, 2), (Texts{L"a", L"b", L""}));
        grid.MoveRowUp();
        grid.CancelEdit();
        EXPECT_EQ(grid.GetCurrentRow(), 1);
        EXPECT_EQ(Column(grid, 2), (Texts{L"a", L"", L"b"}));
        CUGCell cell;
        grid.GetCell(0, 2, &cell);
        EXPECT_NE(cell.GetLabel(), nullptr);
        EXPECT_TRUE(d.moveUpButton.IsWindowEnabled() && d.moveDownButton.IsWindowEnabled());
        grid.MoveToRow(0);
        grid.MoveRowUp(); // the first row stays
        EXPECT_EQ(Column(grid, 2), (Texts{L"a", L"", L"b"}));
        EXPECT_FALSE(d.moveUpButton.IsWindowEnabled());
    }});
}

TEST_F(PriceGridTest, EveryEndedEditCountsAndTypingOpensOnlyTheBlockName) {
    WithNewList({[this](BlockPriceDialog& d) {
                     EXPECT_EQ(d.grid.modified, 0);
                     EXPECT_FALSE(d.saveButton.IsWindowEnabled());
                     // Save does nothing while there is no change, even for a complete row.
                     d.grid.SetCellText(0, 0, L"Door");
                     d.SaveList();
                     EXPECT_EQ(dir.Read("list.prc"), "");
                     ui::Key(L"ESC"); // cancels the new row's edit
                 },
                 [](BlockPriceDialog& d) {
                     EXPECT_EQ(d.grid.editing, 0);
                     EXPECT_EQ(d.grid.modified, 1);
                     EXPECT_TRUE(d.saveButton.IsWindowEnabled());
                     // A character typed on the price column opens nothing.
                     d.grid.MoveToCol(1);
                     UINT key = L'7';
                     d.grid.OnCellChar(&key, 0);
                     EXPECT_EQ(d.grid.editing, 0);
                     d.grid.MoveToCol(0);
                     d.grid.OnCellChar(&key, 0);
                     EXPECT_EQ(d.grid.editing, 1);
                     ui::Type(L"x");
                     ui::Key(L"ENTER");
                 },
                 [](BlockPriceDialog& d) { EXPECT_EQ(d.grid.GetCellText(0, 0), L"7x"); }});
}
