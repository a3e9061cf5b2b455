#pragma once
// printf-style formatting of wide strings with the desktop runtime's rules: in a wide format
// %s and %c take wide arguments (%hs/%S and %hc/%C narrow ones); %d/%i/%u/%x/%o are 32-bit
// unless ll or I64 widen them (l stays 32-bit, as long is there); %f/%e/%g take double.
// %f rounds as the desktop does (see WideFormat.cpp); %e and %g are glibc's, with a two-digit
// exponent where the desktop prints three (nothing here prints them).
//
// Arguments travel as tagged values rather than through C varargs, so a mismatched argument
// prints as "<?>" instead of reading garbage, and any object with GetString() (CString) can
// be handed to %s directly.

#include <cstdint>
#include <span>
#include <string>
#include <type_traits>

namespace crt {

struct FormatArg {
    enum class Kind { Signed, Unsigned, Floating, WideText, NarrowText, Pointer } kind;
    union {
        std::int64_t i;
        std::uint64_t u;
        double d;
        const wchar_t* ws;
        const char* s;
        const void* p;
    };

    FormatArg(const wchar_t* v) : kind(Kind::WideText), ws(v) {}
    FormatArg(wchar_t* v) : kind(Kind::WideText), ws(v) {}
    FormatArg(const char* v) : kind(Kind::NarrowText), s(v) {}
    FormatArg(char* v) : kind(Kind::NarrowText), s(v) {}
    FormatArg(std::nullptr_t) : kind(Kind::Pointer), p(nullptr) {}
    template <class T>
    requires std::is_floating_point_v<T> FormatArg(T v)
        : kind(Kind::Floating), d(static_cast<double>(v)) {}
    template <class T>
    requires(std::is_integral_v<T> || std::is_enum_v<T>) FormatArg(T v) {
        if constexpr (std::is_enum_v<T>) {
            kind = Kind::Signed;
            i = static_cast<std::int64_t>(v);
        } else if constexpr (std::is_signed_v<T>) {
            kind = Kind::Signed;
            i = v;
        } else {
            kind = Kind::Unsigned;
            u = v;
        }
    }
    template <class T>
    requires(!std::is_same_v<std::remove_cv_t<T>, wchar_t> &&
             !std::is_same_v<std::remove_cv_t<T>, char>) FormatArg(T* v)
        : kind(Kind::Pointer), p(v) {}
    template <class S>
    requires requires(const S& s) { s.GetString(); }
    FormatArg(const S& v) : FormatArg(v.GetString()) {}
};

std::wstring FormatArgs(const wchar_t* format, std::span<const FormatArg> args);

template <class... Args> std::wstring Format(const wchar_t* format, const Args&... args) {
    const FormatArg packed[sizeof...(Args) + 1] = {FormatArg(args)..., FormatArg(0)};
    return FormatArgs(format, std::span<const FormatArg>(packed, sizeof...(Args)));
}

} // namespace crt
