#include "shell/ScriptFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "RegularFile.h"
#include "Utf8.h"

namespace shell {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Text that UTF-8 decoding could not take: the codec keeps each such byte as a character of
// U+DC80..U+DCFF. A NUL is no script text either (UTF-16 is full of them).
bool IsText(const std::wstring& line) {
    for (wchar_t c : line)
        if (c == L'\0' || (c >= 0xDC80 && c <= 0xDCFF))
            return false;
    return true;
}

bool StartsWithUtf16Mark(std::string_view bytes) {
    return bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
}

} // namespace

std::optional<std::vector<std::wstring>> SplitScript(std::string_view bytes,
                                                     const std::string& name, std::string& error) {
    if (StartsWithUtf16Mark(bytes)) {
        error = "the script " + name + " is UTF-16 text; save it as UTF-8";
        return std::nullopt;
    }
    if (bytes.starts_with(kByteOrderMark))
        bytes.remove_prefix(kByteOrderMark.size());
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find_first_of("\r\n", start);
        const std::string_view text = bytes.substr(start, end - start);
        lines.push_back(crt::FromUtf8(text));
        if (!IsText(lines.back())) {
            error = "the script " + name + " is not UTF-8 text (line " +
                    std::to_string(lines.size()) + ")";
            return std::nullopt;
        }
        if (end == std::string_view::npos)
            break;
        start = end + (bytes.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

std::optional<std::vector<std::wstring>> ReadScriptFile(const std::string& path,
                                                        std::string& error) {
    bool notRegular = false;
    const int fd = crt::OpenRegularFile(path, O_RDONLY, &notRegular);
    if (fd < 0) {
        error = "cannot read the script " + path + ": " +
                (notRegular ? std::string("it is not a regular file") : std::strerror(errno));
        return std::nullopt;
    }
    std::string bytes;
    char buffer[65536];
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) != 0) {
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            error = "cannot read the script " + path + ": " + std::strerror(errno);
            ::close(fd);
            return std::nullopt;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return SplitScript(bytes, path, error);
}

} // namespace shell
