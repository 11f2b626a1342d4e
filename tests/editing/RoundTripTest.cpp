// A long mixed editing sequence, saved and read back.
#include "sml/SmlWriter.h"
#include "support/TempDir.h"

#include "EditingFixture.h"

#include <QFile>

using namespace pravik;
using namespace pravik::test;

namespace {
QByteArray ReadData(const char* name) {
    QFile f(QStringLiteral(PRAVIK_TEST_DATA "/editing/") + QString::fromLatin1(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll();
}
} // namespace

class RoundTripTest : public EditingTest {};

TEST_F(RoundTripTest, MixedSequenceSavesAsExpectedAndReadsBack) {
    Load("<S1F1 P Are You There\n>\n"
         "<S1F2 S On Line Data\n  <L 2 Equipment\n    <A 20 MDLN>\n    <A 20 SOFTREV>\n  >\n>\n");

    AnswerMessage("2", "41", -1, "Remote Command");
    cmds.ItemAddExecute();
    Select("S2F41 P Remote Command");
    AnswerItem(0, "0", "Body");
    cmds.ItemAddSubExecute();
    Select("L 0 Body");
    AnswerItem(1, "10", "RCMD");
    cmds.ItemAddSubExecute();
    Select("A 10 RCMD");
    AnswerItem(10, "n", "PARAMS");
    cmds.ItemAddExecute();
    Select("A 20 SOFTREV");
    host.prompter_.answerBox(Prompter::Answer::Yes);
    cmds.ItemDeleteExecute();
    Select("L 1 Equipment");
    cmds.ItemCopyExecute();
    Select("S1F1 P Are You There");
    cmds.ItemPasteExecute();
    Select("U4 n PARAMS");
    cmds.ItemCutExecute();
    Select("L 1 Equipment"); // the pasted copy comes first
    cmds.ItemPasteExecute();
    Select("S1F1 P Are You There");
    AnswerMessage("1", "3", -1, "Are You There");
    cmds.ItemEditExecute();
    Select("A 10 RCMD");
    AnswerItem(2, "4", "<Code>");
    cmds.ItemEditExecute();
    ASSERT_TRUE(cmds.TreeView1DragOver(Find("A 20 MDLN"), Find("L 1 Body")));
    cmds.TreeView1DragDrop(Find("A 20 MDLN"), Find("L 1 Body"));
    Select("S2F41 P Remote Command");
    cmds.ItemMoveUpExecute();
    host.selected_ = nullptr;
    AnswerMessage("1", "1", -1, "");
    cmds.ItemAddExecute();

    EXPECT_TRUE(host.prompter_.allAnswersUsed());
    EXPECT_TRUE(host.doc_.isModified());
    EXPECT_EQ(host.doc_.nodeCount(), 11);

    TempDir dir;
    const QString path = dir.path("edited.sml");
    SaveDocument(path, host.doc_);
    const QByteArray expected = ReadData("mixed-editing.sml");
    EXPECT_EQ(dir.read("edited.sml"), expected);

    // Read back, the tree is the same but for the trailing blank that the
    // reader trims from the empty description.
    SmlDocument reread;
    ReadDocument(path, reread);
    QByteArray trimmed = expected;
    trimmed.replace("<S1F1 P \r\n", "<S1F1 P\r\n");
    EXPECT_EQ(WriteDocument(reread), trimmed);
}
