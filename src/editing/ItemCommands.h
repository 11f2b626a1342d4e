#pragma once

#include <QObject>

namespace pravik {

class EditorHost;
class SmlNode;
class TfmItemEdit;
class TfmMsgEdit;

// The editing commands of the tree: add, edit, delete, move, cut, copy,
// paste, and the drag-and-drop rules. The main window connects its actions
// and its tree view's drag events to these.
class ItemCommands : public QObject {
    Q_OBJECT
public:
    ItemCommands(EditorHost& host, TfmMsgEdit& msgEdit, TfmItemEdit& itemEdit, QObject* parent = nullptr);

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
    // Drops dragged on target (after TreeView1DragOver accepted it).
    void TreeView1DragDrop(SmlNode* dragged, SmlNode* target);

private:
    EditorHost& m_host;
    TfmMsgEdit& m_msgEdit;
    TfmItemEdit& m_itemEdit;
};

} // namespace pravik
