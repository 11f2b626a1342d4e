#include "MainWindowFixture.h"

#include "app/TAboutBox.h"
#include "driverconfig/TfmConfig.h"
#include "gui/ActionCaption.h"

#include "app/TextPane.h"
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolBar>

namespace pravik::test {
namespace {

QStringList Entries(const QList<QAction*>& actions) {
    QStringList out;
    for (QAction* a : actions)
        out << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
    return out;
}

QStringList Split(const char* spaced) {
    return QString::fromLatin1(spaced).split(QLatin1Char(' '));
}

TEST_F(MainWindowTest, StartsEmptyWithOnlyTheStartCommandsEnabled) {
    EXPECT_EQ(enabledActions(),
              (std::set<QString>{"FileNew", "FileLoad", "FileExit", "ToolStayOnTop", "HelpWhatsNew",
                                 "HelpAbout", "HelpHelp"}));
    EXPECT_EQ(w->windowTitle(), "Pravik for Zorv");
    EXPECT_EQ(w->applicationTitle(), "Pravik for Zorv");
    EXPECT_TRUE(w->session().fileName().isEmpty());
    EXPECT_FALSE(w->isModified());
    EXPECT_EQ(w->document().topLevelCount(), 0);
    EXPECT_FALSE(w->memoShown());
    EXPECT_EQ(w->statusPanelText(0), "전체 메시지: 0개");
    EXPECT_EQ(w->statusPanelText(1), "전체 아이템: 0개");
    EXPECT_EQ(w->statusPanelText(2), "");
    EXPECT_EQ(w->size(), QSize(883, 640));
    EXPECT_TRUE(w->action("ToolStayOnTop")->isCheckable());
    EXPECT_FALSE(w->action("ToolStayOnTop")->isChecked());
    EXPECT_EQ(w->initialDir(), QCoreApplication::applicationDirPath());
    // The dialogs exist from the start, owned by the main window.
    ASSERT_NE(w->msgEdit(), nullptr);
    ASSERT_NE(w->itemEdit(), nullptr);
    ASSERT_NE(w->aboutBox(), nullptr);
    ASSERT_NE(w->config(), nullptr);
    EXPECT_EQ(w->aboutBox()->parent(), w.get());
}

TEST_F(MainWindowTest, CommandsCarryTheirCaptionsHintsAndShortcuts) {
    EXPECT_EQ(w->actionNames().size(), 32);
    EXPECT_EQ(w->action("FileImportSml")->text(), "공통 SML 가져오기...");
    EXPECT_EQ(w->action("FileExportSml")->text(), "공통 SML로 내보내기...");
    EXPECT_EQ(w->action("ToolPreview")->text(), "미리 보기");
    EXPECT_TRUE(w->action("ToolPreview")->isCheckable());
    EXPECT_FALSE(w->action("ToolPreview")->isChecked());
    EXPECT_EQ(w->action("ItemUndo")->text(), "실행 취소");
    EXPECT_EQ(w->action("ItemUndo")->toolTip(), "마지막 편집을 되돌립니다. (Ctrl + Z)");
    EXPECT_EQ(w->action("ItemUndo")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(w->action("ItemRedo")->text(), "다시 실행");
    EXPECT_EQ(w->action("ItemRedo")->toolTip(), "되돌린 편집을 다시 합니다. (Ctrl + Y)");
    EXPECT_EQ(w->action("ItemRedo")->shortcuts(),
              (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Y),
                                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}));
    EXPECT_EQ(w->action("ItemFind")->text(), "찾기...");
    EXPECT_EQ(w->action("ItemFind")->toolTip(), "아이템을 찾습니다. (Ctrl + F)");
    EXPECT_EQ(w->action("ItemFind")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
    EXPECT_EQ(w->action("FileNew")->text(), "새 파일");
    EXPECT_EQ(w->action("MakeCppFile")->text(), "C++소스만들기 (&C)");
    EXPECT_EQ(w->action("OptionConfig")->text(), "&Config...");
    EXPECT_EQ(w->action("ToolViewTextSML")->text(), "코드 보기");
    EXPECT_EQ(w->action("ToolProblems")->text(), "문제 목록");
    EXPECT_TRUE(w->action("ToolProblems")->isCheckable());
    EXPECT_EQ(w->action("ItemFullExpand")->toolTip(),
              "선택된 아이템의 모든 하위 아이템을  보여줍니다. (F11)");
    EXPECT_EQ(w->action("ItemFullExpand")->statusTip(),
              "선택된 아이템의 모든 하위 아이템을  보여줍니다. (F11)");
    EXPECT_EQ(w->action("FileSave")->toolTip(), "작업중인 파일을 저장합니다. (Ctrl + S)");
    EXPECT_EQ(w->action("ItemAdd")->shortcut(), QKeySequence(Qt::Key_Insert));
    EXPECT_EQ(w->action("ItemAddSub")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Insert));
    EXPECT_EQ(w->action("ItemDelete")->shortcut(), QKeySequence(Qt::Key_Delete));
    EXPECT_EQ(w->action("ItemFullCollapse")->shortcut(), QKeySequence(Qt::Key_F12));
    EXPECT_EQ(w->action("HelpAbout")->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_TRUE(w->action("FileSaveas")->shortcut().isEmpty());
    for (const char* name : {"FileNew",         "FileLoad",         "FileSave",     "OptionConfig",
                             "ToolViewTextSML", "ToolStructCheck",  "HelpAbout",    "ItemAdd",
                             "ItemAddSub",      "ItemMoveUp",       "ItemMoveDown", "ItemEdit",
                             "ItemCut",         "ItemCopy",         "ItemPaste",    "ItemDelete",
                             "ItemFullExpand",  "ItemFullCollapse", "ItemUndo",     "ItemRedo",
                             "ItemFind"})
        EXPECT_FALSE(w->action(name)->icon().isNull()) << name;
}

// Changes given up at the close query: the window goes while its document
// still reports them; nothing may reach the half-destroyed window (seen
// under valgrind and AddressSanitizer).
TEST_F(MainWindowTest, WindowGoesWithUnsavedChanges) {
    open("host.sml", kThreeMessages);
    addMessage("S2F1 P x");
    ASSERT_TRUE(w->isModified());
    w.reset();
    w = std::make_unique<TfmMain>(prompter); // for TearDown
}

TEST_F(MainWindowTest, AccessKeyRule) {
    EXPECT_EQ(QtCaption("종료&"), "종료");
    EXPECT_EQ(QtCaption("파일(&F)"), "파일(&F)");
    EXPECT_EQ(QtCaption("C++소스만들기 &(&C)"), "C++소스만들기 (&C)");
    EXPECT_EQ(QtCaption("A&&B&"), "A&&B");
}

TEST_F(MainWindowTest, MenusToolBarsAndContextMenuHoldTheCommandsInOrder) {
    const QList<QAction*> menus = w->mainMenuBar()->actions();
    ASSERT_EQ(menus.size(), 5);
    QStringList titles;
    for (QAction* m : menus)
        titles << m->text();
    EXPECT_EQ(titles,
              (QStringList{"파일(&F)", "아이템(&I)", "설정(&C)", "도구(&T)", "도움말(&H)"}));
    EXPECT_EQ(Entries(menus[0]->menu()->actions()),
              Split("FileNew FileLoad - FileSave FileSaveas - FileImportSml FileExportSml - "
                    "MakeCppFile - FileExit"));
    const QStringList items =
        Split("ItemAdd ItemAddSub - ItemMoveUp ItemMoveDown - ItemEdit ItemCut ItemCopy "
              "ItemPaste ItemDelete - ItemFullExpand ItemFullCollapse");
    // Undo and redo lead the Item menu and the item tool bar; find joins the menu.
    EXPECT_EQ(Entries(menus[1]->menu()->actions()),
              Split("ItemUndo ItemRedo - ItemAdd ItemAddSub - ItemMoveUp ItemMoveDown - ItemEdit "
                    "ItemCut ItemCopy ItemPaste ItemDelete - ItemFind - ItemFullExpand "
                    "ItemFullCollapse"));
    EXPECT_EQ(Entries(menus[2]->menu()->actions()), Split("OptionConfig"));
    EXPECT_EQ(Entries(menus[3]->menu()->actions()),
              Split("ToolViewTextSML ToolPreview ToolStructCheck ToolProblems ToolComm - "
                    "ToolStayOnTop"));
    EXPECT_EQ(Entries(menus[4]->menu()->actions()), Split("HelpHelp HelpWhatsNew HelpAbout"));
    EXPECT_EQ(Entries(w->toolBar1()->actions()),
              Split("FileNew FileLoad FileSave - OptionConfig - ToolViewTextSML ToolStructCheck - "
                    "HelpAbout"));
    EXPECT_EQ(Entries(w->toolBar2()->actions()), Split("ItemUndo ItemRedo -") + items);
    EXPECT_EQ(Entries(w->popupMenu()->actions()), items + Split("- FileLoad FileSave"));
    // One object everywhere: the menu entry is the tool bar's button.
    EXPECT_EQ(menus[0]->menu()->actions()[0], w->toolBar1()->actions()[0]);
}

TEST_F(MainWindowTest, ShortcutsOfDisabledCommandsDoNothingAndF1OpensTheAboutBox) {
    showAndFocus();
    QSignalSpy save(w->action("FileSave"), &QAction::triggered);
    QSignalSpy add(w->action("ItemAdd"), &QAction::triggered);
    QSignalSpy expand(w->action("ItemFullExpand"), &QAction::triggered);
    QTest::keyClick(w->tree(), Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(w->tree(), Qt::Key_Insert);
    QTest::keyClick(w->tree(), Qt::Key_F11);
    EXPECT_EQ(save.count() + add.count() + expand.count(), 0);
    EXPECT_TRUE(prompter.saveRequests.empty());

    QString product, version, button;
    bool isDefault = false;
    prompter.answerDialog([&](QDialog* d) {
        auto* box = qobject_cast<TAboutBox*>(d);
        EXPECT_NE(box, nullptr);
        if (box) {
            product = box->ProductName->text();
            version = box->Version->text();
            button = box->OKButton->text();
            isDefault = box->OKButton->isDefault();
            EXPECT_EQ(box->windowTitle(), "About");
            EXPECT_EQ(box->size(), QSize(309, 245));
        }
        return int(QDialog::Accepted);
    });
    QTest::keyClick(w->tree(), Qt::Key_F1);
    ASSERT_EQ(prompter.dialogsRun.size(), 1u);
    EXPECT_EQ(prompter.dialogsRun[0], w->aboutBox());
    EXPECT_EQ(product, "Pravik for Zorv");
    EXPECT_EQ(version, "버전: 3.10b");
    EXPECT_EQ(button, "확인");
    EXPECT_TRUE(isDefault);
}

TEST_F(MainWindowTest, HelpEntriesAndStayOnTop) {
    w->action("HelpWhatsNew")->trigger();
    ASSERT_EQ(prompter.shellOpened.size(), 1u);
    EXPECT_EQ(prompter.shellOpened[0], QCoreApplication::applicationDirPath() + "/Readme.txt");

    // The help opens the user's guide, found as the release notes are.
    w->action("HelpHelp")->trigger();
    ASSERT_EQ(prompter.shellOpened.size(), 2u);
    EXPECT_EQ(prompter.shellOpened[1], QCoreApplication::applicationDirPath() + "/README.md");

    w->action("ToolStayOnTop")->trigger();
    EXPECT_TRUE(w->action("ToolStayOnTop")->isChecked());
    EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
    w->action("ToolStayOnTop")->trigger();
    EXPECT_FALSE(w->windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST_F(MainWindowTest, ConfigurationOpensBesideTheDocument) {
    open("host.sml", kThreeMessages);
    ASSERT_TRUE(enabled("OptionConfig"));
    // An existing configuration, so that closing the dialog asks nothing.
    dir.write("host.cfg", "[CONNECTION]\r\nDeviceID=1\r\n");
    prompter.answerDialog([](QDialog*) { return int(QDialog::Rejected); });
    w->action("OptionConfig")->trigger();
    ASSERT_EQ(prompter.dialogsRun.size(), 1u);
    EXPECT_EQ(prompter.dialogsRun[0], static_cast<QDialog*>(w->config()));
    EXPECT_FALSE(dir.exists("host.cfg.bak"));
}

TEST_F(MainWindowTest, TextPaneTakesHalfTheWindowAsFarAsTheTreeKeepsItsWidth) {
    w->show();
    w->resize(1001, 700);
    QApplication::processEvents();
    const int frame = w->frameGeometry().width() - w->width(); // none offscreen
    EXPECT_FALSE(w->memo()->isVisibleTo(w.get()));
    w->action("FileNew")->trigger();
    w->action("ToolViewTextSML")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(w->memo()->width(), (1001 + frame) / 2);
    w->resize(700, 600);
    QApplication::processEvents();
    EXPECT_EQ(w->memo()->width(), (700 + frame) / 2);
    // Narrower still (as narrow as the bars let it be): the tree keeps its
    // 250 pixels, and the pane takes what is left, at most half.
    w->resize(400, 600);
    QApplication::processEvents();
    EXPECT_GE(w->tree()->width(), 250);
    EXPECT_LE(w->memo()->width(), w->frameGeometry().width() / 2);
    EXPECT_GE(w->memo()->width(), 120);
}

} // namespace
} // namespace pravik::test
