#pragma once

#include <QObject>
#include <functional>

class QAction;

namespace pravik {

class EditorHost;
class SmlDocument;
class SmlNode;
class TfmItemEdit;
class TfmMsgEdit;

// The commands that work on the tree: their actions, their handlers, the
// clipboard with its cut mark, the selections to restore after undo and
// redo, and the one place that enables them (updateActions). The window
// only places the actions on its menus and bars and tells what happened to
// the tree view (focus, selection); commands that need the view itself
// (expand, collapse, find) are asked for through signals.
class ItemCommands : public QObject {
    Q_OBJECT
public:
    ItemCommands(EditorHost& host, TfmMsgEdit& msgEdit, TfmItemEdit& itemEdit,
                 QObject* parent = nullptr);

    // --- the actions -----------------------------------------------------
    QAction* ItemUndo() const { return m_undo; }
    QAction* ItemRedo() const { return m_redo; }
    QAction* ItemAdd() const { return m_add; }
    QAction* ItemAddSub() const { return m_addSub; }
    QAction* ItemMoveUp() const { return m_moveUp; }
    QAction* ItemMoveDown() const { return m_moveDown; }
    QAction* ItemEdit() const { return m_edit; }
    QAction* ItemCut() const { return m_cut; }
    QAction* ItemCopy() const { return m_copy; }
    QAction* ItemPaste() const { return m_paste; }
    QAction* ItemDelete() const { return m_delete; }
    QAction* ItemFullExpand() const { return m_fullExpand; }
    QAction* ItemFullCollapse() const { return m_fullCollapse; }
    QAction* ItemFind() const { return m_find; }
    // Every action above, in the order of the Item menu.
    QList<QAction*> actions() const;

    // Runs a handler; the window passes one that reports platform failures.
    void setCommandRunner(std::function<void(const std::function<void()>&)> runner);

    // --- what the enabling works from ---------------------------------------
    // A document exists (after New or Open).
    void setDocumentOpen(bool open);
    // The tree got or lost the keyboard focus. After it gets it back only
    // ItemAdd is offered until the selection changes.
    void treeFocusEntered();
    void treeFocusLeft();
    // The tree's selection changed (whoever changed it): the commands follow
    // the new selection.
    void selectionChanged();
    // Sets every action's enabled state and the undo and redo captions from:
    // a document open, the tree's focus, the selected node's kind, the
    // clipboard and the undo stack.
    void updateActions();

    // --- the clipboard -----------------------------------------------------
    // The node last cut or copied; never a node that has left the tree.
    SmlNode* clipboardNode() const { return m_clipboard; }
    // Records node in the clipboard, with the cut mark when cut.
    void setClipboard(SmlNode* node, bool cut);
    // Empties the clipboard; a cut node waiting there loses its mark. Without
    // update the commands keep their state until the next selection change
    // (Esc in the tree, after the selection handling has run).
    void forgetClipboard(bool update = true);
    // True while the message or item dialog edits the selected node, false
    // while it adds one.
    bool editMode() const { return m_editMode; }

    // --- the handlers ------------------------------------------------------
    void ItemUndoExecute();
    void ItemRedoExecute();
    void ItemAddExecute();
    void ItemAddSubExecute();
    void ItemEditExecute();
    void ItemDeleteExecute();
    void ItemMoveUpExecute();
    void ItemMoveDownExecute();
    void ItemCutExecute();
    void ItemCopyExecute();
    void ItemPasteExecute();

    // Whether dragged may be dropped on target.
    bool TreeView1DragOver(SmlNode* dragged, SmlNode* target) const;
    // Drops dragged on target (after TreeView1DragOver accepted it): moves
    // it, or with copy a copy of it.
    void TreeView1DragDrop(SmlNode* dragged, SmlNode* target, bool copy = false);

signals:
    void expandRequested(pravik::SmlNode* node);
    void collapseRequested(pravik::SmlNode* node);
    void findRequested();

private:
    enum class Focus { Held, Regained, Lost };
    QAction* makeAction(const char* name, const QString& caption, const QString& hint,
                        const QKeySequence& shortcut, const char* icon,
                        void (ItemCommands::*handler)());
    void createActions();
    void connectDocument();
    void updateUndoActions();
    // After an edit: notes the selections for undo and redo on the step
    // just pushed (when changed is not null) and selects select.
    void finish(SmlNode* before, SmlNode* changed, SmlNode* select);
    bool runMessageDialog(bool editMode);
    bool runItemDialog(bool editMode);
    void refusePaste();
    void pasteCut(SmlNode* clip, SmlNode* target);

    EditorHost& m_host;
    TfmMsgEdit& m_msgEdit;
    TfmItemEdit& m_itemEdit;
    std::function<void(const std::function<void()>&)> m_run;
    SmlNode* m_clipboard = nullptr;
    bool m_editMode = false;
    bool m_documentOpen = false;
    Focus m_focus = Focus::Held;

    QAction* m_undo = nullptr;
    QAction* m_redo = nullptr;
    QAction* m_add = nullptr;
    QAction* m_addSub = nullptr;
    QAction* m_moveUp = nullptr;
    QAction* m_moveDown = nullptr;
    QAction* m_edit = nullptr;
    QAction* m_cut = nullptr;
    QAction* m_copy = nullptr;
    QAction* m_paste = nullptr;
    QAction* m_delete = nullptr;
    QAction* m_fullExpand = nullptr;
    QAction* m_fullCollapse = nullptr;
    QAction* m_find = nullptr;
};

} // namespace pravik
