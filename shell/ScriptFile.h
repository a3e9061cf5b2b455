#pragma once
// Script files: UTF-8 text, one input line each.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace shell {

// The lines of a script: UTF-8 text, with or without a byte-order mark, its lines ended by
// LF, CR LF or a lone CR. Nothing, with `error` naming the line, when the text is not UTF-8
// (UTF-16, a single-byte code page, binary data). `name` is the script's, for the message.
std::optional<std::vector<std::wstring>> SplitScript(std::string_view bytes,
                                                     const std::string& name, std::string& error);

// Reads and splits a script file. Refused, with `error` set, when it cannot be read, when it
// is not a regular file (a FIFO, a device or a folder would block or never end) and when it
// is not UTF-8 text.
std::optional<std::vector<std::wstring>> ReadScriptFile(const std::string& path,
                                                        std::string& error);

} // namespace shell
