#pragma once
// Resources as data: dialog templates, string tables and the resource module that holds them.
// A module's code makes its own resources current (AfxSetResourceHandle) before it opens a
// dialog by id, as on the desktop.

#include <string>
#include <vector>

#include <windows.h>

namespace ui {

struct DialogItem {
    int id;            // -1 for a control without an id (IDC_STATIC)
    std::wstring kind; // window class: L"BUTTON", L"STATIC", ...
    std::wstring text;
    int x, y, cx, cy; // dialog units (pixels when the template says so)
    DWORD style;      // WS_CHILD and WS_VISIBLE included where they apply
    DWORD exStyle = 0;
};

struct DialogTemplate {
    UINT id;
    std::wstring caption;
    int x, y, cx, cy;
    DWORD style;
    std::wstring fontName;
    int fontPoints;
    std::vector<DialogItem> items;
    bool pixels = false; // positions in pixels rather than dialog units
};

struct StringEntry {
    UINT id;
    const wchar_t* text;
};

struct ResourceModule {
    const wchar_t* name;
    const DialogTemplate* (*findDialog)(UINT id);
    const wchar_t* (*findString)(UINT id);
};

} // namespace ui
