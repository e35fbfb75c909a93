// Start-up of the installed program, measured from outside as a student's
// click starts it: from fork() to the bench being built (its marker reads
// "OUI", counter up_ms), and to the process's exit after a SIGTERM sent at that
// moment (the time). The exit the signal asks for takes effect only after the
// event-loop turn that delivers the window's first expose, so that figure
// covers the first painted window, plus the shutdown. Offscreen, Release:
//   build-release/bin/startup_benchmarks                          (/usr/bin/titrage)
//   TITRAGE_PROGRAM=/tmp/prefix/bin/titrage build-release/bin/startup_benchmarks
#include "bench/markerfile.h"
#include "platform/recordfile.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

using namespace titrage;

namespace {

std::string program()
{
    const char* p = std::getenv("TITRAGE_PROGRAM");
    return p ? p : "/usr/bin/titrage";
}

// Where the installed program writes its marker: its data folder when it can,
// else the user's data folder.
std::string markerFolderOf(const std::string& exe)
{
    const auto data =
        std::filesystem::path(exe).parent_path() / "../share/titrage-conductimetrique";
    if (writeRunningFlag(data.string(), false)) return data.string();
    const char* xdg = std::getenv("XDG_DATA_HOME");
    const std::string base = xdg ? xdg : std::string(std::getenv("HOME")) + "/.local/share";
    return base + "/Titrage conductimétrique";
}

std::string record21(const std::string& folder)
{
    std::ifstream in(markerFilePath(folder), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return decodeRecord(bytes, kRunningRecord).value_or("");
}

void BM_installedStartUp(benchmark::State& state)
{
    const std::string exe = program();
    if (access(exe.c_str(), X_OK) != 0) {
        state.SkipWithError(("no installed program at " + exe).c_str());
        return;
    }
    const std::string folder = markerFolderOf(exe);
    double upSeconds = 0;
    for (auto _ : state) {
        writeRunningFlag(folder, false);
        const auto start = std::chrono::steady_clock::now();
        const pid_t pid = fork();
        if (pid == 0) {
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
            execl(exe.c_str(), exe.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        while (record21(folder) != "OUI")
            usleep(200);
        upSeconds +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        kill(pid, SIGTERM);
        int status = 0;
        waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) state.SkipWithError("abnormal exit");
    }
    state.counters["up_ms"] =
        benchmark::Counter(upSeconds * 1000, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_installedStartUp)->Unit(benchmark::kMillisecond)->Iterations(20)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
