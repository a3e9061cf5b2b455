#pragma once
// An application module loaded into the host: opened with dlopen, its entry points found, told
// that it was loaded and that it is about to be unloaded, and closed.

#include <memory>
#include <string>

#include <rxdefs.h>

namespace shell {

class LoadedModule {
public:
    // Opens the module and checks its interface release; null with `error` set on failure.
    static std::unique_ptr<LoadedModule> Open(const std::string& path, std::string& error);
    ~LoadedModule(); // unloads the module (after the unload message, if not sent yet)
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    // The init message: the module registers its commands.
    AcRx::AppRetCode Init();
    // The unload message: the module removes its commands; the host forgets it.
    AcRx::AppRetCode Unload();
    void* AppId() const { return handle_; }

private:
    using EntryPoint = AcRx::AppRetCode (*)(AcRx::AppMsgCode, void*);
    LoadedModule(void* handle, EntryPoint entry) : handle_(handle), entry_(entry) {}

    void* handle_;
    EntryPoint entry_;
    bool initialised_ = false;
};

// The module of the program at `program`: kestrel.arx beside it (as the build leaves them),
// else lib/kestrel/kestrel.arx beside the program's folder (as they are installed, the
// program in bin/); the first when neither is there, for the message that says so.
std::string ModuleOfProgram(const std::string& program);
// The module of the running program.
std::string DefaultModulePath();

} // namespace shell
