#include "grid/UGDragPump.h"

#include <afxwin.h>

bool PumpBetweenDragSteps(const CWnd* captor, bool lastStepMoved) {
    for (;;) {
        if (CWnd::GetCapture() != captor)
            return false;
        MSG msg;
        if (PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP)
                return false;
            PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE);
            TranslateMessage(&msg);
            DispatchMessage(&msg);
            continue;
        }
        return lastStepMoved || WaitMessage();
    }
}
