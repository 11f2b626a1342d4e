#include "app/MainBars.h"

#include "editing/ItemCommands.h"

#include <QHBoxLayout>
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

} // namespace

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
