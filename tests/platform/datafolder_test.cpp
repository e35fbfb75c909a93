#include "platform/datafolder.h"
#include "platform/windowicon.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace titrage;

// The build tree keeps the data beside the executable; an installed program
// finds it in ../share/titrage-conductimetrique.
TEST(DataFolder, BesideTheExecutableOrInstalled)
{
    QTemporaryDir root;
    QDir dir(root.path());
    dir.mkpath(QStringLiteral("build/bin/exercices"));
    dir.mkpath(QStringLiteral("usr/bin"));
    dir.mkpath(QStringLiteral("usr/share/titrage-conductimetrique"));
    dir.mkpath(QStringLiteral("bare/bin"));
    const QString build = root.filePath(QStringLiteral("build/bin"));
    EXPECT_EQ(dataFolderFor(build), build);
    EXPECT_EQ(dataFolderFor(root.filePath(QStringLiteral("usr/bin"))),
              root.filePath(QStringLiteral("usr/share/titrage-conductimetrique")));
    const QString bare = root.filePath(QStringLiteral("bare/bin"));
    EXPECT_EQ(dataFolderFor(bare), bare);
}

TEST(DataFolder, MarkerGoesToTheUserWhenTheProgramFolderIsReadOnly)
{
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir writable;
    EXPECT_EQ(markerFolder(writable.path()), writable.path());
    EXPECT_TRUE(QDir(writable.path()).entryList(QDir::Files | QDir::Hidden).isEmpty())
        << "the probe leaves nothing behind";
    // Nothing can be created in /proc, even by root.
    const QString user = markerFolder(QStringLiteral("/proc"));
    EXPECT_EQ(user, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    EXPECT_TRUE(QDir(user).exists());
    QStandardPaths::setTestModeEnabled(false);
}

// The icon is drawn, not loaded: transparent around, the solution in the beaker.
TEST(WindowIcon, DrawnAtEverySize)
{
    for (const int size : {16, 48, 256}) {
        const QImage icon = titrageIconImage(size);
        ASSERT_EQ(icon.size(), QSize(size, size));
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << size;
        EXPECT_EQ(icon.pixelColor(size * 30 / 64, size * 55 / 64), QColor(0xe6, 0xea, 0x4a))
            << size;
    }
    EXPECT_FALSE(titrageIcon().isNull());
}
