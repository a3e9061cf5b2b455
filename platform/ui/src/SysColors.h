#pragma once
// The system colour table behind GetSysColor and SetSysColors.

#include <windows.h>

// Puts the whole table back to the classic palette (start-up state; used by tests).
void ResetSysColors();
