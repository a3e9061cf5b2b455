#pragma once
// The common controls' tool tips: tool flags, notifications and the structures of a tool and
// of its text request.

#include <windows.h>

// Tool tips.
constexpr UINT TTF_IDISHWND = 0x1, TTF_CENTERTIP = 0x2, TTF_SUBCLASS = 0x10, TTF_TRACK = 0x20,
               TTF_ABSOLUTE = 0x80, TTF_TRANSPARENT = 0x100, TTF_NOTBUTTON = 0x10000000,
               TTF_ALWAYSTIP = 0x20000000;
constexpr UINT TTS_ALWAYSTIP = 0x1, TTS_NOPREFIX = 0x2;
constexpr UINT TTN_FIRST = static_cast<UINT>(-520), TTN_NEEDTEXTW = TTN_FIRST - 10,
               TTN_NEEDTEXT = TTN_NEEDTEXTW, TTN_SHOW = TTN_FIRST - 1, TTN_POP = TTN_FIRST - 2;
constexpr UINT TTM_ACTIVATE = WM_USER + 1, TTM_POP = WM_USER + 28;
#define LPSTR_TEXTCALLBACK reinterpret_cast<LPTSTR>(static_cast<std::intptr_t>(-1))

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
