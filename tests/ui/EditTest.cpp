#include <gtest/gtest.h>

#include <afxwin.h>

#include "tests/ui/ControlHost.h"

namespace {

struct EditFixture {
    ControlHost host;
    CEdit edit;
    explicit EditFixture(DWORD style = ES_AUTOHSCROLL, CRect rect = CRect(10, 10, 210, 31)) {
        edit.CreateEx(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | style, rect, &host,
                      100);
        edit.SetFocus();
    }
    void Type(const std::wstring& text) {
        ui::Type(text);
        Pump();
    }
    void Key(const std::wstring& name) {
        ui::Key(name);
        Pump();
    }
    std::pair<int, int> Sel() const {
        int s, e;
        edit.GetSel(s, e);
        return {s, e};
    }
};

TEST(Edit, TypingEditsAtTheCaretAndNotifiesUpdateBeforeChange) {
    EditFixture f;
    f.Type(L"hello");
    EXPECT_EQ(f.edit.GetWindowText(), L"hello");
    EXPECT_EQ(f.Sel(), std::make_pair(5, 5));
    std::vector<UINT> codes = f.host.Codes(WM_COMMAND);
    std::vector<UINT> edits;
    for (UINT c : codes)
        if (c == EN_UPDATE || c == EN_CHANGE)
            edits.push_back(c);
    ASSERT_EQ(edits.size(), 10u);
    for (std::size_t i = 0; i < edits.size(); i += 2) {
        EXPECT_EQ(edits[i], EN_UPDATE);
        EXPECT_EQ(edits[i + 1], EN_CHANGE);
    }
    // A selection is replaced by what is typed; Backspace and Delete take one character.
    f.edit.SendMessage(EM_SETSEL, 1, 3);
    f.Type(L"X");
    EXPECT_EQ(f.edit.GetWindowText(), L"hXlo");
    f.Type(L"\b");
    EXPECT_EQ(f.edit.GetWindowText(), L"hlo");
    f.Key(L"HOME");
    f.Key(L"DELETE");
    EXPECT_EQ(f.edit.GetWindowText(), L"lo");
    EXPECT_EQ(f.Sel(), std::make_pair(0, 0));
    // Moving the caret alone changes nothing and tells nobody.
    int changes = f.host.Count(WM_COMMAND, EN_CHANGE);
    f.Key(L"END");
    f.Key(L"LEFT");
    EXPECT_EQ(f.Sel(), std::make_pair(1, 1));
    EXPECT_EQ(f.host.Count(WM_COMMAND, EN_CHANGE), changes);
}

TEST(Edit, ShiftedKeysSelectAndSelectionMessagesAgree) {
    EditFixture f;
    f.edit.SetWindowText(L"abcdef");
    EXPECT_EQ(f.host.Count(WM_COMMAND, EN_CHANGE), 1); // setting the text is a change too
    EXPECT_EQ(f.Sel(), std::make_pair(0, 0));
    f.Key(L"SHIFT+RIGHT");
    f.Key(L"SHIFT+RIGHT");
    EXPECT_EQ(f.Sel(), std::make_pair(0, 2));
    f.Key(L"SHIFT+END");
    EXPECT_EQ(f.Sel(), std::make_pair(0, 6));
    DWORD start = 99, end = 99;
    LRESULT packed = f.edit.SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                                        reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 6u);
    EXPECT_EQ(packed, MAKELRESULT(0, 6));
    // Left without Shift collapses to the start; EM_SETSEL with -1 runs to the end.
    f.Key(L"LEFT");
    EXPECT_EQ(f.Sel(), std::make_pair(0, 0));
    f.edit.SendMessage(EM_SETSEL, 2, static_cast<LPARAM>(-1));
    EXPECT_EQ(f.Sel(), std::make_pair(2, 6));
    f.edit.SendMessage(WM_CLEAR);
    EXPECT_EQ(f.edit.GetWindowText(), L"ab");
    // Ctrl+Left and Ctrl+Right jump by words.
    f.edit.SetWindowText(L"one two three");
    f.Key(L"CTRL+RIGHT");
    EXPECT_EQ(f.Sel(), std::make_pair(4, 4));
    f.Key(L"CTRL+SHIFT+RIGHT");
    EXPECT_EQ(f.Sel(), std::make_pair(4, 8));
}

TEST(Edit, TheLimitCutsTypingAndPastingButNotSetWindowText) {
    EditFixture f;
    f.edit.LimitText(3);
    EXPECT_EQ(f.edit.SendMessage(EM_GETLIMITTEXT), 3);
    f.Type(L"abcd");
    EXPECT_EQ(f.edit.GetWindowText(), L"abc");
    EXPECT_EQ(f.host.Count(WM_COMMAND, EN_MAXTEXT), 1);
    f.edit.SetWindowText(L"longer text");
    EXPECT_EQ(f.edit.GetWindowText(), L"longer text");
    f.edit.SetSel(0, 6); // over the limit already: what replaces the selection is cut
    f.edit.ReplaceSel(L"x");
    EXPECT_EQ(f.edit.GetWindowText(), L" text");
    // ES_NUMBER takes digits only; a single line keeps what comes before a line break.
    EditFixture n(ES_AUTOHSCROLL | ES_NUMBER);
    n.Type(L"1a2");
    EXPECT_EQ(n.edit.GetWindowText(), L"12");
    n.edit.ReplaceSel(L"3\r\n4");
    EXPECT_EQ(n.edit.GetWindowText(), L"123");
}

TEST(Edit, AShortLineWithoutAutoScrollRefusesWhatDoesNotFitAndLongLinesScroll) {
    EditFixture narrow(0, CRect(0, 0, 40, 21));
    narrow.Type(L"wwwwwwwwwwwwwwww");
    EXPECT_LT(narrow.edit.GetWindowTextLength(), 16);
    EXPECT_GT(narrow.edit.GetWindowTextLength(), 0);
    EXPECT_GE(narrow.host.Count(WM_COMMAND, EN_MAXTEXT), 1);

    EditFixture wide(ES_AUTOHSCROLL, CRect(0, 0, 40, 21));
    wide.Type(L"wwwwwwwwwwwwwwww");
    EXPECT_EQ(wide.edit.GetWindowTextLength(), 16);
    // The caret stays in view: its position lies inside the client area.
    CPoint caret = wide.edit.PosFromChar(16);
    CRect client;
    wide.edit.GetClientRect(&client);
    EXPECT_TRUE(client.PtInRect(caret));
    EXPECT_GE(wide.host.Count(WM_COMMAND, EN_HSCROLL), 1);
    wide.Key(L"HOME");
    EXPECT_EQ(wide.edit.PosFromChar(0).x, 2);
}

TEST(Edit, MultiLineBreaksLinesMovesVerticallyAndScrolls) {
    EditFixture f(ES_MULTILINE | ES_AUTOVSCROLL, CRect(0, 0, 120, 4 + 3 * 13));
    f.Type(L"abc\rde\rfghij\rk\rl");
    EXPECT_EQ(f.edit.GetWindowText(), L"abc\r\nde\r\nfghij\r\nk\r\nl");
    EXPECT_EQ(f.edit.GetLineCount(), 5);
    EXPECT_EQ(f.edit.LineIndex(2), 9);
    EXPECT_EQ(f.edit.LineLength(9), 5);
    EXPECT_EQ(f.edit.LineFromChar(10), 2);
    EXPECT_GT(f.edit.GetFirstVisibleLine(), 0); // the caret's line scrolled into view
    // Up keeps the column as far as the line allows.
    f.edit.SetSel(12, 12); // "fgh|ij"
    f.Key(L"UP");
    EXPECT_EQ(f.Sel(), std::make_pair(7, 7)); // end of "de"
    f.Key(L"UP");
    EXPECT_EQ(f.Sel(), std::make_pair(3, 3)); // the wanted column, remembered: "abc|"
    f.Key(L"CTRL+HOME");
    EXPECT_EQ(f.edit.GetFirstVisibleLine(), 0);
    // Backspace at a line start joins the lines (CR LF goes as one).
    f.edit.SetSel(5, 5);
    f.Type(L"\b");
    EXPECT_EQ(f.edit.GetWindowText(), L"abcde\r\nfghij\r\nk\r\nl");
}

TEST(Edit, TheMouseSetsAndDragsTheSelection) {
    EditFixture f;
    f.edit.SetWindowText(L"abcdef");
    CPoint at3 = f.edit.PosFromChar(3);
    ClickAt(&f.edit, CPoint(at3.x + 1, 5));
    EXPECT_EQ(f.Sel(), std::make_pair(3, 3));
    CPoint at5 = f.edit.PosFromChar(5);
    ClickAt(&f.edit, CPoint(at5.x, 5), MK_SHIFT);
    EXPECT_EQ(f.Sel(), std::make_pair(3, 5));
    // A drag from 1 to 4.
    CPoint a = f.edit.PosFromChar(1), b = f.edit.PosFromChar(4);
    CPoint sa(a.x, 5), sb(b.x, 5);
    f.edit.ClientToScreen(&sa);
    f.edit.ClientToScreen(&sb);
    ui::PostInput(WM_LBUTTONDOWN, MK_LBUTTON, sa, 0);
    ui::PostInput(WM_MOUSEMOVE, MK_LBUTTON, sb, 0);
    ui::PostInput(WM_LBUTTONUP, 0, sb, 0);
    Pump();
    EXPECT_EQ(f.Sel(), std::make_pair(1, 4));
    EXPECT_EQ(GetCapture(), nullptr);
    // A double click takes the word.
    f.edit.SetWindowText(L"one two");
    CPoint w = f.edit.PosFromChar(5);
    f.edit.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(w.x, 5));
    EXPECT_EQ(f.Sel(), std::make_pair(4, 7));
}

TEST(Edit, CutCopyAndPasteGoThroughTheClipboard) {
    EditFixture f;
    f.edit.SetWindowText(L"caf\u00e9 bar");
    f.edit.SetSel(0, 4);
    f.Type(std::wstring(1, wchar_t(3))); // Ctrl+C
    f.edit.SetSel(8, 8);
    f.Type(std::wstring(1, wchar_t(22))); // Ctrl+V
    EXPECT_EQ(f.edit.GetWindowText(), L"caf\u00e9 barcaf\u00e9");
    f.edit.SetSel(0, 5);
    f.edit.Cut();
    EXPECT_EQ(f.edit.GetWindowText(), L"barcaf\u00e9");
    // What the edit put there is the ANSI text for everyone else.
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE data = GetClipboardData(CF_TEXT);
    ASSERT_NE(data, nullptr);
    EXPECT_STREQ(static_cast<const char*>(GlobalLock(data)), "caf\xe9 ");
    GlobalUnlock(data);
    CloseClipboard();
    // Read-only text can be copied but not changed.
    f.edit.SetReadOnly(TRUE);
    f.edit.SetSel(0, 3);
    f.edit.Cut();
    f.edit.Paste();
    f.Type(L"z");
    EXPECT_EQ(f.edit.GetWindowText(), L"barcaf\u00e9");
}

// The place of each character and the character under each point are those of the text as
// measured, and they follow the text, the font and the style as these change.
TEST(Edit, PositionsFollowTheMeasuredTextThroughChangesOfTextFontAndStyle) {
    EditFixture f(ES_AUTOHSCROLL | ES_MULTILINE, CRect(10, 10, 410, 110));
    auto expectMeasured = [&](const std::wstring& line, int lineNo) {
        const int first = f.edit.LineIndex(lineNo);
        CClientDC dc(&f.edit);
        CFont* font = f.edit.GetFont();
        dc.SelectObject(font ? font : static_cast<CFont*>(GetStockObject(DEFAULT_GUI_FONT)));
        const int x0 = f.edit.PosFromChar(static_cast<UINT>(first)).x;
        for (std::size_t k = 0; k <= line.size(); ++k) {
            const std::wstring shown =
                (f.edit.GetStyle() & ES_PASSWORD) ? std::wstring(k, L'*') : line.substr(0, k);
            const int x = x0 + dc.GetTextExtent(shown.c_str(), static_cast<int>(k)).cx;
            const int at = first + static_cast<int>(k);
            EXPECT_EQ(f.edit.PosFromChar(static_cast<UINT>(at)).x, x) << k;
            const int y = f.edit.PosFromChar(static_cast<UINT>(at)).y + 2;
            EXPECT_EQ(f.edit.LineFromChar(at), lineNo);
            if (k < line.size()) { // just past a character's start is still before it
                EXPECT_EQ(f.edit.CharFromPos(CPoint(x + 1, y)), at) << k;
            }
        }
    };
    f.edit.SetWindowText(L"AVAWAY Ta\u00e9 W.W\r\nfi\u4e2d|ll");
    expectMeasured(L"AVAWAY Ta\u00e9 W.W", 0);
    expectMeasured(L"fi\u4e2d|ll", 1);
    f.edit.SetWindowText(L"iiiiiiiiiiiiii\r\nWWWWWW"); // the same length, other widths
    expectMeasured(L"WWWWWW", 1);
    CFont big;
    big.CreatePointFont(160, L"Arial");
    f.edit.SetFont(&big);
    expectMeasured(L"WWWWWW", 1);
    f.edit.SetSel(f.edit.LineIndex(1), f.edit.LineIndex(1) + 2);
    f.Type(L"m");
    expectMeasured(L"mWWWW", 1);
    f.edit.ModifyStyle(0, ES_PASSWORD);
    expectMeasured(L"mWWWW", 1);
}

TEST(Edit, ASubclassSeesKeysAndCharactersFirst) {
    class Vetoing : public CEdit {
    public:
        std::vector<UINT> keys;

    protected:
        void OnKeyDown(UINT key, UINT repeat, UINT flags) override {
            keys.push_back(key);
            if (key != VK_DELETE)
                CEdit::OnKeyDown(key, repeat, flags);
        }
        void OnChar(UINT key, UINT repeat, UINT flags) override {
            if (key != L'|')
                CEdit::OnChar(key, repeat, flags);
        }
    };
    ControlHost host;
    Vetoing edit;
    edit.Create(WS_VISIBLE | ES_AUTOHSCROLL, CRect(0, 0, 100, 20), &host, 7);
    edit.SetFocus();
    ui::Type(L"a|b");
    ui::Key(L"HOME");
    ui::Key(L"DELETE");
    Pump();
    EXPECT_EQ(edit.GetWindowText(), L"ab");
    EXPECT_EQ(edit.keys, (std::vector<UINT>{VK_HOME, VK_DELETE}));
    EXPECT_EQ(edit.SendMessage(WM_GETDLGCODE) & DLGC_WANTCHARS, DLGC_WANTCHARS);
}

} // namespace
