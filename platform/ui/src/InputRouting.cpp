#include "InputRouting.h"

#include "WindowSystem.h"

namespace {

using ui::WindowSystem;

bool IsMouseMessage(UINT m) {
    return m >= WM_MOUSEFIRST && m <= WM_MOUSELAST;
}

bool IsKeyMessage(UINT m) {
    return m >= WM_KEYFIRST && m <= WM_KEYLAST;
}

bool IsPress(UINT m) {
    return m == WM_LBUTTONDOWN || m == WM_RBUTTONDOWN || m == WM_MBUTTONDOWN ||
           m == WM_LBUTTONDBLCLK || m == WM_RBUTTONDBLCLK;
}

// Outside the client area (caption, frame) the non-client mouse messages go instead.
bool RouteToFrame(MSG& m, CWnd* target) {
    const LRESULT hit = target->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(m.pt.x, m.pt.y));
    if (hit == HTCLIENT || hit == HTTRANSPARENT || hit == HTNOWHERE || m.message < WM_MOUSEMOVE ||
        m.message > WM_RBUTTONUP)
        return false;
    m.message = m.message - WM_MOUSEMOVE + WM_NCMOUSEMOVE;
    m.wParam = static_cast<WPARAM>(hit);
    m.lParam = MAKELPARAM(m.pt.x, m.pt.y);
    return true;
}

// The activation and cursor messages of a mouse message that is taken from the queue, in
// the desktop's order: a press asks a child whether it activates (and may eat the click),
// then the cursor is set, eaten click or not. False when the click is eaten.
bool Activate(const MSG& m, CWnd* target) {
    const LPARAM hit = MAKELPARAM(HTCLIENT, static_cast<int>(m.message));
    bool eaten = false;
    if (IsPress(m.message) && target->GetParent()) {
        const LRESULT r = target->SendMessage(
            WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(target->GetTopLevelParent()), hit);
        eaten = r == MA_ACTIVATEANDEAT || r == MA_NOACTIVATEANDEAT;
    }
    target->SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(target), hit);
    return !eaten;
}

bool RouteMouse(MSG& m, bool retrieving) {
    CWnd* const capture = WindowSystem::Capture();
    CWnd* target = capture ? capture : WindowSystem::WindowFromScreenPoint(m.pt);
    if (!target)
        return false;
    m.hwnd = target;
    if (!capture && RouteToFrame(m, target))
        return true;
    CPoint local = m.pt;
    target->ScreenToClient(&local);
    m.lParam = MAKELPARAM(local.x, local.y);
    return !retrieving || capture || Activate(m, target);
}

} // namespace

namespace ui {

bool RouteInput(MSG& m, bool retrieving) {
    if (m.message == WM_MOUSEWHEEL) {
        // The wheel turns for the window with the focus, its point in screen coordinates.
        m.hwnd = WindowSystem::Focus() ? WindowSystem::Focus() : WindowSystem::Active();
        m.lParam = MAKELPARAM(m.pt.x, m.pt.y);
        return m.hwnd != nullptr;
    }
    if (IsMouseMessage(m.message))
        return RouteMouse(m, retrieving);
    if (IsKeyMessage(m.message)) {
        m.hwnd = WindowSystem::Focus() ? WindowSystem::Focus() : WindowSystem::Active();
        return m.hwnd != nullptr;
    }
    return m.hwnd != nullptr;
}

} // namespace ui
