#include <afxwin.h>

#include <algorithm>
#include <cwctype>

#include "ControlPaint.h"
#include "FontFace.h"

namespace {

constexpr int kMargin = 2;

bool IsWordChar(wchar_t c) {
    return c > L' ';
}

} // namespace

BOOL CEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CreateEx(0, L"EDIT", L"", style | WS_CHILD, rect, parent, id);
}

std::wstring CEdit::Text() const {
    CString t = GetWindowText();
    return std::wstring(static_cast<LPCTSTR>(t), static_cast<std::size_t>(t.GetLength()));
}

// ---- layout ----

const CEdit::Layout& CEdit::CurrentLayout() const {
    const ui::FontFace* face = m_hWnd ? &ui::FaceOf(ui::ControlFont(this)) : nullptr;
    const DWORD style = GetStyle() & (ES_MULTILINE | ES_PASSWORD);
    Layout& layout = layout_;
    if (layout.valid && layout.face == face && layout.style == style &&
        static_cast<int>(layout.text.size()) == GetWindowTextLength())
        return layout;
    layout = Layout{true, face, style, Text(), {0}, 13, {}};
    if (style & ES_MULTILINE)
        for (std::size_t i = 0; i < layout.text.size(); ++i)
            if (layout.text[i] == L'\n')
                layout.starts.push_back(static_cast<int>(i + 1));
    layout.widths.resize(layout.starts.size());
    if (face)
        layout.lineHeight = std::max<int>(1, face->Metrics().tmHeight);
    return layout;
}

int CEdit::PrefixWidth(int line, int count) const {
    const Layout& layout = CurrentLayout();
    if (count <= 0 || !layout.face || line < 0 || line >= static_cast<int>(layout.starts.size()))
        return 0;
    std::vector<int>& widths = layout_.widths[static_cast<std::size_t>(line)];
    if (widths.empty()) {
        const std::size_t start =
            static_cast<std::size_t>(layout.starts[static_cast<std::size_t>(line)]);
        const std::size_t next =
            line + 1 < static_cast<int>(layout.starts.size())
                ? static_cast<std::size_t>(layout.starts[static_cast<std::size_t>(line + 1)])
                : layout.text.size();
        std::wstring shown = layout.text.substr(start, next - start);
        if (layout.style & ES_PASSWORD)
            shown.assign(shown.size(), L'*');
        widths = layout.face->PrefixWidths(shown);
    }
    return widths[static_cast<std::size_t>(
        std::min<int>(count, static_cast<int>(widths.size()) - 1))];
}

// ---- lines and positions ----

const std::vector<int>& CEdit::LineStarts() const {
    return CurrentLayout().starts;
}

int CEdit::LineEnd(int line) const {
    const std::wstring& t = CurrentLayout().text;
    const std::vector<int>& starts = LineStarts();
    if (line < 0 || line >= static_cast<int>(starts.size()))
        return static_cast<int>(t.size());
    if (line + 1 < static_cast<int>(starts.size())) {
        int end = starts[static_cast<std::size_t>(line + 1)] - 1; // the '\n'
        if (end > starts[static_cast<std::size_t>(line)] &&
            t[static_cast<std::size_t>(end - 1)] == L'\r')
            --end;
        return end;
    }
    return static_cast<int>(t.size());
}

int CEdit::GetLineCount() const {
    return static_cast<int>(LineStarts().size());
}

int CEdit::LineFromChar(int index) const {
    if (index < 0)
        index = std::min(anchor_, caret_);
    const std::vector<int>& starts = LineStarts();
    auto it = std::upper_bound(starts.begin(), starts.end(), index);
    return static_cast<int>(it - starts.begin()) - 1;
}

int CEdit::LineIndex(int line) const {
    if (line < 0)
        line = LineFromChar(caret_);
    const std::vector<int>& starts = LineStarts();
    return line < static_cast<int>(starts.size()) ? starts[static_cast<std::size_t>(line)] : -1;
}

int CEdit::LineLength(int index) const {
    if (index < 0) {
        // The unselected characters of the lines the selection touches.
        int a = std::min(anchor_, caret_), b = std::max(anchor_, caret_);
        int la = LineFromChar(a), lb = LineFromChar(b);
        return (a - LineIndex(la)) + (LineEnd(lb) - b);
    }
    int line = LineFromChar(index);
    return LineEnd(line) - LineIndex(line);
}

int CEdit::PrevPos(int pos) const {
    const std::wstring& t = CurrentLayout().text;
    if (pos <= 0)
        return 0;
    if (pos >= 2 && t[static_cast<std::size_t>(pos - 1)] == L'\n' &&
        t[static_cast<std::size_t>(pos - 2)] == L'\r')
        return pos - 2;
    return pos - 1;
}

int CEdit::NextPos(int pos) const {
    const std::wstring& t = CurrentLayout().text;
    int n = static_cast<int>(t.size());
    if (pos >= n)
        return n;
    if (pos + 1 < n && t[static_cast<std::size_t>(pos)] == L'\r' &&
        t[static_cast<std::size_t>(pos + 1)] == L'\n')
        return pos + 2;
    return pos + 1;
}

// ---- measuring ----

int CEdit::TextWidth(const std::wstring& text) const {
    if (text.empty() || !m_hWnd)
        return 0;
    std::wstring shown = text;
    if (GetStyle() & ES_PASSWORD)
        shown.assign(text.size(), L'*');
    return ui::FaceOf(ui::ControlFont(this)).Width(shown);
}

int CEdit::LineHeight() const {
    return CurrentLayout().lineHeight;
}

CRect CEdit::FormatRect() const {
    CRect r;
    GetClientRect(&r);
    r.DeflateRect(kMargin, Multi() ? 0 : 1, kMargin, 0);
    return r;
}

CPoint CEdit::PosFromChar(UINT index) const {
    const int length = static_cast<int>(CurrentLayout().text.size());
    int pos = std::min(static_cast<int>(index), length);
    int line = LineFromChar(pos);
    CRect fr = FormatRect();
    int x = fr.left - xOffset_ + PrefixWidth(line, pos - LineIndex(line));
    int y = fr.top + (line - firstLine_) * LineHeight();
    return CPoint(x, y);
}

int CEdit::CharFromPos(CPoint point) const {
    CRect fr = FormatRect();
    int lines = GetLineCount();
    int line = firstLine_ + (point.y - fr.top) / std::max(1, LineHeight());
    if (point.y < fr.top)
        line = firstLine_ - 1;
    line = std::clamp(line, 0, lines - 1);
    int start = LineIndex(line), end = LineEnd(line);
    int x = point.x - fr.left + xOffset_;
    // The character whose middle lies past the point.
    int best = start, prevWidth = 0;
    for (int i = start; i < end; ++i) {
        int w = PrefixWidth(line, i + 1 - start);
        if (x < (prevWidth + w + 1) / 2)
            return best;
        best = i + 1;
        prevWidth = w;
    }
    return best;
}

// ---- selection ----

void CEdit::GetSel(int& start, int& end) const {
    start = std::min(anchor_, caret_);
    end = std::max(anchor_, caret_);
}

DWORD CEdit::GetSel() const {
    int s, e;
    GetSel(s, e);
    return static_cast<DWORD>(MAKELONG(s, e));
}

void CEdit::SetSel(int start, int end, BOOL noScroll) {
    int n = GetWindowTextLength();
    if (start < 0) {
        anchor_ = caret_; // deselect, the caret stays
    } else {
        if (end < 0 || end > n)
            end = n;
        anchor_ = std::min(start, n);
        caret_ = end;
    }
    desiredX_ = -1;
    if (!noScroll)
        ScrollCaretIntoView();
    Invalidate(FALSE);
}

void CEdit::MoveCaret(int to, bool extend) {
    caret_ = std::clamp(to, 0, GetWindowTextLength());
    if (!extend)
        anchor_ = caret_;
    ScrollCaretIntoView();
    Invalidate(FALSE);
}

void CEdit::ScrollCaretIntoView() {
    if (!m_hWnd)
        return;
    CRect fr = FormatRect();
    int line = LineFromChar(caret_);
    int visibleLines = std::max(1, fr.Height() / LineHeight());
    int oldFirst = firstLine_, oldOffset = xOffset_;
    if (Multi()) {
        if (line < firstLine_)
            firstLine_ = line;
        else if (line >= firstLine_ + visibleLines)
            firstLine_ = line - visibleLines + 1;
    }
    int x = PrefixWidth(line, caret_ - LineIndex(line));
    int width = fr.Width();
    if (x - xOffset_ > width - 1)
        xOffset_ = x - width * 2 / 3;
    else if (x < xOffset_)
        xOffset_ = std::max(0, x - width / 3);
    if (oldFirst != firstLine_ || oldOffset != xOffset_) {
        Invalidate(FALSE);
        if (oldFirst != firstLine_)
            Notify(EN_VSCROLL);
        if (oldOffset != xOffset_)
            Notify(EN_HSCROLL);
    }
}

// ---- editing ----

void CEdit::Notify(UINT code) {
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), code),
                            reinterpret_cast<LPARAM>(this));
}

bool CEdit::Edit(int start, int end, std::wstring insert, bool userInput) {
    std::wstring t = Text();
    start = std::clamp(start, 0, static_cast<int>(t.size()));
    end = std::clamp(end, start, static_cast<int>(t.size()));
    if (!Multi()) {
        // One line keeps the text up to the first line break.
        std::size_t cut = insert.find_first_of(L"\r\n");
        if (cut != std::wstring::npos)
            insert.resize(cut);
    }
    DWORD style = GetStyle();
    for (wchar_t& c : insert) {
        if (style & ES_UPPERCASE)
            c = static_cast<wchar_t>(std::towupper(c));
        else if (style & ES_LOWERCASE)
            c = static_cast<wchar_t>(std::towlower(c));
    }
    std::size_t room =
        static_cast<std::size_t>(limit_) > t.size() - static_cast<std::size_t>(end - start)
            ? limit_ - (t.size() - static_cast<std::size_t>(end - start))
            : 0;
    bool full = insert.size() > room;
    if (full)
        insert.resize(room);
    std::wstring next = t.substr(0, static_cast<std::size_t>(start)) + insert +
                        t.substr(static_cast<std::size_t>(end));
    if (userInput && !Multi() && !(style & ES_AUTOHSCROLL) &&
        TextWidth(next) > FormatRect().Width() && next.size() > t.size()) {
        // Without horizontal scrolling a line holds only what fits.
        Notify(EN_MAXTEXT);
        MessageBeep(0);
        return false;
    }
    if (full)
        Notify(EN_MAXTEXT);
    if (next == t && insert.empty() && start == end)
        return !full;
    CWnd::WindowProc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(next.c_str()));
    layout_.valid = false;
    anchor_ = caret_ = start + static_cast<int>(insert.size());
    modified_ = true;
    desiredX_ = -1;
    ScrollCaretIntoView();
    Notify(EN_UPDATE);
    Invalidate(FALSE);
    UpdateWindow();
    Notify(EN_CHANGE);
    return !full;
}

void CEdit::ReplaceSel(LPCTSTR text, BOOL) {
    int s, e;
    GetSel(s, e);
    Edit(s, e, text ? text : L"", false);
}

BOOL CEdit::SetReadOnly(BOOL readOnly) {
    ModifyStyle(readOnly ? 0 : ES_READONLY, readOnly ? ES_READONLY : 0);
    Invalidate(FALSE);
    return TRUE;
}

LRESULT CEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE || message == WM_NCDESTROY)
        layout_.valid = false; // a window made again may hold another text of the same length
    switch (message) {
    case WM_SETTEXT: {
        LRESULT r = CWnd::WindowProc(message, wParam, lParam);
        layout_.valid = false;
        anchor_ = caret_ = 0;
        firstLine_ = xOffset_ = 0;
        modified_ = false;
        Notify(EN_UPDATE);
        Invalidate(FALSE);
        Notify(EN_CHANGE);
        return r;
    }
    case EM_GETSEL: {
        int s, e;
        GetSel(s, e);
        if (wParam)
            *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(s);
        if (lParam)
            *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(e);
        return MAKELRESULT(s, e);
    }
    case EM_SETSEL:
        SetSel(static_cast<int>(wParam), static_cast<int>(lParam), TRUE);
        return 0;
    case EM_SCROLLCARET:
        ScrollCaretIntoView();
        return TRUE;
    case EM_REPLACESEL:
        ReplaceSel(reinterpret_cast<LPCTSTR>(lParam), static_cast<BOOL>(wParam));
        return 0;
    case EM_LIMITTEXT:
        limit_ = wParam ? static_cast<UINT>(wParam) : 0x7FFFFFFE;
        return 0;
    case EM_GETLIMITTEXT:
        return limit_;
    case EM_GETLINECOUNT:
        return GetLineCount();
    case EM_LINEINDEX:
        return LineIndex(static_cast<int>(wParam));
    case EM_LINELENGTH:
        return LineLength(static_cast<int>(wParam));
    case EM_LINEFROMCHAR:
        return LineFromChar(static_cast<int>(wParam));
    case EM_GETFIRSTVISIBLELINE:
        return firstLine_;
    case EM_SETREADONLY:
        return SetReadOnly(static_cast<BOOL>(wParam));
    case EM_GETMODIFY:
        return modified_;
    case EM_SETMODIFY:
        modified_ = wParam != 0;
        return 0;
    case EM_POSFROMCHAR: {
        CPoint p = PosFromChar(static_cast<UINT>(wParam));
        return MAKELRESULT(p.x, p.y);
    }
    case EM_CHARFROMPOS:
        return CharFromPos(CPoint(lParam));
    case EM_GETRECT:
        if (lParam)
            *reinterpret_cast<RECT*>(lParam) = FormatRect();
        return 0;
    case WM_CLEAR:
        if (!(GetStyle() & ES_READONLY) && anchor_ != caret_) {
            int s, e;
            GetSel(s, e);
            Edit(s, e, L"", false);
        }
        return 0;
    case WM_COPY:
    case WM_CUT: {
        int s, e;
        GetSel(s, e);
        if (s == e || (GetStyle() & ES_PASSWORD))
            return 0;
        std::wstring part =
            Text().substr(static_cast<std::size_t>(s), static_cast<std::size_t>(e - s));
        if (OpenClipboard(this)) {
            EmptyClipboard();
            HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (part.size() + 1) * sizeof(wchar_t));
            auto* p = static_cast<wchar_t*>(GlobalLock(block));
            std::copy(part.begin(), part.end(), p);
            GlobalUnlock(block);
            SetClipboardData(CF_UNICODETEXT, block);
            CloseClipboard();
        }
        if (message == WM_CUT && !(GetStyle() & ES_READONLY))
            Edit(s, e, L"", false);
        return 0;
    }
    case WM_PASTE: {
        if (GetStyle() & ES_READONLY)
            return 0;
        std::wstring text;
        if (OpenClipboard(this)) {
            if (HANDLE block = GetClipboardData(CF_UNICODETEXT)) {
                text = static_cast<const wchar_t*>(GlobalLock(block));
                GlobalUnlock(block);
            }
            CloseClipboard();
        }
        if (!text.empty()) {
            int s, e;
            GetSel(s, e);
            Edit(s, e, text, true);
        }
        return 0;
    }
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

// ---- input ----

void CEdit::OnKeyDown(UINT key, UINT, UINT) {
    bool shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0;
    std::wstring t = Text();
    int n = static_cast<int>(t.size());
    int s, e;
    GetSel(s, e);
    auto wordLeft = [&](int p) {
        while (p > 0 && !IsWordChar(t[static_cast<std::size_t>(p - 1)]))
            --p;
        while (p > 0 && IsWordChar(t[static_cast<std::size_t>(p - 1)]))
            --p;
        return p;
    };
    auto wordRight = [&](int p) {
        while (p < n && IsWordChar(t[static_cast<std::size_t>(p)]))
            ++p;
        while (p < n && !IsWordChar(t[static_cast<std::size_t>(p)]))
            ++p;
        return p;
    };
    switch (key) {
    case VK_LEFT:
        if (!shift && s != e)
            MoveCaret(s, false);
        else
            MoveCaret(ctrl ? wordLeft(caret_) : PrevPos(caret_), shift);
        desiredX_ = -1;
        break;
    case VK_RIGHT:
        if (!shift && s != e)
            MoveCaret(e, false);
        else
            MoveCaret(ctrl ? wordRight(caret_) : NextPos(caret_), shift);
        desiredX_ = -1;
        break;
    case VK_HOME:
        MoveCaret(ctrl ? 0 : LineIndex(LineFromChar(caret_)), shift);
        desiredX_ = -1;
        break;
    case VK_END:
        MoveCaret(ctrl ? n : LineEnd(LineFromChar(caret_)), shift);
        desiredX_ = -1;
        break;
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT: {
        if (!Multi())
            break;
        int line = LineFromChar(caret_);
        int page = std::max(1, FormatRect().Height() / LineHeight());
        int step = key == VK_UP ? -1 : key == VK_DOWN ? 1 : key == VK_PRIOR ? -page : page;
        int target = std::clamp(line + step, 0, GetLineCount() - 1);
        CPoint at = PosFromChar(static_cast<UINT>(caret_));
        if (desiredX_ < 0)
            desiredX_ = at.x + xOffset_;
        int keepX = desiredX_;
        CRect fr = FormatRect();
        int pos =
            CharFromPos(CPoint(keepX - xOffset_, fr.top + (target - firstLine_) * LineHeight()));
        if (target < firstLine_ || target >= firstLine_ + page) {
            // The wanted line is out of view: measure on it directly.
            int old = firstLine_;
            firstLine_ = target;
            pos = CharFromPos(CPoint(keepX - xOffset_, fr.top));
            firstLine_ = old;
        }
        MoveCaret(pos, shift);
        desiredX_ = keepX;
        break;
    }
    case VK_DELETE:
        if (GetStyle() & ES_READONLY)
            break;
        if (shift)
            SendMessage(WM_CUT);
        else if (s != e)
            Edit(s, e, L"", true);
        else if (caret_ < n)
            Edit(caret_, NextPos(caret_), L"", true);
        break;
    case VK_INSERT:
        if (ctrl)
            SendMessage(WM_COPY);
        else if (shift)
            SendMessage(WM_PASTE);
        break;
    default:
        break;
    }
}

void CEdit::OnChar(UINT key, UINT, UINT) {
    wchar_t c = static_cast<wchar_t>(key);
    int s, e;
    GetSel(s, e);
    switch (c) {
    case 3: // Ctrl+C
        SendMessage(WM_COPY);
        return;
    case 24: // Ctrl+X
        SendMessage(WM_CUT);
        return;
    case 22: // Ctrl+V
        SendMessage(WM_PASTE);
        return;
    case 1: // Ctrl+A
        SetSel(0, -1);
        return;
    default:
        break;
    }
    if (GetStyle() & ES_READONLY) {
        MessageBeep(0);
        return;
    }
    if (c == 8) {
        if (s != e)
            Edit(s, e, L"", true);
        else if (caret_ > 0)
            Edit(PrevPos(caret_), caret_, L"", true);
        return;
    }
    if (c == L'\r') {
        if (Multi())
            Edit(s, e, L"\r\n", true);
        return;
    }
    if (c == L'\t') {
        if (Multi())
            Edit(s, e, L"\t", true);
        return;
    }
    if (c < L' ' || c == 0x7F)
        return;
    if ((GetStyle() & ES_NUMBER) && !(c >= L'0' && c <= L'9')) {
        MessageBeep(0);
        return;
    }
    if (!Edit(s, e, std::wstring(1, c), true) && s == e)
        MessageBeep(0);
}

void CEdit::OnLButtonDown(UINT flags, CPoint point) {
    if (GetFocus() != this)
        SetFocus();
    SetCapture();
    selecting_ = true;
    MoveCaret(CharFromPos(point), (flags & MK_SHIFT) != 0);
    desiredX_ = -1;
}

void CEdit::OnLButtonDblClk(UINT, CPoint point) {
    std::wstring t = Text();
    int p = CharFromPos(point), n = static_cast<int>(t.size());
    int a = p, b = p;
    while (a > 0 && IsWordChar(t[static_cast<std::size_t>(a - 1)]))
        --a;
    while (b < n && IsWordChar(t[static_cast<std::size_t>(b)]))
        ++b;
    while (b < n && t[static_cast<std::size_t>(b)] == L' ')
        ++b;
    anchor_ = a;
    MoveCaret(b, true);
}

void CEdit::OnMouseMove(UINT, CPoint point) {
    if (selecting_ && GetCapture() == this)
        MoveCaret(CharFromPos(point), true);
}

void CEdit::OnLButtonUp(UINT, CPoint) {
    if (selecting_) {
        selecting_ = false;
        if (GetCapture() == this)
            ReleaseCapture();
    }
}

void CEdit::OnSetFocus(CWnd*) {
    Invalidate(FALSE);
    Notify(EN_SETFOCUS);
}

void CEdit::OnKillFocus(CWnd*) {
    selecting_ = false;
    Invalidate(FALSE);
    Notify(EN_KILLFOCUS);
}

BOOL CEdit::OnSetCursor(CWnd*, UINT, UINT) {
    ::SetCursor(LoadCursor(nullptr, IDC_IBEAM));
    return TRUE;
}

UINT CEdit::OnGetDlgCode() {
    UINT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    // In a dialog, Tab still moves on and Enter still presses the default button, unless
    // a multi-line edit asks for Enter itself (ES_WANTRETURN).
    const MSG* m = GetCurrentMessage();
    auto* asked = m ? reinterpret_cast<const MSG*>(m->lParam) : nullptr;
    if (Multi() && (GetStyle() & ES_WANTRETURN) && asked && asked->message == WM_KEYDOWN &&
        asked->wParam == VK_RETURN)
        code |= DLGC_WANTALLKEYS;
    return code;
}

void CEdit::OnEnable(BOOL) {
    Invalidate(FALSE);
}

void CEdit::OnSize(UINT, int, int) {
    ScrollCaretIntoView();
}

BOOL CEdit::OnEraseBkgnd(CDC*) {
    return TRUE; // painting covers everything
}

// ---- painting ----

void CEdit::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.SelectObject(ui::ControlFont(this));
    bool enabled = IsWindowEnabled(), readOnly = GetStyle() & ES_READONLY;
    // A read-only or disabled edit asks for the colours of a static, as on the desktop.
    UINT ask = (enabled && !readOnly) ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC;
    dc.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
    dc.SetBkColor(GetSysColor(ask == WM_CTLCOLOREDIT ? COLOR_WINDOW : COLOR_BTNFACE));
    HBRUSH brush = nullptr;
    if (CWnd* parent = GetParent())
        brush = reinterpret_cast<HBRUSH>(parent->SendMessage(ask, reinterpret_cast<WPARAM>(&dc),
                                                             reinterpret_cast<LPARAM>(this)));
    if (brush)
        dc.FillRect(&client, brush);
    else
        dc.FillSolidRect(&client, dc.GetBkColor());
    if (!enabled)
        dc.SetTextColor(GetSysColor(COLOR_GRAYTEXT));
    COLORREF text = dc.GetTextColor(), back = dc.GetBkColor();
    CRect fr = FormatRect();
    dc.IntersectClipRect(&fr);
    std::wstring t = Text();
    if (GetStyle() & ES_PASSWORD)
        std::fill(t.begin(), t.end(), L'*');
    bool focused = GetFocus() == this;
    bool showSel = focused || (GetStyle() & ES_NOHIDESEL);
    int s, e;
    GetSel(s, e);
    int lh = LineHeight();
    int lines = GetLineCount();
    DWORD align = GetStyle() & (ES_CENTER | ES_RIGHT);
    for (int line = firstLine_; line < lines; ++line) {
        int y = fr.top + (line - firstLine_) * lh;
        if (y >= fr.bottom)
            break;
        int a = LineIndex(line), b = LineEnd(line);
        int x = fr.left - xOffset_;
        if (align && !(GetStyle() & ES_AUTOHSCROLL)) {
            int w = PrefixWidth(line, b - a);
            x = (align & ES_RIGHT) ? fr.right - w : fr.left + (fr.Width() - w) / 2;
        }
        // Three runs: before, inside and after the selection.
        int runs[4] = {a, std::clamp(s, a, b), std::clamp(e, a, b), b};
        for (int r = 0; r < 3; ++r) {
            if (runs[r + 1] <= runs[r])
                continue;
            std::wstring part = t.substr(static_cast<std::size_t>(runs[r]),
                                         static_cast<std::size_t>(runs[r + 1] - runs[r]));
            int px = x + PrefixWidth(line, runs[r] - a);
            bool selected = r == 1 && showSel;
            dc.SetTextColor(selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : text);
            dc.SetBkColor(selected ? GetSysColor(COLOR_HIGHLIGHT) : back);
            dc.SetBkMode(selected ? OPAQUE : TRANSPARENT);
            dc.TextOut(px, y, part.c_str(), static_cast<int>(part.size()));
        }
        // A selected line break shows as a small block, as the desktop does.
        if (showSel && s <= b && e > b && line + 1 < lines)
            dc.FillSolidRect(x + PrefixWidth(line, b - a), y, 3, lh, GetSysColor(COLOR_HIGHLIGHT));
    }
    if (focused && s == e) {
        CPoint at = PosFromChar(static_cast<UINT>(caret_));
        if (align && !(GetStyle() & ES_AUTOHSCROLL) && !Multi()) {
            int w = PrefixWidth(0, static_cast<int>(t.size()));
            int x0 = (align & ES_RIGHT) ? fr.right - w : fr.left + (fr.Width() - w) / 2;
            at.x += x0 - fr.left;
        }
        CRect caret(at.x, at.y, at.x + 1, at.y + lh);
        dc.InvertRect(&caret);
    }
}
