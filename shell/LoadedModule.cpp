#include "shell/LoadedModule.h"

#include <dlfcn.h>
#include <unistd.h>

#include <rxdlinkr.h>

namespace shell {

std::string ModuleOfProgram(const std::string& program) {
    const std::size_t slash = program.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : program.substr(0, slash);
    const std::string beside = folder + "/kestrel.arx";
    const std::string installed = folder + "/../lib/kestrel/kestrel.arx";
    if (access(beside.c_str(), F_OK) != 0 && access(installed.c_str(), F_OK) == 0)
        return installed;
    return beside;
}

std::string DefaultModulePath() {
    char path[4096];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return "kestrel.arx";
    return ModuleOfProgram(std::string(path, static_cast<std::size_t>(length)));
}

std::unique_ptr<LoadedModule> LoadedModule::Open(const std::string& path, std::string& error) {
    // A bare name would be searched on the library path; the module is always a file.
    std::string file = path.find('/') == std::string::npos ? "./" + path : path;
    void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        error = "cannot load the module " + path + ": " + (why ? why : "unknown error");
        return nullptr;
    }
    auto entry = reinterpret_cast<EntryPoint>(dlsym(handle, "acrxEntryPoint"));
    auto version = reinterpret_cast<int (*)()>(dlsym(handle, "acrxGetApiVersion"));
    if (!entry || !version) {
        error = "the module " + path + " has no acrxEntryPoint or acrxGetApiVersion";
        dlclose(handle);
        return nullptr;
    }
    if (version() != kAcadApiVersion) {
        error = "the module " + path + " was built for interface release " +
                std::to_string(version()) + ", this host is release " +
                std::to_string(kAcadApiVersion);
        dlclose(handle);
        return nullptr;
    }
    return std::unique_ptr<LoadedModule>(new LoadedModule(handle, entry));
}

AcRx::AppRetCode LoadedModule::Init() {
    initialised_ = true;
    return entry_(AcRx::kInitAppMsg, handle_);
}

AcRx::AppRetCode LoadedModule::Unload() {
    if (!initialised_)
        return AcRx::kRetOK;
    initialised_ = false;
    AcRx::AppRetCode result = entry_(AcRx::kUnloadAppMsg, handle_);
    if (AcRxDynamicLinker* linker = acrxDynamicLinker)
        linker->forgetApplication(handle_);
    return result;
}

LoadedModule::~LoadedModule() {
    Unload();
    dlclose(handle_);
}

} // namespace shell
