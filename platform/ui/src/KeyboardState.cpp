#include "KeyboardState.h"

#include <algorithm>

#include "MessageQueue.h"

namespace {

struct KeyboardState {
    // Per virtual key: bit 0x80 down, bit 1 toggled (each press flips it).
    BYTE keys[256] = {};
    UINT heldButtons = 0;
};

KeyboardState& Keyboard() {
    static KeyboardState keyboard;
    return keyboard;
}

void SetKey(UINT vk, bool down) {
    BYTE& k = Keyboard().keys[vk & 0xFF];
    if (down)
        k = static_cast<BYTE>((k | 0x80) ^ ((k & 0x80) ? 0 : 1));
    else
        k &= 0x7F;
}

// The character a key makes with the shift and control keys as they are, or 0.
wchar_t CharacterOf(UINT vk) {
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    if (vk >= 'A' && vk <= 'Z')
        return ctrl ? static_cast<wchar_t>(vk - 'A' + 1)
                    : static_cast<wchar_t>(shift ? vk : vk - 'A' + 'a');
    if (vk >= '0' && vk <= '9')
        return ctrl ? 0 : static_cast<wchar_t>(vk);
    switch (vk) {
    case VK_RETURN:
        return L'\r';
    case VK_ESCAPE:
        return 0x1B;
    case VK_BACK:
        return 0x08;
    case VK_TAB:
        return L'\t';
    case VK_SPACE:
        return L' ';
    default:
        return 0;
    }
}

} // namespace

namespace ui {

void NoteKeyState(const MSG& m) {
    switch (m.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        SetKey(static_cast<UINT>(m.wParam), true);
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        SetKey(static_cast<UINT>(m.wParam), false);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SetKey(VK_LBUTTON, true);
        break;
    case WM_LBUTTONUP:
        SetKey(VK_LBUTTON, false);
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        SetKey(VK_RBUTTON, true);
        break;
    case WM_RBUTTONUP:
        SetKey(VK_RBUTTON, false);
        break;
    default:
        break;
    }
}

bool LeftButtonDown() {
    return Keyboard().keys[VK_LBUTTON] & 0x80;
}

UINT& HeldButtons() {
    return Keyboard().heldButtons;
}

void ResetKeyState() {
    Keyboard() = KeyboardState{};
}

} // namespace ui

SHORT GetKeyState(int virtualKey) {
    const BYTE k = Keyboard().keys[virtualKey & 0xFF];
    return static_cast<SHORT>(((k & 0x80) ? 0x8000 : 0) | (k & 1));
}

SHORT GetAsyncKeyState(int virtualKey) {
    return static_cast<SHORT>((Keyboard().keys[virtualKey & 0xFF] & 0x80) ? 0x8000 : 0);
}

BOOL TranslateMessage(const MSG* msg) {
    if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN))
        return FALSE;
    // A display that types the key's character itself says so in bit 25 (unused by the
    // desktop); the character then arrives as its own WM_CHAR.
    if (msg->lParam & (LPARAM(1) << 25))
        return FALSE;
    const wchar_t c = CharacterOf(static_cast<UINT>(msg->wParam));
    if (!c)
        return FALSE;
    // The character is the very next message, as the desktop places it.
    ui::PostNext(MSG{msg->hwnd, msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR,
                     static_cast<WPARAM>(c), msg->lParam, msg->time, msg->pt});
    return TRUE;
}
