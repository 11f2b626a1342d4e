#include "MainWindowFixture.h"

#include "platform/FileSystem.h"

#include <QStatusBar>
#include <QUndoStack>

namespace pravik::test {
namespace {

QStringList TopTexts(TfmMain& w) {
    QStringList out;
    for (int i = 0; i < w.document().topLevelCount(); ++i)
        out << QString::fromUtf8(w.document().topLevel(i)->Text());
    return out;
}

TEST_F(MainWindowTest, ExportWritesEveryMessageThroughTheSafeSavePath) {
    prompter.answerOpen(QStringLiteral(PRAVIK_EXAMPLES "/host.sml"));
    w->action("FileLoad")->trigger();
    const QString out = dir.write("host.txt", "older");
    prompter.answerSave(out);
    w->action("FileExportSml")->trigger();
    ASSERT_EQ(prompter.saveRequests.size(), 1u);
    EXPECT_EQ(prompter.saveRequests[0].proposedName, "host.txt");
    EXPECT_EQ(prompter.saveRequests[0].defaultExtension, "txt");
    EXPECT_TRUE(prompter.saveRequests[0].overwritePrompt);
    EXPECT_TRUE(dir.read("host.txt").startsWith("S1F1 W /* Are You There */\r\n.\r\n\r\nS1F2"));
    EXPECT_EQ(dir.read("host.txt.bak"), "older");
    EXPECT_TRUE(prompter.boxes.empty());
    EXPECT_FALSE(w->isModified());

    // A message without an example is named; the others are written.
    open("mixed.sml", "<S1F1 P ok\r\n>\r\n<S1F2 S bad\r\n  <X 1 a >\r\n>\r\n");
    prompter.answerSave(dir.path("mixed.txt"));
    prompter.answerBox(Prompter::Answer::Ok);
    w->action("FileExportSml")->trigger();
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].icon, Prompter::Icon::Information);
    EXPECT_EQ(prompter.boxes[0].text,
              "메시지 1개를 공통 SML로 내보냈습니다.\n\n예제를 만들 수 없어 내보내지 않은 메시지:\n"
              "S1F2 S bad: X 1 a (줄 4): 알 수 없는 아이템 형식입니다: 'X'");
    EXPECT_EQ(dir.read("mixed.txt"), "S1F1 W /* ok */\r\n.\r\n");

    // A file that cannot be written: the usual error box.
    QDir().mkpath(dir.path("folder.txt"));
    prompter.answerSave(dir.path("folder.txt"));
    prompter.answerBox(Prompter::Answer::Ok);
    w->action("FileExportSml")->trigger();
    ASSERT_EQ(prompter.boxes.size(), 2u);
    EXPECT_EQ(prompter.boxes[1].icon, Prompter::Icon::Error);
    EXPECT_EQ(prompter.boxes[1].text, "Cannot create file " + dir.path("folder.txt"));
}

TEST_F(MainWindowTest, ImportAddsTheNewMessagesAsOneUndoableStep) {
    open("three.sml", kThreeMessages);
    const QStringList before = TopTexts(*w);
    w->selectNode(top(1));
    const QString log =
        dir.write("log.txt", "S6F11 W <L [2] <U4 1> <L [1] <U4 5>>>.\n"
                             "S1F1 W.\n"
                             "S6F11 W <L [2] <U4 2> <L [3] <U4 5> <U4 6> <U4 7>>>.\n"
                             "S2F17 W /* Date and Time Request */.\n"
                             "S6F11 W <L [2] <U4 3> <A 'x'>>.\n");
    prompter.answerOpen(log);
    prompter.answerBox(Prompter::Answer::Ok);
    w->action("FileImportSml")->trigger();
    // Sorted into place (the messages the document had sort with them).
    EXPECT_EQ(TopTexts(*w), (QStringList{"S1F1 P", "S1F1 P Are You There", "S1F2 S On Line Data",
                                         "S2F17 P Date and Time Request", "S6F11 P "}));
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].icon, Prompter::Icon::Information);
    // A log names no member: the three of S6F11 got names.
    EXPECT_EQ(prompter.boxes[0].text, "메시지 2개를 가져왔습니다. 이름이 없는 멤버 3개에 이름을 "
                                      "붙였습니다.\n\n"
                                      "문서에 이미 있어 그대로 둔 메시지:\nS1F1\n\n"
                                      "구조를 합칠 수 없어 뺀 인스턴스:\n"
                                      "S6F11: 줄 1와(과) 줄 5의 구조를 합칠 수 없습니다");
    SmlNode* s6f11 = top(4);
    ASSERT_EQ(s6f11->childCount(), 1);
    EXPECT_EQ(s6f11->child(0)->child(1)->Text(), "L n V2");
    EXPECT_EQ(w->selectedNode(), top(3)); // the topmost message added
    EXPECT_TRUE(w->isModified());
    EXPECT_EQ(w->action("ItemUndo")->text(), "실행 취소: 공통 SML 가져오기");

    // One step back takes all of it; one forward brings it again.
    w->action("ItemUndo")->trigger();
    EXPECT_EQ(TopTexts(*w), before);
    EXPECT_FALSE(w->isModified());
    w->action("ItemRedo")->trigger();
    EXPECT_EQ(TopTexts(*w).size(), 5);
}

TEST_F(MainWindowTest, ImportOfMalformedTextAddsNothing) {
    open("three.sml", kThreeMessages);
    const QString bad = dir.write("bad.txt", "S1F3 W.\nS1F5 <L <Q 1>>.\n");
    prompter.answerOpen(bad);
    prompter.answerBox(Prompter::Answer::Ok);
    w->action("FileImportSml")->trigger();
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].icon, Prompter::Icon::Error);
    EXPECT_EQ(prompter.boxes[0].text, "공통 SML을 읽을 수 없습니다: " + bad +
                                          "\n줄 2, 열 10: 알 수 없는 아이템 형식입니다: 'Q'");
    EXPECT_EQ(w->document().topLevelCount(), 3);
    EXPECT_FALSE(w->document().undoStack()->canUndo());

    // Cancelled, or a file that cannot be read: nothing either.
    prompter.answerOpen(std::nullopt);
    w->action("FileImportSml")->trigger();
    prompter.answerOpen(dir.path("missing.txt"));
    prompter.answerBox(Prompter::Answer::Ok);
    w->action("FileImportSml")->trigger();
    ASSERT_EQ(prompter.boxes.size(), 2u);
    EXPECT_EQ(prompter.boxes[1].text, "Cannot open file " + dir.path("missing.txt"));
    EXPECT_EQ(w->document().topLevelCount(), 3);
    EXPECT_FALSE(w->isModified());

    // Only messages the document has: nothing added, no step, one box.
    prompter.answerOpen(dir.write("same.txt", "S1F2 <L>.\n"));
    prompter.answerBox(Prompter::Answer::Ok);
    w->action("FileImportSml")->trigger();
    ASSERT_EQ(prompter.boxes.size(), 3u);
    EXPECT_TRUE(prompter.boxes[2].text.startsWith("메시지 0개를 가져왔습니다."));
    EXPECT_FALSE(w->document().undoStack()->canUndo());
}

} // namespace
} // namespace pravik::test
