#include "platform/core/safesave.h"

#include "../config/sampleconfig.h"
#include "../config/tempfolder.h"
#include "config/core/configfile.h"
#include "smalldisk.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

using namespace titrage;
using namespace titrage::testing;
namespace fs = std::filesystem;

namespace {

std::set<std::string> entries(const std::string& folder)
{
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(folder))
        names.insert(e.path().filename().string());
    return names;
}

std::string richText(std::size_t letters)
{
    return "{\\rtf1\\ansi " + std::string(letters, 'r') + "\\par}";
}

} // namespace

// A full disk: nothing of an earlier file is lost, no partial file is left,
// and the same save succeeds once there is room (the failure is the disk's).
TEST(SafeSave, FullDiskLosesNothing)
{
    SmallDisk disk;
    if (!disk.mounted())
        GTEST_SKIP() << "a tmpfs cannot be mounted here (needs root): full-disk saves not tried";
    const ConfigData config = tenSituations();
    const std::string configBytes = configImage(config).value();
    struct Case {
        const char* what;
        std::string name;
        std::string bytes; // empty: the configuration writer
        bool overOld;
    };
    const Case cases[] = {
        {"short text, new", "court.RTF", richText(3000), false},
        {"short text, over an older one", "court.RTF", richText(3000), true},
        {"long text, new", "long.RTF", richText(100000), false},
        {"long text, over an older one", "long.RTF", richText(100000), true},
        {"configuration, new", "essai.C16", "", false},
        {"configuration, over an older one", "essai.C16", "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = disk.file(c.name);
        const std::string old(939, 'o');
        fs::remove(path);
        if (c.overOld) writeBytes(path, old);
        disk.fill();
        const auto before = entries(disk.path());

        const bool saved = c.bytes.empty()
                               ? writeConfiguration(path, config) == ConfigWriteStatus::Ok
                               : saveWholeFile(path, c.bytes).ok();
        EXPECT_FALSE(saved);
        EXPECT_EQ(entries(disk.path()), before) << "no temporary or partial file";
        if (c.overOld)
            EXPECT_EQ(readBytes(path), old);
        else
            EXPECT_FALSE(fs::exists(path));

        disk.empty();
        const bool savedWithRoom = c.bytes.empty()
                                       ? writeConfiguration(path, config) == ConfigWriteStatus::Ok
                                       : saveWholeFile(path, c.bytes).ok();
        if (c.bytes.size() > 30000) {
            EXPECT_FALSE(savedWithRoom) << "larger than the whole disk";
            if (c.overOld) EXPECT_EQ(readBytes(path), old);
        } else {
            EXPECT_TRUE(savedWithRoom);
            EXPECT_EQ(readBytes(path), c.bytes.empty() ? configBytes : c.bytes);
        }
    }
}

TEST(SafeSave, ReadOnlyFolderKeepsTheOldFile)
{
    SmallDisk disk;
    if (!disk.mounted())
        GTEST_SKIP() << "a tmpfs cannot be mounted here (needs root): read-only disk not tried";
    const std::string path = disk.file("garde.C16");
    writeBytes(path, "ancien");
    ASSERT_TRUE(disk.remountReadOnly());
    const SaveResult r = saveWholeFile(path, "nouveau");
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.error, EROFS);
    EXPECT_EQ(writeConfiguration(path, tenSituations()), ConfigWriteStatus::OpenFailed);
    EXPECT_EQ(readBytes(path), "ancien");
}

// What the target is decides what a save may do.
TEST(SafeSave, TargetsAndLinks)
{
    TempFolder dir;
    const std::string outside = dir.file("enseignant.txt");
    writeBytes(outside, std::string(10000, 't'));

    // A link is replaced by the file, never written through.
    const std::string link = dir.file("lien.RTF");
    fs::create_symlink(outside, link);
    ASSERT_TRUE(saveWholeFile(link, "eleve").ok());
    EXPECT_FALSE(fs::is_symlink(link));
    EXPECT_EQ(readBytes(link), "eleve");
    EXPECT_EQ(readBytes(outside), std::string(10000, 't'));
    // A dangling link does not create its target.
    const std::string dangling = dir.file("pendant.RTF");
    fs::create_symlink(dir.file("cible-absente"), dangling);
    ASSERT_TRUE(saveWholeFile(dangling, "x").ok());
    EXPECT_FALSE(fs::exists(dir.file("cible-absente")));

    // A folder, a device or a missing folder is refused, and leaves nothing.
    EXPECT_EQ(saveWholeFile(dir.path(), "x").status, SaveStatus::Refused);
    EXPECT_EQ(saveWholeFile("/dev/null", "x").status, SaveStatus::Refused);
    EXPECT_EQ(saveWholeFile(dir.file("absent/x.RTF"), "x").status, SaveStatus::OpenFailed);

    // The replaced file keeps its permissions.
    const std::string kept = dir.file("droits.RTF");
    writeBytes(kept, "a");
    fs::permissions(kept, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(saveWholeFile(kept, "b").ok());
    EXPECT_EQ(fs::status(kept).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(entries(dir.path()),
              (std::set<std::string>{"droits.RTF", "enseignant.txt", "lien.RTF", "pendant.RTF"}));

    // A cancelled save leaves no temporary file.
    {
        SafeSave save(dir.file("abandon.RTF"));
        ASSERT_TRUE(save.open());
        ASSERT_TRUE(save.write("partiel"));
        EXPECT_TRUE(fs::exists(save.temporaryPath()));
    }
    EXPECT_FALSE(fs::exists(dir.file("abandon.RTF")));
    EXPECT_EQ(entries(dir.path()).size(), 4u);
}

// A writer that fills the temporary by its name (the PDF printer): what it
// left is read back and committed only when the sizes agree and the name
// still leads to the temporary the save made.
TEST(SafeSave, WrittenByNameThenCommitted)
{
    struct Case {
        const char* what;
        int sizeOff;  // added to the size the caller claims
        bool swapped; // another file put under the temporary's name
        bool committed;
    };
    const Case cases[] = {
        {"as written", 0, false, true},
        {"the caller expects more", 1, false, false},
        {"the caller expects less", -1, false, false},
        {"the temporary replaced under its name", 0, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder dir;
        const std::string path = dir.file("tp.pdf");
        writeBytes(path, "ancien");
        SafeSave save(path);
        ASSERT_TRUE(save.open());
        const std::string temp = save.temporaryPath();
        writeBytes(temp, "nouveau document");
        if (c.swapped) {
            fs::remove(temp);
            writeBytes(temp, "autre chose");
        }
        EXPECT_EQ(save.temporarySize(), 16);
        EXPECT_EQ(save.readAt(8, 100), "document") << "read from the file the save made";
        const auto claimed = static_cast<std::int64_t>(std::string("nouveau document").size());
        EXPECT_EQ(save.commitWritten(claimed + c.sizeOff), c.committed);
        EXPECT_EQ(readBytes(path), c.committed ? "nouveau document" : "ancien");
        EXPECT_EQ(entries(dir.path()), std::set<std::string>{"tp.pdf"}) << "no temporary left";
    }
}
