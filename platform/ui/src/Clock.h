#pragma once
// The clock behind timers, message times, Sleep and GetTickCount: virtual in a headless run
// (it starts at 0 and moves only by Sleep and AdvanceClock, so a script's WAIT decides how
// time passes) or real with a display.

#include <windef.h>

namespace ui {

void UseVirtualClock(bool useVirtual);
bool IsVirtualClock();
void AdvanceClock(DWORD milliseconds);
DWORD ClockNow();

} // namespace ui
