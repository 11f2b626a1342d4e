#include "platform/FolderChoice.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFileInfo>

using namespace pravik;
using namespace pravik::test;
using Answer = Prompter::Answer;

namespace {

QString Question(const QString& folder) {
    return "The folder \"" + folder + "\" does not exist. Create it?";
}

} // namespace

TEST(FolderChoice, AnExistingFolderOrACancelAsksNothing) {
    TempDir dir;
    ScriptedPrompter prompter;
    prompter.answerFolder(dir.path(""));
    prompter.answerFolder(std::nullopt);
    EXPECT_EQ(ChooseFolderCreating(prompter, "Select Folder", QString()), dir.path(""));
    EXPECT_EQ(ChooseFolderCreating(prompter, "Select Folder", QString()), std::nullopt);
    EXPECT_TRUE(prompter.boxes.empty());
    EXPECT_EQ(prompter.folderRequests, (std::vector<QString>{QString(), QString()}));
}

TEST(FolderChoice, ATypedFolderIsCreatedAfterYes) {
    TempDir dir;
    ScriptedPrompter prompter;
    const QString typed = dir.path("logs/2024/eq1");
    prompter.answerFolder(typed);
    prompter.answerBox(Answer::Yes);
    EXPECT_EQ(ChooseFolderCreating(prompter, "Select Folder", QString()), typed);
    EXPECT_TRUE(QFileInfo(typed).isDir());
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, Question(typed));
    EXPECT_EQ(prompter.boxes[0].icon, Prompter::Icon::Question);
    EXPECT_EQ(prompter.boxes[0].buttons, Prompter::Buttons::YesNo);
    EXPECT_TRUE(prompter.allAnswersUsed());
}

TEST(FolderChoice, NoOrAFailedCreationReturnsToTheChooser) {
    TempDir dir;
    ScriptedPrompter prompter;
    const QString typed = dir.path("new");
    const QString underAFile = dir.write("file", "x") + "/sub";
    // No: back to the chooser on the typed name, which is then cancelled.
    prompter.answerFolder(typed);
    prompter.answerBox(Answer::No);
    prompter.answerFolder(std::nullopt);
    EXPECT_EQ(ChooseFolderCreating(prompter, "Select Folder", QString()), std::nullopt);
    EXPECT_FALSE(QFileInfo::exists(typed));
    EXPECT_EQ(prompter.folderRequests.back(), typed);
    // A folder that cannot be made: its error, then the chooser again.
    prompter.answerFolder(underAFile);
    prompter.answerBox(Answer::Yes);
    prompter.answerBox(Answer::Ok);
    prompter.answerFolder(dir.path(""));
    EXPECT_EQ(ChooseFolderCreating(prompter, "Select Folder", QString()), dir.path(""));
    ASSERT_EQ(prompter.boxes.size(), 3u);
    EXPECT_EQ(prompter.boxes[2].text, "Cannot create folder " + underAFile);
    EXPECT_EQ(prompter.boxes[2].icon, Prompter::Icon::Error);
    EXPECT_EQ(prompter.folderRequests.back(), underAFile);
    EXPECT_TRUE(prompter.allAnswersUsed());
}
