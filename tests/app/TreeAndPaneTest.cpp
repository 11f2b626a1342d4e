#include "MainWindowFixture.h"

#include "editing/TfmMsgEdit.h"
#include "sml/SmlWriter.h"

#include "app/TextPane.h"
#include "support/DocumentEdits.h"
#include <QContextMenuEvent>
#include <QMenu>
#include <QTimer>

namespace pravik::test {
namespace {

// A right click as the platform delivers it: the press, then the context
// menu request at the same place.
void RightClick(QWidget* viewport, QPoint pos) {
    QTest::mouseClick(viewport, Qt::RightButton, {}, pos);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, pos, viewport->mapToGlobal(pos));
    QApplication::sendEvent(viewport, &menu);
}

// Runs once the next popup is open: records the enabled item commands and
// closes it, so that exec() returns.
void CloseNextPopup(std::set<QString>* enabledThen, TfmMain* w) {
    QTimer::singleShot(0, [=] {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            for (QAction* a : w->popupMenu()->actions())
                if (!a->isSeparator() && a->isEnabled())
                    enabledThen->insert(a->objectName());
            popup->close();
        }
    });
}

TEST_F(MainWindowTest, SelectionEnablesTheItemCommandsByKind) {
    open("host.sml", kThreeMessages);
    SmlNode* message = top(1);
    SmlNode* list = message->child(0);
    SmlNode* item = list->child(0);
    const std::set<QString> always = {
        "FileNew",       "FileLoad",     "FileSave",        "FileSaveas",      "MakeCppFile",
        "FileExit",      "OptionConfig", "ToolViewTextSML", "ToolStructCheck", "ToolProblems",
        "ToolStayOnTop", "HelpWhatsNew", "HelpAbout",       "ItemFind",        "FileImportSml",
        "FileExportSml", "ToolPreview",  "HelpHelp",        "ToolComm"};
    const auto with = [&](std::initializer_list<const char*> extra) {
        std::set<QString> s = always;
        for (const char* e : extra)
            s.insert(QString::fromLatin1(e));
        return s;
    };

    w->selectNode(message);
    EXPECT_EQ(w->selectedNode(), message);
    EXPECT_EQ(enabledActions(),
              with({"ItemAdd", "ItemAddSub", "ItemMoveUp", "ItemMoveDown", "ItemEdit", "ItemCut",
                    "ItemCopy", "ItemDelete", "ItemFullExpand", "ItemFullCollapse"}));
    EXPECT_EQ(w->statusPanelText(2), "S1F2 S On Line Data");

    w->selectNode(list);
    EXPECT_TRUE(enabled("ItemAddSub"));
    EXPECT_EQ(w->statusPanelText(2), "L 2");

    w->selectNode(item);
    EXPECT_EQ(enabledActions(), with({"ItemAdd", "ItemMoveUp", "ItemMoveDown", "ItemEdit",
                                      "ItemCut", "ItemCopy", "ItemDelete"}));
    EXPECT_EQ(w->statusPanelText(2), "A 6 MDLN");

    // A message without children: no full expand or collapse.
    w->selectNode(top(0));
    EXPECT_FALSE(enabled("ItemFullExpand"));
    EXPECT_FALSE(enabled("ItemFullCollapse"));
    EXPECT_TRUE(enabled("ItemAddSub"));

    // Something copied: paste is offered for any selection, and for none.
    w->itemCommands()->setClipboard(item, false);
    w->selectNode(list);
    EXPECT_TRUE(enabled("ItemPaste"));
    w->selectNode(nullptr);
    EXPECT_EQ(enabledActions(), with({"ItemAdd", "ItemPaste"}));
    // The third panel keeps the last selected node's text.
    EXPECT_EQ(w->statusPanelText(2), "L 2");
}

TEST_F(MainWindowTest, EscClearsTheSelectionThenTheClipboard) {
    open("host.sml", kThreeMessages);
    showAndFocus();
    SmlNode* list = top(1)->child(0);
    w->itemCommands()->setClipboard(list, false);
    w->document().setCut(list, true);
    w->selectNode(top(0));
    ASSERT_TRUE(enabled("ItemPaste"));

    QTest::keyClick(w->tree(), Qt::Key_Escape);
    EXPECT_EQ(w->selectedNode(), nullptr);
    EXPECT_TRUE(enabled("ItemPaste")); // the change ran while the clipboard was still set
    EXPECT_EQ(w->itemCommands()->clipboardNode(), nullptr);
    EXPECT_FALSE(list->IsCut());

    w->selectNode(top(2));
    EXPECT_FALSE(enabled("ItemPaste"));
}

TEST_F(MainWindowTest, RightButtonSelectsTheNodeUnderThePointerOrNothing) {
    open("host.sml", kThreeMessages);
    showAndFocus();
    w->itemCommands()->setClipboard(top(0), false);
    SmlTreeView* tree = w->tree();
    const QRect second = tree->visualRect(w->document().indexOf(top(1)));

    std::set<QString> enabledThen;
    CloseNextPopup(&enabledThen, w.get());
    RightClick(tree->viewport(), second.topLeft() + QPoint(30, second.height() / 2));
    QApplication::processEvents();
    EXPECT_EQ(w->selectedNode(), top(1));

    // Empty space below the last node clears the selection first.
    enabledThen.clear();
    CloseNextPopup(&enabledThen, w.get());
    RightClick(tree->viewport(), QPoint(30, tree->viewport()->height() - 5));
    QApplication::processEvents();
    EXPECT_EQ(w->selectedNode(), nullptr);
    // The context menu opened after the selection was cleared.
    EXPECT_EQ(enabledThen, (std::set<QString>{"ItemAdd", "ItemPaste", "FileLoad", "FileSave"}));

    // Right of a label counts as empty space too.
    w->selectNode(top(0));
    CloseNextPopup(&enabledThen, w.get());
    RightClick(tree->viewport(), QPoint(second.right() - 3, second.center().y()));
    QApplication::processEvents();
    EXPECT_EQ(w->selectedNode(), nullptr);
}

TEST_F(MainWindowTest, LeftClickBelowTheLastNodeKeepsTheSelection) {
    open("host.sml", kThreeMessages);
    showAndFocus();
    w->selectNode(top(2));
    QTest::mouseClick(w->tree()->viewport(), Qt::LeftButton, {},
                      QPoint(30, w->tree()->viewport()->height() - 5));
    EXPECT_EQ(w->selectedNode(), top(2));
}

TEST_F(MainWindowTest, EnterAndDoubleClickEditTheSelectedNode) {
    open("host.sml", kThreeMessages);
    showAndFocus();
    w->selectNode(top(0));
    w->TreeView1Exit(); // the edit runs even with ItemEdit disabled
    prompter.answerDialog([](QDialog*) { return int(QDialog::Rejected); });
    QTest::keyClick(w->tree(), Qt::Key_Return);
    ASSERT_EQ(prompter.dialogsRun.size(), 1u);
    EXPECT_EQ(prompter.dialogsRun[0], static_cast<QDialog*>(w->msgEdit()));
    EXPECT_TRUE(w->itemCommands()->editMode());

    prompter.answerDialog([](QDialog*) { return int(QDialog::Rejected); });
    const QRect r = w->tree()->visualRect(w->document().indexOf(top(0)));
    QTest::mouseDClick(w->tree()->viewport(), Qt::LeftButton, {},
                       r.topLeft() + QPoint(30, r.height() / 2));
    EXPECT_EQ(prompter.dialogsRun.size(), 2u);
}

TEST_F(MainWindowTest, FocusEnablesAddOnlyWithADocumentAndLosingItDisablesAll) {
    w->TreeView1Enter();
    EXPECT_FALSE(enabled("ItemAdd"));
    open("host.sml", kThreeMessages);
    w->selectNode(top(1));
    w->TreeView1Exit();
    for (const char* n :
         {"ItemAdd", "ItemAddSub", "ItemMoveUp", "ItemMoveDown", "ItemEdit", "ItemCut", "ItemCopy",
          "ItemPaste", "ItemDelete", "ItemFullExpand", "ItemFullCollapse"})
        EXPECT_FALSE(enabled(n)) << n;
    w->TreeView1Enter();
    EXPECT_TRUE(enabled("ItemAdd"));
    EXPECT_FALSE(enabled("ItemEdit")); // until the selection changes
}

TEST_F(MainWindowTest, FullExpandAndCollapseWholeSubtrees) {
    open("deep.sml",
         "<S1F1 P\r\n  <L 1 \r\n    <L 1 \r\n      <L 1 \r\n        <A 1 x >\r\n      >\r\n"
         "    >\r\n  >\r\n>\r\n\r\n<S2F2 S\r\n>\r\n");
    SmlTreeView* tree = w->tree();
    SmlDocument& doc = w->document();
    SmlNode* m = top(0);
    SmlNode* l3 = m->child(0)->child(0)->child(0);
    w->selectNode(m);
    w->action("ItemFullExpand")->trigger();
    for (SmlNode* n : {m, m->child(0), m->child(0)->child(0), l3})
        EXPECT_TRUE(tree->isExpanded(doc.indexOf(n)));
    w->action("ItemFullCollapse")->trigger();
    for (SmlNode* n : {m, m->child(0), m->child(0)->child(0), l3})
        EXPECT_FALSE(tree->isExpanded(doc.indexOf(n)));
    // Nothing selected: nothing happens.
    w->selectNode(nullptr);
    w->ItemFullExpandExecute();
    EXPECT_FALSE(tree->isExpanded(doc.indexOf(m)));
}

TEST_F(MainWindowTest, TextPaneTogglesAndIsRegeneratedFromTheTree) {
    open("host.sml", "<S1F1 P x\r\n  <A 1 y >\r\n>\r\n");
    Append(w->document(), nullptr, "S9F9 P added", NodeKind::Message);
    w->action("ToolViewTextSML")->trigger();
    EXPECT_TRUE(w->memoShown());
    EXPECT_TRUE(w->memo()->isVisibleTo(w.get()));
    EXPECT_EQ(w->action("ToolViewTextSML")->text(), "코드 숨김");
    EXPECT_EQ(w->memo()->toPlainText(), "<S1F1 P x\n  <A 1 y >\n>\n\n<S9F9 P added\n>\n\n");
    EXPECT_EQ(w->memo()->toPlainText(), w->memoText());

    w->action("ToolViewTextSML")->trigger();
    EXPECT_FALSE(w->memoShown());
    EXPECT_FALSE(w->memo()->isVisibleTo(w.get()));
    EXPECT_EQ(w->action("ToolViewTextSML")->text(), "코드 보기");

    // New while hidden leaves the text; while shown it empties it.
    prompter.answerBox(Prompter::Answer::No); // the added message is an edit
    w->action("FileNew")->trigger();
    EXPECT_FALSE(w->memoText().isEmpty());
    w->action("ToolViewTextSML")->trigger();
    EXPECT_EQ(w->memo()->toPlainText(), ""); // an empty document
    Append(w->document(), nullptr, "S1F1 P", NodeKind::Message);
    w->action("ToolViewTextSML")->trigger();
    w->action("ToolViewTextSML")->trigger();
    EXPECT_EQ(w->memo()->toPlainText(), "<S1F1 P\n>\n\n");
    prompter.answerBox(Prompter::Answer::No);
    w->action("FileNew")->trigger();
    EXPECT_EQ(w->memo()->toPlainText(), "");
}

TEST_F(MainWindowTest, OpenWhileThePaneIsShownShowsTheFileAsItIs) {
    w->action("FileNew")->trigger();
    w->action("ToolViewTextSML")->trigger();
    // Line ends of every kind, a stray line and text after a NUL byte.
    static const char bytes[] = "junk\r<S1F1 P\n>\r\n\r\n<S2F2 S x>\0tail";
    open("odd.sml", QByteArray(bytes, sizeof bytes - 1));
    EXPECT_EQ(w->memo()->toPlainText(), "junk\n<S1F1 P\n>\n\n<S2F2 S x>\n");
}

TEST_F(MainWindowTest, SelectingAMessageMovesThePaneToItsFirstLine) {
    open("host.sml", kThreeMessages);
    w->action("ToolViewTextSML")->trigger();
    TextPane* memo = w->memo();
    const QString text = memo->toPlainText();

    w->selectNode(top(1));
    EXPECT_EQ(memo->caretPosition(), text.indexOf("<S1F2 S On Line Data"));
    EXPECT_FALSE(memo->hasSelection());

    // "<S1F1 P" first appears inside the line of "S1F1 P Are You There".
    w->selectNode(top(2));
    EXPECT_EQ(memo->caretPosition(), 0);

    // Lists and items leave the caret where it is.
    w->selectNode(top(1));
    const int at = memo->caretPosition();
    w->selectNode(top(1)->child(0));
    w->selectNode(top(1)->child(0)->child(1));
    EXPECT_EQ(memo->caretPosition(), at);

    // A message missing from the pane (added after it was filled) moves nothing.
    SmlNode* added = Append(w->document(), nullptr, "S5F5 P new", NodeKind::Message);
    w->selectNode(added);
    EXPECT_EQ(memo->caretPosition(), at);
}

TEST_F(MainWindowTest, SelectingWithThePaneHiddenLeavesItAlone) {
    open("host.sml", kThreeMessages);
    w->action("ToolViewTextSML")->trigger();
    w->action("ToolViewTextSML")->trigger();
    w->memo()->setCaretPosition(w->memo()->toPlainText().size());
    const int end = w->memo()->caretPosition();
    w->selectNode(top(1));
    EXPECT_EQ(w->memo()->caretPosition(), end);
}

// Expanding and collapsing a whole subtree works at any depth: a hundred
// thousand levels, one list inside the next.
TEST_F(MainWindowTest, FullExpandAndCollapseOfAVeryDeepSubtree) {
    QByteArray text = "<S1F1 P\n";
    for (int i = 0; i < 100000; ++i)
        text += " <L 1\n";
    text += " <A 1 leaf >\n";
    open("deep.sml", text);
    SmlNode* message = w->document().topLevel(0);
    w->selectNode(message);
    w->action("ItemFullExpand")->trigger();
    SmlNode* deepest = message;
    while (deepest->childCount())
        deepest = deepest->child(0);
    EXPECT_TRUE(w->tree()->isExpanded(w->document().indexOf(deepest->parent())));
    w->action("ItemFullCollapse")->trigger();
    EXPECT_FALSE(w->tree()->isExpanded(w->document().indexOf(message)));
    EXPECT_FALSE(w->tree()->isExpanded(w->document().indexOf(deepest->parent())));
}

} // namespace
} // namespace pravik::test
