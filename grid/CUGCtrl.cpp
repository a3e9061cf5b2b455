// The frame: construction, creating or attaching the window, its children and their
// layout, repainting, the frame's own messages and the switches.

#include "grid/CUGCtrl.h"

#include <algorithm>

#include <afxdlgs.h>

#include "grid/CUGCnrBtn.h"
#include "grid/CUGGrid.h"
#include "grid/CUGHScroll.h"
#include "grid/CUGHint.h"
#include "grid/CUGSideHdg.h"
#include "grid/CUGTopHdg.h"
#include "grid/CUGVScroll.h"

namespace {
constexpr int kDataSourceSlots = 16; // the data-source table grows by this many slots
} // namespace

CUGCtrl::CUGCtrl()
    : fonts(std::make_unique<CUGPtrList>()), bitmaps(std::make_unique<CUGPtrList>()),
      cellTypes(std::make_unique<CUGPtrList>()), popupMenu(std::make_unique<CMenu>()),
      dataSources(kDataSourceSlots, nullptr), grid(std::make_unique<CUGGrid>()),
      topHdg(std::make_unique<CUGTopHdg>()), sideHdg(std::make_unique<CUGSideHdg>()),
      cornerBtn(std::make_unique<CUGCnrBtn>()), vScroll(std::make_unique<CUGVScroll>()),
      hScroll(std::make_unique<CUGHScroll>()), hint(std::make_unique<CUGHint>()) {
    RegisterCellType(&standardType);
    RegisterCellType(&dropListType);
    RegisterCellType(&checkBoxType);
    RegisterCellType(&arrowType);
    sheets.push_back(std::make_unique<CUGGridInfo>());
    gridInfo = sheets.front().get();
    gridInfo->standardEditor = &defaultEdit;
    defaultEdit.SetFrame(this);
    gridInfo->builtinStore->SetGrid(this);
    gridInfo->builtinStore->SetSortComparer(&sortHook_);
    grid->Attach(this, gridInfo);
    topHdg->Attach(this, gridInfo);
    sideHdg->Attach(this, gridInfo);
    cornerBtn->Attach(this, gridInfo);
    vScroll->Attach(this, gridInfo);
    hScroll->Attach(this, gridInfo);
    popupMenu->CreatePopupMenu();
    RecreatePens();
    paintEnabled = 1;
}

CUGCtrl::~CUGCtrl() {
    // The windows go while every part of the frame is still there to answer them.
    paintEnabled = 0;
    if (findDialog && findDialog->m_hWnd)
        findDialog->DestroyWindow(); // it deletes itself
    hint.reset();
    if (m_hWnd)
        DestroyWindow();
    for (int i = 0; i < fonts->GetCapacity(); ++i)
        delete static_cast<CFont*>(fonts->GetPointer(i));
    for (int i = 0; i < bitmaps->GetCapacity(); ++i)
        delete static_cast<CBitmap*>(bitmaps->GetPointer(i));
}

void CUGCtrl::RecreatePens() {
    highlightPen.DeleteObject();
    shadowPen.DeleteObject();
    highlightPen.CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    shadowPen.CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
}

// ---- creation ----

BOOL CUGCtrl::CreateGrid(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    BOOL created = Create(nullptr, L"", style, rect, parent, id);
    if (created) {
        OnGridSetup();
        OnSheetPrepare(0);
    }
    return created;
}

int CUGCtrl::AttachGrid(CWnd* parent, UINT id) {
    if (!SubclassDlgItem(id, parent))
        return 0;
    ModifyStyle(0, WS_CLIPCHILDREN | WS_BORDER | WS_TABSTOP, SWP_FRAMECHANGED);
    CreateChildWindows();
    LayoutChildren();
    OnGridSetup();
    OnSheetPrepare(0);
    return 1;
}

int CUGCtrl::OnCreate(LPCREATESTRUCT cs) {
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    CreateChildWindows();
    return 0;
}

void CUGCtrl::CreateChildWindows() {
    const CRect none(0, 0, 0, 0);
    const DWORD child = WS_CHILD | WS_VISIBLE;
    grid->Create(nullptr, L"", child, none, this, UG_GRID_ID);
    topHdg->Create(nullptr, L"", child, none, this, UG_TOPHDG_ID);
    sideHdg->Create(nullptr, L"", child, none, this, UG_SIDEHDG_ID);
    cornerBtn->Create(nullptr, L"", child, none, this, UG_CNRBTN_ID);
    vScroll->Create(child | SBS_VERT, none, this, UG_VSCROLL_ID);
    hScroll->Create(child | SBS_HORZ, none, this, UG_HSCROLL_ID);
    hint->Create(this, 0);
    defaultEdit.Create(WS_CHILD | ES_MULTILINE | ES_AUTOVSCROLL, none, this, UG_EDIT_ID);
    if (gridInfo->doubleBufferMode)
        grid->SetOffscreenPainting(gridInfo->doubleBufferMode);
}

// ---- layout ----

void CUGCtrl::DecideScrollBars(int width, int height, bool& vHidden, bool& hHidden) const {
    const CUGGridInfo& gi = *gridInfo;
    const long long roomX = width - gi.sideHdgWidth, roomY = height - gi.topHdgHeight;
    long long cols = 0;
    for (int c = 0; c < gi.numberCols && cols <= roomX; ++c)
        cols += GetColumnWidth(c);
    long long rows = 0;
    if (gi.uniformRowHeight)
        rows = static_cast<long long>(gi.numberRows) * gi.defRowHeight;
    else
        for (long r = 0; r < gi.numberRows && rows <= roomY; ++r)
            rows += GetRowHeight(r);
    const bool noTabs = gi.tabWidth <= 0;
    const bool colsFit = cols <= roomX, rowsFit = rows <= roomY;
    const bool colsFitBesideBar = cols <= roomX - gi.vScrollWidth;
    const bool rowsFitAboveBar = rows <= roomY - gi.hScrollHeight;
    vHidden = rowsFit && ((colsFit && noTabs) || rowsFitAboveBar);
    hHidden = colsFit && noTabs && (rowsFit || colsFitBesideBar);
}

bool CUGCtrl::ScrollBarsNeedLayout() const {
    if (!laidOut_ || inLayout_ || !m_hWnd)
        return false;
    CRect client;
    GetClientRect(&client);
    bool vHidden, hHidden;
    DecideScrollBars(client.Width(), client.Height(), vHidden, hHidden);
    return vHidden != vScrollHidden_ || hHidden != hScrollHidden_;
}

void CUGCtrl::LayoutChildren() {
    if (!m_hWnd || !grid->m_hWnd || inLayout_)
        return;
    inLayout_ = true;
    CUGGridInfo& gi = *gridInfo;
    CRect client;
    GetClientRect(&client);
    const int width = client.Width(), height = client.Height();
    const int savedTabWidth = gi.tabWidth;
    if (gi.tabWidth > 0)
        gi.tabWidth = std::max(4, std::min(gi.tabWidth, width - gi.sideHdgWidth - 30));
    bool vHidden, hHidden;
    DecideScrollBars(width, height, vHidden, hHidden);
    vScrollHidden_ = vHidden;
    hScrollHidden_ = hHidden;
    const int vw = vHidden ? 0 : gi.vScrollWidth, hh = hHidden ? 0 : gi.hScrollHeight;
    const int tw = gi.tabWidth, sw = gi.sideHdgWidth, th = gi.topHdgHeight;

    CRect vRect(width - vw, 0, width, height - hh);
    CRect hRect(tw, height - hh, width - vw, height);
    CRect tabRect(0, height - hh, tw, height);
    CRect topRect(sw, 0, width - vw, th);
    CRect sideRect(0, th, sw, height - hh);
    CRect cornerRect(0, 0, sw, th);
    CRect gridRect(sw, th, width - vw, height - hh);
    OnLayoutAdjust(&gridRect, &topRect, &sideRect, &cornerRect, &vRect, &hRect, &tabRect);

    gi.gridRect = gridRect;
    gi.topHdgRect = topRect;
    gi.sideHdgRect = sideRect;
    gi.cornerRect = cornerRect;
    gi.vScrollRect = vRect;
    gi.hScrollRect = hRect;
    gi.tabRect = tabRect;
    gi.gridWidth = std::max(0, gridRect.Width());
    gi.gridHeight = std::max(0, gridRect.Height());
    grid->MoveWindow(&gridRect, FALSE);
    topHdg->MoveWindow(&topRect, FALSE);
    sideHdg->MoveWindow(&sideRect, FALSE);
    cornerBtn->MoveWindow(&cornerRect, FALSE);
    vScroll->MoveWindow(&vRect, FALSE);
    hScroll->MoveWindow(&hRect, FALSE);
    laidOut_ = true;

    RecalcVisibleRange();
    RepaintAll();
    gi.tabWidth = savedTabWidth;
    gi.lastTopRow = gi.topRow;
    gi.lastLeftCol = gi.leftCol;
    inLayout_ = false;
}

// ---- repainting ----

void CUGCtrl::RepaintAll() {
    if (!paintEnabled || !m_hWnd)
        return;
    grid->RepaintAll();
    topHdg->RepaintAll();
    sideHdg->RepaintAll();
    cornerBtn->RepaintAll();
    vScroll->Update();
    hScroll->Update();
}

void CUGCtrl::RefreshAfterMove() {
    if (!paintEnabled || !m_hWnd)
        return;
    grid->RefreshAfterMove();
    sideHdg->RefreshAfterMove();
    topHdg->RefreshAfterMove();
    vScroll->Update();
    hScroll->Update();
}

void CUGCtrl::RepaintCell(int col, long row) {
    if (!paintEnabled || !m_hWnd)
        return;
    if (col < 0)
        sideHdg->RepaintAll();
    else if (row < 0)
        topHdg->RepaintAll();
    else
        grid->RepaintCell(col, row);
}

void CUGCtrl::RepaintRow(long row) {
    if (paintEnabled && m_hWnd)
        grid->RepaintRow(row);
}

void CUGCtrl::RepaintCol(int col) {
    if (paintEnabled && m_hWnd)
        grid->RepaintCol(col);
}

void CUGCtrl::RepaintRange(int startCol, long startRow, int endCol, long endRow) {
    if (paintEnabled && m_hWnd)
        grid->RepaintRange(startCol, startRow, endCol, endRow);
}

int CUGCtrl::EnablePainting(int on) {
    paintEnabled = on ? 1 : 0;
    return GRID_SUCCESS;
}

// ---- the frame's own messages ----

void CUGCtrl::OnSize(UINT type, int cx, int cy) {
    CWnd::OnSize(type, cx, cy);
    int wasEnabled = paintEnabled;
    paintEnabled = 0;
    LayoutChildren();
    paintEnabled = wasEnabled;
    RepaintAll();
}

void CUGCtrl::OnPaint() {
    {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    }
    RepaintAll();
}

void CUGCtrl::OnSetFocus(CWnd* oldWnd) {
    CWnd::OnSetFocus(oldWnd);
    if (grid->m_hWnd)
        grid->SetFocus();
}

void CUGCtrl::OnSysColorChange() {
    CWnd::OnSysColorChange();
    for (int i = 0; i < cellTypes->GetCapacity(); ++i)
        if (auto* type = static_cast<CUGCellType*>(cellTypes->GetPointer(i)))
            type->HandleSystemColorChange();
    for (auto& sheet : sheets)
        sheet->headingDefault->SetBackColor(GetSysColor(COLOR_BTNFACE));
    RecreatePens();
}

void CUGCtrl::OnHScroll(UINT code, UINT pos, CScrollBar* bar) {
    if (bar == hScroll.get())
        hScroll->HandleScroll(code, pos);
    else
        CWnd::OnHScroll(code, pos, bar);
}

void CUGCtrl::OnVScroll(UINT code, UINT pos, CScrollBar* bar) {
    if (bar == vScroll.get())
        vScroll->HandleScroll(code, pos);
    else
        CWnd::OnVScroll(code, pos, bar);
}

UINT CUGCtrl::OnGetDlgCode() {
    return DLGC_WANTARROWS | DLGC_WANTALLKEYS;
}

BOOL CUGCtrl::OnCommand(WPARAM wParam, LPARAM lParam) {
    UINT id = LOWORD(wParam);
    if (id >= UG_MENU_FIRST_ID) {
        OnPopupCommand(menuCol, menuRow, menuSection, static_cast<int>(id));
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

int CUGCtrl::StartMenu(int col, long row, POINT* screenPoint, int section) {
    if (!gridInfo->popupMenuEnabled)
        return 1;
    if (col >= 0 && row >= 0) {
        int endCol;
        long endRow;
        GetJoinRange(&col, &row, &endCol, &endRow);
    }
    if (!OnPopupQuery(col, row, section))
        return 2;
    menuCol = col;
    menuRow = row;
    menuSection = section;
    if (!popupMenu->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, screenPoint->x, screenPoint->y,
                                   this))
        return 3;
    return GRID_SUCCESS;
}

// ---- switches ----

int CUGCtrl::SetUserSizingMode(int mode) {
    if (mode < 0)
        return GRID_ERROR;
    gridInfo->userSizing = mode;
    return GRID_SUCCESS;
}

int CUGCtrl::SetColSwapping(int on) {
    gridInfo->enableColSwapping = on ? 1 : 0;
    return GRID_SUCCESS;
}

int CUGCtrl::SetHighlightRow(int on) {
    gridInfo->highlightRow = on ? 1 : 0;
    if (gridInfo->multiSelectMode)
        gridInfo->multiSelect->SetMode(on ? UG_MULTISELECT_ROW : UG_MULTISELECT_CELL);
    RepaintAll();
    return GRID_SUCCESS;
}

int CUGCtrl::SetMultiSelectMode(int mode) {
    gridInfo->multiSelectMode = mode;
    int listMode = UG_MULTISELECT_OFF;
    if (mode)
        listMode = gridInfo->highlightRow ? UG_MULTISELECT_ROW : UG_MULTISELECT_CELL;
    gridInfo->multiSelect->SetMode(listMode);
    RepaintAll();
    return GRID_SUCCESS;
}

int CUGCtrl::SetCurrentCellMode(int mode) {
    return gridInfo->SetCurrentCellMode(mode);
}

int CUGCtrl::SetThreeDBorderWidth(int width) {
    return gridInfo->SetThreeDBorderWidth(width);
}

int CUGCtrl::SetDoubleBufferMode(int on) {
    gridInfo->doubleBufferMode = on ? 1 : 0;
    if (grid->m_hWnd && grid->SetOffscreenPainting(gridInfo->doubleBufferMode) != 0) {
        gridInfo->doubleBufferMode = 0;
        return GRID_ERROR;
    }
    return GRID_SUCCESS;
}

int CUGCtrl::SetCellHints(int on) {
    gridInfo->cellHints = on ? 1 : 0;
    if (grid->m_hWnd)
        grid->EnableToolTips(gridInfo->cellHints);
    return GRID_SUCCESS;
}

int CUGCtrl::SetVScrollHints(int on) {
    gridInfo->vScrollHints = on ? 1 : 0;
    if (vScroll->m_hWnd)
        vScroll->EnableToolTips(gridInfo->vScrollHints);
    return GRID_SUCCESS;
}

int CUGCtrl::SetHScrollHints(int on) {
    gridInfo->hScrollHints = on ? 1 : 0;
    if (hScroll->m_hWnd)
        hScroll->EnableToolTips(gridInfo->hScrollHints);
    return GRID_SUCCESS;
}

int CUGCtrl::SetVScrollMode(int mode) {
    if (mode < 0 || mode > 2)
        return GRID_ERROR;
    gridInfo->vScrollMode = mode;
    vScroll->Update();
    return GRID_SUCCESS;
}

int CUGCtrl::SetHScrollMode(int mode) {
    if (mode < 0 || mode > 1)
        return GRID_ERROR;
    gridInfo->hScrollMode = mode;
    hScroll->Update();
    return GRID_SUCCESS;
}

int CUGCtrl::SetKeyAccelMode(int mode) {
    return gridInfo->SetKeyAccelMode(mode);
}

int CUGCtrl::SetKeyAccelDelay(int delay) {
    return gridInfo->SetKeyAccelDelay(delay);
}

int CUGCtrl::SetMouseAccelMode(int mode) {
    return gridInfo->SetMouseAccelMode(mode);
}

int CUGCtrl::SetMouseAccelDelay(int delay) {
    return gridInfo->SetMouseAccelDelay(delay);
}

int CUGCtrl::EnableJoins(int on) {
    gridInfo->enableJoins = on ? 1 : 0;
    return GRID_SUCCESS;
}

int CUGCtrl::EnableCellOverflow(int on) {
    gridInfo->enableCellOverflow = on ? 1 : 0;
    return GRID_SUCCESS;
}

int CUGCtrl::EnableMenu(int on) {
    gridInfo->popupMenuEnabled = on ? 1 : 0;
    return GRID_SUCCESS;
}

int CUGCtrl::SetGridLines(int on) {
    gridInfo->gridLines = on ? 1 : 0;
    return GRID_SUCCESS;
}
