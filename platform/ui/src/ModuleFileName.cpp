#include <windows.h>

#include <cwchar>
#include <dlfcn.h>
#include <link.h>
#include <string>
#include <unistd.h>

#include "Utf8.h"

// An instance handle is an address inside its module (the module's resources), so the loader
// knows the file that holds it. The path is the one the module was loaded by, made absolute
// but not resolved: a module reached through a link is where the link is.
DWORD GetModuleFileNameW(HMODULE module, LPWSTR buffer, DWORD size) {
    if (!buffer || size == 0)
        return 0;
    buffer[0] = L'\0';
    std::string path;
    Dl_info info{};
    link_map* loaded = nullptr;
    if (module && dladdr1(module, &info, reinterpret_cast<void**>(&loaded), RTLD_DL_LINKMAP) &&
        loaded && loaded->l_name && *loaded->l_name) {
        path = loaded->l_name;
    } else {
        // The program itself: the loader names it "", the kernel knows its file.
        char program[4096];
        const ssize_t length = readlink("/proc/self/exe", program, sizeof program - 1);
        if (length <= 0)
            return 0;
        path.assign(program, static_cast<std::size_t>(length));
    }
    if (path[0] != '/') {
        char cwd[4096];
        if (!getcwd(cwd, sizeof cwd))
            return 0;
        path = std::string(cwd) + "/" + (path.rfind("./", 0) == 0 ? path.substr(2) : path);
    }
    const std::wstring wide = crt::FromUtf8(path);
    const DWORD length = wide.size() < size ? static_cast<DWORD>(wide.size()) : size - 1;
    std::wmemcpy(buffer, wide.data(), length);
    buffer[length] = L'\0';
    return length;
}
