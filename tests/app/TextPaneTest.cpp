#include "app/TextPane.h"

#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace pravik::test {
namespace {

TEST(TextPane, IndexesLinesAndPositionsLikeATextCursor) {
    TextPane pane;
    pane.setPlainText("ab\n\ncdef\n");
    EXPECT_EQ(pane.lineCount(), 4); // the last, empty line after the final line end counts
    EXPECT_EQ(pane.lineOf(0), 0);
    EXPECT_EQ(pane.lineOf(2), 0); // the line end belongs to its line
    EXPECT_EQ(pane.lineOf(3), 1);
    EXPECT_EQ(pane.lineOf(4), 2);
    EXPECT_EQ(pane.lineOf(9), 3);
    pane.setCaretPosition(100);
    EXPECT_EQ(pane.caretPosition(), 9); // clamped to the end
    pane.setCaretPosition(-3);
    EXPECT_EQ(pane.caretPosition(), 0);

    pane.setPlainText("");
    EXPECT_EQ(pane.lineCount(), 1);
    EXPECT_EQ(pane.caretPosition(), 0);
}

TEST(TextPane, KeysMoveTheCaretAndShiftSelectsForCopy) {
    TextPane pane;
    pane.resize(300, 200);
    pane.setPlainText("abcdef\nxy\nlonger line\n");
    pane.setCaretPosition(4); // "ab cd|ef"
    QTest::keyClick(&pane, Qt::Key_Down);
    EXPECT_EQ(pane.caretPosition(), 9); // end of the short line "xy"
    QTest::keyClick(&pane, Qt::Key_Down);
    EXPECT_EQ(pane.caretPosition(), 12); // column 2 of "longer line"
    QTest::keyClick(&pane, Qt::Key_Home);
    EXPECT_EQ(pane.caretPosition(), 10);
    QTest::keyClick(&pane, Qt::Key_End, Qt::ShiftModifier);
    EXPECT_TRUE(pane.hasSelection());
    EXPECT_EQ(pane.selectedText(), "longer line");
    QTest::keyClick(&pane, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "longer line");
    QTest::keyClick(&pane, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(pane.caretPosition(), 0);
    EXPECT_FALSE(pane.hasSelection());
    // Typing changes nothing: the pane is read-only, Enter included.
    QTest::keyClick(&pane, Qt::Key_Return);
    QTest::keyClicks(&pane, "zz");
    EXPECT_EQ(pane.toPlainText(), "abcdef\nxy\nlonger line\n");
}

TEST(TextPane, CaretFarDownScrollsIntoViewAndAClickPlacesIt) {
    TextPane pane;
    pane.resize(300, 200);
    pane.show();
    QString text;
    for (int i = 0; i < 5000; ++i)
        text += QStringLiteral("line %1\n").arg(i, 4, 10, QLatin1Char('0'));
    pane.setPlainText(text);
    const qsizetype pos = text.indexOf("line 4321");
    pane.setCaretPosition(pos);
    pane.ensureCaretVisible();
    const qsizetype first = pane.firstVisibleLine();
    EXPECT_LE(first, 4321);
    EXPECT_GT(first, 4321 - 20);

    // A click at the left edge of the top visible line puts the caret there.
    QTest::mouseClick(pane.viewport(), Qt::LeftButton, {}, QPoint(1, 6));
    EXPECT_EQ(pane.caretPosition(), first * 10);
}

} // namespace
} // namespace pravik::test
