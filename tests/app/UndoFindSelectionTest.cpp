// Undo and redo in the window, the find bar, and the selection handling
// after dialogs, deletes, collapses and the structure check.
#include "MainWindowFixture.h"

#include "app/FindBar.h"
#include "app/TextPane.h"
#include "editing/TfmItemEdit.h"
#include "editing/TfmMsgEdit.h"

#include "support/DocumentEdits.h"
#include <QCheckBox>
#include <QLineEdit>
#include <QStatusBar>

namespace pravik::test {
namespace {

QPoint LabelPoint(SmlTreeView* tree, const SmlNode* node) {
    const QRect r = tree->visualRect(tree->document()->indexOf(node));
    return r.topLeft() + QPoint(30, r.height() / 2);
}

void ClickNode(SmlTreeView* tree, const SmlNode* node) {
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, LabelPoint(tree, node));
}

TEST_F(MainWindowTest, UndoToTheSavedStateClearsModifiedAndTheCaptionFollows) {
    const QString path = open("host.sml", kThreeMessages);
    const QString caption = "Pravik for Zorv - " + path;
    showAndFocus();
    EXPECT_FALSE(enabled("ItemUndo"));
    EXPECT_FALSE(enabled("ItemRedo"));

    w->tree()->expandAll();
    ClickNode(w->tree(), top(1)->child(0)->child(0));
    prompter.answerBox(Prompter::Answer::Yes);
    QTest::keyClick(w->tree(), Qt::Key_Delete);
    EXPECT_TRUE(w->isModified());
    EXPECT_EQ(w->windowTitle(), caption + " *");
    EXPECT_EQ(w->applicationTitle(), caption); // error boxes keep the plain caption
    EXPECT_TRUE(enabled("ItemUndo"));
    EXPECT_EQ(w->action("ItemUndo")->text(), "실행 취소: 삭제");

    QTest::keyClick(w->tree(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(w->isModified());
    EXPECT_EQ(w->windowTitle(), caption);
    EXPECT_EQ(top(1)->child(0)->Text(), "L 2");
    EXPECT_EQ(w->selectedNode(), top(1)->child(0)->child(0)); // the deleted node, back
    EXPECT_EQ(w->statusPanelText(2), "A 6 MDLN");
    EXPECT_FALSE(enabled("ItemUndo"));
    EXPECT_EQ(w->action("ItemUndo")->text(), "실행 취소");
    EXPECT_EQ(w->action("ItemRedo")->text(), "다시 실행: 삭제");

    QTest::keyClick(w->tree(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(w->isModified());
    EXPECT_EQ(w->windowTitle(), caption + " *");
    EXPECT_EQ(top(1)->child(0)->Text(), "L 1 ");

    // Saved: the state to come back to moves with it.
    w->action("FileSave")->trigger();
    EXPECT_FALSE(w->isModified());
    EXPECT_EQ(w->windowTitle(), caption);
    QTest::keyClick(w->tree(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(w->isModified());
    EXPECT_EQ(w->windowTitle(), caption + " *");
    QTest::keyClick(w->tree(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_FALSE(w->isModified());

    // A failed save changes neither the steps nor Modified.
    QTest::keyClick(w->tree(), Qt::Key_Z, Qt::ControlModifier);
    const QString bad = dir.path("no/such/folder/x.sml");
    prompter.answerSave(bad);
    prompter.answerBox(Prompter::Answer::Ok);
    w->action("FileSaveas")->trigger();
    EXPECT_TRUE(w->isModified());
    EXPECT_TRUE(enabled("ItemRedo"));
    EXPECT_EQ(w->document().undoStack()->count(), 1);

    // New and Open begin without steps.
    prompter.answerBox(Prompter::Answer::No);
    w->action("FileNew")->trigger();
    EXPECT_FALSE(enabled("ItemUndo"));
    EXPECT_FALSE(enabled("ItemRedo"));
    EXPECT_EQ(w->document().undoStack()->count(), 0);
    EXPECT_FALSE(w->isModified());
}

TEST_F(MainWindowTest, FindBarSearchesShownTextsWrapsAndJumpsToMessages) {
    open("host.sml", "<S1F1 P Are You There\r\n>\r\n"
                     "<S1F2 S On Line Data\r\n  <L 2 \r\n    <A 6 MDLN >\r\n"
                     "    <A 6 \xBB\xE7\xBF\xEB\xC0\xDA mdln >\r\n  >\r\n>\r\n" // "사용자" in CP949
                     "<S6F11 P Event Report\r\n>\r\n");
    showAndFocus();
    FindBar* bar = w->findBar();
    EXPECT_FALSE(bar->isVisible());
    QTest::keyClick(w->tree(), Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(bar->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), bar->field());

    QTest::keyClicks(bar->field(), "mdln");
    QTest::keyClick(bar->field(), Qt::Key_Return);
    EXPECT_EQ(w->selectedNode(), top(1)->child(0)->child(0)); // case ignored
    EXPECT_EQ(w->statusPanelText(2), "A 6 MDLN");
    QTest::keyClick(bar->field(), Qt::Key_F3);
    EXPECT_EQ(w->selectedNode(), top(1)->child(0)->child(1));
    QTest::keyClick(bar->field(), Qt::Key_F3);
    EXPECT_EQ(w->selectedNode(), top(1)->child(0)->child(0));
    EXPECT_EQ(w->statusBar()->currentMessage(), "처음부터 다시 찾았습니다.");
    QTest::keyClick(bar->field(), Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(w->selectedNode(), top(1)->child(0)->child(1));
    EXPECT_EQ(w->statusBar()->currentMessage(), "끝에서부터 다시 찾았습니다.");

    // Case matters when asked; Korean is found as the tree shows it.
    bar->caseBox()->setChecked(true);
    QTest::keyClick(bar->field(), Qt::Key_F3);
    EXPECT_EQ(w->selectedNode(), top(1)->child(0)->child(1)); // only "mdln" matches
    bar->field()->setText(QStringLiteral("사용자"));
    w->selectNode(top(0));
    QTest::keyClick(bar->field(), Qt::Key_Return);
    EXPECT_EQ(w->selectedNode(), top(1)->child(0)->child(1));

    // A message by stream and function, in any case.
    bar->field()->setText(QStringLiteral("s6f11"));
    QTest::keyClick(bar->field(), Qt::Key_Return);
    EXPECT_EQ(w->selectedNode(), top(2));

    bar->field()->setText(QStringLiteral("nowhere"));
    QTest::keyClick(bar->field(), Qt::Key_Return);
    EXPECT_EQ(w->selectedNode(), top(2));
    EXPECT_EQ(w->statusBar()->currentMessage(), "'nowhere'을(를) 찾을 수 없습니다.");

    QTest::keyClick(bar->field(), Qt::Key_Escape);
    EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), w->tree());
}

// After a dialog closes, OK or cancel, the selection handling runs for the
// node still selected: the status bar and the commands follow.
TEST_F(MainWindowTest, TheSelectionHandlingRunsAfterTheEditDialogEitherWay) {
    open("host.sml", kThreeMessages);
    showAndFocus();
    w->tree()->expandAll();
    SmlNode* item = top(1)->child(0)->child(0);
    ClickNode(w->tree(), item);
    prompter.answerDialog([&](QDialog* d) {
        auto* edit = static_cast<TfmItemEdit*>(d);
        edit->lItemDesc->setText(QStringLiteral("MODEL"));
        return int(QDialog::Accepted);
    });
    QTest::keyClick(w->tree(), Qt::Key_Return);
    EXPECT_EQ(item->Text(), "A 6 MODEL");
    EXPECT_EQ(w->selectedNode(), item);
    EXPECT_EQ(w->statusPanelText(2), "A 6 MODEL");
    for (const char* n :
         {"ItemDelete", "ItemCut", "ItemCopy", "ItemEdit", "ItemMoveUp", "ItemMoveDown"})
        EXPECT_TRUE(enabled(n)) << n;

    prompter.answerDialog([](QDialog*) { return int(QDialog::Rejected); });
    QTest::keyClick(w->tree(), Qt::Key_Return);
    for (const char* n : {"ItemDelete", "ItemCut", "ItemEdit"})
        EXPECT_TRUE(enabled(n)) << n;
}

TEST_F(MainWindowTest, DeletingTheOnlyChildLeavesTheParentWithoutExpandAndCollapse) {
    open("host.sml", "<S1F1 P\r\n  <L 1 \r\n    <A 1 only >\r\n  >\r\n>\r\n");
    showAndFocus();
    w->tree()->expandAll();
    ClickNode(w->tree(), top(0)->child(0)->child(0));
    prompter.answerBox(Prompter::Answer::Yes);
    QTest::keyClick(w->tree(), Qt::Key_Delete);
    EXPECT_EQ(w->selectedNode(), top(0)->child(0));
    EXPECT_EQ(w->statusPanelText(2), "L 0 ");
    EXPECT_FALSE(enabled("ItemFullExpand"));
    EXPECT_FALSE(enabled("ItemFullCollapse"));
    EXPECT_TRUE(enabled("ItemDelete"));
}

TEST_F(MainWindowTest, CollapsingAroundTheSelectionSelectsTheCollapsedNode) {
    open("host.sml", kThreeMessages);
    showAndFocus();
    SmlTreeView* tree = w->tree();
    tree->expandAll();
    SmlNode* message = top(1);
    SmlNode* item = message->child(0)->child(1);
    ClickNode(tree, item);
    ASSERT_EQ(w->selectedNode(), item);
    // The expand button of the message, left of its icon.
    const QRect r = tree->visualRect(w->document().indexOf(message));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                      QPoint(r.left() - tree->indentation() / 2, r.center().y()));
    ASSERT_FALSE(tree->isExpanded(w->document().indexOf(message)));
    EXPECT_EQ(w->selectedNode(), message);
    EXPECT_EQ(w->statusPanelText(2), "S1F2 S On Line Data");
    // Delete now means the node the user sees selected.
    prompter.answerBox(Prompter::Answer::No);
    QTest::keyClick(tree, Qt::Key_Delete);
    EXPECT_EQ(prompter.boxes.back().text, "정말로 지우겠습니까?");

    // Collapsing elsewhere, or the selected node itself, keeps the selection.
    tree->expandAll();
    ClickNode(tree, item);
    tree->collapse(w->document().indexOf(top(0)));
    EXPECT_EQ(w->selectedNode(), item);
    w->selectNode(message);
    w->action("ItemFullCollapse")->trigger();
    EXPECT_EQ(w->selectedNode(), message);
}

// Selecting every faulty node in turn would leave the pane's caret on the
// last faulty message: unless the first fault, selected last, is a message.
TEST_F(MainWindowTest, CheckLeavesThePaneCaretWhereSelectingEveryFaultWould) {
    const QByteArray faulty = "<S1F1 P ok\r\n  <L 2 short\r\n    <A 1 x >\r\n  >\r\n>\r\n\r\n"
                              "<S1F2 S two\r\n  <L 0 \r\n  >\r\n  <L 0 \r\n  >\r\n>\r\n\r\n"
                              "<S1F3 P fine\r\n>\r\n\r\n"
                              "<S2F1 P also two\r\n  <L 0 \r\n  >\r\n  <L 0 \r\n  >\r\n>\r\n\r\n";
    open("host.sml", faulty);
    w->action("ToolViewTextSML")->trigger();
    prompter.answerBox(Prompter::Answer::Ok);
    w->action("ToolStructCheck")->trigger();
    EXPECT_EQ(w->selectedNode(), top(0)->child(0)); // the first fault, a list
    EXPECT_EQ(w->memo()->caretPosition(), w->memoText().indexOf("<S2F1 P also two"));

    // The first fault a message itself: the caret is on its line.
    Edit(w->document(), [&](DocumentEditor& ed) {
        ed.removeNode(top(0)->child(0)->child(0));
        ed.removeNode(top(0)->child(0));
    });
    Append(w->document(), top(0), "L 0 ", NodeKind::List);
    Append(w->document(), top(0), "L 0 ", NodeKind::List);
    w->action("ToolViewTextSML")->trigger();
    w->action("ToolViewTextSML")->trigger();
    prompter.answerBox(Prompter::Answer::Ok);
    w->action("ToolStructCheck")->trigger();
    EXPECT_EQ(w->selectedNode(), top(0));
    EXPECT_EQ(w->memo()->caretPosition(), w->memoText().indexOf("<S1F1 P ok"));
}

} // namespace
} // namespace pravik::test
