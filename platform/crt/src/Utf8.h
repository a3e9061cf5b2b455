#pragma once
// The platform's one UTF-8 codec, for file names, script lines, console text, DXF strings and
// anything else that crosses between bytes and wide text.
//
// Decoding loses no byte: a byte that does not begin a valid sequence (a stray continuation
// byte, an overlong form such as C0 AF, an encoded surrogate, a code point past U+10FFFF, a
// sequence cut short) becomes the lone low surrogate U+DC80..U+DCFF of its value, and encoding
// turns that character back into the same byte. So a path given on the command line, in a
// script or by a dialog reaches the file system as the bytes it was given as.
//
// Encoding takes a UTF-16 surrogate pair as the one character it stands for; any other lone
// surrogate, and anything past U+10FFFF, becomes U+FFFD.

#include <string>
#include <string_view>

namespace crt {

std::string ToUtf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view bytes);

} // namespace crt
