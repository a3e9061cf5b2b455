#include "platform/acad/rx/AcApDocManager.h"

void AcApDocManager::pushResourceHandle(HINSTANCE instance) {
    stack_.push_back(instance);
}

void AcApDocManager::popResourceHandle() {
    if (!stack_.empty())
        stack_.pop_back();
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
