#pragma once
// Registered window classes: a name with class styles, a cursor and a background brush that
// windows created with that class name take. A brush may be given as a system colour index
// plus one, as the desktop allows ((HBRUSH)(COLOR_INFOBK + 1)).

#include "platform/ui/WinUser.h"

using HICON = void*;
using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using ATOM = WORD;

constexpr UINT CS_VREDRAW = 0x1, CS_HREDRAW = 0x2, CS_DBLCLKS = 0x8, CS_OWNDC = 0x20,
               CS_CLASSDC = 0x40, CS_PARENTDC = 0x80, CS_NOCLOSE = 0x200, CS_SAVEBITS = 0x800;

struct WNDCLASS {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCTSTR lpszMenuName;
    LPCTSTR lpszClassName;
};

// 0 when the name is missing or already registered.
ATOM RegisterClass(const WNDCLASS* windowClass);
// TRUE when the class is registered afterwards (also when it already was).
BOOL AfxRegisterClass(WNDCLASS* windowClass);
BOOL GetClassInfo(HINSTANCE instance, LPCTSTR className, WNDCLASS* windowClass);
// Registers (once) a class with these attributes under a generated name and answers it.
LPCTSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                            HICON icon = nullptr);

namespace ui {
// The real brush of a class brush: system colour indexes plus one become system brushes.
HBRUSH ResolveClassBrush(HBRUSH brush);
} // namespace ui
