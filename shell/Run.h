#pragma once
// One run of the kestrel program, from arguments to exit code.

#include <memory>
#include <string>
#include <vector>

#include "dbmain.h"

#include "ed/DatabaseDrawing.h"
#include "ed/LineSource.h"

namespace shell {

int Run(const std::vector<std::string>& args);

// Says "kestrel: MESSAGE" on standard error; answers `code`.
int Fail(int code, const std::string& message);

// Reads the drawing named on the command line; false with `error` set when it cannot.
bool ReadDrawing(AcDbDatabase& database, const std::string& path, std::string& error);

// How the commands of a run are carried out besides their input.
struct CommandRunOptions {
    std::string module;          // "" = kestrel.arx beside the program
    std::string shots = "shots"; // where SHOT saves
    bool gui = false;            // windows on the display
    bool scripted = true;        // false: the console or the person at the display answers
};

// Loads the module and runs `input` at the command line with `database` (seen by the editor
// through `drawing`) as the working drawing, then unloads the module. Answers 0, or an exit
// code with `error` set when the module could not be loaded or the display not opened; how
// the input went is then for ed::Input() to say.
int RunCommands(AcDbDatabase& database, ed::DatabaseDrawing& drawing,
                std::unique_ptr<ed::LineSource> input, const CommandRunOptions& options,
                std::string& error);

} // namespace shell
