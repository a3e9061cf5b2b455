#pragma once
// The queue's internals for the windowing layer's own loops and for automation.

#include <windows.h>

namespace ui {

// Looks at the queue (posted and input messages, quit, paint, due timers) without asking
// the input source for more.
bool PeekQueued(LPMSG msg, HWND filter, UINT min, UINT max, UINT remove);
// Asks the input source for the next input; false when none will ever come.
bool RequestInput(bool blocking);
// Dispatches everything that is due now without asking for input.
void DrainQueue();
// Queues mouse or keyboard input; its window is chosen when it is retrieved.
void PostInput(UINT message, WPARAM wParam, POINT screen, LPARAM lParam);
bool NextTimerDue(DWORD& due);
// The mouse buttons that queued input holds down (MK_LBUTTON, MK_RBUTTON).
UINT& HeldButtons();

} // namespace ui
