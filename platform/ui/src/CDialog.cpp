#include <afxwin.h>

#include "AsciiCase.h"
#include "MessageQueue.h"
#include "Resources.h"
#include "WindowSystem.h"

using ui::WindowSystem;

namespace {

// The direct child of `dialog` that holds `w`, or null.
CWnd* ChildHolding(const CWnd* dialog, CWnd* w) {
    while (w && w->GetParent() != dialog)
        w = w->GetParent();
    return w;
}

std::unique_ptr<CWnd> MakeControl(const std::wstring& kind) {
    std::wstring k = crt::UpperAZ(kind);
    if (k == L"BUTTON")
        return std::make_unique<CButton>();
    if (k == L"STATIC")
        return std::make_unique<CStatic>();
    if (k == L"EDIT")
        return std::make_unique<CEdit>();
    if (k == L"LISTBOX")
        return std::make_unique<CListBox>();
    if (k == L"SCROLLBAR")
        return std::make_unique<CScrollBar>();
    return std::make_unique<CWnd>();
}

} // namespace

CDialog::CDialog(UINT templateId, CWnd* parent) : templateId_(templateId), parentWnd_(parent) {
    backgroundBrush_ = GetSysColorBrush(COLOR_BTNFACE);
}

CDialog::~CDialog() {
    if (m_hWnd)
        DestroyWindow();
}

void CDialog::SetTemplate(const ui::DialogTemplate& dialogTemplate) {
    ownTemplate_ = std::make_unique<ui::DialogTemplate>(dialogTemplate);
}

void CDialog::MapDialogRect(LPRECT rect) const {
    rect->left = MulDiv(rect->left, baseUnits_.cx, 4);
    rect->right = MulDiv(rect->right, baseUnits_.cx, 4);
    rect->top = MulDiv(rect->top, baseUnits_.cy, 8);
    rect->bottom = MulDiv(rect->bottom, baseUnits_.cy, 8);
}

BOOL CDialog::CreateFromTemplate(const ui::DialogTemplate& t, CWnd* owner) {
    lastFocus_ = nullptr;
    font_.DeleteObject();
    font_.CreateFont(-MulDiv(t.fontPoints > 0 ? t.fontPoints : 8, 96, 72), 0, 0, 0, FW_NORMAL, 0, 0,
                     0, DEFAULT_CHARSET, 0, 0, 0, 0,
                     t.fontName.empty() ? L"MS Shell Dlg" : t.fontName.c_str());
    // Dialog base units from the dialog font, as the desktop computes them.
    CDC measure;
    measure.CreateCompatibleDC(nullptr);
    measure.SelectObject(&font_);
    CSize alphabet =
        measure.GetTextExtent(CString(L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    TEXTMETRIC tm;
    measure.GetTextMetrics(&tm);
    baseUnits_ = t.pixels ? CSize(4, 8) : CSize((alphabet.cx / 26 + 1) / 2, tm.tmHeight);

    DWORD style = t.style & ~WS_VISIBLE;
    DWORD exStyle = (t.style & DS_MODALFRAME) ? WS_EX_DLGMODALFRAME : 0;
    CRect client(0, 0, t.cx, t.cy);
    MapDialogRect(&client);
    if (!(style & WS_CHILD))
        style |= WS_POPUP;
    if (!CreateEx(exStyle, L"#32770", t.caption.c_str(), style, client,
                  (style & WS_CHILD) ? parentWnd_ : owner, 0))
        return FALSE;
    // Grow the window by its frame so that the client area is the template's.
    CRect frame = WindowSystem::Insets(this);
    SetWindowPos(nullptr, 0, 0, client.Width() + frame.left + frame.right,
                 client.Height() + frame.top + frame.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CenterWindow(owner);
    SetFont(&font_, FALSE);
    defId_ = IDOK;
    for (const ui::DialogItem& item : t.items) {
        CRect r(item.x, item.y, item.x + item.cx, item.y + item.cy);
        MapDialogRect(&r);
        std::unique_ptr<CWnd> control = MakeControl(item.kind);
        if (!control->CreateEx(item.exStyle, item.kind.c_str(), item.text.c_str(),
                               item.style | WS_CHILD, r, this, static_cast<UINT>(item.id)))
            continue;
        control->SetFont(&font_, FALSE);
        if ((item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON && item.kind == L"BUTTON")
            defId_ = static_cast<UINT>(item.id);
        AdoptChild(this, std::move(control));
    }
    CWnd* first = FirstTabStop();
    focusOnInit_ = SendMessage(WM_INITDIALOG, reinterpret_cast<WPARAM>(first), 0) != 0;
    if (focusOnInit_ && m_hWnd) {
        if (CWnd* f = FirstTabStop())
            f->SetFocus();
    }
    return m_hWnd != nullptr;
}

CWnd* CDialog::FirstTabStop() const {
    return GetNextDlgTabItem(nullptr, FALSE);
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
    templateId_ = templateId;
    parentWnd_ = parent;
    const ui::DialogTemplate* t =
        ownTemplate_ ? ownTemplate_.get() : ui::FindDialogTemplate(templateId_);
    if (!t || !CreateFromTemplate(*t, parent))
        return FALSE;
    if (t->style & WS_VISIBLE)
        ShowWindow(SW_SHOW);
    return TRUE;
}

INT_PTR CDialog::DoModal() {
    const ui::DialogTemplate* t =
        ownTemplate_ ? ownTemplate_.get() : ui::FindDialogTemplate(templateId_);
    if (!t || m_hWnd)
        return -1;
    CWnd* owner =
        parentWnd_ && parentWnd_->m_hWnd ? parentWnd_->GetTopLevelParent() : ::GetActiveWindow();
    CWnd* oldFocus = ::GetFocus();
    result_ = -1;
    ended_ = false;
    if (!CreateFromTemplate(*t, owner))
        return -1;
    bool ownerEnabled = owner && owner->IsWindowEnabled();
    if (owner)
        owner->EnableWindow(FALSE);
    if (!ended_) {
        ShowWindow(SW_SHOW);
        RunModalLoop();
    }
    if (owner && ownerEnabled)
        owner->EnableWindow(TRUE);
    if (m_hWnd) {
        ShowWindow(SW_HIDE);
        DestroyWindow();
    }
    if (owner && IsWindow(owner))
        owner->SetActiveWindow();
    if (oldFocus && IsWindow(oldFocus))
        oldFocus->SetFocus();
    return result_;
}

int CDialog::RunModalLoop() {
    modalRunning_ = true;
    if (ui::RunModalLoop(this, [this] { return ended_ || !m_hWnd; }) != ui::LoopEnd::Done)
        result_ = -1;
    modalRunning_ = false;
    return result_;
}

void CDialog::EndDialog(int result) {
    result_ = result;
    ended_ = true;
    if (!modalRunning_ && m_hWnd && IsWindowVisible())
        ShowWindow(SW_HIDE); // a modeless dialog just disappears
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    return ::IsDialogMessage(this, msg);
}

BOOL CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_INITDIALOG) {
        *result = OnInitDialog();
        return TRUE;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, result);
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM) {
    UINT id = LOWORD(wParam);
    UINT code = HIWORD(wParam);
    if (code != BN_CLICKED)
        return FALSE;
    if (id == IDOK) {
        OnOK();
        return TRUE;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return TRUE;
    }
    return FALSE;
}

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        // The title bar's close asks the dialog to cancel, as Esc does.
        SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                    reinterpret_cast<LPARAM>(GetDlgItem(IDCANCEL)));
        return 0;
    case DM_GETDEFID:
        return MAKELRESULT(static_cast<int>(defId_), static_cast<int>(DC_HASDEFID));
    case DM_SETDEFID:
        SetDefID(static_cast<UINT>(wParam));
        return TRUE;
    case WM_CTLCOLORDLG: {
        LRESULT r = CWnd::DefWindowProc(message, wParam, lParam);
        return r;
    }
    case WM_SETFOCUS: {
        // The dialog hands the focus on to the control that had it last.
        CWnd* to = lastFocus_;
        if (!to || !IsWindow(to) || to->GetParent() != this || !to->IsWindowEnabled() ||
            !to->IsWindowVisible())
            to = FirstTabStop();
        if (to)
            to->SetFocus();
        return 0;
    }
    default:
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
}

void CDialog::SetDefID(UINT id) {
    defId_ = id;
    OnFocusMovedWithin(::GetFocus());
}

DWORD CDialog::GetDefID() const {
    return static_cast<DWORD>(MAKELRESULT(static_cast<int>(defId_), static_cast<int>(DC_HASDEFID)));
}

// A focused push button is the default one while it has the focus; elsewhere the dialog's
// default id shows the default look.
void CDialog::OnFocusMovedWithin(CWnd* focus) {
    CWnd* holder = ChildHolding(this, focus);
    if (holder)
        lastFocus_ = holder;
    bool focusIsPush = holder && (holder->SendMessage(WM_GETDLGCODE) &
                                  (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON));
    for (CWnd* c : Children()) {
        UINT code = static_cast<UINT>(c->SendMessage(WM_GETDLGCODE));
        if (!(code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
            continue;
        bool shouldBeDefault =
            focusIsPush ? c == holder : static_cast<UINT>(c->GetDlgCtrlID()) == defId_;
        bool isDefault = code & DLGC_DEFPUSHBUTTON;
        if (shouldBeDefault != isDefault)
            c->SendMessage(BM_SETSTYLE, shouldBeDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    }
}

void CDialog::NextDlgCtrl() {
    if (CWnd* next = GetNextDlgTabItem(ChildHolding(this, ::GetFocus()), FALSE))
        next->SetFocus();
}

void CDialog::PrevDlgCtrl() {
    if (CWnd* prev = GetNextDlgTabItem(ChildHolding(this, ::GetFocus()), TRUE))
        prev->SetFocus();
}

void CDialog::GotoDlgCtrl(CWnd* control) {
    if (control)
        control->SetFocus();
}

// ---- the dialog manager ----

BOOL IsDialogMessage(HWND dialog, LPMSG msg) {
    if (!dialog || !msg || !msg->hwnd || (msg->hwnd != dialog && !dialog->IsChild(msg->hwnd)))
        return FALSE;
    CWnd* target = msg->hwnd;
    switch (msg->message) {
    case WM_KEYDOWN: {
        UINT code = static_cast<UINT>(
            target->SendMessage(WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg)));
        if (code & DLGC_WANTALLKEYS)
            break;
        CWnd* holder = ChildHolding(dialog, target);
        switch (msg->wParam) {
        case VK_TAB: {
            if (code & DLGC_WANTTAB)
                break;
            bool back = GetKeyState(VK_SHIFT) < 0;
            if (CWnd* next = dialog->GetNextDlgTabItem(holder, back)) {
                next->SetFocus();
                // A control that keeps a selection comes in with all of its text selected.
                if (next->SendMessage(WM_GETDLGCODE) & DLGC_HASSETSEL)
                    next->SendMessage(EM_SETSEL, 0, -1);
            }
            return TRUE;
        }
        case VK_RETURN: {
            UINT id = LOWORD(static_cast<std::uintptr_t>(dialog->SendMessage(DM_GETDEFID)));
            if (holder &&
                (holder->SendMessage(WM_GETDLGCODE) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
                id = static_cast<UINT>(holder->GetDlgCtrlID());
            CWnd* button = dialog->GetDlgItem(static_cast<int>(id));
            if (button && (!button->IsWindowEnabled() || !button->IsWindowVisible())) {
                MessageBeep(0);
                return TRUE;
            }
            dialog->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<int>(id), BN_CLICKED),
                                reinterpret_cast<LPARAM>(button));
            return TRUE;
        }
        case VK_ESCAPE:
            dialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                                reinterpret_cast<LPARAM>(dialog->GetDlgItem(IDCANCEL)));
            return TRUE;
        default:
            break;
        }
        break;
    }
    case WM_CHAR:
    case WM_SYSCHAR: {
        UINT code = static_cast<UINT>(
            target->SendMessage(WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg)));
        if (msg->message == WM_CHAR && (code & (DLGC_WANTCHARS | DLGC_WANTALLKEYS)))
            break;
        wchar_t c = static_cast<wchar_t>(msg->wParam);
        if (c == L'\t' || c == L'\r' || c == 0x1B)
            return TRUE;
        wchar_t lower = crt::ToLowerAZ(c);
        const auto& kids = dialog->Children();
        for (std::size_t i = 0; i < kids.size(); ++i) {
            CWnd* k = kids[i];
            if (!k->IsWindowVisible() || !k->IsWindowEnabled() ||
                ui::MnemonicOf(k->GetWindowText()) != lower)
                continue;
            UINT kcode = static_cast<UINT>(k->SendMessage(WM_GETDLGCODE));
            if (kcode & DLGC_STATIC) {
                // A label's mnemonic moves to the next control that takes the focus.
                if (CWnd* next = dialog->GetNextDlgTabItem(k, FALSE))
                    next->SetFocus();
            } else if (kcode & DLGC_BUTTON) {
                k->SendMessage(BM_CLICK);
            } else
                k->SetFocus();
            return TRUE;
        }
        break;
    }
    default:
        break;
    }
    TranslateMessage(msg);
    DispatchMessage(msg);
    return TRUE;
}

// ---- data exchange ----

BOOL CWnd::UpdateData(BOOL saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return !dx.Failed();
}

void CWnd::DoDataExchange(CDataExchange*) {}

CWnd* CDataExchange::PrepareCtrl(int id) {
    CWnd* c = m_pDlgWnd ? m_pDlgWnd->GetDlgItem(id) : nullptr;
    if (!c)
        Fail();
    return c;
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    if (control.m_hWnd)
        return;
    CWnd* item = dx->PrepareCtrl(id);
    if (item)
        control.SubclassWindow(item);
}

void DDX_Text(CDataExchange* dx, int id, CString& value) {
    CWnd* c = dx->PrepareCtrl(id);
    if (!c)
        return;
    if (dx->m_bSaveAndValidate)
        c->GetWindowText(value);
    else
        c->SetWindowText(value);
}

void DDX_Text(CDataExchange* dx, int id, int& value) {
    CWnd* c = dx->PrepareCtrl(id);
    if (!c)
        return;
    if (dx->m_bSaveAndValidate) {
        BOOL ok = FALSE;
        int v = static_cast<int>(dx->m_pDlgWnd->GetDlgItemInt(id, &ok));
        if (!ok) {
            dx->Fail();
            return;
        }
        value = v;
    } else {
        dx->m_pDlgWnd->SetDlgItemInt(id, static_cast<UINT>(value));
    }
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
    CWnd* c = dx->PrepareCtrl(id);
    if (!c)
        return;
    if (dx->m_bSaveAndValidate)
        value = static_cast<int>(c->SendMessage(BM_GETCHECK));
    else
        c->SendMessage(BM_SETCHECK, static_cast<WPARAM>(value));
}
