// In-place editing through the keys and the mouse of a grid in a dialog, as the dialogs use
// it: the default editor and the masked one, the hooks in their order, continuing to the
// next cell, and the ways an edit is discarded.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/CUGMaskedEdit.h"
#include "tests/grid/GridTestSupport.h"

namespace {

constexpr int kPlaceholder = 201, kOtherEdit = 202;

ui::DialogTemplate EditingDialogTemplate() {
    const DWORD child = WS_CHILD | WS_VISIBLE;
    return ui::DialogTemplate{
        0,
        L"Editing",
        0,
        0,
        250,
        130,
        DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU,
        L"MS Sans Serif",
        8,
        {
            {kPlaceholder, L"STATIC", L"", 5, 5, 240, 100, child | SS_SUNKEN},
            {kOtherEdit, L"EDIT", L"", 5, 110, 100, 12, child | WS_TABSTOP | ES_AUTOHSCROLL,
             WS_EX_CLIENTEDGE},
            {IDOK, L"BUTTON", L"OK", 195, 110, 50, 14, child | WS_TABSTOP | BS_DEFPUSHBUTTON},
        }};
}

class EditingDialog : public CDialog {
public:
    EditingDialog() { SetTemplate(EditingDialogTemplate()); }
    int oks = 0;

protected:
    void OnOK() override { ++oks; }
    void OnCancel() override {}
};

// Records the edit hooks; each can be told to refuse.
class EditGrid : public CUGCtrl {
public:
    std::vector<std::string> calls;
    int refuseBegin = 0, refuseEnd = 0, refuseChain = 0;

    int OnEditBegin(int col, long row, CWnd** edit) override {
        calls.push_back("begin " + std::to_string(col) + " " + std::to_string(row));
        return CUGCtrl::OnEditBegin(col, row, edit) && !refuseBegin;
    }
    int OnEditEnd(int col, long row, CWnd*, LPCTSTR text, int cancelFlag) override {
        calls.push_back("end " + std::to_string(col) + " " + std::to_string(row) + " " +
                        Narrow(text) + " " + std::to_string(cancelFlag));
        return !refuseEnd;
    }
    int OnEditChain(int oldCol, long oldRow, int* newCol, long* newRow) override {
        calls.push_back("chain " + std::to_string(oldCol) + " " + std::to_string(oldRow) + " " +
                        std::to_string(*newCol) + " " + std::to_string(*newRow));
        return !refuseChain;
    }

private:
    static std::string Narrow(LPCTSTR text) {
        std::string out;
        for (; text && *text; ++text)
            out += static_cast<char>(*text);
        return out;
    }
};

// Four columns (0 and 3 free text, 1 a price, 2 a description) and three rows in a dialog.
class Editing : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dialog.Create(0, nullptr));
        dialog.ShowWindow(SW_SHOW);
        ASSERT_TRUE(grid.AttachGrid(&dialog, kPlaceholder));
        grid.SetColCount(4);
        grid.SetRowCount(3);
        for (int c = 0; c < 4; ++c)
            for (long r = 0; r < 3; ++r)
                grid.SetCellText(c, r, (L"t" + std::to_wstring(c) + std::to_wstring(r)).c_str());
        grid.RepaintAll();
        grid.grid->SetFocus();
        Settle();
    }
    void TearDown() override {
        if (masked.m_hWnd)
            masked.DestroyWindow();
        dialog.DestroyWindow();
    }
    void Type(const wchar_t* text) {
        ui::Type(text);
        Settle();
    }
    void Key(const wchar_t* name) {
        ui::Key(name);
        Settle();
    }
    CString EditorText() { return grid.editCtrl ? grid.editCtrl->GetWindowText() : CString(); }
    void UseMaskedEditor() {
        ASSERT_TRUE(masked.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), &grid, 125));
        grid.SetEditCtrl(&masked);
    }

    EditingDialog dialog;
    EditGrid grid;
    CUGMaskedEdit masked;
};

} // namespace

TEST_F(Editing, TheEditorLiesOverTheCellWithItsTextSelectedAndTypingReplacesIt) {
    ASSERT_EQ(grid.BeginEdit(0, 1, 0), GRID_SUCCESS);
    ASSERT_EQ(grid.editCtrl, &grid.defaultEdit);
    EXPECT_EQ(grid.defaultEdit.GetParent(), grid.grid.get());
    CRect cell, editor;
    grid.GetCellRect(0, 1, &cell);
    grid.defaultEdit.GetWindowRect(&editor);
    grid.grid->ScreenToClient(&editor);
    EXPECT_EQ(editor.TopLeft(), cell.TopLeft());
    EXPECT_EQ(editor.bottom, cell.bottom - 1); // right and bottom come in by one
    EXPECT_EQ(CWnd::GetFocus(), &grid.defaultEdit);
    EXPECT_EQ(grid.defaultEdit.GetSel(), static_cast<DWORD>(MAKELONG(0, 3)));
    Type(L"new");
    EXPECT_EQ(EditorText(), CString(L"new"));
    SaveShot(dialog, "editor-open");
    EXPECT_EQ(grid.GetCellText(0, 1), CString(L"t01")); // nothing stored while typing
}

TEST_F(Editing, EnterStoresTheTextAndGoesOnInTheRowBelowAfterAskingEveryHook) {
    grid.BeginEdit(0, 1, 0);
    Type(L"new");
    Key(L"ENTER");
    EXPECT_EQ(dialog.oks, 0); // the editor took Enter, not the dialog
    EXPECT_EQ(grid.GetCellText(0, 1), CString(L"new"));
    EXPECT_EQ(grid.calls, (std::vector<std::string>{"begin 0 1", "end 0 1 new 0", "chain 0 1 0 2",
                                                    "begin 0 2"}));
    EXPECT_TRUE(grid.editing);
    EXPECT_EQ(grid.editRow, 2);
    EXPECT_EQ(grid.GetCurrentRow(), 2);
    EXPECT_EQ(CWnd::GetFocus(), &grid.defaultEdit);
    EXPECT_EQ(EditorText(), CString(L"t02"));
    // Enter on the last row goes on in row 0 of the same column.
    Key(L"ENTER");
    EXPECT_EQ(grid.editRow, 0);
    EXPECT_EQ(grid.editCol, 0);
}

TEST_F(Editing, TabGoesRightAndShiftTabLeftWrappingAtTheEdgesOfTheRow) {
    grid.BeginEdit(3, 1, 0);
    Key(L"TAB");
    EXPECT_EQ(grid.editCol, 0); // past the last column: column 0 of the same row
    EXPECT_EQ(grid.editRow, 1);
    Key(L"SHIFT+TAB");
    EXPECT_EQ(grid.editCol, 3);
    EXPECT_EQ(grid.editRow, 1);
    Key(L"DOWN"); // one line high: the arrow ends the edit too
    EXPECT_EQ(grid.editRow, 2);
}

TEST_F(Editing, EscapeLeavesTheStoredTextAndEndsEditing) {
    grid.BeginEdit(2, 0, 0);
    Type(L"xyz");
    Key(L"ESC");
    EXPECT_EQ(grid.GetCellText(2, 0), CString(L"t20"));
    EXPECT_FALSE(grid.editing);
    EXPECT_FALSE(grid.defaultEdit.IsWindowVisible());
    EXPECT_EQ(CWnd::GetFocus(), grid.grid.get());
    EXPECT_EQ(grid.calls, (std::vector<std::string>{"begin 2 0", "end 2 0 xyz 1"}));
}

TEST_F(Editing, MovingTheFocusOutOfTheGridDiscardsTheEditUnlessFocusCheckIsOff) {
    grid.BeginEdit(0, 0, 0);
    Type(L"lost");
    CWnd* other = dialog.GetDlgItem(kOtherEdit);
    ui::Mouse(L"DOWN", {5, 5}, kOtherEdit);
    ui::Mouse(L"UP", {5, 5}, kOtherEdit);
    Settle();
    EXPECT_EQ(CWnd::GetFocus(), other);
    EXPECT_FALSE(grid.editing);
    EXPECT_EQ(grid.GetCellText(0, 0), CString(L"t00"));

    grid.gridInfo->editFocusCheck = 0;
    grid.BeginEdit(0, 0, 0);
    Type(L"kept");
    other->SetFocus();
    EXPECT_EQ(grid.GetCellText(0, 0), CString(L"kept"));
    // A click into the cell area ends the edit and stores the text as well.
    grid.gridInfo->editFocusCheck = 1;
    grid.BeginEdit(1, 0, 0);
    Type(L"7");
    PostMouse(grid.grid.get(), WM_LBUTTONDOWN, CPoint(10, 50));
    PostMouse(grid.grid.get(), WM_LBUTTONUP, CPoint(10, 50));
    Settle();
    EXPECT_FALSE(grid.editing);
    EXPECT_EQ(grid.GetCellText(1, 0), CString(L"7"));
    EXPECT_EQ(grid.GetCurrentRow(), 2); // and the click moved on as clicks do
}

TEST_F(Editing, ReadOnlyCellsTypesWithoutAnEditorAndVetoesRefuseToOpen) {
    CUGCell cell;
    grid.FetchCellInto(0, 0, &cell);
    cell.SetReadOnly(1);
    grid.SetCell(0, 0, &cell);
    EXPECT_EQ(grid.BeginEdit(0, 0, 0), GRID_ERROR);
    grid.SetCellCellType(1, 0, 2); // the check box takes no editor
    EXPECT_EQ(grid.BeginEdit(1, 0, 0), GRID_ERROR);
    grid.refuseBegin = 1;
    EXPECT_EQ(grid.BeginEdit(2, 0, 0), GRID_ERROR);
    EXPECT_FALSE(grid.editing);
    EXPECT_FALSE(grid.defaultEdit.IsWindowVisible());
    grid.refuseBegin = 0;
    class Vetoing : public CUGDataSource {
    public:
        int OnQueryCellMove(int, long, int, long) override { return 0; }
    };
    // A data source that vetoes moves keeps the editor from another cell (answer 2).
    Vetoing vetoing;
    grid.SelectDataSource(grid.RegisterDataSource(&vetoing));
    EXPECT_EQ(grid.BeginEdit(3, 2, 0), GRID_VETOED);
    EXPECT_FALSE(grid.editing);
    grid.SelectDataSource(0); // the source goes before the grid does
}

TEST_F(Editing, AnEditEndHookThatSaysNoKeepsTheEditorOpenOnTheSameCell) {
    grid.BeginEdit(0, 1, 0);
    Type(L"dup");
    grid.refuseEnd = 1;
    Key(L"ENTER");
    EXPECT_TRUE(grid.editing);
    EXPECT_EQ(grid.editRow, 1);
    EXPECT_EQ(grid.GetCurrentRow(), 1);
    EXPECT_EQ(CWnd::GetFocus(), &grid.defaultEdit);
    EXPECT_EQ(grid.GetCellText(0, 1), CString(L"t01"));
    grid.refuseEnd = 0;
    grid.refuseChain = 1; // stored, but no next edit
    Key(L"ENTER");
    EXPECT_EQ(grid.GetCellText(0, 1), CString(L"dup"));
    EXPECT_FALSE(grid.editing);
}

TEST_F(Editing, TheKeyChecksKeepPricesNumericAndBarsOutOfTheTextColumns) {
    grid.BeginEdit(1, 0, 0);
    Type(L"a1.5.|2");
    EXPECT_EQ(EditorText(), CString(L"1.52"));
    Key(L"TAB");
    Type(L"a|b");
    EXPECT_EQ(EditorText(), CString(L"ab"));
    Key(L"TAB");
    Type(L"a|b");
    EXPECT_EQ(EditorText(), CString(L"a|b")); // column 3 takes anything
}

TEST_F(Editing, AJoinedBlockIsEditedWholeAndLeftWholeByTabAndEnter) {
    grid.SpanCells(1, 0, 2, 1);
    ASSERT_EQ(grid.BeginEdit(2, 1, 0), GRID_SUCCESS); // inside the block: its first cell
    EXPECT_EQ(grid.editCol, 1);
    EXPECT_EQ(grid.editRow, 0);
    CRect block, editor;
    grid.GetCellRect(1, 0, &block);
    grid.defaultEdit.GetWindowRect(&editor);
    grid.grid->ScreenToClient(&editor);
    EXPECT_EQ(editor.right, block.right - 1);
    EXPECT_EQ(editor.bottom, block.bottom - 1);
    Key(L"TAB");
    EXPECT_EQ(grid.editCol, 3);
    grid.CancelEdit();
    grid.BeginEdit(1, 0, 0);
    Key(L"ENTER");
    EXPECT_EQ(grid.editCol, 1);
    EXPECT_EQ(grid.editRow, 2);
}

TEST_F(Editing, TheDefaultEditorGrowsOverWholeCellsAndArrowsThenMoveItsCaret) {
    grid.BeginEdit(0, 0, 0);
    CRect before;
    grid.defaultEdit.GetWindowRect(&before);
    Type(L"abcdefghijklmnopqrstuvwxyz");
    CRect after;
    grid.defaultEdit.GetWindowRect(&after);
    grid.grid->ScreenToClient(&before);
    grid.grid->ScreenToClient(&after);
    CRect next;
    grid.GetCellRect(2, 0, &next);
    EXPECT_GT(after.right, before.right);
    EXPECT_EQ((after.right + 1) % 75, 0); // ends at a cell's right edge
    grid.CancelEdit();

    grid.SetCellText(0, 0, L"first\r\nsecond");
    grid.BeginEdit(0, 0, 0);
    grid.defaultEdit.GetWindowRect(&after);
    grid.grid->ScreenToClient(&after);
    EXPECT_GE(after.Height(), 2 * 20 - 1); // two lines: down over the next row
    SaveShot(dialog, "editor-grown");
    grid.defaultEdit.SetSel(14, 14);
    Key(L"UP");
    EXPECT_TRUE(grid.editing); // the caret moved up a line instead
    EXPECT_EQ(grid.editRow, 0);
    EXPECT_EQ(grid.defaultEdit.LineFromChar(-1), 0);
    EXPECT_EQ(grid.defaultEdit.GetLastKey(), static_cast<int>(VK_UP));
    EXPECT_EQ(grid.defaultEdit.SetAutoSize(FALSE), 1);
}

TEST_F(Editing, TheMaskedEditorTypesItsOwnLiteralsAndRefusesWhatDoesNotFit) {
    UseMaskedEditor();
    grid.SetCellMask(0, 0, L"00-00");
    grid.SetCellText(0, 0, L"");
    ASSERT_EQ(grid.BeginEdit(0, 0, 0), GRID_SUCCESS);
    EXPECT_EQ(grid.editCtrl, &masked);
    EXPECT_TRUE(masked.GetStyle() & ES_AUTOHSCROLL);
    Type(L"123");
    EXPECT_EQ(EditorText(), CString(L"12-3")); // the dash typed by the editor itself
    Type(L"x45");
    EXPECT_EQ(EditorText(), CString(L"12-34")); // a letter does not fit, the mask is full
    SaveShot(dialog, "editor-masked");
    Key(L"ENTER");
    EXPECT_EQ(grid.GetCellText(0, 0), CString(L"12-34"));

    grid.SetCellMask(3, 1, L"LL");
    grid.BeginEdit(3, 1, 0);
    Type(L"a1");
    EXPECT_EQ(EditorText(), CString(L"a"));
    int start, end;
    masked.GetSel(start, end);
    EXPECT_EQ(start, 1); // the refused digit left the caret where it was
    Type(L"bc");
    EXPECT_EQ(EditorText(), CString(L"ab"));
    Key(L"UP"); // the masked editor always ends on a vertical arrow
    EXPECT_EQ(grid.editRow, 0);
    EXPECT_EQ(grid.GetCellText(3, 1), CString(L"ab"));
}

TEST_F(Editing, AMaskRefitsTheTextItIsGivenAndACellWithoutOneTakesAnyText) {
    UseMaskedEditor();
    grid.SetCellMask(0, 0, L"(000) 000\\-00");
    grid.SetCellText(0, 0, L"12345x678");
    grid.BeginEdit(0, 0, 0);
    EXPECT_EQ(EditorText(), CString(L"(123) 456-78"));
    EXPECT_TRUE(masked.IsMaskActive());
    Key(L"ESC");
    grid.SetCellText(1, 0, L"");
    grid.BeginEdit(3, 0, 0); // no mask here
    EXPECT_FALSE(masked.IsMaskActive());
    Type(L"anything at all, longer than that mask");
    EXPECT_EQ(EditorText(), CString(L"anything at all, longer than that mask"));
    // Leaving for a window outside the grid discards, whatever the focus-check switch says.
    grid.gridInfo->editFocusCheck = 0;
    dialog.GetDlgItem(kOtherEdit)->SetFocus();
    EXPECT_EQ(grid.GetCellText(3, 0), CString(L"t30"));
}
