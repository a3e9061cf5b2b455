#include "grid/CUGHeading.h"

#include <algorithm>

#include "grid/CUGCtrl.h"
#include "grid/CUGGrid.h"
#include "grid/CUGGridInfo.h"
#include "grid/UGCellButtons.h"

namespace {
constexpr int kEdgeSlack = 3; // a pointer closer than this to an edge grabs it
} // namespace

CUGHeading::~CUGHeading() {
    if (m_hWnd)
        DestroyWindow();
}

BOOL CUGHeading::OnEraseBkgnd(CDC*) {
    return TRUE;
}

int CUGHeading::Section() const {
    return titlesRows_ ? UG_SIDEHEADING : UG_TOPHEADING;
}

// ---- the lines ----

long CUGHeading::LineCount() const {
    return titlesRows_ ? gridInfo_->numberRows : gridInfo_->numberCols;
}

long CUGHeading::NextShownLine(long line) const {
    return titlesRows_ ? gridInfo_->NextShownRow(line)
                       : gridInfo_->NextShownCol(static_cast<int>(line));
}

int CUGHeading::LineExtent() const {
    return titlesRows_ ? gridInfo_->gridHeight : gridInfo_->gridWidth;
}

int CUGHeading::LineStart(long line) const {
    return titlesRows_ ? frame_->RowTop(line) : frame_->ColumnLeft(static_cast<int>(line));
}

int CUGHeading::LineSize(long line) const {
    return titlesRows_ ? frame_->GetRowHeight(line)
                       : frame_->GetColumnWidth(static_cast<int>(line));
}

void CUGHeading::SetLineSize(long line, int size) {
    if (titlesRows_)
        frame_->SetRowHeight(line, size);
    else
        frame_->SetColumnWidth(static_cast<int>(line), size);
}

bool CUGHeading::QueryLineResize(long line) {
    return titlesRows_ ? frame_->OnQueryRowResize(line)
                       : frame_->OnQueryColResize(static_cast<int>(line));
}

void CUGHeading::LineResizing(long line, int* size) {
    if (titlesRows_)
        frame_->OnRowResizing(line, size);
    else
        frame_->OnColResizing(static_cast<int>(line), size);
}

void CUGHeading::LineResized(long line, int* size) {
    if (titlesRows_)
        frame_->OnRowResized(line, size);
    else
        frame_->OnColResized(static_cast<int>(line), size);
}

long CUGHeading::LineAt(int pos) const {
    int start = 0;
    for (long line = NextShownLine(-1); line < LineCount() && start <= LineExtent();
         line = NextShownLine(line)) {
        int size = LineSize(line);
        if (size > 0 && pos >= start && pos < start + size)
            return line;
        start += size;
    }
    return -1;
}

// ---- the bands ----

int CUGHeading::BandCount() const {
    return titlesRows_ ? gridInfo_->numberSideHdgCols : gridInfo_->numberTopHdgRows;
}

std::vector<int>& CUGHeading::BandSizes() const {
    return titlesRows_ ? gridInfo_->sideHdgWidths : gridInfo_->topHdgHeights;
}

int& CUGHeading::BandTotal() const {
    return titlesRows_ ? gridInfo_->sideHdgWidth : gridInfo_->topHdgHeight;
}

int CUGHeading::BandSize(int band) const {
    return titlesRows_ ? gridInfo_->GetSideHdgColWidth(band) : gridInfo_->GetTopHdgRowHeight(band);
}

bool CUGHeading::QueryBandResize() {
    return titlesRows_ ? frame_->OnQuerySideHdgResize() : frame_->OnQueryTopHdgResize();
}

void CUGHeading::BandResizing(int* total) {
    if (titlesRows_)
        frame_->OnSideHdgResizing(total);
    else
        frame_->OnTopHdgResizing(total);
}

void CUGHeading::BandResized(int* total) {
    if (titlesRows_)
        frame_->OnSideHdgResized(total);
    else
        frame_->OnTopHdgResized(total);
}

int CUGHeading::BandStart(int band) const {
    int start = 0;
    for (int b = -BandCount(); b < band; ++b)
        start += BandSize(b);
    return start;
}

int CUGHeading::BandAt(int pos) const {
    int start = 0;
    for (int band = -BandCount(); band <= -1; ++band) {
        int size = BandSize(band);
        if (size > 0 && pos >= start && pos < start + size)
            return band;
        start += size;
    }
    return 0;
}

// ---- geometry ----

int CUGHeading::GetCellRect(int col, long row, RECT* rect) const {
    int startCol = col, endCol = col;
    long startRow = row, endRow = row;
    if (gridInfo_->enableJoins)
        frame_->GetJoinRange(&startCol, &startRow, &endCol, &endRow);
    long firstLine = titlesRows_ ? startRow : startCol;
    long lastLine = titlesRows_ ? endRow : endCol;
    int firstBand = titlesRows_ ? startCol : static_cast<int>(startRow);
    int lastBand = titlesRows_ ? endCol : static_cast<int>(endRow);
    int lineFrom = LineStart(firstLine);
    int lineTo = LineStart(lastLine) + LineSize(lastLine);
    int bandFrom = BandStart(firstBand);
    int bandTo = BandStart(lastBand) + BandSize(lastBand);
    if (titlesRows_)
        *rect = CRect(bandFrom, lineFrom, bandTo, lineTo);
    else
        *rect = CRect(lineFrom, bandFrom, lineTo, bandTo);
    return GRID_SUCCESS;
}

int CUGHeading::GetCellFromPoint(int x, int y, int* col, long* row, RECT* rect) const {
    *col = -1;
    *row = -1;
    long line = LineAt(titlesRows_ ? y : x);
    if (line < 0)
        return GRID_ERROR;
    int band = BandAt(titlesRows_ ? x : y);
    if (band == 0)
        return GRID_ERROR;
    *col = titlesRows_ ? band : static_cast<int>(line);
    *row = titlesRows_ ? line : band;
    if (gridInfo_->enableJoins) {
        int endCol;
        long endRow;
        frame_->GetJoinRange(col, row, &endCol, &endRow);
    }
    if (rect)
        GetCellRect(*col, *row, rect);
    return GRID_SUCCESS;
}

// ---- painting ----

void CUGHeading::FitOutermostBand() {
    std::vector<int>& sizes = BandSizes();
    int count = BandCount();
    if (count < 1 || sizes.empty())
        return;
    int inner = 0;
    for (int i = 0; i < count - 1; ++i)
        inner += sizes[static_cast<std::size_t>(i)];
    sizes[static_cast<std::size_t>(count - 1)] = std::max(0, BandTotal() - inner);
}

void CUGHeading::RepaintAll() {
    FitOutermostBand();
    if (!m_hWnd)
        return;
    Invalidate(FALSE);
    UpdateWindow();
}

void CUGHeading::OnPaint() {
    CPaintDC dc(this);
    if (titlesRows_)
        redrawList_.AddRange(-BandCount(), 0, 0, gridInfo_->numberRows);
    else
        redrawList_.AddRange(0, -BandCount(), gridInfo_->numberCols, 0);
    DrawHeading(&dc);
    redrawList_.Clear();
}

CFont* CUGHeading::BeginDrawing(CDC* dc) {
    frame_->OnSectionPaintSetup(dc, nullptr, Section());
    return gridInfo_->defFont ? dc->SelectObject(gridInfo_->defFont) : nullptr;
}

void CUGHeading::EndDrawing(CDC* dc, CFont* oldFont) {
    if (oldFont)
        dc->SelectObject(oldFont);
}

bool CUGHeading::LoadTitle(int* col, long* row, CRect* rect) {
    frame_->GetCell(*col, *row, &scratchCell_);
    if (!gridInfo_->enableJoins || !scratchCell_.HasProperty(CELLPROP_SPAN))
        return true;
    int firstCol = *col, endCol;
    long firstRow = *row, endRow;
    frame_->GetJoinRange(&firstCol, &firstRow, &endCol, &endRow);
    if (redrawList_.WasDrawn(firstCol, firstRow))
        return false;
    redrawList_.MarkDrawn(firstCol, firstRow);
    GetCellRect(firstCol, firstRow, rect);
    if (firstCol != *col || firstRow != *row)
        frame_->GetCell(firstCol, firstRow, &scratchCell_);
    *col = firstCol;
    *row = firstRow;
    return true;
}

void CUGHeading::DrawTitle(CDC* dc, CRect rect, int col, long row, int mark) {
    int saved = dc->SaveDC();
    frame_->CellTypeOf(scratchCell_)->DrawCell(dc, &rect, col, row, &scratchCell_, mark, 0);
    dc->RestoreDC(saved);
}

void CUGHeading::FillBlank(CDC* dc, CRect strip) {
    dc->SetBkColor(gridInfo_->headingDefault->GetBackColor());
    dc->ExtTextOut(strip.left, strip.top, ETO_OPAQUE, &strip, L"", 0);
}

// ---- sizing ----

HCURSOR CUGHeading::SizingCursor() const {
    // Band edges of the side heading and line edges of the top heading move along x.
    bool alongX = sizingBand_ == titlesRows_;
    return alongX ? gridInfo_->sizeWECursor : gridInfo_->sizeNSCursor;
}

BOOL CUGHeading::OnSetCursor(CWnd*, UINT, UINT) {
    ::SetCursor(sizingArmed_ || sizingActive_ ? SizingCursor() : gridInfo_->arrowCursor);
    return TRUE;
}

void CUGHeading::Arm(bool band, long index, int startSize, int startPos) {
    sizingArmed_ = true;
    sizingBand_ = band;
    sizingIndex_ = static_cast<int>(index);
    sizingStartSize_ = startSize;
    sizingStartPos_ = startPos;
    sizingStartTotal_ = BandTotal();
    ::SetCursor(SizingCursor());
}

bool CUGHeading::ArmLineEdge(int pos) {
    int edge = 0;
    for (long line = NextShownLine(-1); line < LineCount(); line = NextShownLine(line)) {
        edge += LineSize(line);
        if (pos > edge - kEdgeSlack && pos < edge + kEdgeSlack) {
            // A hidden line past the edge is the one pulled open.
            long candidate = line;
            if (line + 1 < LineCount() && LineSize(line + 1) == 0)
                candidate = line + 1;
            if (QueryLineResize(candidate))
                Arm(false, candidate, LineSize(candidate), pos);
            return true;
        }
        if (edge > LineExtent())
            break;
    }
    return false;
}

bool CUGHeading::ArmBandEdge(int pos) {
    const std::vector<int>& sizes = BandSizes();
    int edge = BandTotal();
    for (int index = 0; index < BandCount(); ++index) {
        if (pos > edge - kEdgeSlack && pos < edge + kEdgeSlack) {
            if (QueryBandResize())
                Arm(true, index, sizes[static_cast<std::size_t>(index)], pos);
            return true;
        }
        edge -= sizes[static_cast<std::size_t>(index)];
    }
    return false;
}

void CUGHeading::TestSizingEdges(CPoint point) {
    if (gridInfo_->userSizing <= 0)
        return;
    int x = static_cast<int>(point.x), y = static_cast<int>(point.y);
    // The edges crossed along x are looked at first.
    bool onEdge = titlesRows_ ? ArmBandEdge(x) || ArmLineEdge(y) : ArmLineEdge(x) || ArmBandEdge(y);
    if (!onEdge && sizingArmed_) {
        sizingArmed_ = false;
        ::SetCursor(gridInfo_->arrowCursor);
    }
}

void CUGHeading::SizeWhileDragging(CPoint point) {
    CUGGridInfo& gi = *gridInfo_;
    int pos = static_cast<int>(sizingBand_ == titlesRows_ ? point.x : point.y);
    if (sizingBand_) {
        BandSizes()[static_cast<std::size_t>(sizingIndex_)] =
            std::max(0, pos - sizingStartPos_ + sizingStartSize_);
        int total = std::max(0, pos - sizingStartPos_ + sizingStartTotal_);
        BandResizing(&total);
        BandTotal() = total;
        frame_->LayoutChildren();
        return;
    }
    int size;
    if (titlesRows_ && gi.uniformRowHeight) {
        // One height for all rows: the pointer's depth shared by the rows above it.
        int rowsAbove = sizingStartPos_ / std::max(1, gi.defRowHeight);
        int depth = std::max(1, pos);
        size = rowsAbove > 0 ? depth / rowsAbove : depth;
    } else {
        size = std::max(0, pos - sizingStartPos_ + sizingStartSize_);
    }
    LineResizing(sizingIndex_, &size);
    SetLineSize(sizingIndex_, size);
    if (gi.userSizing == 1) {
        RepaintAll();
        EraseTrackingLine();
        int at = std::max(pos, sizingStartPos_ - sizingStartSize_);
        DrawTrackingLine(titlesRows_ ? CRect(0, at - 1, gi.gridWidth, at + 1)
                                     : CRect(at - 1, 0, at + 1, gi.gridHeight));
    } else {
        frame_->RecalcVisibleRange();
        frame_->RepaintAll();
    }
}

void CUGHeading::EndSizing() {
    EraseTrackingLine();
    if (sizingBand_) {
        BandResized(&BandTotal());
    } else {
        int size = LineSize(sizingIndex_);
        int hooked = size;
        LineResized(sizingIndex_, &hooked);
        if (hooked != size)
            SetLineSize(sizingIndex_, hooked);
    }
    sizingActive_ = false;
    sizingArmed_ = false;
    if (frame_->grid && frame_->grid->m_hWnd)
        frame_->grid->Invalidate(FALSE);
    frame_->LayoutChildren();
}

void CUGHeading::DrawTrackingLine(const CRect& line) {
    CUGGrid* grid = frame_->grid.get();
    if (!grid || !grid->m_hWnd)
        return;
    CDC* dc = grid->GetDC();
    dc->DrawFocusRect(&line);
    grid->ReleaseDC(dc);
    trackingLine_ = line;
}

void CUGHeading::EraseTrackingLine() {
    if (trackingLine_.left == -1 && trackingLine_.right == -1)
        return;
    CRect line = trackingLine_;
    DrawTrackingLine(line); // drawn by inversion: a second time takes it away
    trackingLine_ = CRect(-1, -1, -1, -1);
}

// ---- mouse ----

void CUGHeading::GiveGridFocus() {
    if (frame_->grid && frame_->grid->m_hWnd && GetFocus() != frame_->grid.get())
        frame_->grid->SetFocus();
}

CUGHeading::Hit CUGHeading::HitTest(CPoint point) const {
    Hit hit;
    hit.onCell = GetCellFromPoint(static_cast<int>(point.x), static_cast<int>(point.y), &hit.col,
                                  &hit.row, &hit.rect) == GRID_SUCCESS;
    return hit;
}

void CUGHeading::PassClick(const Hit& hit, UGButton button, int updn, CPoint point) {
    CRect rect = hit.rect;
    int processed = hit.onCell ? UGPassButton(*frame_, scratchCell_, hit.col, hit.row, button, updn,
                                              &rect, &point)
                               : 0;
    switch (button) {
    case UGButton::Left:
        if (titlesRows_)
            frame_->OnSideHdgLeftClick(hit.col, hit.row, updn, &rect, &point, processed);
        else
            frame_->OnTopHdgLeftClick(hit.col, hit.row, updn, &rect, &point, processed);
        break;
    case UGButton::Right:
        if (titlesRows_)
            frame_->OnSideHdgRightClick(hit.col, hit.row, updn, &rect, &point, processed);
        else
            frame_->OnTopHdgRightClick(hit.col, hit.row, updn, &rect, &point, processed);
        break;
    case UGButton::Double:
        if (titlesRows_)
            frame_->OnSideHdgDoubleClick(hit.col, hit.row, &rect, &point, processed);
        else
            frame_->OnTopHdgDoubleClick(hit.col, hit.row, &rect, &point, processed);
        break;
    }
}

void CUGHeading::OnMouseMove(UINT flags, CPoint point) {
    if (sizingActive_) {
        SizeWhileDragging(point);
        return;
    }
    if (!(flags & MK_LBUTTON))
        TestSizingEdges(point);
}

void CUGHeading::OnLButtonDown(UINT, CPoint point) {
    GiveGridFocus();
    SetCapture();
    if (sizingArmed_) {
        sizingActive_ = true;
        return;
    }
    gridInfo_->lastInputKind = UG_INPUT_HEADING;
    Hit hit = HitTest(point);
    if (hit.onCell)
        OnTitlePressed(hit.col, hit.row);
    PassClick(hit, UGButton::Left, 1, point);
    gridInfo_->lastInputKind = UG_INPUT_KEYBOARD;
}

void CUGHeading::OnLButtonUp(UINT, CPoint point) {
    if (sizingActive_)
        EndSizing();
    else
        PassClick(HitTest(point), UGButton::Left, 0, point);
    OnLeftReleased();
    if (GetCapture() == this)
        ReleaseCapture();
}

void CUGHeading::OnLButtonDblClk(UINT, CPoint point) {
    PassClick(HitTest(point), UGButton::Double, 0, point);
}

void CUGHeading::OnRButtonDown(UINT, CPoint point) {
    GiveGridFocus();
    Hit hit = HitTest(point);
    PassClick(hit, UGButton::Right, 1, point);
    if (gridInfo_->popupMenuEnabled) {
        CPoint screen = point;
        ClientToScreen(&screen);
        frame_->StartMenu(hit.col, hit.row, &screen, Section());
    }
}

void CUGHeading::OnRButtonUp(UINT, CPoint point) {
    PassClick(HitTest(point), UGButton::Right, 0, point);
}
