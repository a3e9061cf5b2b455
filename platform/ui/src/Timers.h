#pragma once
// The thread's timers, for the queue that turns them into WM_TIMER messages and for the loops
// that wait for the next one.

#include <windows.h>

namespace ui {

// The earliest time a timer falls due; false when there is no timer.
bool NextTimerDue(DWORD& due);
// The WM_TIMER message of the timer that fell due first among the windows `filter` passes;
// `reschedule` counts the message as retrieved (the timer's next period starts now).
bool DueTimerMessage(HWND filter, bool reschedule, MSG& out);
void ForgetTimers(CWnd* w);
void RetargetTimers(CWnd* from, CWnd* to);

} // namespace ui
