#pragma once
// The title of a sorted column: its text with a small triangle in a strip at the right edge.
// Style 32 (ascending) shows a downward triangle, style 16 (descending) an upward one.

#include <afxwin.h>

#include "grid/CUGCellType.h"

constexpr int UGCT_SORTARROWUP = 16;   // sorted descending: the triangle points up
constexpr int UGCT_SORTARROWDOWN = 32; // sorted ascending: the triangle points down

class CUGSortArrowType : public CUGCellType {
public:
    CUGSortArrowType();

    LPCTSTR GetName() override;
    const GUID* GetTypeGuid() override;
    void DrawCell(CDC* dc, RECT* rect, int col, long row, CUGCell* cell, int selectMark,
                  int current) override;

    int GetArrowWidth() const { return arrowWidth_; }

private:
    int arrowWidth_;
};
