#include "MainWindowFixture.h"

#include "app/FindBar.h"
#include "app/StartupArguments.h"
#include "app/TextPane.h"
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>

namespace pravik::test {
namespace {

// Renders the main window with the example definitions open, a message
// selected and the text pane shown, to app-screenshot.png in the build folder.
TEST_F(MainWindowTest, ScreenshotWithTheExampleOpen) {
    const QString example = QStringLiteral(PRAVIK_EXAMPLES "/host.sml");
    prompter.answerOpen(example);
    w->show();
    w->action("FileLoad")->trigger();
    ASSERT_GT(w->document().topLevelCount(), 2);
    w->action("ToolViewTextSML")->trigger();
    SmlNode* message = top(1);
    w->selectNode(message);
    w->action("ItemFullExpand")->trigger();
    w->selectNode(message);
    QApplication::processEvents();

    const QImage shot = w->grab().toImage();
    const QString out = QStringLiteral(PRAVIK_BINARY_DIR "/app-screenshot.png");
    ASSERT_TRUE(shot.save(out));

    // The pane is black with white text, on the right half.
    const QRect pane = w->memo()->geometry().translated(w->centralWidget()->pos());
    EXPECT_GE(pane.width(), w->width() / 2 - 2);
    int black = 0, light = 0;
    for (int y = pane.top() + 4; y < pane.top() + 120; ++y)
        for (int x = pane.left() + 4; x < pane.left() + 200; ++x) {
            const int v = qGray(shot.pixel(x, y));
            black += v < 30;
            light += v > 120;
        }
    EXPECT_GT(black, light);
    EXPECT_GT(light, 40); // text was drawn
    EXPECT_EQ(w->statusPanelText(2), QString::fromUtf8(message->Text()));
}

// The window as `pravik examples/host.sml` starts it, to
// app-started-with-host.png in the build folder.
TEST_F(MainWindowTest, ScreenshotStartedWithTheExample) {
    const QString example = QStringLiteral(PRAVIK_EXAMPLES "/host.sml");
    w->show();
    OpenStartupFile(*w, ParseStartupArguments({"pravik", example}).file);
    QApplication::processEvents();
    const QImage shot = w->grab().toImage();
    ASSERT_TRUE(shot.save(QStringLiteral(PRAVIK_BINARY_DIR "/app-started-with-host.png")));
    EXPECT_EQ(w->windowTitle(), "Pravik for Zorv - " + QFileInfo(example).absoluteFilePath());
    EXPECT_GT(w->document().topLevelCount(), 2);
    EXPECT_NE(w->statusPanelText(0), "전체 메시지: 0개");
    EXPECT_FALSE(w->memoShown()); // as after Open: the pane stays as it was
}

} // namespace
} // namespace pravik::test

namespace pravik::test {
namespace {

// The Item menu after a delete (undo names it) and the find bar on the
// example, to screenshots/item-menu.png and screenshots/find-bar.png.
TEST_F(MainWindowTest, ScreenshotsOfTheItemMenuAndTheFindBar) {
    QDir().mkpath(QStringLiteral(PRAVIK_BINARY_DIR "/screenshots"));
    prompter.answerOpen(QStringLiteral(PRAVIK_EXAMPLES "/host.sml"));
    w->show();
    w->action("FileLoad")->trigger();
    w->selectNode(top(2));
    prompter.answerBox(Prompter::Answer::Yes);
    w->action("ItemDelete")->trigger();
    QMenu* items = w->mainMenuBar()->actions().at(1)->menu();
    items->popup(w->mapToGlobal(QPoint(40, 20)));
    QApplication::processEvents();
    const QImage menu = items->grab().toImage();
    items->hide();
    ASSERT_TRUE(menu.save(QStringLiteral(PRAVIK_BINARY_DIR "/screenshots/item-menu.png")));
    EXPECT_EQ(items->actions().at(0)->text(), "실행 취소: 삭제");

    w->action("ItemFind")->trigger();
    QTest::keyClicks(w->findBar()->field(), "mdln");
    w->FindNextExecute(false);
    QApplication::processEvents();
    ASSERT_NE(w->selectedNode(), nullptr);
    EXPECT_TRUE(w->selectedNode()->Text().contains("MDLN"));
    ASSERT_TRUE(
        w->grab().toImage().save(QStringLiteral(PRAVIK_BINARY_DIR "/screenshots/find-bar.png")));
}

} // namespace
} // namespace pravik::test
