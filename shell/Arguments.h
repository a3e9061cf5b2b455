#pragma once
// The command line of the kestrel program.

#include <optional>
#include <string>
#include <vector>

namespace shell {

struct Arguments {
    bool help = false;
    bool version = false;
    std::string drawing;
    std::string script;             // --script FILE
    std::vector<std::string> lines; // -c LINE ...
    std::string output;             // -o OUT.dxf
    std::string module;             // --module PATH ("" = beside the program)
    std::string shots = "shots";    // --shots DIR
    bool gui = false;               // --gui: windows on the display
};

// Reads the arguments (without the program name); nothing with `error` set when they are wrong.
std::optional<Arguments> ParseArguments(const std::vector<std::string>& args, std::string& error);

// A word that is not an option names the drawing; false with `error` set for an unknown
// option or a second drawing.
bool TakeDrawing(const std::string& arg, std::string& drawing, std::string& error);

// The text of --help.
const char* UsageText();
// The text of --version.
const char* VersionText();

} // namespace shell
