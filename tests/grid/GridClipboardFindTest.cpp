// The grid's services on top of its cells: copy, cut and paste through the clipboard, the
// find and replace dialog, and the popup menu with the application's items.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <afxdlgs.h>

#include "PopupWindows.h"
#include "grid/CUGTopHdg.h"
#include "tests/grid/GridTestSupport.h"
#include "tests/ui/ScriptedInput.h"

namespace {

class ServiceGrid : public CUGCtrl {
public:
    std::vector<std::string> commands;
    void OnPopupCommand(int col, long row, int section, int item) override {
        commands.push_back(std::to_string(item) + " at " + std::to_string(col) + " " +
                           std::to_string(row) + " in " + std::to_string(section));
    }
};

std::string ClipboardBytes() {
    std::string text;
    if (OpenClipboard(nullptr)) {
        if (HANDLE block = GetClipboardData(CF_TEXT)) {
            text = static_cast<const char*>(GlobalLock(block));
            GlobalUnlock(block);
        }
        CloseClipboard();
    }
    return text;
}

void PutOnClipboard(const std::string& bytes) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size() + 1);
    std::copy(bytes.begin(), bytes.end(), static_cast<char*>(GlobalLock(block)));
    GlobalUnlock(block);
    SetClipboardData(CF_TEXT, block);
    CloseClipboard();
}

// Five columns by six rows reading "c,r", in a window of its own.
class Services : public ::testing::Test {
protected:
    void SetUp() override {
        ui::ResetInput();
        ASSERT_TRUE(grid.CreateGrid(WS_VISIBLE, CRect(0, 0, 420, 170), &window, 1));
        grid.SetColCount(5);
        grid.SetRowCount(6);
        for (int c = 0; c < 5; ++c)
            for (long r = 0; r < 6; ++r)
                grid.SetCellText(c, r, (std::to_wstring(c) + L"," + std::to_wstring(r)).c_str());
        grid.SetMultiSelectMode(TRUE);
        grid.RepaintAll();
        grid.grid->SetFocus();
        Settle();
    }
    void TearDown() override { ui::ResetInput(); }
    CPoint CellCentre(int col, long row) {
        CRect r;
        grid.GetCellRect(col, row, &r);
        return r.CenterPoint();
    }
    void Click(int col, long row, UINT keys = 0) {
        PostMouse(grid.grid.get(), WM_LBUTTONDOWN, CellCentre(col, row), MK_LBUTTON | keys);
        PostMouse(grid.grid.get(), WM_LBUTTONUP, CellCentre(col, row), keys);
        Settle();
    }

    GridWindow window{CRect(60, 60, 480, 230)};
    ServiceGrid grid;
};

} // namespace

TEST_F(Services, ACopiedBlockIsTabsWithinARowAndLineFeedsBetweenRows) {
    grid.SetCellText(1, 1, L"A");
    grid.SetCellText(2, 1, L"B");
    grid.SetCellText(1, 2, L"C");
    grid.SetCellText(2, 2, L"D");
    Click(1, 1);
    Click(2, 2, MK_SHIFT);
    ASSERT_TRUE(grid.IsSelected(2, 2));
    EXPECT_EQ(grid.CopySelected(), GRID_SUCCESS);
    EXPECT_EQ(ClipboardBytes(), "A\tB\nC\tD");
    EXPECT_FALSE(grid.IsSelected(2, 2)); // copying clears the selection
    // Without a selection the current cell alone is copied.
    EXPECT_EQ(grid.CopySelected(), GRID_SUCCESS);
    EXPECT_EQ(ClipboardBytes(), "A");
    // Two blocks: the cells between them are not part of the text.
    Click(0, 0);
    Click(2, 0, MK_CONTROL);
    grid.CopySelected();
    EXPECT_EQ(ClipboardBytes(), "0,0\t2,0");
}

TEST_F(Services, CuttingEmptiesTheCellsWhollyAfterCopyingTheirText) {
    grid.SetCellBackColor(3, 4, RGB(255, 0, 0));
    Click(3, 4);
    Click(4, 4, MK_SHIFT);
    grid.CutSelected();
    EXPECT_EQ(ClipboardBytes(), "3,4\t4,4");
    CUGCell stored;
    grid.FetchCellInto(3, 4, &stored);
    EXPECT_EQ(stored.GetPropertyMask(), 0u); // an empty cell in its place: no property left
    EXPECT_EQ(grid.GetCellText(3, 4), CString(L""));
    EXPECT_EQ(grid.GetCellText(4, 4), CString(L""));
}

TEST_F(Services, PastingFillsFromTheCurrentCellAndSelectsWhatItReached) {
    grid.SetCellBackColor(1, 1, RGB(0, 128, 0));
    PutOnClipboard("x\ty\r\nz");
    grid.MoveToCell(1, 1);
    EXPECT_EQ(grid.Paste(), GRID_SUCCESS);
    EXPECT_EQ(grid.GetCellText(1, 1), CString(L"x"));
    EXPECT_EQ(grid.GetCellText(2, 1), CString(L"y"));
    EXPECT_EQ(grid.GetCellText(1, 2), CString(L"z"));
    EXPECT_EQ(grid.GetCellText(2, 2), CString(L"2,2")); // no field reached it
    CUGCell cell;
    grid.FetchCellInto(1, 1, &cell);
    EXPECT_EQ(cell.GetBackColor(), RGB(0, 128, 0)); // only the text changed
    EXPECT_EQ(grid.gridInfo->multiSelect->GetBlockCount(), 1);
    for (int c = 0; c < 5; ++c)
        for (long r = 0; r < 6; ++r)
            EXPECT_EQ(grid.IsSelected(c, r) != 0, c >= 1 && c <= 2 && r >= 1 && r <= 2)
                << c << "," << r;
    SaveShot(window, "pasted-and-selected");
}

TEST_F(Services, PastingNeverGrowsTheGridAndTakesEmptyFieldsAsEmptyTexts) {
    grid.MoveToCell(4, 4);
    PutOnClipboard("a\tb\tc\nd\ne\nf\n");
    grid.Paste();
    EXPECT_EQ(grid.GetColCount(), 5);
    EXPECT_EQ(grid.GetRowCount(), 6);
    EXPECT_EQ(grid.GetCellText(4, 4), CString(L"a"));
    EXPECT_EQ(grid.GetCellText(4, 5), CString(L"d"));
    EXPECT_EQ(grid.GetCellText(3, 5), CString(L"3,5"));
    EXPECT_TRUE(grid.IsSelected(4, 5));
    EXPECT_FALSE(grid.IsSelected(3, 5));

    grid.MoveToCell(0, 0);
    PutOnClipboard("p\t\tq\r\r\ns\n");
    grid.Paste();
    EXPECT_EQ(grid.GetCellText(0, 0), CString(L"p"));
    EXPECT_EQ(grid.GetCellText(1, 0), CString(L""));
    EXPECT_EQ(grid.GetCellText(2, 0), CString(L"q"));
    EXPECT_EQ(grid.GetCellText(0, 1), CString(L"")); // CR then CR LF: an empty line
    EXPECT_EQ(grid.GetCellText(0, 2), CString(L"s"));
    EXPECT_EQ(grid.GetCellText(0, 3), CString(L"0,3")); // a closing line break opens none

    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_EQ(grid.Paste(), GRID_ERROR);
    EXPECT_EQ(grid.GetCellText(0, 0), CString(L"p"));
}

TEST_F(Services, FindNextGoesToTheNextMatchAndSaysSoWhenThereIsNone) {
    grid.SetCellText(2, 3, L"Bolt M6");
    grid.SetCellText(2, 5, L"bolt");
    grid.MoveToCell(2, 0);
    ASSERT_EQ(grid.ShowFindDialog(), GRID_SUCCESS);
    CFindReplaceDialog* dialog = grid.findDialog;
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(grid.ShowFindDialog(), GRID_SUCCESS);
    EXPECT_EQ(grid.findDialog, dialog); // one at a time
    EXPECT_EQ(dialog->GetDlgItem(CFindReplaceDialog::kWholeWord)->GetWindowText(),
              CString(L"Match &entire cell text"));
    dialog->SetDlgItemText(CFindReplaceDialog::kFindWhat, L"bolt");
    CWnd* findNext = dialog->GetDlgItem(IDOK);
    findNext->SendMessage(BM_CLICK);
    EXPECT_EQ(grid.GetCurrentRow(), 3); // part of the text, any case
    CRect gridOnScreen;
    window.GetWindowRect(&gridOnScreen); // the dialog moved aside to show the cell found
    dialog->SetWindowPos(nullptr, gridOnScreen.left + 250, gridOnScreen.top + 110, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER);
    std::vector<CWnd*> screen{&window, dialog};
    SaveScreenShot(screen, "find-dialog");
    dialog->GetDlgItem(CFindReplaceDialog::kWholeWord)->SendMessage(BM_CLICK);
    dialog->GetDlgItem(CFindReplaceDialog::kMatchCase)->SendMessage(BM_CLICK);
    findNext->SendMessage(BM_CLICK);
    EXPECT_EQ(grid.GetCurrentRow(), 5);
    {
        // "Bolt" as a whole cell with its case is nowhere: the box says so and nothing moves.
        dialog->SetDlgItemText(CFindReplaceDialog::kFindWhat, L"Bolt");
        ScriptedInput script;
        script.Verb([] { return ui::ExpectDialog(L"Not Found"); })
            .Verb([] { return ui::ExpectAlert(L"Item not found"); })
            .Verb([] { return ui::Click(L"OK"); });
        findNext->SendMessage(BM_CLICK);
        EXPECT_TRUE(script.failures.empty());
        EXPECT_EQ(script.Remaining(), 0u);
    }
    EXPECT_EQ(grid.GetCurrentRow(), 5);
    dialog->GetDlgItem(IDCANCEL)->SendMessage(BM_CLICK);
    Settle();
    EXPECT_EQ(grid.findDialogOpen, 0);
    EXPECT_EQ(grid.findDialog, nullptr);
}

TEST_F(Services, ReplaceAllChangesEveryMatchUnlessTheReplacementWouldMatchAgain) {
    grid.SetFindAllColumns(TRUE);
    grid.SetCellText(0, 1, L"nut");
    grid.SetCellText(3, 2, L"Nut");
    grid.SetCellText(4, 4, L"walnut");
    ASSERT_EQ(grid.ShowReplaceDialog(), GRID_SUCCESS);
    CFindReplaceDialog* dialog = grid.findDialog;
    auto replaceAll = [&](const wchar_t* find, const wchar_t* with) {
        dialog->SetDlgItemText(CFindReplaceDialog::kFindWhat, find);
        dialog->SetDlgItemText(CFindReplaceDialog::kReplaceWith, with);
        dialog->GetDlgItem(CFindReplaceDialog::kReplaceAll)->SendMessage(BM_CLICK);
    };
    replaceAll(L"nut", L"nut");  // the same text: nothing
    replaceAll(L"nut", L"nuts"); // partial and the replacement holds the text: nothing
    EXPECT_EQ(grid.GetCellText(4, 4), CString(L"walnut"));
    replaceAll(L"nut", L"NUT"); // equal but for case: each cell once
    EXPECT_EQ(grid.GetCellText(0, 1), CString(L"NUT"));
    EXPECT_EQ(grid.GetCellText(3, 2), CString(L"NUT"));
    EXPECT_EQ(grid.GetCellText(4, 4), CString(L"NUT")); // the whole text goes
    dialog->GetDlgItem(CFindReplaceDialog::kWholeWord)->SendMessage(BM_CLICK);
    grid.SetCellText(1, 1, L"bolt M6");
    grid.SetCellText(1, 3, L"bolt");
    replaceAll(L"bolt", L"screw");
    EXPECT_EQ(grid.GetCellText(1, 1), CString(L"bolt M6"));
    EXPECT_EQ(grid.GetCellText(1, 3), CString(L"screw"));
    EXPECT_EQ(grid.GetCurrentCol(), 1); // the last replaced cell is the current one
    EXPECT_EQ(grid.GetCurrentRow(), 3);
    // Replace: the current cell's text, then on to the next match.
    grid.SetCellText(0, 5, L"screw");
    dialog->SetDlgItemText(CFindReplaceDialog::kFindWhat, L"screw");
    dialog->SetDlgItemText(CFindReplaceDialog::kReplaceWith, L"pin");
    dialog->GetDlgItem(CFindReplaceDialog::kReplace)->SendMessage(BM_CLICK);
    EXPECT_EQ(grid.GetCellText(1, 3), CString(L"pin"));
    EXPECT_EQ(grid.GetCurrentCol(), 0);
    EXPECT_EQ(grid.GetCurrentRow(), 5);
    dialog->SendMessage(WM_CLOSE);
    Settle();
}

TEST_F(Services, MenuItemsFromAThousandReachTheHookWithTheCellAndSection) {
    EXPECT_EQ(grid.AddMenuItem(1000, L"&Copy"), GRID_SUCCESS);
    EXPECT_EQ(grid.AddMenuItem(-1, L"ignored"), GRID_SUCCESS);
    EXPECT_EQ(grid.AddMenuItem(1001, L""), GRID_SUCCESS);
    EXPECT_EQ(grid.AddMenuItem(999, L"&Old"), GRID_SUCCESS);
    EXPECT_EQ(grid.AddMenuItem(1002, L"&Paste"), GRID_SUCCESS);
    const CMenu& menu = *grid.popupMenu;
    ASSERT_EQ(menu.GetMenuItemCount(), 5);
    EXPECT_EQ(menu.GetMenuItemID(1), 0u); // both separators
    EXPECT_EQ(menu.GetMenuItemID(2), 0u);
    grid.EnableMenu(TRUE);
    auto rightClick = [&](CWnd* w, CPoint at, const wchar_t* choice) {
        ScriptedInput script;
        script.Verb([choice] { return ui::Type(choice); });
        PostMouse(w, WM_RBUTTONDOWN, at, MK_RBUTTON);
        PostMouse(w, WM_RBUTTONUP, at);
        Settle();
        EXPECT_EQ(ui::TrackedMenuWindow(), nullptr);
    };
    rightClick(grid.grid.get(), CellCentre(3, 2), L"c");
    rightClick(grid.grid.get(), CellCentre(1, 4), L"o"); // 999: not for the hook
    rightClick(grid.topHdg.get(), CPoint(100, 10), L"p");
    EXPECT_EQ(grid.commands, (std::vector<std::string>{"1000 at 3 2 in 1", "1002 at 1 -1 in 2"}));
    EXPECT_EQ(grid.RemoveMenuItem(1002), GRID_SUCCESS);
    EXPECT_EQ(grid.RemoveMenuItem(1002), GRID_ERROR);
    EXPECT_EQ(grid.EmptyMenu(), GRID_SUCCESS);
    EXPECT_EQ(menu.GetMenuItemCount(), 0);
}
