#pragma once
// Placing a table block in the drawing: the editor is quieted (no attribute prompts, no echo,
// no snap, no object snaps), the user picks the table's upper-left corner and drags its
// lower-right corner while a rectangle with the table's proportions follows the cursor, and
// the host's INSERT command places the block at the scale so chosen. The editor settings are
// put back on every way out.

#include <adslib.h>

// The four settings quieted while the table is placed, in the order they are saved and restored.
// (Defined out of line: an inline table would be a process-unique symbol, which keeps the library
// from ever being unloaded.)
extern const wchar_t* const kQuietedVariables[4];

// The block's base point is the table's upper-left corner; width and height are its extent
// from there, both positive.
void PlaceTableBlock(const wchar_t* tableBlockName, double tableWidth, double tableHeight);

// Follows the cursor from `corner` with a rubber band of the table's proportions and answers
// the scale of the rectangle shown last when the user picks (1.0 when the cursor never moved,
// on Enter and on Esc).
double DragTableCorner(const ads_point corner, double tableWidth, double tableHeight);

// Draws the rectangle with opposite corners a and b by inverting the screen; drawing it a
// second time erases it.
void DrawRubberRectangle(const ads_point a, const ads_point b);
