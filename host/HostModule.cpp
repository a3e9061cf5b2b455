#include "host/HostModule.h"

#include <climits>
#include <cstdlib>
#include <cwchar>
#include <dlfcn.h>
#include <string>

#include "platform/acad/rx/AcApDocManager.h"
#include "platform/crt/WideText.h"

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

DWORD ModuleFileName(const void* address, wchar_t* buffer, DWORD size) {
    if (!buffer || size == 0)
        return 0;
    buffer[0] = L'\0';
    Dl_info info{};
    if (!address || !dladdr(address, &info) || !info.dli_fname)
        return 0;
    // The loader names the main program "", whose file the kernel knows.
    const char* file = *info.dli_fname ? info.dli_fname : "/proc/self/exe";
    char resolved[PATH_MAX];
    const char* path = realpath(file, resolved) ? resolved : file;
    std::wstring wide = crt::FromUtf8(path);
    DWORD length = wide.size() < size ? static_cast<DWORD>(wide.size()) : size - 1;
    std::wmemcpy(buffer, wide.data(), length);
    buffer[length] = L'\0';
    return length;
}

BOOL ModuleMain(HINSTANCE instance, DWORD reason) {
    if (reason == DLL_PROCESS_ATTACH) {
        // A second attach leaves the attached module as it is.
        if (!extensionModule.attached) {
            extensionModule.attached = 1;
            extensionModule.previousResource = acDocManager->resourceHandle();
            extensionModule.moduleInstance = instance;
            ModuleFileName(instance, modulePath, kModulePathSize);
        }
        InitAcUiDLL();
    } else if (reason == DLL_PROCESS_DETACH) {
        if (extensionModule.attached)
            extensionModule = ExtensionModuleRecord{};
    }
    return TRUE;
}
