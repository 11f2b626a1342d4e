#include "platform/FileSystem.h"
#include "platform/PlatformError.h"
#include "support/InjectedWriteFailure.h"
#include "support/TempDir.h"

#include <QDir>

using namespace pravik;
using namespace pravik::test;

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

// A write refused at any step (also for root) leaves the previous content
// under its name, an older backup untouched, and no temporary file behind.
TEST(FileSystem, FailedWriteLeavesPreviousContent) {
    for (const FileSystem::WriteStep step : kWriteSteps) {
        for (const bool olderBackup : {false, true}) {
            SCOPED_TRACE(WriteStepName(step) + (olderBackup ? ", older backup" : ""));
            TempDir dir;
            const QString p = dir.write("a.sml", "kept");
            if (olderBackup)
                dir.write("a.sml.bak", "older");
            const std::pair<const char*, QString> formats[] = {
                {kUnableToWriteTo, "Unable to write to "},
                {kCannotCreateFile, "Cannot create file "}};
            for (const auto& [format, message] : formats) {
                InjectedWriteFailure failure(step);
                try {
                    FileSystem::SafeSave(p, "lost?", format);
                    ADD_FAILURE() << "no error";
                } catch (const PlatformError& e) {
                    EXPECT_EQ(e.message(), message + p);
                }
            }
            EXPECT_EQ(dir.read("a.sml"), "kept");
            EXPECT_EQ(dir.read("a.sml.bak"), olderBackup ? "older" : "<missing>");
            EXPECT_EQ(QDir(dir.path("")).entryList(QDir::Files | QDir::Hidden).size(),
                      olderBackup ? 2 : 1);
        }
    }
}

TEST(FileSystem, InjectedFailuresSpareTheFirstWritesAndEnd) {
    TempDir dir;
    {
        InjectedWriteFailure failure(FileSystem::WriteStep::Commit, 2);
        FileSystem::AtomicWrite(dir.path("1"), "one", kCannotCreateFile);
        FileSystem::AtomicWrite(dir.path("2"), "two", kCannotCreateFile);
        EXPECT_THROW(FileSystem::AtomicWrite(dir.path("3"), "three", kCannotCreateFile),
                     PlatformError);
        EXPECT_THROW(FileSystem::AtomicWrite(dir.path("4"), "", kCannotCreateFile), PlatformError);
    }
    FileSystem::AtomicWrite(dir.path("5"), "five", kCannotCreateFile);
    EXPECT_EQ(dir.read("2"), "two");
    EXPECT_FALSE(dir.exists("3"));
    EXPECT_FALSE(dir.exists("4"));
    EXPECT_EQ(dir.read("5"), "five");
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
