#include "RegularFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace crt {

int OpenRegularFile(const std::string& path, int flags, bool* notRegular) {
    if (notRegular)
        *notRegular = false;
    // Not blocking while it opens: a FIFO without a writer opens at once and is then refused.
    const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        if (errno == ENXIO && notRegular) // a FIFO without a reader, opened for writing
            *notRegular = true;
        return -1;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const int error = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
        ::close(fd);
        if (notRegular)
            *notRegular = true;
        errno = error;
        return -1;
    }
    if (!(flags & O_NONBLOCK))
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

} // namespace crt
