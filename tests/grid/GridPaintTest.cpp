#include <gtest/gtest.h>

#include "grid/CUGCheckBoxType.h"
#include "grid/CUGCnrBtn.h"
#include "grid/CUGSortArrowType.h"
#include "grid/CUGTopHdg.h"
#include "tests/grid/GridTestSupport.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kGridLine = RGB(220, 220, 220);

bool Dark(COLORREF c) {
    return GetRValue(c) + GetGValue(c) + GetBValue(c) < 300;
}

// Whether any pixel of a rectangle of a window is dark (text, marks).
bool AnyDark(CWnd& w, CRect r) {
    CClientDC dc(&w);
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (Dark(dc.GetPixel(x, y)))
                return true;
    return false;
}

// Five columns of 75 and eight rows of 20 below a 20-pixel heading, 40 pixels of row titles.
class PaintedGrid : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(grid.CreateGrid(WS_VISIBLE, CRect(0, 0, 420, 260), &window, 1));
        grid.SetColCount(5);
        grid.SetRowCount(8);
        for (int c = 0; c < 5; ++c)
            grid.SetCellText(c, -1, CString(static_cast<wchar_t>(L'A' + c)));
    }
    void Show() {
        grid.RepaintAll();
        Settle();
    }
    COLORREF Cell(int x, int y) { return CellAreaPixel(grid, x, y); }

    GridWindow window{CRect(60, 60, 480, 320)};
    CUGCtrl grid;
};

} // namespace

TEST_F(PaintedGrid, GridLinesRunAlongTheRightAndBottomEdgeOfEachCell) {
    Show();
    EXPECT_EQ(grid.gridInfo->gridRect.left, 40);
    EXPECT_EQ(Cell(74, 10), kGridLine);
    EXPECT_EQ(Cell(73, 10), kWhite);
    EXPECT_EQ(Cell(30, 19), kGridLine);
    EXPECT_EQ(Cell(30, 18), kWhite);
    EXPECT_EQ(Cell(149, 10), kGridLine);
    // Below the last row the cell area is the window colour, without lines.
    EXPECT_EQ(Cell(74, 170), GetSysColor(COLOR_WINDOW));
    grid.SetGridLines(FALSE);
    Show();
    EXPECT_EQ(Cell(74, 10), kWhite);
}

TEST_F(PaintedGrid, HeadingsAreRaisedButtonFaces) {
    Show();
    CWnd& top = *grid.topHdg;
    EXPECT_EQ(WindowPixel(top, 0, 10), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(WindowPixel(top, 30, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(WindowPixel(top, 74, 10), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(WindowPixel(top, 30, 19), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(WindowPixel(top, 10, 10), GetSysColor(COLOR_BTNFACE));
    EXPECT_TRUE(AnyDark(top, CRect(1, 1, 74, 19))); // the title "A", centred
    EXPECT_FALSE(AnyDark(top, CRect(1, 1, 20, 19)));
    // Right of the last column the heading is plain face colour.
    EXPECT_EQ(WindowPixel(top, 378, 10), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(WindowPixel(*grid.cornerBtn, 0, 5), GetSysColor(COLOR_BTNHIGHLIGHT));
}

TEST_F(PaintedGrid, SortArrowsPointDownWhenAscendingAndUpWhenDescending) {
    CUGSortArrowType arrow;
    int type = grid.RegisterCellType(&arrow);
    grid.SetCellCellType(0, -1, type);
    grid.SetCellCellTypeStyle(0, -1, UGCT_SORTARROWDOWN);
    grid.SetCellCellType(1, -1, type);
    grid.SetCellCellTypeStyle(1, -1, UGCT_SORTARROWUP);
    Show();
    SaveShot(window, "sort-arrows");
    CWnd& top = *grid.topHdg;
    // The strip is the inner rectangle's right 17 pixels: x 57..73; s = 4, y0 = 6.
    // Ascending: a black top edge at y0, the apex below, nothing along the bottom.
    EXPECT_EQ(WindowPixel(top, 66, 6), kBlack);
    EXPECT_EQ(WindowPixel(top, 62, 6), kBlack);
    EXPECT_EQ(WindowPixel(top, 62, 14), GetSysColor(COLOR_BTNFACE));
    // Descending: a white base at y0 + 2s, the apex above.
    EXPECT_EQ(WindowPixel(top, 75 + 64, 14), kWhite);
    EXPECT_EQ(WindowPixel(top, 75 + 62, 14), kWhite);
    EXPECT_EQ(WindowPixel(top, 75 + 62, 6), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(WindowPixel(top, 75 + 65, 6), kBlack); // the apex closes in black
}

TEST_F(PaintedGrid, DropListCellsShowAButtonWithAnArrow) {
    grid.SetCellCellType(0, 1, 1);
    grid.SetCellText(0, 1, L"door");
    Show();
    // Row 1 is y 20..39; the inner rectangle stops at the grid lines: button x 57..73.
    EXPECT_EQ(Cell(57, 25), GetSysColor(COLOR_BTNHIGHLIGHT)); // raised, lit from the left
    EXPECT_EQ(Cell(73, 25), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(Cell(60, 25), GetSysColor(COLOR_BTNFACE));
    // The arrow: rows of 5, 3 and 1 black pixels centred at x 65 from y 28.
    EXPECT_EQ(Cell(63, 28), kBlack);
    EXPECT_EQ(Cell(67, 28), kBlack);
    EXPECT_EQ(Cell(62, 28), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(Cell(64, 29), kBlack);
    EXPECT_EQ(Cell(65, 30), kBlack);
    EXPECT_EQ(Cell(64, 30), GetSysColor(COLOR_BTNFACE));
    EXPECT_TRUE(AnyDark(*grid.grid, CRect(2, 21, 50, 38))); // the text left of the button
}

TEST_F(PaintedGrid, CheckBoxesShowATickOrACrossForNumbersAboveZero) {
    for (int c = 0; c < 3; ++c) {
        grid.SetCellCellType(c, 2, 2);
        grid.SetCellLabel(c, 2, L"on");
    }
    grid.SetCellNumber(0, 2, 0.5); // above 0: marked
    grid.SetCellCellTypeStyle(0, 2, UGCT_CHECKBOXCHECKMARK);
    grid.SetCellNumber(1, 2, 1);
    grid.SetCellNumber(2, 2, 0);
    Show();
    SaveShot(window, "check-boxes");
    // Row 2 is y 40..59; the 12-pixel box is x 3..14, y 44..55, black with a white well.
    const int top = 44;
    EXPECT_EQ(Cell(3, 50), kBlack);
    EXPECT_EQ(Cell(14, 50), kBlack);
    // The tick: columns from x 5, the low point at x 7 three pixels tall from y top + 6.
    EXPECT_EQ(Cell(7, top + 6), kBlack);
    EXPECT_EQ(Cell(7, top + 8), kBlack);
    EXPECT_EQ(Cell(6, top + 3), kWhite);
    EXPECT_EQ(Cell(11, top + 3), kBlack); // the long stroke up
    // The cross runs corner to corner.
    EXPECT_EQ(Cell(75 + 5, top + 2), kBlack);
    EXPECT_EQ(Cell(75 + 6, top + 3), kBlack);
    EXPECT_EQ(Cell(75 + 12, top + 2), kBlack);
    // Zero: an empty box; the captions stand right of the boxes.
    EXPECT_FALSE(AnyDark(*grid.grid, CRect(150 + 4, top + 1, 150 + 14, top + 11)));
    EXPECT_TRUE(AnyDark(*grid.grid, CRect(150 + 16, 41, 150 + 74, 58)));
}

TEST_F(PaintedGrid, ACellTooLowForABoxShowsNone) {
    grid.SetRowHeight(3, 10);
    grid.SetCellCellType(0, 3, 2);
    grid.SetCellNumber(0, 3, 1);
    Show();
    // Row 3 is y 60..69: the box would be 4 pixels; nothing is drawn.
    EXPECT_FALSE(AnyDark(*grid.grid, CRect(0, 60, 73, 69)));
    EXPECT_EQ(CUGCheckBoxType::BoxRect(CRect(0, 60, 75, 70)).Width(), 4);
}

TEST_F(PaintedGrid, TheFocusFrameDotsTheCurrentCellWhileTheCellAreaHasTheFocus) {
    grid.MoveToCell(1, 1); // x 75..149, y 20..39
    Show();
    EXPECT_EQ(Cell(75, 21), kWhite); // no focus: no frame
    grid.grid->SetFocus();
    Settle();
    EXPECT_EQ(Cell(75, 21), kBlack); // dots where x + y is even, inverted
    EXPECT_EQ(Cell(75, 22), kWhite);
    EXPECT_EQ(Cell(148, 38), kBlack);
    EXPECT_EQ(Cell(149, 38), kGridLine); // the frame stays inside the grid lines
    // Moving on takes the frame along and leaves no dots behind.
    grid.MoveToCell(2, 1);
    EXPECT_EQ(Cell(75, 21), kWhite);
    EXPECT_EQ(Cell(150, 21), kWhite);
    EXPECT_EQ(Cell(150, 22), kBlack);
    grid.SetHighlightRow(TRUE);
    Settle();
    EXPECT_EQ(Cell(0, 22), kBlack); // with row highlighting the frame spans the row
    EXPECT_EQ(Cell(372, 20), kBlack);
}

TEST_F(PaintedGrid, TextRunsIntoEmptyCellsAndStopsAtTheFirstFullOne) {
    grid.SetCellText(0, 3, L"A long note that runs on and on");
    grid.SetCellText(2, 3, L"x");
    grid.SetCellText(0, 4, L"A long centred note that stays");
    grid.SetCellAlignment(0, 4, UG_ALIGNCENTER);
    Show();
    SaveShot(window, "overflow");
    // Row 3 (y 60..79): the text continues through column 1 ...
    EXPECT_TRUE(AnyDark(*grid.grid, CRect(76, 61, 148, 78)));
    // ... and column 2 shows only its own "x" near its left edge.
    EXPECT_TRUE(AnyDark(*grid.grid, CRect(152, 61, 170, 78)));
    EXPECT_FALSE(AnyDark(*grid.grid, CRect(172, 61, 223, 78)));
    // The grid line between the source and the first empty cell is painted over.
    EXPECT_NE(Cell(74, 68), kGridLine);
    // A centred text never leaves its cell.
    EXPECT_FALSE(AnyDark(*grid.grid, CRect(76, 81, 148, 98)));
    grid.EnableCellOverflow(FALSE);
    Show();
    EXPECT_FALSE(AnyDark(*grid.grid, CRect(76, 61, 148, 78)));
}

TEST_F(PaintedGrid, EllipsisCutsTheTextAndEndsTheCellInDots) {
    const wchar_t* text = L"Wallpapered";
    grid.SetCellText(3, 5, text);
    grid.SetCellText(4, 5, text);
    grid.SetCellCellTypeStyle(4, 5, UGCT_NORMALELLIPSIS);
    grid.SetCellText(4, 6, L"Wa");
    grid.SetCellCellTypeStyle(4, 6, UGCT_NORMALELLIPSIS);
    Show();
    SaveShot(window, "ellipsis");
    CClientDC measure(grid.grid.get());
    TEXTMETRIC tm{};
    measure.GetTextMetrics(&tm);
    int dots = measure.GetTextExtent(CString(L"...")).cx;
    // Row 5 is y 100..119, the text from y 101; column 4 is x 300..374 (inner right 374).
    // The strip where the dots stand holds only marks on the base line ...
    CRect strip(374 - dots - 3 + 1, 101, 374, 101 + tm.tmHeight);
    CRect upper(strip.left, strip.top, strip.right, 101 + tm.tmAscent - 3);
    EXPECT_TRUE(AnyDark(*grid.grid, strip));
    EXPECT_FALSE(AnyDark(*grid.grid, upper));
    // ... while the same place of the plain cell holds tall letters of the cut text.
    upper.OffsetRect(-75, 0);
    EXPECT_TRUE(AnyDark(*grid.grid, upper));
    // A short text keeps its place and gets no dots.
    EXPECT_FALSE(AnyDark(*grid.grid, CRect(strip.left, 121, strip.right, 121 + tm.tmHeight)));
}

TEST_F(PaintedGrid, SelectedCellsAreDrawnInTheHighlightColours) {
    grid.SetMultiSelectMode(TRUE);
    grid.SetCellText(0, 4, L"picked");
    grid.SelectRange(0, 4, 1, 5);
    Show();
    SaveShot(window, "selection");
    EXPECT_EQ(Cell(60, 85), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(Cell(100, 105), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(Cell(160, 85), kWhite);
    EXPECT_TRUE(grid.IsSelected(1, 5));
    EXPECT_FALSE(grid.IsSelected(2, 5));
    grid.ClearSelection();
    Settle();
    EXPECT_EQ(Cell(60, 85), kWhite);
}

TEST_F(PaintedGrid, EveryCellTypeAndLookTogether) {
    CUGSortArrowType arrow;
    int sort = grid.RegisterCellType(&arrow);
    grid.SetCellCellType(0, -1, sort);
    grid.SetCellCellTypeStyle(0, -1, UGCT_SORTARROWDOWN);
    grid.SetCellText(0, -1, L"Name");
    grid.SetColumnWidth(0, 110);
    for (long r = 0; r < 8; ++r)
        grid.SetCellText(-1, r, CString(std::to_wstring(r + 1).c_str()));
    grid.SetCellCellType(0, 0, 1);
    grid.SetCellText(0, 0, L"door");
    grid.SetCellCellType(1, 0, 2);
    grid.SetCellNumber(1, 0, 1);
    grid.SetCellLabel(1, 0, L"yes");
    grid.SetCellCellType(2, 0, 2);
    grid.SetCellCellTypeStyle(2, 0, UGCT_CHECKBOXCHECKMARK | UGCT_CHECKBOX3DRECESS);
    grid.SetCellNumber(2, 0, 1);
    grid.SetCellCellType(3, 0, 3);
    grid.SetCellText(0, 1, L"120.00");
    grid.SetCellAlignment(0, 1, UG_ALIGNRIGHT);
    grid.SetCellText(1, 1, L"centred");
    grid.SetCellAlignment(1, 1, UG_ALIGNCENTER | UG_ALIGNVCENTER);
    grid.SetCellText(0, 2, L"Text that overflows into its neighbours");
    grid.SetCellText(3, 2, L"An ellipsed text");
    grid.SetCellCellTypeStyle(3, 2, UGCT_NORMALELLIPSIS);
    grid.SetCellText(0, 3, L"bordered");
    grid.SetCellBorder(0, 3, UG_BDR_LTHIN | UG_BDR_TTHIN | UG_BDR_RMEDIUM | UG_BDR_BTHICK);
    grid.SetCellText(1, 3, L"sunken");
    grid.SetCellBorder(1, 3, UG_BDR_RECESSED);
    grid.SetCellBackColor(2, 3, RGB(255, 240, 200));
    grid.SetCellText(2, 3, L"coloured");
    grid.SetCellTextColor(2, 3, RGB(160, 0, 0));
    grid.SpanCells(3, 3, 4, 4);
    grid.SetCellText(3, 3, L"joined block");
    grid.MoveToCell(1, 4);
    grid.grid->SetFocus();
    grid.SetMultiSelectMode(TRUE);
    grid.SelectRange(0, 5, 2, 6);
    Show();
    SaveShot(window, "cell-types");
    // The joined block (x 260..409, y 60..99) has no grid lines inside.
    EXPECT_NE(Cell(334, 70), kGridLine);
    EXPECT_NE(Cell(300, 79), kGridLine);
    EXPECT_EQ(Cell(334, 99), kGridLine);
}

TEST_F(PaintedGrid, LockedColumnsAndRowsAreSetOffByBlackLinesAndStayInView) {
    grid.SetRowCount(40);
    grid.SetColCount(12);
    grid.SetCellText(0, 0, L"locked");
    grid.FreezeCols(1);
    grid.FreezeRows(1);
    Show();
    // Column 0 ends at x 75 and row 0 at y 20: the separators sit on their last pixel.
    EXPECT_EQ(Cell(74, 50), kBlack);
    EXPECT_EQ(Cell(120, 19), kBlack);
    grid.SetLeftCol(4);
    grid.SetTopRow(10);
    EXPECT_EQ(grid.GetLeftCol(), 4);
    EXPECT_EQ(grid.GetTopRow(), 10);
    EXPECT_EQ(Cell(74, 50), kBlack);
    EXPECT_TRUE(AnyDark(*grid.grid, CRect(2, 1, 70, 18))); // "locked" still at the top left
    int col;
    long row;
    grid.GetCellFromPoint(80, 25, &col, &row, nullptr);
    EXPECT_EQ(col, 4);
    EXPECT_EQ(row, 10);
    SaveShot(window, "locked");
}

TEST_F(PaintedGrid, AlignmentWordWrapAndPicturesPlaceTheText) {
    grid.SetRowHeight(1, 40);
    grid.SetCellText(0, 1, L"R");
    grid.SetCellAlignment(0, 1, UG_ALIGNRIGHT | UG_ALIGNBOTTOM);
    grid.SetCellText(1, 1, L"one two three");
    grid.SetCellCellTypeStyle(1, 1, UGCT_NORMALMULTILINE);
    CBitmap picture;
    const std::uint32_t red[4] = {0xFF0000, 0xFF0000, 0xFF0000, 0xFF0000};
    picture.CreateBitmap(2, 2, 1, 32, red);
    grid.SetCellBitmap(2, 1, &picture);
    grid.SetCellText(2, 1, L"pic");
    Show();
    SaveShot(window, "alignment");
    // Row 1 is y 20..59. Right and bottom: the text ends 4 pixels left of the grid line and
    // its box one pixel above it.
    CClientDC measure(grid.grid.get());
    CSize r = measure.GetTextExtent(CString(L"R"));
    EXPECT_TRUE(AnyDark(*grid.grid, CRect(74 - 4 - r.cx, 59 - 1 - r.cy, 74 - 4, 58)));
    EXPECT_FALSE(AnyDark(*grid.grid, CRect(0, 21, 74 - 4 - r.cx - 1, 58)));
    EXPECT_FALSE(AnyDark(*grid.grid, CRect(0, 21, 73, 59 - 1 - r.cy - 1)));
    // Word wrap: a second line of text below the first.
    EXPECT_TRUE(AnyDark(*grid.grid, CRect(76, 21, 148, 36)));
    EXPECT_TRUE(AnyDark(*grid.grid, CRect(76, 38, 148, 56)));
    // The picture fills the height less 2 pixels each side, square, at the left.
    EXPECT_EQ(Cell(152, 30), RGB(255, 0, 0));
    EXPECT_EQ(Cell(150 + 2 + 34, 30), RGB(255, 0, 0));
    EXPECT_EQ(Cell(150 + 2 + 36, 30), kWhite);
}

TEST_F(PaintedGrid, CurrentCellModeTwoDrawsTheCurrentCellHighlighted) {
    grid.SetCellText(1, 1, L"here");
    grid.MoveToCell(1, 1);
    Show();
    EXPECT_EQ(Cell(120, 30), kWhite);
    grid.SetCurrentCellMode(3);
    Show();
    EXPECT_EQ(Cell(120, 30), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(Cell(40, 30), kWhite);
}

namespace {
// Adds rows when the painting reaches the last one, up to a limit.
class GrowingGrid : public CUGCtrl {
public:
    long limit = 0;
    void OnPastLastRow(long numRows, long, long) override {
        if (numRows < limit) {
            AppendRow();
            SetCellText(0, numRows, L"new");
        }
    }
};
} // namespace

TEST(GridPaintGrowth, PaintingTheLastRowLetsRowsBeAppendedAndPaintsThemAtOnce) {
    GridWindow window{CRect(60, 60, 480, 320)};
    GrowingGrid grid;
    ASSERT_TRUE(grid.CreateGrid(WS_VISIBLE, CRect(0, 0, 420, 260), &window, 1));
    grid.SetColCount(2);
    grid.limit = 4;
    grid.EnablePainting(FALSE);
    grid.SetRowCount(2);
    grid.EnablePainting(TRUE);
    grid.grid->RepaintAll();
    EXPECT_EQ(grid.GetRowCount(), 4);
    EXPECT_TRUE(AnyDark(*grid.grid, CRect(2, 61, 70, 78))); // row 3, painted in that pass
}
