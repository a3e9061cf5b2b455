#pragma once
// Case mapping with the desktop runtime's "C" locale: only A-Z and a-z change case.

namespace crt {
wchar_t ToLowerAZ(wchar_t c);
wchar_t ToUpperAZ(wchar_t c);
} // namespace crt
