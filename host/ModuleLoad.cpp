// The operating system's load and unload calls of the library: the loader runs these when the
// host opens and closes kestrel.arx. Only the module itself contains this file.

#include "host/HostModule.h"

#include "resources/KestrelResources.h"

namespace {

// The module's instance is its resources; they live inside the module's file, so the instance
// also finds that file.
HINSTANCE OwnInstance() {
    return KestrelResources();
}

__attribute__((constructor)) void LibraryAttach() {
    ModuleMain(OwnInstance(), DLL_PROCESS_ATTACH);
}

__attribute__((destructor)) void LibraryDetach() {
    ModuleMain(OwnInstance(), DLL_PROCESS_DETACH);
}

} // namespace
