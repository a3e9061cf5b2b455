#pragma once
// Handing a mouse button to a cell's type, as the cell area and the headings do on a click.

#include <afxwin.h>

class CUGCtrl;
class CUGCell;

enum class UGButton { Left, Right, Double };

// Loads the cell at (col, row) into `scratch` and hands the button to its cell type; answers
// what the cell type processed. updn (1 down, 0 up) is not used for a double click.
int UGPassButton(CUGCtrl& frame, CUGCell& scratch, int col, long row, UGButton button, int updn,
                 RECT* rect, POINT* point);
