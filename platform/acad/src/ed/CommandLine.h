#pragma once
// The command prompt: each line runs a registered command or one of the host's own (SAVE);
// anything else is an unknown command. After every command the host checks that the command
// closed every object it opened and released its selection sets.

#include <string>

#include "ed/ScriptLine.h"

namespace ed {

// Reads and runs command lines until the input ends or the run stops.
void RunCommandLine();
// Runs one line typed at the command prompt.
void RunCommandLineEntry(const ScriptLine& line);
// A line "'NAME" typed at a prompt runs the transparent command NAME in between; true when the
// line was such a line (whether or not the command could run). A command that is running
// already is not entered again, however deep the nesting.
bool RunIfTransparent(const ScriptLine& line);
// Whether a command is running.
bool InCommand();

} // namespace ed
