// Add, edit and delete through a test host and the scripted prompter.
#include "EditingFixture.h"
#include "support/DocumentEdits.h"

using namespace pravik;
using pravik::test::Append;
using pravik::test::Edit;
using namespace pravik::test;

namespace {

const QByteArray kDoc = "<S1F1 P Are You There\n>\n<S1F2 S On Line Data\n"
                        "  <L 2 Status\n    <A 10 MDLN>\n    <A 10 SOFTREV>\n  >\n"
                        "  <L n Reports\n    <U4 1 RPTID>\n  >\n>\n<S6F11 P Event\n>\n";

class CommandTest : public EditingTest {
protected:
    void SetUp() override { Load(kDoc); }
};

} // namespace

TEST_F(CommandTest, AddBesideEveryKindOfSelection) {
    AnswerMessage("2", "1", 0, "x"); // nothing selected
    cmds.ItemAddExecute();
    EXPECT_EQ(host.doc_.topLevel(2)->Text(), "S2F1 P x"); // sorted into place
    EXPECT_EQ(host.selected_, host.doc_.topLevel(2));
    EXPECT_TRUE(host.doc_.isModified());
    EXPECT_FALSE(host.state_.EditMode);

    host.doc_.setCheckMark(Select("S6F11 P Event"), true); // still a message
    AnswerMessage("1", "3", -1, "Req");
    cmds.ItemAddExecute();
    EXPECT_EQ(host.doc_.topLevel(2)->Text(), "S1F3 P Req");

    Select("A 10 SOFTREV");
    AnswerItem(1, "20", "EXTRA");
    cmds.ItemAddExecute();
    EXPECT_EQ(Find("L 3 Status")->child(2), host.selected_);
    EXPECT_EQ(host.selected_->Text(), "A 20 EXTRA");

    Select("U4 1 RPTID"); // a list of no fixed length keeps its "n"
    AnswerItem(10, "n", "More");
    cmds.ItemAddExecute();
    EXPECT_EQ(Find("L n Reports")->child(1)->Text(), "U4 n More");

    Select("L 3 Status"); // a new list counts 0
    AnswerItem(0, "7", "New");
    cmds.ItemAddExecute();
    EXPECT_EQ(Find("S1F2 S On Line Data")->child(2)->Text(), "L 0 New");
    EXPECT_EQ(host.doc_.imageIndexOf(host.selected_), ImageList);
    EXPECT_TRUE(host.prompter_.allAnswersUsed());
}

TEST_F(CommandTest, AddBelowMessagesAndLists) {
    Select("S1F1 P Are You There");
    AnswerItem(3, "0", "Flag"); // the minimum length makes it 1
    cmds.ItemAddSubExecute();
    EXPECT_EQ(Dump().substr(0, 35), "S1F1 P Are You There\n  BOOL 1 Flag\n");
    Select("L 2 Status");
    AnswerItem(0, "0", "");
    cmds.ItemAddSubExecute();
    EXPECT_EQ(Find("L 3 Status")->child(2)->Text(), "L 0 ");
    EXPECT_EQ(host.selected_, Find("L 3 Status")->child(2));
}

TEST_F(CommandTest, CancelOrNowhereToAddChangesNothing) {
    const std::string before = Dump();
    AnswerUnchanged(false);
    cmds.ItemAddExecute();
    Select("A 10 MDLN");
    AnswerUnchanged(false);
    cmds.ItemAddExecute();
    host.selected_ = nullptr;
    cmds.ItemAddSubExecute(); // no dialog: no list or item at the top level
    // A message-like node nested by a file: new messages still go to the top.
    host.selected_ = Append(host.doc_, Find("L n Reports"), "S9F9 P nested", NodeKind::Message);
    AnswerMessage("3", "1", -1, "top");
    cmds.ItemAddExecute();
    EXPECT_TRUE(Find("S3F1 P top")->isTopLevel());
    EXPECT_EQ(host.prompter_.dialogsRun.size(), 3u);
}

TEST_F(CommandTest, EditMessagesStoresSortsAndClearsTheErrorMark) {
    Load("<S01F02 S Reply\n>\n<S1F1 Are you there\n>\n<S2F1 P b\n  <L 0 c\n  >\n>\n");
    Select("S01F02 S Reply");
    AnswerUnchanged(true);
    cmds.ItemEditExecute();
    EXPECT_TRUE(host.state_.EditMode);
    EXPECT_EQ(host.doc_.topLevel(1)->Text(), "S1F2 S Reply");

    Select("S1F1 Are you there"); // no type letter: the description is lost
    AnswerUnchanged(true);
    cmds.ItemEditExecute();
    EXPECT_EQ(host.doc_.topLevel(0)->Text(), "S1F1 ");

    host.doc_.setCheckMark(Select("S1F1 "), true);
    AnswerMessage("3", "2", -1, "a");
    cmds.ItemEditExecute();
    EXPECT_EQ(Dump(), "S1F2 S Reply\nS2F1 P b\n  L 0 c\nS3F2 S a\n");
    EXPECT_EQ(host.selected_, host.doc_.topLevel(2));
}

TEST_F(CommandTest, EditItemsAndModifiedOnlyOnChange) {
    const std::string before = Dump();
    for (const char* text : {"A 10 MDLN", "U4 1 RPTID", "S6F11 P Event"}) {
        Select(text);
        AnswerUnchanged(true);
        cmds.ItemEditExecute();
        AnswerUnchanged(false);
        cmds.ItemEditExecute();
    }
    host.selected_ = nullptr;
    cmds.ItemEditExecute(); // no dialog
    EXPECT_EQ(Dump(), before);
    EXPECT_FALSE(host.doc_.isModified());

    Load("<S1F1 P\n  <L 5 Body\n    <U4 n Values>\n    <BOOL 1>\n  >\n>\n");
    Select("L 5 Body"); // a fixed list stores its number of children
    AnswerUnchanged(true);
    cmds.ItemEditExecute();
    EXPECT_TRUE(host.doc_.isModified());
    host.doc_.setCheckMark(Select("BOOL 1"), true);
    AnswerItem(8, "4", "Changed");
    cmds.ItemEditExecute();
    EXPECT_EQ(Dump(), "S1F1 P\n  L 2 Body\n    U4 n Values\n    U1 4 Changed\n");
}

TEST_F(CommandTest, DeleteAsksThenRemovesRefreshesAndEmptiesTheClipboard) {
    SmlNode* cut = Select("S6F11 P Event");
    cmds.ItemCutExecute();
    Select("A 10 SOFTREV");
    host.prompter_.answerBox(Prompter::Answer::No);
    cmds.ItemDeleteExecute();
    EXPECT_FALSE(host.doc_.isModified());
    EXPECT_EQ(host.state_.ClipboardNode, cut);

    host.prompter_.answerBox(Prompter::Answer::Yes);
    cmds.ItemDeleteExecute();
    EXPECT_EQ(host.prompter_.boxes.at(1).text, QStringLiteral("정말로 지우겠습니까?"));
    EXPECT_EQ(host.prompter_.boxes.at(1).buttons, Prompter::Buttons::YesNo);
    EXPECT_EQ(Find("L 1 Status")->childCount(), 1);
    EXPECT_EQ(host.state_.ClipboardNode, nullptr);
    EXPECT_FALSE(cut->IsCut()); // no longer drawn as waiting to be pasted
    EXPECT_TRUE(host.doc_.isModified());
    EXPECT_EQ(host.selected_, Find("A 10 MDLN")); // a neighbour takes the selection

    host.prompter_.answerBox(Prompter::Answer::Yes);
    cmds.ItemDeleteExecute();
    EXPECT_EQ(host.selected_, Find("L 0 Status"));
    Select("S1F2 S On Line Data");
    host.prompter_.answerBox(Prompter::Answer::Yes);
    cmds.ItemDeleteExecute();
    EXPECT_EQ(Dump(), "S1F1 P Are You There\nS6F11 P Event\n");
    EXPECT_EQ(host.doc_.nodeCount(), 2);
}
