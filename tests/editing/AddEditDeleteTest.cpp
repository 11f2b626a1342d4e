// Add, edit and delete through a test host and the scripted prompter.
#include "EditingFixture.h"

using namespace pravik;
using namespace pravik::test;

namespace {

const QByteArray kDoc = "<S1F1 P Are You There\n>\n"
                        "<S1F2 S On Line Data\n"
                        "  <L 2 Status\n    <A 10 MDLN>\n    <A 10 SOFTREV>\n  >\n"
                        "  <L n Reports\n    <U4 1 RPTID>\n  >\n>\n"
                        "<S6F11 P Event\n>\n";

class AddTest : public EditingTest {
protected:
    void SetUp() override { Load(kDoc); }
};

} // namespace

TEST_F(AddTest, MessageWithNothingSelectedIsSortedIntoPlaceAndSelected) {
    AnswerMessage("2", "1", 0, "x");
    cmds.ItemAddExecute();
    EXPECT_EQ(host.doc_.topLevel(2)->Text(), "S2F1 P x");
    EXPECT_EQ(host.selected_, host.doc_.topLevel(2));
    EXPECT_EQ(host.selected_->ImageIndex(), ImageMessage);
    EXPECT_TRUE(host.state_.Modified);
    EXPECT_FALSE(host.state_.EditMode);
    EXPECT_TRUE(host.prompter_.allAnswersUsed());
}

TEST_F(AddTest, MessageBesideAMessageEvenOneMarkedInError) {
    Select("S6F11 P Event");
    host.doc_.setImage(host.selected_, ImageMessageError);
    AnswerMessage("1", "3", -1, "Status"); // the proposal for 3 stays: primary
    cmds.ItemAddExecute();
    EXPECT_EQ(host.prompter_.dialogsRun.at(0), &msg);
    EXPECT_EQ(host.doc_.topLevel(2)->Text(), "S1F3 P Status");
    EXPECT_TRUE(host.doc_.topLevel(2)->isTopLevel());
}

TEST_F(AddTest, MessageBesideANestedMessageKindNodeStillGoesToTheTopLevel) {
    SmlNode* odd = host.doc_.appendNode(Find("L 2 Status"), "S9F9 P nested", ImageMessage);
    host.selected_ = odd;
    AnswerMessage("3", "1", -1, "top");
    cmds.ItemAddExecute();
    EXPECT_TRUE(Find("S3F1 P top")->isTopLevel());
    EXPECT_EQ(Find("L 2 Status")->childCount(), 3); // untouched
}

TEST_F(AddTest, ItemBesideAnItemRefreshesAFixedCountOnly) {
    Select("A 10 SOFTREV");
    AnswerItem(1, "20", "EXTRA");
    cmds.ItemAddExecute();
    SmlNode* status = Find("L 3 Status");
    ASSERT_TRUE(status);
    EXPECT_EQ(status->child(2)->Text(), "A 20 EXTRA");
    EXPECT_EQ(host.selected_, status->child(2));
    EXPECT_EQ(host.selected_->ImageIndex(), ImageItem);

    Select("U4 1 RPTID");
    AnswerItem(10, "n", "More");
    cmds.ItemAddExecute();
    SmlNode* reports = Find("L n Reports");
    ASSERT_TRUE(reports);
    EXPECT_EQ(reports->child(1)->Text(), "U4 n More");
}

TEST_F(AddTest, ListBesideAListStartsWithCountZero) {
    Select("L 2 Status");
    AnswerItem(0, "7", "New list");
    cmds.ItemAddExecute();
    SmlNode* message = Find("S1F2 S On Line Data");
    ASSERT_EQ(message->childCount(), 3);
    EXPECT_EQ(message->child(2)->Text(), "L 0 New list");
    EXPECT_EQ(message->child(2)->ImageIndex(), ImageList);
    EXPECT_EQ(message->Text(), "S1F2 S On Line Data"); // a message has no count
}

TEST_F(AddTest, SubNodesGoBelowMessagesAndLists) {
    Select("S1F1 P Are You There");
    AnswerItem(3, "0", "Flag"); // the minimum length makes it 1 on OK
    cmds.ItemAddSubExecute();
    EXPECT_EQ(Dump().substr(0, 40), "S1F1 P Are You There\n  BOOL 1 Flag\nS1F2 ");
    EXPECT_EQ(host.selected_->Text(), "BOOL 1 Flag");

    Select("L 2 Status");
    AnswerItem(0, "0", "");
    cmds.ItemAddSubExecute();
    EXPECT_TRUE(Find("L 3 Status"));
    EXPECT_EQ(Find("L 3 Status")->child(2)->Text(), "L 0 ");
    EXPECT_TRUE(host.state_.Modified);
}

TEST_F(AddTest, CancelledOrWithoutPlaceChangesNothing) {
    const std::string before = Dump();
    AnswerUnchanged(false);
    cmds.ItemAddExecute();
    Select("A 10 MDLN");
    AnswerUnchanged(false);
    cmds.ItemAddExecute();
    host.selected_ = nullptr;
    cmds.ItemAddSubExecute(); // no dialog: there is nothing to add below
    EXPECT_EQ(Dump(), before);
    EXPECT_FALSE(host.state_.Modified);
    EXPECT_TRUE(host.prompter_.allAnswersUsed());
    EXPECT_EQ(host.prompter_.dialogsRun.size(), 2u);
}

TEST_F(AddTest, AddAfterAnEditOpensWithTheResetValues) {
    Select("S1F2 S On Line Data");
    AnswerUnchanged(true);
    cmds.ItemEditExecute();
    Select("A 10 MDLN");
    AnswerUnchanged(true);
    cmds.ItemEditExecute();
    EXPECT_TRUE(host.state_.EditMode);

    host.selected_ = nullptr;
    host.prompter_.answerDialog([this](QDialog* d) {
        Activate(d);
        EXPECT_EQ(msg.lStream->text(), "1");
        EXPECT_EQ(msg.lFunction->text(), "1");
        EXPECT_EQ(msg.msgTypeIndex(), 0);
        EXPECT_EQ(msg.lMsgDesc->text(), "");
        return int(QDialog::Rejected);
    });
    cmds.ItemAddExecute();
    EXPECT_FALSE(host.state_.EditMode);
    Select("A 10 MDLN");
    host.prompter_.answerDialog([this](QDialog* d) {
        Activate(d);
        EXPECT_EQ(item.itemTypeIndex(), 0);
        EXPECT_EQ(item.lItemLength->text(), "0");
        EXPECT_EQ(item.lItemDesc->text(), "");
        return int(QDialog::Rejected);
    });
    cmds.ItemAddExecute();
}

class EditTest : public EditingTest {};

TEST_F(EditTest, MessagePrefillAndStoredText) {
    Load("<S01F02 S Reply\n>\n<S1F1 Are you there\n>\n<S2F1 P x\n>\n");
    Select("S01F02 S Reply");
    host.prompter_.answerDialog([this](QDialog* d) {
        Activate(d);
        EXPECT_EQ(msg.lStream->text(), "1");
        EXPECT_EQ(msg.lFunction->text(), "2");
        EXPECT_EQ(msg.msgTypeIndex(), 1);
        EXPECT_EQ(msg.lMsgDesc->text(), "Reply");
        QTest::keyClick(msg.lStream, Qt::Key_Return);
        return d->result();
    });
    cmds.ItemEditExecute();
    EXPECT_TRUE(host.state_.EditMode);
    EXPECT_EQ(host.doc_.topLevel(1)->Text(), "S1F2 S Reply");
    EXPECT_TRUE(host.state_.Modified);

    // Without a type letter the description is lost on OK.
    host.state_.Modified = false;
    Select("S1F1 Are you there");
    AnswerUnchanged(true);
    cmds.ItemEditExecute();
    EXPECT_EQ(host.doc_.topLevel(0)->Text(), "S1F1 ");
    EXPECT_TRUE(host.state_.Modified);
}

TEST_F(EditTest, MessageEditResortsAndClearsTheErrorMark) {
    Load("<S1F1 P a\n>\n<S2F1 P b\n  <L 0 c\n  >\n>\n<S3F1 P d\n>\n");
    Select("S1F1 P a");
    host.doc_.setImage(host.selected_, ImageMessageError);
    AnswerMessage("2", "2", -1, "a");
    cmds.ItemEditExecute();
    EXPECT_EQ(Dump(), "S2F1 P b\n  L 0 c\nS2F2 S a\nS3F1 P d\n");
    EXPECT_EQ(host.selected_, host.doc_.topLevel(1));
}

TEST_F(EditTest, UnchangedOkOrCancelLeavesModifiedAlone) {
    Load(kDoc);
    for (const char* text : {"A 10 MDLN", "U4 1 RPTID", "S6F11 P Event"}) {
        Select(text);
        AnswerUnchanged(true);
        cmds.ItemEditExecute();
        Select(text);
        AnswerUnchanged(false);
        cmds.ItemEditExecute();
    }
    EXPECT_FALSE(host.state_.Modified);
    EXPECT_TRUE(host.prompter_.allAnswersUsed());
    host.selected_ = nullptr;
    cmds.ItemEditExecute(); // nothing selected: no dialog
    EXPECT_EQ(host.prompter_.dialogsRun.size(), 6u);
}

TEST_F(EditTest, ItemPrefillAndOk) {
    Load("<S1F1 P\n  <L 5 Body\n    <U4 n Values>\n    <BOOL 1>\n  >\n>\n");
    item.cLengthNotFixed->setChecked(false);
    Select("U4 n Values");
    host.prompter_.answerDialog([this](QDialog* d) {
        Activate(d);
        EXPECT_EQ(item.itemTypeIndex(), 10);
        EXPECT_EQ(item.lItemLength->text(), "n");
        EXPECT_FALSE(item.lItemLength->isEnabled());
        EXPECT_TRUE(item.cLengthNotFixed->isChecked());
        EXPECT_EQ(item.lItemDesc->text(), "Values");
        return int(QDialog::Rejected);
    });
    cmds.ItemEditExecute();

    // The count of a fixed list is its number of children.
    Select("L 5 Body");
    AnswerUnchanged(true);
    cmds.ItemEditExecute();
    EXPECT_EQ(Find("L 2 Body")->childCount(), 2);
    EXPECT_TRUE(host.state_.Modified);

    // An item turned into a list gets its count; an item edit refreshes the parent.
    Select("BOOL 1");
    host.doc_.setImage(host.selected_, ImageItemError);
    AnswerItem(8, "4", "Changed");
    cmds.ItemEditExecute();
    EXPECT_EQ(Dump(), "S1F1 P\n  L 2 Body\n    U4 n Values\n    U1 4 Changed\n");
    EXPECT_EQ(host.selected_->ImageIndex(), ImageItem);
}

class DeleteTest : public EditingTest {
protected:
    void SetUp() override { Load(kDoc); }
};

TEST_F(DeleteTest, YesRemovesTheSubtreeRefreshesTheCountAndEmptiesTheClipboard) {
    Select("S6F11 P Event");
    cmds.ItemCutExecute();
    SmlNode* cut = host.selected_;
    Select("A 10 SOFTREV");
    host.prompter_.answerBox(Prompter::Answer::Yes);
    cmds.ItemDeleteExecute();
    ASSERT_EQ(host.prompter_.boxes.size(), 1u);
    EXPECT_EQ(host.prompter_.boxes[0].text, QStringLiteral("정말로 지우겠습니까?"));
    EXPECT_EQ(host.prompter_.boxes[0].buttons, Prompter::Buttons::YesNo);
    EXPECT_EQ(Find("L 1 Status")->childCount(), 1);
    EXPECT_EQ(host.state_.ClipboardNode, nullptr);
    EXPECT_FALSE(cut->IsCut()); // the waiting node is no longer drawn as cut
    EXPECT_TRUE(host.state_.Modified);
    EXPECT_EQ(host.selected_, Find("A 10 MDLN")); // the previous sibling

    host.prompter_.answerBox(Prompter::Answer::Yes);
    cmds.ItemDeleteExecute();
    EXPECT_EQ(Find("L 0 Status")->childCount(), 0);
    EXPECT_EQ(host.selected_, Find("L 0 Status")); // the parent

    Select("S1F2 S On Line Data");
    host.prompter_.answerBox(Prompter::Answer::Yes);
    cmds.ItemDeleteExecute();
    EXPECT_EQ(Dump(), "S1F1 P Are You There\nS6F11 P Event\n");
    EXPECT_EQ(host.doc_.nodeCount(), 2);
    EXPECT_EQ(host.selected_, host.doc_.topLevel(1)); // the next sibling
}

TEST_F(DeleteTest, DeletingTheClipboardNodeItself) {
    Select("L 2 Status");
    cmds.ItemCopyExecute();
    host.prompter_.answerBox(Prompter::Answer::Yes);
    cmds.ItemDeleteExecute();
    EXPECT_EQ(host.state_.ClipboardNode, nullptr);
    EXPECT_EQ(host.doc_.nodeCount(), 5);
    Select("S1F1 P Are You There");
    cmds.ItemPasteExecute(); // nothing to paste
    EXPECT_EQ(host.doc_.nodeCount(), 5);
}

TEST_F(DeleteTest, NoOrNothingSelectedChangesNothing) {
    const std::string before = Dump();
    Select("L 2 Status");
    cmds.ItemCopyExecute();
    host.prompter_.answerBox(Prompter::Answer::No);
    cmds.ItemDeleteExecute();
    host.selected_ = nullptr;
    cmds.ItemDeleteExecute(); // no question
    EXPECT_EQ(Dump(), before);
    EXPECT_FALSE(host.state_.Modified);
    EXPECT_EQ(host.state_.ClipboardNode, Find("L 2 Status"));
    EXPECT_EQ(host.prompter_.boxes.size(), 1u);
}
