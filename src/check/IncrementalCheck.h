#pragma once

#include "check/DefinitionChecker.h"

#include <QDeadlineTimer>
#include <QObject>
#include <memory>
#include <unordered_map>
#include <vector>

namespace pravik {

class SmlDocument;
class SmlNode;

// The checker's findings of one document, kept at hand across edits. It
// listens to the document and keeps the findings of each top-level node
// until an edit touches that node's subtree, so that checking again after an
// edit re-checks only the messages the edit touched; the rules of the whole
// document then run over the facts of all of them (AssembleFindings), which
// reads no node and so can run on another thread.
//
// Everything here runs in the document's thread.
class IncrementalCheck : public QObject {
    Q_OBJECT
public:
    using Findings = std::shared_ptr<const MessageFindings>;

    explicit IncrementalCheck(const SmlDocument& doc, QObject* parent = nullptr);
    ~IncrementalCheck() override;

    // Some top-level node's findings are out of date, or not yet gathered
    // in order.
    bool hasPending() const { return !m_complete; }
    // Checks what is pending until the deadline has passed (a huge message
    // in parts); true once every top-level node has its findings.
    bool checkPending(QDeadlineTimer deadline);
    // Every top-level node's findings in document order; valid (with the node
    // pointers in them) while the document is unchanged. Checks first what is
    // pending.
    const std::vector<Findings>& findings();
    // The same, handed over without a copy; gathered again (a quick pass
    // over the top level) when next asked for.
    std::vector<Findings> takeFindings();
    // The whole document's findings, as DefinitionChecker::check gives them.
    std::vector<Diagnostic> diagnostics();
    // Counts the changes of the document that can change its findings.
    quint64 generation() const { return m_generation; }
    // Top-level nodes checked since the document was set (for tests).
    qint64 messagesChecked() const { return m_messagesChecked; }

signals:
    // The document changed since the findings were last taken.
    void changed();

private:
    void forgetAll();
    void touched(const SmlNode* node);
    void topLevelChanged();
    void noteChange();

    const SmlDocument& m_doc;
    DefinitionChecker m_checker;
    std::unordered_map<const SmlNode*, Findings> m_byMessage; // current top-level nodes only
    std::vector<Findings> m_ordered;                          // of the rows before m_next, in order
    int m_next = 0;                                           // the row the next check goes on with
    const SmlNode* m_walking = nullptr;                       // a message checked in parts
    bool m_complete = false;
    quint64 m_generation = 0;
    qint64 m_messagesChecked = 0;
};

} // namespace pravik
