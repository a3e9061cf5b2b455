#pragma once
// Messages, styles and notification codes of the common controls (edit, list box, scroll
// bar, menus, find dialog, tool tips) and of the clipboard.

#include "platform/ui/WinUser.h"

// Clipboard and editing messages that any window may get.
constexpr UINT WM_CUT = 0x0300, WM_COPY = 0x0301, WM_PASTE = 0x0302, WM_CLEAR = 0x0303,
               WM_UNDO = 0x0304, WM_CONTEXTMENU = 0x007B, WM_INITMENUPOPUP = 0x0117,
               WM_MENUSELECT = 0x011F, WM_ENTERIDLE = 0x0121;

// Edit control.
constexpr DWORD ES_LEFT = 0x0, ES_CENTER = 0x1, ES_RIGHT = 0x2, ES_MULTILINE = 0x4,
                ES_UPPERCASE = 0x8, ES_LOWERCASE = 0x10, ES_PASSWORD = 0x20, ES_AUTOVSCROLL = 0x40,
                ES_AUTOHSCROLL = 0x80, ES_NOHIDESEL = 0x100, ES_READONLY = 0x800,
                ES_WANTRETURN = 0x1000, ES_NUMBER = 0x2000;
constexpr UINT EM_GETSEL = 0x00B0, EM_SETSEL = 0x00B1, EM_GETRECT = 0x00B2, EM_SCROLLCARET = 0x00B7,
               EM_GETMODIFY = 0x00B8, EM_SETMODIFY = 0x00B9, EM_GETLINECOUNT = 0x00BA,
               EM_LINEINDEX = 0x00BB, EM_LINELENGTH = 0x00C1, EM_REPLACESEL = 0x00C2,
               EM_GETLINE = 0x00C4, EM_LIMITTEXT = 0x00C5, EM_SETLIMITTEXT = 0x00C5,
               EM_CANUNDO = 0x00C6, EM_LINEFROMCHAR = 0x00C9, EM_GETFIRSTVISIBLELINE = 0x00CE,
               EM_SETREADONLY = 0x00CF, EM_GETLIMITTEXT = 0x00D5, EM_POSFROMCHAR = 0x00D6,
               EM_CHARFROMPOS = 0x00D7;
constexpr UINT EN_SETFOCUS = 0x0100, EN_KILLFOCUS = 0x0200, EN_CHANGE = 0x0300, EN_UPDATE = 0x0400,
               EN_ERRSPACE = 0x0500, EN_MAXTEXT = 0x0501, EN_HSCROLL = 0x0601, EN_VSCROLL = 0x0602;

// List box.
constexpr DWORD LBS_NOTIFY = 0x1, LBS_SORT = 0x2, LBS_NOINTEGRALHEIGHT = 0x100,
                LBS_WANTKEYBOARDINPUT = 0x400, LBS_STANDARD = 0xA00003;
constexpr UINT LB_ADDSTRING = 0x0180, LB_INSERTSTRING = 0x0181, LB_DELETESTRING = 0x0182,
               LB_RESETCONTENT = 0x0184, LB_SETSEL = 0x0185, LB_SETCURSEL = 0x0186,
               LB_GETCURSEL = 0x0188, LB_GETTEXT = 0x0189, LB_GETTEXTLEN = 0x018A,
               LB_GETCOUNT = 0x018B, LB_SELECTSTRING = 0x018C, LB_GETTOPINDEX = 0x018E,
               LB_FINDSTRING = 0x018F, LB_SETTOPINDEX = 0x0197, LB_GETITEMRECT = 0x0198,
               LB_GETITEMDATA = 0x0199, LB_SETITEMDATA = 0x019A, LB_SETITEMHEIGHT = 0x01A0,
               LB_GETITEMHEIGHT = 0x01A1, LB_FINDSTRINGEXACT = 0x01A2, LB_ITEMFROMPOINT = 0x01A9;
constexpr int LB_OKAY = 0, LB_ERR = -1;
constexpr UINT LBN_ERRSPACE = static_cast<UINT>(-2), LBN_SELCHANGE = 1, LBN_DBLCLK = 2,
               LBN_SELCANCEL = 3, LBN_SETFOCUS = 4, LBN_KILLFOCUS = 5;

// Scroll bars.
constexpr DWORD SBS_HORZ = 0x0, SBS_VERT = 0x1;
constexpr int SB_HORZ = 0, SB_VERT = 1, SB_CTL = 2, SB_BOTH = 3;
constexpr UINT SB_LINEUP = 0, SB_LINELEFT = 0, SB_LINEDOWN = 1, SB_LINERIGHT = 1, SB_PAGEUP = 2,
               SB_PAGELEFT = 2, SB_PAGEDOWN = 3, SB_PAGERIGHT = 3, SB_THUMBPOSITION = 4,
               SB_THUMBTRACK = 5, SB_TOP = 6, SB_LEFT = 6, SB_BOTTOM = 7, SB_RIGHT = 7,
               SB_ENDSCROLL = 8;
constexpr UINT SIF_RANGE = 0x1, SIF_PAGE = 0x2, SIF_POS = 0x4, SIF_DISABLENOSCROLL = 0x8,
               SIF_TRACKPOS = 0x10, SIF_ALL = 0x17;
constexpr UINT SBM_SETPOS = 0x00E0, SBM_GETPOS = 0x00E1, SBM_SETRANGE = 0x00E2,
               SBM_GETRANGE = 0x00E3, SBM_SETSCROLLINFO = 0x00E9, SBM_GETSCROLLINFO = 0x00EA;
struct SCROLLINFO {
    UINT cbSize;
    UINT fMask;
    int nMin;
    int nMax;
    UINT nPage;
    int nPos;
    int nTrackPos;
};
using LPSCROLLINFO = SCROLLINFO*;
using LPCSCROLLINFO = const SCROLLINFO*;

// Menus.
constexpr UINT MF_STRING = 0x0, MF_BYCOMMAND = 0x0, MF_ENABLED = 0x0, MF_UNCHECKED = 0x0,
               MF_GRAYED = 0x1, MF_DISABLED = 0x2, MF_CHECKED = 0x8, MF_POPUP = 0x10,
               MF_BYPOSITION = 0x400, MF_SEPARATOR = 0x800;
constexpr UINT TPM_LEFTALIGN = 0x0, TPM_LEFTBUTTON = 0x0, TPM_RIGHTBUTTON = 0x2,
               TPM_CENTERALIGN = 0x4, TPM_RIGHTALIGN = 0x8, TPM_TOPALIGN = 0x0, TPM_NONOTIFY = 0x80,
               TPM_RETURNCMD = 0x100;

// Find and replace.
constexpr DWORD FR_DOWN = 0x1, FR_WHOLEWORD = 0x2, FR_MATCHCASE = 0x4, FR_FINDNEXT = 0x8,
                FR_REPLACE = 0x10, FR_REPLACEALL = 0x20, FR_DIALOGTERM = 0x40, FR_NOUPDOWN = 0x400,
                FR_NOMATCHCASE = 0x800, FR_NOWHOLEWORD = 0x1000, FR_HIDEUPDOWN = 0x4000,
                FR_HIDEMATCHCASE = 0x8000, FR_HIDEWHOLEWORD = 0x10000;
#define FINDMSGSTRING L"commdlg_FindReplace"

// Tool tips.
constexpr UINT TTF_IDISHWND = 0x1, TTF_CENTERTIP = 0x2, TTF_SUBCLASS = 0x10, TTF_TRACK = 0x20,
               TTF_ABSOLUTE = 0x80, TTF_TRANSPARENT = 0x100, TTF_NOTBUTTON = 0x10000000,
               TTF_ALWAYSTIP = 0x20000000;
constexpr UINT TTS_ALWAYSTIP = 0x1, TTS_NOPREFIX = 0x2;
constexpr UINT TTN_FIRST = static_cast<UINT>(-520), TTN_NEEDTEXTW = TTN_FIRST - 10,
               TTN_NEEDTEXT = TTN_NEEDTEXTW, TTN_SHOW = TTN_FIRST - 1, TTN_POP = TTN_FIRST - 2;
constexpr UINT TTM_ACTIVATE = WM_USER + 1, TTM_POP = WM_USER + 28;
constexpr DWORD WS_EX_TOOLWINDOW = 0x00000080, WS_EX_NOACTIVATE = 0x08000000;
#define LPSTR_TEXTCALLBACK reinterpret_cast<LPTSTR>(static_cast<std::intptr_t>(-1))

using LPNMHDR = NMHDR*;

struct TOOLINFO {
    UINT cbSize;
    UINT uFlags;
    HWND hwnd;
    UINT_PTR uId;
    RECT rect;
    HINSTANCE hinst;
    LPTSTR lpszText;
    LPARAM lParam;
};
using LPTOOLINFO = TOOLINFO*;

// The text request of a tool tip: fill szText (80 characters with the terminator) or point
// lpszText at a text.
struct NMTTDISPINFO {
    NMHDR hdr;
    LPTSTR lpszText;
    wchar_t szText[80];
    HINSTANCE hinst;
    UINT uFlags;
    LPARAM lParam;
};
using TOOLTIPTEXTW = NMTTDISPINFO;
using TOOLTIPTEXT = NMTTDISPINFO;

// Clipboard formats and global memory.
constexpr UINT CF_TEXT = 1, CF_UNICODETEXT = 13;
constexpr UINT GMEM_FIXED = 0x0, GMEM_MOVEABLE = 0x2, GMEM_ZEROINIT = 0x40, GHND = 0x42;
constexpr UINT CP_ACP = 0;
using HGLOBAL = void*;
using HANDLE = void*;
using DWORD_PTR = std::uintptr_t;

HGLOBAL GlobalAlloc(UINT flags, std::size_t bytes);
void* GlobalLock(HGLOBAL memory);
BOOL GlobalUnlock(HGLOBAL memory);
std::size_t GlobalSize(HGLOBAL memory);
HGLOBAL GlobalFree(HGLOBAL memory); // null on success

BOOL OpenClipboard(HWND owner);
BOOL CloseClipboard();
BOOL EmptyClipboard();
// The clipboard takes the block over; it must be open and emptied by the caller.
HANDLE SetClipboardData(UINT format, HANDLE data);
// A block owned by the clipboard: valid until the clipboard is emptied.
HANDLE GetClipboardData(UINT format);
BOOL IsClipboardFormatAvailable(UINT format);

// The ANSI code page is Latin-1 here, as in the text files: code units 0-255 are the byte of
// the same value; other characters become the default character "?".
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int wideCount, LPSTR bytes,
                        int byteCount, LPCSTR defaultChar, BOOL* usedDefault);
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR bytes, int byteCount, LPWSTR wide,
                        int wideCount);
