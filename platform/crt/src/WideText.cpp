#include <wincrt.h>

#include "AsciiCase.h"

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cwctype>

namespace crt {

wchar_t ToLowerAZ(wchar_t c) {
    return (c >= L'A' && c <= L'Z') ? c + (L'a' - L'A') : c;
}
wchar_t ToUpperAZ(wchar_t c) {
    return (c >= L'a' && c <= L'z') ? c - (L'a' - L'A') : c;
}

std::wstring UpperAZ(std::wstring text) {
    for (wchar_t& c : text)
        c = ToUpperAZ(c);
    return text;
}

std::string UpperAZ(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = char(c - ('a' - 'A'));
    return text;
}

} // namespace crt

namespace {
bool IsSpace(wchar_t c) {
    return c == L' ' || (c >= L'\t' && c <= L'\r');
}
bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}
} // namespace

double kestrel_wcstod(const wchar_t* text, wchar_t** end) {
    const wchar_t* p = text;
    if (end)
        *end = const_cast<wchar_t*>(text);
    if (!p)
        return 0.0;
    while (IsSpace(*p))
        ++p;
    std::string digits;
    if (*p == L'+' || *p == L'-')
        digits += static_cast<char>(*p++);
    bool any = false;
    while (IsDigit(*p)) {
        digits += static_cast<char>(*p++);
        any = true;
    }
    if (*p == L'.') {
        digits += '.';
        ++p;
        while (IsDigit(*p)) {
            digits += static_cast<char>(*p++);
            any = true;
        }
    }
    if (!any)
        return 0.0;
    if (*p == L'e' || *p == L'E') { // the exponent counts only when it has digits
        const wchar_t* q = p + 1;
        std::string exponent = "e";
        if (*q == L'+' || *q == L'-')
            exponent += static_cast<char>(*q++);
        if (IsDigit(*q)) {
            while (IsDigit(*q))
                exponent += static_cast<char>(*q++);
            digits += exponent;
            p = q;
        }
    }
    if (end)
        *end = const_cast<wchar_t*>(p);
    // The collected text is plain ASCII in C syntax, so strtod reads it exactly.
    return std::strtod(digits.c_str(), nullptr);
}

double _wtof(const wchar_t* text) {
    return kestrel_wcstod(text, nullptr);
}

long _wtol(const wchar_t* text) {
    if (!text)
        return 0;
    const wchar_t* p = text;
    while (IsSpace(*p))
        ++p;
    bool negative = false;
    if (*p == L'+' || *p == L'-')
        negative = *p++ == L'-';
    long long value = 0;
    while (IsDigit(*p)) {
        value = value * 10 + (*p++ - L'0');
        if (value > static_cast<long long>(INT32_MAX) + 1)
            value = static_cast<long long>(INT32_MAX) + 1;
    }
    if (negative)
        value = -value;
    if (value > INT32_MAX)
        value = INT32_MAX;
    if (value < INT32_MIN)
        value = INT32_MIN;
    return static_cast<long>(value);
}

int _wtoi(const wchar_t* text) {
    return static_cast<int>(_wtol(text));
}

int _wcsnicmp(const wchar_t* a, const wchar_t* b, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        int ca = crt::ToLowerAZ(a[i]);
        int cb = crt::ToLowerAZ(b[i]);
        if (ca != cb || ca == 0)
            return ca - cb;
    }
    return 0;
}

int _wcsicmp(const wchar_t* a, const wchar_t* b) {
    return _wcsnicmp(a, b, SIZE_MAX);
}

wchar_t* _wcslwr(wchar_t* text) {
    for (wchar_t* p = text; p && *p; ++p)
        *p = crt::ToLowerAZ(*p);
    return text;
}

wchar_t* _wcsupr(wchar_t* text) {
    for (wchar_t* p = text; p && *p; ++p)
        *p = crt::ToUpperAZ(*p);
    return text;
}
