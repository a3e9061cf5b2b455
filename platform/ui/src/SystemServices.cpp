#include "SystemServices.h"

#include <map>

#include <windef.h>

#include "DisplayBackend.h"
#include "InputSource.h"
#include "WindowSystem.h"

namespace {

std::vector<ui::Sound>& SoundLog() {
    static std::vector<ui::Sound> sounds;
    return sounds;
}

HCURSOR& CurrentCursor() {
    static HCURSOR cursor = nullptr;
    return cursor;
}

POINT& CursorPos() {
    static POINT p{0, 0};
    return p;
}

} // namespace

namespace ui {
namespace {
DisplayBackend*& Backend() {
    static DisplayBackend* backend = nullptr;
    return backend;
}
} // namespace
void SetDisplayBackend(DisplayBackend* backend) {
    Backend() = backend;
    UseVirtualClock(!backend || !backend->RealTime());
}
DisplayBackend* GetDisplayBackend() {
    return Backend();
}
bool DisplayTakesInput() {
    InputSource* input = GetInputSource();
    return Backend() && input && dynamic_cast<InputSource*>(Backend()) == input;
}
const std::vector<Sound>& Sounds() {
    return SoundLog();
}
void ClearSounds() {
    SoundLog().clear();
}
int CurrentCursorId() {
    return CurrentCursor() ? CurrentCursor()->id : 32512;
}
} // namespace ui

using ui::WindowSystem;

HWND SetFocus(HWND hwnd) {
    CWnd* old = WindowSystem::Focus();
    if (hwnd == old)
        return old;
    if (hwnd && !hwnd->m_hWnd)
        return nullptr;
    // The new window holds the focus before the old one hears that it lost it, so a window
    // that moves the focus on while losing it keeps that move; the new one hears of the
    // focus only when it still has it.
    WindowSystem::Focus() = hwnd;
    if (old && old->m_hWnd)
        old->SendMessage(WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd));
    if (hwnd && hwnd->m_hWnd && WindowSystem::Focus() == hwnd) {
        hwnd->SendMessage(WM_SETFOCUS, reinterpret_cast<WPARAM>(old));
        if (hwnd->m_hWnd)
            WindowSystem::FocusMovedWithin(hwnd->GetTopLevelParent(), hwnd);
    }
    return old;
}

HWND GetFocus() {
    return WindowSystem::Focus();
}

HWND SetCapture(HWND hwnd) {
    CWnd* old = WindowSystem::Capture();
    WindowSystem::Capture() = hwnd;
    if (old && old != hwnd && old->m_hWnd)
        old->SendMessage(WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
    return old;
}

BOOL ReleaseCapture() {
    CWnd* old = WindowSystem::Capture();
    WindowSystem::Capture() = nullptr;
    if (old && old->m_hWnd)
        old->SendMessage(WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND GetCapture() {
    return WindowSystem::Capture();
}

HWND GetActiveWindow() {
    return WindowSystem::Active();
}

HWND SetActiveWindow(HWND hwnd) {
    CWnd* old = WindowSystem::Active();
    if (hwnd)
        hwnd = hwnd->GetTopLevelParent();
    if (old == hwnd)
        return old;
    WindowSystem::Active() = hwnd;
    if (old && old->m_hWnd) {
        old->SendMessage(WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(hwnd));
        old->RedrawWindow(nullptr, nullptr, RDW_FRAME);
    }
    if (hwnd && hwnd->m_hWnd) {
        hwnd->SendMessage(WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(old));
        hwnd->RedrawWindow(nullptr, nullptr, RDW_FRAME);
    }
    return old;
}

HWND GetDesktopWindow() {
    return nullptr;
}

BOOL IsWindow(HWND hwnd) {
    return hwnd && WindowSystem::Live().count(hwnd) != 0;
}

BOOL IsChild(HWND parent, HWND hwnd) {
    return parent && parent->IsChild(hwnd);
}

HCURSOR LoadCursor(HINSTANCE, LPCTSTR name) {
    static std::map<int, ui::CursorShape> shapes;
    int id =
        IS_INTRESOURCE(name) ? static_cast<int>(reinterpret_cast<std::uintptr_t>(name)) : 32512;
    auto it = shapes.try_emplace(id, ui::CursorShape{id}).first;
    return &it->second;
}

HCURSOR SetCursor(HCURSOR cursor) {
    HCURSOR old = CurrentCursor();
    CurrentCursor() = cursor;
    if (ui::DisplayBackend* backend = ui::GetDisplayBackend(); backend && old != cursor)
        backend->CursorChanged(ui::CurrentCursorId());
    return old;
}

HCURSOR GetCursor() {
    return CurrentCursor();
}

BOOL GetCursorPos(LPPOINT point) {
    if (!point)
        return FALSE;
    *point = CursorPos();
    return TRUE;
}

BOOL SetCursorPos(int x, int y) {
    CursorPos() = POINT{x, y};
    return TRUE;
}

int ShowCursor(BOOL show) {
    return show ? 0 : -1;
}

BOOL Beep(DWORD frequency, DWORD duration) {
    SoundLog().push_back(ui::Sound{frequency, duration, 0, ui::ClockNow()});
    if (ui::DisplayBackend* backend = ui::GetDisplayBackend())
        backend->Sound(frequency, duration);
    return TRUE;
}

BOOL MessageBeep(UINT type) {
    SoundLog().push_back(ui::Sound{0, 0, type, ui::ClockNow()});
    if (ui::DisplayBackend* backend = ui::GetDisplayBackend())
        backend->Sound(0, 0);
    return TRUE;
}

int GetSystemMetrics(int index) {
    switch (index) {
    case SM_CXSCREEN:
        return 1280;
    case SM_CYSCREEN:
        return 1024;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB:
        return 17;
    case SM_CYCAPTION:
        return 19;
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
        return 3;
    case SM_CXFRAME:
    case SM_CYFRAME:
        return 4;
    case SM_CXEDGE:
    case SM_CYEDGE:
        return 2;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
        return 32;
    case SM_CXSMICON:
    case SM_CYSMICON:
        return 16;
    case SM_CYSMCAPTION:
        return 15;
    case SM_CYMENU:
        return 19;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
        return 4;
    case SM_CXDRAG:
    case SM_CYDRAG:
        return 4;
    default:
        return 0;
    }
}

UINT GetDoubleClickTime() {
    return 500;
}

BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom) {
    *rect = RECT{left, top, right, bottom};
    return TRUE;
}
BOOL SetRectEmpty(LPRECT rect) {
    return SetRect(rect, 0, 0, 0, 0);
}
BOOL CopyRect(LPRECT dst, LPCRECT src) {
    *dst = *src;
    return TRUE;
}
BOOL IsRectEmpty(LPCRECT rect) {
    return CRect(rect).IsRectEmpty();
}
BOOL EqualRect(LPCRECT a, LPCRECT b) {
    return CRect(a).EqualRect(b);
}
BOOL PtInRect(LPCRECT rect, POINT point) {
    return CRect(rect).PtInRect(point);
}
BOOL OffsetRect(LPRECT rect, int dx, int dy) {
    CRect r(rect);
    r.OffsetRect(dx, dy);
    *rect = r;
    return TRUE;
}
BOOL InflateRect(LPRECT rect, int dx, int dy) {
    CRect r(rect);
    r.InflateRect(dx, dy);
    *rect = r;
    return TRUE;
}
BOOL IntersectRect(LPRECT dst, LPCRECT a, LPCRECT b) {
    CRect r;
    BOOL any = r.IntersectRect(a, b);
    *dst = r;
    return any;
}
BOOL UnionRect(LPRECT dst, LPCRECT a, LPCRECT b) {
    CRect r;
    BOOL any = r.UnionRect(a, b);
    *dst = r;
    return any;
}
BOOL SubtractRect(LPRECT dst, LPCRECT a, LPCRECT b) {
    ui::Region r{CRect(a)};
    r.Subtract(*b);
    CRect bounds = r.Bounds();
    if (r.Rects().size() != 1) // only a whole side can be cut away
        bounds = CRect(a);
    *dst = bounds;
    return !bounds.IsRectEmpty();
}
