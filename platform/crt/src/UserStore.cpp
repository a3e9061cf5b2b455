#include "UserStore.h"

#include "RegularFile.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace crt {
namespace {

std::string& InstallFolder() {
    static std::string folder;
    return folder;
}

std::string Canonical(const std::string& path) {
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? std::string(resolved) : std::string();
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A folder in which the user may not create a file: read-only for everyone (root included),
// or not the user's to write.
bool IsProtected(const std::string& folder) {
    struct stat info {};
    return ::stat(folder.c_str(), &info) == 0 &&
           ((info.st_mode & 0222) == 0 || ::access(folder.c_str(), W_OK) != 0);
}

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/')
        return home;
    const passwd* entry = ::getpwuid(::getuid());
    return entry && entry->pw_dir && entry->pw_dir[0] == '/' ? entry->pw_dir : "";
}

} // namespace

void SetInstallFolder(const std::string& folder) {
    InstallFolder() = folder.empty() ? std::string() : Canonical(folder);
}

std::string UserStoreFolder() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/')
        return std::string(config) + "/kestrel";
    const std::string home = HomeFolder();
    return home.empty() ? std::string() : home + "/.config/kestrel";
}

std::string UserCopyPath(const std::string& path) {
    const std::string& install = InstallFolder();
    if (install.empty() || path.empty() || path.back() == '/')
        return "";
    const std::string name = path.substr(path.rfind('/') + 1);
    if (name == "." || name == "..")
        return "";
    const std::string folder = Canonical(FolderOf(path));
    std::string below;
    if (folder == install)
        below = "/";
    else if (install == "/" || folder.rfind(install + "/", 0) == 0)
        below = folder.substr(install == "/" ? 0 : install.size()) + "/";
    else
        return "";
    if (!IsProtected(folder))
        return "";
    const std::string store = UserStoreFolder();
    return store.empty() ? std::string() : store + below + name;
}

namespace {

std::string ExistingUserCopy(const std::string& path) {
    std::string copy = UserCopyPath(path);
    struct stat info {};
    return !copy.empty() && ::lstat(copy.c_str(), &info) == 0 ? copy : std::string();
}

// Makes the folders the copy goes in, private to the user as their settings are.
bool MakeUserCopyFolders(const std::string& copy) {
    const std::string folder = FolderOf(copy);
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string step = folder.substr(0, slash);
        if (::mkdir(step.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            return true;
    }
}

// A write the user may not make (rather than one that failed for want of space, a folder, a
// name that is not a file...): only these go to the user's copy.
bool IsRefusal(int error) {
    return error == EACCES || error == EPERM || error == EROFS;
}

} // namespace

int OpenUserFile(const std::string& path, int flags, bool* notRegular) {
    const std::string copy = ExistingUserCopy(path);
    return OpenRegularFile(copy.empty() ? path : copy, flags, notRegular);
}

bool BeginUserReplacement(FileReplacement& replacement, const std::string& path) {
    const std::string existing = ExistingUserCopy(path);
    if (replacement.Begin(existing.empty() ? path : existing, FileReplacement::Backup::None))
        return true;
    const int error = errno;
    if (!existing.empty() || !IsRefusal(error))
        return false;
    const std::string copy = UserCopyPath(path);
    if (!copy.empty() && MakeUserCopyFolders(copy) &&
        replacement.Begin(copy, FileReplacement::Backup::None))
        return true;
    errno = error;
    return false;
}

int RemoveUserFile(const std::string& path) {
    const std::string copy = ExistingUserCopy(path);
    return std::remove((copy.empty() ? path : copy).c_str()) == 0 ? 0 : -1;
}

} // namespace crt
