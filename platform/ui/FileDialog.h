#pragma once
// The file chooser that the CAD host's file prompt shows when there is a display: the
// folder, its subfolders and the files with the wanted extension, a name field, OK and
// Cancel. Flag 1 asks for a file to create (and asks before replacing one that exists),
// flag 2 for a file that must exist. A typed name without extension gets the wanted one.
//
//   CString path;
//   if (ui::RunFileDialog(L"Save as", L"/data/prices.prc", L"prc", 1, path)) ...

#include "platform/ui/CDialog.h"

namespace ui {

constexpr int kFileDialogNew = 1;      // the host's flag: a new file (confirm replacing)
constexpr int kFileDialogExisting = 2; // the file must exist

// Runs the dialog modally over the active window; true with the full path chosen, false
// when cancelled.
bool RunFileDialog(const CString& title, const CString& defaultPath, const CString& extension,
                   int flags, CString& path);

class FileDialog : public CDialog {
public:
    enum : int { kFolder = 1090, kList = 1120, kName = 1152, kType = 1089 };

    FileDialog(const CString& title, const CString& defaultPath, const CString& extension,
               int flags);
    CString Path() const { return path_; }
    CString Folder() const { return folder_; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

private:
    void Fill(); // the folder's entries into the list
    void Open(const CString& folder);
    bool Matches(const std::wstring& name) const;

    CString extension_;
    int flags_;
    CString folder_;
    CString name_;
    CString path_;
};

} // namespace ui
