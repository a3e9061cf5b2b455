#pragma once
// The state of the keys and mouse buttons as the retrieved input has left it (GetKeyState),
// and the buttons that input still in the queue holds down.

#include <windows.h>

namespace ui {

// Follows a key or button message as it is retrieved from the queue.
void NoteKeyState(const MSG& m);
bool LeftButtonDown();
// The mouse buttons that queued input holds down (MK_LBUTTON, MK_RBUTTON), for the code that
// queues more of it.
UINT& HeldButtons();
void ResetKeyState();

} // namespace ui
