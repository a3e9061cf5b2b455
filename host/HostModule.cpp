#include "host/HostModule.h"

#include <acdocman.h>
#include <acui.h>
#include <windows.h>

namespace {

ExtensionModuleRecord extensionModule;
wchar_t modulePath[kModulePathSize] = L"";

} // namespace

HINSTANCE ModuleInstance() {
    return extensionModule.moduleInstance;
}

const wchar_t* ModulePath() {
    return modulePath;
}

const ExtensionModuleRecord& ExtensionModule() {
    return extensionModule;
}

BOOL ModuleMain(HINSTANCE instance, DWORD reason) {
    if (reason == DLL_PROCESS_ATTACH) {
        // A second attach leaves the attached module as it is.
        if (!extensionModule.attached) {
            extensionModule.attached = 1;
            extensionModule.previousResource = acDocManager->resourceHandle();
            extensionModule.moduleInstance = instance;
            GetModuleFileNameW(instance, modulePath, kModulePathSize);
        }
        InitAcUiDLL();
    } else if (reason == DLL_PROCESS_DETACH) {
        // Nothing of the detached library stays behind, its path included: the settings files
        // are found beside an attached module only.
        if (extensionModule.attached) {
            extensionModule = ExtensionModuleRecord{};
            modulePath[0] = L'\0';
        }
    }
    return TRUE;
}
