#pragma once
// Constants shared by every part of the grid: operation results, cell property bits, data
// types, search and sort flags, and the alignment and border bits a cell carries.

// Results of grid operations. Data sources answer UG_NA for what they do not support.
constexpr int GRID_SUCCESS = 0;
constexpr int GRID_ERROR = 1;
constexpr int GRID_VETOED = 2;
constexpr int UG_NA = -1;

// Property bits of a cell's property mask: a clear bit means "not set".
constexpr unsigned CELLPROP_TEXT = 0x1;
constexpr unsigned CELLPROP_MASK = 0x2;
constexpr unsigned CELLPROP_LABEL = 0x4;
constexpr unsigned CELLPROP_DATATYPE = 0x8;
constexpr unsigned CELLPROP_CELLTYPE = 0x20;
constexpr unsigned CELLPROP_CELLTYPESTYLE = 0x40;
constexpr unsigned CELLPROP_TEXTCOLOR = 0x80;
constexpr unsigned CELLPROP_BACKCOLOR = 0x100;
constexpr unsigned CELLPROP_HTEXTCOLOR = 0x200;
constexpr unsigned CELLPROP_HBACKCOLOR = 0x400;
constexpr unsigned CELLPROP_BORDER = 0x800;
constexpr unsigned CELLPROP_BORDERPEN = 0x1000;
constexpr unsigned CELLPROP_FONT = 0x2000;
constexpr unsigned CELLPROP_BITMAP = 0x4000;
constexpr unsigned CELLPROP_ALIGNMENT = 0x8000;
constexpr unsigned CELLPROP_SPAN = 0x20000;
constexpr unsigned CELLPROP_FORMATTER = 0x200000;
constexpr unsigned CELLPROP_STYLECELL = 0x800000;
constexpr unsigned CELLPROP_READONLY = 0x1000000;
constexpr unsigned CELLPROP_DECIMALS = 0x2000000;

// How a cell's text is to be read. Currency reads as a number wherever numbers are compared.
constexpr int UGCELLDATA_STRING = 1;
constexpr int UGCELLDATA_NUMBER = 2;
constexpr int UGCELLDATA_BOOL = 3;
constexpr int UGCELLDATA_CURRENCY = 5;

// Text search flags.
constexpr long SEARCH_PARTIAL = 0x1; // the cell text need only contain the search text
constexpr long SEARCH_NOCASE = 0x2;  // A-Z compared without case
constexpr long SEARCH_UP = 0x4;      // backwards
constexpr long SEARCH_ALLCOLS = 0x8; // every column, row by row

// Sort flags: descending; every other bit goes to the comparison hook unchanged.
constexpr int UG_SORT_ASCENDING = 1;
constexpr int UG_SORT_DESCENDING = 2;

// Alignment bits; 0 means left and top.
constexpr short UG_ALIGNLEFT = 1;
constexpr short UG_ALIGNRIGHT = 2;
constexpr short UG_ALIGNCENTER = 4;
constexpr short UG_ALIGNBOTTOM = 16;
constexpr short UG_ALIGNVCENTER = 32;

// Border bits: thin, two-pixel and three-pixel lines per side, and the 3D frames.
constexpr short UG_BDR_LTHIN = 0x1;
constexpr short UG_BDR_TTHIN = 0x2;
constexpr short UG_BDR_RTHIN = 0x4;
constexpr short UG_BDR_BTHIN = 0x8;
constexpr short UG_BDR_LMEDIUM = 0x10;
constexpr short UG_BDR_TMEDIUM = 0x20;
constexpr short UG_BDR_RMEDIUM = 0x40;
constexpr short UG_BDR_BMEDIUM = 0x80;
constexpr short UG_BDR_LTHICK = 0x100;
constexpr short UG_BDR_TTHICK = 0x200;
constexpr short UG_BDR_RTHICK = 0x400;
constexpr short UG_BDR_BTHICK = 0x800;
constexpr short UG_BDR_RECESSED = 0x1000;
constexpr short UG_BDR_RAISED = 0x2000;

// Section numbers used by hooks and the popup menu.
constexpr int UG_GRID = 1;
constexpr int UG_TOPHEADING = 2;
constexpr int UG_SIDEHEADING = 3;
constexpr int UG_CORNERBUTTON = 4;
constexpr int UG_HSCROLL = 5;
constexpr int UG_VSCROLL = 6;

// Grid limits.
constexpr int UG_MAX_COLS = 32000;
constexpr long UG_UNIFORM_ROWS_ABOVE = 64000; // more rows than this share one height
constexpr int UG_MAX_SIZE = 1024;             // largest heading, scroll bar or row size
