#include <wincrt.h>

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <memory>
#include <unistd.h>

#include "FileReplacement.h"
#include "RegularFile.h"
#include "UserStore.h"
#include "Utf8.h"

// A stream is a glibc stream over our own read, write and close functions: text mode
// translates line ends on the way through, and a stream opened with "w" writes a temporary
// file that its close puts in the target's place.

namespace {

struct Stream {
    int fd = -1;
    bool text = true;
    FILE* file = nullptr;
    bool failed = false; // a write to the file failed
    std::unique_ptr<crt::FileReplacement> replacement;
    // Reading in text mode: translated bytes not handed out yet, and a carriage return at the
    // end of the last read whose meaning the next byte decides.
    std::string ready;
    std::size_t readyAt = 0;
    bool pendingCr = false;
};

bool WriteAll(int fd, const char* bytes, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, bytes, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

ssize_t ReadRaw(int fd, char* buffer, std::size_t size) {
    ssize_t n;
    do
        n = ::read(fd, buffer, size);
    while (n < 0 && errno == EINTR);
    return n;
}

// Text mode reads CR LF as LF; a carriage return before anything else stays.
void TranslateRead(Stream& stream, const char* raw, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        const char c = raw[i];
        if (stream.pendingCr) {
            stream.pendingCr = false;
            if (c == '\n') {
                stream.ready += '\n';
                continue;
            }
            stream.ready += '\r';
        }
        if (c == '\r')
            stream.pendingCr = true;
        else
            stream.ready += c;
    }
}

ssize_t StreamRead(void* cookie, char* buffer, std::size_t size) {
    Stream& stream = *static_cast<Stream*>(cookie);
    if (!stream.text)
        return ReadRaw(stream.fd, buffer, size);
    while (stream.readyAt == stream.ready.size()) {
        stream.ready.clear();
        stream.readyAt = 0;
        char raw[4096];
        const ssize_t n = ReadRaw(stream.fd, raw, sizeof raw);
        if (n < 0)
            return -1;
        if (n == 0) {
            if (!stream.pendingCr)
                return 0;
            stream.pendingCr = false;
            stream.ready.push_back('\r');
            break;
        }
        TranslateRead(stream, raw, static_cast<std::size_t>(n));
    }
    const std::size_t count = std::min(size, stream.ready.size() - stream.readyAt);
    std::memcpy(buffer, stream.ready.data() + stream.readyAt, count);
    stream.readyAt += count;
    return static_cast<ssize_t>(count);
}

ssize_t StreamWrite(void* cookie, const char* bytes, std::size_t size) {
    Stream& stream = *static_cast<Stream*>(cookie);
    bool ok;
    if (stream.text && std::memchr(bytes, '\n', size)) {
        std::string translated;
        translated.reserve(size + size / 8);
        for (std::size_t i = 0; i < size; ++i) {
            if (bytes[i] == '\n')
                translated += '\r';
            translated += bytes[i];
        }
        ok = WriteAll(stream.fd, translated.data(), translated.size());
    } else {
        ok = WriteAll(stream.fd, bytes, size);
    }
    if (!ok) {
        stream.failed = true;
        return -1;
    }
    return static_cast<ssize_t>(size);
}

// Closing a "w" stream puts the new file in the target's place, unless anything went wrong
// on the way: then the target keeps what it held.
int StreamClose(void* cookie) {
    std::unique_ptr<Stream> stream(static_cast<Stream*>(cookie));
    if (!stream->replacement)
        return ::close(stream->fd) == 0 ? 0 : -1;
    if (stream->failed || ferror_unlocked(stream->file)) {
        stream->replacement->Abandon();
        if (errno == 0)
            errno = EIO;
        return -1;
    }
    return stream->replacement->Commit() ? 0 : -1;
}

int StreamSeek(void* cookie, off64_t* offset, int whence) {
    Stream& stream = *static_cast<Stream*>(cookie);
    if (stream.text) { // positions of translated text are not those of the file
        errno = EINVAL;
        return -1;
    }
    const off64_t position = ::lseek64(stream.fd, *offset, whence);
    if (position < 0)
        return -1;
    *offset = position;
    return 0;
}

struct OpenMode {
    char kind = 0; // 'r', 'w' or 'a'
    bool update = false;
    bool text = true;
};

bool ParseMode(const wchar_t* mode, OpenMode& parsed) {
    for (const wchar_t* m = mode; *m; ++m) {
        switch (*m) {
        case L'r':
        case L'w':
        case L'a':
            if (parsed.kind == 0)
                parsed.kind = static_cast<char>(*m);
            break;
        case L'+':
            parsed.update = true;
            break;
        case L'b':
            parsed.text = false;
            break;
        case L't':
            parsed.text = true;
            break;
        case L',': // an encoding request ("ccs=") is not supported by this runtime
            return false;
        default:
            break;
        }
    }
    return parsed.kind != 0 && mode[0] == static_cast<wchar_t>(parsed.kind);
}

} // namespace

FILE* _wfopen(const wchar_t* path, const wchar_t* mode) {
    OpenMode parsed;
    if (!path || !mode || !*path || !ParseMode(mode, parsed)) {
        errno = EINVAL;
        return nullptr;
    }
    auto stream = std::make_unique<Stream>();
    stream->text = parsed.text;
    const std::string bytes = crt::ToUtf8(path);
    if (parsed.kind == 'w') {
        stream->replacement = std::make_unique<crt::FileReplacement>();
        if (!crt::BeginUserReplacement(*stream->replacement, bytes))
            return nullptr;
        stream->fd = stream->replacement->Descriptor();
    } else {
        int flags = parsed.update ? O_RDWR : parsed.kind == 'r' ? O_RDONLY : O_WRONLY;
        if (parsed.kind == 'a')
            flags |= O_CREAT | O_APPEND;
        // Only a file opens: a folder never does on the desktop, and a FIFO or a device would
        // block or never end.
        bool notRegular = false;
        stream->fd = crt::OpenUserFile(bytes, flags, &notRegular);
        if (stream->fd < 0) {
            if (notRegular)
                errno = EACCES;
            return nullptr;
        }
    }
    const char* cookieMode = parsed.update        ? (parsed.kind == 'r' ? "r+" : "w+")
                             : parsed.kind == 'r' ? "r"
                                                  : "w";
    FILE* file =
        fopencookie(stream.get(), cookieMode,
                    cookie_io_functions_t{StreamRead, StreamWrite, StreamSeek, StreamClose});
    if (!file) {
        if (!stream->replacement)
            ::close(stream->fd);
        return nullptr;
    }
    stream->file = file;
    stream.release(); // the stream's close frees it
    return file;
}

int _wremove(const wchar_t* path) {
    return path ? crt::RemoveUserFile(crt::ToUtf8(path)) : -1;
}

wint_t kestrel_fgetwc(FILE* file) {
    if (!file)
        return WEOF;
    const int c = std::getc(file);
    return c == EOF ? WEOF : static_cast<wint_t>(static_cast<unsigned char>(c));
}

wchar_t* kestrel_fgetws(wchar_t* buffer, int count, FILE* file) {
    if (!buffer || count <= 0 || !file)
        return nullptr;
    int used = 0;
    while (used < count - 1) {
        const wint_t c = kestrel_fgetwc(file);
        if (c == WEOF)
            break;
        buffer[used++] = static_cast<wchar_t>(c);
        if (c == L'\n')
            break;
    }
    buffer[used] = L'\0';
    return used == 0 && count > 1 ? nullptr : buffer;
}

wint_t kestrel_fputwc(wchar_t c, FILE* file) {
    if (!file)
        return WEOF;
    if (static_cast<std::uint32_t>(c) > 0xFF) {
        file->_flags |= _IO_ERR_SEEN; // the stream's error state, as a failed write sets it
        errno = EILSEQ;
        return WEOF;
    }
    if (std::putc(static_cast<unsigned char>(c), file) == EOF)
        return WEOF;
    return static_cast<wint_t>(c);
}

int kestrel_fputws(const wchar_t* text, FILE* file) {
    if (!text)
        return EOF;
    for (const wchar_t* p = text; *p; ++p)
        if (kestrel_fputwc(*p, file) == WEOF)
            return EOF;
    return 0;
}

namespace crt {

int WriteText(FILE* file, const std::wstring& text) {
    for (wchar_t c : text)
        if (kestrel_fputwc(c, file) == WEOF)
            return -1;
    return static_cast<int>(text.size());
}

namespace {

void Unread(FILE* file, wint_t c) {
    if (c != WEOF)
        std::ungetc(static_cast<int>(c), file);
}

bool IsSpace(wint_t c) {
    return c == L' ' || (c >= L'\t' && c <= L'\r');
}

int DigitValue(wint_t c) {
    if (c >= L'0' && c <= L'9')
        return static_cast<int>(c - L'0');
    if (c >= L'a' && c <= L'z')
        return static_cast<int>(c - L'a' + 10);
    if (c >= L'A' && c <= L'Z')
        return static_cast<int>(c - L'A' + 10);
    return 99;
}

// Reads an integer in the given base (0: decided by a 0x or 0 prefix); false when no digit.
bool ScanInteger(FILE* file, int base, int width, long long& value) {
    int left = width > 0 ? width : INT_MAX;
    wint_t c = kestrel_fgetwc(file);
    bool negative = false;
    if ((c == L'+' || c == L'-') && left > 0) {
        negative = c == L'-';
        --left;
        c = kestrel_fgetwc(file);
    }
    if (base == 0 || base == 16) {
        if (c == L'0' && left > 1) {
            wint_t x = kestrel_fgetwc(file);
            if (x == L'x' || x == L'X') {
                base = 16;
                left -= 2;
                c = kestrel_fgetwc(file);
            } else {
                Unread(file, x);
                if (base == 0)
                    base = 8;
            }
        } else if (base == 0) {
            base = 10;
        }
    }
    unsigned long long magnitude = 0;
    bool any = false;
    while (left > 0 && c != WEOF && DigitValue(c) < base) {
        magnitude = magnitude * static_cast<unsigned>(base) + static_cast<unsigned>(DigitValue(c));
        any = true;
        --left;
        c = kestrel_fgetwc(file);
    }
    Unread(file, c);
    if (!any && base == 8) // a lone "0" read as the octal prefix is the number zero
        any = true;
    // Digits past the 64 bits wrap, as the desktop's reader lets them; the sign is applied
    // to the bits, so "-9223372036854775808" is the smallest number and not an overflow.
    value = static_cast<long long>(negative ? 0 - magnitude : magnitude);
    return any;
}

// Takes the characters that can continue a decimal number (sign, digits, one point, one
// exponent with its own sign) and gives back the first one that cannot.
std::wstring ScanDecimalText(FILE* file, int width) {
    std::wstring text;
    bool digits = false, point = false, exponent = false;
    for (int left = width > 0 ? width : INT_MAX; left > 0; --left) {
        const wint_t c = kestrel_fgetwc(file);
        bool take = false;
        if (c >= L'0' && c <= L'9')
            take = digits = true;
        else if (c == L'+' || c == L'-')
            take = text.empty() || (exponent && (text.back() == L'e' || text.back() == L'E'));
        else if (c == L'.' && !point && !exponent)
            take = point = true;
        else if ((c == L'e' || c == L'E') && digits && !exponent)
            take = exponent = true;
        if (!take) {
            Unread(file, c);
            break;
        }
        text += static_cast<wchar_t>(c);
    }
    return text;
}

// A number past the float's range becomes its infinity, as the floating-point unit makes it.
float NarrowToFloat(double value) {
    if (std::fabs(value) > std::numeric_limits<float>::max())
        return value > 0 ? std::numeric_limits<float>::infinity()
                         : -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

bool StoreInteger(const ScanArg& arg, long long value) {
    switch (arg.kind) {
    case ScanArg::Kind::Int:
        *static_cast<int*>(arg.target) = static_cast<int>(value);
        return true;
    case ScanArg::Kind::Long:
        *static_cast<long*>(arg.target) = static_cast<std::int32_t>(value);
        return true;
    case ScanArg::Kind::LongLong:
        *static_cast<long long*>(arg.target) = value;
        return true;
    case ScanArg::Kind::Short:
        *static_cast<short*>(arg.target) = static_cast<short>(value);
        return true;
    case ScanArg::Kind::UInt:
        *static_cast<unsigned*>(arg.target) = static_cast<unsigned>(value);
        return true;
    default:
        return false;
    }
}

} // namespace

int ScanArgs(FILE* file, const wchar_t* format, const std::vector<ScanArg>& args) {
    if (!file || !format)
        return EOF;
    std::size_t next = 0;
    int assigned = 0;
    bool inputFailed = false;
    for (const wchar_t* p = format; *p && !inputFailed; ++p) {
        if (IsSpace(*p)) {
            wint_t c;
            do
                c = kestrel_fgetwc(file);
            while (c != WEOF && IsSpace(c));
            Unread(file, c);
            continue;
        }
        if (*p != L'%' || p[1] == L'%') {
            if (*p == L'%')
                ++p;
            wint_t c = kestrel_fgetwc(file);
            if (c != static_cast<wint_t>(*p)) {
                if (c == WEOF)
                    inputFailed = true;
                Unread(file, c);
                break;
            }
            continue;
        }
        ++p;
        bool suppress = *p == L'*';
        if (suppress)
            ++p;
        int width = 0;
        while (*p >= L'0' && *p <= L'9')
            width = width * 10 + (*p++ - L'0');
        while (*p == L'l' || *p == L'h' || *p == L'L')
            ++p;
        wchar_t conversion = *p;
        if (!conversion)
            break;
        if (conversion != L'c') { // conversions other than %c skip leading white space
            wint_t c;
            do
                c = kestrel_fgetwc(file);
            while (c != WEOF && IsSpace(c));
            if (c == WEOF) {
                inputFailed = true;
                break;
            }
            Unread(file, c);
        }
        const ScanArg* target = suppress || next >= args.size() ? nullptr : &args[next];
        if (!suppress)
            ++next;
        bool ok = false;
        if (std::wcschr(L"dioux", conversion)) {
            int base = conversion == L'i'   ? 0
                       : conversion == L'o' ? 8
                       : conversion == L'x' ? 16
                                            : 10;
            long long value = 0;
            ok = ScanInteger(file, base, width, value);
            if (ok && target)
                ok = StoreInteger(*target, value);
        } else if (std::wcschr(L"feEgG", conversion)) {
            const std::wstring number = ScanDecimalText(file, width);
            wchar_t* end = nullptr;
            double value = kestrel_wcstod(number.c_str(), &end);
            ok = end != number.c_str();
            if (ok && target) {
                if (target->kind == ScanArg::Kind::Double)
                    *static_cast<double*>(target->target) = value;
                else if (target->kind == ScanArg::Kind::Float)
                    *static_cast<float*>(target->target) = NarrowToFloat(value);
                else
                    ok = false;
            }
        } else if (conversion == L's' || conversion == L'c') {
            int left = width > 0 ? width : (conversion == L'c' ? 1 : INT_MAX);
            std::wstring text;
            while (left > 0) {
                wint_t c = kestrel_fgetwc(file);
                if (c == WEOF)
                    break;
                if (conversion == L's' && IsSpace(c)) {
                    Unread(file, c);
                    break;
                }
                text += static_cast<wchar_t>(c);
                --left;
            }
            ok = !text.empty();
            if (ok && target) {
                if (target->kind != ScanArg::Kind::WideText)
                    ok = false;
                else {
                    auto* out = static_cast<wchar_t*>(target->target);
                    std::wmemcpy(out, text.data(), text.size());
                    if (conversion == L's')
                        out[text.size()] = L'\0';
                }
            }
        }
        if (!ok)
            break;
        if (target)
            ++assigned;
    }
    return inputFailed && assigned == 0 ? EOF : assigned;
}

} // namespace crt
