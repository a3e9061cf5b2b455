// The hint window: its size and place against its anchor, kept inside the parent, and its
// use by the scroll bars while their thumbs are dragged.

#include <gtest/gtest.h>

#include <string>

#include "grid/CUGHScroll.h"
#include "grid/CUGHint.h"
#include "grid/CUGVScroll.h"
#include "tests/grid/GridTestSupport.h"

namespace {

int TextWidth(CUGHint& hint, const wchar_t* text) {
    CClientDC dc(&hint);
    return dc.GetTextExtent(CString(text)).cx;
}

CRect ClientRectOf(CWnd& hint, CWnd& parent) {
    CRect r;
    hint.GetWindowRect(&r);
    parent.ScreenToClient(&r);
    return r;
}

} // namespace

TEST(Hint, ALongTextWidensTheWindowAndAnEmptyOneKeepsTheWidthAsked) {
    GridWindow window(CRect(100, 100, 400, 300));
    CUGHint hint;
    ASSERT_EQ(hint.Create(&window), 1);
    EXPECT_FALSE(hint.IsWindowVisible());
    EXPECT_TRUE(hint.GetExStyle() & WS_EX_TOPMOST);
    const int line = hint.GetLineHeight();
    EXPECT_GT(line, 0);
    hint.MoveHintWindow(20, 30, 40);
    EXPECT_TRUE(hint.IsWindowVisible());
    EXPECT_EQ(ClientRectOf(hint, window), CRect(20, 30, 60, 30 + line)); // empty: as asked
    const wchar_t* text = L"Row 12345 of 99999";
    hint.SetText(text, TRUE);
    hint.MoveHintWindow(20, 30, 40);
    EXPECT_EQ(ClientRectOf(hint, window).Width(), TextWidth(hint, text) + 4);
    // Centred on x and with its bottom on y; right-aligned and centred vertically.
    hint.SetText(L"", FALSE);
    hint.SetAlignment(UG_HINT_CENTER | UG_HINT_BOTTOM);
    hint.MoveHintWindow(100, 100, 40);
    EXPECT_EQ(ClientRectOf(hint, window), CRect(80, 100 - line, 120, 100));
    hint.SetAlignment(UG_HINT_RIGHT | UG_HINT_VCENTER);
    hint.MoveHintWindow(100, 100, 40);
    EXPECT_EQ(ClientRectOf(hint, window), CRect(60, 100 - line / 2, 100, 100 - line / 2 + line));
    hint.Hide();
    EXPECT_FALSE(hint.IsWindowVisible());
    hint.Show();
    EXPECT_TRUE(hint.IsWindowVisible());
}

TEST(Hint, AHintNearAnEdgeIsShiftedBackInsideTheParent) {
    GridWindow window(CRect(100, 100, 400, 300));
    CRect client;
    window.GetClientRect(&client);
    CUGHint hint;
    hint.Create(&window);
    hint.SetText(L"near the edge", FALSE);
    hint.MoveHintWindow(client.right - 10, client.bottom - 2, 20);
    CRect r = ClientRectOf(hint, window);
    EXPECT_EQ(r.right, client.right);
    EXPECT_EQ(r.bottom, client.bottom);
    EXPECT_EQ(r.Width(), TextWidth(hint, L"near the edge") + 4);
    hint.SetAlignment(UG_HINT_RIGHT | UG_HINT_BOTTOM);
    hint.MoveHintWindow(5, 3, 30);
    EXPECT_EQ(ClientRectOf(hint, window).TopLeft(), CPoint(0, 0));
    CFont font;
    font.CreatePointFont(140, L"DejaVu Sans");
    hint.SetFont(&font);
    EXPECT_GT(hint.GetLineHeight(), 20); // "Xy" in the larger font, plus 3
}

namespace {

class HintingGrid : public CUGCtrl {
public:
    int OnVScrollHintText(long row, CString* text) override {
        text->Format(L"Row %ld", row);
        return 1;
    }
    int OnHScrollHintText(int col, CString* text) override {
        text->Format(L"Column %d", col);
        return 1;
    }
};

// Presses the thumb of a bar, drags it by (dx, dy) and leaves the button held.
void DragThumb(CScrollBar& bar, int dx, int dy) {
    CPoint at = bar.PartRect(CScrollBar::Part::Thumb).CenterPoint();
    PostMouse(&bar, WM_LBUTTONDOWN, at, MK_LBUTTON);
    PostMouse(&bar, WM_MOUSEMOVE, at + CSize(dx, dy), MK_LBUTTON);
    Settle();
}

} // namespace

TEST(Hint, DraggingTheThumbsShowsWhereTheyPointAndReleasingHidesIt) {
    GridWindow window(CRect(60, 60, 480, 320));
    HintingGrid grid;
    ASSERT_TRUE(grid.CreateGrid(WS_VISIBLE, CRect(0, 0, 420, 260), &window, 1));
    grid.SetColCount(40);
    grid.SetRowCount(500);
    grid.SetVScrollHints(TRUE);
    grid.SetHScrollHints(TRUE);
    grid.RepaintAll();
    Settle();
    CUGHint& hint = *grid.hint;

    DragThumb(*grid.vScroll, 0, 60);
    ASSERT_TRUE(hint.IsWindowVisible());
    const long row = grid.vScroll->GetTrackRow();
    EXPECT_GT(row, 0);
    EXPECT_EQ(hint.GetText(), CString((L"Row " + std::to_wstring(row)).c_str()));
    CRect r = ClientRectOf(hint, grid);
    EXPECT_EQ(r.right, grid.gridInfo->vScrollRect.left - 1); // just left of the bar
    CPoint pointer;
    GetCursorPos(&pointer);
    grid.ScreenToClient(&pointer);
    EXPECT_EQ(r.top, pointer.y - hint.GetLineHeight() / 2); // centred on the pointer
    EXPECT_EQ(grid.GetTopRow(), 0);                         // the view waits for the release
    SaveScreenShot({&window, &hint}, "hint-window");
    PostMouse(grid.vScroll.get(), WM_LBUTTONUP, CPoint(5, 5));
    Settle();
    EXPECT_FALSE(hint.IsWindowVisible());
    EXPECT_EQ(grid.GetTopRow(), row);

    DragThumb(*grid.hScroll, 400, 0); // far right: the hint stays inside the grid
    ASSERT_TRUE(hint.IsWindowVisible());
    EXPECT_EQ(hint.GetText(),
              CString((L"Column " + std::to_wstring(grid.hScroll->GetTrackCol())).c_str()));
    r = ClientRectOf(hint, grid);
    CRect client;
    grid.GetClientRect(&client);
    EXPECT_LE(r.right, client.right);
    EXPECT_EQ(r.bottom, grid.gridInfo->hScrollRect.top - 1); // just above the bar
    PostMouse(grid.hScroll.get(), WM_LBUTTONUP, CPoint(5, 5));
    Settle();
    EXPECT_FALSE(hint.IsWindowVisible());
}
