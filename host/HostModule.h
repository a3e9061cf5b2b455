#pragma once
// Module-wide facts every part of the module may ask for: its own instance (the resource source
// the command frames push) and the full path of its file, from which the settings files beside
// the module are found.

#include "platform/acad/rx/HostTypes.h"

// Length of the module-path buffer, terminator included.
constexpr int kModulePathSize = 259;

// The module's instance handle (null before the library was attached).
HINSTANCE ModuleInstance();
// The module's file path, "" before the library was attached.
const wchar_t* ModulePath();

// The extension-module record: whether the module is attached, its instance and the resource
// source that was current before the attach.
struct ExtensionModuleRecord {
    int attached = 0;
    HINSTANCE moduleInstance = nullptr;
    HINSTANCE previousResource = nullptr;
};
const ExtensionModuleRecord& ExtensionModule();

// The library's load/unload entry (reason 1 attach, 0 detach); every reason answers 1.
constexpr DWORD DLL_PROCESS_DETACH = 0;
constexpr DWORD DLL_PROCESS_ATTACH = 1;
BOOL ModuleMain(HINSTANCE instance, DWORD reason);

// The path of the library that holds `address`, as GetModuleFileNameW gives it: at most
// size - 1 characters and a terminator; the length copied, 0 when unknown.
DWORD ModuleFileName(const void* address, wchar_t* buffer, DWORD size);
