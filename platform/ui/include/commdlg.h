#pragma once
// The common dialogs' find and replace request: what the owner hears through the registered
// message FINDMSGSTRING.

#include <windef.h>

// Find and replace.
constexpr DWORD FR_DOWN = 0x1, FR_WHOLEWORD = 0x2, FR_MATCHCASE = 0x4, FR_FINDNEXT = 0x8,
                FR_REPLACE = 0x10, FR_REPLACEALL = 0x20, FR_DIALOGTERM = 0x40, FR_NOUPDOWN = 0x400,
                FR_NOMATCHCASE = 0x800, FR_NOWHOLEWORD = 0x1000, FR_HIDEUPDOWN = 0x4000,
                FR_HIDEMATCHCASE = 0x8000, FR_HIDEWHOLEWORD = 0x10000;
#define FINDMSGSTRING L"commdlg_FindReplace"

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
