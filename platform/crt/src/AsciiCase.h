#pragma once
// Case mapping with the desktop runtime's "C" locale: only A-Z and a-z change case. Names that
// compare without regard to case (commands, verbs, symbol names, variables) all go through it.
#include <string>

namespace crt {
wchar_t ToLowerAZ(wchar_t c);
wchar_t ToUpperAZ(wchar_t c);
// The text with a-z in capitals and every other character as it was.
std::wstring UpperAZ(std::wstring text);
std::string UpperAZ(std::string text);
} // namespace crt
