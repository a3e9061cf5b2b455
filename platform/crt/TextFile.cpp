#include "platform/crt/TextFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

#include "platform/crt/WideText.h"

struct CrtFile {
    std::FILE* stream = nullptr;
    bool text = true;
    bool atEnd = false;
    bool failed = false;
    std::vector<wint_t> pending; // characters read ahead and given back, last one first
};

CrtFile* _wfopen(const wchar_t* path, const wchar_t* mode) {
    if (!path || !mode || !*path) {
        errno = EINVAL;
        return nullptr;
    }
    std::string narrowMode;
    bool text = true;
    for (const wchar_t* m = mode; *m; ++m) {
        switch (*m) {
        case L'r':
        case L'w':
        case L'a':
        case L'+':
            narrowMode += static_cast<char>(*m);
            break;
        case L'b':
            text = false;
            break;
        case L't':
            text = true;
            break;
        case L',': // an encoding request ("ccs=") is not supported by this runtime
            errno = EINVAL;
            return nullptr;
        default:
            break;
        }
    }
    if (narrowMode.empty() || std::strchr("rwa", narrowMode[0]) == nullptr) {
        errno = EINVAL;
        return nullptr;
    }
    narrowMode += 'b'; // translation is ours, not stdio's
    std::FILE* stream = std::fopen(crt::ToUtf8(path).c_str(), narrowMode.c_str());
    if (!stream)
        return nullptr;
    struct stat info;
    if (fstat(fileno(stream), &info) == 0 && S_ISDIR(info.st_mode)) {
        // A directory opens for reading here but never on the desktop.
        std::fclose(stream);
        errno = EACCES;
        return nullptr;
    }
    auto* file = new CrtFile;
    file->stream = stream;
    file->text = text;
    return file;
}

int fclose(CrtFile* file) {
    if (!file)
        return EOF;
    int result = std::fclose(file->stream);
    delete file;
    return result == 0 ? 0 : EOF;
}

int _wremove(const wchar_t* path) {
    return path && std::remove(crt::ToUtf8(path).c_str()) == 0 ? 0 : -1;
}

int feof(CrtFile* file) {
    return file && file->atEnd ? 1 : 0;
}
int ferror(CrtFile* file) {
    return file && file->failed ? 1 : 0;
}
int fflush(CrtFile* file) {
    return file && std::fflush(file->stream) == 0 ? 0 : EOF;
}

namespace {

wint_t ReadRaw(CrtFile* file) {
    int c = std::getc(file->stream);
    if (c == EOF) {
        file->atEnd = true;
        return WEOF;
    }
    return static_cast<wint_t>(static_cast<unsigned char>(c));
}

void Unread(CrtFile* file, wint_t c) {
    if (c != WEOF)
        file->pending.push_back(c);
}

} // namespace

wint_t fgetwc(CrtFile* file) {
    if (!file)
        return WEOF;
    if (!file->pending.empty()) {
        wint_t c = file->pending.back();
        file->pending.pop_back();
        return c;
    }
    wint_t c = ReadRaw(file);
    if (file->text && c == L'\r') {
        int next = std::getc(file->stream);
        if (next == '\n')
            return L'\n';
        if (next != EOF)
            std::ungetc(next, file->stream);
    }
    return c;
}

wchar_t* fgetws(wchar_t* buffer, int count, CrtFile* file) {
    if (!buffer || count <= 0 || !file)
        return nullptr;
    int used = 0;
    while (used < count - 1) {
        wint_t c = fgetwc(file);
        if (c == WEOF)
            break;
        buffer[used++] = static_cast<wchar_t>(c);
        if (c == L'\n')
            break;
    }
    buffer[used] = L'\0';
    return used == 0 && count > 1 ? nullptr : buffer;
}

wint_t fputwc(wchar_t c, CrtFile* file) {
    if (!file || static_cast<std::uint32_t>(c) > 0xFF) {
        if (file)
            file->failed = true;
        return WEOF;
    }
    if (file->text && c == L'\n' && std::putc('\r', file->stream) == EOF) {
        file->failed = true;
        return WEOF;
    }
    if (std::putc(static_cast<unsigned char>(c), file->stream) == EOF) {
        file->failed = true;
        return WEOF;
    }
    return static_cast<wint_t>(c);
}

int fputws(const wchar_t* text, CrtFile* file) {
    if (!text)
        return EOF;
    for (const wchar_t* p = text; *p; ++p)
        if (fputwc(*p, file) == WEOF)
            return EOF;
    return 0;
}

namespace crt {

int RenameOver(const wchar_t* from, const wchar_t* to) {
    return from && to && std::rename(ToUtf8(from).c_str(), ToUtf8(to).c_str()) == 0 ? 0 : -1;
}

int WriteText(CrtFile* file, const std::wstring& text) {
    for (wchar_t c : text)
        if (fputwc(c, file) == WEOF)
            return -1;
    return static_cast<int>(text.size());
}

namespace {

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
bool ScanInteger(CrtFile* file, int base, int width, long long& value) {
    int left = width > 0 ? width : INT_MAX;
    wint_t c = fgetwc(file);
    bool negative = false;
    if ((c == L'+' || c == L'-') && left > 0) {
        negative = c == L'-';
        --left;
        c = fgetwc(file);
    }
    if (base == 0 || base == 16) {
        if (c == L'0' && left > 1) {
            wint_t x = fgetwc(file);
            if (x == L'x' || x == L'X') {
                base = 16;
                left -= 2;
                c = fgetwc(file);
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
        c = fgetwc(file);
    }
    Unread(file, c);
    if (!any && base == 8) // a lone "0" read as the octal prefix is the number zero
        any = true;
    value = negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude);
    return any;
}

// Takes the characters that can continue a decimal number (sign, digits, one point, one
// exponent with its own sign) and gives back the first one that cannot.
std::wstring ScanDecimalText(CrtFile* file, int width) {
    std::wstring text;
    bool digits = false, point = false, exponent = false;
    for (int left = width > 0 ? width : INT_MAX; left > 0; --left) {
        const wint_t c = fgetwc(file);
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

int ScanArgs(CrtFile* file, const wchar_t* format, const std::vector<ScanArg>& args) {
    if (!file || !format)
        return EOF;
    std::size_t next = 0;
    int assigned = 0;
    bool inputFailed = false;
    for (const wchar_t* p = format; *p && !inputFailed; ++p) {
        if (IsSpace(*p)) {
            wint_t c;
            do
                c = fgetwc(file);
            while (c != WEOF && IsSpace(c));
            Unread(file, c);
            continue;
        }
        if (*p != L'%' || p[1] == L'%') {
            if (*p == L'%')
                ++p;
            wint_t c = fgetwc(file);
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
                c = fgetwc(file);
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
                    *static_cast<float*>(target->target) = static_cast<float>(value);
                else
                    ok = false;
            }
        } else if (conversion == L's' || conversion == L'c') {
            int left = width > 0 ? width : (conversion == L'c' ? 1 : INT_MAX);
            std::wstring text;
            while (left > 0) {
                wint_t c = fgetwc(file);
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
