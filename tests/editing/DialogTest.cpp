// The two dialogs driven with real key and mouse events.
#include "EditingFixture.h"

#include <QClipboard>

using namespace pravik;
using namespace pravik::test;

namespace {

class MsgDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        dlg.setEditMode(false);
        Activate(&dlg);
    }
    void TearDown() override { dlg.hide(); }
    TfmMsgEdit dlg;
};

class ItemDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        dlg.setEditMode(false);
        Activate(&dlg);
    }
    void TearDown() override { dlg.hide(); }
    TfmItemEdit dlg;
};

void Paste(QLineEdit* edit, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    edit->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
}

void SendText(QWidget* w, const QString& text) {
    QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, text, Qt::NoModifier);
}

} // namespace

TEST_F(MsgDialogTest, ShowsResetFieldsWithFocusOnStream) {
    EXPECT_EQ(dlg.windowTitle(), "Message");
    EXPECT_EQ(dlg.lStream->text(), "1");
    EXPECT_EQ(dlg.lFunction->text(), "1");
    EXPECT_EQ(dlg.msgTypeIndex(), 0);
    EXPECT_EQ(dlg.lMsgDesc->text(), "");
    EXPECT_EQ(QApplication::focusWidget(), dlg.lStream);
    // Tab order: stream, function, the type group, description, OK, Cancel.
    QTest::keyClick(dlg.lStream, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), dlg.lFunction);
    QTest::keyClick(dlg.lFunction, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->parentWidget(), dlg.rMsgType);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), dlg.lMsgDesc);
}

TEST_F(MsgDialogTest, NumberFieldsTakeDigitsOnlyUpToThree) {
    for (QLineEdit* edit : {dlg.lStream, dlg.lFunction}) {
        Retype(edit, "a-. 7x+");
        EXPECT_EQ(edit->text(), "7") << edit->objectName().toStdString();
        QTest::keyClicks(edit, "~/:12345");
        EXPECT_EQ(edit->text(), "712");
        QTest::keyClick(edit, Qt::Key_Backspace);
        EXPECT_EQ(edit->text(), "71");
        // Halves of double-byte characters pass, as in the original editor.
        SendText(edit, QStringLiteral("가"));
        EXPECT_EQ(edit->text(), QStringLiteral("71가"));
        SendText(edit, QString(QChar(127))); // DEL is swallowed
        EXPECT_EQ(edit->text(), QStringLiteral("71가"));
    }
}

TEST_F(MsgDialogTest, PastedNumbersArriveUnfilteredWithinTheLimit) {
    Paste(dlg.lStream, "ab12");
    EXPECT_EQ(dlg.lStream->text(), "ab1"); // pasted before the reset "1", cut at three
}

TEST_F(MsgDialogTest, DescriptionNeverTakesAngleBrackets) {
    Retype(dlg.lMsgDesc, "<Status> ok");
    EXPECT_EQ(dlg.lMsgDesc->text(), "Status ok");
    // Pasted text loses them too, and the caret stays after the pasted part.
    dlg.lMsgDesc->setCursorPosition(6);
    Paste(dlg.lMsgDesc, "<a>b>");
    EXPECT_EQ(dlg.lMsgDesc->text(), "Statusab ok");
    EXPECT_EQ(dlg.lMsgDesc->cursorPosition(), 8);
    QTest::keyClicks(dlg.lMsgDesc, "!");
    EXPECT_EQ(dlg.lMsgDesc->text(), "Statusab! ok");
    EXPECT_EQ(dlg.fields().description, "Statusab! ok");
}

TEST_F(MsgDialogTest, FunctionProposesTheMessageType) {
    Retype(dlg.lFunction, "2");
    EXPECT_EQ(dlg.msgTypeIndex(), 1);
    Retype(dlg.lFunction, "13");
    EXPECT_EQ(dlg.msgTypeIndex(), 0);
    Click(Choice(dlg.rMsgType, 2));
    EXPECT_EQ(dlg.msgTypeIndex(), 2); // the user may choose afterwards
    Retype(dlg.lFunction, "");
    EXPECT_EQ(dlg.msgTypeIndex(), 1);
    Retype(dlg.lFunction, "0");
    EXPECT_EQ(dlg.msgTypeIndex(), 1);
    // Only pasted text can be negative: -2 selects no choice at all.
    Retype(dlg.lFunction, "");
    Paste(dlg.lFunction, "-2");
    EXPECT_EQ(dlg.lFunction->text(), "-2");
    EXPECT_EQ(dlg.msgTypeIndex(), -1);
    EXPECT_EQ(ComposeMessageText(dlg.fields()), "S1F-2 ");
}

TEST_F(MsgDialogTest, EnterAcceptsEscapeCancels) {
    QTest::keyClick(dlg.lFunction, Qt::Key_Return);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_FALSE(dlg.isVisible());
    Activate(&dlg);
    QTest::keyClick(dlg.lMsgDesc, Qt::Key_Escape);
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_FALSE(dlg.isVisible());
}

TEST_F(MsgDialogTest, EditKeepsFilledFieldsAndAddResetsThem) {
    dlg.hide();
    dlg.prefill("S01F02 S Reply");
    dlg.setEditMode(true);
    Activate(&dlg);
    EXPECT_EQ(dlg.lStream->text(), "1");
    EXPECT_EQ(dlg.lFunction->text(), "2");
    EXPECT_EQ(dlg.msgTypeIndex(), 1);
    EXPECT_EQ(dlg.lMsgDesc->text(), "Reply");
    EXPECT_EQ(QApplication::focusWidget(), dlg.lStream);
    dlg.hide();
    dlg.setEditMode(false);
    Activate(&dlg);
    EXPECT_EQ(dlg.lStream->text(), "1");
    EXPECT_EQ(dlg.lFunction->text(), "1");
    EXPECT_EQ(dlg.msgTypeIndex(), 0);
    EXPECT_EQ(dlg.lMsgDesc->text(), "");
}

TEST(MsgDialogPrefill, FollowsTheTextWhateverItsForm) {
    TfmMsgEdit dlg;
    struct Case {
        QByteArray text, stream, function;
        int type;
        QString desc;
    } cases[] = {
        {"S01F02 S Reply", "1", "2", 1, "Reply"},
        {"S1F1 Are you there", "1", "1", -1, ""}, // no type letter: no type, no description
        {"S6F11 P ", "6", "11", 0, ""},
        {"S2F41 N   spaced out  ", "2", "41", 2, "spaced out"},
        {"junk", "0", "0", -1, ""},
        {"P", "0", "0", 0, ""},                   // no blank: the first two characters
        {"S1234F5 P big", "1234", "5", 0, "big"}, // longer than the field, shown whole
        {"S1F1 P <old>", "1", "1", 0, "<old>"},   // a file's text is shown as it is
    };
    for (const Case& c : cases) {
        dlg.prefill(c.text);
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(dlg.lStream->text().toLatin1(), c.stream);
        EXPECT_EQ(dlg.lFunction->text().toLatin1(), c.function);
        EXPECT_EQ(dlg.msgTypeIndex(), c.type);
        EXPECT_EQ(dlg.lMsgDesc->text(), c.desc);
    }
    // Unchanged Korean bytes come back unchanged.
    const QByteArray korean = "S1F1 P \xC5\xD7\xBD\xBA\xC6\xAE"; // "테스트" in CP949
    dlg.prefill(korean);
    EXPECT_EQ(dlg.lMsgDesc->text(), QStringLiteral("테스트"));
    EXPECT_EQ(ComposeMessageText(dlg.fields()), korean);
}

TEST_F(ItemDialogTest, ShowsResetFieldsWithFocusOnTheType) {
    EXPECT_EQ(dlg.windowTitle(), "Item");
    EXPECT_EQ(dlg.itemTypeIndex(), 0);
    EXPECT_EQ(dlg.lItemLength->text(), "0");
    EXPECT_TRUE(dlg.lItemLength->isEnabled());
    EXPECT_FALSE(dlg.cLengthNotFixed->isChecked());
    EXPECT_EQ(dlg.lItemDesc->text(), "");
    EXPECT_EQ(QApplication::focusWidget(), Choice(dlg.rItemType, 0));
    const QStringList expected = {"LIST(L)",   "ASCII(A)",  "BINARY", "BOOL",      "INT1",
                                  "INT2",      "INT4",      "INT8",   "UNIT1(U1)", "UNIT2(U2)",
                                  "UNIT4(U4)", "UNIT8(U8)", "FLOAT4", "FLOAT8",    "JIS8"};
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(Choice(dlg.rItemType, i)->text(), expected[i]);
}

TEST_F(ItemDialogTest, LengthTakesDigitsOnlyAndNeverATypedN) {
    Retype(dlg.lItemLength, "n1 2x34");
    EXPECT_EQ(dlg.lItemLength->text(), "123");
    Retype(dlg.lItemDesc, "<Status>");
    EXPECT_EQ(dlg.lItemDesc->text(), "Status");
    Paste(dlg.lItemDesc, "a>b");
    EXPECT_EQ(dlg.lItemDesc->text(), "Statusab");
}

TEST_F(ItemDialogTest, NotFixedBoxShowsNAndGivesBackZero) {
    Retype(dlg.lItemLength, "12");
    Click(dlg.cLengthNotFixed);
    EXPECT_EQ(dlg.lItemLength->text(), "n");
    EXPECT_FALSE(dlg.lItemLength->isEnabled());
    Click(dlg.cLengthNotFixed);
    EXPECT_EQ(dlg.lItemLength->text(), "0");
    EXPECT_TRUE(dlg.lItemLength->isEnabled());
    // From the keyboard: the space bar toggles with the same outcome.
    dlg.cLengthNotFixed->setFocus(Qt::TabFocusReason);
    QTest::keyClick(dlg.cLengthNotFixed, Qt::Key_Space);
    EXPECT_TRUE(dlg.cLengthNotFixed->isChecked());
    EXPECT_EQ(dlg.lItemLength->text(), "n");
    EXPECT_FALSE(dlg.lItemLength->isEnabled());
    // A ticked box makes the length "n" whatever the field held.
    Choice(dlg.rItemType, 1)->click();
    EXPECT_EQ(dlg.fields().lengthNotFixed, true);
}

TEST_F(ItemDialogTest, ItemsGetAtLeastLengthOneWhenTheFocusMoves) {
    Click(Choice(dlg.rItemType, 3)); // BOOL
    Retype(dlg.lItemLength, "0");
    QTest::mouseClick(dlg.lItemDesc, Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), dlg.lItemDesc);
    EXPECT_EQ(dlg.lItemLength->text(), "1");
    Retype(dlg.lItemLength, "");
    QTest::keyClick(dlg.lItemLength, Qt::Key_Tab);
    EXPECT_EQ(dlg.lItemLength->text(), "1");
    // A list may count 0.
    Click(Choice(dlg.rItemType, 0));
    Retype(dlg.lItemLength, "0");
    QTest::keyClick(dlg.lItemLength, Qt::Key_Tab);
    EXPECT_EQ(dlg.lItemLength->text(), "0");
    // "n" stays.
    Click(Choice(dlg.rItemType, 1));
    Click(dlg.cLengthNotFixed);
    QTest::keyClick(dlg.cLengthNotFixed, Qt::Key_Tab);
    EXPECT_EQ(dlg.lItemLength->text(), "n");
}

TEST_F(ItemDialogTest, OkByMouseOrEnterAppliesTheMinimumLength) {
    Click(Choice(dlg.rItemType, 6)); // INT4
    Retype(dlg.lItemLength, "0");
    QTest::mouseClick(dlg.btnOk, Qt::LeftButton);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.fields().length, "1");

    dlg.setEditMode(true);
    Activate(&dlg);
    Retype(dlg.lItemLength, "0");
    QTest::keyClick(dlg.lItemLength, Qt::Key_Return);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.fields().length, "1");
}

TEST_F(ItemDialogTest, ContextMenuDoesNotCountAsLeavingTheField) {
    Click(Choice(dlg.rItemType, 1));
    Retype(dlg.lItemLength, "0");
    QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(dlg.lItemLength, &popup);
    EXPECT_EQ(dlg.lItemLength->text(), "0");
    QFocusEvent tab(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(dlg.lItemLength, &tab);
    EXPECT_EQ(dlg.lItemLength->text(), "1");
}

TEST(ItemDialogPrefill, SplitsTextsIntoCodeLengthAndDescription) {
    TfmItemEdit dlg;
    struct Case {
        QByteArray text;
        int type;
        QString length;
        bool notFixed;
        QString desc;
    } cases[] = {
        {"A 10 MDLN", 1, "10", false, "MDLN"},
        {"U4 n Values", 10, "n", true, "Values"},
        {"BOOL 1", 3, "1", false, ""},
        {"L 2 Two words here", 0, "2", false, "Two words here"},
        {"XYZ 5 odd", 0, "5", false, "odd"}, // unknown code shows as a list
        {"a4 x y", 0, "0", false, "y"},      // codes are case-sensitive; a bad length is 0
        {"L", 0, "0", false, ""},            // no blank: the whole text is the length
        {"J8 007 z", 14, "7", false, "z"},
        {"I1 1234 big", 4, "1234", false, "big"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        dlg.cLengthNotFixed->setChecked(!c.notFixed); // the previous state must not matter
        dlg.prefill(c.text);
        EXPECT_EQ(dlg.itemTypeIndex(), c.type);
        EXPECT_EQ(dlg.lItemLength->text(), c.length);
        EXPECT_EQ(dlg.lItemLength->isEnabled(), !c.notFixed);
        EXPECT_EQ(dlg.cLengthNotFixed->isChecked(), c.notFixed);
        EXPECT_EQ(dlg.lItemDesc->text(), c.desc);
    }
}
