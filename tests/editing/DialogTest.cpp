// The two dialogs driven with real key and mouse events.
#include "EditingFixture.h"

#include <QClipboard>

using namespace pravik;
using namespace pravik::test;

namespace {

template <class Dlg> class DialogTest : public ::testing::Test {
protected:
    void SetUp() override { Show(false); }
    void Show(bool editMode) {
        dlg.hide();
        dlg.setEditMode(editMode);
        Activate(&dlg);
    }
    Dlg dlg;
};
using MsgDialogTest = DialogTest<TfmMsgEdit>;
using ItemDialogTest = DialogTest<TfmItemEdit>;

void Paste(QLineEdit* edit, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    edit->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
}

} // namespace

TEST_F(MsgDialogTest, NumberFieldsTakeDigitsUpToThreeAndDescriptionsNoBrackets) {
    for (QLineEdit* edit : {dlg.lStream, dlg.lFunction}) {
        Retype(edit, "a-. 7x+~/:12345");
        EXPECT_EQ(edit->text(), "712");
        QTest::keyClick(edit, Qt::Key_Backspace);
        // Non-ASCII (halves of double-byte characters) passes; DEL does not.
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QStringLiteral("가"), {});
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_Delete, QString(QChar(127)), {});
        EXPECT_EQ(edit->text(), QStringLiteral("71가"));
    }
    Retype(dlg.lStream, "");
    Paste(dlg.lStream, "ab12"); // pasted numbers are not filtered, only cut at three
    EXPECT_EQ(dlg.lStream->text(), "ab1");

    Retype(dlg.lMsgDesc, "<Status> ok");
    EXPECT_EQ(dlg.lMsgDesc->text(), "Status ok");
    // Pasted text loses the brackets too; the caret stays after the pasted part.
    dlg.lMsgDesc->setCursorPosition(6);
    Paste(dlg.lMsgDesc, "<a>b>");
    QTest::keyClicks(dlg.lMsgDesc, "!");
    EXPECT_EQ(dlg.lMsgDesc->text(), "Statusab! ok");
}

TEST_F(MsgDialogTest, FunctionProposesTheMessageType) {
    const std::pair<const char*, int> cases[] = {{"2", 1}, {"13", 0}, {"", 1}, {"0", 1}};
    for (const auto& [function, type] : cases) {
        Retype(dlg.lFunction, function);
        EXPECT_EQ(dlg.msgTypeIndex(), type) << function;
    }
    Click(Choice(dlg.rMsgType, 2));
    EXPECT_EQ(dlg.msgTypeIndex(), 2); // the user may choose afterwards
    // Only pasted text can be negative: -2 selects no choice, so no letter.
    Retype(dlg.lFunction, "");
    Paste(dlg.lFunction, "-2");
    EXPECT_EQ(dlg.msgTypeIndex(), -1);
    EXPECT_EQ(ComposeMessageText(dlg.fields()), "S1F-2 ");
}

TEST_F(MsgDialogTest, ResetUnlessEditingFocusOnStreamEnterAndEscape) {
    EXPECT_EQ(QApplication::focusWidget(), dlg.lStream);
    dlg.prefill("S01F02 S Reply");
    Show(true);
    EXPECT_EQ(dlg.fields().stream + dlg.fields().function + dlg.fields().description, "12Reply");
    EXPECT_EQ(dlg.msgTypeIndex(), 1);
    EXPECT_EQ(QApplication::focusWidget(), dlg.lStream);
    QTest::keyClick(dlg.lFunction, Qt::Key_Return);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_FALSE(dlg.isVisible());

    Show(false);
    EXPECT_EQ(ComposeMessageText(dlg.fields()), "S1F1 P ");
    QTest::keyClick(dlg.lMsgDesc, Qt::Key_Escape);
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
}

TEST_F(ItemDialogTest, NotFixedBoxShowsNAndGivesBackZero) {
    EXPECT_EQ(QApplication::focusWidget(), Choice(dlg.rItemType, 0));
    Retype(dlg.lItemLength, "n1 2x34"); // no typed n, three digits at most
    EXPECT_EQ(dlg.lItemLength->text(), "123");
    Click(dlg.cLengthNotFixed);
    EXPECT_EQ(dlg.lItemLength->text(), "n");
    EXPECT_FALSE(dlg.lItemLength->isEnabled());
    Click(dlg.cLengthNotFixed);
    EXPECT_EQ(dlg.lItemLength->text(), "0");
    EXPECT_TRUE(dlg.lItemLength->isEnabled());
    QTest::keyClick(dlg.cLengthNotFixed, Qt::Key_Space); // same from the keyboard
    EXPECT_EQ(dlg.lItemLength->text(), "n");
    EXPECT_FALSE(dlg.lItemLength->isEnabled());
    Paste(dlg.lItemDesc, "a<b>");
    EXPECT_EQ(dlg.lItemDesc->text(), "ab");
}

// Brackets that came with the node's text stay; only what the user types or
// pastes loses them.
template <class Dlg> void BracketsFromTheFileStay(Dlg& dlg, QLineEdit* desc, const char* text) {
    dlg.prefill(text);
    dlg.setEditMode(true);
    Activate(&dlg);
    ASSERT_EQ(desc->text(), "a<b>c");
    desc->setFocus(Qt::TabFocusReason);
    desc->end(false);
    QTest::keyClicks(desc, "x<y");
    EXPECT_EQ(desc->text(), "a<b>cxy");
    desc->setCursorPosition(1);
    QTest::keyClick(desc, Qt::Key_Delete); // the user removes one: it is gone
    EXPECT_EQ(desc->text(), "ab>cxy");
    Paste(desc, "<p>");
    EXPECT_EQ(desc->text(), "apb>cxy");
    EXPECT_EQ(desc->cursorPosition(), 2);
    QTest::keyClicks(desc, "!");
    EXPECT_EQ(dlg.fields().description, "ap!b>cxy");
}

TEST(DescriptionFilter, BracketsFromTheFileStayInTheMessageDialog) {
    TfmMsgEdit dlg;
    BracketsFromTheFileStay(dlg, dlg.lMsgDesc, "S1F1 P a<b>c");
}

TEST(DescriptionFilter, BracketsFromTheFileStayInTheItemDialog) {
    TfmItemEdit dlg;
    BracketsFromTheFileStay(dlg, dlg.lItemDesc, "A 5 a<b>c");
}

TEST_F(ItemDialogTest, ItemsGetAtLeastLengthOne) {
    Click(Choice(dlg.rItemType, 3)); // moving among the choices is not leaving them
    Click(Choice(dlg.rItemType, 0));
    EXPECT_EQ(dlg.lItemLength->text(), "0");
    Click(Choice(dlg.rItemType, 3)); // BOOL
    Retype(dlg.lItemLength, "0");
    QTest::mouseClick(dlg.lItemDesc, Qt::LeftButton);
    EXPECT_EQ(dlg.lItemLength->text(), "1");
    Retype(dlg.lItemLength, "");
    QTest::keyClick(dlg.lItemLength, Qt::Key_Tab);
    EXPECT_EQ(dlg.lItemLength->text(), "1");
    Click(Choice(dlg.rItemType, 0)); // a list may count 0
    Retype(dlg.lItemLength, "0");
    QTest::keyClick(dlg.lItemLength, Qt::Key_Tab);
    EXPECT_EQ(dlg.lItemLength->text(), "0");

    // OK clicked with the mouse, or Enter without leaving the field.
    Click(Choice(dlg.rItemType, 6));
    Retype(dlg.lItemLength, "0");
    QTest::mouseClick(dlg.btnOk, Qt::LeftButton);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.fields().length, "1");
    Show(true);
    Retype(dlg.lItemLength, "0");
    QTest::keyClick(dlg.lItemLength, Qt::Key_Return);
    EXPECT_EQ(dlg.fields().length, "1");
    Show(true);
    Click(dlg.cLengthNotFixed); // "n" stays
    QTest::keyClick(dlg.cLengthNotFixed, Qt::Key_Return);
    EXPECT_EQ(dlg.lItemLength->text(), "n");
}

TEST(DialogPrefill, TakesTextsApartWhateverTheirForm) {
    TfmMsgEdit msg;
    const std::tuple<QByteArray, QByteArray, int> messages[] = {
        {"S01F02 S Reply", "S1F2 S Reply", 1},
        {"S1F1 Are you there", "S1F1 ", -1}, // no type letter: no description either
        {"S2F41 N   spaced  ", "S2F41 N spaced", 2},
        {"junk", "S0F0 ", -1},
        {"S1234F5 P big", "S1234F5 P big", 0}, // longer than the field, shown whole
        {"S1F1 P \xC5\xD7\xBD\xBA\xC6\xAE", "S1F1 P \xC5\xD7\xBD\xBA\xC6\xAE", 0}, // CP949
    };
    for (const auto& [text, stored, type] : messages) {
        msg.prefill(text);
        EXPECT_EQ(msg.msgTypeIndex(), type) << text.toStdString();
        EXPECT_EQ(ComposeMessageText(msg.fields()), stored);
    }

    TfmItemEdit item;
    const std::tuple<QByteArray, int, QString, QString> items[] = {
        {"A 10 MDLN", 1, "10", "MDLN"}, {"U4 n Values", 10, "n", "Values"}, {"BOOL 1", 3, "1", ""},
        {"XYZ 5 odd", 0, "5", "odd"},   {"a4 x y z", 0, "0", "y z"},        {"L", 0, "0", ""},
    };
    for (const auto& [text, type, length, desc] : items) {
        item.cLengthNotFixed->setChecked(length != "n"); // the earlier state must not matter
        item.prefill(text);
        EXPECT_EQ(item.itemTypeIndex(), type) << text.toStdString();
        EXPECT_EQ(item.lItemLength->text(), length);
        EXPECT_EQ(item.cLengthNotFixed->isChecked(), length == "n");
        EXPECT_EQ(item.lItemLength->isEnabled(), length != "n");
        EXPECT_EQ(item.lItemDesc->text(), desc);
    }
}

// Descriptions show every byte; bytes of another encoding, many of them too,
// come back as they were, and typing at the end keeps them.
TEST(DialogPrefill, DescriptionsKeepBytesThatAreNotCp949) {
    const QByteArray odd = "caf\xE9 " + QByteArray(9000, '\xFF') + "\xC7";
    TfmItemEdit item;
    item.prefill("U1 1 " + odd);
    EXPECT_TRUE(item.lItemDesc->text().startsWith("caf\\xE9 \\xFF"));
    EXPECT_EQ(item.fields().description, odd);
    item.lItemDesc->end(false);
    QTest::keyClicks(item.lItemDesc, "x");
    EXPECT_EQ(item.fields().description, odd + "x");

    TfmMsgEdit msg;
    msg.prefill("S1F1 P lone\xB0");
    EXPECT_EQ(msg.lMsgDesc->text(), "lone\\xB0");
    EXPECT_EQ(msg.fields().description, "lone\xB0");
}
