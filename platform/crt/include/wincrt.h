#pragma once
// The C runtime's wide-character functions as the desktop has them. On the desktop they are
// declared by stdio.h, wchar.h, stdlib.h and string.h, whose names this system's own runtime
// already uses, so they are gathered here (tchar.h brings them in, as on the desktop).
//
// Where glibc has a function of the same name but other rules (swprintf takes %s as narrow,
// wcstod reads hexadecimal and "inf", the wide stream functions decode by locale), the name is
// taken over for the code that includes this header.
//
// Formatting follows the desktop runtime's rules: in a wide format %s and %c take wide
// arguments (%hs/%S and %hc/%C narrow ones); %d/%i/%u/%x/%o are 32-bit unless ll or I64 widen
// them (l stays 32-bit, as long is there); %f/%e/%g take double. %f rounds as the desktop does;
// %e and %g are glibc's, with a two-digit exponent where the desktop prints three (nothing here
// prints them). Arguments travel as tagged values rather than through C varargs, so a
// mismatched argument prints as "<?>" instead of reading garbage, and any object with
// GetString() (CString) can be handed to %s directly.
//
// Streams opened with _wfopen are the desktop's: a text-mode stream stores one byte per
// character (code units 0-255 map to the byte of the same value and back), writes "\n" as
// CR LF and reads CR LF (or a bare LF) as "\n". Characters above 255 cannot be stored: writing
// one fails and sets the stream's error state. A file opened with "w" is written beside its
// target and takes the target's place when the stream is closed without an error, so a write
// that fails half-way leaves the previous file as it was; a target that may not be written
// (a read-only file or folder, something that is not a file) does not open. The program's
// installation folder is the exception: a file there that the user may not write is written
// to the user's own copy of it (under $XDG_CONFIG_HOME/kestrel), which from then on is what
// opening, replacing and removing that path reach for that user.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <span>
#include <string>
#include <type_traits>
#include <vector>

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

// Formats into a caller's buffer of `count` characters; returns the length written, or -1
// (with the buffer holding as much as fits) when the text does not fit.
template <class... Args>
int PrintInto(wchar_t* buffer, std::size_t count, const wchar_t* format, const Args&... args) {
    if (!buffer || count == 0)
        return -1;
    std::wstring text = Format(format, args...);
    std::size_t n = text.size() < count ? text.size() : count - 1;
    std::wmemcpy(buffer, text.data(), n);
    buffer[n] = L'\0';
    return text.size() < count ? static_cast<int>(n) : -1;
}

// The older two-argument form, for a buffer whose size the compiler knows.
template <std::size_t N, class... Args>
int PrintInto(wchar_t (&buffer)[N], const wchar_t* format, const Args&... args) {
    return PrintInto(buffer, N, format, args...);
}

int WriteText(FILE* file, const std::wstring& text);

// Pointers that a scan stores into, tagged with their type.
struct ScanArg {
    enum class Kind { Int, Long, LongLong, Short, UInt, Float, Double, WideText, WideChar } kind;
    void* target;
    ScanArg(int* p) : kind(Kind::Int), target(p) {}
    ScanArg(long* p) : kind(Kind::Long), target(p) {}
    ScanArg(long long* p) : kind(Kind::LongLong), target(p) {}
    ScanArg(short* p) : kind(Kind::Short), target(p) {}
    ScanArg(unsigned* p) : kind(Kind::UInt), target(p) {}
    ScanArg(float* p) : kind(Kind::Float), target(p) {}
    ScanArg(double* p) : kind(Kind::Double), target(p) {}
    ScanArg(wchar_t* p) : kind(Kind::WideText), target(p) {}
};

int ScanArgs(FILE* file, const wchar_t* format, const std::vector<ScanArg>& args);

} // namespace crt

// Files. Paths are wide strings; they reach the file system as the bytes they were read from.
FILE* _wfopen(const wchar_t* path, const wchar_t* mode);
int _wremove(const wchar_t* path);
wchar_t* kestrel_fgetws(wchar_t* buffer, int count, FILE* file);
wint_t kestrel_fgetwc(FILE* file);
int kestrel_fputws(const wchar_t* text, FILE* file);
wint_t kestrel_fputwc(wchar_t c, FILE* file);

template <class... Args>
int kestrel_fwprintf(FILE* file, const wchar_t* format, const Args&... args) {
    return crt::WriteText(file, crt::Format(format, args...));
}

template <class... Args> int kestrel_fwscanf(FILE* file, const wchar_t* format, Args*... args) {
    return crt::ScanArgs(file, format, std::vector<crt::ScanArg>{crt::ScanArg(args)...});
}

// Numbers, comparisons and case with the desktop runtime's "C" locale: only A-Z and a-z change
// case, numbers are read as plain decimals (no hexadecimal floats, no "inf").
double _wtof(const wchar_t* text);
long _wtol(const wchar_t* text); // saturates at the 32-bit range, as the desktop's long does
int _wtoi(const wchar_t* text);
int _wcsicmp(const wchar_t* a, const wchar_t* b);
int _wcsnicmp(const wchar_t* a, const wchar_t* b, std::size_t count);
wchar_t* _wcslwr(wchar_t* text);
wchar_t* _wcsupr(wchar_t* text);
double kestrel_wcstod(const wchar_t* text, wchar_t** end);

#define swprintf crt::PrintInto
#define wcstod kestrel_wcstod
#define fgetws(buffer, count, file) kestrel_fgetws(buffer, count, file)
#define fgetwc(file) kestrel_fgetwc(file)
#define fputws(text, file) kestrel_fputws(text, file)
#define fputwc(c, file) kestrel_fputwc(c, file)
#define fwprintf(...) kestrel_fwprintf(__VA_ARGS__)
#define fwscanf(...) kestrel_fwscanf(__VA_ARGS__)
