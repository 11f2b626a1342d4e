#include "document/DocumentEdit.h"

namespace pravik {

DocumentEdit::DocumentEdit(SmlDocument& doc, const QString& name,
                           std::vector<SmlDocument::Step> steps)
    : QUndoCommand(name), m_doc(doc), m_steps(std::move(steps)) {}

DocumentEdit::~DocumentEdit() = default;

void DocumentEdit::undo() {
    if (!m_done)
        return;
    m_doc.undoSteps(m_steps, m_steps.size());
    m_done = false;
}

void DocumentEdit::redo() {
    // The first redo comes from the push, after the edit itself ran.
    if (m_done)
        return;
    m_doc.redoSteps(m_steps);
    m_done = true;
}

} // namespace pravik
