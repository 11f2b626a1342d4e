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

class ItemCommands;
class NodeDelegate;
class GuiPrompter;
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
    void setCommandEnabled(const QString& actionName, bool enabled) override;

    // --- commands ---
    void FileNewExecute();
    void FileLoadExecute();
    void FileSaveExecute();
    void FileSaveasExecute();
    void FileExitExecute();
    void MakeCppFileExecute();
    void ItemFullExpandExecute();
    void ItemFullCollapseExecute();
    void OptionConfigExecute();
    void ToolViewTextSMLExecute();
    void ToolStructCheckExecute();
    void ToolStayOnTopExecute();
    void HelpHelpExecute();
    void HelpWhatsNewExecute();
    void HelpAboutExecute();

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

    // Asks before the current document is given up; false when cancelled.
    bool GiveUpDocument();
    bool SaveAsDialog(); // the shared part of Save As and the close query
    void EnableDocumentCommands();
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

    QHash<QString, QAction*> m_actions;
    QStringList m_actionOrder;

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
