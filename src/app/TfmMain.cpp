#include "app/TfmMain.h"

#include "app/CommonSmlCommands.h"
#include "app/FindBar.h"
#include "app/NodeDelegate.h"
#include "app/PreviewPane.h"
#include "app/ProblemsPane.h"
#include "app/ReleaseNotes.h"
#include "app/SmlTreeView.h"
#include "app/TAboutBox.h"
#include "app/TextPane.h"
#include "codegen/MakeCppFile.h"
#include "document/DocumentEdit.h"
#include "document/NodeSearch.h"
#include "document/SmlDocument.h"
#include "driverconfig/TfmConfig.h"
#include "editing/ItemCommands.h"
#include "editing/TfmItemEdit.h"
#include "editing/TfmMsgEdit.h"
#include "gui/GuiPrompter.h"
#include "platform/AnsiText.h"
#include "platform/FileSystem.h"
#include "platform/PlatformError.h"
#include "sml/SmlReader.h"
#include "sml/SmlWriter.h"
#include "sml/StructureCheck.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QUndoStack>
#include <QVBoxLayout>

// Resources of a static library are registered by name, outside any namespace.
static void InitAppResources() {
    Q_INIT_RESOURCE(app);
}

namespace pravik {

const QString TfmMain::kUntitledName = QStringLiteral("NoName.sml");
const QString TfmMain::kFileFilter = QStringLiteral("SML File|*.sml|Text File|*.txt|All File|*.*");

namespace {

// Text bytes as the pane shows them: cut where the reader cuts lines (CR, LF,
// CR LF; a NUL ends the text), one '\n' after every line.
QString PaneLines(const QByteArray& bytes) {
    const qsizetype nul = bytes.indexOf('\0');
    QByteArray text = nul >= 0 ? bytes.left(nul) : bytes;
    if (text.contains('\r')) {
        text.replace("\r\n", "\n");
        text.replace('\r', '\n');
    }
    if (!text.isEmpty() && !text.endsWith('\n'))
        text.append('\n');
    return AnsiText::Decode(text);
}

QString FileNamePart(const QString& path) {
    const qsizetype slash =
        std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(slash + 1);
}

} // namespace

TfmMain::TfmMain(GuiPrompter& prompter, QWidget* parent)
    : QMainWindow(parent), m_prompter(prompter) {
    InitAppResources();
    setObjectName(QStringLiteral("fmMain"));
    m_doc = new SmlDocument(this);
    connect(m_doc, &SmlDocument::modifiedChanged, this, &TfmMain::UpdateCaption);
    QUndoStack* undo = m_doc->undoStack();
    for (auto signal : {&QUndoStack::canUndoChanged, &QUndoStack::canRedoChanged})
        connect(undo, signal, this, &TfmMain::updateActions);
    for (auto signal : {&QUndoStack::undoTextChanged, &QUndoStack::redoTextChanged})
        connect(undo, signal, this, &TfmMain::updateActions);

    createActions();
    createControls();
    createMenusAndBars();
    FormCreate();
    createDialogs();
}

TfmMain::~TfmMain() {
    // Children go one by one; the tree must not report focus or selection
    // changes to a window whose actions are already gone.
    TreeView1->disconnect(this);
    TreeView1->selectionModel()->disconnect(this);
    // Nor the document, whose undo stack, cleared as it goes, reports a
    // change of Modified when the window closes with unsaved changes.
    m_doc->disconnect(this);
    m_doc->undoStack()->disconnect(this);
    // Nor the docks, hidden as the window goes.
    m_problems->disconnect(this);
    m_preview->disconnect(this);
}

// --- construction -----------------------------------------------------------

QAction* TfmMain::addCommand(const QString& name, const QString& category, const QString& caption,
                             const QString& hint, const QKeySequence& shortcut, const QString& icon,
                             void (TfmMain::*handler)()) {
    auto* a = new QAction(QtCaption(caption), this);
    a->setObjectName(name);
    a->setProperty("category", category);
    if (!hint.isEmpty()) {
        a->setToolTip(hint);
        a->setStatusTip(hint);
    }
    if (!shortcut.isEmpty())
        a->setShortcut(shortcut);
    if (!icon.isEmpty())
        a->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(icon)));
    a->setEnabled(false); // updateActions() decides
    if (handler)
        connect(a, &QAction::triggered, this,
                [this, handler] { runCommand([this, handler] { (this->*handler)(); }); });
    addAction(a); // shortcuts work wherever the focus is in this window
    m_actions.insert(name, a);
    m_actionOrder << name;
    return a;
}

void TfmMain::createActions() {
    using K = QKeySequence;
    const QString file = QStringLiteral("File"), items = QStringLiteral("Items");
    FileNew = addCommand("FileNew", file, "새 파일&", "새로운 파일을 만듭니다. (Ctrl + N)",
                         K(Qt::CTRL | Qt::Key_N), "file-new", &TfmMain::FileNewExecute);
    FileLoad = addCommand("FileLoad", file, "불러오기...&", "작업할 파일을 엽니다. (Ctrl + O)",
                          K(Qt::CTRL | Qt::Key_O), "file-open", &TfmMain::FileLoadExecute);
    FileSave = addCommand("FileSave", file, "저장&", "작업중인 파일을 저장합니다. (Ctrl + S)",
                          K(Qt::CTRL | Qt::Key_S), "file-save", &TfmMain::FileSaveExecute);
    FileSaveas = addCommand("FileSaveas", file, "다른 이름으로 저장...&",
                            "다른 이름으로 저장합니다.", K(), {}, &TfmMain::FileSaveasExecute);
    FileImportSml = addCommand("FileImportSml", file, "공통 SML 가져오기...&",
                               "공통 SML 파일의 메시지를 정의로 가져옵니다.", K(), {},
                               &TfmMain::FileImportSmlExecute);
    FileExportSml = addCommand("FileExportSml", file, "공통 SML로 내보내기...&",
                               "모든 메시지를 예제로 만들어 공통 SML 파일에 씁니다.", K(), {},
                               &TfmMain::FileExportSmlExecute);
    // The menu's own caption; the command appears nowhere else.
    MakeCppFile = addCommand("MakeCppFile", file, "C++소스만들기 &(&C)", {}, K(), {},
                             &TfmMain::MakeCppFileExecute);
    FileExit = addCommand("FileExit", file, "종료&", "프로그램을 종료합니다.", K(), {},
                          &TfmMain::FileExitExecute);

    ItemUndo = addCommand("ItemUndo", items, "실행 취소&", "마지막 편집을 되돌립니다. (Ctrl + Z)",
                          K(Qt::CTRL | Qt::Key_Z), "item-undo", &TfmMain::ItemUndoExecute);
    ItemRedo = addCommand("ItemRedo", items, "다시 실행&", "되돌린 편집을 다시 합니다. (Ctrl + Y)",
                          K(Qt::CTRL | Qt::Key_Y), "item-redo", &TfmMain::ItemRedoExecute);
    ItemRedo->setShortcuts({K(Qt::CTRL | Qt::Key_Y), K(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    // The editing commands live in ItemCommands; connected in createDialogs.
    ItemAdd = addCommand("ItemAdd", items, "추가...&", "새로운 아이템을 추가합니다. (Ins)",
                         K(Qt::Key_Insert), "item-add", nullptr);
    ItemAddSub = addCommand("ItemAddSub", items, "하위 추가...&",
                            "새로운 하위 아이템을 추가합니다. (Ctrl + Ins)",
                            K(Qt::CTRL | Qt::Key_Insert), "item-addsub", nullptr);
    ItemMoveUp =
        addCommand("ItemMoveUp", items, "위로 이동&", "선택된 아이템을 위로 올립니다. (Ctrl + U)",
                   K(Qt::CTRL | Qt::Key_U), "item-moveup", nullptr);
    ItemMoveDown = addCommand("ItemMoveDown", items, "아래로 이동&",
                              "선택된 아이템을 아래로 내립니다. (Ctrl + D)",
                              K(Qt::CTRL | Qt::Key_D), "item-movedown", nullptr);
    ItemEdit = addCommand("ItemEdit", items, "수정...&", "선택된 아이템을 편집합니다. (Ctrl + E)",
                          K(Qt::CTRL | Qt::Key_E), "item-edit", nullptr);
    ItemCut = addCommand("ItemCut", items, "잘라내기&", "선택된 아이템을 잘라냅니다. (Ctrl + X)",
                         K(Qt::CTRL | Qt::Key_X), "item-cut", nullptr);
    ItemCopy = addCommand("ItemCopy", items, "복사&", "선택된 아이템을 복사합니다. (Ctrl + C)",
                          K(Qt::CTRL | Qt::Key_C), "item-copy", nullptr);
    ItemPaste =
        addCommand("ItemPaste", items, "붙이기&", "복사나 잘라내기한 아이템을 붙입니다. (Ctrl + V)",
                   K(Qt::CTRL | Qt::Key_V), "item-paste", nullptr);
    ItemDelete = addCommand("ItemDelete", items, "삭제&", "선택된 아이템을 지웁니다. (Del)",
                            K(Qt::Key_Delete), "item-delete", nullptr);
    ItemFullExpand = addCommand("ItemFullExpand", items, "하위 확장&",
                                "선택된 아이템의 모든 하위 아이템을  보여줍니다. (F11)",
                                K(Qt::Key_F11), "item-fullexpand", &TfmMain::ItemFullExpandExecute);
    ItemFullCollapse =
        addCommand("ItemFullCollapse", items, "하위 숨김&",
                   "선택된 아이템의 모든 하위 아이템을 숨깁니다. (F12)", K(Qt::Key_F12),
                   "item-fullcollapse", &TfmMain::ItemFullCollapseExecute);
    ItemFind = addCommand("ItemFind", items, "찾기...&", "아이템을 찾습니다. (Ctrl + F)",
                          K(Qt::CTRL | Qt::Key_F), "item-find", &TfmMain::ItemFindExecute);

    OptionConfig = addCommand("OptionConfig", "Option", "&Config...", {}, K(), "option-config",
                              &TfmMain::OptionConfigExecute);

    const QString tool = QStringLiteral("Tool");
    ToolViewTextSML =
        addCommand("ToolViewTextSML", tool, "코드 보기&", "Text형태의 SML을 보여주거나 갑춥니다.",
                   K(), "tool-viewtext", &TfmMain::ToolViewTextSMLExecute);
    ToolPreview = addCommand("ToolPreview", tool, "미리 보기&",
                             "선택된 메시지의 예제와 SECS-II 바이트를 보여주거나 감춥니다.", K(),
                             {}, &TfmMain::ToolPreviewExecute);
    ToolPreview->setCheckable(true);
    ToolStructCheck =
        addCommand("ToolStructCheck", tool, "구조 확인&", "SML구조가 정확한지 확인합니다.", K(),
                   "tool-structcheck", &TfmMain::ToolStructCheckExecute);
    ToolProblems = addCommand("ToolProblems", tool, "문제 목록&",
                              "생성될 C++ 코드를 막는 문제의 목록을 보여주거나 감춥니다.", K(), {},
                              &TfmMain::ToolProblemsExecute);
    ToolProblems->setCheckable(true);
    ToolStayOnTop = addCommand("ToolStayOnTop", tool, "항상 위에 표시&", {}, K(), {},
                               &TfmMain::ToolStayOnTopExecute);
    ToolStayOnTop->setCheckable(true);
    ToolStayOnTop->setChecked(false);

    const QString help = QStringLiteral("Help");
    HelpHelp = addCommand("HelpHelp", help, "도움말...&", "도움말을 보여줍니다.", K(), {},
                          &TfmMain::HelpHelpExecute);
    HelpWhatsNew = addCommand("HelpWhatsNew", help, "새로워진 것들...&", {}, K(), {},
                              &TfmMain::HelpWhatsNewExecute);
    HelpAbout = addCommand("HelpAbout", help, "정보...&", "이 프", K(Qt::Key_F1), "help-about",
                           &TfmMain::HelpAboutExecute);

    // F3 and Shift+F3 belong to the find bar but work wherever the focus is.
    m_findNext = new QAction(this);
    m_findNext->setShortcut(K(Qt::Key_F3));
    m_findPrevious = new QAction(this);
    m_findPrevious->setShortcut(K(Qt::SHIFT | Qt::Key_F3));
    for (QAction* a : {m_findNext, m_findPrevious}) {
        const bool backward = a == m_findPrevious;
        connect(a, &QAction::triggered, this,
                [this, backward] { runCommand([this, backward] { FindNextExecute(backward); }); });
        addAction(a);
    }
}

void TfmMain::createControls() {
    auto* central = new QWidget(this);
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    // The tree with the find bar under it.
    auto* treeColumn = new QVBoxLayout;
    treeColumn->setContentsMargins(0, 0, 0, 0);
    treeColumn->setSpacing(0);
    TreeView1 = new SmlTreeView(central);
    m_delegate = new NodeDelegate(TreeView1);
    TreeView1->setItemDelegate(m_delegate);
    TreeView1->setDocument(m_doc);
    treeColumn->addWidget(TreeView1, 1);
    m_findBar = new FindBar(central);
    treeColumn->addWidget(m_findBar);
    row->addLayout(treeColumn, 1);
    connect(m_findBar, &FindBar::findRequested, this,
            [this](bool backward) { runCommand([&] { FindNextExecute(backward); }); });
    connect(m_findBar, &FindBar::closed, this,
            [this] { TreeView1->setFocus(Qt::OtherFocusReason); });

    Memo1 = new TextPane(central);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    QFont mono;
    mono.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Nimbus Mono PS"),
                      QStringLiteral("NanumGothicCoding"), QStringLiteral("DejaVu Sans Mono")});
    mono.setStyleHint(QFont::TypeWriter);
    mono.setPointSize(8);
    Memo1->setFont(mono);
    QPalette pal = Memo1->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setColor(group, QPalette::Base, Qt::black);
        pal.setColor(group, QPalette::Text, Qt::white);
    }
    Memo1->setPalette(pal);
    Memo1->setVisible(false);
    row->addWidget(Memo1);
    setCentralWidget(central);

    // The preview docks beside the text pane, hidden until asked for.
    m_preview = new PreviewPane(*m_doc, this);
    addDockWidget(Qt::RightDockWidgetArea, m_preview);
    m_preview->hide();
    connect(m_preview, &PreviewPane::closedByUser, this,
            [this] { ToolPreview->setChecked(false); });

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    const int widths[3] = {150, 150, 50};
    for (int i = 0; i < 3; ++i) {
        auto* panel = new QLabel(StatusBar1);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i + 1));
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        if (i < 2)
            panel->setFixedWidth(widths[i]);
        else
            panel->setMinimumWidth(widths[i]);
        StatusBar1->addWidget(panel, i == 2 ? 1 : 0);
        m_panels[i] = panel;
    }
    m_panels[0]->setText(MessageCountText(0));
    m_panels[1]->setText(ItemCountText(0));
    setStatusBar(StatusBar1);

    // The problems pane under the tree, hidden until asked for; its counts
    // sit beside the three panels.
    m_problems = new ProblemsPane(*m_doc, this);
    addDockWidget(Qt::BottomDockWidgetArea, m_problems);
    m_problems->hide();
    StatusBar1->addPermanentWidget(m_problems->statusButton());
    // The node found, with the keyboard in the tree, ready for its commands.
    connect(m_problems, &ProblemsPane::nodeActivated, this, [this](SmlNode* node) {
        runCommand([this, node] {
            selectNode(node);
            TreeView1->setFocus(Qt::OtherFocusReason);
        });
    });
    connect(m_problems->statusButton(), &QToolButton::clicked, this,
            [this] { ToolProblems->trigger(); });
    // Closed with its own button: the menu entry follows (isHidden, not
    // isVisible, so that a minimized window leaves the entry as it is).
    connect(m_problems, &QDockWidget::visibilityChanged, this,
            [this] { ToolProblems->setChecked(!m_problems->isHidden()); });

    connect(TreeView1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { runCommand([this] { TreeView1Change(); }); });
    connect(TreeView1, &SmlTreeView::editRequested, this,
            [this] { runCommand([this] { TreeView1DblClick(); }); });
    connect(TreeView1, &SmlTreeView::escapePressed, this, &TfmMain::TreeView1Escape);
    connect(TreeView1, &SmlTreeView::focusEntered, this, &TfmMain::TreeView1Enter);
    connect(TreeView1, &SmlTreeView::focusLeft, this, &TfmMain::TreeView1Exit);
    connect(TreeView1, &QTreeView::collapsed, this, &TfmMain::TreeView1Collapsed);
}

void TfmMain::createMenusAndBars() {
    const auto fill = [this](auto* target, std::initializer_list<const char*> names) {
        for (const char* n : names) {
            if (QByteArray(n) == "-")
                target->addSeparator();
            else
                target->addAction(m_actions.value(QString::fromLatin1(n)));
        }
    };

    // CoolBar1: one band container holding the menu bar and the two tool bars.
    CoolBar1 = new QWidget(this);
    CoolBar1->setObjectName(QStringLiteral("CoolBar1"));
    auto* bands = new QVBoxLayout(CoolBar1);
    bands->setContentsMargins(0, 0, 0, 0);
    bands->setSpacing(0);

    ActionMainMenuBar1 = new QMenuBar(CoolBar1);
    ActionMainMenuBar1->setObjectName(QStringLiteral("ActionMainMenuBar1"));
    QFont menuFont = ActionMainMenuBar1->font();
    menuFont.setFamilies(
        {QStringLiteral("굴림"), QStringLiteral("Gulim"), QStringLiteral("NanumGothic")});
    menuFont.setPointSize(9);
    ActionMainMenuBar1->setFont(menuFont);
    fill(ActionMainMenuBar1->addMenu(QStringLiteral("파일(&F)")),
         {"FileNew", "FileLoad", "-", "FileSave", "FileSaveas", "-", "FileImportSml",
          "FileExportSml", "-", "MakeCppFile", "-", "FileExit"});
    fill(ActionMainMenuBar1->addMenu(QStringLiteral("아이템(&I)")),
         {"ItemUndo", "ItemRedo", "-", "ItemAdd", "ItemAddSub", "-", "ItemMoveUp", "ItemMoveDown",
          "-", "ItemEdit", "ItemCut", "ItemCopy", "ItemPaste", "ItemDelete", "-", "ItemFind", "-",
          "ItemFullExpand", "ItemFullCollapse"});
    fill(ActionMainMenuBar1->addMenu(QStringLiteral("설정(&C)")), {"OptionConfig"});
    fill(ActionMainMenuBar1->addMenu(QStringLiteral("도구(&T)")),
         {"ToolViewTextSML", "ToolPreview", "ToolStructCheck", "ToolProblems", "-",
          "ToolStayOnTop"});
    fill(ActionMainMenuBar1->addMenu(QStringLiteral("도움말(&H)")),
         {"HelpHelp", "HelpWhatsNew", "HelpAbout"});
    bands->addWidget(ActionMainMenuBar1);

    auto* toolRow = new QHBoxLayout;
    toolRow->setSpacing(0);
    ActionToolBar1 = new QToolBar(CoolBar1);
    ActionToolBar1->setObjectName(QStringLiteral("ActionToolBar1"));
    fill(ActionToolBar1, {"FileNew", "FileLoad", "FileSave", "-", "OptionConfig", "-",
                          "ToolViewTextSML", "ToolStructCheck", "-", "HelpAbout"});
    ActionToolBar2 = new QToolBar(CoolBar1);
    ActionToolBar2->setObjectName(QStringLiteral("ActionToolBar2"));
    fill(ActionToolBar2, {"ItemUndo", "ItemRedo", "-", "ItemAdd", "ItemAddSub", "-", "ItemMoveUp",
                          "ItemMoveDown", "-", "ItemEdit", "ItemCut", "ItemCopy", "ItemPaste",
                          "ItemDelete", "-", "ItemFullExpand", "ItemFullCollapse"});
    for (QToolBar* bar : {ActionToolBar1, ActionToolBar2}) {
        bar->setIconSize(QSize(16, 16));
        bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
        bar->setMovable(false);
        bar->setFloatable(false);
        toolRow->addWidget(bar);
    }
    toolRow->addStretch(1);
    bands->addLayout(toolRow);
    setMenuWidget(CoolBar1);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    fill(PopupMenu1, {"ItemAdd", "ItemAddSub", "-", "ItemMoveUp", "ItemMoveDown", "-", "ItemEdit",
                      "ItemCut", "ItemCopy", "ItemPaste", "ItemDelete", "-", "ItemFullExpand",
                      "ItemFullCollapse", "-", "FileLoad", "FileSave"});
    TreeView1->setPopupMenu(PopupMenu1);
}

void TfmMain::FormCreate() {
    ProductName = QStringLiteral("Pravik for Zorv");
    Version = QStringLiteral("3.10b");
    m_state.FileName.clear();
    SetCaption(ProductName);
    m_initialDir = QCoreApplication::applicationDirPath();

    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("NanumGothic"),
                      QStringLiteral("Sans Serif")});
    font.setPointSize(8);
    setFont(font);
    setWindowIcon(QIcon(QStringLiteral(":/icons/pravik.svg")));

    updateActions();

    resize(883, 640);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(883 / 2, 640 / 2));
}

void TfmMain::createDialogs() {
    fmMsgEdit = new TfmMsgEdit(this);
    fmItemEdit = new TfmItemEdit(this);
    AboutBox = new TAboutBox(&ProductName, &Version, this);
    fmConfig = new TfmConfig(m_prompter, this);

    m_itemCommands = new ItemCommands(*this, *fmMsgEdit, *fmItemEdit, this);
    ItemCommands* ic = m_itemCommands;
    const std::pair<QAction*, void (ItemCommands::*)()> wiring[] = {
        {ItemAdd, &ItemCommands::ItemAddExecute},
        {ItemAddSub, &ItemCommands::ItemAddSubExecute},
        {ItemMoveUp, &ItemCommands::ItemMoveUpExecute},
        {ItemMoveDown, &ItemCommands::ItemMoveDownExecute},
        {ItemEdit, &ItemCommands::ItemEditExecute},
        {ItemCut, &ItemCommands::ItemCutExecute},
        {ItemCopy, &ItemCommands::ItemCopyExecute},
        {ItemPaste, &ItemCommands::ItemPasteExecute},
        {ItemDelete, &ItemCommands::ItemDeleteExecute},
    };
    for (const auto& [action, method] : wiring) {
        connect(action, &QAction::triggered, this,
                [this, ic, method = method] { runCommand([ic, method] { (ic->*method)(); }); });
    }
    TreeView1->dragOverHandler = [ic](SmlNode* dragged, SmlNode* target) {
        return ic->TreeView1DragOver(dragged, target);
    };
    TreeView1->dragDropHandler = [this, ic](SmlNode* dragged, SmlNode* target, bool copy) {
        runCommand([&] { ic->TreeView1DragDrop(dragged, target, copy); });
    };
}

// --- general ----------------------------------------------------------------

QString TfmMain::QtCaption(const QString& caption) {
    QString s = caption;
    // Positions of the single "&"s ("&&" is a literal ampersand).
    QList<qsizetype> marks;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] != QLatin1Char('&'))
            continue;
        if (i + 1 < s.size() && s[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        marks << i;
    }
    if (!marks.isEmpty() && marks.last() == s.size() - 1) {
        s.chop(1);
        marks.removeLast();
    }
    for (qsizetype k = marks.size() - 2; k >= 0; --k)
        s.remove(marks[k], 1);
    return s;
}

QString TfmMain::ChangeFileExt(const QString& fileName, const QString& ext) {
    const qsizetype slash =
        std::max(fileName.lastIndexOf(QLatin1Char('/')), fileName.lastIndexOf(QLatin1Char('\\')));
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot > slash)
        return fileName.left(dot) + ext;
    return fileName + ext;
}

void TfmMain::runCommand(const std::function<void()>& command) {
    try {
        command();
    } catch (const PlatformError& e) {
        showError(e.message());
    }
}

void TfmMain::showError(const QString& message) {
    m_prompter.messageBox(Prompter::Icon::Error, m_applicationTitle, message,
                          Prompter::Buttons::Ok);
}

void TfmMain::SetCaption(const QString& caption) {
    m_caption = caption;
    m_applicationTitle = caption;
    UpdateCaption();
}

void TfmMain::UpdateCaption() {
    setWindowTitle(isModified() ? m_caption + QStringLiteral(" *") : m_caption);
}

bool TfmMain::isModified() const {
    return m_doc->isModified();
}

void TfmMain::setPasteEnabled(bool enabled) {
    m_items.paste = enabled;
    updateActions();
}

void TfmMain::updateActions() {
    if (!ItemAdd)
        return; // still being built
    const bool document = !m_state.FileName.isEmpty();
    for (QAction* a : {FileNew, FileLoad, FileExit, ToolStayOnTop, HelpAbout, HelpWhatsNew})
        a->setEnabled(true);
    HelpHelp->setEnabled(false);
    for (QAction* a : {FileSave, FileSaveas, FileImportSml, FileExportSml, MakeCppFile,
                       OptionConfig, ToolViewTextSML, ToolPreview, ToolStructCheck, ToolProblems,
                       ItemFind})
        a->setEnabled(document);
    m_problems->statusButton()->setVisible(document);

    const ItemCommandState& i = m_items;
    const std::pair<QAction*, bool> items[] = {
        {ItemAdd, i.add},
        {ItemAddSub, i.addSub},
        {ItemMoveUp, i.moveUp},
        {ItemMoveDown, i.moveDown},
        {ItemEdit, i.edit},
        {ItemCut, i.cut},
        {ItemCopy, i.copy},
        {ItemPaste, i.paste},
        {ItemDelete, i.del},
        {ItemFullExpand, i.fullExpand},
        {ItemFullCollapse, i.fullCollapse},
    };
    for (const auto& [action, on] : items)
        action->setEnabled(on);

    // Undo and redo name the step they would take back or make again.
    const QUndoStack* undo = m_doc->undoStack();
    ItemUndo->setEnabled(undo->canUndo());
    ItemRedo->setEnabled(undo->canRedo());
    ItemUndo->setText(undo->canUndo() ? QStringLiteral("실행 취소: ") + undo->undoText()
                                      : QtCaption(QStringLiteral("실행 취소&")));
    ItemRedo->setText(undo->canRedo() ? QStringLiteral("다시 실행: ") + undo->redoText()
                                      : QtCaption(QStringLiteral("다시 실행&")));
}

QString TfmMain::statusPanelText(int panel) const {
    return panel >= 0 && panel < 3 ? m_panels[panel]->text() : QString();
}

// --- window events -------------------------------------------------------------

void TfmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TfmMain::FormResize() {
    Memo1->setFixedWidth(frameGeometry().width() / 2);
}

void TfmMain::closeEvent(QCloseEvent* event) {
    bool mayClose = false;
    runCommand([&] { mayClose = FormCloseQuery(); });
    if (mayClose)
        event->accept();
    else
        event->ignore();
}

bool TfmMain::FormCloseQuery() {
    if (!isModified())
        return true;
    const auto answer = m_prompter.messageBox(Prompter::Icon::Question, QStringLiteral("Confirm"),
                                              FileNamePart(m_state.FileName) +
                                                  QStringLiteral(" 을(를) 저장하겠습니까?"),
                                              Prompter::Buttons::YesNoCancel);
    switch (answer) {
    case Prompter::Answer::Yes: {
        Prompter::FileRequest req{
            {}, kFileFilter, m_initialDir, m_state.FileName, QStringLiteral("sml"), true};
        const auto path = m_prompter.saveFileName(req);
        if (!path)
            return false;
        SaveDocument(*path, *m_doc); // a failure keeps the window open
        m_doc->setSaved();
        return true;
    }
    case Prompter::Answer::No:
        return true;
    default:
        return false;
    }
}

// --- file commands ---------------------------------------------------------------

bool TfmMain::GiveUpDocument() {
    if (!isModified())
        return true;
    const auto answer = m_prompter.messageBox(Prompter::Icon::Question, QStringLiteral("Confirm"),
                                              FileNamePart(m_state.FileName) +
                                                  QStringLiteral(" 을(를) 저장하겠습니까?"),
                                              Prompter::Buttons::YesNoCancel);
    switch (answer) {
    case Prompter::Answer::Yes:
        // Under the current name without a dialog, even when untitled.
        SaveDocument(m_state.FileName, *m_doc);
        m_doc->setSaved();
        return true;
    case Prompter::Answer::No:
        // The changes stay marked until the document is really replaced: a
        // cancelled file dialog must not leave them unprotected.
        return true;
    default:
        return false;
    }
}

void TfmMain::EnableDocumentCommands() {
    // Full expand and collapse keep their state.
    ItemCommandState& i = m_items;
    i.add = true;
    i.addSub = i.moveUp = i.moveDown = i.edit = i.cut = i.copy = i.paste = i.del = false;
    updateActions();
}

void TfmMain::FileNewExecute() {
    if (!GiveUpDocument())
        return;
    m_doc->clear();
    m_state.FileName = kUntitledName;
    EnableDocumentCommands();
    SetCaption(ProductName + QStringLiteral(" - ") + kUntitledName);
    if (m_memoShown)
        setMemoText(QString());
}

void TfmMain::FileLoadExecute() {
    if (!GiveUpDocument())
        return;
    Prompter::FileRequest req{{}, kFileFilter, m_initialDir, {}, {}, false};
    const auto path = m_prompter.openFileName(req);
    if (!path)
        return;
    OpenDocumentFile(*path);
}

void TfmMain::OpenDocumentFile(const QString& path) {
    // Read first: a file that cannot be read leaves the document as it was.
    const QByteArray bytes = FileSystem::ReadWholeFile(path);
    ParsedSml parsed = ParseSml(bytes);
    m_doc->resetTo(std::move(parsed.root), parsed.counts.nodes);
    m_panels[0]->setText(MessageCountText(parsed.counts.messages));
    m_panels[1]->setText(ItemCountText(parsed.counts.nodes));
    setMemoFromFile(bytes);
    m_state.FileName = path;
    SetCaption(ProductName + QStringLiteral(" - ") + path);
    EnableDocumentCommands();
}

void TfmMain::FileSaveExecute() {
    if (m_state.FileName == kUntitledName) {
        FileSaveasExecute();
        return;
    }
    SaveDocument(m_state.FileName, *m_doc);
    m_doc->setSaved();
}

void TfmMain::FileSaveasExecute() {
    SaveAsDialog();
}

bool TfmMain::SaveAsDialog() {
    Prompter::FileRequest req{
        {}, kFileFilter, m_initialDir, m_state.FileName, QStringLiteral("sml"), true};
    const auto path = m_prompter.saveFileName(req);
    if (!path)
        return false;
    SaveDocument(*path, *m_doc);
    m_doc->setSaved();
    m_state.FileName = *path;
    SetCaption(ProductName + QStringLiteral(" - ") + *path);
    return true;
}

void TfmMain::FileExitExecute() {
    close();
}

void TfmMain::FileImportSmlExecute() {
    QString status;
    SmlNode* first = ImportCommonSmlCommand(m_prompter, *m_doc, selectedNode(), m_initialDir,
                                            m_applicationTitle, status);
    if (first)
        selectNode(first);
    if (!status.isEmpty())
        StatusBar1->showMessage(status, 5000);
}

void TfmMain::FileExportSmlExecute() {
    const QString status =
        ExportCommonSmlCommand(m_prompter, *m_doc, m_state.FileName, m_initialDir);
    if (!status.isEmpty())
        StatusBar1->showMessage(status, 5000);
}

void TfmMain::MakeCppFileExecute() {
    // Reads the document only: neither the tree nor Modified change.
    pravik::MakeCppFile(m_prompter, *m_doc, m_state.FileName, m_initialDir);
    // Generated all the same; the pane tells what keeps the code from
    // compiling.
    if (m_problems->refreshNow().errors > 0) {
        m_problems->show();
        m_problems->raise();
        ToolProblems->setChecked(true);
    }
}

// --- tree --------------------------------------------------------------------------

SmlNode* TfmMain::selectedNode() const {
    const QItemSelection sel = TreeView1->selectionModel()->selection();
    if (sel.isEmpty())
        return nullptr;
    return m_doc->nodeFromIndex(sel.first().topLeft());
}

void TfmMain::selectNode(SmlNode* node) {
    QItemSelectionModel* sm = TreeView1->selectionModel();
    const SmlNode* before = selectedNode();
    if (!node) {
        sm->clear();
    } else {
        // Selecting a node makes it visible, as the user would expect.
        TreeView1->revealNodes({node});
        const QModelIndex idx = m_doc->indexOf(node);
        sm->setCurrentIndex(idx, QItemSelectionModel::ClearAndSelect);
        TreeView1->scrollTo(idx);
    }
    // The selection handling runs for every selection, also of the node that
    // was selected already (after its dialog, after a delete that left its
    // parent selected), which the selection model does not announce.
    if (before == node)
        runCommand([this] { TreeView1Change(); });
}

void TfmMain::TreeView1Change() {
    SmlNode* node = selectedNode();
    ItemCommandState& i = m_items;
    i.add = true;
    i.paste = m_state.ClipboardNode != nullptr;
    if (!node) {
        i.addSub = i.moveUp = i.moveDown = i.edit = i.cut = i.copy = i.del = false;
        i.fullCollapse = i.fullExpand = false;
    } else {
        i.addSub = node->Kind() != NodeKind::Item;
        i.moveUp = i.moveDown = i.edit = i.cut = i.copy = i.del = true;
        i.fullExpand = i.fullCollapse = node->childCount() > 0;
        m_panels[2]->setText(AnsiText::Decode(node->Text()));
    }
    updateActions();
    if (m_memoShown)
        ShowMessageLine(node);
    if (m_preview)
        m_preview->setSelectedNode(node);
}

void TfmMain::TreeView1DblClick() {
    if (m_itemCommands)
        m_itemCommands->ItemEditExecute();
}

void TfmMain::TreeView1Escape() {
    if (SmlNode* clip = m_state.ClipboardNode) {
        m_doc->setCut(clip, false);
        m_state.ClipboardNode = nullptr;
    }
}

void TfmMain::TreeView1Enter() {
    m_items.add = !m_state.FileName.isEmpty();
    updateActions();
}

void TfmMain::TreeView1Exit() {
    m_items.all(false);
    updateActions();
}

void TfmMain::TreeView1Collapsed(const QModelIndex& index) {
    if (m_collapsing)
        return; // the selected node itself is being collapsed, with all below it
    SmlNode* collapsedNode = m_doc->nodeFromIndex(index);
    SmlNode* selected = selectedNode();
    if (collapsedNode && selected && selected != collapsedNode &&
        collapsedNode->isAncestorOf(selected))
        selectNode(collapsedNode);
}

void TfmMain::ItemFullExpandExecute() {
    TreeView1->expandSubtree(selectedNode());
}

void TfmMain::ItemFullCollapseExecute() {
    // The selected node is the top of what collapses, so it stays visible.
    m_collapsing = true;
    TreeView1->collapseSubtree(selectedNode());
    m_collapsing = false;
}

// --- undo, redo and find -----------------------------------------------------------

void TfmMain::ItemUndoExecute() {
    QUndoStack* stack = m_doc->undoStack();
    if (!stack->canUndo())
        return;
    SmlNode* select = m_doc->lastEdit() ? m_doc->lastEdit()->selectAfterUndo : nullptr;
    stack->undo();
    selectNode(select);
}

void TfmMain::ItemRedoExecute() {
    QUndoStack* stack = m_doc->undoStack();
    if (!stack->canRedo())
        return;
    stack->redo();
    selectNode(m_doc->lastEdit() ? m_doc->lastEdit()->selectAfterRedo : nullptr);
}

void TfmMain::ItemFindExecute() {
    m_findBar->open();
}

void TfmMain::FindNextExecute(bool backward) {
    if (m_state.FileName.isEmpty())
        return;
    if (!m_findBar->isVisible() || m_findBar->query().isEmpty()) {
        m_findBar->open();
        if (m_findBar->query().isEmpty())
            return;
    }
    const QString query = m_findBar->query();
    const NodeSearch search(query, m_findBar->caseSensitive());
    const NodeSearch::Result found = search.find(*m_doc, selectedNode(), backward);
    if (!found.node) {
        StatusBar1->showMessage(QStringLiteral("'%1'을(를) 찾을 수 없습니다.").arg(query), 5000);
        return;
    }
    selectNode(found.node);
    if (found.wrapped)
        StatusBar1->showMessage(backward ? QStringLiteral("끝에서부터 다시 찾았습니다.")
                                         : QStringLiteral("처음부터 다시 찾았습니다."),
                                5000);
    else
        StatusBar1->clearMessage();
}

// --- text pane -------------------------------------------------------------------

void TfmMain::setMemoText(const QString& text) {
    m_memoText = text;
    m_memoRaw.clear();
    m_memoRawPending = false;
    Memo1->setPlainText(text);
}

void TfmMain::setMemoFromFile(const QByteArray& bytes) {
    if (m_memoShown) {
        setMemoText(PaneLines(bytes));
        return;
    }
    // Hidden: keep the bytes; nobody sees them before the pane is shown,
    // and showing it regenerates the text from the tree.
    m_memoRaw = bytes;
    m_memoRawPending = true;
}

QString TfmMain::memoText() const {
    if (m_memoRawPending) {
        m_memoText = PaneLines(m_memoRaw);
        m_memoRaw.clear();
        m_memoRawPending = false;
    }
    return m_memoText;
}

void TfmMain::ToolViewTextSMLExecute() {
    QAction* a = ToolViewTextSML;
    if (m_memoShown) {
        a->setText(QStringLiteral("코드 보기"));
        m_memoShown = false;
        Memo1->setVisible(false);
        return;
    }
    // The pane shows at most the first 256 MiB of text: a deeply nested
    // document's text grows with the square of its depth.
    setMemoText(PaneLines(WriteDocument(*m_doc, qint64(256) << 20)));
    a->setText(QStringLiteral("코드 숨김"));
    Memo1->setFixedWidth(frameGeometry().width() / 2);
    m_memoShown = true;
    Memo1->setVisible(true);
}

void TfmMain::ToolPreviewExecute() {
    const bool show = ToolPreview->isChecked();
    m_preview->setVisible(show);
    if (show)
        resizeDocks({m_preview}, {std::min(m_preview->preferredWidth(), width() * 2 / 3)},
                    Qt::Horizontal);
}

void TfmMain::ShowMessageLine(SmlNode* node) {
    if (!node || !node->isTopLevel())
        return;
    const QString key = QStringLiteral("<") + AnsiText::Decode(node->Text());
    // Lines never contain the key across a line end, so the first place in
    // the whole text is in the first line that holds the key.
    const qsizetype pos = memoText().indexOf(key);
    if (pos < 0)
        return;
    Memo1->setCaretPosition(pos);
    Memo1->ensureCaretVisible();
}

// --- tools and help ------------------------------------------------------------------

void TfmMain::ToolStructCheckExecute() {
    const CheckResult result = CheckStructure(*m_doc);
    m_doc->setCheckMarks(result.nodes());
    if (result.anyFaulty()) {
        std::vector<SmlNode*> faulty;
        faulty.reserve(result.faulty.size());
        for (const FaultyNode& f : result.faulty)
            faulty.push_back(f.node);
        // Every faulty node becomes visible; only the first is selected, so
        // the selection handling runs once, for the node the user ends on.
        TreeView1->revealNodes(faulty);
        // Selecting each faulty node in turn would leave the text pane's
        // caret on the last faulty message, unless the first faulty node,
        // selected last, is a message itself: the same outcome, at once.
        if (m_memoShown) {
            for (auto it = faulty.rbegin(); it != faulty.rend(); ++it) {
                if ((*it)->isTopLevel()) {
                    ShowMessageLine(*it);
                    break;
                }
            }
        }
        selectNode(result.faulty.front().node);
    }
    TreeView1->viewport()->update();
    if (result.anyFaulty())
        m_prompter.messageBox(Prompter::Icon::Warning, QStringLiteral("Warning"),
                              QStringLiteral("메시지 구조에 오류가 있습니다."),
                              Prompter::Buttons::Ok);
    else
        m_prompter.messageBox(Prompter::Icon::Information, QStringLiteral("Information"),
                              QStringLiteral("오류를 찾지 못했습니다."), Prompter::Buttons::Ok);
}

void TfmMain::ToolProblemsExecute() {
    const bool show = ToolProblems->isChecked();
    if (show && m_problems->isStale())
        m_problems->refreshNow();
    m_problems->setVisible(show);
    ToolProblems->setChecked(show);
}

void TfmMain::ToolStayOnTopExecute() {
    const bool wasVisible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, ToolStayOnTop->isChecked());
    // Changing the window flags hides the window; bring it back.
    if (wasVisible)
        show();
}

void TfmMain::OptionConfigExecute() {
    fmConfig->ShowModalFor(ChangeFileExt(m_state.FileName, QStringLiteral(".cfg")));
}

void TfmMain::HelpHelpExecute() {}

void TfmMain::HelpWhatsNewExecute() {
    m_prompter.openWithShell(ReleaseNotesPath(QCoreApplication::applicationDirPath()));
}

void TfmMain::HelpAboutExecute() {
    m_prompter.runDialog(AboutBox);
}

} // namespace pravik
