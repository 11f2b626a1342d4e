#pragma once

#include "app/MainBars.h"
#include "app/SmlTextPane.h"
#include "editing/EditorHost.h"

#include <QMainWindow>
#include <QString>
#include <functional>
#include <initializer_list>

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QSplitter;
class QToolBar;

namespace pravik {

class CommPane;
class DocumentSession;
class FindBar;
class GuiPrompter;
class ItemCommands;
class PreviewPane;
class ProblemsPane;
class SmlDocument;
class SmlTextPane;
class SmlTreeView;
class TAboutBox;
class TfmConfig;
class TfmItemEdit;
class TfmMsgEdit;

// The main window: it builds the widgets and wires the parts. The document
// session owns the file commands' rules, ItemCommands the tree's commands,
// and each pane its own state; the window forwards its commands to them,
// reports failures, and tells the parts about the tree view.
class TfmMain : public QMainWindow, public EditorHost {
    Q_OBJECT
public:
    explicit TfmMain(GuiPrompter& prompter, QWidget* parent = nullptr);
    ~TfmMain() override;

    QString ProductName;
    QString Version;

    // --- EditorHost ---
    SmlDocument& document() override { return *m_doc; }
    GuiPrompter& prompter() override { return m_prompter; }
    SmlNode* selectedNode() const override;
    void selectNode(SmlNode* node) override;

    DocumentSession& session() const { return *m_session; }
    // Unsaved changes: the undo stack is away from the state last saved.
    bool isModified() const;

    // --- commands ---
    void FileNewExecute();
    void FileLoadExecute();
    // Opens a file without a dialog (a file named on the command line).
    void OpenDocumentFile(const QString& path);
    void FileSaveExecute();
    void FileSaveasExecute();
    void FileExitExecute();
    void MakeCppFileExecute();
    void FileImportSmlExecute();
    void FileExportSmlExecute();
    void ItemFullExpandExecute();
    void ItemFullCollapseExecute();
    void OptionConfigExecute();
    void ToolViewTextSMLExecute();
    void ToolPreviewExecute();
    void ToolStructCheckExecute();
    void ToolProblemsExecute();
    void ToolStayOnTopExecute();
    void HelpHelpExecute();
    void HelpWhatsNewExecute();
    void HelpAboutExecute();
    // F3 and Shift+F3: the next or previous node matching the find bar's text.
    void FindNextExecute(bool backward);

    // --- tree handlers ---
    void TreeView1Change();
    void TreeView1DblClick();
    void TreeView1Enter();
    void TreeView1Exit();
    // Esc: the selection has just been cleared; now the clipboard goes.
    void TreeView1Escape();

    // Runs a command: a platform failure ends it and is shown in an error box.
    void runCommand(const std::function<void()>& command);
    void showError(const QString& message);

    // --- for the program's own wiring and its tests ---
    // Every command by its name.
    QAction* action(const QString& name) const;
    QStringList actionNames() const;
    SmlTreeView* tree() const { return TreeView1; }
    SmlTextPane* memo() const { return Memo1; }
    FindBar* findBar() const { return m_findBar; }
    ProblemsPane* problems() const { return m_problems; }
    PreviewPane* previewPane() const { return m_preview; }
    CommPane* commPane() const { return m_comm; }
    bool memoShown() const;
    // The text pane's text as the user sees it when the pane is shown.
    QString memoText() const;
    QString statusPanelText(int panel) const;
    // The caption without the changes mark: the title of the message boxes.
    QString applicationTitle() const;
    QMenuBar* mainMenuBar() const { return m_bars.ActionMainMenuBar1; }
    QToolBar* toolBar1() const { return m_bars.ActionToolBar1; }
    QToolBar* toolBar2() const { return m_bars.ActionToolBar2; }
    QMenu* popupMenu() const { return m_bars.PopupMenu1; }
    TfmMsgEdit* msgEdit() const { return fmMsgEdit; }
    TfmItemEdit* itemEdit() const { return fmItemEdit; }
    TAboutBox* aboutBox() const { return AboutBox; }
    TfmConfig* config() const { return fmConfig; }
    ItemCommands* itemCommands() const { return m_itemCommands; }
    // The folder the file dialogs start in: the executable's folder.
    QString initialDir() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    using Handler = void (TfmMain::*)();
    void createActions();
    void createControls();
    void createPanes();
    void createStatusBar();
    void createMenusAndBars();
    void createDialogs();
    void connectParts();
    void FormCreate();
    void FormResize();
    // The window's own commands by the document's presence.
    void updateActions();
    void documentReplaced(const QByteArray* fileText);
    // A collapse that hides the selected node moves the selection to the
    // collapsed node, so that no hidden node is the target of a command.
    void TreeView1Collapsed(const QModelIndex& index);

    // The narrowest the tree and the text pane become beside the panes.
    static constexpr int kTreeMinimumWidth = 250;
    static constexpr int kTextPaneMinimumWidth = 120;

    GuiPrompter& m_prompter;
    SmlDocument* m_doc = nullptr;
    DocumentSession* m_session = nullptr;
    QList<QAction*> m_commands; // the window's own, in the order made

    QSplitter* m_split = nullptr;
    SmlTreeView* TreeView1 = nullptr;
    SmlTextPane* Memo1 = nullptr;
    QLabel* m_panels[3] = {nullptr, nullptr, nullptr};
    FindBar* m_findBar = nullptr;
    ProblemsPane* m_problems = nullptr;
    PreviewPane* m_preview = nullptr;
    CommPane* m_comm = nullptr;

    WindowActions m_act;
    MainBars m_bars;
    bool m_collapsing = false; // a whole subtree is being collapsed (F12)

    TfmMsgEdit* fmMsgEdit = nullptr;
    TfmItemEdit* fmItemEdit = nullptr;
    TAboutBox* AboutBox = nullptr;
    TfmConfig* fmConfig = nullptr;
    ItemCommands* m_itemCommands = nullptr;
};

} // namespace pravik
