#include "MessageQueue.h"

#include <algorithm>
#include <deque>

#include "Clock.h"
#include "InputRouting.h"
#include "KeyboardState.h"
#include "Timers.h"
#include "WindowSystem.h"

namespace {

struct QueuedMessage {
    MSG msg;
    bool input; // routed when retrieved: mouse to capture or the window under the point
};

struct QueueState {
    std::deque<QueuedMessage> messages;
    bool quitPosted = false;
    int quitCode = 0;
    DWORD lastMessageTime = 0;
    POINT lastMessagePos{0, 0};
};

QueueState& Queue() {
    static QueueState queue;
    return queue;
}

bool InRange(UINT message, UINT min, UINT max) {
    return (min == 0 && max == 0) || (message >= min && message <= max);
}

// The first posted or input message in the range for the windows the filter passes. Input
// taken from the queue updates the key state and is routed with its side effects; input
// that has no window then is dropped.
bool PeekPosted(LPMSG out, HWND filter, UINT min, UINT max, UINT remove) {
    auto& messages = Queue().messages;
    for (auto it = messages.begin(); it != messages.end(); ++it) {
        MSG m = it->msg;
        if (!InRange(m.message, min, max))
            continue;
        if (!it->input) {
            if (!ui::WithinFilter(filter, m.hwnd))
                continue;
            if (remove & PM_REMOVE)
                messages.erase(it);
        } else if (!(remove & PM_REMOVE)) {
            if (!ui::RouteInput(m, false) || !ui::WithinFilter(filter, m.hwnd))
                continue;
        } else {
            messages.erase(it);
            ui::NoteKeyState(m);
            if (!ui::RouteInput(m, true) || !ui::WithinFilter(filter, m.hwnd))
                return PeekPosted(out, filter, min, max, remove);
        }
        *out = m;
        Queue().lastMessageTime = m.time;
        Queue().lastMessagePos = m.pt;
        return true;
    }
    return false;
}

} // namespace

namespace ui {

bool WithinFilter(HWND filter, HWND target) {
    return !filter || filter == target || (target && filter->IsChild(target));
}

// What a loop retrieves, in the desktop's order: posted and input messages, the quit
// message, paint when nothing else is there, then timers that fell due.
bool PeekQueued(LPMSG out, HWND filter, UINT min, UINT max, UINT remove) {
    if (PeekPosted(out, filter, min, max, remove))
        return true;
    QueueState& queue = Queue();
    if (queue.quitPosted && InRange(WM_QUIT, min, max)) {
        *out = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(queue.quitCode), 0, ClockNow(), {}};
        if (remove & PM_REMOVE)
            queue.quitPosted = false;
        return true;
    }
    if (InRange(WM_PAINT, min, max)) {
        if (CWnd* w = WindowSystem::FindWindowToPaint(filter)) {
            *out = MSG{w, WM_PAINT, 0, 0, ClockNow(), {}};
            return true;
        }
    }
    return InRange(WM_TIMER, min, max) && DueTimerMessage(filter, remove & PM_REMOVE, *out);
}

void PostInput(UINT message, WPARAM wParam, POINT screen, LPARAM lParam) {
    Queue().messages.push_back({MSG{nullptr, message, wParam, lParam, ClockNow(), screen}, true});
}

void PostNext(const MSG& msg) {
    Queue().messages.push_front({msg, false});
}

void ForgetMessages(CWnd* w) {
    auto& messages = Queue().messages;
    messages.erase(std::remove_if(messages.begin(), messages.end(),
                                  [&](const QueuedMessage& q) { return q.msg.hwnd == w; }),
                   messages.end());
}

void RetargetMessages(CWnd* from, CWnd* to) {
    for (QueuedMessage& q : Queue().messages)
        if (q.msg.hwnd == from)
            q.msg.hwnd = to;
}

void ClearQueue() {
    Queue().messages.clear();
    Queue().quitPosted = false;
}

} // namespace ui

BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (hwnd && !IsWindow(hwnd))
        return FALSE;
    Queue().messages.push_back({MSG{hwnd, message, wParam, lParam, ui::ClockNow(), {}}, false});
    return TRUE;
}

void PostQuitMessage(int exitCode) {
    Queue().quitPosted = true;
    Queue().quitCode = exitCode;
}

DWORD GetMessageTime() {
    return Queue().lastMessageTime;
}

DWORD GetMessagePos() {
    const POINT p = Queue().lastMessagePos;
    return static_cast<DWORD>(MAKELPARAM(p.x, p.y));
}
