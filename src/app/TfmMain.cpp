#include "app/TfmMain.h"

#include "app/CommPaneWiring.h"
#include "app/CommonSmlCommands.h"
#include "app/FindBar.h"
#include "app/MainBars.h"
#include "app/NodeDelegate.h"
#include "app/PreviewPane.h"
#include "app/ProblemsPane.h"
#include "app/ReleaseNotes.h"
#include "app/SmlTextPane.h"
#include "app/SmlTreeView.h"
#include "app/StructureCheckCommand.h"
#include "app/TAboutBox.h"
#include "codegen/MakeCppFile.h"
#include "document/SmlDocument.h"
#include "driverconfig/DriverConfig.h"
#include "driverconfig/TfmConfig.h"
#include "editing/ItemCommands.h"
#include "editing/TfmItemEdit.h"
#include "editing/TfmMsgEdit.h"
#include "gui/ActionCaption.h"
#include "gui/GuiPrompter.h"
#include "platform/AnsiText.h"
#include "platform/PlatformError.h"
#include "session/DocumentSession.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
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

TfmMain::TfmMain(GuiPrompter& prompter, QWidget* parent)
    : QMainWindow(parent), m_prompter(prompter) {
    InitAppResources();
    setObjectName(QStringLiteral("fmMain"));
    m_doc = new SmlDocument(this);
    m_session = new DocumentSession(*m_doc, m_prompter, this);
    m_session->setInitialDir(QCoreApplication::applicationDirPath());
    createActions();
    createControls();
    FormCreate();
    createDialogs();
    createMenusAndBars();
    connectParts();
    updateActions();
}

TfmMain::~TfmMain() {
    // Children go one by one; neither the tree, nor the document (whose undo
    // stack, cleared as it goes, reports a change of Modified), nor the docks
    // hidden as the window goes may reach a window half destroyed.
    for (QObject* part :
         std::initializer_list<QObject*>{TreeView1, TreeView1->selectionModel(), m_doc, m_session,
                                         m_problems, m_preview, m_comm})
        part->disconnect(this);
    // Nor the item commands, which ask the window for the document.
    m_itemCommands->disconnect();
    m_doc->disconnect(m_itemCommands);
    m_doc->undoStack()->disconnect(m_itemCommands);
}

// --- construction -----------------------------------------------------------

void TfmMain::createActions() {
    m_act = MakeWindowActions(this);
    const std::pair<QAction*, Handler> handlers[] = {
        {m_act.FileNew, &TfmMain::FileNewExecute},
        {m_act.FileLoad, &TfmMain::FileLoadExecute},
        {m_act.FileSave, &TfmMain::FileSaveExecute},
        {m_act.FileSaveas, &TfmMain::FileSaveasExecute},
        {m_act.FileImportSml, &TfmMain::FileImportSmlExecute},
        {m_act.FileExportSml, &TfmMain::FileExportSmlExecute},
        {m_act.MakeCppFile, &TfmMain::MakeCppFileExecute},
        {m_act.FileExit, &TfmMain::FileExitExecute},
        {m_act.OptionConfig, &TfmMain::OptionConfigExecute},
        {m_act.ToolViewTextSML, &TfmMain::ToolViewTextSMLExecute},
        {m_act.ToolPreview, &TfmMain::ToolPreviewExecute},
        {m_act.ToolStructCheck, &TfmMain::ToolStructCheckExecute},
        {m_act.ToolProblems, &TfmMain::ToolProblemsExecute},
        {m_act.ToolStayOnTop, &TfmMain::ToolStayOnTopExecute},
        {m_act.HelpHelp, &TfmMain::HelpHelpExecute},
        {m_act.HelpWhatsNew, &TfmMain::HelpWhatsNewExecute},
        {m_act.HelpAbout, &TfmMain::HelpAboutExecute},
    };
    for (const auto& [a, handler] : handlers) {
        connect(a, &QAction::triggered, this,
                [this, handler = handler] { runCommand([this, handler] { (this->*handler)(); }); });
        addAction(a); // shortcuts work wherever the focus is in this window
        m_commands << a;
    }
    // F3 and Shift+F3 belong to the find bar but work wherever the focus is.
    for (const bool backward : {false, true}) {
        auto* a = new QAction(this);
        a->setShortcut(backward ? QKeySequence(Qt::SHIFT | Qt::Key_F3) : QKeySequence(Qt::Key_F3));
        connect(a, &QAction::triggered, this,
                [this, backward] { runCommand([this, backward] { FindNextExecute(backward); }); });
        addAction(a);
    }
}

void TfmMain::createControls() {
    // The tree (with the find bar under it) beside the text pane. The tree
    // keeps a width its texts can be read in: the panes share the rest.
    m_split = new QSplitter(Qt::Horizontal, this);
    m_split->setObjectName(QStringLiteral("CentralSplitter"));
    m_split->setChildrenCollapsible(false);
    auto* treeColumn = new QWidget(m_split);
    treeColumn->setMinimumWidth(kTreeMinimumWidth);
    auto* column = new QVBoxLayout(treeColumn);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    TreeView1 = new SmlTreeView(treeColumn);
    TreeView1->setItemDelegate(new NodeDelegate(TreeView1));
    TreeView1->setDocument(m_doc);
    column->addWidget(TreeView1, 1);
    m_findBar = new FindBar(treeColumn);
    column->addWidget(m_findBar);
    Memo1 = new SmlTextPane(*m_doc, m_split);
    Memo1->setMinimumWidth(kTextPaneMinimumWidth);
    m_split->addWidget(treeColumn);
    m_split->addWidget(Memo1);
    // Space won or lost goes to the tree first, the text pane keeps its width.
    m_split->setStretchFactor(0, 1);
    m_split->setStretchFactor(1, 0);
    setCentralWidget(m_split);
    createPanes();
    createStatusBar();
}

void TfmMain::createPanes() {
    // The preview docks beside the text pane, the problems pane under the
    // tree; both hidden until asked for.
    m_preview = new PreviewPane(*m_doc, this);
    addDockWidget(Qt::RightDockWidgetArea, m_preview);
    m_preview->hide();
    m_problems = new ProblemsPane(*m_doc, this);
    addDockWidget(Qt::BottomDockWidgetArea, m_problems);
    m_problems->hide();
}

void TfmMain::createStatusBar() {
    auto* bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBar1"));
    for (int i = 0; i < 3; ++i) {
        auto* panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i + 1));
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        if (i < 2)
            panel->setFixedWidth(150);
        else
            panel->setMinimumWidth(50);
        bar->addWidget(panel, i == 2 ? 1 : 0);
        m_panels[i] = panel;
    }
    m_panels[0]->setText(MessageCountText(0));
    m_panels[1]->setText(ItemCountText(0));
    setStatusBar(bar);
    // The problems' counts sit beside the three panels.
    bar->addPermanentWidget(m_problems->statusButton());
    m_comm = InstallCommPane(*this, *m_session, m_prompter);
    m_act.ToolComm = m_comm->toggleAction();
    m_commands << m_act.ToolComm; // found by name like every other command
}

void TfmMain::createMenusAndBars() {
    m_bars = BuildMainBars(this, m_act, *m_itemCommands);
    setMenuWidget(m_bars.CoolBar1);
    TreeView1->setPopupMenu(m_bars.PopupMenu1);
}

void TfmMain::FormCreate() {
    ProductName = DocumentSession::kProductName;
    Version = QStringLiteral("3.10b");
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("NanumGothic"),
                      QStringLiteral("Sans Serif")});
    font.setPointSize(8);
    setFont(font);
    setWindowIcon(QIcon(QStringLiteral(":/icons/pravik.svg")));
    setWindowTitle(m_session->windowTitle());
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
    m_itemCommands->setCommandRunner(
        [this](const std::function<void()>& command) { runCommand(command); });
    addActions(m_itemCommands->actions());
}

void TfmMain::connectParts() {
    ItemCommands* ic = m_itemCommands;
    connect(m_session, &DocumentSession::captionChanged, this,
            [this] { setWindowTitle(m_session->windowTitle()); });
    connect(m_session, &DocumentSession::documentReplaced, this, &TfmMain::documentReplaced);
    connect(ic, &ItemCommands::expandRequested, this, &TfmMain::ItemFullExpandExecute);
    connect(ic, &ItemCommands::collapseRequested, this, &TfmMain::ItemFullCollapseExecute);
    connect(ic, &ItemCommands::findRequested, m_findBar, &FindBar::open);
    TreeView1->dragOverHandler = [ic](SmlNode* dragged, SmlNode* target) {
        return ic->TreeView1DragOver(dragged, target);
    };
    TreeView1->dragDropHandler = [this, ic](SmlNode* dragged, SmlNode* target, bool copy) {
        runCommand([&] { ic->TreeView1DragDrop(dragged, target, copy); });
    };
    connect(TreeView1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { runCommand([this] { TreeView1Change(); }); });
    connect(TreeView1, &SmlTreeView::editRequested, this,
            [this] { runCommand([this] { TreeView1DblClick(); }); });
    connect(TreeView1, &SmlTreeView::escapePressed, this, &TfmMain::TreeView1Escape);
    connect(TreeView1, &SmlTreeView::focusEntered, this, &TfmMain::TreeView1Enter);
    connect(TreeView1, &SmlTreeView::focusLeft, this, &TfmMain::TreeView1Exit);
    connect(TreeView1, &QTreeView::collapsed, this, &TfmMain::TreeView1Collapsed);
    connect(m_findBar, &FindBar::findRequested, this,
            [this](bool backward) { runCommand([&] { FindNextExecute(backward); }); });
    connect(m_findBar, &FindBar::closed, this,
            [this] { TreeView1->setFocus(Qt::OtherFocusReason); });
    connect(m_preview, &PreviewPane::closedByUser, this,
            [this] { m_act.ToolPreview->setChecked(false); });
    // The node found, with the keyboard in the tree, ready for its commands.
    connect(m_problems, &ProblemsPane::nodeActivated, this, [this](SmlNode* node) {
        runCommand([this, node] {
            selectNode(node);
            TreeView1->setFocus(Qt::OtherFocusReason);
        });
    });
    connect(m_problems->statusButton(), &QToolButton::clicked, this,
            [this] { m_act.ToolProblems->trigger(); });
    // Closed with its own button: the menu entry follows (isHidden, not
    // isVisible, so that a minimized window leaves the entry as it is).
    connect(m_problems, &QDockWidget::visibilityChanged, this,
            [this] { m_act.ToolProblems->setChecked(!m_problems->isHidden()); });
}

// --- general ----------------------------------------------------------------

void TfmMain::runCommand(const std::function<void()>& command) {
    try {
        command();
    } catch (const PlatformError& e) {
        showError(e.message());
    }
}

void TfmMain::showError(const QString& message) {
    m_prompter.messageBox(Prompter::Icon::Error, applicationTitle(), message,
                          Prompter::Buttons::Ok);
}

QAction* TfmMain::action(const QString& name) const {
    for (const QList<QAction*>& list : {m_commands, m_itemCommands->actions()})
        for (QAction* a : list)
            if (a->objectName() == name)
                return a;
    return nullptr;
}

QStringList TfmMain::actionNames() const {
    QStringList names;
    for (const QList<QAction*>& list : {m_commands, m_itemCommands->actions()})
        for (QAction* a : list)
            names << a->objectName();
    return names;
}

bool TfmMain::isModified() const {
    return m_doc->isModified();
}

QString TfmMain::applicationTitle() const {
    return m_session->caption();
}

QString TfmMain::initialDir() const {
    return m_session->initialDir();
}

bool TfmMain::memoShown() const {
    return Memo1->isShown();
}

QString TfmMain::memoText() const {
    return Memo1->text();
}

QString TfmMain::statusPanelText(int panel) const {
    return panel >= 0 && panel < 3 ? m_panels[panel]->text() : QString();
}

void TfmMain::updateActions() {
    const bool document = m_session->hasDocument();
    for (QAction* a : {m_act.FileNew, m_act.FileLoad, m_act.FileExit, m_act.ToolStayOnTop,
                       m_act.HelpAbout, m_act.HelpWhatsNew, m_act.HelpHelp})
        a->setEnabled(true);
    for (QAction* a : {m_act.FileSave, m_act.FileSaveas, m_act.FileImportSml, m_act.FileExportSml,
                       m_act.MakeCppFile, m_act.OptionConfig, m_act.ToolViewTextSML,
                       m_act.ToolPreview, m_act.ToolStructCheck, m_act.ToolProblems})
        a->setEnabled(document);
    m_problems->statusButton()->setVisible(document);
}

// --- window events -------------------------------------------------------------

void TfmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TfmMain::FormResize() {
    // The text pane takes half the window, as far as the tree keeps its
    // width beside it.
    if (!Memo1->isShown())
        return;
    const int room = m_split->width() - m_split->handleWidth();
    const int memo = std::max(kTextPaneMinimumWidth,
                              std::min(frameGeometry().width() / 2, room - kTreeMinimumWidth));
    m_split->setSizes({room - memo, memo});
}

void TfmMain::closeEvent(QCloseEvent* event) {
    bool mayClose = false;
    runCommand(
        [&] { mayClose = m_session->confirmLosingChanges(DocumentSession::Leaving::Close); });
    if (mayClose)
        m_comm->closeLink(); // a running link separates first; its log is flushed
    if (mayClose)
        event->accept();
    else
        event->ignore();
}

// --- file commands ---------------------------------------------------------------

void TfmMain::documentReplaced(const QByteArray* fileText) {
    if (fileText) {
        const ReadCounts counts = m_session->counts();
        m_panels[0]->setText(MessageCountText(counts.messages));
        m_panels[1]->setText(ItemCountText(counts.nodes));
    }
    Memo1->documentReplaced(fileText);
    m_itemCommands->setDocumentOpen(true);
    updateActions();
}

void TfmMain::FileNewExecute() {
    m_session->newDocument();
}

void TfmMain::FileLoadExecute() {
    m_session->open();
}

void TfmMain::OpenDocumentFile(const QString& path) {
    if (m_session->confirmLosingChanges(DocumentSession::Leaving::Replace))
        m_session->openFile(path);
}

void TfmMain::FileSaveExecute() {
    m_session->save();
}

void TfmMain::FileSaveasExecute() {
    m_session->saveAs();
}

void TfmMain::FileExitExecute() {
    close();
}

void TfmMain::FileImportSmlExecute() {
    QString status;
    SmlNode* first = ImportCommonSmlCommand(m_prompter, *m_doc, selectedNode(), initialDir(),
                                            applicationTitle(), status);
    if (first)
        selectNode(first);
    if (!status.isEmpty())
        statusBar()->showMessage(status, 5000);
}

void TfmMain::FileExportSmlExecute() {
    const QString status =
        ExportCommonSmlCommand(m_prompter, *m_doc, m_session->fileName(), initialDir());
    if (!status.isEmpty())
        statusBar()->showMessage(status, 5000);
}

void TfmMain::MakeCppFileExecute() {
    // Reads the document only: neither the tree nor Modified change.
    pravik::MakeCppFile(m_prompter, *m_doc, m_session->fileName(), initialDir());
    // Generated all the same; the pane tells what keeps the code from
    // compiling.
    if (m_problems->refreshNow().errors > 0) {
        m_problems->show();
        m_problems->raise();
        m_act.ToolProblems->setChecked(true);
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
    m_itemCommands->selectionChanged();
    if (node)
        m_panels[2]->setText(AnsiText::Decode(node->Text()));
    Memo1->showMessageLine(node);
    m_preview->setSelectedNode(node);
    m_comm->setSelectedNode(node);
}

void TfmMain::TreeView1DblClick() {
    m_itemCommands->ItemEditExecute();
}

void TfmMain::TreeView1Escape() {
    // The selection handling has run with the clipboard still set, so paste
    // stays offered until the next selection change.
    m_itemCommands->forgetClipboard(false);
}

void TfmMain::TreeView1Enter() {
    m_itemCommands->treeFocusEntered();
}

void TfmMain::TreeView1Exit() {
    m_itemCommands->treeFocusLeft();
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

void TfmMain::FindNextExecute(bool backward) {
    if (!m_session->hasDocument())
        return;
    const FindBar::Found found = m_findBar->findNext(*m_doc, selectedNode(), backward);
    if (!found.node && found.status.isEmpty())
        return; // nothing to look for
    if (found.node)
        selectNode(found.node);
    if (found.status.isEmpty())
        statusBar()->clearMessage();
    else
        statusBar()->showMessage(found.status, 5000);
}

// --- tools and help ------------------------------------------------------------------

void TfmMain::ToolViewTextSMLExecute() {
    const bool show = !Memo1->isShown();
    Memo1->setShown(show);
    FormResize();
    m_act.ToolViewTextSML->setText(show ? QStringLiteral("코드 숨김")
                                        : QStringLiteral("코드 보기"));
}

void TfmMain::ToolPreviewExecute() {
    const bool show = m_act.ToolPreview->isChecked();
    m_preview->setVisible(show);
    // As wide as a line of bytes, as far as the tree keeps its width; beside
    // the text pane, the two share what the tree leaves.
    const int beside = width() - kTreeMinimumWidth;
    const int room = Memo1->isShown() ? beside / 2 : beside;
    if (show)
        resizeDocks({m_preview}, {std::clamp(m_preview->preferredWidth(), 1, std::max(1, room))},
                    Qt::Horizontal);
    FormResize();
}

void TfmMain::ToolStructCheckExecute() {
    RunStructureCheck(*m_doc, *TreeView1, *Memo1, m_prompter,
                      [this](SmlNode* node) { selectNode(node); });
}

void TfmMain::ToolProblemsExecute() {
    const bool show = m_act.ToolProblems->isChecked();
    if (show && m_problems->isStale())
        m_problems->refreshNow();
    m_problems->setVisible(show);
    if (show)
        m_problems->raise(); // in front of the communication pane
    m_act.ToolProblems->setChecked(show);
}

void TfmMain::ToolStayOnTopExecute() {
    const bool wasVisible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, m_act.ToolStayOnTop->isChecked());
    // Changing the window flags hides the window; bring it back.
    if (wasVisible)
        show();
}

void TfmMain::OptionConfigExecute() {
    fmConfig->ShowModalFor(DriverConfigPathFor(m_session->fileName()));
    m_comm->configurationEdited();
}

void TfmMain::HelpHelpExecute() {
    m_prompter.openWithShell(UserGuidePath(QCoreApplication::applicationDirPath()));
}

void TfmMain::HelpWhatsNewExecute() {
    m_prompter.openWithShell(ReleaseNotesPath(QCoreApplication::applicationDirPath()));
}

void TfmMain::HelpAboutExecute() {
    m_prompter.runDialog(AboutBox);
}

} // namespace pravik
