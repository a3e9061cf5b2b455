#include <gtest/gtest.h>

#include <afxdlgs.h>

#include "PopupWindows.h"

#include "tests/ui/ControlHost.h"
#include "tests/ui/ScriptedInput.h"

namespace {

void FillMenu(CMenu& menu) {
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 1000, L"&Copy");
    menu.AppendMenu(MF_STRING, static_cast<UINT_PTR>(-1), L"ignored");
    menu.AppendMenu(MF_STRING, 1001, L"&Paste");
    menu.AppendMenu(MF_STRING, 1002, L"");
    menu.AppendMenu(MF_STRING | MF_GRAYED, 1003, L"&Grey");
    menu.AppendMenu(MF_STRING, 999, L"&Find...");
}

TEST(Menu, ItemsSeparatorsAndDeletion) {
    CMenu menu;
    FillMenu(menu);
    EXPECT_EQ(menu.GetMenuItemCount(), 6);
    // An item without text is a separator, whatever its id; id -1 with a text stays an item.
    EXPECT_EQ(menu.GetMenuItemID(3), 0u);
    EXPECT_EQ(menu.GetMenuItemID(1), static_cast<UINT>(-1));
    EXPECT_TRUE(menu.DeleteMenu(1001, MF_BYCOMMAND));
    EXPECT_FALSE(menu.DeleteMenu(1001, MF_BYCOMMAND));
    EXPECT_EQ(menu.GetMenuItemCount(), 5);
    while (menu.GetMenuItemCount() > 0)
        menu.DeleteMenu(0, MF_BYPOSITION);
    EXPECT_FALSE(menu.DeleteMenu(0, MF_BYPOSITION));
    CMenu empty;
    EXPECT_FALSE(empty.AppendMenu(MF_STRING, 1, L"x")); // not created
}

TEST(Menu, KeysAndMouseChooseAndTheChoiceArrivesAsCommand) {
    ControlHost host;
    CMenu menu;
    FillMenu(menu);
    {
        // Down skips separators and grey items; Enter chooses.
        ScriptedInput script;
        std::wstring shot = (ShotsDir() / "popup-menu.png").wstring();
        script.Verb([] { return ui::Key(L"DOWN"); })
            .Verb([] { return ui::Key(L"DOWN"); })
            .Verb([] { return ui::Key(L"DOWN"); })
            .Verb([&] { return ui::ShotOf(ui::TrackedMenuWindow(), shot); })
            .Verb([] { return ui::Key(L"ENTER"); });
        EXPECT_TRUE(menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, 150, 150, &host));
        EXPECT_TRUE(script.failures.empty());
        EXPECT_EQ(ui::TrackedMenuWindow(), nullptr);
        Pump(); // the posted command, before the script's end clears the queue
    }
    const ControlHost::Note* command = host.Last(WM_COMMAND);
    ASSERT_NE(command, nullptr);
    EXPECT_EQ(command->id, 1001u);
    host.notes.clear();
    {
        // Escape closes without a command; a mnemonic chooses at once.
        ScriptedInput script;
        script.Verb([] { return ui::Key(L"ESC"); });
        menu.TrackPopupMenu(0, 150, 150, &host);
        ScriptedInput again;
        again.Verb([] { return ui::Type(L"f"); });
        EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 150, 150, &host), 999);
        Pump();
    }
    EXPECT_EQ(host.Last(WM_COMMAND), nullptr);
    {
        // The right button releases on an item with TPM_RIGHTBUTTON; a press outside cancels.
        ScriptedInput script;
        script.Then([] {
            CWnd* w = ui::TrackedMenuWindow();
            CPoint p(20, 3 + 2); // inside the first item
            w->ClientToScreen(&p);
            ui::PostInput(WM_RBUTTONUP, 0, p, 0);
        });
        EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD | TPM_RIGHTBUTTON, 150, 150, &host), 1000);
        ScriptedInput outside;
        outside.Then([] { ui::PostInput(WM_LBUTTONDOWN, MK_LBUTTON, POINT{5, 5}, 0); });
        EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 150, 150, &host), 0);
        // With no input left the menu closes by itself.
        ScriptedInput none;
        EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 150, 150, &host), 0);
    }
}

// An owner that records every find message.
class FindOwner : public ControlHost {
public:
    std::vector<DWORD> flags;
    std::vector<std::wstring> finds, replaces;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        static const UINT findMessage = RegisterWindowMessage(FINDMSGSTRING);
        if (message == findMessage) {
            CFindReplaceDialog* d = CFindReplaceDialog::GetNotifier(lParam);
            EXPECT_NE(d, nullptr);
            auto* fr = reinterpret_cast<FINDREPLACE*>(lParam);
            flags.push_back(fr->Flags);
            finds.push_back(d->GetFindString().str());
            replaces.push_back(d->GetReplaceString().str());
            return 0;
        }
        return ControlHost::WindowProc(message, wParam, lParam);
    }
};

TEST(FindReplace, FindNextSendsTheTextAndTheBoxesAsFlags) {
    FindOwner owner;
    auto* dialog = new CFindReplaceDialog;
    ASSERT_TRUE(dialog->Create(TRUE, L"", nullptr, FR_DOWN, &owner));
    EXPECT_EQ(dialog->GetWindowText(), L"Find");
    CWnd* findNext = dialog->GetDlgItem(IDOK);
    EXPECT_FALSE(findNext->IsWindowEnabled()); // nothing to find yet
    EXPECT_EQ(GetFocus(), dialog->GetDlgItem(CFindReplaceDialog::kFindWhat));
    ui::Type(L"Bolt");
    Pump();
    EXPECT_TRUE(findNext->IsWindowEnabled());
    findNext->SendMessage(BM_CLICK);
    ASSERT_EQ(owner.flags.size(), 1u);
    EXPECT_EQ(owner.flags[0], static_cast<DWORD>(FR_FINDNEXT | FR_DOWN));
    EXPECT_EQ(owner.finds[0], L"Bolt");
    // Match case, whole word and the Up direction.
    dialog->GetDlgItem(CFindReplaceDialog::kMatchCase)->SendMessage(BM_CLICK);
    dialog->GetDlgItem(CFindReplaceDialog::kWholeWord)->SendMessage(BM_CLICK);
    dialog->GetDlgItem(CFindReplaceDialog::kUp)->SendMessage(BM_CLICK);
    EXPECT_EQ(dialog->IsDlgButtonChecked(CFindReplaceDialog::kDown), 0u);
    std::wstring shot = (ShotsDir() / "find-dialog.png").wstring();
    EXPECT_TRUE(ui::ShotOf(dialog, shot));
    ui::Key(L"ENTER"); // the default button
    Pump();
    ASSERT_EQ(owner.flags.size(), 2u);
    EXPECT_EQ(owner.flags[1], static_cast<DWORD>(FR_FINDNEXT | FR_MATCHCASE | FR_WHOLEWORD));
    // Cancel says the dialog is closing; the window is gone once the queue has run.
    ui::Key(L"ESC");
    Pump();
    ASSERT_EQ(owner.flags.size(), 3u);
    EXPECT_TRUE(owner.flags[2] & FR_DIALOGTERM);
    EXPECT_EQ(CFindReplaceDialog::GetNotifier(0), nullptr);
}

TEST(FindReplace, ReplaceAndReplaceAllCarryBothTexts) {
    FindOwner owner;
    auto* dialog = new CFindReplaceDialog;
    ASSERT_TRUE(dialog->Create(FALSE, L"a", L"b", FR_DOWN, &owner));
    EXPECT_EQ(dialog->GetWindowText(), L"Replace");
    EXPECT_EQ(dialog->GetDlgItem(CFindReplaceDialog::kUp), nullptr); // no direction here
    // The grid renames the whole-word box by looking for its text.
    CWnd* wholeWord = nullptr;
    for (CWnd* c : dialog->Children())
        if (c->GetWindowText().Find(L"&whole word") >= 0 && !wholeWord)
            wholeWord = c;
    ASSERT_NE(wholeWord, nullptr);
    wholeWord->SetWindowText(L"Match &entire cell text");
    dialog->SetDlgItemText(CFindReplaceDialog::kReplaceWith, L"nut");
    dialog->GetDlgItem(CFindReplaceDialog::kReplace)->SendMessage(BM_CLICK);
    dialog->GetDlgItem(CFindReplaceDialog::kReplaceAll)->SendMessage(BM_CLICK);
    ASSERT_EQ(owner.flags.size(), 2u);
    EXPECT_EQ(owner.flags[0], static_cast<DWORD>(FR_REPLACE | FR_DOWN));
    EXPECT_EQ(owner.flags[1], static_cast<DWORD>(FR_REPLACEALL | FR_DOWN));
    EXPECT_EQ(owner.finds[1], L"a");
    EXPECT_EQ(owner.replaces[1], L"nut");
    std::wstring shot = (ShotsDir() / "replace-dialog.png").wstring();
    EXPECT_TRUE(ui::ShotOf(dialog, shot));
    dialog->SendMessage(WM_CLOSE);
    Pump();
    EXPECT_TRUE(owner.flags.back() & FR_DIALOGTERM);
}

} // namespace
