#include "MainWindowFixture.h"

#include "app/ProblemsPane.h"
#include "check/DefinitionChecker.h"
#include "document/DocumentEditor.h"
#include "platform/AnsiText.h"

#include <QClipboard>
#include <QDockWidget>
#include <QHeaderView>
#include <QImage>
#include <QPixmap>
#include <QStatusBar>
#include <QToolButton>
#include <QTreeView>

namespace pravik::test {
namespace {

// A few errors and warnings: an open-length string (line 6), a repeated
// member (line 12), a Korean member name (line 15), a leading zero (line
// 16), a primary without its reply (line 9).
QByteArray ProblemDocument() {
    return "<S1F1 P Are You There\r\n>\r\n"
           "<S1F2 S On Line Data\r\n  <L 2 Equipment\r\n    <A 20 MDLN >\r\n"
           "    <A n SOFTREV >\r\n  >\r\n>\r\n"
           "<S6F11 P Event Report Send\r\n  <L 3 Report\r\n    <U4 1 DATAID >\r\n"
           "    <U4 1 DATAID >\r\n    <L n RPT\r\n      <L 2 Body\r\n        <U4 1 " +
           AnsiText::Encode(QStringLiteral("보고")) +
           " >\r\n        <U2 02 CODE >\r\n      >\r\n    >\r\n  >\r\n>\r\n"
           "<S9F11 N Data Too Long\r\n  <BINARY 10 MHEAD >\r\n>\r\n";
}

class ProblemsPaneTest : public MainWindowTest {
protected:
    ProblemsPane* pane() const { return w->problems(); }
    ProblemsModel* model() const { return pane()->model(); }
    // The row of a rule's finding, or -1.
    int rowOf(const char* rule) const {
        for (int r = 0; r < model()->rowCount(); ++r)
            if (model()->row(r).rule == QLatin1String(rule))
                return r;
        return -1;
    }
    QStringList rules() const {
        QStringList all;
        for (int r = 0; r < model()->rowCount(); ++r)
            all << model()->row(r).rule;
        return all;
    }
    // The pane checks a moment after the last change.
    bool waitForCheck() {
        return QTest::qWaitFor([this] { return !pane()->isStale(); }, 5000);
    }
    SmlNode* dataId2() const { return top(2)->child(0)->child(1); }
};

TEST_F(ProblemsPaneTest, ListsTheFindingsAfterOpenWithCountsInTheStatusBar) {
    EXPECT_FALSE(pane()->isVisible());
    EXPECT_FALSE(w->action("ToolProblems")->isEnabled());
    open("problems.sml", ProblemDocument());
    ASSERT_TRUE(waitForCheck());
    EXPECT_EQ(rules(), QStringList({"E303", "W501", "E404", "E402", "W505"}));
    const ProblemsModel::Row& dup = model()->row(rowOf("E404"));
    EXPECT_EQ(dup.key, QStringLiteral("S6F11"));
    EXPECT_EQ(dup.path, QStringLiteral("S6F11 P Event Report Send > L 3 Report > U4 1 DATAID"));
    EXPECT_EQ(dup.node, dataId2());
    EXPECT_EQ(model()->data(model()->index(rowOf("E404"), ProblemsModel::SeverityColumn)),
              QStringLiteral("오류"));
    EXPECT_EQ(model()->data(model()->index(rowOf("W501"), ProblemsModel::SeverityColumn)),
              QStringLiteral("경고"));
    EXPECT_TRUE(model()
                    ->data(model()->index(rowOf("E404"), ProblemsModel::MessageColumn))
                    .toString()
                    .endsWith(QStringLiteral("[E404]")));
    // The counts sit beside the three panels, which keep their texts.
    EXPECT_EQ(pane()->statusButton()->text(), QStringLiteral("오류 3개, 경고 2개"));
    EXPECT_EQ(pane()->statusButton()->parentWidget(), w->statusBar());
    EXPECT_EQ(w->statusPanelText(0), QStringLiteral("전체 메시지: 4개"));
    EXPECT_EQ(w->statusPanelText(1), QStringLiteral("전체 아이템: 15개"));
}

TEST_F(ProblemsPaneTest, MenuEntryAndStatusButtonShowAndHideThePane) {
    open("problems.sml", ProblemDocument());
    w->show();
    QAction* entry = w->action("ToolProblems");
    ASSERT_TRUE(entry->isEnabled());
    entry->trigger();
    EXPECT_TRUE(entry->isChecked());
    EXPECT_TRUE(pane()->isVisible());
    EXPECT_FALSE(pane()->isStale()); // shown with current rows
    EXPECT_EQ(w->dockWidgetArea(pane()), Qt::BottomDockWidgetArea);
    entry->trigger();
    EXPECT_FALSE(pane()->isVisible());
    EXPECT_FALSE(entry->isChecked());
    pane()->statusButton()->click();
    EXPECT_TRUE(pane()->isVisible());
    EXPECT_TRUE(entry->isChecked());
    // Closed with its own button: the entry follows.
    pane()->close();
    EXPECT_FALSE(entry->isChecked());
}

TEST_F(ProblemsPaneTest, DoubleClickAndEnterSelectAndRevealTheNode) {
    open("problems.sml", ProblemDocument());
    showAndFocus();
    w->action("ToolProblems")->trigger();
    QTreeView* view = pane()->view();
    QApplication::processEvents();

    const int korean = rowOf("E402");
    const QRect cell = view->visualRect(model()->index(korean, ProblemsModel::PathColumn));
    ASSERT_TRUE(view->viewport()->rect().contains(cell.center()))
        << cell.x() << "," << cell.y() << " in " << view->viewport()->width() << "x"
        << view->viewport()->height();
    // A double click as the view sees it: a press, then the double click.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    SmlNode* named = top(2)->child(0)->child(2)->child(0)->child(0);
    EXPECT_EQ(w->selectedNode(), named);
    EXPECT_TRUE(w->tree()->isExpanded(w->document().indexOf(named->parent())));
    EXPECT_EQ(w->statusPanelText(2), AnsiText::Decode(named->Text()));
    EXPECT_TRUE(w->tree()->hasFocus()); // ready for the node's commands

    view->setFocus();
    view->setCurrentIndex(model()->index(rowOf("E303"), 0));
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_EQ(w->selectedNode(), top(1)->child(0)->child(1));
}

TEST_F(ProblemsPaneTest, ChecksAgainAMomentAfterAnEdit) {
    open("problems.sml", ProblemDocument());
    ASSERT_TRUE(waitForCheck());
    // Correct the open length: an undoable edit of the node's text.
    SmlNode* softrev = top(1)->child(0)->child(1);
    Edit(w->document(), [&](DocumentEditor& ed) { ed.setText(softrev, "A 20 SOFTREV"); });
    EXPECT_TRUE(pane()->isStale());
    ASSERT_TRUE(waitForCheck());
    EXPECT_EQ(rowOf("E303"), -1);
    EXPECT_EQ(pane()->counts().errors, 2);
    // Undo brings it back.
    w->action("ItemUndo")->trigger();
    ASSERT_TRUE(waitForCheck());
    EXPECT_NE(rowOf("E303"), -1);
}

// A row whose node was deleted is never followed to it: the pane forgets
// the nodes as they leave, and a stale row is looked up in a fresh check.
TEST_F(ProblemsPaneTest, ARowOfADeletedNodeIsSafe) {
    open("problems.sml", ProblemDocument());
    ASSERT_TRUE(waitForCheck());
    const int dup = rowOf("E404");
    ASSERT_EQ(model()->row(dup).node, dataId2());

    w->selectNode(dataId2());
    prompter.answerBox(Prompter::Answer::Yes);
    w->action("ItemDelete")->trigger();
    ASSERT_EQ(top(2)->child(0)->childCount(), 2);
    EXPECT_TRUE(pane()->isStale());
    EXPECT_EQ(model()->row(dup).node, nullptr);
    // The deleted node's memory goes with the undo history.
    w->document().undoStack()->clear();
    SmlNode* before = w->selectedNode();

    pane()->activateRow(dup); // before the check ran
    EXPECT_FALSE(pane()->isStale());
    EXPECT_EQ(rowOf("E404"), -1); // the finding is gone: nothing is selected
    EXPECT_EQ(w->selectedNode(), before);

    // A stale row whose finding is still there leads to its node.
    Edit(w->document(), [&](DocumentEditor& ed) { ed.setText(top(0), "S1F1 P Are You There?"); });
    ASSERT_TRUE(pane()->isStale());
    pane()->activateRow(rowOf("E303"));
    EXPECT_EQ(w->selectedNode(), top(1)->child(0)->child(1));
}

TEST_F(ProblemsPaneTest, GenerationWithErrorsStillWritesThenShowsThePane) {
    open("problems.sml", ProblemDocument());
    prompter.answerSave(dir.path("out.cpp"));
    prompter.answerSave(dir.path("out.h"));
    w->action("MakeCppFile")->trigger();
    EXPECT_TRUE(dir.exists("out.cpp"));
    EXPECT_TRUE(dir.exists("out.h"));
    EXPECT_FALSE(pane()->isHidden());
    EXPECT_TRUE(w->action("ToolProblems")->isChecked());
    EXPECT_EQ(pane()->counts().errors, 3);
    // Without errors the pane stays as it was.
    w->action("ToolProblems")->trigger();
    open("clean.sml", "<S1F1 N x\r\n>\r\n<S9F11 N y\r\n  <BINARY 10 MHEAD >\r\n>\r\n");
    prompter.answerSave(dir.path("clean.cpp"));
    prompter.answerSave(dir.path("clean.h"));
    w->action("MakeCppFile")->trigger();
    EXPECT_TRUE(dir.exists("clean.h"));
    EXPECT_TRUE(pane()->isHidden());
}

// Long messages: the message column takes the width the short columns
// leave, a cell shows its whole text as its tip, and Ctrl+C copies the
// selected rows in full.
TEST_F(ProblemsPaneTest, LongMessagesAreShownInFullByTipAndCopy) {
    open("problems.sml", ProblemDocument());
    showAndFocus();
    w->action("ToolProblems")->trigger();
    QApplication::processEvents();
    QTreeView* view = pane()->view();
    const QHeaderView* header = view->header();
    const int message = ProblemsModel::MessageColumn;
    EXPECT_EQ(header->sectionViewportPosition(message) + header->sectionSize(message),
              view->viewport()->width());
    for (int column :
         {ProblemsModel::SeverityColumn, ProblemsModel::KeyColumn, ProblemsModel::PathColumn})
        EXPECT_GT(header->sectionSize(message), header->sectionSize(column)) << column;

    for (int r = 0; r < model()->rowCount(); ++r) {
        const ProblemsModel::Row& row = model()->row(r);
        EXPECT_EQ(model()->data(model()->index(r, message), Qt::ToolTipRole).toString(),
                  row.message);
        EXPECT_EQ(
            model()->data(model()->index(r, ProblemsModel::PathColumn), Qt::ToolTipRole).toString(),
            row.path);
    }

    const int open = rowOf("E303"), duplicate = rowOf("E404");
    view->setFocus();
    view->setCurrentIndex(model()->index(duplicate, 0));
    view->selectionModel()->select(model()->index(open, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QApplication::clipboard()->clear();
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    const QStringList lines = QApplication::clipboard()->text().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], "오류\tS1F2\tS1F2 S On Line Data > L 2 Equipment > A n SOFTREV\t" +
                            model()->row(open).message);
    EXPECT_EQ(lines[1], "오류\tS6F11\tS6F11 P Event Report Send > L 3 Report > U4 1 DATAID\t" +
                            model()->row(duplicate).message);
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("숫자로 쓰십시오. [E303]")));
}

// Edits while the pane is checking (its pause shortened to nothing): the
// rows end up those of the last document, and no row names a node that
// went (the sanitizer build would see it read).
TEST_F(ProblemsPaneTest, EditsDuringACheckLeaveTheRowsOfTheLastDocument) {
    open("problems.sml", ProblemDocument());
    ASSERT_TRUE(waitForCheck());
    pane()->setDelay(0);
    SmlDocument& doc = w->document();
    for (int i = 0; i < 24; ++i) {
        SmlNode* report = top(2)->child(0);
        switch (i % 4) {
        case 0:
            doc.perform(QStringLiteral("delete"),
                        [&](DocumentEditor& e) { e.removeNode(report->child(1)); });
            break;
        case 1:
            doc.perform(QStringLiteral("rename"), [&](DocumentEditor& e) {
                e.setText(top(0), i % 8 == 1 ? "S1F1 N Are You There" : "S1F3 P x");
            });
            break;
        case 2:
            doc.undoStack()->clear(); // the deleted node's memory goes
            break;
        case 3:
            doc.perform(QStringLiteral("add"), [&](DocumentEditor& e) {
                e.appendNode(report, "U4 1 DATAID", NodeKind::Item);
            });
            break;
        }
        for (int turn = 0; turn < i % 3; ++turn)
            QApplication::processEvents();
    }
    ASSERT_TRUE(waitForCheck());
    QStringList shown, fresh;
    for (int r = 0; r < model()->rowCount(); ++r)
        shown << ProblemsModel::RowText(model()->row(r));
    for (const Diagnostic& d : CheckDefinitions(doc))
        fresh << ProblemsModel::RowText(ProblemsModel::RowOf(d));
    EXPECT_EQ(shown, fresh);
    EXPECT_EQ(pane()->counts().errors, CountDiagnostics(CheckDefinitions(doc)).errors);
}

// The pane on a file with a few errors and warnings, to
// screenshots/problems.png in the build folder.
TEST_F(ProblemsPaneTest, Screenshot) {
    open("problems.sml", ProblemDocument());
    w->show();
    w->action("ToolProblems")->trigger();
    pane()->activateRow(rowOf("E404"));
    pane()->view()->setCurrentIndex(model()->index(rowOf("E404"), 0));
    QApplication::processEvents();
    const QImage shot = w->grab().toImage();
    QDir().mkpath(QStringLiteral(PRAVIK_BINARY_DIR "/screenshots"));
    ASSERT_TRUE(shot.save(QStringLiteral(PRAVIK_BINARY_DIR "/screenshots/problems.png")));
    // The pane lies under the tree, across the window.
    EXPECT_GT(pane()->geometry().top(), w->tree()->mapTo(w.get(), QPoint(0, 0)).y());
    EXPECT_GE(pane()->width(), w->width() - 10);
}

} // namespace
} // namespace pravik::test
