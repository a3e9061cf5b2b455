#pragma once
// A cell showing a small black arrow in its middle, pointing right (or left with the style
// bit), as a row marker in a side heading would.

#include <afxwin.h>

#include "grid/CUGCellType.h"

constexpr int UGCT_ARROWLEFT = 1;

class CUGArrowType : public CUGCellType {
public:
    CUGArrowType();

    LPCTSTR GetName() override;
    const GUID* GetTypeGuid() override;
    void DrawCell(CDC* dc, RECT* rect, int col, long row, CUGCell* cell, int selectMark,
                  int current) override;
};
