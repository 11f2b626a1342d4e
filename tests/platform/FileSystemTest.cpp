#include "platform/FileSystem.h"
#include "platform/PlatformError.h"
#include "support/TempDir.h"

#include <QFile>
#include <sys/stat.h>

using namespace pravik;
using pravik::test::TempDir;

TEST(FileSystem, RenameNeverReplacesAnExistingTarget) {
    TempDir dir;
    dir.write("a", "new");
    dir.write("b", "old");
    EXPECT_FALSE(FileSystem::RenameNoReplace(dir.path("a"), dir.path("b")));
    EXPECT_EQ(dir.read("a"), "new");
    EXPECT_EQ(dir.read("b"), "old");
    EXPECT_TRUE(FileSystem::RenameNoReplace(dir.path("a"), dir.path("c")));
    EXPECT_FALSE(dir.exists("a"));
    EXPECT_EQ(dir.read("c"), "new");
    EXPECT_FALSE(FileSystem::RenameNoReplace(dir.path("missing"), dir.path("d")));
}

TEST(FileSystem, ReadFailureCarriesTheUserMessage) {
    TempDir dir;
    try {
        FileSystem::ReadWholeFile(dir.path("nope.sml"));
        FAIL() << "no error";
    } catch (const PlatformError& e) {
        EXPECT_EQ(e.message(), "Cannot open file " + dir.path("nope.sml"));
    }
    // A folder is not a file.
    EXPECT_THROW(FileSystem::ReadWholeFile(dir.path("")), PlatformError);
}

TEST(FileSystem, SafeSaveKeepsTheFirstBackupAndWritesWhole) {
    TempDir dir;
    const QString p = dir.write("a.sml", "one");
    FileSystem::SafeSave(p, "two", kCannotCreateFile);
    EXPECT_EQ(dir.read("a.sml.bak"), "one");
    EXPECT_EQ(dir.read("a.sml"), "two");
    FileSystem::SafeSave(p, "three", kCannotCreateFile);
    EXPECT_EQ(dir.read("a.sml.bak"), "one");
    EXPECT_EQ(dir.read("a.sml"), "three");
}

TEST(FileSystem, FailedWriteLeavesPreviousContent) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    TempDir dir;
    QDir().mkpath(dir.path("ro"));
    const QString p = dir.write("ro/a.sml", "kept");
    ::chmod(QFile::encodeName(dir.path("ro")).constData(), 0555);
    try {
        FileSystem::SafeSave(p, "lost?", kUnableToWriteTo);
        ADD_FAILURE() << "no error";
    } catch (const PlatformError& e) {
        EXPECT_EQ(e.message(), "Unable to write to " + p);
    }
    ::chmod(QFile::encodeName(dir.path("ro")).constData(), 0755);
    EXPECT_EQ(dir.read("ro/a.sml"), "kept");
}

TEST(FileSystem, WriteIntoMissingFolderFails) {
    TempDir dir;
    const QString p = dir.path("no/such/folder/x.sml");
    try {
        FileSystem::SafeSave(p, "x", kCannotCreateFile);
        FAIL() << "no error";
    } catch (const PlatformError& e) {
        EXPECT_EQ(e.message(), "Cannot create file " + p);
    }
}
