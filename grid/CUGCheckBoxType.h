#pragma once
// A check box at the left of the cell with the cell's label as its caption. A cell whose
// number is above 0 shows a mark; a click in the box or Space toggles it between 0 and 1.

#include <afxwin.h>

#include "grid/CUGCell.h"
#include "grid/CUGCellType.h"

// Style bits: a sunken or raised 3D box (else a plain black square), a tick (else a cross).
constexpr int UGCT_CHECKBOX3DRECESS = 0x100;
constexpr int UGCT_CHECKBOX3DRAISED = 0x200;
constexpr int UGCT_CHECKBOXCHECKMARK = 0x1000;
// The event OnCellTypeEvent hears after a toggle (param: the new value).
constexpr long UGCT_CHECKBOXSET = 53;

class CUGCheckBoxType : public CUGCellType {
public:
    CUGCheckBoxType();

    LPCTSTR GetName() override;
    const GUID* GetTypeGuid() override;
    int HandleSystemColorChange() override;
    int HandleLeftButton(int col, long row, int updn, RECT* rect, POINT* point) override;
    int HandleDoubleClick(int col, long row, RECT* rect, POINT* point) override;
    int HandleChar(int col, long row, UINT* ch) override;
    void DrawCell(CDC* dc, RECT* rect, int col, long row, CUGCell* cell, int selectMark,
                  int current) override;

    // The box of a cell's rectangle; its size is below 6 when the cell is too low for one.
    static CRect BoxRect(const RECT& cell);

private:
    void DrawMark(CDC* dc, const CRect& box, bool tick);

    CPen shadowPen_;
    CPen lightPen_;
    CPen facePen_;
    CUGCell workCell_;
};
