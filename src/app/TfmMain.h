#pragma once

#include "document/DocumentState.h"
#include "editing/EditorHost.h"

#include <QByteArray>
#include <QHash>
#include <QMainWindow>
#include <QString>
#include <functional>

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QStatusBar;
class QToolBar;

namespace pravik {

class FindBar;
class ItemCommands;
class NodeDelegate;
class GuiPrompter;
class PreviewPane;
class ProblemsPane;
class SmlDocument;
class SmlNode;
class SmlTreeView;
class TextPane;
class TAboutBox;
class TfmConfig;
class TfmItemEdit;
class TfmMsgEdit;

// The main window. It owns the document (the tree shown by TreeView1) and
// the document state for the whole run, carries every command as one
// QAction, and creates the program's dialogs once, right after itself.
class TfmMain : public QMainWindow, public EditorHost {
    Q_OBJECT
public:
    explicit TfmMain(GuiPrompter& prompter, QWidget* parent = nullptr);
    ~TfmMain() override;

    static const QString kUntitledName; // "NoName.sml"
    static const QString kFileFilter;

    QString ProductName;
    QString Version;

    // --- EditorHost ---
    SmlDocument& document() override { return *m_doc; }
    DocumentState& state() override { return m_state; }
    GuiPrompter& prompter() override { return m_prompter; }
    SmlNode* selectedNode() const override;
    void selectNode(SmlNode* node) override;
    void setPasteEnabled(bool enabled) override;

    // Unsaved changes: the undo stack is away from the state last saved.
    bool isModified() const;

    // --- commands ---
    void FileNewExecute();
    void FileLoadExecute();
    // The part of Open after the file dialog, also used for a file named on
    // the command line. Throws PlatformError("Cannot open file %s") before
    // anything changes when the file cannot be read.
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
    // Shows or hides the problems pane ("문제 목록").
    void ToolProblemsExecute();
    void ToolStayOnTopExecute();
    void HelpHelpExecute();
    void HelpWhatsNewExecute();
    void HelpAboutExecute();
    void ItemUndoExecute();
    void ItemRedoExecute();
    void ItemFindExecute();
    // F3 and Shift+F3: the next or previous node matching the find bar's text.
    void FindNextExecute(bool backward);

    // --- tree handlers ---
    void TreeView1Change();
    void TreeView1DblClick();
    void TreeView1Enter();
    void TreeView1Exit();
    // Esc: the selection has just been cleared; now the clipboard goes.
    void TreeView1Escape();

    // Moves the text pane's caret to the first line holding "<" + the
    // message's text; does nothing for lists, items or no node.
    void ShowMessageLine(SmlNode* node);

    // Runs a command: a platform failure ends it and is shown in an error box.
    void runCommand(const std::function<void()>& command);
    void showError(const QString& message);

    // --- for the program's own wiring and its tests ---
    QAction* action(const QString& name) const { return m_actions.value(name); }
    QStringList actionNames() const { return m_actionOrder; }
    SmlTreeView* tree() const { return TreeView1; }
    TextPane* memo() const { return Memo1; }
    FindBar* findBar() const { return m_findBar; }
    ProblemsPane* problems() const { return m_problems; }
    PreviewPane* previewPane() const { return m_preview; }
    bool memoShown() const { return m_memoShown; }
    // The pane's text as the user sees it when the pane is shown.
    QString memoText() const;
    QString statusPanelText(int panel) const;
    QString applicationTitle() const { return m_applicationTitle; }
    QMenuBar* mainMenuBar() const { return ActionMainMenuBar1; }
    QToolBar* toolBar1() const { return ActionToolBar1; }
    QToolBar* toolBar2() const { return ActionToolBar2; }
    QMenu* popupMenu() const { return PopupMenu1; }
    TfmMsgEdit* msgEdit() const { return fmMsgEdit; }
    TfmItemEdit* itemEdit() const { return fmItemEdit; }
    TAboutBox* aboutBox() const { return AboutBox; }
    TfmConfig* config() const { return fmConfig; }
    ItemCommands* itemCommands() const { return m_itemCommands; }
    // The folder the file dialogs start in: the executable's folder.
    QString initialDir() const { return m_initialDir; }

    // Replaces a file name's extension (or appends one), the way the ".cfg"
    // file is found beside the document.
    static QString ChangeFileExt(const QString& fileName, const QString& ext);
    // A caption as Qt shows it: a trailing "&" marks no access key and goes;
    // of several access keys the last one stays.
    static QString QtCaption(const QString& caption);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FormCreate();
    bool FormCloseQuery();
    void FormResize();

    void createActions();
    void createMenusAndBars();
    void createControls();
    void createDialogs();
    QAction* addCommand(const QString& name, const QString& category, const QString& caption,
                        const QString& hint, const QKeySequence& shortcut, const QString& icon,
                        void (TfmMain::*handler)());
    // Sets every command's enabled state (and the undo and redo captions)
    // from the window's state: whether a document exists, the item commands'
    // state below, the undo stack.
    void updateActions();
    // A collapse that hides the selected node moves the selection to the
    // collapsed node, so that no hidden node is the target of a command.
    void TreeView1Collapsed(const QModelIndex& index);
    void UpdateCaption();

    // Asks before the current document is given up; false when cancelled.
    bool GiveUpDocument();
    bool SaveAsDialog(); // the shared part of Save As and the close query
    void EnableDocumentCommands();
    // The caption: the program and the document's path, with " *" while
    // there are unsaved changes.
    void SetCaption(const QString& caption);

    void setMemoText(const QString& text);
    void setMemoFromFile(const QByteArray& bytes);

    GuiPrompter& m_prompter;
    SmlDocument* m_doc = nullptr;
    DocumentState m_state;
    QString m_applicationTitle;
    QString m_initialDir;

    QWidget* CoolBar1 = nullptr;
    QMenuBar* ActionMainMenuBar1 = nullptr;
    QToolBar* ActionToolBar1 = nullptr;
    QToolBar* ActionToolBar2 = nullptr;
    SmlTreeView* TreeView1 = nullptr;
    NodeDelegate* m_delegate = nullptr;
    TextPane* Memo1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLabel* m_panels[3] = {nullptr, nullptr, nullptr};
    QMenu* PopupMenu1 = nullptr;
    FindBar* m_findBar = nullptr;
    ProblemsPane* m_problems = nullptr;
    PreviewPane* m_preview = nullptr;

    QHash<QString, QAction*> m_actions; // by name, for the program's tests
    QStringList m_actionOrder;

    // The commands.
    QAction* FileNew = nullptr;
    QAction* FileLoad = nullptr;
    QAction* FileSave = nullptr;
    QAction* FileSaveas = nullptr;
    QAction* FileImportSml = nullptr;
    QAction* FileExportSml = nullptr;
    QAction* MakeCppFile = nullptr;
    QAction* FileExit = nullptr;
    QAction* ItemUndo = nullptr;
    QAction* ItemRedo = nullptr;
    QAction* ItemAdd = nullptr;
    QAction* ItemAddSub = nullptr;
    QAction* ItemMoveUp = nullptr;
    QAction* ItemMoveDown = nullptr;
    QAction* ItemEdit = nullptr;
    QAction* ItemCut = nullptr;
    QAction* ItemCopy = nullptr;
    QAction* ItemPaste = nullptr;
    QAction* ItemDelete = nullptr;
    QAction* ItemFullExpand = nullptr;
    QAction* ItemFullCollapse = nullptr;
    QAction* ItemFind = nullptr;
    QAction* OptionConfig = nullptr;
    QAction* ToolViewTextSML = nullptr;
    QAction* ToolPreview = nullptr;
    QAction* ToolStructCheck = nullptr;
    QAction* ToolProblems = nullptr;
    QAction* ToolStayOnTop = nullptr;
    QAction* HelpHelp = nullptr;
    QAction* HelpWhatsNew = nullptr;
    QAction* HelpAbout = nullptr;
    // F3 and Shift+F3, wherever the focus is in the window.
    QAction* m_findNext = nullptr;
    QAction* m_findPrevious = nullptr;

    // The enabled state of the item commands: set by the tree's handlers
    // and the file commands, applied by updateActions().
    struct ItemCommandState {
        bool add = false, addSub = false, moveUp = false, moveDown = false, edit = false,
             cut = false, copy = false, paste = false, del = false, fullExpand = false,
             fullCollapse = false;
        void all(bool on) {
            add = addSub = moveUp = moveDown = edit = cut = copy = paste = del = fullExpand =
                fullCollapse = on;
        }
    } m_items;
    bool m_collapsing = false; // a whole subtree is being collapsed (F12)
    QString m_caption;         // without the changes mark

    TfmMsgEdit* fmMsgEdit = nullptr;
    TfmItemEdit* fmItemEdit = nullptr;
    TAboutBox* AboutBox = nullptr;
    TfmConfig* fmConfig = nullptr;
    ItemCommands* m_itemCommands = nullptr;

    // The pane's text, '\n' between lines so that character positions match
    // the text control's. A file opened while the pane is hidden is kept as
    // bytes until someone asks: showing the pane regenerates it anyway.
    bool m_memoShown = false;
    mutable QString m_memoText;
    mutable QByteArray m_memoRaw;
    mutable bool m_memoRawPending = false;
};

} // namespace pravik
