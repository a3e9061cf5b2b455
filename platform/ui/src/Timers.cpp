#include "Timers.h"

#include <algorithm>
#include <vector>

#include "Clock.h"
#include "MessageQueue.h"

namespace {

struct Timer {
    HWND hwnd;
    UINT_PTR id;
    UINT elapse;
    DWORD due;
    TIMERPROC proc;
};

// Never destroyed: windows that live in other statics forget their timers as they die at
// exit, whichever static goes first.
std::vector<Timer>& Timers() {
    static auto* timers = new std::vector<Timer>;
    return *timers;
}

bool Overdue(DWORD due, DWORD now) {
    return static_cast<int>(now - due) >= 0;
}

bool Earlier(DWORD a, DWORD b) {
    return static_cast<int>(b - a) > 0;
}

} // namespace

namespace ui {

bool NextTimerDue(DWORD& due) {
    bool any = false;
    for (const Timer& timer : Timers())
        if (!any || Earlier(timer.due, due)) {
            due = timer.due;
            any = true;
        }
    return any;
}

bool DueTimerMessage(HWND filter, bool reschedule, MSG& out) {
    const DWORD now = ClockNow();
    Timer* first = nullptr;
    for (Timer& timer : Timers())
        if (Overdue(timer.due, now) && WithinFilter(filter, timer.hwnd) &&
            (!first || Earlier(timer.due, first->due)))
            first = &timer;
    if (!first)
        return false;
    out = MSG{first->hwnd, WM_TIMER, first->id, reinterpret_cast<LPARAM>(first->proc), now, {}};
    if (reschedule)
        first->due = now + first->elapse;
    return true;
}

void ForgetTimers(CWnd* w) {
    auto& timers = Timers();
    timers.erase(std::remove_if(timers.begin(), timers.end(),
                                [&](const Timer& timer) { return timer.hwnd == w; }),
                 timers.end());
}

void RetargetTimers(CWnd* from, CWnd* to) {
    for (Timer& timer : Timers())
        if (timer.hwnd == from)
            timer.hwnd = to;
}

} // namespace ui

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
    if (hwnd && !IsWindow(hwnd))
        return 0;
    elapse = std::max<UINT>(elapse, USER_TIMER_MINIMUM);
    const Timer timer{hwnd, id, elapse, ui::ClockNow() + elapse, proc};
    auto& timers = Timers();
    auto same = std::find_if(timers.begin(), timers.end(),
                             [&](const Timer& x) { return x.hwnd == hwnd && x.id == id; });
    if (same != timers.end())
        *same = timer; // setting a timer again restarts it
    else
        timers.push_back(timer);
    return id ? id : 1;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
    auto& timers = Timers();
    auto it = std::find_if(timers.begin(), timers.end(),
                           [&](const Timer& x) { return x.hwnd == hwnd && x.id == id; });
    if (it == timers.end())
        return FALSE;
    timers.erase(it);
    return TRUE;
}
