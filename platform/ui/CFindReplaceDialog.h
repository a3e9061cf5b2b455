#pragma once
// The modeless Find and Replace dialogs. The owner hears every action through the
// registered message FINDMSGSTRING with a FINDREPLACE* in lParam: Flags says what was asked
// (FR_FINDNEXT, FR_REPLACE, FR_REPLACEALL, or FR_DIALOGTERM when the dialog closes) and how
// (FR_DOWN, FR_MATCHCASE, FR_WHOLEWORD). Create it with new: it deletes itself when its
// window is gone, as the class library's does.

#include "platform/ui/CDialog.h"
#include "platform/ui/WinControls.h"

struct FINDREPLACE {
    DWORD lStructSize;
    HWND hwndOwner;
    HINSTANCE hInstance;
    DWORD Flags;
    LPTSTR lpstrFindWhat;
    LPTSTR lpstrReplaceWith;
    WORD wFindWhatLen;
    WORD wReplaceWithLen;
    LPARAM lCustData;
    void* lpfnHook;
    LPCTSTR lpTemplateName;
};
using LPFINDREPLACE = FINDREPLACE*;

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
