#include <afxdlgs.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "Utf8.h"

namespace ui {
namespace {

namespace fs = std::filesystem;

fs::path ToPath(const CString& text) {
    return fs::path(crt::ToUtf8(text.str()));
}

CString FromPath(const fs::path& path) {
    return CString(crt::FromUtf8(path.string()));
}

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

DialogTemplate Template(const CString& title, bool save) {
    return DialogTemplate{
        0,
        title.str(),
        0,
        0,
        260,
        164,
        DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU,
        L"MS Sans Serif",
        8,
        {
            {-1, L"STATIC", L"Look in:", 7, 8, 34, 8, kChild},
            {FileDialog::kFolder, L"STATIC", L"", 44, 8, 209, 8, kChild | SS_LEFTNOWORDWRAP},
            {FileDialog::kList, L"LISTBOX", L"", 7, 20, 246, 92,
             kChild | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY, WS_EX_CLIENTEDGE},
            {-1, L"STATIC", L"File &name:", 7, 121, 46, 8, kChild},
            {FileDialog::kName, L"EDIT", L"", 56, 119, 140, 12,
             kChild | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE},
            {-1, L"STATIC", L"Files of type:", 7, 140, 46, 8, kChild},
            {FileDialog::kType, L"STATIC", L"", 56, 140, 140, 8, kChild},
            {IDOK, L"BUTTON", save ? L"&Save" : L"&Open", 203, 118, 50, 14,
             kChild | WS_TABSTOP | BS_DEFPUSHBUTTON},
            {IDCANCEL, L"BUTTON", L"Cancel", 203, 136, 50, 14, kChild | WS_TABSTOP | BS_PUSHBUTTON},
        }};
}

bool IsFolderItem(const CString& item) {
    return item.GetLength() >= 2 && item[0] == L'[' && item[item.GetLength() - 1] == L']';
}

} // namespace

FileDialog::FileDialog(const CString& title, const CString& defaultPath, const CString& extension,
                       int flags)
    : extension_(extension), flags_(flags) {
    SetTemplate(Template(title, flags & kFileDialogNew));
    std::error_code ec;
    fs::path start = ToPath(defaultPath);
    fs::path folder = start.has_parent_path() ? start.parent_path() : fs::current_path(ec);
    if (!fs::is_directory(folder, ec))
        folder = fs::current_path(ec);
    folder_ = FromPath(fs::absolute(folder, ec).lexically_normal());
    name_ = FromPath(start.filename());
}

bool FileDialog::Matches(const std::wstring& name) const {
    if (extension_.IsEmpty())
        return true;
    std::wstring ext = L"." + extension_.str();
    return name.size() > ext.size() &&
           _wcsicmp(name.substr(name.size() - ext.size()).c_str(), ext.c_str()) == 0;
}

void FileDialog::Fill() {
    auto* list = static_cast<CListBox*>(GetDlgItem(kList));
    if (!list)
        return;
    list->ResetContent();
    std::vector<std::wstring> folders, files;
    std::error_code ec;
    fs::path here = ToPath(folder_);
    for (fs::directory_iterator it(here, ec), end; !ec && it != end; it.increment(ec)) {
        std::wstring name = crt::FromUtf8(it->path().filename().string());
        if (name.empty() || name[0] == L'.')
            continue; // hidden
        std::error_code kind;
        if (it->is_directory(kind))
            folders.push_back(L"[" + name + L"]");
        else if (Matches(name))
            files.push_back(name);
    }
    auto byName = [](const std::wstring& a, const std::wstring& b) {
        return _wcsicmp(a.c_str(), b.c_str()) < 0;
    };
    std::sort(folders.begin(), folders.end(), byName);
    std::sort(files.begin(), files.end(), byName);
    if (here.has_parent_path() && here.parent_path() != here)
        list->AddString(L"[..]");
    for (const std::wstring& f : folders)
        list->AddString(f.c_str());
    for (const std::wstring& f : files)
        list->AddString(f.c_str());
    SetDlgItemText(kFolder, folder_);
}

void FileDialog::Open(const CString& folder) {
    std::error_code ec;
    folder_ = FromPath(fs::absolute(ToPath(folder), ec).lexically_normal());
    std::wstring f = folder_.str();
    if (f.size() > 1 && f.back() == L'/')
        folder_ = CString(f.substr(0, f.size() - 1));
    Fill();
}

BOOL FileDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDlgItemText(kType,
                   extension_.IsEmpty() ? CString(L"All files (*)") : CString(L"*.") + extension_);
    Fill();
    SetDlgItemText(kName, name_);
    if (CWnd* name = GetDlgItem(kName)) {
        name->SetFocus();
        name->SendMessage(EM_SETSEL, 0, -1);
    }
    return FALSE;
}

BOOL FileDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    UINT id = LOWORD(wParam), code = HIWORD(wParam);
    if (id == kList && (code == LBN_SELCHANGE || code == LBN_DBLCLK)) {
        auto* list = static_cast<CListBox*>(GetDlgItem(kList));
        CString item;
        if (list->GetText(list->GetCurSel(), item) == LB_ERR)
            return TRUE;
        if (IsFolderItem(item)) {
            if (code == LBN_DBLCLK) {
                CString inner = item.Mid(1, item.GetLength() - 2);
                Open(FromPath(ToPath(folder_) / ToPath(inner)));
            }
            return TRUE;
        }
        SetDlgItemText(kName, item);
        if (code == LBN_DBLCLK)
            OnOK();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void FileDialog::OnOK() {
    CString typed;
    GetDlgItemText(kName, typed);
    typed.Trim();
    if (typed.IsEmpty()) {
        MessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    std::error_code ec;
    fs::path target = ToPath(typed);
    if (target.is_relative())
        target = ToPath(folder_) / target;
    if (fs::is_directory(target, ec)) {
        // A folder name opens the folder.
        Open(FromPath(target));
        SetDlgItemText(kName, L"");
        return;
    }
    if (!extension_.IsEmpty() && !target.has_extension())
        target += "." + crt::ToUtf8(extension_.str());
    CString chosen = FromPath(target.lexically_normal());
    CString caption = GetWindowText();
    bool exists = fs::exists(target, ec);
    if ((flags_ & kFileDialogExisting) && !exists) {
        MessageBox(chosen + L"\nFile not found.\nCheck the file name and try again.", caption,
                   MB_OK | MB_ICONWARNING);
        return;
    }
    if ((flags_ & kFileDialogNew) && exists &&
        MessageBox(chosen + L" already exists.\nDo you want to replace it?", caption,
                   MB_YESNO | MB_ICONWARNING) != IDYES)
        return;
    path_ = chosen;
    EndDialog(IDOK);
}

bool RunFileDialog(const CString& title, const CString& defaultPath, const CString& extension,
                   int flags, CString& path) {
    FileDialog dialog(title, defaultPath, extension, flags);
    if (dialog.DoModal() != IDOK)
        return false;
    path = dialog.Path();
    return true;
}

} // namespace ui
