#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include <afxdlgs.h>

#include "Utf8.h"

#include "tests/ui/ControlHost.h"
#include "tests/ui/ScriptedInput.h"

namespace {

namespace fs = std::filesystem;

struct Folder {
    fs::path dir = fs::temp_directory_path() / ("kestrel-filedlg-" + std::to_string(::getpid()));
    Folder() {
        fs::remove_all(dir);
        fs::create_directories(dir / "sub");
        for (const char* name : {"b.prc", "A.PRC", "notes.txt", "sub/inner.prc"})
            std::ofstream(dir / name) << "x";
    }
    ~Folder() { fs::remove_all(dir); }
    CString Path(const char* name) const { return CString(crt::FromUtf8((dir / name).string())); }
};

// The active message box's text holds `part` (its text is the static that says most).
ui::VerbResult AlertSays(const std::wstring& part) {
    CWnd* box = ui::ActiveWindow();
    if (box)
        for (CWnd* c : box->Children())
            if (c->GetWindowText().str().find(part) != std::wstring::npos)
                return {};
    return {false, L"no message box saying " + part};
}

std::vector<std::wstring> ListItems() {
    std::vector<std::wstring> items;
    auto* list = static_cast<CListBox*>(ui::ActiveWindow()->GetDlgItem(ui::FileDialog::kList));
    CString text;
    for (int i = 0; list && i < list->GetCount(); ++i) {
        list->GetText(i, text);
        items.push_back(text.str());
    }
    return items;
}

TEST(FileDialog, ListsFoldersAndMatchingFilesAndAddsTheExtension) {
    Folder f;
    ScriptedInput script;
    std::vector<std::wstring> seen;
    std::wstring shot = (ShotsDir() / "file-dialog.png").wstring();
    script.Verb([] { return ui::ExpectDialog(L"Save as"); })
        .Then([&] { seen = ListItems(); })
        .Verb([&] { return ui::Shot(shot); })
        .Verb([] { return ui::Type(L"fresh"); })
        .Verb([] { return ui::Key(L"ENTER"); });
    CString path;
    ASSERT_TRUE(ui::RunFileDialog(L"Save as", f.Path("b.prc"), L"prc", ui::kFileDialogNew, path));
    EXPECT_TRUE(script.failures.empty());
    EXPECT_EQ(seen, (std::vector<std::wstring>{L"[..]", L"[sub]", L"A.PRC", L"b.prc"}));
    EXPECT_EQ(path, f.Path("fresh.prc"));
}

TEST(FileDialog, ReplacingAnExistingFileIsAskedFirst) {
    Folder f;
    ScriptedInput script;
    script
        .Verb([] { return ui::Key(L"ENTER"); }) // the default name b.prc exists
        .Verb([] { return AlertSays(L"already exists.\nDo you want to replace it?"); })
        .Verb([] { return ui::Click(L"No"); })
        .Verb([] { return ui::ExpectDialog(L"New"); }) // still there
        .Verb([] { return ui::Key(L"ENTER"); })
        .Verb([] { return ui::Click(L"Yes"); });
    CString path;
    ASSERT_TRUE(ui::RunFileDialog(L"New", f.Path("b.prc"), L"prc", ui::kFileDialogNew, path));
    EXPECT_TRUE(script.failures.empty());
    EXPECT_EQ(path, f.Path("b.prc"));
}

TEST(FileDialog, AnExistingFileIsRequiredAndFoldersOpenByDoubleClickOrName) {
    Folder f;
    ScriptedInput script;
    std::vector<std::wstring> inSub;
    script.Verb([] { return ui::Type(L"missing"); })
        .Verb([] { return ui::Key(L"ENTER"); })
        .Verb([] { return AlertSays(L"missing.prc\nFile not found."); })
        .Verb([] { return ui::Click(L"OK"); })
        .Then([] {
            // Double-click "[sub]" (the second item).
            CWnd* list = ui::ActiveWindow()->GetDlgItem(ui::FileDialog::kList);
            int h = static_cast<CListBox*>(list)->GetItemHeight();
            list->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, h + h / 2));
        })
        .Then([&] { inSub = ListItems(); })
        .Then([] {
            // A click on the file puts its name in the field; Open takes it.
            CWnd* list = ui::ActiveWindow()->GetDlgItem(ui::FileDialog::kList);
            int h = static_cast<CListBox*>(list)->GetItemHeight();
            list->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, h + h / 2));
            list->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(10, h + h / 2));
        })
        .Verb([] { return ui::ExpectText(ui::FileDialog::kName, L"inner.prc"); })
        .Verb([] { return ui::Click(L"&Open"); });
    CString path;
    ASSERT_TRUE(ui::RunFileDialog(L"Open", f.Path("b.prc"), L"prc", ui::kFileDialogExisting, path));
    EXPECT_TRUE(script.failures.empty())
        << (script.failures.empty() ? "" : crt::ToUtf8(script.failures[0]));
    EXPECT_EQ(inSub, (std::vector<std::wstring>{L"[..]", L"inner.prc"}));
    EXPECT_EQ(path, f.Path("sub/inner.prc"));
    // Cancel answers false and leaves the path alone.
    ScriptedInput cancel;
    cancel.Verb([] { return ui::Click(L"Cancel"); });
    CString untouched = L"same";
    EXPECT_FALSE(ui::RunFileDialog(L"Open", L"", L"prc", ui::kFileDialogExisting, untouched));
    EXPECT_EQ(untouched, L"same");
}

} // namespace
