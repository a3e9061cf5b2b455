#pragma once
// What the headless back end records of the system services that have no pixels: sounds
// and the cursor shape.

#include <vector>

#include <windows.h>

namespace ui {

struct CursorShape {
    int id; // the standard cursor's resource number (IDC_ARROW is 32512)
};

struct Sound {
    DWORD frequency; // 0 for a message beep
    DWORD duration;
    UINT type; // MessageBeep type, 0 for Beep
    DWORD time;
};

const std::vector<Sound>& Sounds();
void ClearSounds();
// The cursor shape currently set (the arrow when none was set).
int CurrentCursorId();

} // namespace ui
