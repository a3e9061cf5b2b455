// The hooks' defaults: harmless, so that a grid works with none of them overridden.

#include "grid/CUGCtrl.h"

void CUGCtrl::OnSectionSetFocus(int) {}
void CUGCtrl::OnGridSetup() {}
void CUGCtrl::OnSheetPrepare(int) {}
int CUGCtrl::OnQueryCellMove(int, long, int, long) {
    return 1;
}
int CUGCtrl::OnQueryViewScroll(int, int, long, long) {
    return 1;
}
void CUGCtrl::OnPastLastRow(long, long, long) {}
int CUGCtrl::OnQueryColResize(int) {
    return 1;
}
void CUGCtrl::OnColResizing(int, int*) {}
void CUGCtrl::OnColResized(int, int*) {}
int CUGCtrl::OnQueryRowResize(long) {
    return 1;
}
void CUGCtrl::OnRowResizing(long, int*) {}
void CUGCtrl::OnRowResized(long, int*) {}
int CUGCtrl::OnQueryTopHdgResize() {
    return 1;
}
int CUGCtrl::OnQuerySideHdgResize() {
    return 1;
}
int CUGCtrl::OnTopHdgResizing(int*) {
    return 1;
}
int CUGCtrl::OnSideHdgResizing(int*) {
    return 1;
}
int CUGCtrl::OnTopHdgResized(int*) {
    return 1;
}
int CUGCtrl::OnSideHdgResized(int*) {
    return 1;
}
void CUGCtrl::OnCurrentColMoved(int, int) {}
void CUGCtrl::OnCurrentRowMoved(long, long) {}
void CUGCtrl::OnCurrentCellMoved(int, int, long, long) {}
void CUGCtrl::OnLeftColMoved(int, int) {}
void CUGCtrl::OnTopRowMoved(long, long) {}
void CUGCtrl::OnCellLeftClick(int, long, int, RECT*, POINT*, int) {}
void CUGCtrl::OnCellRightClick(int, long, int, RECT*, POINT*, int) {}
void CUGCtrl::OnCellDoubleClick(int, long, RECT*, POINT*, int) {}
void CUGCtrl::OnCellMouseMove(int, long, POINT*, UINT, int) {}
void CUGCtrl::OnTopHdgLeftClick(int, long, int, RECT*, POINT*, int) {}
void CUGCtrl::OnTopHdgRightClick(int, long, int, RECT*, POINT*, int) {}
void CUGCtrl::OnTopHdgDoubleClick(int, long, RECT*, POINT*, int) {}
void CUGCtrl::OnSideHdgLeftClick(int, long, int, RECT*, POINT*, int) {}
void CUGCtrl::OnSideHdgRightClick(int, long, int, RECT*, POINT*, int) {}
void CUGCtrl::OnSideHdgDoubleClick(int, long, RECT*, POINT*, int) {}
void CUGCtrl::OnCornerLeftClick(int, RECT*, POINT*, int) {}
void CUGCtrl::OnCornerRightClick(int, RECT*, POINT*, int) {}
void CUGCtrl::OnCornerDoubleClick(RECT*, POINT*, int) {}
void CUGCtrl::OnCellKeyDown(UINT*, int) {}
void CUGCtrl::OnCellChar(UINT*, int) {}
void CUGCtrl::OnCellFetched(int, long, CUGCell*) {}
void CUGCtrl::OnCellStoring(int, long, CUGCell*) {}
int CUGCtrl::OnCellTypeEvent(long, int, long, long, LONG_PTR) {
    return 1;
}
int CUGCtrl::OnEditBegin(int, long, CWnd**) {
    return 1;
}

// Not neutral: the price files separate their fields with "|", and column 1 holds a price.
int CUGCtrl::OnEditKeyCheck(int col, long, CWnd* edit, UINT* vcKey) {
    const UINT key = *vcKey;
    if (col == 1 && key != VK_BACK) {
        bool digit = key >= L'0' && key <= L'9';
        bool firstPoint = false;
        if (key == L'.') {
            CString text;
            if (edit)
                edit->GetWindowText(text);
            firstPoint = text.Find(L'.') < 0;
        }
        if (!digit && !firstPoint)
            return 0;
    }
    if ((col == 1 || col == 2) && key == L'|')
        return 0;
    return 1;
}

int CUGCtrl::OnEditEnd(int, long, CWnd*, LPCTSTR, int) {
    return 1;
}
int CUGCtrl::OnEditChain(int, long, int*, long*) {
    return 1;
}
void CUGCtrl::OnPopupCommand(int, long, int, int) {}
int CUGCtrl::OnPopupQuery(int, long, int) {
    return 1;
}

int CUGCtrl::OnCellHintText(int col, long row, int, CString* text) {
    text->Format(L"Col:%d Row:%ld", col, row);
    return 1;
}

int CUGCtrl::OnVScrollHintText(long, CString*) {
    return 1;
}
int CUGCtrl::OnHScrollHintText(int, CString*) {
    return 1;
}
int CUGCtrl::OnOleDragEnter(COleDataObject*) {
    return 0;
}
int CUGCtrl::OnOleDragOver(COleDataObject*, int, long) {
    return 0;
}
int CUGCtrl::OnOleDrop(COleDataObject*, int, long) {
    return 0;
}

int CUGCtrl::OnSortCompare(CUGCell* cell1, CUGCell* cell2, int flags) {
    return UGDefaultSortCompare(cell1, cell2, flags);
}

void CUGCtrl::OnSectionPaintSetup(CDC*, CDC*, int) {}
void CUGCtrl::OnLayoutAdjust(RECT*, RECT*, RECT*, RECT*, RECT*, RECT*, RECT*) {}
void CUGCtrl::OnSheetTabChosen(int) {}

COLORREF CUGCtrl::OnSectionBackColor(int section) {
    return GetSysColor(section == UG_GRID ? COLOR_WINDOW : COLOR_BTNFACE);
}

void CUGCtrl::OnPaintFocusFrame(CDC* dc, RECT* rect) {
    CRect frame(*rect);
    frame.right -= 1;
    frame.bottom -= 1;
    dc->DrawFocusRect(&frame);
}

void CUGCtrl::OnSectionKillFocus(int) {}
int CUGCtrl::OnColDragBegin(int) {
    return 1;
}
int CUGCtrl::OnQueryColDrop(int, int) {
    return 1;
}
void CUGCtrl::OnTrackWindowReposition(RECT*, RECT*) {}
