#include <gtest/gtest.h>

#include <afxwin.h>

#include "tests/ui/ControlHost.h"

namespace {

struct BarFixture {
    ControlHost host;
    CScrollBar bar;
    explicit BarFixture(DWORD style = SBS_VERT, CRect rect = CRect(10, 10, 27, 210)) {
        bar.Create(WS_VISIBLE | style, rect, &host, 50);
        SCROLLINFO si{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 0, 0};
        bar.SetScrollInfo(&si);
    }
    void Press(CScrollBar::Part part) {
        CPoint p = bar.PartRect(part).CenterPoint();
        bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    }
    void Release(CPoint p = CPoint(5, 5)) {
        bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    }
};

TEST(ScrollBar, InfoKeepsThePositionInsideRangeMinusPage) {
    BarFixture f;
    SCROLLINFO si{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, 500, 0};
    f.bar.SetScrollInfo(&si);
    EXPECT_EQ(f.bar.GetScrollPos(), 90); // 99 - (10 - 1)
    SCROLLINFO got{sizeof(SCROLLINFO), 0, 0, 0, 0, 0, 0};
    f.bar.GetScrollInfo(&got, SIF_ALL);
    EXPECT_EQ(got.nMin, 0);
    EXPECT_EQ(got.nMax, 99);
    EXPECT_EQ(got.nPage, 10u);
    EXPECT_EQ(got.nPos, 90);
    f.bar.SetScrollPos(-5);
    EXPECT_EQ(f.bar.GetScrollPos(), 0);
    // The thumb is as long as the page's share of the track (200 - 2 arrows of 17).
    EXPECT_EQ(f.bar.PartRect(CScrollBar::Part::Thumb).Height(), MulDiv(166, 10, 100));
    // A range narrower than the page leaves nothing to scroll and no thumb.
    f.bar.SetScrollRange(0, 5);
    EXPECT_TRUE(f.bar.PartRect(CScrollBar::Part::Thumb).IsRectEmpty());
    f.Press(CScrollBar::Part::LineDown);
    EXPECT_TRUE(f.host.notes.empty());
}

TEST(ScrollBar, ArrowsAndPageAreasSendLineAndPageCodesAndRepeatWhileHeld) {
    BarFixture f;
    f.Press(CScrollBar::Part::LineDown);
    f.Release();
    EXPECT_EQ(f.host.Codes(WM_VSCROLL), (std::vector<UINT>{SB_LINEDOWN, SB_ENDSCROLL}));
    f.host.notes.clear();
    f.Press(CScrollBar::Part::PageDown);
    f.Release();
    EXPECT_EQ(f.host.Codes(WM_VSCROLL), (std::vector<UINT>{SB_PAGEDOWN, SB_ENDSCROLL}));
    f.host.notes.clear();
    // Held: the first repeat after 400 ms, then every 50 ms.
    f.Press(CScrollBar::Part::LineUp);
    ui::Wait(399);
    EXPECT_EQ(f.host.Count(WM_VSCROLL, SB_LINEUP), 1);
    ui::Wait(1 + 100); // at 400, 450 and 500
    EXPECT_EQ(f.host.Count(WM_VSCROLL, SB_LINEUP), 4);
    f.Release();
    ui::Wait(200);
    EXPECT_EQ(f.host.Count(WM_VSCROLL, SB_LINEUP), 4);
    EXPECT_EQ(f.host.Count(WM_VSCROLL, SB_ENDSCROLL), 1);
}

TEST(ScrollBar, DraggingTheThumbTracksAndEndsWithThumbPosition) {
    BarFixture f;
    CRect thumb = f.bar.PartRect(CScrollBar::Part::Thumb);
    CPoint start = thumb.CenterPoint();
    f.bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(start.x, start.y));
    EXPECT_EQ(GetCapture(), &f.bar);
    // Half the free track is half the positions.
    int room = 166 - thumb.Height();
    f.bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(start.x, start.y + room / 2));
    const ControlHost::Note* track = f.host.Last(WM_VSCROLL);
    ASSERT_NE(track, nullptr);
    EXPECT_EQ(track->code, SB_THUMBTRACK);
    EXPECT_NEAR(static_cast<int>(track->id), 45, 1);
    EXPECT_EQ(f.bar.GetTrackPos(), static_cast<int>(track->id));
    EXPECT_EQ(f.bar.GetScrollPos(), 0); // the owner moves the position, not the bar
    f.bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(start.x, start.y + 1000));
    EXPECT_EQ(f.host.Last(WM_VSCROLL)->id, 90u);
    f.bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(start.x, start.y + 1000));
    std::vector<UINT> codes = f.host.Codes(WM_VSCROLL);
    ASSERT_GE(codes.size(), 2u);
    EXPECT_EQ(codes[codes.size() - 2], SB_THUMBPOSITION);
    EXPECT_EQ(codes.back(), SB_ENDSCROLL);
    EXPECT_EQ(f.host.notes[f.host.notes.size() - 2].id, 90u);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST(ScrollBar, HorizontalBarsSendHScrollAndKeysGiveEnds) {
    BarFixture f(SBS_HORZ, CRect(10, 10, 210, 27));
    f.Press(CScrollBar::Part::LineUp);
    f.Release();
    EXPECT_EQ(f.host.Codes(WM_HSCROLL), (std::vector<UINT>{SB_LINELEFT, SB_ENDSCROLL}));
    EXPECT_TRUE(f.host.Codes(WM_VSCROLL).empty());
    f.host.notes.clear();
    f.bar.SendMessage(WM_KEYDOWN, VK_END);
    f.bar.SendMessage(WM_KEYDOWN, VK_HOME);
    f.bar.SendMessage(WM_KEYDOWN, VK_NEXT);
    EXPECT_EQ(f.host.Codes(WM_HSCROLL),
              (std::vector<UINT>{SB_RIGHT, SB_ENDSCROLL, SB_LEFT, SB_ENDSCROLL, SB_PAGERIGHT,
                                 SB_ENDSCROLL}));
}

struct ListFixture {
    ControlHost host;
    CListBox list;
    explicit ListFixture(DWORD style = LBS_NOTIFY | WS_VSCROLL, int items = 20) {
        list.CreateEx(WS_EX_CLIENTEDGE, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | style,
                      CRect(10, 10, 150, 10), &host, 60);
        int h = list.GetItemHeight();
        list.MoveWindow(10, 10, 140, 5 * h + 6); // five items inside the edges
        for (int i = 0; i < items; ++i)
            list.AddString(CString(L"item ") + CString(std::to_wstring(i).c_str()));
        list.SetFocus();
    }
};

TEST(ListBox, ItemHeightComesFromTheFontAndTheBarAppearsWhenItemsOverflow) {
    ListFixture f(LBS_NOTIFY | WS_VSCROLL, 3);
    CClientDC dc(&f.list);
    dc.SelectObject(static_cast<CFont*>(GetStockObject(DEFAULT_GUI_FONT)));
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    EXPECT_EQ(f.list.GetItemHeight(), tm.tmHeight);
    ASSERT_NE(f.list.GetVScrollBar(), nullptr);
    EXPECT_FALSE(f.list.GetVScrollBar()->IsWindowVisible());
    for (int i = 0; i < 3; ++i)
        f.list.AddString(L"more");
    EXPECT_TRUE(f.list.GetVScrollBar()->IsWindowVisible());
    SCROLLINFO si{};
    f.list.GetVScrollBar()->GetScrollInfo(&si, SIF_ALL);
    EXPECT_EQ(si.nMax, 5);
    EXPECT_EQ(si.nPage, 5u);
}

TEST(ListBox, KeysMoveTheSelectionScrollAndNotify) {
    ListFixture f;
    EXPECT_EQ(f.list.GetCurSel(), LB_ERR);
    f.list.SendMessage(WM_KEYDOWN, VK_DOWN);
    EXPECT_EQ(f.list.GetCurSel(), 0);
    f.list.SendMessage(WM_KEYDOWN, VK_DOWN);
    EXPECT_EQ(f.list.GetCurSel(), 1);
    EXPECT_EQ(f.host.Count(WM_COMMAND, LBN_SELCHANGE), 2);
    f.list.SendMessage(WM_KEYDOWN, VK_END);
    EXPECT_EQ(f.list.GetCurSel(), 19);
    EXPECT_EQ(f.list.GetTopIndex(), 15);
    EXPECT_EQ(f.list.GetVScrollBar()->GetScrollPos(), 15);
    f.list.SendMessage(WM_KEYDOWN, VK_PRIOR);
    EXPECT_EQ(f.list.GetCurSel(), 15);
    f.list.SendMessage(WM_KEYDOWN, VK_HOME);
    EXPECT_EQ(f.list.GetCurSel(), 0);
    EXPECT_EQ(f.list.GetTopIndex(), 0);
    // Up at the top stays and tells nobody; a letter finds the next item starting with it.
    int before = f.host.Count(WM_COMMAND, LBN_SELCHANGE);
    f.list.SendMessage(WM_KEYDOWN, VK_UP);
    EXPECT_EQ(f.host.Count(WM_COMMAND, LBN_SELCHANGE), before);
    f.list.SetItemData(0, 42);
    EXPECT_EQ(f.list.GetItemData(0), 42u);
    f.list.InsertString(1, L"zebra");
    f.list.SendMessage(WM_CHAR, L'Z');
    EXPECT_EQ(f.list.GetCurSel(), 1);
    // Setting the selection by program does not notify.
    before = f.host.Count(WM_COMMAND, LBN_SELCHANGE);
    f.list.SetCurSel(5);
    EXPECT_EQ(f.host.Count(WM_COMMAND, LBN_SELCHANGE), before);
    EXPECT_EQ(f.list.SetCurSel(99), LB_ERR);
}

TEST(ListBox, TheMouseSelectsDragsAndDoubleClicksAndTheBarScrolls) {
    ListFixture f;
    int h = f.list.GetItemHeight();
    ClickAt(&f.list, CPoint(20, 2 * h + 2));
    EXPECT_EQ(f.list.GetCurSel(), 2);
    EXPECT_EQ(f.list.ItemFromPoint(CPoint(20, 2 * h + 2)), 2);
    f.list.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 3 * h + 1));
    EXPECT_EQ(f.list.GetCurSel(), 3);
    EXPECT_EQ(f.host.Count(WM_COMMAND, LBN_DBLCLK), 1);
    // A drag below the list scrolls it and selects the item coming into view.
    f.list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 1));
    f.list.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20, 10 * h));
    f.list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(20, 10 * h));
    EXPECT_EQ(f.list.GetCurSel(), 5);
    EXPECT_EQ(f.list.GetTopIndex(), 1);
    EXPECT_EQ(GetCapture(), nullptr);
    // A list that held the mouse before the click (a drop-down list) still holds it after.
    f.list.SetCapture();
    f.list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 1));
    f.list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(20, 1));
    EXPECT_EQ(GetCapture(), &f.list);
    ReleaseCapture();
    // The scroll bar's arrow, pressed while the list holds the mouse, scrolls one item.
    f.list.SetTopIndex(0);
    f.list.SetCapture();
    CRect bar;
    f.list.GetVScrollBar()->GetWindowRect(&bar);
    f.list.ScreenToClient(&bar);
    CPoint arrow(bar.CenterPoint().x, bar.bottom - 3);
    f.list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(arrow.x, arrow.y));
    f.list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(arrow.x, arrow.y));
    EXPECT_EQ(f.list.GetTopIndex(), 1);
    EXPECT_EQ(GetCapture(), &f.list);
    ReleaseCapture();
    // The wheel scrolls three items a notch.
    f.list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, -120), 0);
    EXPECT_EQ(f.list.GetTopIndex(), 4);
}

TEST(ListBox, SortedListsInsertInOrderAndDeletingMovesTheSelection) {
    ListFixture f(LBS_SORT | LBS_NOTIFY, 0);
    for (const wchar_t* s : {L"pear", L"Apple", L"fig", L"banana"})
        f.list.AddString(s);
    CString text;
    std::vector<std::wstring> order;
    for (int i = 0; i < f.list.GetCount(); ++i) {
        f.list.GetText(i, text);
        order.push_back(text.str());
    }
    EXPECT_EQ(order, (std::vector<std::wstring>{L"Apple", L"banana", L"fig", L"pear"}));
    EXPECT_EQ(f.list.FindStringExact(-1, L"FIG"), 2);
    EXPECT_EQ(f.list.FindString(-1, L"ba"), 1);
    f.list.SetCurSel(3);
    f.list.DeleteString(1);
    EXPECT_EQ(f.list.GetCurSel(), 2);
    f.list.DeleteString(2);
    EXPECT_EQ(f.list.GetCurSel(), LB_ERR);
    EXPECT_EQ(f.list.SendMessage(LB_GETCOUNT), 2);
}

} // namespace
