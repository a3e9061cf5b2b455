#pragma once
// The common dialogs: find and replace, and the file chooser.

#include <afxwin.h>

// The modeless Find and Replace dialogs. The owner hears every action through the
// registered message FINDMSGSTRING with a FINDREPLACE* in lParam: Flags says what was asked
// (FR_FINDNEXT, FR_REPLACE, FR_REPLACEALL, or FR_DIALOGTERM when the dialog closes) and how
// (FR_DOWN, FR_MATCHCASE, FR_WHOLEWORD). Create it with new: it deletes itself when its
// window is gone, as the class library's does.

class CFindReplaceDialog : public CDialog {
public:
    // Control ids of the dialogs.
    enum : int {
        kFindWhat = 1152,
        kReplaceWith = 1153,
        kWholeWord = 1040,
        kMatchCase = 1041,
        kDirection = 1072,
        kUp = 1056,
        kDown = 1057,
        kReplace = 1024,
        kReplaceAll = 1025
    };

    CFindReplaceDialog();
    ~CFindReplaceDialog() override;

    BOOL Create(BOOL findDialogOnly, LPCTSTR findWhat, LPCTSTR replaceWith = nullptr,
                DWORD flags = FR_DOWN, CWnd* parent = nullptr);
    static CFindReplaceDialog* GetNotifier(LPARAM lParam);

    CString GetFindString() const { return m_fr.lpstrFindWhat; }
    CString GetReplaceString() const { return m_fr.lpstrReplaceWith; }
    BOOL SearchDown() const { return (m_fr.Flags & FR_DOWN) != 0; }
    BOOL FindNext() const { return (m_fr.Flags & FR_FINDNEXT) != 0; }
    BOOL MatchCase() const { return (m_fr.Flags & FR_MATCHCASE) != 0; }
    BOOL MatchWholeWord() const { return (m_fr.Flags & FR_WHOLEWORD) != 0; }
    BOOL ReplaceCurrent() const { return (m_fr.Flags & FR_REPLACE) != 0; }
    BOOL ReplaceAll() const { return (m_fr.Flags & FR_REPLACEALL) != 0; }
    BOOL IsTerminating() const { return (m_fr.Flags & FR_DIALOGTERM) != 0; }

    FINDREPLACE m_fr{};
    wchar_t m_szFindWhat[128] = {};
    wchar_t m_szReplaceWith[128] = {};

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnCancel() override;
    void OnOK() override;
    void PostNcDestroy() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

public:
    BOOL PreTranslateMessage(MSG* msg) override;

private:
    void Notify(DWORD action);
    void UpdateButtons();

    bool findOnly_ = true;
    bool closing_ = false;
};

// The file chooser that the CAD host's file prompt shows when there is a display: the
// folder, its subfolders and the files with the wanted extension, a name field, OK and
// Cancel. Flag 1 asks for a file to create (and asks before replacing one that exists),
// flag 2 for a file that must exist. A typed name without extension gets the wanted one.
//
//   CString path;
//   if (ui::RunFileDialog(L"Save as", L"/data/prices.prc", L"prc", 1, path)) ...

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
