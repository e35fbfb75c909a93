#include "bench/core/markerfile.h"

#include "../platform/smalldisk.h"
#include "platform/core/recordfile.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <optional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace titrage;
using namespace titrage::testing;

TEST(MarkerFile, RunningFlagAndLauncherRequest)
{
    TempFolder dir;
    const std::string path = dir.file(kMarkerFileName);
    EXPECT_EQ(takeLauncherRequest(dir.path()), "");
    EXPECT_FALSE(std::filesystem::exists(path)) << "taking a request must not create the file";

    ASSERT_TRUE(writeRunningFlag(dir.path() + "/", true));
    EXPECT_EQ(readBytes(path).size(), 21u * 128u);
    EXPECT_EQ(decodeRecord(readBytes(path), 21), "OUI");

    std::string image = readBytes(path) + std::string(9 * 128, '\0');
    image += encodeRecord("Acide \xE9thano\xEFque.E42").value();
    writeBytes(path, image);
    EXPECT_EQ(takeLauncherRequest(dir.path()), "Acide éthanoïque.E42");
    EXPECT_EQ(takeLauncherRequest(dir.path()), "") << "a request is taken once";

    ASSERT_TRUE(writeRunningFlag(dir.path(), false));
    const std::string after = readBytes(path);
    EXPECT_EQ(after.size(), image.size());
    EXPECT_EQ(decodeRecord(after, 21), "NON");
    EXPECT_EQ(decodeRecord(after, 31), "");
}

TEST(MarkerFile, UnusableFilesAreSkippedSilently)
{
    TempFolder dir;
    // A corrupt request record reads as no request and is cleared.
    writeBytes(dir.file(kMarkerFileName), std::string(30 * 128, '\0') + "\xFF\x7F");
    EXPECT_EQ(takeLauncherRequest(dir.path()), "");
    EXPECT_EQ(decodeRecord(readBytes(dir.file(kMarkerFileName)), 31), "");

    EXPECT_FALSE(writeRunningFlag("/proc", true)); // nothing can be created there, even by root
    EXPECT_FALSE(writeRunningFlag(dir.file("missing"), true));
    if (permissionsApply()) {
        TempFolder locked;
        std::filesystem::permissions(locked.path(), std::filesystem::perms::owner_read |
                                                        std::filesystem::perms::owner_exec);
        EXPECT_FALSE(writeRunningFlag(locked.path(), true));
    }
}

// A marker that is not a plain file of its own is left exactly as it is:
// nothing is written through a link (dangling or not), into a hard-linked
// file, a FIFO or a file far larger than a marker, and nothing is read there.
TEST(MarkerFile, OnlyAPlainFileOfItsOwnIsTouched)
{
    TempFolder dir;
    const std::string marker = dir.file(kMarkerFileName);
    const std::string teacher = dir.file("cours.txt");
    const std::string notes(10 * 1024, 'x');
    const std::string request = std::string(30 * 128, '\0') + encodeRecord("EXO1.E42").value();

    std::filesystem::create_symlink(teacher, marker); // dangling
    EXPECT_FALSE(writeRunningFlag(dir.path(), true));
    EXPECT_FALSE(std::filesystem::exists(teacher)) << "a dangling link must not create its target";

    writeBytes(teacher, notes + request);
    EXPECT_FALSE(writeRunningFlag(dir.path(), false));
    EXPECT_EQ(takeLauncherRequest(dir.path()), "");
    EXPECT_EQ(readBytes(teacher), notes + request);
    EXPECT_TRUE(std::filesystem::is_symlink(marker));

    std::filesystem::remove(marker);
    std::filesystem::create_hard_link(teacher, marker);
    EXPECT_FALSE(writeRunningFlag(dir.path(), true));
    std::filesystem::remove(marker);

    writeBytes(marker, request + std::string(kMarkerFileMax, '\0'));
    EXPECT_FALSE(writeRunningFlag(dir.path(), true));
    EXPECT_EQ(takeLauncherRequest(dir.path()), "");
    EXPECT_EQ(decodeRecord(readBytes(marker), 31), "EXO1.E42");
    std::filesystem::remove(marker);

    ASSERT_EQ(mkfifo(marker.c_str(), 0600), 0);
    EXPECT_FALSE(writeRunningFlag(dir.path(), true)); // returns at once: nobody reads the FIFO
    EXPECT_EQ(takeLauncherRequest(dir.path()), "");
    EXPECT_EQ(readBytes(teacher), notes + request);
}

// A full disk: a marker created for the flag and left unwritten is removed
// again (the launcher would find an empty marker), while a marker that was
// there before, even an empty one, is the launcher's and stays.
TEST(MarkerFile, FullDiskLeavesNoNewMarker)
{
    SmallDisk disk;
    if (!disk.mounted()) GTEST_SKIP() << "a tmpfs cannot be mounted here (needs root)";
    const std::string marker = disk.file(kMarkerFileName);
    const std::string request = std::string(30 * 128, '\0') + encodeRecord("EXO1.E42").value();
    struct Case {
        const char* what;
        std::optional<std::string> before; // nothing: no marker
        bool written;
    };
    const Case cases[] = {
        {"no marker", std::nullopt, false},
        {"an empty marker", std::string(), false},
        {"the launcher's marker", request, true}, // record 21 lies in a page it already has
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(marker);
        if (c.before) writeBytes(marker, *c.before);
        disk.fill();
        EXPECT_EQ(writeRunningFlag(disk.path(), true), c.written);
        ASSERT_EQ(std::filesystem::exists(marker), c.before.has_value());
        if (c.before && !c.written) EXPECT_EQ(readBytes(marker), *c.before);
        if (c.written) EXPECT_EQ(decodeRecord(readBytes(marker), 31), "EXO1.E42");
        disk.empty();
    }
    std::filesystem::remove(marker);
    EXPECT_TRUE(writeRunningFlag(disk.path(), true)) << "with room again, the marker is written";
    EXPECT_EQ(decodeRecord(readBytes(marker), 21), "OUI");
}

#ifdef TITRAGE_PROGRAM
// The real program, run offscreen from a folder of its own, then ended by a
// signal as a session logging out ends it: it exits normally and the launcher
// reads "NON".
TEST(MarkerFile, TerminationSignalsLeaveNon)
{
    for (const int signal : {SIGTERM, SIGHUP}) {
        TempFolder dir;
        const std::string program = dir.file("titrage");
        std::filesystem::copy_file(TITRAGE_PROGRAM, program);
        const std::string marker = dir.file(kMarkerFileName);
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
            execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        auto waitFor = [](const std::function<bool()>& done) {
            for (int i = 0; i < 600 && !done(); ++i)
                usleep(50'000);
            return done();
        };
        const bool running = waitFor([&] { return decodeRecord(readBytes(marker), 21) == "OUI"; });
        EXPECT_TRUE(running) << "the program did not start";
        kill(pid, signal);
        int status = 0;
        bool ended = false; // waitpid reaps once: keep what it said
        waitFor([&] { return ended = ended || waitpid(pid, &status, WNOHANG) == pid; });
        if (!ended) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
        }
        EXPECT_TRUE(ended && WIFEXITED(status) && WEXITSTATUS(status) == 0)
            << "signal " << signal << ", status " << status;
        EXPECT_EQ(decodeRecord(readBytes(marker), 21), "NON") << "signal " << signal;
    }
}
#endif
