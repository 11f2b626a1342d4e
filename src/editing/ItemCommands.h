#pragma once

#include <QObject>

namespace pravik {

class EditorHost;
class SmlDocument;
class SmlNode;
class TfmItemEdit;
class TfmMsgEdit;

// The editing commands of the tree: add, edit, delete, move, cut, copy,
// paste, and the drag-and-drop rules. The main window connects its actions
// and its tree view's drag events to these.
class ItemCommands : public QObject {
    Q_OBJECT
public:
    ItemCommands(EditorHost& host, TfmMsgEdit& msgEdit, TfmItemEdit& itemEdit,
                 QObject* parent = nullptr);

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

private:
    // Empties the clipboard; a cut node waiting there loses its mark.
    void forgetClipboard();
    // Records node in the clipboard with or without the cut mark.
    void recordClipboard(bool cut);
    // After an edit: notes the selections for undo and redo on the step
    // just pushed (when changed is not null) and selects select.
    void finish(SmlNode* before, SmlNode* changed, SmlNode* select);
    bool runMessageDialog(bool editMode);
    bool runItemDialog(bool editMode);

    EditorHost& m_host;
    TfmMsgEdit& m_msgEdit;
    TfmItemEdit& m_itemEdit;
};

} // namespace pravik
