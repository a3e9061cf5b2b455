#include <afxwin.h>

#include <algorithm>

#include "AsciiCase.h"
#include "ControlPaint.h"

namespace {
constexpr int kTextIndent = 2;

bool StartsWithNoCase(const CString& text, LPCTSTR prefix) {
    for (int i = 0; prefix[i]; ++i)
        if (i >= text.GetLength() || crt::ToLowerAZ(text[i]) != crt::ToLowerAZ(prefix[i]))
            return false;
    return true;
}
} // namespace

CListBox::CListBox() = default;

CListBox::~CListBox() {
    if (m_hWnd)
        DestroyWindow();
}

BOOL CListBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CreateEx(0, L"LISTBOX", L"", style | WS_CHILD, rect, parent, id);
}

int CListBox::OnCreate(LPCREATESTRUCT cs) {
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    if (GetStyle() & WS_VSCROLL) {
        bar_ = std::make_unique<CScrollBar>();
        CRect client;
        GetClientRect(&client);
        int w = GetSystemMetrics(SM_CXVSCROLL);
        bar_->Create(SBS_VERT, CRect(client.right - w, 0, client.right, client.bottom), this,
                     0xFFFE);
        UpdateScrollBar();
    }
    return 0;
}

// ---- items ----

int CListBox::AddString(LPCTSTR text) {
    int at = GetCount();
    if (GetStyle() & LBS_SORT) {
        CString t = text ? text : L"";
        at = 0;
        while (at < GetCount() && _wcsicmp(items_[static_cast<std::size_t>(at)].text, t) <= 0)
            ++at;
    }
    return InsertString(at, text);
}

int CListBox::InsertString(int index, LPCTSTR text) {
    if (index < 0 || index > GetCount())
        index = GetCount();
    items_.insert(items_.begin() + index, Item{text ? text : L"", 0});
    if (selected_ >= index)
        ++selected_;
    UpdateScrollBar();
    Invalidate(FALSE);
    return index;
}

int CListBox::DeleteString(UINT index) {
    if (index >= items_.size())
        return LB_ERR;
    items_.erase(items_.begin() + static_cast<long>(index));
    if (selected_ == static_cast<int>(index))
        selected_ = LB_ERR;
    else if (selected_ > static_cast<int>(index))
        --selected_;
    top_ = std::clamp(top_, 0, std::max(0, GetCount() - VisibleCount()));
    UpdateScrollBar();
    Invalidate(FALSE);
    return GetCount();
}

void CListBox::ResetContent() {
    items_.clear();
    selected_ = LB_ERR;
    top_ = 0;
    UpdateScrollBar();
    Invalidate(FALSE);
}

int CListBox::GetText(int index, CString& text) const {
    if (index < 0 || index >= GetCount())
        return LB_ERR;
    text = items_[static_cast<std::size_t>(index)].text;
    return text.GetLength();
}

int CListBox::GetTextLen(int index) const {
    return index < 0 || index >= GetCount()
               ? LB_ERR
               : items_[static_cast<std::size_t>(index)].text.GetLength();
}

DWORD_PTR CListBox::GetItemData(int index) const {
    return index < 0 || index >= GetCount() ? static_cast<DWORD_PTR>(LB_ERR)
                                            : items_[static_cast<std::size_t>(index)].data;
}

int CListBox::SetItemData(int index, DWORD_PTR data) {
    if (index < 0 || index >= GetCount())
        return LB_ERR;
    items_[static_cast<std::size_t>(index)].data = data;
    return LB_OKAY;
}

int CListBox::FindString(int startAfter, LPCTSTR prefix) const {
    int n = GetCount();
    if (!prefix || n == 0)
        return LB_ERR;
    for (int k = 1; k <= n; ++k) {
        int i = ((startAfter < 0 ? -1 : startAfter) + k) % n;
        if (StartsWithNoCase(items_[static_cast<std::size_t>(i)].text, prefix))
            return i;
    }
    return LB_ERR;
}

int CListBox::FindStringExact(int startAfter, LPCTSTR text) const {
    int n = GetCount();
    if (!text || n == 0)
        return LB_ERR;
    for (int k = 1; k <= n; ++k) {
        int i = ((startAfter < 0 ? -1 : startAfter) + k) % n;
        if (_wcsicmp(items_[static_cast<std::size_t>(i)].text, text) == 0)
            return i;
    }
    return LB_ERR;
}

int CListBox::SelectString(int startAfter, LPCTSTR prefix) {
    int i = FindString(startAfter, prefix);
    if (i != LB_ERR)
        SetCurSel(i);
    return i;
}

// ---- geometry ----

int CListBox::GetItemHeight(int) const {
    if (itemHeight_ > 0)
        return itemHeight_;
    if (!m_hWnd)
        return 13;
    CClientDC dc(const_cast<CListBox*>(this));
    dc.SelectObject(ui::ControlFont(this));
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    return std::max<int>(1, tm.tmHeight);
}

int CListBox::SetItemHeight(int, UINT height) {
    if (height == 0 || height > 255)
        return LB_ERR;
    itemHeight_ = static_cast<int>(height);
    UpdateScrollBar();
    Invalidate(FALSE);
    return LB_OKAY;
}

int CListBox::VisibleCount() const {
    CRect client;
    GetClientRect(&client);
    return std::max(1, client.Height() / GetItemHeight());
}

int CListBox::ItemAreaWidth() const {
    CRect client;
    GetClientRect(&client);
    int w = client.Width();
    if (bar_ && bar_->IsWindowVisible())
        w -= GetSystemMetrics(SM_CXVSCROLL);
    return std::max(0, w);
}

int CListBox::GetItemRect(int index, LPRECT rect) const {
    if (index < 0 || index >= std::max(1, GetCount()) || !rect)
        return LB_ERR;
    int h = GetItemHeight();
    *rect = CRect(0, (index - top_) * h, ItemAreaWidth(), (index - top_ + 1) * h);
    return LB_OKAY;
}

int CListBox::ItemFromPoint(CPoint point) const {
    CRect client;
    GetClientRect(&client);
    if (point.x < 0 || point.x >= ItemAreaWidth() || point.y < 0 || point.y >= client.Height())
        return LB_ERR;
    int i = top_ + point.y / GetItemHeight();
    return i < GetCount() ? i : LB_ERR;
}

void CListBox::UpdateScrollBar() {
    if (!bar_ || !bar_->m_hWnd)
        return;
    CRect client;
    GetClientRect(&client);
    int w = GetSystemMetrics(SM_CXVSCROLL);
    bar_->MoveWindow(client.right - w, 0, w, client.Height(), FALSE);
    bool overflow = GetCount() > VisibleCount();
    SCROLLINFO si{sizeof(SCROLLINFO),
                  SIF_ALL,
                  0,
                  std::max(0, GetCount() - 1),
                  static_cast<UINT>(VisibleCount()),
                  top_,
                  0};
    bar_->SetScrollInfo(&si, TRUE);
    if (overflow != (bar_->IsWindowVisible() != 0)) {
        bar_->ShowWindow(overflow ? SW_SHOWNOACTIVATE : SW_HIDE);
        Invalidate(FALSE);
    }
}

int CListBox::SetTopIndex(int index) {
    if (index < 0 || (index >= GetCount() && GetCount() > 0))
        return LB_ERR;
    int top = std::clamp(index, 0, std::max(0, GetCount() - VisibleCount()));
    if (top != top_) {
        top_ = top;
        UpdateScrollBar();
        Invalidate(FALSE);
    }
    return LB_OKAY;
}

void CListBox::EnsureVisible(int index) {
    if (index < 0)
        return;
    if (index < top_)
        SetTopIndex(index);
    else if (index >= top_ + VisibleCount())
        SetTopIndex(index - VisibleCount() + 1);
}

void CListBox::OnSize(UINT, int, int) {
    UpdateScrollBar();
}

// ---- selection ----

void CListBox::Notify(UINT code) {
    if (!(GetStyle() & LBS_NOTIFY) && code != LBN_SETFOCUS && code != LBN_KILLFOCUS)
        return;
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), code),
                            reinterpret_cast<LPARAM>(this));
}

void CListBox::Select(int index, bool notify) {
    if (index >= GetCount())
        index = GetCount() - 1;
    if (index < 0 && index != LB_ERR)
        index = LB_ERR;
    bool changed = index != selected_;
    selected_ = index;
    EnsureVisible(index);
    if (changed)
        Invalidate(FALSE);
    if (notify && changed)
        Notify(LBN_SELCHANGE);
}

int CListBox::SetCurSel(int index) {
    if (index < -1 || index >= GetCount())
        return LB_ERR;
    Select(index, false);
    return index < 0 ? LB_ERR : index;
}

// ---- messages ----

LRESULT CListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    auto text = reinterpret_cast<LPCTSTR>(lParam);
    int index = static_cast<int>(wParam);
    switch (message) {
    case LB_ADDSTRING:
        return AddString(text);
    case LB_INSERTSTRING:
        return InsertString(index, text);
    case LB_DELETESTRING:
        return DeleteString(static_cast<UINT>(wParam));
    case LB_RESETCONTENT:
        ResetContent();
        return 0;
    case LB_GETCOUNT:
        return GetCount();
    case LB_GETCURSEL:
        return selected_;
    case LB_SETCURSEL:
        return SetCurSel(index);
    case LB_GETTEXT: {
        CString t;
        int n = GetText(index, t);
        if (n != LB_ERR && lParam)
            std::copy(static_cast<LPCTSTR>(t), static_cast<LPCTSTR>(t) + n + 1,
                      reinterpret_cast<LPTSTR>(lParam));
        return n;
    }
    case LB_GETTEXTLEN:
        return GetTextLen(index);
    case LB_FINDSTRING:
        return FindString(index, text);
    case LB_FINDSTRINGEXACT:
        return FindStringExact(index, text);
    case LB_SELECTSTRING:
        return SelectString(index, text);
    case LB_GETTOPINDEX:
        return top_;
    case LB_SETTOPINDEX:
        return SetTopIndex(index);
    case LB_GETITEMHEIGHT:
        return GetItemHeight(index);
    case LB_SETITEMHEIGHT:
        return SetItemHeight(index, static_cast<UINT>(lParam));
    case LB_GETITEMRECT:
        return GetItemRect(index, reinterpret_cast<LPRECT>(lParam));
    case LB_GETITEMDATA:
        return static_cast<LRESULT>(GetItemData(index));
    case LB_SETITEMDATA:
        return SetItemData(index, static_cast<DWORD_PTR>(lParam));
    case LB_ITEMFROMPOINT: {
        int i = ItemFromPoint(CPoint(lParam));
        return i == LB_ERR ? MAKELRESULT(std::max(0, GetCount() - 1), 1) : MAKELRESULT(i, 0);
    }
    case WM_SETFONT: {
        LRESULT r = CWnd::WindowProc(message, wParam, lParam);
        UpdateScrollBar();
        return r;
    }
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

// The list's scroll bar is its own child; input the list captured goes on to it when it
// lands there (a list that holds the capture still scrolls with its bar).
bool CListBox::ForwardToBar(UINT message, UINT flags, CPoint point) {
    if (!bar_ || !bar_->IsWindowVisible())
        return false;
    CRect bar;
    bar_->GetWindowRect(&bar);
    ScreenToClient(&bar);
    bool hadCapture = GetCapture() == this;
    if (message == WM_LBUTTONDOWN && !bar.PtInRect(point))
        return false;
    if (message != WM_LBUTTONDOWN && !barTracking_)
        return false;
    barTracking_ = message != WM_LBUTTONUP;
    CPoint at(point.x - bar.left, point.y - bar.top);
    bar_->SendMessage(message, flags, MAKELPARAM(at.x, at.y));
    if (!barTracking_ && hadCapture && GetCapture() != this)
        SetCapture();
    else if (barTracking_ && hadCapture)
        SetCapture(); // the list keeps the pointer; moves reach the bar through here
    return true;
}

void CListBox::OnLButtonDown(UINT flags, CPoint point) {
    if (ForwardToBar(WM_LBUTTONDOWN, flags, point))
        return;
    if (GetFocus() != this)
        SetFocus();
    int i = ItemFromPoint(point);
    if (i == LB_ERR)
        return;
    tracking_ = true;
    // A list that already holds the mouse (a drop-down list) keeps it after the release.
    tookCapture_ = GetCapture() != this;
    if (tookCapture_)
        SetCapture();
    Select(i, true);
}

void CListBox::OnMouseMove(UINT flags, CPoint point) {
    if (ForwardToBar(WM_MOUSEMOVE, flags, point) || !tracking_)
        return;
    CRect client;
    GetClientRect(&client);
    int y = std::clamp<int>(point.y, 0, client.Height() - 1);
    int i = top_ + y / GetItemHeight();
    if (point.y < 0)
        i = top_ - 1;
    else if (point.y >= client.Height())
        i = top_ + VisibleCount();
    if (GetCount() > 0)
        Select(std::clamp(i, 0, GetCount() - 1), true);
}

void CListBox::OnLButtonUp(UINT flags, CPoint point) {
    if (ForwardToBar(WM_LBUTTONUP, flags, point))
        return;
    if (tracking_) {
        tracking_ = false;
        if (tookCapture_ && GetCapture() == this)
            ReleaseCapture();
    }
}

void CListBox::OnLButtonDblClk(UINT flags, CPoint point) {
    if (ForwardToBar(WM_LBUTTONDOWN, flags, point))
        return;
    if (ItemFromPoint(point) != LB_ERR) {
        Select(ItemFromPoint(point), true);
        Notify(LBN_DBLCLK);
    }
}

BOOL CListBox::OnMouseWheel(UINT, short delta, CPoint) {
    SetTopIndex(std::max(0, top_ - delta / 120 * 3));
    return TRUE;
}

void CListBox::OnKeyDown(UINT key, UINT, UINT) {
    int n = GetCount();
    if (n == 0)
        return;
    int cur = selected_ < 0 ? -1 : selected_;
    int page = std::max(1, VisibleCount() - 1);
    int next = cur;
    switch (key) {
    case VK_UP:
    case VK_LEFT:
        next = cur < 0 ? 0 : cur - 1;
        break;
    case VK_DOWN:
    case VK_RIGHT:
        next = cur + 1;
        break;
    case VK_PRIOR:
        next = cur - page;
        break;
    case VK_NEXT:
        next = cur + page;
        break;
    case VK_HOME:
        next = 0;
        break;
    case VK_END:
        next = n - 1;
        break;
    default:
        return;
    }
    Select(std::clamp(next, 0, n - 1), true);
}

void CListBox::OnChar(UINT key, UINT, UINT) {
    if (key < L' ')
        return;
    wchar_t prefix[2] = {static_cast<wchar_t>(key), 0};
    int i = FindString(selected_, prefix);
    if (i != LB_ERR)
        Select(i, true);
}

void CListBox::OnVScroll(UINT code, UINT pos, CScrollBar*) {
    int page = std::max(1, VisibleCount() - 1);
    switch (code) {
    case SB_LINEUP:
        SetTopIndex(std::max(0, top_ - 1));
        break;
    case SB_LINEDOWN:
        SetTopIndex(std::min(GetCount() - 1, top_ + 1));
        break;
    case SB_PAGEUP:
        SetTopIndex(std::max(0, top_ - page));
        break;
    case SB_PAGEDOWN:
        SetTopIndex(std::min(GetCount() - 1, top_ + page));
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        SetTopIndex(static_cast<int>(pos));
        break;
    case SB_TOP:
        SetTopIndex(0);
        break;
    case SB_BOTTOM:
        SetTopIndex(std::max(0, GetCount() - 1));
        break;
    default:
        break;
    }
}

void CListBox::OnSetFocus(CWnd*) {
    Invalidate(FALSE);
    Notify(LBN_SETFOCUS);
}

void CListBox::OnKillFocus(CWnd*) {
    Invalidate(FALSE);
    Notify(LBN_KILLFOCUS);
}

UINT CListBox::OnGetDlgCode() {
    return DLGC_WANTARROWS | DLGC_WANTCHARS;
}

BOOL CListBox::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CListBox::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    client.right = client.left + ItemAreaWidth();
    dc.SelectObject(ui::ControlFont(this));
    dc.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
    dc.SetBkColor(GetSysColor(COLOR_WINDOW));
    HBRUSH brush = nullptr;
    if (CWnd* parent = GetParent())
        brush = reinterpret_cast<HBRUSH>(parent->SendMessage(
            WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(&dc), reinterpret_cast<LPARAM>(this)));
    if (brush)
        dc.FillRect(&client, brush);
    else
        dc.FillSolidRect(&client, GetSysColor(COLOR_WINDOW));
    if (!IsWindowEnabled())
        dc.SetTextColor(GetSysColor(COLOR_GRAYTEXT));
    COLORREF text = dc.GetTextColor(), back = dc.GetBkColor();
    bool focused = GetFocus() == this;
    int h = GetItemHeight();
    for (int i = top_; i < GetCount(); ++i) {
        CRect r;
        GetItemRect(i, &r);
        if (r.top >= client.bottom)
            break;
        bool selected = i == selected_;
        dc.SetTextColor(selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : text);
        dc.SetBkColor(selected ? GetSysColor(COLOR_HIGHLIGHT) : back);
        if (selected)
            dc.FillSolidRect(&r, GetSysColor(COLOR_HIGHLIGHT));
        const CString& t = items_[static_cast<std::size_t>(i)].text;
        dc.ExtTextOut(r.left + kTextIndent, r.top, ETO_CLIPPED, &r, t, nullptr);
        if (selected && focused)
            dc.DrawFocusRect(&r);
        (void)h;
    }
    if (focused && selected_ < 0 && GetCount() > 0) {
        CRect r;
        GetItemRect(top_, &r);
        dc.DrawFocusRect(&r);
    }
}
