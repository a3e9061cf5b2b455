#include "grid/CUGMaskedEdit.h"

#include <cwctype>

#include "grid/CUGCtrl.h"

namespace {
// Marks the positions of the other table: a literal in maskChars, an input in literals.
constexpr wchar_t kLiteralMark = 8;
} // namespace

CUGMaskedEdit::~CUGMaskedEdit() {
    if (m_hWnd)
        DestroyWindow();
}

BOOL CUGMaskedEdit::PreCreateWindow(CREATESTRUCT& cs) {
    cs.style |= ES_AUTOHSCROLL;
    return CEdit::PreCreateWindow(cs);
}

int CUGMaskedEdit::OnCreate(LPCREATESTRUCT cs) {
    if (CEdit::OnCreate(cs) == -1)
        return -1;
    frame_ = dynamic_cast<CUGCtrl*>(GetParent());
    return 0;
}

CUGCtrl* CUGMaskedEdit::Frame() {
    if (!frame_)
        frame_ = UGFrameOf(this);
    return frame_;
}

// ---- the mask ----

void CUGMaskedEdit::SetMask(LPCTSTR mask) {
    if (!mask || !*mask) {
        maskActive_ = 0;
        rawMask_.Empty();
        maskChars_.Empty();
        literals_.Empty();
        LimitText(0);
        return;
    }
    rawMask_ = mask;
    maskActive_ = 1;
    LimitText(rawMask_.GetLength());
    maskChars_.Empty();
    literals_.Empty();
    for (int i = 0; i < rawMask_.GetLength(); ++i) {
        wchar_t c = rawMask_[i];
        if (c == L'\\' && i + 1 < rawMask_.GetLength()) {
            maskChars_ += kLiteralMark;
            literals_ += rawMask_[++i];
        } else if (std::wcschr(maskCharSet_, c)) {
            maskChars_ += c;
            literals_ += kLiteralMark;
        } else {
            maskChars_ += kLiteralMark;
            literals_ += c;
        }
    }
    Reformat();
}

bool CUGMaskedEdit::IsLiteral(int position) const {
    return position >= 0 && position < maskChars_.GetLength() &&
           maskChars_[position] == kLiteralMark;
}

bool CUGMaskedEdit::Fits(wchar_t c, int position) const {
    if (position < 0 || position >= maskChars_.GetLength())
        return false;
    const wint_t w = static_cast<wint_t>(c);
    switch (maskChars_[position]) {
    case L'0':
        return std::iswdigit(w);
    case L'9':
        return std::iswdigit(w) || c == L' ';
    case L'#':
        return std::iswdigit(w) || c == L' ' || c == L'+' || c == L'-';
    case L'L':
        return std::iswalpha(w);
    case L'?':
        return std::iswalpha(w) || c == L' ';
    case L'A':
        return std::iswalnum(w);
    case L'a':
        return std::iswalnum(w) || c == L' ';
    case L'&':
    case L'C':
        return std::iswprint(w);
    default:
        return false;
    }
}

// The present text walked along the mask: literals where the mask has them, and for each
// input position the next old character that fits it.
void CUGMaskedEdit::Reformat() {
    if (!maskActive_ || busy_ || GetWindowTextLength() == 0)
        return;
    const CString old = GetWindowText();
    CString rebuilt;
    int from = 0;
    for (int p = 0; p < maskChars_.GetLength() && from < old.GetLength(); ++p) {
        if (IsLiteral(p)) {
            rebuilt += literals_[p];
            continue;
        }
        while (from < old.GetLength() && !Fits(old[from], p))
            ++from;
        if (from < old.GetLength())
            rebuilt += old[from++];
    }
    int start, end;
    GetSel(start, end);
    busy_ = 1;
    SetWindowText(rebuilt);
    busy_ = 0;
    SetSel(start, end);
}

// One typed character against the mask; a literal at the caret is typed first.
bool CUGMaskedEdit::MaskAccepts(wchar_t c) {
    if (!maskActive_ || !std::iswprint(static_cast<wint_t>(c)))
        return true;
    SendMessage(WM_CLEAR);
    int position, end;
    GetSel(position, end);
    if (position >= maskChars_.GetLength())
        return false;
    if (IsLiteral(position)) {
        busy_ = 1;
        SendMessage(WM_CHAR, literals_[position]);
        busy_ = 0;
        GetSel(position, end);
    }
    return Fits(c, position);
}

// ---- messages ----

void CUGMaskedEdit::OnSetFocus(CWnd* oldWnd) {
    CEdit::OnSetFocus(oldWnd);
    if (CUGCtrl* frame = Frame())
        SetMask(frame->editCell.GetMask());
    ending_.Clear();
    SendMessage(EM_SETSEL, 0, -1);
    SendMessage(EM_SCROLLCARET);
}

void CUGMaskedEdit::OnKillFocus(CWnd* newWnd) {
    CEdit::OnKillFocus(newWnd);
    CUGCtrl* frame = Frame();
    if (!frame || frame->editCtrl != this)
        return; // not the editor the frame is using
    ending_.FinishOnFocusLoss(frame, this, newWnd, true);
}

void CUGMaskedEdit::OnKeyDown(UINT key, UINT repeat, UINT flags) {
    if (!ending_.EndByKey(Frame(), key, true))
        CEdit::OnKeyDown(key, repeat, flags);
}

void CUGMaskedEdit::OnChar(UINT key, UINT repeat, UINT flags) {
    if (!busy_) {
        if (!MaskAccepts(static_cast<wchar_t>(key)))
            return;
        if (CUGCtrl* frame = Frame())
            if (!frame->OnEditKeyCheck(frame->GetCurrentCol(), frame->GetCurrentRow(), this, &key))
                return;
    }
    if (key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE)
        return;
    CEdit::OnChar(key, repeat, flags);
}

UINT CUGMaskedEdit::OnGetDlgCode() {
    return UGEditorDlgCode(CEdit::OnGetDlgCode());
}

int CUGMaskedEdit::OnMouseActivate(CWnd*, UINT, UINT) {
    return MA_ACTIVATE;
}
