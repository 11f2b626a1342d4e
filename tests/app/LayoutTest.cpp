// The window's layout with every pane shown: the tree keeps a width its
// texts can be read in, and opening the find bar never resizes the window.
#include "MainWindowFixture.h"

#include "app/CommPane.h"
#include "app/FindBar.h"
#include "app/PreviewPane.h"
#include "app/ProblemsPane.h"

#include <QDir>
#include <QLineEdit>

namespace pravik::test {
namespace {

constexpr int kTreeWidth = 250;

class LayoutTest : public MainWindowTest {
protected:
    // pravik examples/host.sml at the default size.
    void openExample() {
        prompter.answerOpen(QStringLiteral(PRAVIK_EXAMPLES "/host.sml"));
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        w->action("FileLoad")->trigger();
        settle();
    }
    static void settle() {
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
    }
    void shoot(const char* name) {
        QDir().mkpath(QStringLiteral(PRAVIK_BINARY_DIR "/screenshots"));
        ASSERT_TRUE(w->grab().save(QStringLiteral(PRAVIK_BINARY_DIR "/screenshots/") +
                                   QLatin1String(name)));
    }
    int fieldCharacters() const {
        QLineEdit* field = w->findBar()->field();
        return field->width() / field->fontMetrics().horizontalAdvance(QLatin1Char('x'));
    }
};

TEST_F(LayoutTest, TheTreeKeepsItsWidthWhateverPanesAreShown) {
    openExample();
    const QSize size = w->size();
    const std::vector<const char*> panes = {"ToolViewTextSML", "ToolPreview", "ToolProblems",
                                            "ToolComm"};
    for (const char* pane : panes) {
        SCOPED_TRACE(pane);
        w->action(pane)->trigger();
        settle();
        EXPECT_GE(w->tree()->width(), kTreeWidth);
        EXPECT_EQ(w->size(), size); // the panes share the window, it does not grow
    }
    EXPECT_TRUE(w->memo()->isVisible());
    EXPECT_TRUE(w->previewPane()->isVisible());
    EXPECT_GT(w->memo()->width(), 100);
    EXPECT_TRUE(w->commPane()->isVisible());
    // The problems wait behind the communication pane, still checked.
    EXPECT_TRUE(w->action("ToolProblems")->isChecked());
    EXPECT_TRUE(w->action("ToolComm")->isChecked());
    EXPECT_GE(w->tree()->height(), 100); // the bottom panes leave the tree some rows
    shoot("all-panes.png");

    // Narrower: the tree still keeps its width; the text pane gives way.
    w->resize(700, size.height());
    settle();
    EXPECT_GE(w->tree()->width(), kTreeWidth);
}

TEST_F(LayoutTest, TheFindBarNeverResizesTheWindow) {
    openExample();
    w->action("ToolViewTextSML")->trigger();
    w->action("ToolPreview")->trigger();
    settle();
    const QSize size = w->size();
    w->action("ItemFind")->trigger();
    settle();
    EXPECT_TRUE(w->findBar()->isVisible());
    EXPECT_EQ(w->size(), size);
    EXPECT_GE(fieldCharacters(), 20);
    // Nothing of the bar is cut off.
    EXPECT_LE(w->findBar()->minimumSizeHint().width(), w->findBar()->width());
    EXPECT_GE(w->tree()->width(), kTreeWidth);
    shoot("find-bar.png");
    QTest::keyClick(w->findBar()->field(), Qt::Key_Escape);
    settle();
    EXPECT_FALSE(w->findBar()->isVisible());
    EXPECT_EQ(w->size(), size);
}

} // namespace
} // namespace pravik::test
