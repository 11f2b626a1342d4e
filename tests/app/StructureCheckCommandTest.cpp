#include "MainWindowFixture.h"

namespace pravik::test {
namespace {

// Faults in the second and third message, deep inside collapsed subtrees.
const QByteArray kFaulty =
    "<S1F1 P ok\r\n  <L 1 \r\n    <A 1 x >\r\n  >\r\n>\r\n\r\n"
    "<S1F2 S bad\r\n  <L 1 outer\r\n    <L 2 inner\r\n      <A 1 a >\r\n      <A 1 b >\r\n"
    "      <A 1 c >\r\n    >\r\n  >\r\n>\r\n\r\n"
    "<S1F3 P two lists\r\n  <L 0 \r\n  >\r\n  <L n \r\n  >\r\n>\r\n\r\n";

TEST_F(MainWindowTest, CheckMarksRevealsAndSelectsTheFirstFault) {
    open("host.sml", kFaulty);
    w->selectNode(top(0));
    prompter.answerBox(Prompter::Answer::Ok);
    w->action("ToolStructCheck")->trigger();

    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].icon, Prompter::Icon::Warning);
    EXPECT_EQ(prompter.boxes[0].title, "Warning");
    EXPECT_EQ(prompter.boxes[0].text, "메시지 구조에 오류가 있습니다.");
    EXPECT_EQ(prompter.boxes[0].buttons, Prompter::Buttons::Ok);

    SmlNode* inner = top(1)->child(0)->child(0);
    SmlNode* nList = top(2)->child(1);
    EXPECT_EQ(w->document().imageIndexOf(inner), ImageListError);
    EXPECT_EQ(w->document().imageIndexOf(top(2)), ImageMessageError);
    EXPECT_EQ(w->document().imageIndexOf(nList), ImageListError);
    EXPECT_EQ(w->document().imageIndexOf(top(2)->child(0)), ImageList);
    EXPECT_EQ(w->document().imageIndexOf(top(1)), ImageMessage);

    // The first fault in pre-order is selected, with the selection handling
    // run for it; every fault is visible.
    EXPECT_EQ(w->selectedNode(), inner);
    EXPECT_EQ(w->statusPanelText(2), "L 2 inner");
    EXPECT_TRUE(enabled("ItemFullExpand"));
    SmlTreeView* tree = w->tree();
    EXPECT_TRUE(tree->isExpanded(w->document().indexOf(top(1))));
    EXPECT_TRUE(tree->isExpanded(w->document().indexOf(top(1)->child(0))));
    EXPECT_TRUE(tree->isExpanded(w->document().indexOf(top(2))));
    EXPECT_FALSE(tree->isExpanded(w->document().indexOf(top(0)))); // nothing to show there
    EXPECT_TRUE(tree->visualRect(w->document().indexOf(nList)).isValid());
}

TEST_F(MainWindowTest, CheckAfterCorrectionsClearsTheMarksAndKeepsTheSelection) {
    open("host.sml", kFaulty);
    prompter.answerBox(Prompter::Answer::Ok);
    w->action("ToolStructCheck")->trigger();

    SmlDocument& doc = w->document();
    Edit(doc, [&](DocumentEditor& ed) {
        ed.removeNode(top(1)->child(0)->child(0)->child(2));
        ed.removeNode(top(2)->child(1));
    });
    w->selectNode(top(0));
    prompter.answerBox(Prompter::Answer::Ok);
    w->action("ToolStructCheck")->trigger();
    ASSERT_EQ(prompter.boxes.size(), 2u);
    EXPECT_EQ(prompter.boxes[1].icon, Prompter::Icon::Information);
    EXPECT_EQ(prompter.boxes[1].title, "Information");
    EXPECT_EQ(prompter.boxes[1].text, "오류를 찾지 못했습니다.");
    for (SmlNode* n = doc.firstNode(); n; n = n->nextPreOrder())
        EXPECT_LT(w->document().imageIndexOf(n), 3) << n->Text().constData();
    EXPECT_EQ(w->selectedNode(), top(0));
}

TEST_F(MainWindowTest, CheckOfAnEmptyDocumentFindsNothing) {
    w->action("FileNew")->trigger();
    prompter.answerBox(Prompter::Answer::Ok);
    w->action("ToolStructCheck")->trigger();
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text, "오류를 찾지 못했습니다.");
    EXPECT_EQ(w->selectedNode(), nullptr);
}

TEST_F(MainWindowTest, CheckRunsTheSelectionHandlingOnce) {
    open("host.sml", kFaulty);
    w->action("ToolViewTextSML")->trigger();
    int changes = 0;
    QObject::connect(w->tree()->selectionModel(), &QItemSelectionModel::selectionChanged,
                     [&] { ++changes; });
    prompter.answerBox(Prompter::Answer::Ok);
    w->action("ToolStructCheck")->trigger();
    EXPECT_EQ(changes, 1);
}

} // namespace
} // namespace pravik::test
