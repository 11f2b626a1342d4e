#include "editing/ItemCommands.h"

#include "editing/EditorHost.h"

namespace pravik {

// Not built yet: the editing commands arrive with the editing work.
ItemCommands::ItemCommands(EditorHost& host, TfmMsgEdit& msgEdit, TfmItemEdit& itemEdit, QObject* parent)
    : QObject(parent), m_host(host), m_msgEdit(msgEdit), m_itemEdit(itemEdit) {}

void ItemCommands::ItemAddExecute() {}
void ItemCommands::ItemAddSubExecute() {}
void ItemCommands::ItemEditExecute() {}
void ItemCommands::ItemDeleteExecute() {}
void ItemCommands::ItemMoveUpExecute() {}
void ItemCommands::ItemMoveDownExecute() {}
void ItemCommands::ItemCutExecute() {}
void ItemCommands::ItemCopyExecute() {}
void ItemCommands::ItemPasteExecute() {}
bool ItemCommands::TreeView1DragOver(SmlNode*, SmlNode*) const { return false; }
void ItemCommands::TreeView1DragDrop(SmlNode*, SmlNode*) {}

} // namespace pravik
