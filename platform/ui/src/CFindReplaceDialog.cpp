#include <afxdlgs.h>

#include <algorithm>
#include <set>

namespace {

constexpr DWORD kDlgStyle = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kLabel = WS_CHILD | WS_VISIBLE | SS_LEFT;
constexpr DWORD kEdit = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL;
constexpr DWORD kCheck = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kPush = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kDefPush = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON;

using D = CFindReplaceDialog;

ui::DialogTemplate FindTemplate() {
    return ui::DialogTemplate{
        0,
        L"Find",
        0,
        0,
        236,
        62,
        kDlgStyle,
        L"MS Sans Serif",
        8,
        {
            {-1, L"STATIC", L"Fi&nd what:", 4, 8, 42, 8, kLabel},
            {D::kFindWhat, L"EDIT", L"", 47, 7, 128, 12, kEdit, WS_EX_CLIENTEDGE},
            {D::kWholeWord, L"BUTTON", L"Match &whole word only", 4, 26, 100, 12,
             kCheck | WS_GROUP},
            {D::kMatchCase, L"BUTTON", L"Match &case", 4, 42, 64, 12, kCheck},
            {D::kDirection, L"BUTTON", L"Direction", 107, 26, 68, 28,
             WS_CHILD | WS_VISIBLE | WS_GROUP | BS_GROUPBOX},
            {D::kUp, L"BUTTON", L"&Up", 111, 38, 25, 12,
             WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON},
            {D::kDown, L"BUTTON", L"&Down", 138, 38, 35, 12,
             WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON},
            {IDOK, L"BUTTON", L"&Find Next", 182, 5, 50, 14, kDefPush},
            {IDCANCEL, L"BUTTON", L"Cancel", 182, 23, 50, 14, kPush},
        }};
}

ui::DialogTemplate ReplaceTemplate() {
    return ui::DialogTemplate{
        0,
        L"Replace",
        0,
        0,
        230,
        94,
        kDlgStyle,
        L"MS Sans Serif",
        8,
        {
            {-1, L"STATIC", L"Fi&nd what:", 4, 9, 48, 8, kLabel},
            {D::kFindWhat, L"EDIT", L"", 54, 7, 114, 12, kEdit, WS_EX_CLIENTEDGE},
            {-1, L"STATIC", L"Re&place with:", 4, 26, 48, 8, kLabel},
            {D::kReplaceWith, L"EDIT", L"", 54, 24, 114, 12, kEdit, WS_EX_CLIENTEDGE},
            {D::kWholeWord, L"BUTTON", L"Match &whole word only", 5, 46, 104, 12,
             kCheck | WS_GROUP},
            {D::kMatchCase, L"BUTTON", L"Match &case", 5, 62, 59, 12, kCheck},
            {IDOK, L"BUTTON", L"&Find Next", 174, 4, 50, 14, kDefPush},
            {D::kReplace, L"BUTTON", L"&Replace", 174, 21, 50, 14, kPush},
            {D::kReplaceAll, L"BUTTON", L"Replace &All", 174, 38, 50, 14, kPush},
            {IDCANCEL, L"BUTTON", L"Cancel", 174, 55, 50, 14, kPush},
        }};
}

std::set<CFindReplaceDialog*>& Live() {
    static std::set<CFindReplaceDialog*> live;
    return live;
}

void CopyInto(wchar_t* buffer, std::size_t size, const CString& text) {
    std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(text.GetLength()), size - 1);
    std::copy(static_cast<LPCTSTR>(text), static_cast<LPCTSTR>(text) + n, buffer);
    buffer[n] = 0;
}

} // namespace

CFindReplaceDialog::CFindReplaceDialog() {
    m_fr.lStructSize = sizeof(FINDREPLACE);
    m_fr.Flags = FR_DOWN;
    m_fr.lpstrFindWhat = m_szFindWhat;
    m_fr.lpstrReplaceWith = m_szReplaceWith;
    m_fr.wFindWhatLen = static_cast<WORD>(std::size(m_szFindWhat));
    m_fr.wReplaceWithLen = static_cast<WORD>(std::size(m_szReplaceWith));
    Live().insert(this);
}

CFindReplaceDialog::~CFindReplaceDialog() {
    Live().erase(this);
}

CFindReplaceDialog* CFindReplaceDialog::GetNotifier(LPARAM lParam) {
    auto* fr = reinterpret_cast<FINDREPLACE*>(lParam);
    for (CFindReplaceDialog* d : Live())
        if (&d->m_fr == fr)
            return d;
    return nullptr;
}

BOOL CFindReplaceDialog::Create(BOOL findDialogOnly, LPCTSTR findWhat, LPCTSTR replaceWith,
                                DWORD flags, CWnd* parent) {
    findOnly_ = findDialogOnly != 0;
    m_fr.Flags = flags;
    CopyInto(m_szFindWhat, std::size(m_szFindWhat), findWhat ? findWhat : L"");
    CopyInto(m_szReplaceWith, std::size(m_szReplaceWith), replaceWith ? replaceWith : L"");
    CWnd* owner = parent ? parent : ::GetActiveWindow();
    m_fr.hwndOwner = owner;
    SetTemplate(findOnly_ ? FindTemplate() : ReplaceTemplate());
    if (!CDialog::Create(0, owner))
        return FALSE;
    CenterWindow(owner ? owner->GetTopLevelParent() : nullptr);
    ShowWindow(SW_SHOW);
    return TRUE;
}

BOOL CFindReplaceDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDlgItemText(kFindWhat, m_szFindWhat);
    if (!findOnly_)
        SetDlgItemText(kReplaceWith, m_szReplaceWith);
    CheckDlgButton(kWholeWord, (m_fr.Flags & FR_WHOLEWORD) ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(kMatchCase, (m_fr.Flags & FR_MATCHCASE) ? BST_CHECKED : BST_UNCHECKED);
    if (findOnly_) {
        CheckDlgButton(kUp, (m_fr.Flags & FR_DOWN) ? BST_UNCHECKED : BST_CHECKED);
        CheckDlgButton(kDown, (m_fr.Flags & FR_DOWN) ? BST_CHECKED : BST_UNCHECKED);
        bool noUpDown = m_fr.Flags & (FR_NOUPDOWN | FR_HIDEUPDOWN);
        for (int id : {static_cast<int>(kUp), static_cast<int>(kDown)})
            if (CWnd* w = GetDlgItem(id)) {
                if (m_fr.Flags & FR_HIDEUPDOWN)
                    w->ShowWindow(SW_HIDE);
                else
                    w->EnableWindow(!noUpDown);
            }
    }
    if (CWnd* w = GetDlgItem(kWholeWord); w && (m_fr.Flags & (FR_NOWHOLEWORD | FR_HIDEWHOLEWORD)))
        (m_fr.Flags & FR_HIDEWHOLEWORD) ? (void)w->ShowWindow(SW_HIDE)
                                        : (void)w->EnableWindow(FALSE);
    if (CWnd* w = GetDlgItem(kMatchCase); w && (m_fr.Flags & (FR_NOMATCHCASE | FR_HIDEMATCHCASE)))
        (m_fr.Flags & FR_HIDEMATCHCASE) ? (void)w->ShowWindow(SW_HIDE)
                                        : (void)w->EnableWindow(FALSE);
    UpdateButtons();
    if (CWnd* edit = GetDlgItem(kFindWhat)) {
        edit->SetFocus();
        edit->SendMessage(EM_SETSEL, 0, -1);
    }
    return FALSE; // the focus is set
}

// The buttons that act on the search text are grey while it is empty.
void CFindReplaceDialog::UpdateButtons() {
    bool any = GetDlgItem(kFindWhat) && GetDlgItem(kFindWhat)->GetWindowTextLength() > 0;
    for (int id :
         {static_cast<int>(IDOK), static_cast<int>(kReplace), static_cast<int>(kReplaceAll)})
        if (CWnd* w = GetDlgItem(id))
            w->EnableWindow(any);
}

void CFindReplaceDialog::Notify(DWORD action) {
    DWORD keep = m_fr.Flags & ~(FR_FINDNEXT | FR_REPLACE | FR_REPLACEALL | FR_DIALOGTERM | FR_DOWN |
                                FR_MATCHCASE | FR_WHOLEWORD);
    if (action != FR_DIALOGTERM) {
        CString find, replace;
        GetDlgItemText(kFindWhat, find);
        CopyInto(m_szFindWhat, std::size(m_szFindWhat), find);
        if (!findOnly_) {
            GetDlgItemText(kReplaceWith, replace);
            CopyInto(m_szReplaceWith, std::size(m_szReplaceWith), replace);
        }
    }
    DWORD how = 0;
    if (IsDlgButtonChecked(kMatchCase))
        how |= FR_MATCHCASE;
    if (IsDlgButtonChecked(kWholeWord))
        how |= FR_WHOLEWORD;
    // The replace dialog has no direction: it always searches down.
    if (!findOnly_ || IsDlgButtonChecked(kDown))
        how |= FR_DOWN;
    m_fr.Flags = keep | how | action;
    static const UINT message = RegisterWindowMessage(FINDMSGSTRING);
    if (m_fr.hwndOwner && IsWindow(m_fr.hwndOwner))
        m_fr.hwndOwner->SendMessage(message, 0, reinterpret_cast<LPARAM>(&m_fr));
}

BOOL CFindReplaceDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    UINT id = LOWORD(wParam), code = HIWORD(wParam);
    if (id == kFindWhat && code == EN_CHANGE) {
        UpdateButtons();
        return TRUE;
    }
    if (code == BN_CLICKED && (id == kReplace || id == kReplaceAll)) {
        Notify(id == kReplace ? FR_REPLACE : FR_REPLACEALL);
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CFindReplaceDialog::OnOK() {
    if (GetDlgItem(IDOK) && GetDlgItem(IDOK)->IsWindowEnabled())
        Notify(FR_FINDNEXT);
}

// The window goes once the message that closed it is done with (the Cancel button that was
// pressed is one of its children).
constexpr UINT kDestroyLater = WM_APP + 0x7FF0;

void CFindReplaceDialog::OnCancel() {
    if (closing_)
        return;
    closing_ = true;
    Notify(FR_DIALOGTERM);
    ShowWindow(SW_HIDE);
    PostMessage(kDestroyLater);
}

BOOL CFindReplaceDialog::PreTranslateMessage(MSG* msg) {
    // The closing message is dispatched on its own, not inside the dialog's key handling.
    if (msg->message == kDestroyLater)
        return FALSE;
    return CDialog::PreTranslateMessage(msg);
}

LRESULT CFindReplaceDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kDestroyLater) {
        DestroyWindow();
        return 0;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

void CFindReplaceDialog::PostNcDestroy() {
    delete this;
}
