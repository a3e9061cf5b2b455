#pragma once
// Which window queued mouse and keyboard input goes to.

#include <windows.h>

namespace ui {

// Decides the window an input message goes to (the mouse to the capture or the window under
// the point, keys to the focus) and puts its point in that window's client coordinates.
// `retrieving` also sends the cursor and activation messages that taking a mouse message
// from the queue sends. Answers false when the message has no window or was eaten.
bool RouteInput(MSG& m, bool retrieving);

} // namespace ui
