// Start-up of the installed program, measured from outside as a student's
// click starts it: from fork() to the first painted window, that is the moment
// Qt flushes the whole bench, painted, to the screen (time; Qt's own painting
// log, read on the program's error output, says when). Counter up_ms is the
// moment the bench starts being built (its marker reads "OUI"). The program is
// then ended with SIGTERM and waited for, outside the timing.
//
// Release build, on a virtual screen (the xcb platform, as in class) when
// DISPLAY is set, else offscreen:
//   build-release/bin/startup_benchmarks                          (/usr/bin/titrage)
//   TITRAGE_PROGRAM=/tmp/prefix/bin/titrage build-release/bin/startup_benchmarks
//   xvfb-run -a -s "-screen 0 1920x1080x24" build-release/bin/startup_benchmarks
#include "bench/core/markerfile.h"
#include "platform/core/recordfile.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

using namespace titrage;

namespace {

using Clock = std::chrono::steady_clock;

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

// The program, its error output in a pipe with Qt's painting log turned on.
pid_t start(const std::string& exe, int& errorOutput)
{
    int fds[2];
    if (pipe(fds) != 0) return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(fds[1], STDERR_FILENO);
        close(fds[0]);
        close(fds[1]);
        if (!std::getenv("DISPLAY")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
        setenv("QT_LOGGING_RULES", "qt.widgets.painting=true", 1);
        execl(exe.c_str(), exe.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    errorOutput = fds[0];
    return pid;
}

// Reads the log until the bench's first flush, noting when the marker turned
// "OUI" on the way. False when the program ended first.
bool waitForFirstPaint(int fd, const std::string& markerFolder, Clock::time_point begin,
                       double& upSeconds)
{
    std::string log;
    bool up = false;
    char buffer[8192];
    for (;;) {
        if (!up && record21(markerFolder) == "OUI") {
            up = true;
            upSeconds += std::chrono::duration<double>(Clock::now() - begin).count();
        }
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, up ? 50 : 1) < 0) return false;
        if (!(p.revents & (POLLIN | POLLHUP))) continue;
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0) return false;
        log.append(buffer, static_cast<size_t>(n));
        // "Flushing QRegion(0,0 800x600) of titrage::feuilleP(...)".
        for (size_t at = log.find("Flushing QRegion"); at != std::string::npos;
             at = log.find("Flushing QRegion", at + 1)) {
            const size_t end = log.find('\n', at);
            if (end == std::string::npos) break;
            if (log.substr(at, end - at).find("name=\"feuilleP\"") != std::string::npos) {
                if (!up) upSeconds += std::chrono::duration<double>(Clock::now() - begin).count();
                return true;
            }
        }
        // Keep only an unfinished last line.
        const size_t lastLine = log.rfind('\n');
        if (lastLine != std::string::npos) log.erase(0, lastLine + 1);
    }
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
        state.PauseTiming();
        writeRunningFlag(folder, false);
        state.ResumeTiming();
        const auto begin = Clock::now();
        int errorOutput = -1;
        const pid_t pid = start(exe, errorOutput);
        const bool painted = pid > 0 && waitForFirstPaint(errorOutput, folder, begin, upSeconds);
        const double seconds = std::chrono::duration<double>(Clock::now() - begin).count();
        state.SetIterationTime(seconds);
        state.PauseTiming();
        if (pid > 0) kill(pid, SIGTERM);
        char drain[8192];
        while (errorOutput >= 0 && read(errorOutput, drain, sizeof drain) > 0) {
        }
        if (errorOutput >= 0) close(errorOutput);
        int status = 0;
        if (pid > 0) waitpid(pid, &status, 0);
        state.ResumeTiming();
        if (!painted) {
            state.SkipWithError("the program ended before painting its window");
            break;
        }
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("abnormal exit");
            break;
        }
    }
    state.counters["up_ms"] =
        benchmark::Counter(upSeconds * 1000, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_installedStartUp)->Unit(benchmark::kMillisecond)->Iterations(20)->UseManualTime();

} // namespace

BENCHMARK_MAIN();
