#pragma once
// The document manager as far as applications use it: the stack of resource sources. While an
// application's handle is pushed, dialogs and strings load from that application.

#include <vector>

#include "platform/acad/rx/HostTypes.h"

class AcApDocManager {
public:
    void pushResourceHandle(HINSTANCE instance);
    void popResourceHandle();
    // The current resource source (null when only the host's own resources are current).
    HINSTANCE resourceHandle() const { return stack_.empty() ? nullptr : stack_.back(); }
    std::size_t resourceDepth() const { return stack_.size(); }

private:
    std::vector<HINSTANCE> stack_;
    HINSTANCE base_ = nullptr;
};

AcApDocManager* acDocManagerPtr();
#define acDocManager acDocManagerPtr()

// The host's dialog-support library; dialogs may open once it is ready.
bool InitAcUiDLL();
bool IsAcUiReady();

// The host's main window, parent of the applications' modal dialogs. The program that hosts
// the editor sets it once its window exists; until then it is null (the desktop).
HWND adsw_acadMainWnd();
void SetAcadMainWindow(HWND window);
