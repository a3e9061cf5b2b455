#include <rxdlinkr.h>

KESTREL_RX_DEFINE_MEMBERS(AcRxDynamicLinker, AcRxObject)

bool AcRxDynamicLinker::unlockApplication(void* appId) {
    if (!appId)
        return false;
    unlocked_.insert(appId);
    return true;
}

bool AcRxDynamicLinker::lockApplication(void* appId) {
    return unlocked_.erase(appId) > 0;
}

bool AcRxDynamicLinker::isApplicationLocked(void* appId) const {
    return !unlocked_.contains(appId);
}

bool AcRxDynamicLinker::registerAppMDIAware(void* appId) {
    if (!appId)
        return false;
    mdiAware_.insert(appId);
    return true;
}

bool AcRxDynamicLinker::isAppMDIAware(void* appId) const {
    return mdiAware_.contains(appId);
}

void AcRxDynamicLinker::forgetApplication(void* appId) {
    unlocked_.erase(appId);
    mdiAware_.erase(appId);
}
