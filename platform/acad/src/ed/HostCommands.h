#pragma once
// The host's own commands that applications run through acedCommand. INSERT places a block
// reference in model space with one attribute per attribute definition of the block: at its
// default value when ATTREQ is 0, asked for otherwise.

#include <string>
#include <vector>

#include "ed/ScriptLine.h"

namespace ed {

// One answer of an acedCommand list.
struct CommandAnswer {
    int type = 0; // RTSTR, RTPOINT, RTREAL, ...
    std::wstring text;
    Point3 point;
    double real = 0;
};

// Runs the command named by the first answer with the rest as its answers; RTNORM when it ran
// to its end, RTERROR for an unknown command or a failure, RTCAN when cancelled.
int RunHostCommand(const std::vector<CommandAnswer>& answers);

} // namespace ed
