#include "DrawingBytes.h"

#include "dxf/BinaryDxf.h"
#include "dxf/DxfTags.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrel::acad {

namespace {

[[noreturn]] void fail(Acad::ErrorStatus status, std::string message) {
    throw FileError{status, std::move(message)};
}

[[noreturn]] void failWithErrno(const char* what) {
    int error = errno;
    fail(error == ENOENT ? Acad::eFileNotFound : Acad::eFileAccessErr,
         std::string(what) + ": " + std::strerror(error));
}

const char* kindOf(mode_t mode) {
    if (S_ISDIR(mode))
        return "a folder";
    if (S_ISFIFO(mode))
        return "a FIFO";
    if (S_ISCHR(mode))
        return "a character device";
    if (S_ISBLK(mode))
        return "a block device";
    if (S_ISSOCK(mode))
        return "a socket";
    return "not a file";
}

void refuseUnlessRegular(const struct stat& st) {
    if (!S_ISREG(st.st_mode))
        fail(Acad::eFileAccessErr, std::string("not a regular file (") + kindOf(st.st_mode) + ")");
    // Offsets into the drawing are 32-bit.
    if (uint64_t(st.st_size) >= 0xffffffffu)
        fail(Acad::eFileAccessErr, "the file is too large (4 GiB or more)");
}

// Closes the descriptor on every way out.
struct Descriptor {
    int fd;
    ~Descriptor() { ::close(fd); }
};

} // namespace

DrawingBytes DrawingBytes::read(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        failWithErrno("cannot open the file");
    refuseUnlessRegular(st);
    // Not blocking: the path may have become a FIFO since it was looked at.
    Descriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)};
    if (file.fd < 0)
        failWithErrno("cannot open the file");
    if (::fstat(file.fd, &st) != 0)
        failWithErrno("cannot read the file");
    refuseUnlessRegular(st);

    // The size as it stands now; a file that grows while it is read is read to its end.
    size_t capacity = size_t(st.st_size) + 1;
    ByteArray data(capacity);
    size_t size = 0;
    for (;;) {
        if (size == capacity) {
            if (capacity >= 0xffffffffu)
                fail(Acad::eFileAccessErr, "the file is too large (4 GiB or more)");
            ByteArray larger(capacity * 2);
            std::memcpy(larger.data(), data.data(), size);
            data = std::move(larger);
            capacity *= 2;
        }
        ssize_t n = ::read(file.fd, data.data() + size, capacity - size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            failWithErrno("cannot read the file");
        if (n == 0)
            break;
        size += size_t(n);
    }
    if (size >= 0xffffffffu)
        fail(Acad::eFileAccessErr, "the file is too large (4 GiB or more)");
    DrawingBytes bytes;
    bytes.adopt(std::move(data), size);
    return bytes;
}

DrawingBytes DrawingBytes::copyOf(std::string_view text) {
    ByteArray data(text.size() + 1);
    std::memcpy(data.data(), text.data(), text.size());
    DrawingBytes bytes;
    bytes.adopt(std::move(data), text.size());
    return bytes;
}

void DrawingBytes::adopt(ByteArray data, size_t size) {
    if (dxf::isBinaryDxf(std::string_view(data.data(), size))) {
        std::string text = dxf::binaryToText(std::string_view(data.data(), size), oneByteCodes_);
        data = ByteArray(); // the binary form is not needed once it is text
        data = ByteArray(text.size() + 1);
        std::memcpy(data.data(), text.data(), text.size());
        size = text.size();
        binary_ = true;
    }
    data_ = std::move(data);
    size_ = size;
    std::string_view bytes = text();
    recordsBegin_ = bytes.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
    size_t nl = bytes.find('\n');
    if (nl != std::string_view::npos && nl > 0 && bytes[nl - 1] == '\r')
        lineEnd_ = "\r\n";
}

} // namespace kestrel::acad
