#pragma once
// Binary DXF: the same tags as ASCII DXF, with group codes and numbers in binary. The database
// reads it as the equivalent ASCII text and writes it back in binary.
#include <string>
#include <string_view>

namespace kestrel::dxf {

bool isBinaryDxf(std::string_view bytes);

// The ASCII text of the tags (line feeds, codes as "%3d"); oneByteCodes tells how the file
// stores group codes (R12: one byte, 255 escaping a 16-bit code; later: 16 bits). Bytes after
// the EOF tag are kept as they are. Malformed data throws DxfError naming the byte offset.
std::string binaryToText(std::string_view bytes, bool& oneByteCodes);

// Back to binary; text made by binaryToText, perhaps edited, with LF or CR LF line ends.
std::string textToBinary(std::string_view text, bool oneByteCodes);

} // namespace kestrel::dxf
