#include "MainWindowFixture.h"

#include "sml/SmlWriter.h"
#include "support/DocumentEdits.h"

namespace pravik::test {
namespace {

const QString kQuestion = QStringLiteral("NoName.sml 을(를) 저장하겠습니까?");

TEST_F(MainWindowTest, NewMakesAnUntitledDocumentAndEnablesTheDocumentCommands) {
    w->action("FileNew")->trigger();
    EXPECT_EQ(w->session().fileName(), "NoName.sml");
    EXPECT_EQ(w->windowTitle(), "Pravik for Zorv - NoName.sml");
    EXPECT_EQ(w->applicationTitle(), "Pravik for Zorv - NoName.sml");
    EXPECT_EQ(
        enabledActions(),
        (std::set<QString>{"FileNew",         "FileLoad",        "FileExit",      "ToolStayOnTop",
                           "HelpWhatsNew",    "HelpAbout",       "HelpHelp",      "FileSave",
                           "FileSaveas",      "MakeCppFile",     "ItemAdd",       "OptionConfig",
                           "ToolViewTextSML", "ToolStructCheck", "ToolProblems",  "ToolComm",
                           "ItemFind",        "FileImportSml",   "FileExportSml", "ToolPreview"}));
    EXPECT_TRUE(prompter.boxes.empty());
}

TEST_F(MainWindowTest, NewWithChangesAsksAndFollowsTheAnswer) {
    w->action("FileNew")->trigger();
    addMessage("S1F1 P x");

    // Cancel: nothing changes.
    prompter.answerBox(Prompter::Answer::Cancel);
    w->action("FileNew")->trigger();
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].title, "Confirm");
    EXPECT_EQ(prompter.boxes[0].text, kQuestion);
    EXPECT_EQ(prompter.boxes[0].buttons, Prompter::Buttons::YesNoCancel);
    EXPECT_EQ(w->document().topLevelCount(), 1);
    EXPECT_TRUE(w->isModified());

    // Yes: saved under "NoName.sml" in the current folder, without a dialog.
    prompter.answerBox(Prompter::Answer::Yes);
    w->action("FileNew")->trigger();
    EXPECT_TRUE(prompter.saveRequests.empty());
    EXPECT_EQ(dir.read("NoName.sml"), QByteArray("<S1F1 P x\r\n>\r\n\r\n"));
    EXPECT_EQ(w->document().topLevelCount(), 0);
    EXPECT_FALSE(w->isModified());

    // No: the changes are dropped.
    addMessage("S2F1 P y");
    prompter.answerBox(Prompter::Answer::No);
    w->action("FileNew")->trigger();
    EXPECT_EQ(w->document().topLevelCount(), 0);
    EXPECT_FALSE(w->isModified());
    EXPECT_EQ(dir.read("NoName.sml"), QByteArray("<S1F1 P x\r\n>\r\n\r\n"));
}

TEST_F(MainWindowTest, OpenReadsTheFileShowsCountsAndTakesItsName) {
    const QString path = open("host.sml", kThreeMessages);
    ASSERT_EQ(prompter.openRequests.size(), 1u);
    EXPECT_EQ(prompter.openRequests[0].filter, "SML File|*.sml|Text File|*.txt|All File|*.*");
    EXPECT_EQ(prompter.openRequests[0].initialDir, QCoreApplication::applicationDirPath());
    EXPECT_EQ(w->session().fileName(), path);
    EXPECT_EQ(w->windowTitle(), "Pravik for Zorv - " + path);
    EXPECT_EQ(w->document().topLevelCount(), 3);
    EXPECT_EQ(w->statusPanelText(0), "전체 메시지: 3개");
    EXPECT_EQ(w->statusPanelText(1), "전체 아이템: 6개");
    EXPECT_TRUE(enabled("ToolStructCheck"));
    EXPECT_FALSE(enabled("ItemEdit"));
    // The pane holds the file's own lines even while hidden.
    EXPECT_EQ(w->memoText(),
              "<S1F1 P Are You There\n>\n\n<S1F2 S On Line Data\n  <L 2 \n    <A 6 MDLN >\n"
              "    <A 6 SOFTREV >\n  >\n>\n\n<S1F1 P\n>\n\n");

    // After New the counts stay those of the last file read.
    w->action("FileNew")->trigger();
    EXPECT_EQ(w->statusPanelText(0), "전체 메시지: 3개");
}

TEST_F(MainWindowTest, OpenCancelledAtEitherStepChangesNothing) {
    const QString path = open("host.sml", kThreeMessages);
    markModified();

    prompter.answerBox(Prompter::Answer::Cancel);
    w->action("FileLoad")->trigger();
    EXPECT_EQ(prompter.openRequests.size(), 1u); // the dialog did not appear

    prompter.answerBox(Prompter::Answer::No);
    prompter.answerOpen(std::nullopt);
    w->action("FileLoad")->trigger();
    EXPECT_EQ(prompter.openRequests.size(), 2u);
    EXPECT_EQ(w->session().fileName(), path);
    EXPECT_EQ(w->document().topLevelCount(), 3);
}

TEST_F(MainWindowTest, OpenOfAnUnreadableFileKeepsTheDocument) {
    const QString path = open("host.sml", kThreeMessages);
    const QString missing = dir.path("gone.sml");
    prompter.answerOpen(missing);
    prompter.answerBox(Prompter::Answer::Ok);
    w->action("FileLoad")->trigger();
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].icon, Prompter::Icon::Error);
    EXPECT_EQ(prompter.boxes[0].text, "Cannot open file " + missing);
    EXPECT_EQ(w->document().topLevelCount(), 3);
    EXPECT_EQ(w->session().fileName(), path);
    EXPECT_EQ(w->windowTitle(), "Pravik for Zorv - " + path);
    EXPECT_TRUE(w->memoText().startsWith("<S1F1 P Are You There\n"));
}

TEST_F(MainWindowTest, SaveWritesUnderItsNameAfterABackup) {
    const QString path = open("host.sml", "<S9F1 P old\r\n>\r\n\r\n");
    addMessage("S1F1 P new");
    w->action("FileSave")->trigger();
    EXPECT_TRUE(prompter.saveRequests.empty());
    EXPECT_EQ(dir.read("host.sml.bak"), QByteArray("<S9F1 P old\r\n>\r\n\r\n"));
    EXPECT_EQ(dir.read("host.sml"), QByteArray("<S9F1 P old\r\n>\r\n\r\n<S1F1 P new\r\n>\r\n\r\n"));
    EXPECT_FALSE(w->isModified());
    EXPECT_EQ(w->windowTitle(), "Pravik for Zorv - " + path);
}

TEST_F(MainWindowTest, SaveOfAnUntitledDocumentAsksForAName) {
    w->action("FileNew")->trigger();
    addMessage("S1F1 P x");

    prompter.answerSave(std::nullopt);
    w->action("FileSave")->trigger();
    ASSERT_EQ(prompter.saveRequests.size(), 1u);
    const auto& req = prompter.saveRequests[0];
    EXPECT_EQ(req.proposedName, "NoName.sml");
    EXPECT_EQ(req.defaultExtension, "sml");
    EXPECT_TRUE(req.overwritePrompt);
    EXPECT_EQ(req.filter, "SML File|*.sml|Text File|*.txt|All File|*.*");
    EXPECT_TRUE(w->isModified());
    EXPECT_FALSE(dir.exists("NoName.sml"));

    const QString chosen = dir.path("mine.sml");
    prompter.answerSave(chosen);
    w->action("FileSave")->trigger();
    EXPECT_EQ(dir.read("mine.sml"), QByteArray("<S1F1 P x\r\n>\r\n\r\n"));
    EXPECT_EQ(w->session().fileName(), chosen);
    EXPECT_EQ(w->windowTitle(), "Pravik for Zorv - " + chosen);
    EXPECT_FALSE(w->isModified());
}

TEST_F(MainWindowTest, SaveAsProposesTheCurrentPath) {
    const QString path = open("host.sml", kThreeMessages);
    const QString other = dir.path("copy.sml");
    prompter.answerSave(other);
    w->action("FileSaveas")->trigger();
    EXPECT_EQ(prompter.saveRequests[0].proposedName, path);
    EXPECT_EQ(dir.read("copy.sml"), WriteDocument(w->document()));
    EXPECT_EQ(w->session().fileName(), other);
}

TEST_F(MainWindowTest, AFailedSaveIsReportedAndKeepsTheChangesFlag) {
    w->action("FileNew")->trigger();
    markModified();
    const QString bad = dir.path("no/such/folder/x.sml");
    prompter.answerSave(bad);
    prompter.answerBox(Prompter::Answer::Ok);
    w->action("FileSaveas")->trigger();
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].icon, Prompter::Icon::Error);
    EXPECT_EQ(prompter.boxes[0].text, "Cannot create file " + bad);
    EXPECT_TRUE(w->isModified());
    EXPECT_EQ(w->session().fileName(), "NoName.sml");

    // The "&Yes" of New fails the same way and New does not go on: the
    // document's folder is gone.
    ASSERT_TRUE(QDir(dir.path(QString())).mkdir("gone"));
    prompter.answerBox(Prompter::Answer::No);
    const QString gone = open("gone/x.sml", "");
    ASSERT_TRUE(QDir(dir.path("gone")).removeRecursively());
    Append(w->document(), nullptr, "S1F1 P x", NodeKind::Message);
    prompter.answerBox(Prompter::Answer::Yes);
    prompter.answerBox(Prompter::Answer::Ok);
    w->action("FileNew")->trigger();
    EXPECT_EQ(prompter.boxes.back().text, "Cannot create file " + gone);
    EXPECT_EQ(w->document().topLevelCount(), 1);
    EXPECT_TRUE(w->isModified());
}

TEST_F(MainWindowTest, ClosingAsksOnlyWithChanges) {
    w->show();
    EXPECT_TRUE(w->close());
    EXPECT_TRUE(prompter.boxes.empty());

    w->show();
    w->action("FileNew")->trigger();
    markModified();
    prompter.answerBox(Prompter::Answer::Cancel);
    EXPECT_FALSE(w->close());
    EXPECT_EQ(prompter.boxes.back().text, kQuestion);

    // "&Yes" then a cancelled save dialog keeps the window open.
    prompter.answerBox(Prompter::Answer::Yes);
    prompter.answerSave(std::nullopt);
    EXPECT_FALSE(w->close());
    EXPECT_TRUE(w->isModified());

    // A save that fails keeps it open too.
    prompter.answerBox(Prompter::Answer::Yes);
    prompter.answerSave(dir.path("no/such/x.sml"));
    prompter.answerBox(Prompter::Answer::Ok);
    EXPECT_FALSE(w->close());
    EXPECT_EQ(prompter.boxes.back().icon, Prompter::Icon::Error);

    // "&Yes" with a name saves and closes, even for a named document.
    prompter.answerBox(Prompter::Answer::Yes);
    prompter.answerSave(dir.path("closing.sml"));
    EXPECT_TRUE(w->close());
    EXPECT_TRUE(dir.exists("closing.sml"));
    EXPECT_FALSE(w->isModified());
    EXPECT_EQ(w->session().fileName(), "NoName.sml");

    w->show();
    markModified();
    prompter.answerBox(Prompter::Answer::No);
    w->action("FileExit")->trigger();
    EXPECT_FALSE(w->isVisible());
}

// The generation command proposes names from the document's, writes the
// source file and then the header, and leaves the document untouched.
TEST_F(MainWindowTest, MakeCppFileWritesSourceThenHeaderWithoutChangingTheDocument) {
    const QString path = open("Tool.sml", kThreeMessages);
    markModified();
    prompter.answerSave(dir.path("Msg.cpp"));
    prompter.answerSave(dir.path("Other.h"));
    w->action("MakeCppFile")->trigger();
    ASSERT_EQ(prompter.saveRequests.size(), 2u);
    EXPECT_EQ(prompter.saveRequests[0].filter, "C++ Source File|*.cpp");
    EXPECT_TRUE(prompter.saveRequests[0].proposedName.endsWith("Tool.cpp"));
    EXPECT_EQ(prompter.saveRequests[1].filter, "Header File|*.h");
    EXPECT_TRUE(prompter.saveRequests[1].proposedName.endsWith("Msg.h"));
    EXPECT_TRUE(dir.read("Msg.cpp").contains("#include \"Msg.h\""));
    EXPECT_TRUE(dir.read("Other.h").contains("class clsS1F1"));
    EXPECT_TRUE(w->isModified());
    EXPECT_EQ(w->session().fileName(), path);
    EXPECT_EQ(w->document().topLevelCount(), 3);

    // A source file that cannot be created is reported and the header is not asked for.
    QDir().mkpath(dir.path("taken.cpp"));
    prompter.answerSave(dir.path("taken.cpp"));
    prompter.answerBox(Prompter::Answer::Ok);
    w->action("MakeCppFile")->trigger();
    EXPECT_EQ(prompter.saveRequests.size(), 3u);
    ASSERT_FALSE(prompter.boxes.empty());
    EXPECT_EQ(prompter.boxes.back().text, "Cannot create file " + dir.path("taken.cpp"));
    EXPECT_TRUE(prompter.allAnswersUsed());
}

} // namespace
} // namespace pravik::test
