#include "MainWindowFixture.h"

#include "app/PreviewPane.h"
#include "app/TextPane.h"
#include "document/DocumentOperations.h"
#include "platform/FileSystem.h"

#include <QDockWidget>
#include <QSpinBox>
#include <QUndoStack>

namespace pravik::test {
namespace {

class PreviewTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        prompter.answerOpen(QStringLiteral(PRAVIK_EXAMPLES "/host.sml"));
        w->action("FileLoad")->trigger();
        pane = w->previewPane();
    }
    // The message whose text begins with head, and its node at a path of rows.
    SmlNode* node(const char* head, std::initializer_list<int> rows = {}) const {
        for (int i = 0; i < w->document().topLevelCount(); ++i) {
            SmlNode* n = top(i);
            if (!n->Text().startsWith(QByteArray(head) + ' '))
                continue;
            for (int r : rows)
                n = n->child(r);
            return n;
        }
        ADD_FAILURE() << "no message " << head;
        return nullptr;
    }
    void showPane() {
        w->show();
        w->action("ToolPreview")->trigger();
        ASSERT_TRUE(pane->isVisible());
    }
    QString smlText() const { return pane->smlView()->toPlainText(); }
    QString bytesText() const { return pane->bytesView()->toPlainText(); }
    // The highlighted texts of a view.
    static QStringList Marked(const TextPane* view) {
        QStringList out;
        for (const auto& [from, to] : view->highlights())
            out << view->toPlainText().mid(from, to - from);
        return out;
    }

    PreviewPane* pane = nullptr;
};

TEST_F(PreviewTest, ShowsTheSelectedMessageAndMarksTheSelectedNode) {
    EXPECT_FALSE(pane->isVisible());
    EXPECT_TRUE(w->action("ToolPreview")->isEnabled());
    showPane();
    EXPECT_TRUE(w->action("ToolPreview")->isChecked());
    // CEID: the second U4 of S6F11's report.
    w->selectNode(node("S6F11", {0, 1}));
    pane->refreshNow();
    EXPECT_EQ(pane->sizeText(), "S6F11 전체 크기: 68 바이트");
    EXPECT_TRUE(smlText().startsWith("S6F11 W /* Event Report Send */\n<L [3] /* Report */\n"));
    EXPECT_TRUE(bytesText().startsWith(
        "00000000  01 03 b1 04 00 00 00 00 b1 04 00 00 00 00 01 01  ................\n"));
    EXPECT_EQ(Marked(pane->smlView()), QStringList{"<U4 [1] 0>"});
    // Bytes 8 to 13: their hex pairs and their characters.
    EXPECT_EQ(Marked(pane->bytesView()), (QStringList{"b1 04 00 00 00 00", "......"}));

    // Another node of the same message: only the marks move.
    w->selectNode(node("S6F11", {0, 2, 0, 1, 0}));
    EXPECT_FALSE(pane->refreshPending());
    EXPECT_EQ(Marked(pane->smlView()),
              QStringList{"<A [40] \"VALUE                                   \">"});
    EXPECT_EQ(Marked(pane->bytesView()),
              (QStringList{"41 28 56 41 4c 55", "A(VALU",
                           "45 20 20 20 20 20 20 20 20 20 20 20 "
                           "20 20 20 20",
                           "E               ", "20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20",
                           "                ", "20 20 20 20", "    "}));
    // The message itself: its header line and its whole body.
    w->selectNode(node("S6F11"));
    EXPECT_EQ(Marked(pane->smlView()), QStringList{"S6F11 W /* Event Report Send */"});
    EXPECT_EQ(pane->bytesView()->highlights().size(), 10u);

    // A message without a body, then none at all.
    w->selectNode(node("S1F1"));
    pane->refreshNow();
    EXPECT_EQ(smlText(), "S1F1 W /* Are You There */\n.\n");
    EXPECT_EQ(bytesText(), "");
    EXPECT_EQ(pane->sizeText(), "S1F1 전체 크기: 0 바이트");
    w->selectNode(nullptr);
    pane->refreshNow();
    EXPECT_EQ(smlText(), "");
    EXPECT_EQ(pane->sizeText(), "선택된 메시지가 없습니다");
}

TEST_F(PreviewTest, FollowsEveryEditUndoAndTheCount) {
    showPane();
    SmlNode* dataid = node("S6F11", {0, 0});
    w->selectNode(dataid);
    pane->refreshNow();
    // An edit, gathered and shown without being asked.
    Edit(w->document(), [&](DocumentEditor& ed) { ed.setText(dataid, "U4 3 DATAID"); });
    EXPECT_TRUE(pane->refreshPending());
    for (int i = 0; i < 100 && pane->refreshPending(); ++i)
        QTest::qWait(10);
    EXPECT_EQ(pane->sizeText(), "S6F11 전체 크기: 76 바이트");
    EXPECT_EQ(Marked(pane->smlView()), QStringList{"<U4 [3] 0 0 0>"});
    w->action("ItemUndo")->trigger();
    w->selectNode(dataid);
    pane->refreshNow();
    EXPECT_EQ(pane->sizeText(), "S6F11 전체 크기: 68 바이트");
    // Two elements in every "n" list.
    pane->countBox()->setValue(2);
    pane->refreshNow();
    EXPECT_EQ(pane->sizeText(),
              QStringLiteral("S6F11 전체 크기: %1 바이트").arg(16 + 2 * (10 + 2 * 42)));
    w->selectNode(node("S6F11", {0, 2, 0, 1, 0}));
    EXPECT_EQ(pane->smlView()->highlights().size(), 4u);
    pane->countBox()->setValue(1);

    // The shown message deleted: nothing dangles.
    SmlNode* message = node("S6F11");
    w->selectNode(message->child(0));
    pane->refreshNow();
    Edit(w->document(), [&](DocumentEditor& ed) { ed.removeNode(message); });
    pane->refreshNow();
    EXPECT_NE(pane->shownMessage(), message);
    // A whole new file.
    prompter.answerBox(Prompter::Answer::No);
    open("other.sml", kThreeMessages);
    pane->refreshNow();
    EXPECT_EQ(pane->shownMessage(), nullptr);
}

TEST_F(PreviewTest, ShowsWhatIsWrongInsteadOfBytes) {
    showPane();
    SmlNode* value = node("S6F11", {0, 2, 0, 1, 0});
    Edit(w->document(), [&](DocumentEditor& ed) { ed.setText(value, "A n VALUE"); });
    w->selectNode(value);
    pane->refreshNow();
    EXPECT_EQ(pane->sizeText(), "S6F11 인코딩할 수 없음");
    EXPECT_EQ(bytesText(), "인코딩할 수 없습니다:\n"
                           "  A n VALUE (줄 214): 길이가 정해지지 않은 아이템(n)은 인코딩할 수 "
                           "없습니다");
    EXPECT_TRUE(pane->smlView()->highlights().empty());
}

TEST_F(PreviewTest, HiddenItComputesNothingAndItsCloseButtonUnchecksTheCommand) {
    w->show();
    w->selectNode(node("S6F11"));
    QApplication::processEvents();
    EXPECT_TRUE(pane->preview().key.isEmpty());
    w->action("ToolPreview")->trigger();
    for (int i = 0; i < 100 && pane->refreshPending(); ++i)
        QTest::qWait(10);
    EXPECT_EQ(pane->preview().key, "S6F11");
    pane->close();
    EXPECT_FALSE(w->action("ToolPreview")->isChecked());
    w->action("ToolPreview")->trigger();
    EXPECT_TRUE(pane->isVisible());
    w->action("ToolPreview")->trigger();
    EXPECT_FALSE(pane->isVisible());
}

// The pane on S6F11 with one item selected, to build/screenshots/preview.png
// (the whole window) and preview-pane.png (the pane alone).
TEST_F(PreviewTest, Screenshot) {
    w->resize(1200, 720);
    showPane();
    w->selectNode(node("S6F11"));
    w->action("ItemFullExpand")->trigger();
    w->selectNode(node("S6F11", {0, 2, 0, 0}));
    pane->refreshNow();
    QApplication::processEvents();
    QDir().mkpath(QStringLiteral(PRAVIK_BINARY_DIR "/screenshots"));
    const QImage window = w->grab().toImage();
    ASSERT_TRUE(window.save(QStringLiteral(PRAVIK_BINARY_DIR "/screenshots/preview.png")));
    const QImage shot = pane->grab().toImage();
    ASSERT_TRUE(shot.save(QStringLiteral(PRAVIK_BINARY_DIR "/screenshots/preview-pane.png")));
    EXPECT_GE(pane->width(), 300);
    // Both views show the mark's colour.
    for (const TextPane* view : {pane->smlView(), pane->bytesView()}) {
        const QImage image = view->viewport()->grab().toImage();
        int marked = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                marked += image.pixelColor(x, y) == QColor(255, 226, 110);
        EXPECT_GT(marked, 100) << view->objectName().toStdString();
    }
}

} // namespace
} // namespace pravik::test
