// Copy, cut and paste of cells as tab-separated text through the clipboard, and the popup
// menu with the application's items.

#include "grid/CUGCtrl.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "grid/CUGGrid.h"

namespace {

// The clipboard is open for as long as this lives.
class OpenedClipboard {
public:
    explicit OpenedClipboard(CWnd* owner) : open_(OpenClipboard(owner->m_hWnd) != FALSE) {}
    ~OpenedClipboard() {
        if (open_)
            CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    bool IsOpen() const { return open_; }

private:
    bool open_;
};

// The text in the ANSI code page, in a movable block the clipboard can take over.
HGLOBAL AnsiBlock(const CString& text) {
    const int length = text.GetLength();
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, static_cast<std::size_t>(bytes) + 1);
    if (!block)
        return nullptr;
    auto* out = static_cast<char*>(GlobalLock(block));
    WideCharToMultiByte(CP_ACP, 0, text, length, out, bytes, nullptr, nullptr);
    out[bytes] = 0;
    GlobalUnlock(block);
    return block;
}

std::wstring FromAnsi(const char* bytes) {
    const int length = static_cast<int>(std::strlen(bytes));
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes, length, text.data(), length);
    return text;
}

} // namespace

// ---- copy and cut ----

int CUGCtrl::CopySelected() {
    return CopyOrCut(false);
}

int CUGCtrl::CutSelected() {
    return CopyOrCut(true);
}

int CUGCtrl::CopyOrCut(bool cut) {
    const CUGGridInfo& gi = *gridInfo;
    CString text;
    int col;
    long row;
    bool more = EnumFirstSelected(&col, &row) == 0;
    CUGCell cell, empty;
    while (more) {
        if (col >= 0 && col < gi.numberCols && row >= 0 && row < gi.numberRows) {
            GetCell(col, row, &cell);
            text += cell.GetText() ? cell.GetText() : L"";
            if (cut)
                SetCell(col, row, &empty);
        }
        int nextCol;
        long nextRow;
        more = EnumNextSelected(&nextCol, &nextRow) == 0;
        if (more)
            text += nextRow != row ? L"\n" : L"\t";
        col = nextCol;
        row = nextRow;
    }
    {
        OpenedClipboard clipboard(this);
        if (clipboard.IsOpen()) {
            EmptyClipboard();
            if (HGLOBAL block = AnsiBlock(text))
                if (!SetClipboardData(CF_TEXT, block))
                    GlobalFree(block);
        }
    }
    ClearSelection();
    RepaintAll();
    return GRID_SUCCESS;
}

// ---- paste ----

int CUGCtrl::Paste() {
    std::wstring text;
    {
        OpenedClipboard clipboard(this);
        HANDLE block = clipboard.IsOpen() ? GetClipboardData(CF_TEXT) : nullptr;
        const char* bytes = block ? static_cast<const char*>(GlobalLock(block)) : nullptr;
        if (!bytes)
            return GRID_ERROR;
        text = FromAnsi(bytes);
        GlobalUnlock(block);
    }
    const CUGGridInfo& gi = *gridInfo;
    const int startCol = std::max(gi.currentCol, 0);
    const long startRow = std::max(gi.currentRow, 0L);
    int col = startCol, furthestCol = startCol;
    long row = startRow, furthestRow = startRow;
    CUGCell cell;
    auto put = [&](const std::wstring& field) {
        if (col >= gi.numberCols || row >= gi.numberRows)
            return; // the grid never grows
        FetchCellInto(col, row, &cell);
        cell.SetText(field.c_str());
        SetCell(col, row, &cell);
        furthestCol = std::max(furthestCol, col);
        furthestRow = std::max(furthestRow, row);
    };
    std::wstring field;
    bool pending = false; // a separator was passed, so a field (maybe empty) follows
    for (std::size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (c != L'\t' && c != L'\r' && c != L'\n') {
            field += c;
            pending = true;
            continue;
        }
        put(field);
        field.clear();
        if (c == L'\t') {
            ++col;
            pending = true;
        } else {
            if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n')
                ++i; // CR LF is one line break
            col = startCol;
            ++row;
            pending = false; // a closing line break opens no new line
        }
    }
    if (pending)
        put(field);
    ClearSelection();
    SelectRange(startCol, startRow, furthestCol, furthestRow);
    RepaintAll();
    return GRID_SUCCESS;
}

// ---- the popup menu ----

int CUGCtrl::AddMenuItem(int id, LPCTSTR text) {
    BOOL added = (id == -1 || !text || !*text)
                     ? popupMenu->AppendMenu(MF_SEPARATOR)
                     : popupMenu->AppendMenu(MF_STRING, static_cast<UINT_PTR>(id), text);
    return added ? GRID_SUCCESS : GRID_ERROR;
}

int CUGCtrl::RemoveMenuItem(int id) {
    return popupMenu->DeleteMenu(static_cast<UINT>(id), MF_BYCOMMAND) ? GRID_SUCCESS : GRID_ERROR;
}

int CUGCtrl::EmptyMenu() {
    while (popupMenu->GetMenuItemCount() > 0)
        popupMenu->DeleteMenu(0, MF_BYPOSITION);
    return GRID_SUCCESS;
}
