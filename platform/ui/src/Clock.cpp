#include "Clock.h"

#include <chrono>
#include <thread>

#include <windows.h>

namespace {

struct ClockState {
    bool isVirtual = true;
    DWORD virtualNow = 0;
    std::chrono::steady_clock::time_point realStart = std::chrono::steady_clock::now();
};

ClockState& Clock() {
    static ClockState clock;
    return clock;
}

} // namespace

namespace ui {

void UseVirtualClock(bool useVirtual) {
    Clock().isVirtual = useVirtual;
}

bool IsVirtualClock() {
    return Clock().isVirtual;
}

void AdvanceClock(DWORD milliseconds) {
    Clock().virtualNow += milliseconds;
}

DWORD ClockNow() {
    const ClockState& clock = Clock();
    if (clock.isVirtual)
        return clock.virtualNow;
    return static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                  std::chrono::steady_clock::now() - clock.realStart)
                                  .count());
}

} // namespace ui

void Sleep(DWORD milliseconds) {
    if (ui::IsVirtualClock())
        ui::AdvanceClock(milliseconds);
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

DWORD GetTickCount() {
    return ui::ClockNow();
}
