// The message queue of the user-interface thread: posted and input messages, timers, paint,
// the virtual clock and the keyboard state.

#include <algorithm>
#include <chrono>
#include <deque>
#include <map>
#include <thread>

#include <afxcmn.h>

#include "InputSource.h"
#include "MessageQueue.h"
#include "PopupWindows.h"
#include "WindowSystem.h"

namespace {

struct Timer {
    HWND hwnd;
    UINT_PTR id;
    UINT elapse;
    DWORD due;
    TIMERPROC proc;
};

struct QueuedMessage {
    MSG msg;
    bool input; // routed when retrieved: mouse to capture or the window under the point
};

struct ThreadState {
    std::deque<QueuedMessage> queue;
    std::vector<Timer> timers;
    bool quitPosted = false;
    int quitCode = 0;
    bool virtualClock = true;
    DWORD virtualNow = 0;
    std::chrono::steady_clock::time_point realStart = std::chrono::steady_clock::now();
    BYTE keys[256] = {};
    ui::InputSource* source = nullptr;
    bool exhausted = false;
    std::wstring waitedFor;
    DWORD lastMessageTime = 0;
    POINT lastMessagePos{0, 0};
    std::map<std::wstring, UINT> registered;
    UINT heldButtons = 0;
    UINT nextRegistered = 0xC000;
};

ThreadState& T() {
    static ThreadState state;
    return state;
}

bool InRange(UINT message, UINT min, UINT max) {
    return (min == 0 && max == 0) || (message >= min && message <= max);
}

bool IsMouseMessage(UINT m) {
    return m >= WM_MOUSEFIRST && m <= WM_MOUSELAST;
}

bool IsKeyMessage(UINT m) {
    return m >= WM_KEYFIRST && m <= WM_KEYLAST;
}

// Decides which window an input message goes to and puts its point in that window's
// client coordinates. `sideEffects` also runs the activation and cursor messages that
// retrieving a mouse message sends; answers false when the message is dropped or eaten.
bool RouteInput(MSG& m, bool sideEffects) {
    using ui::WindowSystem;
    if (m.message == WM_MOUSEWHEEL) {
        // The wheel turns for the window with the focus, its point in screen coordinates.
        m.hwnd = WindowSystem::Focus() ? WindowSystem::Focus() : WindowSystem::Active();
        m.lParam = MAKELPARAM(m.pt.x, m.pt.y);
        return m.hwnd != nullptr;
    }
    if (IsMouseMessage(m.message)) {
        CWnd* target = WindowSystem::Capture();
        if (!target)
            target = WindowSystem::WindowFromScreenPoint(m.pt);
        if (!target)
            return false;
        m.hwnd = target;
        if (!WindowSystem::Capture()) {
            // Outside the client area (caption, frame) the non-client messages go instead.
            LRESULT hit = target->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(m.pt.x, m.pt.y));
            if (hit != HTCLIENT && hit != HTTRANSPARENT && hit != HTNOWHERE &&
                m.message >= WM_MOUSEMOVE && m.message <= WM_RBUTTONUP) {
                m.message = m.message - WM_MOUSEMOVE + WM_NCMOUSEMOVE;
                m.wParam = static_cast<WPARAM>(hit);
                m.lParam = MAKELPARAM(m.pt.x, m.pt.y);
                return true;
            }
        }
        CPoint local = m.pt;
        target->ScreenToClient(&local);
        m.lParam = MAKELPARAM(local.x, local.y);
        if (sideEffects && !WindowSystem::Capture()) {
            target->SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(target),
                                MAKELPARAM(HTCLIENT, static_cast<int>(m.message)));
            bool press = m.message == WM_LBUTTONDOWN || m.message == WM_RBUTTONDOWN ||
                         m.message == WM_MBUTTONDOWN || m.message == WM_LBUTTONDBLCLK ||
                         m.message == WM_RBUTTONDBLCLK;
            if (press && target->GetParent()) {
                LRESULT r = target->SendMessage(
                    WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(target->GetTopLevelParent()),
                    MAKELPARAM(HTCLIENT, static_cast<int>(m.message)));
                if (r == MA_ACTIVATEANDEAT || r == MA_NOACTIVATEANDEAT)
                    return false;
            }
        }
        return true;
    }
    if (IsKeyMessage(m.message)) {
        CWnd* target = WindowSystem::Focus();
        if (!target)
            target = WindowSystem::Active();
        if (!target)
            return false;
        m.hwnd = target;
        return true;
    }
    return m.hwnd != nullptr;
}

void UpdateKeyState(const MSG& m) {
    BYTE* keys = T().keys;
    auto set = [&](UINT vk, bool down) {
        if (down)
            keys[vk] = static_cast<BYTE>((keys[vk] | 0x80) ^ ((keys[vk] & 0x80) ? 0 : 1));
        else
            keys[vk] &= 0x7F;
    };
    switch (m.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        set(static_cast<UINT>(m.wParam) & 0xFF, true);
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        set(static_cast<UINT>(m.wParam) & 0xFF, false);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        set(VK_LBUTTON, true);
        break;
    case WM_LBUTTONUP:
        set(VK_LBUTTON, false);
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        set(VK_RBUTTON, true);
        break;
    case WM_RBUTTONUP:
        set(VK_RBUTTON, false);
        break;
    default:
        break;
    }
}

bool Matches(HWND filter, HWND target) {
    return !filter || filter == target || (target && filter->IsChild(target));
}

// One look at the queue without asking for more input.
bool PeekCore(LPMSG out, HWND filter, UINT min, UINT max, UINT remove) {
    ThreadState& t = T();
    for (auto it = t.queue.begin(); it != t.queue.end(); ++it) {
        MSG m = it->msg;
        if (!InRange(m.message, min, max))
            continue;
        if (it->input) {
            if (!(remove & PM_REMOVE)) {
                if (!RouteInput(m, false) || !Matches(filter, m.hwnd))
                    continue;
                *out = m;
                return true;
            }
            t.queue.erase(it);
            UpdateKeyState(m);
            if (!RouteInput(m, true) || !Matches(filter, m.hwnd))
                return PeekCore(out, filter, min, max, remove);
        } else {
            if (!Matches(filter, m.hwnd))
                continue;
            if (remove & PM_REMOVE)
                t.queue.erase(it);
        }
        *out = m;
        t.lastMessageTime = m.time;
        t.lastMessagePos = m.pt;
        return true;
    }
    if (t.quitPosted && InRange(WM_QUIT, min, max)) {
        *out = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(t.quitCode), 0, ui::ClockNow(), {}};
        if (remove & PM_REMOVE)
            t.quitPosted = false;
        return true;
    }
    if (InRange(WM_PAINT, min, max)) {
        if (CWnd* w = ui::WindowSystem::FindWindowToPaint(filter)) {
            *out = MSG{w, WM_PAINT, 0, 0, ui::ClockNow(), {}};
            return true;
        }
    }
    if (InRange(WM_TIMER, min, max)) {
        DWORD now = ui::ClockNow();
        Timer* best = nullptr;
        for (Timer& timer : t.timers)
            if (static_cast<int>(now - timer.due) >= 0 && Matches(filter, timer.hwnd) &&
                (!best || static_cast<int>(best->due - timer.due) > 0))
                best = &timer;
        if (best) {
            *out =
                MSG{best->hwnd, WM_TIMER, best->id, reinterpret_cast<LPARAM>(best->proc), now, {}};
            if (remove & PM_REMOVE)
                best->due = now + best->elapse;
            return true;
        }
    }
    return false;
}

// Asks the input source for more; false when nothing more will come.
bool MoreInput(bool blocking) {
    ThreadState& t = T();
    if (t.exhausted || !t.source)
        return false;
    if (t.source->NextInput(blocking) == ui::InputSource::Result::Delivered)
        return true;
    t.exhausted = true;
    auto& modal = ui::WindowSystem::Modal();
    t.waitedFor = modal.empty() ? L"" : modal.back()->GetWindowText().str();
    // The user is gone: release what is held so that drag loops end.
    if (CWnd* capture = ui::WindowSystem::Capture()) {
        if (t.keys[VK_LBUTTON] & 0x80) {
            POINT p{0, 0};
            capture->ClientToScreen(&p);
            t.queue.push_back({MSG{nullptr, WM_LBUTTONUP, 0, 0, ui::ClockNow(), p}, true});
        }
    }
    return false;
}

} // namespace

namespace ui {

InputSource* SetInputSource(InputSource* source) {
    InputSource* old = T().source;
    T().source = source;
    return old;
}
InputSource* GetInputSource() {
    return T().source;
}
bool InputExhausted() {
    return T().exhausted;
}
std::wstring ExhaustedWhileWaitingFor() {
    return T().waitedFor;
}
void ResetInput() {
    T().exhausted = false;
    T().waitedFor.clear();
    T().queue.clear();
    T().quitPosted = false;
    T().heldButtons = 0;
    std::fill(std::begin(T().keys), std::end(T().keys), 0);
}
void UseVirtualClock(bool useVirtual) {
    T().virtualClock = useVirtual;
}
bool IsVirtualClock() {
    return T().virtualClock;
}
void AdvanceClock(DWORD milliseconds) {
    T().virtualNow += milliseconds;
}
DWORD ClockNow() {
    ThreadState& t = T();
    if (t.virtualClock)
        return t.virtualNow;
    return static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                  std::chrono::steady_clock::now() - t.realStart)
                                  .count());
}

UINT& HeldButtons() {
    return T().heldButtons;
}

bool PeekQueued(LPMSG msg, HWND filter, UINT min, UINT max, UINT remove) {
    return PeekCore(msg, filter, min, max, remove);
}

bool RequestInput(bool blocking) {
    return MoreInput(blocking);
}

void PostInput(UINT message, WPARAM wParam, POINT screen, LPARAM lParam) {
    T().queue.push_back({MSG{nullptr, message, wParam, lParam, ClockNow(), screen}, true});
}

void DrainQueue() {
    MSG m;
    for (int guard = 0; guard < 100000 && PeekCore(&m, nullptr, 0, 0, PM_REMOVE); ++guard) {
        if (m.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(m.wParam));
            return;
        }
        bool handled = false;
        // The parent is taken first: a window may be gone once it has seen the message.
        for (CWnd* w = m.hwnd; w && IsWindow(w) && !handled;) {
            CWnd* parent = w->GetParent();
            handled = w->PreTranslateMessage(&m);
            w = parent;
        }
        if (!handled) {
            TranslateMessage(&m);
            DispatchMessage(&m);
        }
    }
}

bool NextTimerDue(DWORD& due) {
    bool any = false;
    for (const Timer& timer : T().timers)
        if (!any || static_cast<int>(due - timer.due) > 0) {
            due = timer.due;
            any = true;
        }
    return any;
}

void ForgetTimersAndMessages(CWnd* w) {
    ThreadState& t = T();
    t.timers.erase(std::remove_if(t.timers.begin(), t.timers.end(),
                                  [&](const Timer& x) { return x.hwnd == w; }),
                   t.timers.end());
    t.queue.erase(std::remove_if(t.queue.begin(), t.queue.end(),
                                 [&](const QueuedMessage& q) { return q.msg.hwnd == w; }),
                  t.queue.end());
}

void RetargetTimersAndMessages(CWnd* from, CWnd* to) {
    for (Timer& timer : T().timers)
        if (timer.hwnd == from)
            timer.hwnd = to;
    for (QueuedMessage& q : T().queue)
        if (q.msg.hwnd == from)
            q.msg.hwnd = to;
}

void WindowSystem::ForgetWindow(CWnd* w) {
    ForgetTimersAndMessages(w);
    if (Focus() == w)
        Focus() = nullptr;
    if (Capture() == w)
        Capture() = nullptr;
    if (Active() == w)
        Active() = nullptr;
}

void WindowSystem::Retarget(CWnd* from, CWnd* to) {
    RetargetTimersAndMessages(from, to);
    if (Focus() == from)
        Focus() = to;
    if (Capture() == from)
        Capture() = to;
    if (Active() == from)
        Active() = to;
    for (CWnd*& m : Modal())
        if (m == from)
            m = to;
}

} // namespace ui

// ---- the desktop API ----

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!IsWindow(hwnd))
        return 0;
    auto& stack = ui::WindowSystem::CurrentMessages();
    stack.push_back(MSG{hwnd, message, wParam, lParam, ui::ClockNow(), {}});
    LRESULT r = hwnd->WindowProc(message, wParam, lParam);
    stack.pop_back();
    return r;
}

BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (hwnd && !IsWindow(hwnd))
        return FALSE;
    T().queue.push_back({MSG{hwnd, message, wParam, lParam, ui::ClockNow(), {}}, false});
    return TRUE;
}

void PostQuitMessage(int exitCode) {
    T().quitPosted = true;
    T().quitCode = exitCode;
}

BOOL PeekMessage(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags) {
    if (PeekCore(msg, hwnd, filterMin, filterMax, removeFlags))
        return TRUE;
    if (MoreInput(false))
        return PeekCore(msg, hwnd, filterMin, filterMax, removeFlags) ? TRUE : FALSE;
    // Input that came with the exhaustion (a released button) is still worth seeing.
    return PeekCore(msg, hwnd, filterMin, filterMax, removeFlags) ? TRUE : FALSE;
}

BOOL WaitMessage() {
    MSG m;
    while (!PeekCore(&m, nullptr, 0, 0, PM_NOREMOVE))
        if (!MoreInput(true))
            return PeekCore(&m, nullptr, 0, 0, PM_NOREMOVE) ? TRUE : FALSE;
    return TRUE;
}

BOOL GetMessage(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax) {
    for (;;) {
        if (PeekCore(msg, hwnd, filterMin, filterMax, PM_REMOVE))
            return msg->message != WM_QUIT;
        if (!MoreInput(true)) {
            if (PeekCore(msg, hwnd, filterMin, filterMax, PM_REMOVE))
                return msg->message != WM_QUIT;
            // Nothing will ever come: answer as if the application were quitting.
            *msg = MSG{nullptr, WM_QUIT, 0, 0, ui::ClockNow(), {}};
            return FALSE;
        }
    }
}

BOOL TranslateMessage(const MSG* msg) {
    if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN))
        return FALSE;
    // A display that types the key's character itself says so in bit 25 (unused by the
    // desktop); the character then arrives as its own WM_CHAR.
    if (msg->lParam & (LPARAM(1) << 25))
        return FALSE;
    UINT vk = static_cast<UINT>(msg->wParam);
    bool shift = GetKeyState(VK_SHIFT) < 0;
    bool ctrl = GetKeyState(VK_CONTROL) < 0;
    wchar_t c = 0;
    if (vk >= 'A' && vk <= 'Z')
        c = ctrl ? static_cast<wchar_t>(vk - 'A' + 1)
                 : static_cast<wchar_t>(shift ? vk : vk - 'A' + 'a');
    else if (vk >= '0' && vk <= '9' && !ctrl)
        c = static_cast<wchar_t>(vk);
    else if (vk == VK_RETURN)
        c = L'\r';
    else if (vk == VK_ESCAPE)
        c = 0x1B;
    else if (vk == VK_BACK)
        c = 0x08;
    else if (vk == VK_TAB)
        c = L'\t';
    else if (vk == VK_SPACE)
        c = L' ';
    if (!c)
        return FALSE;
    // The character is the very next message, as the desktop places it.
    T().queue.push_front({MSG{msg->hwnd, msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR,
                              static_cast<WPARAM>(c), msg->lParam, msg->time, msg->pt},
                          false});
    return TRUE;
}

LRESULT DispatchMessage(const MSG* msg) {
    if (!msg)
        return 0;
    if (msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST)
        ui::RelayToolTipMouse(*msg);
    if (msg->message == WM_TIMER && msg->lParam) {
        reinterpret_cast<TIMERPROC>(msg->lParam)(msg->hwnd, WM_TIMER, msg->wParam, ui::ClockNow());
        return 0;
    }
    if (!msg->hwnd || !IsWindow(msg->hwnd))
        return 0;
    if (msg->message == WM_PAINT) {
        ui::WindowSystem::DeliverPaint(msg->hwnd);
        return 0;
    }
    auto& stack = ui::WindowSystem::CurrentMessages();
    stack.push_back(*msg);
    LRESULT r = msg->hwnd->WindowProc(msg->message, msg->wParam, msg->lParam);
    stack.pop_back();
    return r;
}

UINT RegisterWindowMessage(LPCTSTR name) {
    if (!name || !*name)
        return 0;
    auto& reg = T().registered;
    auto it = reg.find(name);
    if (it != reg.end())
        return it->second;
    return reg[name] = T().nextRegistered++;
}

DWORD GetMessageTime() {
    return T().lastMessageTime;
}

DWORD GetMessagePos() {
    return static_cast<DWORD>(MAKELPARAM(T().lastMessagePos.x, T().lastMessagePos.y));
}

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
    if (hwnd && !IsWindow(hwnd))
        return 0;
    elapse = std::max<UINT>(elapse, USER_TIMER_MINIMUM);
    ThreadState& t = T();
    for (Timer& timer : t.timers)
        if (timer.hwnd == hwnd && timer.id == id) {
            timer = Timer{hwnd, id, elapse, ui::ClockNow() + elapse, proc};
            return id ? id : 1;
        }
    t.timers.push_back(Timer{hwnd, id, elapse, ui::ClockNow() + elapse, proc});
    return id ? id : 1;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
    auto& timers = T().timers;
    auto it = std::find_if(timers.begin(), timers.end(),
                           [&](const Timer& x) { return x.hwnd == hwnd && x.id == id; });
    if (it == timers.end())
        return FALSE;
    timers.erase(it);
    return TRUE;
}

void Sleep(DWORD milliseconds) {
    if (T().virtualClock)
        T().virtualNow += milliseconds;
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

DWORD GetTickCount() {
    return ui::ClockNow();
}

SHORT GetKeyState(int virtualKey) {
    BYTE k = T().keys[virtualKey & 0xFF];
    return static_cast<SHORT>(((k & 0x80) ? 0x8000 : 0) | (k & 1));
}

SHORT GetAsyncKeyState(int virtualKey) {
    return static_cast<SHORT>((T().keys[virtualKey & 0xFF] & 0x80) ? 0x8000 : 0);
}
