#pragma once
// One run of the kestrel program, from arguments to exit code.

#include <string>
#include <vector>

namespace shell {

int Run(const std::vector<std::string>& args);

} // namespace shell
