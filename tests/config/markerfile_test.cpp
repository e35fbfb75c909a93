#include "bench/markerfile.h"

#include "platform/recordfile.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <filesystem>

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
