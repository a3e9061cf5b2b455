#pragma once
// The report as a table block in the drawing: a new block definition "QVN%04i" (the next free
// number) of lines and one attribute definition per cell, whose default value is the cell's
// text, in the text style "QVNTABLE". Inserting the block with default attribute values shows
// the table. Its base point is the table's upper-left corner.
//
// With text height h, the top line lies at y = 2h, the heading's baseline at 0, and each row
// is 3h high with its text in the middle third. Columns are as wide as their longest text
// (titles included) plus one character cell of 1.2h; hidden price columns are 0 wide.

#include <dbents.h>
#include <dbsymtb.h>

#include "report/MergeTable.h"

class MyCug2;

constexpr double kTableTextHeight = 1.0;
constexpr double kTableWidthFactor = 1.0;
constexpr int kLargestTableNumber = 9999;

// Alignments of a cell's text in its column.
constexpr int kAlignLeft = 0, kAlignCentre = 1, kAlignRight = 2;

// The largest number of a block named "QVN" and 4 more characters (any letter case) plus 1.
int NextTableNumber();

// Adds the text style "QVNTABLE" on the shape font "simpheb.shx" when the drawing lacks it.
void EnsureTableTextStyle();

// Builds the block `blockName` (or adds to the block of that name) from the grid's rows as
// they stand, in the text style `styleName` ("Standard" when the drawing has no such style),
// and leaves the table's extent in the grid. Answers 1, or 0 after an alert when the block or
// the text style cannot be had; nothing stays open either way.
int BuildTableBlock(MyCug2& grid, const wchar_t* blockName, const wchar_t* styleName,
                    double textHeight);

// Each column's width in characters: its longest text over the titles and the rows, plus one;
// the price columns 0 while the prices are hidden.
void ComputeColumnWidths(MyCug2& grid, int* widths, int count);

// A new attribute definition for one cell (prompt = tag), placed in column `col` by
// `alignment`: left at the column's left inset, centred between the insets, or right at the
// right inset. The caller appends and closes it.
int MakeCellAttribute(AcDbAttributeDefinition*& out, const AcGePoint3d& position, double height,
                      double widthFactor, const wchar_t* text, const wchar_t* tag,
                      AcDbObjectId style, MergeTable table, int col, int alignment);

// A new line appended to the block and closed.
int AddTableLine(AcDbBlockTableRecord* block, const AcGePoint3d& start, const AcGePoint3d& end);

// Whether the text holds a letter of the Hebrew code page (codes 224 to 250 as a price file
// brings them), which is written right to left and so stands at the right of its column.
bool NeedsRightAlignment(const wchar_t* text);
