// The clipboard and the global memory blocks it holds. Headless the clipboard lives in the
// process; with a display its text also goes to (and comes from) the system clipboard.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include "DisplayBackend.h"

namespace {

struct GlobalBlock {
    std::vector<char> bytes;
    int locks = 0;
};

std::map<void*, std::unique_ptr<GlobalBlock>>& Blocks() {
    static std::map<void*, std::unique_ptr<GlobalBlock>> blocks;
    return blocks;
}

GlobalBlock* BlockOf(HGLOBAL memory) {
    auto it = Blocks().find(memory);
    return it == Blocks().end() ? nullptr : it->second.get();
}

struct ClipboardState {
    bool open = false;
    HWND owner = nullptr;
    std::map<UINT, HGLOBAL> data;
    // Set while the data came from this process, so the display's text is not read back.
    bool fromSystem = false;
};

ClipboardState& Clip() {
    static ClipboardState state;
    return state;
}

void FreeAll() {
    for (auto& [format, block] : Clip().data)
        GlobalFree(block);
    Clip().data.clear();
}

HGLOBAL BlockFromText(const std::string& bytes) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size() + 1);
    char* p = static_cast<char*>(GlobalLock(block));
    std::copy(bytes.begin(), bytes.end(), p);
    p[bytes.size()] = 0;
    GlobalUnlock(block);
    return block;
}

std::string ToAnsi(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text)
        out.push_back(static_cast<unsigned>(c) < 256 ? static_cast<char>(c) : '?');
    return out;
}

std::wstring FromAnsi(const char* bytes) {
    std::wstring out;
    for (; *bytes; ++bytes)
        out.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*bytes)));
    return out;
}

} // namespace

HGLOBAL GlobalAlloc(UINT flags, std::size_t bytes) {
    auto block = std::make_unique<GlobalBlock>();
    block->bytes.assign(bytes ? bytes : 1, 0);
    (void)flags; // every block is zeroed and none ever moves
    void* handle = block.get();
    Blocks()[handle] = std::move(block);
    return handle;
}

void* GlobalLock(HGLOBAL memory) {
    GlobalBlock* b = BlockOf(memory);
    if (!b)
        return nullptr;
    ++b->locks;
    return b->bytes.data();
}

BOOL GlobalUnlock(HGLOBAL memory) {
    GlobalBlock* b = BlockOf(memory);
    if (b && b->locks > 0)
        --b->locks;
    return b && b->locks > 0;
}

std::size_t GlobalSize(HGLOBAL memory) {
    GlobalBlock* b = BlockOf(memory);
    return b ? b->bytes.size() : 0;
}

HGLOBAL GlobalFree(HGLOBAL memory) {
    auto it = Blocks().find(memory);
    if (it == Blocks().end())
        return memory;
    Blocks().erase(it);
    return nullptr;
}

BOOL OpenClipboard(HWND owner) {
    if (Clip().open)
        return FALSE;
    Clip().open = true;
    Clip().owner = owner;
    return TRUE;
}

BOOL CloseClipboard() {
    if (!Clip().open)
        return FALSE;
    Clip().open = false;
    return TRUE;
}

BOOL EmptyClipboard() {
    if (!Clip().open)
        return FALSE;
    FreeAll();
    Clip().fromSystem = false;
    return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE data) {
    if (!Clip().open || !BlockOf(data))
        return nullptr;
    if (auto it = Clip().data.find(format); it != Clip().data.end() && it->second != data)
        GlobalFree(it->second);
    Clip().data[format] = data;
    if (format == CF_TEXT || format == CF_UNICODETEXT) {
        // The other text format follows, as the desktop synthesises it.
        std::wstring text;
        const char* p = static_cast<const char*>(GlobalLock(data));
        if (format == CF_TEXT) {
            text = FromAnsi(p);
        } else {
            text = reinterpret_cast<const wchar_t*>(p);
        }
        GlobalUnlock(data);
        UINT other = format == CF_TEXT ? CF_UNICODETEXT : CF_TEXT;
        if (auto it = Clip().data.find(other); it != Clip().data.end())
            GlobalFree(it->second);
        if (other == CF_TEXT) {
            Clip().data[other] = BlockFromText(ToAnsi(text));
        } else {
            HGLOBAL w = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
            auto* q = static_cast<wchar_t*>(GlobalLock(w));
            std::copy(text.begin(), text.end(), q);
            GlobalUnlock(w);
            Clip().data[other] = w;
        }
        if (ui::DisplayBackend* backend = ui::GetDisplayBackend())
            backend->SetClipboardText(text);
    }
    return data;
}

HANDLE GetClipboardData(UINT format) {
    if (!Clip().open)
        return nullptr;
    ui::DisplayBackend* backend = ui::GetDisplayBackend();
    std::wstring system;
    if ((format == CF_TEXT || format == CF_UNICODETEXT) && backend &&
        backend->GetClipboardText(system)) {
        // Another program may have put text there since: the display's text wins.
        std::wstring ours;
        if (auto it = Clip().data.find(CF_UNICODETEXT); it != Clip().data.end())
            ours = static_cast<const wchar_t*>(GlobalLock(it->second)), GlobalUnlock(it->second);
        if (ours != system) {
            FreeAll();
            HGLOBAL w = GlobalAlloc(GMEM_MOVEABLE, (system.size() + 1) * sizeof(wchar_t));
            auto* q = static_cast<wchar_t*>(GlobalLock(w));
            std::copy(system.begin(), system.end(), q);
            GlobalUnlock(w);
            Clip().data[CF_UNICODETEXT] = w;
            Clip().data[CF_TEXT] = BlockFromText(ToAnsi(system));
            Clip().fromSystem = true;
        }
    }
    auto it = Clip().data.find(format);
    return it == Clip().data.end() ? nullptr : it->second;
}

BOOL IsClipboardFormatAvailable(UINT format) {
    if (Clip().data.count(format))
        return TRUE;
    std::wstring system;
    ui::DisplayBackend* backend = ui::GetDisplayBackend();
    return (format == CF_TEXT || format == CF_UNICODETEXT) && backend &&
           backend->GetClipboardText(system);
}

int WideCharToMultiByte(UINT, DWORD, LPCWSTR wide, int wideCount, LPSTR bytes, int byteCount,
                        LPCSTR defaultChar, BOOL* usedDefault) {
    if (!wide)
        return 0;
    std::wstring text = wideCount < 0 ? std::wstring(wide) + L'\0' : std::wstring(wide, wideCount);
    if (usedDefault)
        *usedDefault = FALSE;
    if (byteCount == 0)
        return static_cast<int>(text.size());
    if (byteCount < static_cast<int>(text.size()))
        return 0;
    char fallback = defaultChar ? *defaultChar : '?';
    for (std::size_t i = 0; i < text.size(); ++i) {
        bool fits = static_cast<unsigned>(text[i]) < 256;
        bytes[i] = fits ? static_cast<char>(text[i]) : fallback;
        if (!fits && usedDefault)
            *usedDefault = TRUE;
    }
    return static_cast<int>(text.size());
}

int MultiByteToWideChar(UINT, DWORD, LPCSTR bytes, int byteCount, LPWSTR wide, int wideCount) {
    if (!bytes)
        return 0;
    std::string text = byteCount < 0 ? std::string(bytes) + '\0'
                                     : std::string(bytes, static_cast<std::size_t>(byteCount));
    if (wideCount == 0)
        return static_cast<int>(text.size());
    if (wideCount < static_cast<int>(text.size()))
        return 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        wide[i] = static_cast<wchar_t>(static_cast<unsigned char>(text[i]));
    return static_cast<int>(text.size());
}
