#include "grid/UGCellButtons.h"

#include "grid/CUGCtrl.h"

int UGPassButton(CUGCtrl& frame, CUGCell& scratch, int col, long row, UGButton button, int updn,
                 RECT* rect, POINT* point) {
    frame.GetCell(col, row, &scratch);
    CUGCellType* type = frame.CellTypeOf(scratch);
    switch (button) {
    case UGButton::Left:
        return type->HandleLeftButton(col, row, updn, rect, point);
    case UGButton::Right:
        return type->HandleRightButton(col, row, updn, rect, point);
    case UGButton::Double:
        return type->HandleDoubleClick(col, row, rect, point);
    }
    return 0;
}
