#include "bench/markerfile.h"

#include "platform/recordfile.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace titrage;
using titrage::testing::readBytes;
using titrage::testing::TempFolder;
using titrage::testing::writeBytes;

TEST(MarkerFile, RunningFlagGoesIntoRecord21)
{
    TempFolder dir;
    ASSERT_TRUE(writeRunningFlag(dir.path(), true));
    const std::string path = dir.file(kMarkerFileName);
    EXPECT_EQ(markerFilePath(dir.path() + "/"), path);
    std::string bytes = readBytes(path);
    ASSERT_EQ(bytes.size(), 21u * 128u);
    EXPECT_EQ(decodeRecord(bytes, 21), "OUI");

    ASSERT_TRUE(writeRunningFlag(dir.path(), false));
    bytes = readBytes(path);
    EXPECT_EQ(decodeRecord(bytes, 21), "NON");
}

TEST(MarkerFile, LauncherRequestIsTakenOnceAndTheRestKept)
{
    TempFolder dir;
    const std::string path = dir.file(kMarkerFileName);
    std::string image;
    for (int n = 1; n <= 40; ++n)
        image += encodeRecord(n == 21 ? "OUI" : n == 31 ? "Acide \xE9thano\xEFque.E42" : "").value();
    writeBytes(path, image);

    EXPECT_EQ(takeLauncherRequest(dir.path()), "Acide éthanoïque.E42");
    const std::string after = readBytes(path);
    ASSERT_EQ(after.size(), image.size());
    EXPECT_EQ(decodeRecord(after, 31), "");
    EXPECT_EQ(decodeRecord(after, 21), "OUI");
    EXPECT_EQ(takeLauncherRequest(dir.path()), "");
}

TEST(MarkerFile, UnusableFilesAreSkippedSilently)
{
    TempFolder dir;
    EXPECT_EQ(takeLauncherRequest(dir.path()), "");
    EXPECT_FALSE(std::filesystem::exists(dir.file(kMarkerFileName))) << "taking must not create";

    // A corrupt request record reads as no request and is cleared.
    std::string image(30 * 128, '\0');
    image += std::string("\xFF\x7F", 2);
    writeBytes(dir.file(kMarkerFileName), image);
    EXPECT_EQ(takeLauncherRequest(dir.path()), "");
    EXPECT_EQ(decodeRecord(readBytes(dir.file(kMarkerFileName)), 31), "");

    // A folder where nothing can be created.
    EXPECT_FALSE(writeRunningFlag("/proc", true));
    EXPECT_FALSE(writeRunningFlag(dir.file("missing"), true));
    if (titrage::testing::permissionsApply()) {
        TempFolder locked;
        std::filesystem::permissions(locked.path(), std::filesystem::perms::owner_read |
                                                        std::filesystem::perms::owner_exec);
        EXPECT_FALSE(writeRunningFlag(locked.path(), true));
    }
}
