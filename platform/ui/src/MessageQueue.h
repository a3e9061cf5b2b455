#pragma once
// The thread's message queue and the loops that run it, for the windowing layer's own code,
// the display back ends and automation.
//
// Every loop that waits for the user (a modal dialog or message box, a menu, the program's
// own loop, GetMessage) takes a message with PeekQueued, hands it to PumpOne and, when the
// queue has nothing, calls WaitIdle, so they all treat messages, input and its end alike.

#include <functional>

#include <windows.h>

namespace ui {

// ---- the queue ----

// Looks at the queue (posted and input messages, quit, paint, due timers) without asking
// the input source for more.
bool PeekQueued(LPMSG msg, HWND filter, UINT min, UINT max, UINT remove);
// Queues mouse or keyboard input; its window is chosen when it is retrieved.
void PostInput(UINT message, WPARAM wParam, POINT screen, LPARAM lParam);
// Queues a message to be retrieved before everything else (the character of a key).
void PostNext(const MSG& msg);
// Whether a message for `target` passes a window filter: none, the window or one inside it.
bool WithinFilter(HWND filter, HWND target);
void ForgetMessages(CWnd* w);
void RetargetMessages(CWnd* from, CWnd* to);
void ClearQueue();

// ---- the loops ----

// Asks the input source for the next input; false when none will ever come.
bool RequestInput(bool blocking);
// The queue has nothing for a loop: waits for input. False when none will come and nothing
// that passes the filter is left, so the loop should end.
bool WaitIdle(HWND filter = nullptr, UINT min = 0, UINT max = 0);

// Looks at a message before the windows do (a menu's keys); true when it took the message.
using MessageFilter = std::function<bool(MSG&)>;
// Hands one retrieved message on: the filter first, then each window from the message's own
// up to its top-level window (PreTranslateMessage: a dialog's keyboard interface), then
// translation and the window procedure.
void PumpOne(MSG& msg, const MessageFilter& filter = {});
// Dispatches everything that is due now without asking for input.
void DrainQueue();

enum class LoopEnd { Done, Quit, NoMoreInput };
// The modal loop of `window` (it takes the dialog verbs while the loop runs): pumps messages
// until `done` answers true, a quit message comes (it is posted again for the outer loops)
// or the input has run out.
LoopEnd RunModalLoop(CWnd* window, const std::function<bool()>& done,
                     const MessageFilter& filter = {});

} // namespace ui
