#pragma once
// Programs started beside a test that runs on an X server (Xvfb): the server itself, the
// program under test on it, and the X tools that drive it.

#include <sys/types.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

inline bool Installed(const char* tool) {
    return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

// Starts `args` (found on the PATH) on `display` ("" keeps the test's own environment), with its
// standard output thrown away when `quiet`.
inline pid_t Spawn(const std::vector<std::string>& args, const std::string& display,
                   bool quiet = false) {
    pid_t pid = fork();
    if (pid == 0) {
        if (quiet && !std::freopen("/dev/null", "w", stdout))
            _exit(127);
        if (!display.empty()) {
            setenv("DISPLAY", display.c_str(), 1);
            // The X and D-Bus libraries under SDL keep allocations for the process's life;
            // leaks of our own code are checked by the headless runs.
            setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
        }
        std::vector<char*> argv;
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

// Runs a shell command on `display`, quietly; its exit status.
inline int RunOn(const std::string& command, const std::string& display) {
    return std::system(("DISPLAY=" + display + " " + command + " >/dev/null 2>&1").c_str());
}
