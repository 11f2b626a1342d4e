#pragma once

#include "document/SmlDocument.h"

#include <QUndoCommand>
#include <vector>

namespace pravik {

// One primitive change of the tree as an edit made it, with what is needed
// to take it back and to make it again.
struct SmlDocument::Step {
    enum class Kind { Insert, Take, Move, Reorder, SetText, SetKind };
    Kind kind = Kind::SetText;
    SmlNode* node = nullptr;
    // Take: where the node was. Move: where it came from (holder and row).
    SmlNode* fromHolder = nullptr;
    int fromRow = 0;
    // Insert: where it went. Move: where it ended up (holder and final row).
    SmlNode* toHolder = nullptr;
    int toRow = 0;
    // SetText: the old and the new bytes (both stay in the arena).
    const char* oldText = nullptr;
    int oldSize = 0;
    const char* newText = nullptr;
    int newSize = 0;
    // SetKind.
    NodeKind oldKind = NodeKind::Message;
    NodeKind newKind = NodeKind::Message;
    // Reorder: the top level before and after.
    std::vector<SmlNode*> oldOrder;
    std::vector<SmlNode*> newOrder;
    // The subtree while it is outside the tree: after a Take is done, or
    // after an Insert is undone.
    DetachedSubtree held;
};

// One undoable step of the user's: the primitive changes an edit made,
// taken back in reverse order and made again in order. It holds removed
// subtrees, never a copy of the document.
class DocumentEdit : public QUndoCommand {
public:
    DocumentEdit(SmlDocument& doc, const QString& name, std::vector<SmlDocument::Step> steps);
    ~DocumentEdit() override;

    void undo() override;
    void redo() override;

    // The node to select after the step is made (again) and after it is
    // taken back; the caller of perform() sets them.
    SmlNode* selectAfterRedo = nullptr;
    SmlNode* selectAfterUndo = nullptr;

private:
    SmlDocument& m_doc;
    std::vector<SmlDocument::Step> m_steps;
    bool m_done = true; // pushed after the edit already ran
};

} // namespace pravik
