#include "app/MainBars.h"

#include "editing/ItemCommands.h"
#include "gui/ActionCaption.h"

#include <QAction>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <initializer_list>

namespace pravik {

namespace {

// Fills a menu or tool bar; nullptr stands for a separator.
template <typename Target> void Fill(Target* target, std::initializer_list<QAction*> actions) {
    for (QAction* a : actions) {
        if (a)
            target->addAction(a);
        else
            target->addSeparator();
    }
}

QMenuBar* BuildMenuBar(QWidget* parent, const WindowActions& a, const ItemCommands& i) {
    auto* bar = new QMenuBar(parent);
    bar->setObjectName(QStringLiteral("ActionMainMenuBar1"));
    QFont menuFont = bar->font();
    menuFont.setFamilies(
        {QStringLiteral("굴림"), QStringLiteral("Gulim"), QStringLiteral("NanumGothic")});
    menuFont.setPointSize(9);
    bar->setFont(menuFont);
    Fill(bar->addMenu(QStringLiteral("파일(&F)")),
         {a.FileNew, a.FileLoad, nullptr, a.FileSave, a.FileSaveas, nullptr, a.FileImportSml,
          a.FileExportSml, nullptr, a.MakeCppFile, nullptr, a.FileExit});
    Fill(bar->addMenu(QStringLiteral("아이템(&I)")),
         {i.ItemUndo(), i.ItemRedo(), nullptr, i.ItemAdd(), i.ItemAddSub(), nullptr, i.ItemMoveUp(),
          i.ItemMoveDown(), nullptr, i.ItemEdit(), i.ItemCut(), i.ItemCopy(), i.ItemPaste(),
          i.ItemDelete(), nullptr, i.ItemFind(), nullptr, i.ItemFullExpand(),
          i.ItemFullCollapse()});
    Fill(bar->addMenu(QStringLiteral("설정(&C)")), {a.OptionConfig});
    Fill(bar->addMenu(QStringLiteral("도구(&T)")),
         {a.ToolViewTextSML, a.ToolPreview, a.ToolStructCheck, a.ToolProblems, a.ToolComm, nullptr,
          a.ToolStayOnTop});
    Fill(bar->addMenu(QStringLiteral("도움말(&H)")), {a.HelpHelp, a.HelpWhatsNew, a.HelpAbout});
    return bar;
}

QToolBar* NewToolBar(QWidget* parent, const char* name) {
    auto* tools = new QToolBar(parent);
    tools->setObjectName(QLatin1String(name));
    tools->setIconSize(QSize(16, 16));
    tools->setToolButtonStyle(Qt::ToolButtonIconOnly);
    tools->setMovable(false);
    tools->setFloatable(false);
    return tools;
}

QAction* Make(QObject* owner, const char* name, const char* category, const QString& caption,
              const QString& hint, const QKeySequence& shortcut, const char* icon) {
    auto* a = new QAction(QtCaption(caption), owner);
    a->setObjectName(QString::fromLatin1(name));
    a->setProperty("category", QString::fromLatin1(category));
    if (!hint.isEmpty()) {
        a->setToolTip(hint);
        a->setStatusTip(hint);
    }
    a->setShortcut(shortcut);
    if (icon)
        a->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(icon))));
    a->setEnabled(false); // the window's updateActions() decides
    return a;
}

} // namespace

WindowActions MakeWindowActions(QObject* owner) {
    using K = QKeySequence;
    WindowActions a;
    a.FileNew = Make(owner, "FileNew", "File", "새 파일&", "새로운 파일을 만듭니다. (Ctrl + N)",
                     K(Qt::CTRL | Qt::Key_N), "file-new");
    a.FileLoad = Make(owner, "FileLoad", "File", "불러오기...&", "작업할 파일을 엽니다. (Ctrl + O)",
                      K(Qt::CTRL | Qt::Key_O), "file-open");
    a.FileSave = Make(owner, "FileSave", "File", "저장&", "작업중인 파일을 저장합니다. (Ctrl + S)",
                      K(Qt::CTRL | Qt::Key_S), "file-save");
    a.FileSaveas = Make(owner, "FileSaveas", "File", "다른 이름으로 저장...&",
                        "다른 이름으로 저장합니다.", K(), nullptr);
    a.FileImportSml = Make(owner, "FileImportSml", "File", "공통 SML 가져오기...&",
                           "공통 SML 파일의 메시지를 정의로 가져옵니다.", K(), nullptr);
    a.FileExportSml = Make(owner, "FileExportSml", "File", "공통 SML로 내보내기...&",
                           "모든 메시지를 예제로 만들어 공통 SML 파일에 씁니다.", K(), nullptr);
    // The menu's own caption; the command appears nowhere else.
    a.MakeCppFile = Make(owner, "MakeCppFile", "File", "C++소스만들기 &(&C)", {}, K(), nullptr);
    a.FileExit = Make(owner, "FileExit", "File", "종료&", "프로그램을 종료합니다.", K(), nullptr);
    a.OptionConfig = Make(owner, "OptionConfig", "Option", "&Config...", {}, K(), "option-config");
    a.ToolViewTextSML = Make(owner, "ToolViewTextSML", "Tool", "코드 보기&",
                             "Text형태의 SML을 보여주거나 갑춥니다.", K(), "tool-viewtext");
    a.ToolPreview =
        Make(owner, "ToolPreview", "Tool", "미리 보기&",
             "선택된 메시지의 예제와 SECS-II 바이트를 보여주거나 감춥니다.", K(), nullptr);
    a.ToolStructCheck = Make(owner, "ToolStructCheck", "Tool", "구조 확인&",
                             "SML구조가 정확한지 확인합니다.", K(), "tool-structcheck");
    a.ToolProblems =
        Make(owner, "ToolProblems", "Tool", "문제 목록&",
             "생성될 C++ 코드를 막는 문제의 목록을 보여주거나 감춥니다.", K(), nullptr);
    a.ToolStayOnTop = Make(owner, "ToolStayOnTop", "Tool", "항상 위에 표시&", {}, K(), nullptr);
    a.HelpHelp =
        Make(owner, "HelpHelp", "Help", "도움말...&", "도움말을 보여줍니다.", K(), nullptr);
    a.HelpWhatsNew = Make(owner, "HelpWhatsNew", "Help", "새로워진 것들...&", {}, K(), nullptr);
    a.HelpAbout =
        Make(owner, "HelpAbout", "Help", "정보...&", "이 프", K(Qt::Key_F1), "help-about");
    for (QAction* checkable : {a.ToolPreview, a.ToolProblems, a.ToolStayOnTop})
        checkable->setCheckable(true);
    return a;
}

MainBars BuildMainBars(QWidget* window, const WindowActions& a, const ItemCommands& i) {
    MainBars bars;
    bars.CoolBar1 = new QWidget(window);
    bars.CoolBar1->setObjectName(QStringLiteral("CoolBar1"));
    auto* bands = new QVBoxLayout(bars.CoolBar1);
    bands->setContentsMargins(0, 0, 0, 0);
    bands->setSpacing(0);
    bars.ActionMainMenuBar1 = BuildMenuBar(bars.CoolBar1, a, i);
    bands->addWidget(bars.ActionMainMenuBar1);

    bars.ActionToolBar1 = NewToolBar(bars.CoolBar1, "ActionToolBar1");
    Fill(bars.ActionToolBar1, {a.FileNew, a.FileLoad, a.FileSave, nullptr, a.OptionConfig, nullptr,
                               a.ToolViewTextSML, a.ToolStructCheck, nullptr, a.HelpAbout});
    bars.ActionToolBar2 = NewToolBar(bars.CoolBar1, "ActionToolBar2");
    Fill(bars.ActionToolBar2,
         {i.ItemUndo(), i.ItemRedo(), nullptr, i.ItemAdd(), i.ItemAddSub(), nullptr, i.ItemMoveUp(),
          i.ItemMoveDown(), nullptr, i.ItemEdit(), i.ItemCut(), i.ItemCopy(), i.ItemPaste(),
          i.ItemDelete(), nullptr, i.ItemFullExpand(), i.ItemFullCollapse()});
    auto* toolRow = new QHBoxLayout;
    toolRow->setSpacing(0);
    toolRow->addWidget(bars.ActionToolBar1);
    toolRow->addWidget(bars.ActionToolBar2);
    toolRow->addStretch(1);
    bands->addLayout(toolRow);

    bars.PopupMenu1 = new QMenu(window);
    bars.PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Fill(bars.PopupMenu1,
         {i.ItemAdd(), i.ItemAddSub(), nullptr, i.ItemMoveUp(), i.ItemMoveDown(), nullptr,
          i.ItemEdit(), i.ItemCut(), i.ItemCopy(), i.ItemPaste(), i.ItemDelete(), nullptr,
          i.ItemFullExpand(), i.ItemFullCollapse(), nullptr, a.FileLoad, a.FileSave});
    return bars;
}

} // namespace pravik
