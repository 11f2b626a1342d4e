#include "editing/ItemCommands.h"

#include "document/DocumentEdit.h"
#include "document/DocumentOperations.h"
#include "document/DocumentState.h"
#include "document/EditCommands.h"
#include "document/NodeSearch.h"
#include "document/SmlDocument.h"
#include "editing/EditorHost.h"
#include "editing/TfmItemEdit.h"
#include "editing/TfmMsgEdit.h"
#include "gui/GuiPrompter.h"

#include <QDialog>
#include <vector>

namespace pravik {

namespace {

const QString kPasteRefused = QStringLiteral("아이템을 붙일수 없습니다.");
const QString kConfirmDelete = QStringLiteral("정말로 지우겠습니까?");

} // namespace

ItemCommands::ItemCommands(EditorHost& host, TfmMsgEdit& msgEdit, TfmItemEdit& itemEdit,
                           QObject* parent)
    : QObject(parent), m_host(host), m_msgEdit(msgEdit), m_itemEdit(itemEdit) {
    // The clipboard and the cut mark let go of a node that leaves the tree,
    // also when an undo or redo takes it out.
    connect(&host.document(), &SmlDocument::nodesAboutToBeRemoved, this,
            [this](SmlNode* subtreeRoot) {
                SmlNode* clip = m_host.state().ClipboardNode;
                if (clip && subtreeRoot->isAncestorOf(clip))
                    forgetClipboard();
            });
    // Emptying the tree (New, Open) takes the clipboard's node with it.
    connect(&host.document(), &SmlDocument::documentAboutToBeReset, this,
            [this] { m_host.state().ClipboardNode = nullptr; });
}

bool ItemCommands::runMessageDialog(bool editMode) {
    m_host.state().EditMode = editMode;
    m_msgEdit.setEditMode(editMode);
    return m_host.prompter().runDialog(&m_msgEdit) == QDialog::Accepted;
}

bool ItemCommands::runItemDialog(bool editMode) {
    m_host.state().EditMode = editMode;
    m_itemEdit.setEditMode(editMode);
    return m_host.prompter().runDialog(&m_itemEdit) == QDialog::Accepted;
}

void ItemCommands::finish(SmlNode* before, SmlNode* changed, SmlNode* select) {
    // The step remembers where the selection was and where it goes, for
    // undo and redo to put it back.
    if (changed) {
        if (DocumentEdit* edit = m_host.document().lastEdit()) {
            edit->selectAfterUndo = before;
            edit->selectAfterRedo = select;
        }
    }
    m_host.selectNode(select);
}

void ItemCommands::ItemAddExecute() {
    SmlDocument& doc = m_host.document();
    SmlNode* selected = m_host.selectedNode();
    if (!selected || selected->Kind() == NodeKind::Message) {
        if (!runMessageDialog(false))
            return m_host.selectNode(selected);
        // New messages always join the top level, also beside a message-like
        // node that a file nested below another.
        SmlNode* beside = selected && selected->isTopLevel() ? selected : nullptr;
        SmlNode* added = EditCommands::AddMessage(doc, beside, m_msgEdit.fields());
        finish(selected, added, added);
    } else {
        if (!runItemDialog(false))
            return m_host.selectNode(selected);
        SmlNode* added =
            EditCommands::AddItem(doc, selected, DialogMode::AddSibling, m_itemEdit.fields());
        finish(selected, added, added);
    }
}

void ItemCommands::ItemAddSubExecute() {
    SmlNode* selected = m_host.selectedNode();
    // Without a selection a list or item would land at the top level, where
    // only messages belong.
    if (!selected)
        return;
    if (!runItemDialog(false))
        return m_host.selectNode(selected);
    SmlNode* added = EditCommands::AddItem(m_host.document(), selected, DialogMode::AddChild,
                                           m_itemEdit.fields());
    finish(selected, added, added);
}

void ItemCommands::ItemEditExecute() {
    SmlDocument& doc = m_host.document();
    SmlNode* selected = m_host.selectedNode();
    if (!selected)
        return;
    SmlNode* edited = nullptr;
    if (selected->isTopLevel()) {
        m_msgEdit.prefill(selected->Text());
        if (!runMessageDialog(true))
            return m_host.selectNode(selected);
        edited = EditCommands::EditMessage(doc, selected, m_msgEdit.fields());
    } else {
        m_itemEdit.prefill(selected->Text());
        if (!runItemDialog(true))
            return m_host.selectNode(selected);
        edited = EditCommands::EditItem(doc, selected, m_itemEdit.fields());
    }
    finish(selected, edited, selected);
}

void ItemCommands::ItemDeleteExecute() {
    SmlDocument& doc = m_host.document();
    SmlNode* selected = m_host.selectedNode();
    if (!selected)
        return;
    const Prompter::Answer answer =
        m_host.prompter().messageBox(Prompter::Icon::Question, QStringLiteral("Confirm"),
                                     kConfirmDelete, Prompter::Buttons::YesNo);
    if (answer != Prompter::Answer::Yes)
        return m_host.selectNode(selected);
    // A neighbour takes over the selection: the next sibling, else the
    // previous one, else the parent.
    SmlNode* parent = selected->parent();
    const int row = selected->row();
    const int siblings = doc.childCountOf(parent);
    SmlNode* neighbour = row + 1 < siblings
                             ? (parent ? parent->child(row + 1) : doc.topLevel(row + 1))
                         : row > 0 ? (parent ? parent->child(row - 1) : doc.topLevel(row - 1))
                                   : parent;
    forgetClipboard();
    EditCommands::DeleteNode(doc, selected, neighbour);
    finish(selected, selected, neighbour);
}

void ItemCommands::ItemMoveUpExecute() {
    SmlNode* selected = m_host.selectedNode();
    if (!selected)
        return;
    if (SmlNode* moved = EditCommands::MoveUp(m_host.document(), selected))
        finish(selected, moved, moved);
}

void ItemCommands::ItemMoveDownExecute() {
    SmlNode* selected = m_host.selectedNode();
    if (!selected)
        return;
    if (SmlNode* moved = EditCommands::MoveDown(m_host.document(), selected))
        finish(selected, moved, moved);
}

void ItemCommands::forgetClipboard() {
    DocumentState& state = m_host.state();
    if (state.ClipboardNode)
        m_host.document().setCut(state.ClipboardNode, false);
    state.ClipboardNode = nullptr;
}

void ItemCommands::recordClipboard(bool cut) {
    SmlNode* selected = m_host.selectedNode();
    if (!selected)
        return;
    forgetClipboard();
    m_host.document().setCut(selected, cut);
    m_host.state().ClipboardNode = selected;
}

void ItemCommands::ItemCutExecute() {
    recordClipboard(true);
}

void ItemCommands::ItemCopyExecute() {
    recordClipboard(false);
}

void ItemCommands::ItemPasteExecute() {
    SmlDocument& doc = m_host.document();
    SmlNode* clip = m_host.state().ClipboardNode;
    if (!clip)
        return;
    SmlNode* target = m_host.selectedNode();
    const bool isMessage = clip->Kind() == NodeKind::Message;

    if (target &&
        (clip->isAncestorOf(target) || (!isMessage && target->Kind() == NodeKind::Item))) {
        m_host.prompter().messageBox(Prompter::Icon::Error, QStringLiteral("Error"), kPasteRefused,
                                     Prompter::Buttons::Ok);
        if (clip->IsCut()) {
            forgetClipboard();
            m_host.setPasteEnabled(false);
        }
        return;
    }

    if (clip->IsCut()) {
        // A move: the node itself goes, and the clipboard lets go of it.
        SmlNode* moved = EditCommands::PasteCut(doc, clip, target);
        const bool placed = isMessage || target;
        forgetClipboard();
        m_host.setPasteEnabled(false);
        if (placed)
            finish(target, moved, clip);
        return;
    }

    // A copy: the clipboard keeps the original for further pastes.
    if (SmlNode* copy = EditCommands::PasteCopy(doc, clip, target))
        finish(target, copy, copy);
}

bool ItemCommands::TreeView1DragOver(SmlNode* dragged, SmlNode* target) const {
    if (!dragged || !target)
        return false;
    // Neither the dragged node's own subtree nor the node right before it
    // (a drop there would change nothing or lose the node in itself).
    if (dragged->isAncestorOf(target))
        return false;
    if (target == PreviousPreOrder(m_host.document(), dragged))
        return false;
    if (dragged->Kind() != NodeKind::Message)
        return true;
    return target->Kind() == NodeKind::Message;
}

void ItemCommands::TreeView1DragDrop(SmlNode* dragged, SmlNode* target, bool copy) {
    if (!TreeView1DragOver(dragged, target))
        return;
    SmlDocument& doc = m_host.document();
    if (copy) {
        if (SmlNode* made = EditCommands::DropCopy(doc, dragged, target))
            finish(dragged, made, made);
        return;
    }
    // Messages stay at the top level: a message dropped on a message leaves
    // the document as it is.
    SmlNode* moved = EditCommands::DropMove(doc, dragged, target);
    finish(dragged, moved, dragged);
}

} // namespace pravik
