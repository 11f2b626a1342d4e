#pragma once

#include "app/SmlTreeView.h"
#include "app/TfmMain.h"
#include "app/UserSettings.h"
#include "document/SmlDocument.h"
#include "editing/ItemCommands.h"
#include "session/DocumentSession.h"
#include "support/DocumentEdits.h"
#include "support/ScriptedGuiPrompter.h"
#include "support/TempDir.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTest>
#include <QUndoStack>
#include <gtest/gtest.h>
#include <memory>
#include <set>

// Readable QStrings in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace pravik::test {

// A real main window driven through the scripted prompter.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_oldCurrent = QDir::currentPath();
        QDir::setCurrent(dir.path(QString()));
        // Each window starts as the first one would: nothing remembered.
        OpenUserSettings()->clear();
        w = std::make_unique<TfmMain>(prompter);
    }
    void TearDown() override {
        // A window with changes would ask on destruction otherwise.
        w->document().setSaved();
        w.reset();
        QDir::setCurrent(m_oldCurrent);
        EXPECT_TRUE(prompter.allAnswersUsed());
    }

    // Opens bytes as the file name through the open command.
    QString open(const QString& name, const QByteArray& bytes) {
        const QString path = dir.write(name, bytes);
        prompter.answerOpen(path);
        w->action("FileLoad")->trigger();
        return path;
    }

    std::set<QString> enabledActions() const {
        std::set<QString> on;
        for (const QString& n : w->actionNames())
            if (w->action(n)->isEnabled())
                on.insert(n);
        return on;
    }
    bool enabled(const char* name) const {
        return w->action(QString::fromLatin1(name))->isEnabled();
    }

    SmlNode* top(int row) const { return w->document().topLevel(row); }

    // A message added as an edit of the user's, so the document has changes.
    SmlNode* addMessage(const char* text) {
        return Append(w->document(), nullptr, text, NodeKind::Message);
    }
    // Unsaved changes without touching the tree: an empty step on the stack.
    void markModified() {
        w->document().undoStack()->push(new QUndoCommand(QStringLiteral("test")));
    }

    void showAndFocus() {
        w->show();
        QApplication::setActiveWindow(w.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
        w->tree()->setFocus();
        QApplication::processEvents();
    }

    TempDir dir;
    ScriptedGuiPrompter prompter;
    std::unique_ptr<TfmMain> w;

private:
    QString m_oldCurrent;
};

// A small document: a message with a list of two items, a message without
// children, and a message whose text begins like the second's.
inline const QByteArray kThreeMessages = "<S1F1 P Are You There\r\n>\r\n\r\n"
                                         "<S1F2 S On Line Data\r\n  <L 2 \r\n    <A 6 MDLN >\r\n"
                                         "    <A 6 SOFTREV >\r\n  >\r\n>\r\n\r\n"
                                         "<S1F1 P\r\n>\r\n\r\n";

} // namespace pravik::test
