#pragma once
// `kestrel bom`: the bill of materials of a drawing in one command, made by the ZRBOMC command
// and its report dialog on a generated script.

#include <string>
#include <vector>

namespace shell {

// Runs `kestrel bom` with the arguments after "bom"; answers the exit code.
int RunBom(const std::vector<std::string>& args);

} // namespace shell
