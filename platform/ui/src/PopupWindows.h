#pragma once
// The pop-up windows the library shows on its own: the menu being tracked and the shared
// tool-tip window.

#include <afxwin.h>

namespace ui {
// The pop-up window of the menu being tracked, or null (for tests and shots).
CWnd* TrackedMenuWindow();

// The message loops call this with every mouse message before dispatching it.
void RelayToolTipMouse(const MSG& msg);
// The shared tip window while it shows a tip, else null; its text is the tip.
CWnd* VisibleToolTip();
// How long the mouse rests before a tip shows.
constexpr UINT kToolTipDelay = 500;
} // namespace ui
