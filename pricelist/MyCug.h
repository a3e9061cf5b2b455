#pragma once
// The price grid of the "BOM Template" dialog: block name, price and description per row.

#include "grid/CUGCtrl.h"

constexpr int kPriceColumnCount = 3;

class MyCug : public CUGCtrl {
public:
    int widths[kPriceColumnCount] = {-1, -1, -1}; // pixels; -1 not set
    int columnCount = kPriceColumnCount;

    // No row titles, a row height from the grid window's text, the three columns sharing
    // the width 3 : 1 : 4 unless widths were remembered, and their titles.
    void OnGridSetup() override;
    // Esc in the grid is the dialog's Close.
    void OnCellKeyDown(UINT* key, int processed) override;
    // A new row: the block-name drop list, price 0 and an empty description.
    void InitRow(long row);
};
