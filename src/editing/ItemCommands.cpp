#include "editing/ItemCommands.h"

#include "document/DocumentEdit.h"
#include "document/DocumentOperations.h"
#include "document/EditCommands.h"
#include "document/SmlDocument.h"
#include "editing/EditorHost.h"
#include "editing/TfmItemEdit.h"
#include "editing/TfmMsgEdit.h"
#include "gui/ActionCaption.h"
#include "gui/GuiPrompter.h"

#include <QAction>
#include <QDialog>
#include <QIcon>
#include <QUndoStack>

namespace pravik {

namespace {

const QString kPasteRefused = QStringLiteral("아이템을 붙일수 없습니다.");
const QString kConfirmDelete = QStringLiteral("정말로 지우겠습니까?");

} // namespace

ItemCommands::ItemCommands(EditorHost& host, TfmMsgEdit& msgEdit, TfmItemEdit& itemEdit,
                           QObject* parent)
    : QObject(parent), m_host(host), m_msgEdit(msgEdit), m_itemEdit(itemEdit),
      m_run([](const std::function<void()>& command) { command(); }) {
    createActions();
    connectDocument();
    updateActions();
}

QAction* ItemCommands::makeAction(const char* name, const QString& caption, const QString& hint,
                                  const QKeySequence& shortcut, const char* icon,
                                  void (ItemCommands::*handler)()) {
    auto* a = new QAction(QtCaption(caption), this);
    a->setObjectName(QString::fromLatin1(name));
    a->setProperty("category", QStringLiteral("Items"));
    a->setToolTip(hint);
    a->setStatusTip(hint);
    a->setShortcut(shortcut);
    // The icons are the program's resources; without them the command has none.
    a->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(icon))));
    a->setEnabled(false);
    if (handler)
        connect(a, &QAction::triggered, this,
                [this, handler] { m_run([this, handler] { (this->*handler)(); }); });
    return a;
}

void ItemCommands::createActions() {
    using K = QKeySequence;
    using IC = ItemCommands;
    m_undo = makeAction("ItemUndo", "실행 취소&", "마지막 편집을 되돌립니다. (Ctrl + Z)",
                        K(Qt::CTRL | Qt::Key_Z), "item-undo", &IC::ItemUndoExecute);
    m_redo = makeAction("ItemRedo", "다시 실행&", "되돌린 편집을 다시 합니다. (Ctrl + Y)",
                        K(Qt::CTRL | Qt::Key_Y), "item-redo", &IC::ItemRedoExecute);
    m_redo->setShortcuts({K(Qt::CTRL | Qt::Key_Y), K(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    m_add = makeAction("ItemAdd", "추가...&", "새로운 아이템을 추가합니다. (Ins)",
                       K(Qt::Key_Insert), "item-add", &IC::ItemAddExecute);
    m_addSub =
        makeAction("ItemAddSub", "하위 추가...&", "새로운 하위 아이템을 추가합니다. (Ctrl + Ins)",
                   K(Qt::CTRL | Qt::Key_Insert), "item-addsub", &IC::ItemAddSubExecute);
    m_moveUp = makeAction("ItemMoveUp", "위로 이동&", "선택된 아이템을 위로 올립니다. (Ctrl + U)",
                          K(Qt::CTRL | Qt::Key_U), "item-moveup", &IC::ItemMoveUpExecute);
    m_moveDown =
        makeAction("ItemMoveDown", "아래로 이동&", "선택된 아이템을 아래로 내립니다. (Ctrl + D)",
                   K(Qt::CTRL | Qt::Key_D), "item-movedown", &IC::ItemMoveDownExecute);
    m_edit = makeAction("ItemEdit", "수정...&", "선택된 아이템을 편집합니다. (Ctrl + E)",
                        K(Qt::CTRL | Qt::Key_E), "item-edit", &IC::ItemEditExecute);
    m_cut = makeAction("ItemCut", "잘라내기&", "선택된 아이템을 잘라냅니다. (Ctrl + X)",
                       K(Qt::CTRL | Qt::Key_X), "item-cut", &IC::ItemCutExecute);
    m_copy = makeAction("ItemCopy", "복사&", "선택된 아이템을 복사합니다. (Ctrl + C)",
                        K(Qt::CTRL | Qt::Key_C), "item-copy", &IC::ItemCopyExecute);
    m_paste = makeAction("ItemPaste", "붙이기&", "복사나 잘라내기한 아이템을 붙입니다. (Ctrl + V)",
                         K(Qt::CTRL | Qt::Key_V), "item-paste", &IC::ItemPasteExecute);
    m_delete = makeAction("ItemDelete", "삭제&", "선택된 아이템을 지웁니다. (Del)",
                          K(Qt::Key_Delete), "item-delete", &IC::ItemDeleteExecute);
    m_fullExpand = makeAction("ItemFullExpand", "하위 확장&",
                              "선택된 아이템의 모든 하위 아이템을  보여줍니다. (F11)",
                              K(Qt::Key_F11), "item-fullexpand", nullptr);
    m_fullCollapse = makeAction("ItemFullCollapse", "하위 숨김&",
                                "선택된 아이템의 모든 하위 아이템을 숨깁니다. (F12)",
                                K(Qt::Key_F12), "item-fullcollapse", nullptr);
    m_find = makeAction("ItemFind", "찾기...&", "아이템을 찾습니다. (Ctrl + F)",
                        K(Qt::CTRL | Qt::Key_F), "item-find", nullptr);
    // The view's own business, asked for by signal.
    connect(m_fullExpand, &QAction::triggered, this,
            [this] { emit expandRequested(m_host.selectedNode()); });
    connect(m_fullCollapse, &QAction::triggered, this,
            [this] { emit collapseRequested(m_host.selectedNode()); });
    connect(m_find, &QAction::triggered, this, [this] { emit findRequested(); });
}

void ItemCommands::connectDocument() {
    SmlDocument& doc = m_host.document();
    // The clipboard and the cut mark let go of a node that leaves the tree,
    // also when an undo or redo takes it out.
    connect(&doc, &SmlDocument::nodesAboutToBeRemoved, this, [this](SmlNode* subtreeRoot) {
        if (m_clipboard && subtreeRoot->isAncestorOf(m_clipboard))
            forgetClipboard();
    });
    // Emptying the tree (New, Open) takes the clipboard's node with it.
    connect(&doc, &SmlDocument::documentAboutToBeReset, this, [this] {
        m_clipboard = nullptr;
        updateActions();
    });
    QUndoStack* undo = doc.undoStack();
    for (auto signal : {&QUndoStack::canUndoChanged, &QUndoStack::canRedoChanged})
        connect(undo, signal, this, &ItemCommands::updateUndoActions);
    for (auto signal : {&QUndoStack::undoTextChanged, &QUndoStack::redoTextChanged})
        connect(undo, signal, this, &ItemCommands::updateUndoActions);
}

QList<QAction*> ItemCommands::actions() const {
    return {m_undo, m_redo, m_add,   m_addSub, m_moveUp,     m_moveDown,     m_edit,
            m_cut,  m_copy, m_paste, m_delete, m_fullExpand, m_fullCollapse, m_find};
}

void ItemCommands::setCommandRunner(std::function<void(const std::function<void()>&)> runner) {
    m_run = std::move(runner);
}

// --- enabling ------------------------------------------------------------------

void ItemCommands::setDocumentOpen(bool open) {
    m_documentOpen = open;
    // New and Open offer ItemAdd at once, wherever the keyboard is.
    m_focus = Focus::Held;
    updateActions();
}

void ItemCommands::treeFocusEntered() {
    m_focus = Focus::Regained;
    updateActions();
}

void ItemCommands::treeFocusLeft() {
    m_focus = Focus::Lost;
    updateActions();
}

void ItemCommands::selectionChanged() {
    // A selection change offers the commands for the new selection, also
    // while the keyboard is elsewhere (a selection made by a command).
    m_focus = Focus::Held;
    updateActions();
}

void ItemCommands::updateActions() {
    const SmlNode* node = m_host.selectedNode();
    const bool held = m_documentOpen && m_focus == Focus::Held;
    const bool onNode = held && node;
    m_add->setEnabled(m_documentOpen && m_focus != Focus::Lost);
    m_addSub->setEnabled(onNode && EditCommands::CanPlace(m_host.document(), nullptr, node,
                                                          EditCommands::Placing::NewChild));
    for (QAction* a : {m_moveUp, m_moveDown, m_edit, m_cut, m_copy, m_delete})
        a->setEnabled(onNode);
    m_paste->setEnabled(held && m_clipboard);
    m_fullExpand->setEnabled(onNode && node->childCount() > 0);
    m_fullCollapse->setEnabled(onNode && node->childCount() > 0);
    m_find->setEnabled(m_documentOpen);
    updateUndoActions();
}

void ItemCommands::updateUndoActions() {
    // Undo and redo name the step they would take back or make again.
    const QUndoStack* undo = m_host.document().undoStack();
    m_undo->setEnabled(undo->canUndo());
    m_redo->setEnabled(undo->canRedo());
    m_undo->setText(undo->canUndo() ? QStringLiteral("실행 취소: ") + undo->undoText()
                                    : QStringLiteral("실행 취소"));
    m_redo->setText(undo->canRedo() ? QStringLiteral("다시 실행: ") + undo->redoText()
                                    : QStringLiteral("다시 실행"));
}

// --- undo and redo ---------------------------------------------------------------

void ItemCommands::ItemUndoExecute() {
    SmlDocument& doc = m_host.document();
    QUndoStack* stack = doc.undoStack();
    if (!stack->canUndo())
        return;
    SmlNode* select = doc.lastEdit() ? doc.lastEdit()->selectAfterUndo : nullptr;
    stack->undo();
    m_host.selectNode(select);
}

void ItemCommands::ItemRedoExecute() {
    SmlDocument& doc = m_host.document();
    QUndoStack* stack = doc.undoStack();
    if (!stack->canRedo())
        return;
    stack->redo();
    m_host.selectNode(doc.lastEdit() ? doc.lastEdit()->selectAfterRedo : nullptr);
}

// --- edits -------------------------------------------------------------------------

bool ItemCommands::runMessageDialog(bool editMode) {
    m_editMode = editMode;
    m_msgEdit.setEditMode(editMode);
    return m_host.prompter().runDialog(&m_msgEdit) == QDialog::Accepted;
}

bool ItemCommands::runItemDialog(bool editMode) {
    m_editMode = editMode;
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

// --- the clipboard -------------------------------------------------------------------

void ItemCommands::forgetClipboard(bool update) {
    if (m_clipboard)
        m_host.document().setCut(m_clipboard, false);
    m_clipboard = nullptr;
    if (update)
        updateActions();
}

void ItemCommands::setClipboard(SmlNode* node, bool cut) {
    forgetClipboard();
    if (!node)
        return;
    m_host.document().setCut(node, cut);
    m_clipboard = node;
    updateActions();
}

void ItemCommands::ItemCutExecute() {
    if (SmlNode* selected = m_host.selectedNode())
        setClipboard(selected, true);
}

void ItemCommands::ItemCopyExecute() {
    if (SmlNode* selected = m_host.selectedNode())
        setClipboard(selected, false);
}

void ItemCommands::refusePaste() {
    m_host.prompter().messageBox(Prompter::Icon::Error, QStringLiteral("Error"), kPasteRefused,
                                 Prompter::Buttons::Ok);
    // A cut node goes; a copied one stays for another try.
    if (m_clipboard->IsCut())
        forgetClipboard();
}

void ItemCommands::pasteCut(SmlNode* clip, SmlNode* target) {
    // A move: the node itself goes, and the clipboard lets go of it.
    SmlNode* moved = EditCommands::PasteCut(m_host.document(), clip, target);
    const bool placed = clip->Kind() == NodeKind::Message || target;
    forgetClipboard();
    if (placed)
        finish(target, moved, clip);
}

void ItemCommands::ItemPasteExecute() {
    SmlNode* clip = m_clipboard;
    if (!clip)
        return;
    SmlNode* target = m_host.selectedNode();
    if (!EditCommands::CanPlace(m_host.document(), clip, target, EditCommands::Placing::Paste))
        return refusePaste();
    if (clip->IsCut())
        return pasteCut(clip, target);
    // A copy: the clipboard keeps the original for further pastes.
    if (SmlNode* copy = EditCommands::PasteCopy(m_host.document(), clip, target))
        finish(target, copy, copy);
}

// --- drag and drop ---------------------------------------------------------------------

bool ItemCommands::TreeView1DragOver(SmlNode* dragged, SmlNode* target) const {
    return EditCommands::CanPlace(m_host.document(), dragged, target, EditCommands::Placing::Drop);
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
