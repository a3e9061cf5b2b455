#include "KestrelRun.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

const std::string kSourceDir = KESTREL_SOURCE_DIR;
const std::string kBinaryDir = KESTREL_BINARY_DIR;
const std::string kKestrel = kBinaryDir + "/bin/kestrel";
const std::string kProbeModule = kBinaryDir + "/tests/shell/probe.arx";
const std::string kOfficePlan = kSourceDir + "/examples/office-plan.dxf";

std::string ScratchDir(const std::string& name) {
    auto dir = std::filesystem::temp_directory_path() /
               ("kestrel-e2e-" + std::to_string(getpid()) + "-" + name);
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir.string();
}

std::string RunShell(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        while (std::size_t n = fread(buffer, 1, sizeof buffer, pipe))
            output.append(buffer, n);
        pclose(pipe);
    }
    return output;
}

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

KestrelResult RunKestrel(const std::vector<std::string>& args, const std::string& input,
                         double limitSeconds, const std::string& workingDir) {
    std::string dir = ScratchDir("run");
    std::string in = dir + "/in", out = dir + "/out", err = dir + "/err";
    std::ofstream(in, std::ios::binary) << input;
    auto start = std::chrono::steady_clock::now();
    pid_t child = fork();
    if (child == 0) {
        freopen(in.c_str(), "rb", stdin);
        freopen(out.c_str(), "wb", stdout);
        freopen(err.c_str(), "wb", stderr);
        if (!workingDir.empty() && chdir(workingDir.c_str()) != 0)
            _exit(126);
        std::vector<char*> argv{const_cast<char*>(kKestrel.c_str())};
        for (const auto& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(kKestrel.c_str(), argv.data());
        _exit(127);
    }
    KestrelResult result;
    int status = 0;
    for (;;) {
        if (waitpid(child, &status, WNOHANG) == child) {
            result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            break;
        }
        std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
        if (spent.count() > limitSeconds) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    result.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    result.out = Slurp(out);
    result.err = Slurp(err);
    std::filesystem::remove_all(dir);
    return result;
}
