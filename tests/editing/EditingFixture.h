#pragma once

#include "document/DocumentState.h"
#include "document/SmlDocument.h"
#include "editing/EditorHost.h"
#include "editing/ItemCommands.h"
#include "editing/TfmItemEdit.h"
#include "editing/TfmMsgEdit.h"
#include "sml/SmlReader.h"
#include "support/DocumentEdits.h"
// GCC 12 reports a false "maybe uninitialized" on the std::optional<QString>
// copies inside the scripted prompter when it inlines them here.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include "support/ScriptedGuiPrompter.h"
#pragma GCC diagnostic pop

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>
#include <map>
#include <string>

namespace pravik::test {

// Shows a dialog as the active window, so keys and focus behave as for a user.
inline void Activate(QWidget* w) {
    w->show();
    QApplication::setActiveWindow(w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
}

// Replaces a field's contents by typing.
inline void Retype(QLineEdit* edit, const QString& text) {
    edit->setFocus(Qt::TabFocusReason);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

// Clicks a radio button or check box on its indicator, where a click counts.
inline void Click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

inline QRadioButton* Choice(QGroupBox* group, int index) {
    return group->findChildren<QRadioButton*>().at(index);
}

// The main window as the commands see it.
class TestHost : public EditorHost {
public:
    TestHost() {
        state_.FileName = QStringLiteral("NoName.sml");
        // Like the tree view, forget a selection that leaves the tree.
        QObject::connect(&doc_, &SmlDocument::nodesAboutToBeRemoved, [this](SmlNode* root) {
            if (selected_ && root->isAncestorOf(selected_))
                selected_ = nullptr;
        });
    }
    SmlDocument& document() override { return doc_; }
    DocumentState& state() override { return state_; }
    GuiPrompter& prompter() override { return prompter_; }
    SmlNode* selectedNode() const override { return selected_; }
    void selectNode(SmlNode* node) override { selected_ = node; }
    void setPasteEnabled(bool on) override { commands[QStringLiteral("ItemPaste")] = on; }

    SmlDocument doc_;
    // Every command's model notifications are checked as they happen.
    QAbstractItemModelTester tester{&doc_, QAbstractItemModelTester::FailureReportingMode::Fatal};
    DocumentState state_;
    ScriptedGuiPrompter prompter_;
    SmlNode* selected_ = nullptr;
    std::map<QString, bool> commands;
};

class EditingTest : public ::testing::Test {
protected:
    void Load(const QByteArray& sml) {
        ParsedSml parsed = ParseSml(sml);
        host.doc_.resetTo(std::move(parsed.root), parsed.counts.nodes);
    }
    // The first node in pre-order with this text.
    SmlNode* Find(const QByteArray& text) const {
        for (SmlNode* n = host.doc_.firstNode(); n; n = n->nextPreOrder())
            if (n->Text() == text)
                return n;
        ADD_FAILURE() << "no node " << text.toStdString();
        return nullptr;
    }
    SmlNode* Select(const QByteArray& text) { return host.selected_ = Find(text); }
    // The tree as indented lines, "!" after nodes marked in error.
    std::string Dump() const {
        std::string out;
        for (SmlNode* n = host.doc_.firstNode(); n; n = n->nextPreOrder())
            out += std::string(static_cast<size_t>(n->level()) * 2, ' ') + n->Text().toStdString() +
                   (host.doc_.isCheckMarked(n) ? " !\n" : "\n");
        return out;
    }
    int Dialog(std::function<void()> fill, QDialog* d) {
        Activate(d);
        fill();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        return d->result();
    }
    // Types the message fields (type -1: keep the proposal) and presses Enter.
    void AnswerMessage(const QString& stream, const QString& function, int type,
                       const QString& desc) {
        host.prompter_.answerDialog([=, this](QDialog* d) {
            return Dialog(
                [&] {
                    Retype(msg.lStream, stream);
                    Retype(msg.lFunction, function);
                    if (type >= 0)
                        Click(Choice(msg.rMsgType, type));
                    Retype(msg.lMsgDesc, desc);
                },
                d);
        });
    }
    // Chooses the type, types length ("n" ticks the box) and description, Enter.
    void AnswerItem(int type, const QString& length, const QString& desc) {
        host.prompter_.answerDialog([=, this](QDialog* d) {
            return Dialog(
                [&] {
                    Click(Choice(item.rItemType, type));
                    if ((length == "n") != item.cLengthNotFixed->isChecked())
                        Click(item.cLengthNotFixed);
                    if (length != "n")
                        Retype(item.lItemLength, length);
                    Retype(item.lItemDesc, desc);
                },
                d);
        });
    }
    // A dialog closed unchanged with Enter (ok) or Escape.
    void AnswerUnchanged(bool ok) {
        host.prompter_.answerDialog([ok](QDialog* d) {
            Activate(d);
            QTest::keyClick(QApplication::focusWidget(), ok ? Qt::Key_Return : Qt::Key_Escape);
            return d->result();
        });
    }

    TestHost host;
    TfmMsgEdit msg;
    TfmItemEdit item;
    ItemCommands cmds{host, msg, item};
};

} // namespace pravik::test
