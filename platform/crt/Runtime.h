#pragma once
// The C runtime as the module knows it. Where glibc has a function of the same name and
// signature but other rules (swprintf takes %s as narrow, wcstod reads hex and "inf"), the name
// is taken over for the code that includes this header.

#include <cstdio>
#include <cstdlib>
#include <cwchar>

#include "platform/crt/TextFile.h"
#include "platform/crt/WideFormat.h"
#include "platform/crt/WideText.h"
#include "platform/crt/WinTypes.h"

namespace crt {

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

} // namespace crt

#define swprintf crt::PrintInto
#define wcstod kestrel_wcstod
