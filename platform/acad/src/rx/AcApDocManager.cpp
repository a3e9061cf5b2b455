#include <acdocman.h>

#include <aced.h>
#include <acui.h>
#include <afxwin.h>

#include "rx/HostState.h"

// The top of the stack is the windowing library's current resource source; popping the last
// handle gives back the source that was current before the first push.
void AcApDocManager::pushResourceHandle(HINSTANCE instance) {
    if (stack_.empty())
        base_ = AfxGetResourceHandle();
    stack_.push_back(instance);
    AfxSetResourceHandle(instance);
}

void AcApDocManager::popResourceHandle() {
    if (stack_.empty())
        return;
    stack_.pop_back();
    AfxSetResourceHandle(stack_.empty() ? base_ : stack_.back());
}

AcApDocManager* acDocManagerPtr() {
    static AcApDocManager manager;
    return &manager;
}

namespace {
bool acUiReady = false;
HWND mainWindow = nullptr;
} // namespace

bool InitAcUiDLL() {
    acUiReady = true;
    return true;
}

bool IsAcUiReady() {
    return acUiReady;
}

HWND adsw_acadMainWnd() {
    return mainWindow;
}

void SetAcadMainWindow(HWND window) {
    mainWindow = window;
}
