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

// A fresh directory for the test's files.
std::string ScratchDir(const std::string& name);

// The arguments followed by each line as a -c option.
std::vector<std::string> WithLines(std::vector<std::string> args,
                                   const std::vector<std::string>& lines);

// The module copied into `dir`, so that the settings files it keeps beside itself stay there.
std::string ModuleIn(const std::string& dir);

bool Has(const std::string& text, const std::string& part);
// The names in a directory, sorted.
std::vector<std::string> Entries(const std::string& dir);
// A file's bytes ("" when it cannot be read).
std::string ReadFile(const std::string& path);

extern const std::string kSourceDir, kBinaryDir, kKestrel, kProbeModule, kOfficePlan;
