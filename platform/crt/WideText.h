#pragma once
// Number conversions, comparisons and case mapping on wide strings with the desktop
// runtime's "C" locale behaviour: only A-Z and a-z change case, numbers are read as plain
// decimals (no hexadecimal floats, no "inf"), and no locale is consulted.

#include <string>

namespace crt {
std::string ToUtf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& text);
wchar_t ToLowerAZ(wchar_t c);
wchar_t ToUpperAZ(wchar_t c);
} // namespace crt

double _wtof(const wchar_t* text);
long _wtol(const wchar_t* text); // saturates at the 32-bit range, as the desktop's long does
int _wtoi(const wchar_t* text);
int _wcsicmp(const wchar_t* a, const wchar_t* b);
int _wcsnicmp(const wchar_t* a, const wchar_t* b, std::size_t count);
wchar_t* _wcslwr(wchar_t* text);
wchar_t* _wcsupr(wchar_t* text);
double kestrel_wcstod(const wchar_t* text, wchar_t** end);
