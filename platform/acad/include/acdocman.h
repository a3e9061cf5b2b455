#pragma once
// The document manager as far as applications use it: the stack of resource sources. While an
// application's handle is pushed, dialogs and strings load from that application.

#include <vector>

#include <windef.h>

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
