#include <wincrt.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace crt {
namespace {

struct Directive {
    std::string flags;
    int width = -1;
    int precision = -1;
    int bits = 32; // integer width after the length modifier
    bool narrowText = false;
    bool wideText = false;
};

class Cursor {
public:
    explicit Cursor(std::span<const FormatArg> args) : args_(args) {}
    const FormatArg* Next() { return index_ < args_.size() ? &args_[index_++] : nullptr; }

private:
    std::span<const FormatArg> args_;
    std::size_t index_ = 0;
};

void AppendNarrow(std::wstring& out, const char* text) {
    for (const char* c = text; *c; ++c)
        out += static_cast<wchar_t>(static_cast<unsigned char>(*c));
}

bool HasFlag(const Directive& directive, char flag) {
    return directive.flags.find(flag) != std::string::npos;
}

// Pads to the field width; this runtime honours the 0 flag for text as well as for numbers.
void Pad(std::wstring& out, const std::wstring& body, const Directive& directive) {
    const bool left = HasFlag(directive, '-');
    const std::size_t width = directive.width > 0 ? static_cast<std::size_t>(directive.width) : 0;
    const std::size_t fill = body.size() < width ? width - body.size() : 0;
    if (!left)
        out.append(fill, HasFlag(directive, '0') ? L'0' : L' ');
    out += body;
    if (left)
        out.append(fill, L' ');
}

// %f as the desktop runtime prints it: the value is taken to 17 significant digits and that
// decimal text is rounded half away from zero (so 0.125 gives "0.13" and 0.5 with no decimals
// "1", where glibc rounds the binary value to even). Digits past the 17th print as zeros.
void AppendFixed(std::wstring& out, double value, const Directive& directive) {
    const int precision = directive.precision >= 0 ? directive.precision : 6;
    char scientific[40];
    std::snprintf(scientific, sizeof scientific, "%.16e", std::fabs(value));
    std::string significant; // 17 digits, the first one worth 10^exponent
    significant += scientific[0];
    significant.append(scientific + 2, 16);
    const int exponent = std::atoi(scientific + 19);
    auto digitAt = [&](int place) { // place 0 = units, -1 = tenths, ...
        const int index = exponent - place;
        return index >= 0 && index < 17 ? significant[static_cast<std::size_t>(index)] : '0';
    };
    std::string digits;
    for (int place = std::max(exponent, 0); place >= -precision; --place)
        digits += digitAt(place);
    if (digitAt(-precision - 1) >= '5') {
        std::size_t i = digits.size();
        while (i > 0 && digits[i - 1] == '9')
            digits[--i] = '0';
        if (i == 0)
            digits.insert(digits.begin(), '1');
        else
            ++digits[i - 1];
    }
    if (precision > 0 || HasFlag(directive, '#'))
        digits.insert(digits.size() - static_cast<std::size_t>(precision), ".");
    std::string sign = std::signbit(value)       ? "-"
                       : HasFlag(directive, '+') ? "+"
                       : HasFlag(directive, ' ') ? " "
                                                 : "";
    std::wstring body;
    AppendNarrow(body, sign.c_str());
    const std::size_t width = directive.width > 0 ? static_cast<std::size_t>(directive.width) : 0;
    if (HasFlag(directive, '0') && !HasFlag(directive, '-') && sign.size() + digits.size() < width)
        digits.insert(0, width - sign.size() - digits.size(), '0');
    AppendNarrow(body, digits.c_str());
    Directive padding = directive;
    padding.flags.erase(std::remove(padding.flags.begin(), padding.flags.end(), '0'),
                        padding.flags.end());
    Pad(out, body, padding);
}

std::string NarrowDirective(const Directive& directive, const char* length, char conversion) {
    std::string f = "%" + directive.flags;
    if (directive.width >= 0)
        f += std::to_string(directive.width);
    if (directive.precision >= 0)
        f += "." + std::to_string(directive.precision);
    return f + length + conversion;
}

template <class T> void AppendPrintf(std::wstring& out, const std::string& format, T value) {
    char buffer[512];
    int n = std::snprintf(buffer, sizeof buffer, format.c_str(), value);
    if (n < 0)
        return;
    if (static_cast<std::size_t>(n) < sizeof buffer) {
        AppendNarrow(out, buffer);
        return;
    }
    std::string big(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(big.data(), big.size(), format.c_str(), value);
    AppendNarrow(out, big.c_str());
}

std::int64_t TruncateSigned(std::int64_t v, int bits) {
    switch (bits) {
    case 8:
        return static_cast<std::int8_t>(v);
    case 16:
        return static_cast<std::int16_t>(v);
    case 32:
        return static_cast<std::int32_t>(v);
    default:
        return v;
    }
}

std::uint64_t TruncateUnsigned(std::uint64_t v, int bits) {
    return bits >= 64 ? v : v & ((std::uint64_t{1} << bits) - 1);
}

bool ReadInteger(const FormatArg* arg, std::int64_t& value) {
    if (!arg)
        return false;
    if (arg->kind == FormatArg::Kind::Signed)
        value = arg->i;
    else if (arg->kind == FormatArg::Kind::Unsigned)
        value = static_cast<std::int64_t>(arg->u);
    else
        return false;
    return true;
}

void FormatOne(std::wstring& out, wchar_t conversion, Directive& directive, Cursor& cursor) {
    const FormatArg* arg = cursor.Next();
    switch (conversion) {
    case L'd':
    case L'i': {
        std::int64_t v;
        if (!ReadInteger(arg, v))
            break;
        AppendPrintf(out, NarrowDirective(directive, "ll", 'd'),
                     static_cast<long long>(TruncateSigned(v, directive.bits)));
        return;
    }
    case L'u':
    case L'x':
    case L'X':
    case L'o': {
        std::int64_t v;
        if (!ReadInteger(arg, v))
            break;
        AppendPrintf(out, NarrowDirective(directive, "ll", static_cast<char>(conversion)),
                     static_cast<unsigned long long>(
                         TruncateUnsigned(static_cast<std::uint64_t>(v), directive.bits)));
        return;
    }
    case L'f':
    case L'F':
    case L'e':
    case L'E':
    case L'g':
    case L'G':
    case L'a':
    case L'A': {
        double v;
        if (arg && arg->kind == FormatArg::Kind::Floating)
            v = arg->d;
        else
            break;
        if ((conversion == L'f' || conversion == L'F') && std::isfinite(v)) {
            AppendFixed(out, v, directive);
            return;
        }
        AppendPrintf(out, NarrowDirective(directive, "", static_cast<char>(conversion)), v);
        return;
    }
    case L'c':
    case L'C': {
        std::int64_t v;
        if (!ReadInteger(arg, v))
            break;
        const bool narrow = directive.narrowText || (conversion == L'C' && !directive.wideText);
        wchar_t c =
            narrow ? static_cast<wchar_t>(static_cast<unsigned char>(v)) : static_cast<wchar_t>(v);
        Pad(out, std::wstring(1, c), directive);
        return;
    }
    case L's':
    case L'S': {
        if (!arg)
            break;
        std::wstring body;
        if (arg->kind == FormatArg::Kind::WideText)
            body = arg->ws ? arg->ws : L"(null)";
        else if (arg->kind == FormatArg::Kind::NarrowText)
            AppendNarrow(body, arg->s ? arg->s : "(null)");
        else if (arg->kind == FormatArg::Kind::Pointer && !arg->p)
            body = L"(null)";
        else
            break;
        if (directive.precision >= 0 && body.size() > static_cast<std::size_t>(directive.precision))
            body.resize(static_cast<std::size_t>(directive.precision));
        Pad(out, body, directive);
        return;
    }
    case L'p': {
        if (!arg ||
            (arg->kind != FormatArg::Kind::Pointer && arg->kind != FormatArg::Kind::WideText &&
             arg->kind != FormatArg::Kind::NarrowText))
            break;
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%016llX",
                      static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(arg->p)));
        std::wstring body;
        AppendNarrow(body, buffer);
        Pad(out, body, directive);
        return;
    }
    default:
        break;
    }
    out += L"<?>";
}

} // namespace

std::wstring FormatArgs(const wchar_t* format, std::span<const FormatArg> args) {
    std::wstring out;
    if (!format)
        return out;
    Cursor cursor(args);
    for (const wchar_t* p = format; *p;) {
        if (*p != L'%') {
            out += *p++;
            continue;
        }
        const wchar_t* start = p++;
        if (*p == L'%') {
            out += L'%';
            ++p;
            continue;
        }
        Directive directive;
        while (*p && std::wcschr(L"-+ #0", *p))
            directive.flags += static_cast<char>(*p++);
        auto readNumber = [&](int& target) {
            if (*p == L'*') {
                std::int64_t v = 0;
                ReadInteger(cursor.Next(), v);
                target = static_cast<int>(v);
                ++p;
                return;
            }
            if (*p < L'0' || *p > L'9')
                return;
            target = 0;
            while (*p >= L'0' && *p <= L'9')
                target = target * 10 + (*p++ - L'0');
        };
        readNumber(directive.width);
        if (directive.width < -1) { // a negative * width means left-justify
            directive.flags += '-';
            directive.width = -directive.width;
        }
        if (*p == L'.') {
            ++p;
            directive.precision = 0;
            readNumber(directive.precision);
        }
        // Length modifiers; l and L keep 32 bits (long is 32-bit in this runtime).
        for (bool more = true; more && *p;) {
            if (p[0] == L'I' && p[1] == L'6' && p[2] == L'4') {
                directive.bits = 64;
                p += 3;
            } else if (p[0] == L'I' && p[1] == L'3' && p[2] == L'2') {
                directive.bits = 32;
                p += 3;
            } else if (p[0] == L'l' && p[1] == L'l') {
                directive.bits = 64;
                p += 2;
            } else if (p[0] == L'h' && p[1] == L'h') {
                directive.bits = 8;
                p += 2;
            } else if (*p == L'h') {
                directive.bits = 16;
                directive.narrowText = true;
                ++p;
            } else if (*p == L'l' || *p == L'w') {
                directive.wideText = true;
                ++p;
            } else if (*p == L'I' || *p == L'z' || *p == L'j' || *p == L't') {
                directive.bits = 64;
                ++p;
            } else if (*p == L'L') {
                ++p;
            } else {
                more = false;
            }
        }
        if (!*p) { // an unfinished directive is copied as it stands
            out.append(start, p);
            break;
        }
        wchar_t conversion = *p++;
        if (conversion == L'S' && !directive.wideText)
            directive.narrowText = true;
        FormatOne(out, conversion, directive, cursor);
    }
    return out;
}

} // namespace crt
