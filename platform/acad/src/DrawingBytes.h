#pragma once
// The bytes of an open drawing, held in memory for as long as the drawing is open. The index
// and the objects point into them and saving copies what did not change, so nothing may depend
// on the file staying as it was read: it can be rewritten, truncated or removed meanwhile.
// A binary drawing is held as its ASCII text and written back as binary.
#include "HugePages.h"
#include "acadstrc.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace kestrel::acad {

// Why a file could not be read: the host's status for it and the reason in words.
struct FileError {
    Acad::ErrorStatus status;
    std::string message;
};

class DrawingBytes {
public:
    DrawingBytes() = default;
    // Reads a regular file whole; anything else (a FIFO, a device, a folder) is refused before
    // it is opened, as opening it may block. Throws FileError, or dxf::DxfError for a binary
    // drawing that cannot be read as one.
    static DrawingBytes read(const std::string& path);
    static DrawingBytes copyOf(std::string_view text);

    std::string_view text() const { return std::string_view(data_.data(), size_); }
    bool binary() const { return binary_; }
    bool oneByteCodes() const { return oneByteCodes_; }
    // Where the records begin: a byte order mark before them is written back as it is.
    size_t recordsBegin() const { return recordsBegin_; }
    // The line end of the file ("\n" or "\r\n"); tags written anew use it.
    const std::string& lineEnd() const { return lineEnd_; }

private:
    void adopt(ByteArray data, size_t size);
    ByteArray data_;
    size_t size_ = 0;
    bool binary_ = false;
    bool oneByteCodes_ = false;
    size_t recordsBegin_ = 0;
    std::string lineEnd_ = "\n";
};

} // namespace kestrel::acad
