#include <windows.h>

#include "resources/KestrelResources.h"

namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kButton = kChild | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kDialog = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;

const ui::DialogTemplate& BomTemplate() {
    static const ui::DialogTemplate t{
        IDD_BOM_TEMPLATE,
        L"BOM Template",
        0,
        0,
        393,
        248,
        kDialog,
        L"MS Sans Serif",
        8,
        {
            {IDC_TEMPLATE_CLOSE, L"BUTTON", L"&Close", 332, 212, 50, 14,
             kChild | WS_TABSTOP | BS_DEFPUSHBUTTON},
            {IDC_TEMPLATE_SAVE, L"BUTTON", L"&Save", 332, 172, 50, 14, kButton},
            {IDC_TEMPLATE_GRID, L"STATIC", L"", 8, 23, 312, 212, kChild | SS_LEFT | SS_SUNKEN},
            {IDC_TEMPLATE_NEW, L"BUTTON", L"&New", 332, 132, 50, 14, kButton},
            {IDC_TEMPLATE_OPEN, L"BUTTON", L"&Open", 332, 152, 50, 14, kButton},
            {IDC_TEMPLATE_SAVE_AS, L"BUTTON", L"&Save As", 332, 192, 50, 14, kButton},
            {IDC_TEMPLATE_INSERT_ROW, L"BUTTON", L"&Insert Row", 332, 30, 50, 14, kButton},
            {IDC_TEMPLATE_DELETE_ROW, L"BUTTON", L"&Delete Row", 332, 50, 50, 14, kButton},
            {IDC_TEMPLATE_STATUS, L"STATIC", L"", 213, 5, 180, 13, kChild | SS_LEFT},
            {IDC_TEMPLATE_FILE_NAME, L"STATIC", L"", 50, 10, 250, 8, kChild | SS_LEFT},
            {-1, L"STATIC", L"Current file:", 10, 10, 40, 8, kChild | SS_LEFT},
            {IDC_TEMPLATE_MOVE_UP, L"BUTTON", L"&Move Up", 332, 70, 50, 14, kButton},
            {IDC_TEMPLATE_MOVE_DOWN, L"BUTTON", L"&Move Down", 332, 90, 50, 14, kButton},
            {-1, L"BUTTON", L"", 327, 20, 60, 90, kChild | BS_GROUPBOX},
            {-1, L"BUTTON", L"", 327, 120, 60, 115, kChild | BS_GROUPBOX},
        }};
    return t;
}

const ui::DialogTemplate& BomReport() {
    static const ui::DialogTemplate t{
        IDD_BOM_REPORT,
        L"BOM Report",
        0,
        0,
        394,
        277,
        kDialog,
        L"MS Sans Serif",
        8,
        {
            {-1, L"STATIC", L"Current file:", 11, 10, 40, 8, kChild | SS_LEFT},
            {IDC_REPORT_FILE_NAME, L"STATIC", L"", 54, 10, 327, 8, kChild | SS_LEFT},
            {IDC_REPORT_GRID, L"STATIC", L"", 7, 25, 380, 215, kChild | SS_LEFT, WS_EX_CLIENTEDGE},
            {IDC_REPORT_CLOSE, L"BUTTON", L"&Close", 10, 250, 50, 14, kButton},
            {IDC_REPORT_INSERT, L"BUTTON", L"&Insert", 70, 250, 50, 14, kButton},
            {IDC_REPORT_SAVE_TO_FILE, L"BUTTON", L"&Save to file", 130, 250, 50, 14, kButton},
            {IDC_REPORT_SHOW_PRICE, L"BUTTON", L"Show Price", 190, 250, 52, 10,
             kChild | WS_TABSTOP | BS_AUTOCHECKBOX},
            {IDC_REPORT_ATTACH_NEW, L"BUTTON", L"&Attach New", 270, 256, 26, 14,
             WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON},
        }};
    return t;
}

const ui::DialogTemplate* FindDialog(UINT id) {
    if (id == IDD_BOM_TEMPLATE)
        return &BomTemplate();
    if (id == IDD_BOM_REPORT)
        return &BomReport();
    return nullptr;
}

const ui::StringEntry kStrings[] = {
    {IDS_TEMPLATE_CAPTION, L"BOM Template"},
    {IDS_REPORT_CAPTION, L"BOM Report"},
    {IDS_CURRENT_FILE, L"Current file:"},
    {IDS_BLOCK_NAME_ABSENT, L"Block name is absent"},
    {IDS_PRICE_ABSENT, L"Price is absent"},
    {IDS_SAVE_CHANGES_TO, L"Save changes to "},
    {IDS_COLUMN_BLOCK_NAME, L"Block name"},
    {IDS_COLUMN_ITEM_PRICE, L"Item Price"},
    {IDS_COLUMN_QUANTITY, L"Quantity"},
    {IDS_COLUMN_DESCRIPTION, L"Description"},
    {IDS_COLUMN_TOTAL, L"Total"},
};

const wchar_t* FindString(UINT id) {
    for (const ui::StringEntry& e : kStrings)
        if (e.id == id)
            return e.text;
    return nullptr;
}

} // namespace

HINSTANCE KestrelResources() {
    static const ui::ResourceModule module{L"kestrel", &FindDialog, &FindString};
    return &module;
}
