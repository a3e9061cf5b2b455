#pragma once
// Module-wide facts every part of the module may ask for: its own instance (the resource source
// the command frames push) and the full path of its file, from which the settings files beside
// the module are found.

#include <windows.h>

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
BOOL ModuleMain(HINSTANCE instance, DWORD reason);
