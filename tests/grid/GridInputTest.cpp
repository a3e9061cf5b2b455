#include <gtest/gtest.h>

#include "PopupWindows.h"
#include "SystemServices.h"
#include "grid/CUGCnrBtn.h"
#include "grid/CUGLstBox.h"
#include "grid/CUGSideHdg.h"
#include "grid/CUGTopHdg.h"
#include "tests/grid/GridTestSupport.h"
#include "tests/ui/ScriptedInput.h"

namespace {

class InputGrid : public QueueDrivenGrid {
protected:
    void Prepare() override {
        for (int c = 0; c < 10; ++c)
            grid.SetCellText(c, -1, (L"Col " + std::to_wstring(c)).c_str());
    }
    LRESULT Send(CWnd* w, UINT message, int x, int y, UINT keys = 0) {
        return w->SendMessage(message, keys, MAKELPARAM(x, y));
    }
};

} // namespace

TEST_F(InputGrid, HeldArrowKeysAccelerate) {
    grid.SetKeyAccelMode(2);
    std::vector<long> rows;
    for (int i = 0; i < 6; ++i) {
        Key(VK_DOWN);
        rows.push_back(grid.GetCurrentRow());
    }
    // Steps 1, 2, 2, 9, 9, 28: q = count / 2, step = q^3 + 1.
    EXPECT_EQ(rows, (std::vector<long>{1, 3, 5, 14, 23, 51}));
    Key(VK_DOWN);
    EXPECT_EQ(grid.GetCurrentRow(), 51 + 28);
    PostKey(VK_DOWN, WM_KEYUP);
    Key(VK_DOWN); // the first key after a release moves one cell
    EXPECT_EQ(grid.GetCurrentRow(), 80);
    grid.SetKeyAccelMode(0);
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_EQ(grid.GetCurrentRow(), 82);
    // The view followed: the current row is the last whole row.
    EXPECT_EQ(grid.GetBottomRow(), 83);
}

TEST_F(InputGrid, AMoveAsksFirstThenTellsColumnRowAndCellOnce) {
    EXPECT_EQ(grid.MoveToCell(2, 3), GRID_SUCCESS);
    EXPECT_EQ(grid.calls, (std::vector<std::string>{"querymove", "colmoved 0 2", "rowmoved 0 3",
                                                    "cellmoved 0 2 0 3"}));
    grid.calls.clear();
    EXPECT_EQ(grid.MoveToCell(2, 3), GRID_SUCCESS); // already there: nothing asked
    EXPECT_TRUE(grid.calls.empty());
    grid.vetoMoves = 1;
    EXPECT_EQ(grid.MoveToCol(5), GRID_VETOED);
    Key(VK_DOWN);
    EXPECT_EQ(grid.GetCurrentCol(), 2);
    EXPECT_EQ(grid.GetCurrentRow(), 3);
    EXPECT_EQ(grid.CountCalls("cellmoved"), 0);
    grid.vetoMoves = 0;
    EXPECT_EQ(grid.MoveCurrentRow(UG_BOTTOM), GRID_SUCCESS);
    EXPECT_EQ(grid.GetCurrentRow(), 199);
    EXPECT_EQ(grid.MoveCurrentCol(UG_TOP), GRID_SUCCESS);
    EXPECT_EQ(grid.GetCurrentCol(), 0);
    EXPECT_EQ(grid.GetTopRow(), 200 - 11); // the last row is in view
}

TEST_F(InputGrid, MovingPastTheLastRowAsksTheHookAndStopsAtTheLastRow) {
    grid.MoveToRow(150);
    grid.calls.clear();
    EXPECT_EQ(grid.MoveToRow(grid.GetRowCount()), GRID_SUCCESS);
    EXPECT_EQ(grid.calls.front(), "pastlast 200 1 0");
    EXPECT_EQ(grid.GetCurrentRow(), 199);
    EXPECT_EQ(grid.MoveToRow(grid.GetRowCount()), GRID_ERROR);
}

TEST_F(InputGrid, ArrowKeysStepOverJoinedRows) {
    grid.SpanCells(0, 1, 0, 3);
    grid.MoveToCell(0, 2); // inside the block: its first cell
    EXPECT_EQ(grid.GetCurrentRow(), 1);
    Key(VK_DOWN);
    EXPECT_EQ(grid.GetCurrentRow(), 4);
    Key(VK_UP);
    EXPECT_EQ(grid.GetCurrentRow(), 1); // into the block from below: its first row
    Key(VK_UP);
    EXPECT_EQ(grid.GetCurrentRow(), 0);
}

TEST_F(InputGrid, PageKeysMoveByTheRowsThatFit) {
    Key(VK_NEXT);
    EXPECT_EQ(grid.GetCurrentRow(), 11); // 223 pixels hold 11 whole rows of 20
    Key(VK_PRIOR);
    EXPECT_EQ(grid.GetCurrentRow(), 0);
    PostKey(VK_CONTROL);
    Key(VK_END);
    EXPECT_EQ(grid.GetCurrentRow(), 199);
    Key(VK_HOME);
    EXPECT_EQ(grid.GetCurrentRow(), 0);
    PostKey(VK_CONTROL, WM_KEYUP);
    Key(VK_END);
    EXPECT_EQ(grid.GetCurrentCol(), 9);
}

TEST_F(InputGrid, ColumnEdgesGrabThePointerCloserThanThreePixels) {
    CUGTopHdg& top = *grid.topHdg; // column 0 ends at x 75
    Send(&top, WM_MOUSEMOVE, 72, 10);
    EXPECT_FALSE(top.IsSizingArmed());
    Send(&top, WM_MOUSEMOVE, 78, 10);
    EXPECT_FALSE(top.IsSizingArmed());
    Send(&top, WM_MOUSEMOVE, 73, 10);
    EXPECT_TRUE(top.IsSizingArmed());
    EXPECT_EQ(ui::CurrentCursorId(), 32644); // IDC_SIZEWE
    Send(&top, WM_LBUTTONDOWN, 73, 10, MK_LBUTTON);
    Send(&top, WM_MOUSEMOVE, 100, 10, MK_LBUTTON);
    EXPECT_EQ(grid.GetColumnWidth(0), 102);
    // Dragged left of the column's left edge the width stops at 0.
    Send(&top, WM_MOUSEMOVE, -40, 10, MK_LBUTTON);
    EXPECT_EQ(grid.GetColumnWidth(0), 0);
    Send(&top, WM_MOUSEMOVE, 50, 10, MK_LBUTTON);
    Send(&top, WM_LBUTTONUP, 50, 10);
    EXPECT_EQ(grid.GetColumnWidth(0), 52);
    EXPECT_EQ(grid.calls.back(), "colresized 0 52");
    // A hidden column right of an edge is the one pulled open.
    grid.SetColumnWidth(1, 0);
    Send(&top, WM_MOUSEMOVE, 51, 10);
    Send(&top, WM_LBUTTONDOWN, 51, 10, MK_LBUTTON);
    Send(&top, WM_MOUSEMOVE, 71, 10, MK_LBUTTON);
    Send(&top, WM_LBUTTONUP, 71, 10);
    EXPECT_EQ(grid.GetColumnWidth(0), 52);
    EXPECT_EQ(grid.GetColumnWidth(1), 20);
    // Without user sizing no edge grabs.
    grid.SetUserSizingMode(0);
    Send(&top, WM_MOUSEMOVE, 200, 15);
    Send(&top, WM_MOUSEMOVE, 146, 10);
    EXPECT_FALSE(top.IsSizingArmed());
}

TEST_F(InputGrid, RowEdgesAndTheHeadingsResizeAsWell) {
    CUGSideHdg& side = *grid.sideHdg; // row 0 ends at y 20; the heading is 40 wide
    Send(&side, WM_MOUSEMOVE, 20, 17);
    EXPECT_FALSE(side.IsSizingArmed());
    Send(&side, WM_MOUSEMOVE, 20, 18);
    EXPECT_TRUE(side.IsSizingArmed());
    Send(&side, WM_LBUTTONDOWN, 20, 18, MK_LBUTTON);
    Send(&side, WM_MOUSEMOVE, 20, 30, MK_LBUTTON);
    Send(&side, WM_LBUTTONUP, 20, 30);
    EXPECT_EQ(grid.GetRowHeight(0), 32);
    // The side heading's own right edge sizes the heading.
    Send(&side, WM_MOUSEMOVE, 38, 100);
    EXPECT_TRUE(side.IsSizingArmed());
    Send(&side, WM_LBUTTONDOWN, 38, 100, MK_LBUTTON);
    Send(&side, WM_MOUSEMOVE, 58, 100, MK_LBUTTON);
    Send(&side, WM_LBUTTONUP, 58, 100);
    EXPECT_EQ(grid.GetSideHdgWidth(), 60);
    EXPECT_EQ(grid.gridInfo->gridRect.left, 60);
}

// Both headings built of two bands, the view scrolled past a locked column and row: the
// title under the pointer, its rectangle, what each button tells the frame, and an inner band
// edge that sizes its band.
TEST_F(InputGrid, HeadingsNameTheTitleUnderThePointerPastLockedLines) {
    grid.SetSideHdgColCount(2);
    grid.gridInfo->sideHdgWidths = {20, 30}; // heading column -1, then -2 outermost
    grid.gridInfo->sideHdgWidth = 50;
    grid.SetTopHdgRowCount(2);
    grid.SetTopHdgRowHeight(-1, 12);
    grid.SetTopHdgRowHeight(-2, 18);
    grid.FreezeCols(1);
    grid.FreezeRows(1);
    grid.SetLeftCol(4);
    grid.SetTopRow(10);
    Settle();
    grid.calls.clear();
    CUGSideHdg& side = *grid.sideHdg; // rows 0, 10, 11 .. at y 0, 20, 40 ..
    CUGTopHdg& top = *grid.topHdg;    // columns 0, 4, 5 .. at x 0, 75, 150 ..

    int col;
    long row;
    CRect rect;
    ASSERT_EQ(side.GetCellFromPoint(35, 25, &col, &row, &rect), GRID_SUCCESS);
    EXPECT_EQ(std::make_pair(col, row), std::make_pair(-1, 10L));
    EXPECT_EQ(rect, CRect(30, 20, 50, 40));
    ASSERT_EQ(top.GetCellFromPoint(80, 20, &col, &row, &rect), GRID_SUCCESS);
    EXPECT_EQ(std::make_pair(col, row), std::make_pair(4, -1L));
    EXPECT_EQ(rect, CRect(75, 18, 150, 30));
    EXPECT_EQ(top.GetCellFromPoint(-5, 5, &col, &row, &rect), GRID_ERROR);
    EXPECT_EQ(std::make_pair(col, row), std::make_pair(-1, -1L));
    EXPECT_EQ(side.GetCellFromPoint(60, 5, &col, &row, &rect), GRID_ERROR);

    Send(&side, WM_LBUTTONDOWN, 10, 45, MK_LBUTTON);
    Send(&side, WM_LBUTTONUP, 10, 45);
    Send(&side, WM_RBUTTONDOWN, 40, 5);
    Send(&side, WM_LBUTTONDBLCLK, 35, 25);
    Send(&top, WM_LBUTTONDOWN, 80, 5, MK_LBUTTON);
    Send(&top, WM_LBUTTONUP, 80, 5);
    Send(&top, WM_RBUTTONUP, 10, 25);
    Send(&top, WM_LBUTTONDBLCLK, 149, 20);
    EXPECT_EQ(grid.calls, (std::vector<std::string>{"side left -2 11 1", "side left -2 11 0",
                                                    "side right -1 0 1", "side double -1 10 1",
                                                    "top left 4 -2 1", "top left 4 -2 0",
                                                    "top right 0 -1 0", "top double 4 -1 1"}));

    // The edge between the heading rows sizes the outer one and the heading with it.
    Send(&top, WM_MOUSEMOVE, 100, 18);
    EXPECT_TRUE(top.IsSizingArmed());
    EXPECT_EQ(ui::CurrentCursorId(), 32645); // IDC_SIZENS
    Send(&top, WM_LBUTTONDOWN, 100, 18, MK_LBUTTON);
    Send(&top, WM_MOUSEMOVE, 100, 24, MK_LBUTTON);
    Send(&top, WM_LBUTTONUP, 100, 24);
    EXPECT_EQ(grid.gridInfo->GetTopHdgRowHeight(-2), 24);
    EXPECT_EQ(grid.gridInfo->GetTopHdgRowHeight(-1), 12);
    EXPECT_EQ(grid.GetTopHdgHeight(), 36);
    // Likewise between the heading columns.
    Send(&side, WM_MOUSEMOVE, 30, 100);
    EXPECT_EQ(ui::CurrentCursorId(), 32644); // IDC_SIZEWE
    Send(&side, WM_LBUTTONDOWN, 30, 100, MK_LBUTTON);
    Send(&side, WM_MOUSEMOVE, 20, 100, MK_LBUTTON);
    Send(&side, WM_LBUTTONUP, 20, 100);
    EXPECT_EQ(grid.gridInfo->GetSideHdgColWidth(-2), 20);
    EXPECT_EQ(grid.GetSideHdgWidth(), 40);
}

TEST_F(InputGrid, DraggingATitleMovesItsColumn) {
    grid.SetColSwapping(TRUE);
    for (int c = 0; c < 4; ++c)
        grid.SetCellText(c, 0, (L"data " + std::to_wstring(c)).c_str());
    CUGTopHdg& top = *grid.topHdg;
    // Pressed and released on its own title: nothing moves.
    Send(&top, WM_LBUTTONDOWN, 37, 10, MK_LBUTTON);
    Send(&top, WM_MOUSEMOVE, 30, 10, MK_LBUTTON);
    Send(&top, WM_LBUTTONUP, 30, 10);
    EXPECT_EQ(grid.CountCalls("coldrop"), 0);
    EXPECT_EQ(grid.GetCellText(0, 0), CString(L"data 0"));
    // Column 0 dropped on the right half of column 2: it goes after column 2.
    Send(&top, WM_LBUTTONDOWN, 37, 10, MK_LBUTTON);
    Send(&top, WM_MOUSEMOVE, 120, 10, MK_LBUTTON);
    EXPECT_EQ(top.SwapTargetCol(), 2);
    Send(&top, WM_MOUSEMOVE, 200, 10, MK_LBUTTON);
    EXPECT_EQ(top.SwapTargetCol(), 3);
    Send(&top, WM_LBUTTONUP, 200, 10);
    EXPECT_EQ(grid.calls.back(), "coldrop 0 2");
    EXPECT_EQ(grid.GetCellText(0, 0), CString(L"data 1"));
    EXPECT_EQ(grid.GetCellText(2, 0), CString(L"data 0"));
    EXPECT_EQ(grid.GetCellText(2, -1), CString(L"Col 0"));
    EXPECT_EQ(grid.GetCellText(3, 0), CString(L"data 3"));
}

TEST_F(InputGrid, DragSelectingPumpsTheQueueAndScrollsPastTheEdge) {
    grid.SetMultiSelectMode(TRUE);
    UINT custom = RegisterWindowMessage(L"GridDragTest");
    int customSeen = 0;
    class Counting : public CWnd {
    public:
        UINT message = 0;
        int* seen = nullptr;

    protected:
        LRESULT WindowProc(UINT m, WPARAM w, LPARAM l) override {
            if (m == message)
                ++*seen;
            return CWnd::WindowProc(m, w, l);
        }
    } counter;
    counter.message = custom;
    counter.seen = &customSeen;
    counter.CreateEx(0, L"Counter", L"", WS_POPUP, CRect(0, 0, 1, 1), nullptr, 0);
    CUGGrid* area = grid.grid.get();
    ScriptedInput script;
    script.Then([&] { PostMouse(area, WM_LBUTTONDOWN, CPoint(10, 10), MK_LBUTTON); })
        .Then([&] { PostMouse(area, WM_MOUSEMOVE, CPoint(160, 70), MK_LBUTTON); })
        .Then([&] { counter.PostMessage(custom); })
        .Then([&] { PostMouse(area, WM_MOUSEMOVE, CPoint(160, 265), MK_LBUTTON); });
    for (int i = 0; i < 15; ++i)
        script.Then([] {}); // each empty look at the queue scrolls on by a row
    script.Then([&] { PostMouse(area, WM_LBUTTONUP, CPoint(160, 265)); });
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    EXPECT_EQ(customSeen, 1); // dispatched by the drag loop
    EXPECT_EQ(grid.GetCurrentCol(), 0);
    EXPECT_EQ(grid.GetCurrentRow(), 0); // the anchor of the block
    EXPECT_GT(grid.GetTopRow(), 0);     // below the cell area the view scrolled down
    EXPECT_GT(grid.gridInfo->dragRow, 11);
    EXPECT_TRUE(grid.IsSelected(2, 3));
    EXPECT_TRUE(grid.IsSelected(0, grid.gridInfo->dragRow));
    EXPECT_FALSE(grid.IsSelected(3, 3));
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    counter.DestroyWindow();
}

TEST_F(InputGrid, TheDropListOffersTheLinesOfTheLabelAndTakesAChoice) {
    grid.SetCellCellType(1, 1, 1);
    grid.SetCellLabel(1, 1, L"alpha\nbeta\ngamma");
    grid.RepaintAll();
    // Cell (1, 1) is x 75..149, y 20..39; its button is the inner right 17 pixels.
    ClickCells(CPoint(140, 30));
    CUGLstBox* list = grid.dropListType.GetListBox();
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(list->IsWindowVisible());
    EXPECT_EQ(list->GetCount(), 2); // "gamma" ends no line
    SaveShot(window, "drop-list-open");
    Key(VK_DOWN);
    Key(VK_DOWN);
    Key(VK_RETURN);
    EXPECT_EQ(grid.GetCellText(1, 1), CString(L"beta"));
    EXPECT_FALSE(list->m_hWnd);
    EXPECT_EQ(CWnd::GetFocus(), grid.grid.get());
    // Twenty choices: 15 shown items plus one spare, plus the border.
    CString many;
    for (int i = 0; i < 20; ++i)
        many += CString(std::to_wstring(i).c_str()) + L"\n";
    grid.SetCellLabel(1, 1, many);
    grid.dropListType.ShowDropList();
    list = grid.dropListType.GetListBox();
    CRect shown;
    list->GetWindowRect(&shown);
    EXPECT_EQ(shown.Height(), 16 * 12 + 2);
    Key(VK_ESCAPE);
    EXPECT_EQ(grid.GetCellText(1, 1), CString(L"beta"));
}

TEST_F(InputGrid, CheckBoxesToggleByClickAndBySpace) {
    grid.SetCellCellType(0, 2, 2);
    grid.SetCellText(0, 2, L"0.5");
    grid.RepaintAll();
    // The box of row 2 (y 40..59) is x 3..14, y 44..55.
    ClickCells(CPoint(8, 50));
    EXPECT_EQ(grid.GetCellText(0, 2), CString(L"0.000000")); // 0.5 was marked: now 0
    grid.SetCellText(0, 2, L"0.5");
    ui::PostInput(WM_CHAR, L' ', POINT{0, 0}, 1);
    Settle();
    // Space reads the old value as a boolean: "0.5" is 0, so it sets 1.
    EXPECT_EQ(grid.GetCellText(0, 2), CString(L"1.000000"));
    CUGCell readOnly;
    grid.FetchCellInto(0, 2, &readOnly);
    readOnly.SetReadOnly(TRUE);
    grid.SetCell(0, 2, &readOnly);
    ClickCells(CPoint(8, 50));
    EXPECT_EQ(grid.GetCellText(0, 2), CString(L"1.000000"));
}

TEST_F(InputGrid, CellsTellTheirHintsWhenThePointerRests) {
    grid.SetCellHints(TRUE);
    PostMouse(grid.grid.get(), WM_MOUSEMOVE, CPoint(100, 50));
    PostMouse(grid.grid.get(), WM_MOUSEMOVE, CPoint(101, 50));
    Settle();
    ui::Wait(ui::kToolTipDelay + 10);
    CWnd* tip = ui::VisibleToolTip();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(tip->GetWindowText(), CString(L"Col:1 Row:2"));
    PostMouse(grid.grid.get(), WM_MOUSEMOVE, CPoint(200, 50)); // another cell: the tip goes
    Settle();
    EXPECT_EQ(ui::VisibleToolTip(), nullptr);
}

TEST_F(InputGrid, ShiftWithArrowsSelectsABlockThatAPlainArrowClears) {
    grid.SetMultiSelectMode(TRUE);
    PostKey(VK_SHIFT);
    Key(VK_DOWN);
    Key(VK_DOWN);
    PostKey(VK_SHIFT, WM_KEYUP);
    Settle();
    EXPECT_EQ(grid.gridInfo->multiSelect->GetBlockCount(), 1);
    EXPECT_TRUE(grid.IsSelected(0, 0));
    EXPECT_TRUE(grid.IsSelected(0, 2));
    EXPECT_EQ(grid.GetCurrentRow(), 0); // the current cell stays at the block's anchor
    EXPECT_EQ(CellAreaPixel(grid, 30, 50), GetSysColor(COLOR_HIGHLIGHT));
    Key(VK_DOWN);
    EXPECT_EQ(grid.gridInfo->multiSelect->GetBlockCount(), 1);
    EXPECT_FALSE(grid.IsSelected(0, 2));
    EXPECT_TRUE(grid.IsSelected(0, 3));
    EXPECT_EQ(grid.GetCurrentRow(), 3);
    EXPECT_EQ(CellAreaPixel(grid, 30, 50), RGB(255, 255, 255));
}

namespace {
class ViewGuard : public CUGCtrl {
public:
    int allowScroll = 1;
    std::vector<std::pair<int, int>> commands; // (item, section)
    int OnQueryViewScroll(int, int, long, long) override { return allowScroll; }
    void OnPopupCommand(int, long, int section, int item) override {
        commands.push_back({item, section});
    }
    int OnPopupQuery(int, long, int) override { return 0; }
};
} // namespace

TEST(GridFrameMessages, TheFrameWantsAllKeysAndPassesMenuCommandsFromAThousandOn) {
    GridWindow window;
    ViewGuard grid;
    ASSERT_TRUE(grid.CreateGrid(WS_VISIBLE, CRect(0, 0, 300, 200), &window, 1));
    grid.SetColCount(3);
    grid.SetRowCount(100);
    EXPECT_EQ(grid.SendMessage(WM_GETDLGCODE), DLGC_WANTARROWS | DLGC_WANTALLKEYS);
    grid.SendMessage(WM_COMMAND, 1000);
    grid.SendMessage(WM_COMMAND, 999);
    ASSERT_EQ(grid.commands.size(), 1u);
    EXPECT_EQ(grid.commands[0].first, 1000);
    // The menu asks first; with menus off nothing is asked at all.
    POINT at{10, 10};
    EXPECT_EQ(grid.StartMenu(0, 0, &at, UG_GRID), 1);
    grid.EnableMenu(TRUE);
    EXPECT_EQ(grid.StartMenu(0, 0, &at, UG_GRID), 2);
    // A vetoed view scroll leaves both the view and the current cell.
    grid.allowScroll = 0;
    EXPECT_EQ(grid.MoveToRow(80), GRID_VETOED);
    EXPECT_EQ(grid.SetTopRow(40), GRID_VETOED);
    EXPECT_EQ(grid.GetTopRow(), 0);
    EXPECT_EQ(grid.GetCurrentRow(), 0);
    EXPECT_EQ(grid.MoveToRow(2), GRID_SUCCESS); // no scroll needed: no question
}

TEST(GridFrameMessages, ASystemColourChangeRepaintsHeadingsInTheNewColours) {
    GridWindow window;
    CUGCtrl grid;
    ASSERT_TRUE(grid.CreateGrid(WS_VISIBLE, CRect(0, 0, 300, 200), &window, 1));
    grid.SetColCount(2);
    grid.RepaintAll();
    Settle();
    const int elements[2] = {COLOR_BTNFACE, COLOR_BTNSHADOW};
    const COLORREF colours[2] = {RGB(200, 220, 240), RGB(0, 0, 128)};
    SetSysColors(2, elements, colours);
    grid.SendMessage(WM_SYSCOLORCHANGE);
    grid.RepaintAll();
    Settle();
    COLORREF face = WindowPixel(*grid.topHdg, 10, 10);
    COLORREF shadow = WindowPixel(*grid.topHdg, 74, 10);
    ResetSysColors();
    EXPECT_EQ(face, RGB(200, 220, 240));
    EXPECT_EQ(shadow, RGB(0, 0, 128));
}

TEST_F(InputGrid, TheCornerSizesTheHeadingsAndHeadingRowsSizeTheirHeight) {
    CWnd& corner = *grid.cornerBtn; // 40 x 20
    Send(&corner, WM_MOUSEMOVE, 38, 5);
    Send(&corner, WM_LBUTTONDOWN, 38, 5, MK_LBUTTON);
    Send(&corner, WM_MOUSEMOVE, 70, 5, MK_LBUTTON);
    Send(&corner, WM_LBUTTONUP, 70, 5);
    EXPECT_EQ(grid.GetSideHdgWidth(), 70);
    EXPECT_EQ(grid.gridInfo->gridRect.left, 70);
    // The top heading's lower edge sizes its row and the heading.
    CUGTopHdg& top = *grid.topHdg;
    Send(&top, WM_MOUSEMOVE, 30, 18);
    EXPECT_TRUE(top.IsSizingArmed());
    Send(&top, WM_LBUTTONDOWN, 30, 18, MK_LBUTTON);
    Send(&top, WM_MOUSEMOVE, 30, 30, MK_LBUTTON);
    Send(&top, WM_LBUTTONUP, 30, 30);
    EXPECT_EQ(grid.GetTopHdgHeight(), 32);
    EXPECT_EQ(grid.gridInfo->GetTopHdgRowHeight(-1), 32);
    EXPECT_EQ(grid.gridInfo->gridRect.top, 32);
}
