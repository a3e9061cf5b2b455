#pragma once
// Runs the built kestrel program with a time limit and collects what it printed.

#include <string>
#include <vector>

struct KestrelResult {
    int exitCode = -1; // -1 when it had to be killed
    std::string out, err;
    double seconds = 0;
};

// Runs in `workingDir` when one is given, else in the test's own directory.
KestrelResult RunKestrel(const std::vector<std::string>& args, const std::string& input = "",
                         double limitSeconds = 10, const std::string& workingDir = "");

// Runs a shell command; what it printed on standard output.
std::string RunShell(const std::string& command);

// What a file holds, byte for byte ("" when it cannot be read).
std::string Slurp(const std::string& path);

// A fresh directory for the test's files.
std::string ScratchDir(const std::string& name);

extern const std::string kSourceDir, kBinaryDir, kKestrel, kProbeModule, kOfficePlan;
