#include "FileReplacement.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <set>
#include <unistd.h>

namespace crt {
namespace {

// The temporary files of replacements in progress, removed should the process end before
// they do, and the file-size signal, ignored while any replacement writes.
struct InProgress {
    std::set<std::string> temporaries;
    int writers = 0;
    struct sigaction previous {};

    ~InProgress() {
        for (const std::string& temporary : temporaries)
            ::unlink(temporary.c_str());
    }
};

InProgress& Replacements() {
    static InProgress inProgress;
    return inProgress;
}

// Past the file-size limit a write fails with EFBIG once the signal is ignored; by default
// the signal would end the process.
void StartWriting(const std::string& temporary) {
    InProgress& replacements = Replacements();
    replacements.temporaries.insert(temporary);
    if (replacements.writers++ == 0) {
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        sigaction(SIGXFSZ, &ignore, &replacements.previous);
    }
}

void StopWriting(const std::string& temporary) {
    InProgress& replacements = Replacements();
    replacements.temporaries.erase(temporary);
    if (--replacements.writers == 0)
        sigaction(SIGXFSZ, &replacements.previous, nullptr);
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Follows the links of the last component until it names something that is not a link (or
// nothing). False with errno ELOOP when the links go round.
bool FollowLinks(const std::string& path, std::string& target) {
    target = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return true;
        char link[PATH_MAX];
        const ssize_t length = ::readlink(target.c_str(), link, sizeof link);
        if (length <= 0 || static_cast<std::size_t>(length) >= sizeof link)
            return true; // unreadable: let the operations on it report why
        std::string next(link, static_cast<std::size_t>(length));
        if (next[0] != '/' && target.find('/') != std::string::npos)
            next = FolderOf(target) + "/" + next;
        target = next;
    }
    errno = ELOOP;
    return false;
}

} // namespace

FileReplacement::~FileReplacement() {
    Abandon();
}

std::string FileReplacement::BackupPath(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot <= nameStart)
        return path + ".bak";
    return path.substr(0, dot) + ".bak";
}

bool FileReplacement::Fail(const std::string& what, int error) {
    failure_ = what + ": " + std::strerror(error);
    errno = error;
    return false;
}

bool FileReplacement::Begin(const std::string& path, Backup backup) {
    Abandon();
    path_ = path;
    backup_ = backup;
    failure_.clear();
    if (path.empty())
        return Fail("cannot write \"\"", ENOENT);
    if (!FollowLinks(path, target_))
        return Fail("cannot write " + path, errno);

    struct stat target {};
    targetExists_ = ::stat(target_.c_str(), &target) == 0;
    if (targetExists_) {
        if (S_ISDIR(target.st_mode))
            return Fail("cannot replace " + path, EISDIR);
        if (!S_ISREG(target.st_mode)) {
            Fail("cannot replace " + path, EINVAL);
            failure_ = "cannot replace " + path + ": it is not a file";
            return false;
        }
        // A file without any write permission is read-only for everyone, root included.
        if ((target.st_mode & 0222) == 0) {
            Fail("cannot write " + path, EACCES);
            failure_ = "cannot write " + path + ": the file is read-only";
            return false;
        }
        if (::access(target_.c_str(), W_OK) != 0)
            return Fail("cannot write " + path, errno);
    } else if (errno != ENOENT) {
        return Fail("cannot write " + path, errno);
    }

    const std::string folder = FolderOf(target_);
    struct stat folderInfo {};
    if (::stat(folder.c_str(), &folderInfo) != 0)
        return Fail("cannot create a temporary file beside " + path, errno);
    if ((folderInfo.st_mode & 0222) == 0) {
        Fail("cannot create a temporary file beside " + path, EACCES);
        failure_ = "cannot create a temporary file beside " + path + ": the folder is read-only";
        return false;
    }
    // A hidden name beside the target, cut so that it stays within the length of a name.
    temporary_ = folder + "/." + NameOf(target_).substr(0, 200) + ".XXXXXX";
    fd_ = ::mkostemp(temporary_.data(), O_CLOEXEC);
    if (fd_ < 0) {
        temporary_.clear();
        return Fail("cannot create a temporary file beside " + path, errno);
    }
    if (targetExists_) {
        // Owner first: changing it may clear the mode's set-id bits.
        if (::fchown(fd_, target.st_uid, target.st_gid) != 0)
            (void)!::fchown(fd_, static_cast<uid_t>(-1), target.st_gid);
        ::fchmod(fd_, target.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd_, 0666 & ~mask);
    }
    StartWriting(temporary_);
    return true;
}

bool FileReplacement::Commit() {
    if (fd_ < 0)
        return Fail("cannot write " + path_, EBADF);
    if (::fsync(fd_) != 0 || ::close(fd_) != 0) {
        const int error = errno;
        Abandon();
        return Fail("cannot write " + path_, error);
    }
    fd_ = -1;
    std::string backup = BackupPath(target_);
    bool movedAway = false;
    if (backup_ == Backup::Keep && targetExists_ && backup != target_) {
        if (::unlink(backup.c_str()) != 0 && errno != ENOENT) {
            const int error = errno;
            Abandon();
            return Fail("cannot keep the previous file as " + backup, error);
        }
        // A second name for the previous file; where the file system has no hard links, the
        // previous file moves to the backup name instead.
        if (::link(target_.c_str(), backup.c_str()) != 0) {
            if (::rename(target_.c_str(), backup.c_str()) != 0) {
                const int error = errno;
                Abandon();
                return Fail("cannot keep the previous file as " + backup, error);
            }
            movedAway = true;
        }
    }
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
        const int error = errno;
        if (movedAway)
            ::rename(backup.c_str(), target_.c_str());
        Abandon();
        return Fail("cannot replace " + path_, error);
    }
    Release();
    return true;
}

void FileReplacement::Abandon() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (!temporary_.empty())
        ::unlink(temporary_.c_str());
    Release();
}

void FileReplacement::Release() {
    if (!temporary_.empty())
        StopWriting(temporary_);
    temporary_.clear();
}

} // namespace crt
