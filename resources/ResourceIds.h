#pragma once
// Identifiers of the module's dialog templates, their controls and its strings.

// Dialog templates.
constexpr int IDD_BOM_TEMPLATE = 200;
constexpr int IDD_BOM_REPORT = 201;

// "BOM Template" (200).
constexpr int IDC_TEMPLATE_SAVE = 200;
constexpr int IDC_TEMPLATE_GRID = 201;
constexpr int IDC_TEMPLATE_NEW = 202;
constexpr int IDC_TEMPLATE_OPEN = 203;
constexpr int IDC_TEMPLATE_SAVE_AS = 204;
constexpr int IDC_TEMPLATE_CLOSE = 205;
constexpr int IDC_TEMPLATE_INSERT_ROW = 207;
constexpr int IDC_TEMPLATE_DELETE_ROW = 208;
constexpr int IDC_TEMPLATE_FILE_NAME = 210;
constexpr int IDC_TEMPLATE_MOVE_UP = 217;
constexpr int IDC_TEMPLATE_MOVE_DOWN = 218;
constexpr int IDC_TEMPLATE_STATUS = 1001;

// "BOM Report" (201).
constexpr int IDC_REPORT_SAVE_TO_FILE = 200;
constexpr int IDC_REPORT_INSERT = 207;
constexpr int IDC_REPORT_CLOSE = 212;
constexpr int IDC_REPORT_ATTACH_NEW = 213;
constexpr int IDC_REPORT_FILE_NAME = 214;
constexpr int IDC_REPORT_GRID = 216;
constexpr int IDC_REPORT_SHOW_PRICE = 221;

// Strings.
constexpr int IDS_TEMPLATE_CAPTION = 1;
constexpr int IDS_REPORT_CAPTION = 2;
constexpr int IDS_CURRENT_FILE = 3;
constexpr int IDS_BLOCK_NAME_ABSENT = 10;
constexpr int IDS_PRICE_ABSENT = 11;
constexpr int IDS_SAVE_CHANGES_TO = 12;
constexpr int IDS_COLUMN_BLOCK_NAME = 20;
constexpr int IDS_COLUMN_ITEM_PRICE = 21;
constexpr int IDS_COLUMN_QUANTITY = 22;
constexpr int IDS_COLUMN_DESCRIPTION = 23;
constexpr int IDS_COLUMN_TOTAL = 24;
