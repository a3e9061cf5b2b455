#pragma once
// What the host knows about each loaded application: whether it may be unloaded on request and
// whether it runs with several open drawings.

#include <set>

#include "rxregsvc.h"

class AcRxDynamicLinker : public AcRxObject {
public:
    KESTREL_RX_DECLARE_MEMBERS(AcRxDynamicLinker)

    bool unlockApplication(void* appId);
    bool lockApplication(void* appId);
    bool isApplicationLocked(void* appId) const;
    bool registerAppMDIAware(void* appId);
    bool isAppMDIAware(void* appId) const;
    // Forgets an application when the host unloads it.
    void forgetApplication(void* appId);

private:
    std::set<void*> unlocked_;
    std::set<void*> mdiAware_;
};

#define acrxDynamicLinker AcRxDynamicLinker::cast(acrxSysRegistry()->at(ACRX_DYNAMIC_LINKER))
