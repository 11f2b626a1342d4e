#include "editing/ItemCommands.h"

#include "document/DocumentOperations.h"
#include "document/DocumentState.h"
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

// Tells whether a command really changed the document, so that Modified is
// set exactly then: structural changes are caught from the model's signals,
// text and image changes by comparing the few nodes the command may rewrite.
class ChangeWatch {
public:
    ChangeWatch(SmlDocument& doc, std::initializer_list<SmlNode*> nodes) {
        for (SmlNode* n : nodes)
            if (n)
                m_nodes.push_back({n, n->Text(), n->ImageIndex()});
        auto mark = [this] { m_structural = true; };
        m_connections = {
            QObject::connect(&doc, &QAbstractItemModel::rowsInserted, mark),
            QObject::connect(&doc, &QAbstractItemModel::rowsRemoved, mark),
            QObject::connect(&doc, &QAbstractItemModel::rowsMoved, mark),
            QObject::connect(&doc, &QAbstractItemModel::layoutChanged, mark),
            QObject::connect(&doc, &QAbstractItemModel::modelReset, mark),
        };
    }
    ~ChangeWatch() {
        for (const auto& c : m_connections)
            QObject::disconnect(c);
    }
    ChangeWatch(const ChangeWatch&) = delete;
    ChangeWatch& operator=(const ChangeWatch&) = delete;

    bool changed() const {
        if (m_structural)
            return true;
        for (const Snapshot& s : m_nodes)
            if (s.node->Text() != s.text || s.node->ImageIndex() != s.image)
                return true;
        return false;
    }

private:
    struct Snapshot {
        SmlNode* node;
        QByteArray text;
        int image;
    };
    std::vector<Snapshot> m_nodes;
    std::vector<QMetaObject::Connection> m_connections;
    bool m_structural = false;
};

} // namespace

ItemCommands::ItemCommands(EditorHost& host, TfmMsgEdit& msgEdit, TfmItemEdit& itemEdit,
                           QObject* parent)
    : QObject(parent), m_host(host), m_msgEdit(msgEdit), m_itemEdit(itemEdit) {}

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

void ItemCommands::ItemAddExecute() {
    SmlDocument& doc = m_host.document();
    SmlNode* selected = m_host.selectedNode();
    SmlNode* added = nullptr;
    if (!selected || selected->Kind() == NodeKind::Message) {
        if (!runMessageDialog(false))
            return;
        // New messages always join the top level, also beside a message-like
        // node that a file nested below another.
        SmlNode* beside = selected && selected->isTopLevel() ? selected : nullptr;
        added = ApplyMessageDialog(doc, beside, DialogMode::AddSibling, m_msgEdit.fields());
    } else {
        if (!runItemDialog(false))
            return;
        added = ApplyItemDialog(doc, selected, DialogMode::AddSibling, m_itemEdit.fields());
    }
    m_host.state().Modified = true;
    m_host.selectNode(added);
}

void ItemCommands::ItemAddSubExecute() {
    SmlNode* selected = m_host.selectedNode();
    // Without a selection a list or item would land at the top level, where
    // only messages belong.
    if (!selected)
        return;
    if (!runItemDialog(false))
        return;
    SmlNode* added =
        ApplyItemDialog(m_host.document(), selected, DialogMode::AddChild, m_itemEdit.fields());
    m_host.state().Modified = true;
    m_host.selectNode(added);
}

void ItemCommands::ItemEditExecute() {
    SmlDocument& doc = m_host.document();
    SmlNode* selected = m_host.selectedNode();
    if (!selected)
        return;
    SmlNode* edited = nullptr;
    ChangeWatch watch(doc, {selected, selected->parent()});
    if (selected->isTopLevel()) {
        m_msgEdit.prefill(selected->Text());
        if (!runMessageDialog(true))
            return;
        edited = ApplyMessageDialog(doc, selected, DialogMode::Edit, m_msgEdit.fields());
    } else {
        m_itemEdit.prefill(selected->Text());
        if (!runItemDialog(true))
            return;
        edited = ApplyItemDialog(doc, selected, DialogMode::Edit, m_itemEdit.fields());
    }
    if (watch.changed())
        m_host.state().Modified = true;
    m_host.selectNode(edited);
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
        return;
    SmlNode* parent = selected->parent();
    if (parent)
        RefreshListCount(doc, parent, parent->childCount() - 1);
    // A neighbour takes over the selection: the next sibling, else the
    // previous one, else the parent.
    const int row = selected->row();
    const int siblings = doc.childCountOf(parent);
    SmlNode* neighbour = row + 1 < siblings
                             ? (parent ? parent->child(row + 1) : doc.topLevel(row + 1))
                         : row > 0 ? (parent ? parent->child(row - 1) : doc.topLevel(row - 1))
                                   : parent;
    forgetClipboard();
    doc.removeNode(selected);
    m_host.state().Modified = true;
    m_host.selectNode(neighbour);
}

void ItemCommands::ItemMoveUpExecute() {
    SmlNode* selected = m_host.selectedNode();
    if (!selected || selected->row() == 0)
        return;
    if (m_host.document().moveNode(selected, selected->parent(), selected->row() - 1)) {
        m_host.state().Modified = true;
        m_host.selectNode(selected);
    }
}

void ItemCommands::ItemMoveDownExecute() {
    SmlNode* selected = m_host.selectedNode();
    if (!selected)
        return;
    SmlDocument& doc = m_host.document();
    const int siblings = doc.childCountOf(selected->parent());
    if (selected->row() + 1 >= siblings)
        return;
    // Before the sibling after next, or to the end when there is none.
    if (doc.moveNode(selected, selected->parent(), selected->row() + 2)) {
        m_host.state().Modified = true;
        m_host.selectNode(selected);
    }
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
    DocumentState& state = m_host.state();
    SmlNode* clip = state.ClipboardNode;
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
            m_host.setCommandEnabled(QStringLiteral("ItemPaste"), false);
        }
        return;
    }

    if (clip->IsCut()) {
        SmlNode* oldParent = clip->parent();
        ChangeWatch watch(doc, {oldParent, target});
        if (isMessage) {
            doc.moveNode(clip, nullptr, doc.topLevelCount());
            SortMessages(doc);
            m_host.selectNode(clip);
        } else if (target) {
            if (oldParent)
                RefreshListCount(doc, oldParent, oldParent->childCount() - 1);
            doc.moveNode(clip, target, target->childCount());
            m_host.selectNode(clip);
            RefreshListCount(doc, target, target->childCount());
        }
        forgetClipboard();
        m_host.setCommandEnabled(QStringLiteral("ItemPaste"), false);
        if (watch.changed())
            state.Modified = true;
        return;
    }

    // A copy: the clipboard keeps the original for further pastes.
    if (isMessage) {
        SmlNode* copy = doc.insertSubtree(nullptr, doc.topLevelCount(), clip->clone());
        SortMessages(doc);
        m_host.selectNode(copy);
    } else if (target) {
        SmlNode* copy = doc.insertSubtree(target, target->childCount(), clip->clone());
        m_host.selectNode(copy);
        RefreshListCount(doc, target, target->childCount());
    } else {
        return; // nowhere to put a list or item
    }
    state.Modified = true;
}

SmlNode* ItemCommands::PreviousPreOrder(const SmlDocument& doc, const SmlNode* node) {
    if (!node)
        return nullptr;
    SmlNode* parent = node->parent();
    if (node->row() == 0)
        return parent;
    SmlNode* previous = parent ? parent->child(node->row() - 1) : doc.topLevel(node->row() - 1);
    while (previous->childCount() > 0)
        previous = previous->child(previous->childCount() - 1);
    return previous;
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

void ItemCommands::TreeView1DragDrop(SmlNode* dragged, SmlNode* target) {
    if (!TreeView1DragOver(dragged, target))
        return;
    // Messages stay at the top level: a message dropped on a message leaves
    // the document as it is.
    if (dragged->Kind() == NodeKind::Message)
        return;
    SmlDocument& doc = m_host.document();
    SmlNode* oldParent = dragged->parent();
    ChangeWatch watch(doc, {oldParent, target});
    if (oldParent)
        RefreshListCount(doc, oldParent, oldParent->childCount() - 1);
    doc.moveNode(dragged, target, target->childCount());
    RefreshListCount(doc, target, target->childCount());
    if (watch.changed())
        m_host.state().Modified = true;
    m_host.selectNode(dragged);
}

} // namespace pravik
