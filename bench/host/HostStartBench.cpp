// How long the host takes to start: the kestrel program answering --help (a whole process),
// and loading the module with its init and unload messages (inside a running host).
// Targets: --help under 50 ms, module load under 20 ms.

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "shell/LoadedModule.h"

namespace {

const std::string kBin = KESTREL_BINARY_DIR "/bin";

void KestrelHelp(benchmark::State& state) {
    std::string program = kBin + "/kestrel";
    char* argv[] = {program.data(), const_cast<char*>("--help"), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    for (auto _ : state) {
        pid_t child;
        if (posix_spawn(&child, program.c_str(), &actions, nullptr, argv, environ) != 0) {
            state.SkipWithError("cannot start kestrel");
            break;
        }
        int status = 0;
        waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("kestrel --help failed");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
}
BENCHMARK(KestrelHelp)->Unit(benchmark::kMillisecond)->UseRealTime();

void ModuleLoad(benchmark::State& state) {
    for (auto _ : state) {
        std::string error;
        auto module = shell::LoadedModule::Open(kBin + "/kestrel.arx", error);
        if (!module) {
            state.SkipWithError(error.c_str());
            break;
        }
        module->Init();
        module->Unload();
    }
}
BENCHMARK(ModuleLoad)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
