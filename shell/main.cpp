// kestrel: a small CAD host that opens a drawing, loads the Kestrel module and runs commands
// from a script, command-line lines or the console.

#include "shell/Run.h"

int main(int argc, char** argv) {
    return shell::Run(std::vector<std::string>(argv + 1, argv + argc));
}
