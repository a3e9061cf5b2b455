// The operating system's load and unload calls of the library: the loader runs these when the
// host opens and closes kestrel.arx. Only the module itself contains this file.

#include "host/HostModule.h"

// Every shared object has its own, hidden __dso_handle: its address is inside the module, so it
// serves as the module's instance handle and finds the module's file.
extern "C" void* __dso_handle;

namespace {

HINSTANCE OwnInstance() {
    return reinterpret_cast<HINSTANCE>(&__dso_handle);
}

__attribute__((constructor)) void LibraryAttach() {
    ModuleMain(OwnInstance(), DLL_PROCESS_ATTACH);
}

__attribute__((destructor)) void LibraryDetach() {
    ModuleMain(OwnInstance(), DLL_PROCESS_DETACH);
}

} // namespace
