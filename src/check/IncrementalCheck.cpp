#include "check/IncrementalCheck.h"

#include "document/SmlDocument.h"

#include <algorithm>

namespace pravik {

IncrementalCheck::IncrementalCheck(const SmlDocument& doc, QObject* parent)
    : QObject(parent), m_doc(doc) {
    const auto node = [this](const QModelIndex& index) { return m_doc.nodeFromIndex(index); };
    connect(
        &doc, &QAbstractItemModel::dataChanged, this,
        [this, node](const QModelIndex& first, const QModelIndex& last, const QList<int>& roles) {
            // The cut mark is no content.
            const bool cutOnly =
                !roles.isEmpty() && std::all_of(roles.begin(), roles.end(), [](int role) {
                    return role == Qt::ForegroundRole || role == SmlDocument::CutRole;
                });
            if (cutOnly)
                return;
            for (int row = first.row(); row <= last.row(); ++row)
                touched(node(first.siblingAtRow(row)));
            noteChange();
        });
    connect(&doc, &QAbstractItemModel::rowsInserted, this, [this, node](const QModelIndex& parent) {
        if (parent.isValid())
            touched(node(parent));
        else
            topLevelChanged(); // new messages have no findings yet
        noteChange();
    });
    connect(&doc, &QAbstractItemModel::rowsRemoved, this, [this, node](const QModelIndex& parent) {
        if (parent.isValid())
            touched(node(parent));
        else
            topLevelChanged();
        noteChange();
    });
    // A top-level node that leaves the top level loses its findings; they
    // are made again should it come back.
    connect(&doc, &SmlDocument::nodesAboutToBeRemoved, this, [this](SmlNode* root) {
        if (!root->parent()) {
            if (root == m_walking) {
                m_checker.abandonMessage();
                m_walking = nullptr;
            }
            m_byMessage.erase(root);
        }
    });
    connect(&doc, &QAbstractItemModel::rowsAboutToBeMoved, this,
            [this](const QModelIndex& from, int first, int last) {
                if (from.isValid())
                    return;
                for (int row = first; row <= last; ++row)
                    m_byMessage.erase(m_doc.topLevel(row));
                topLevelChanged();
            });
    connect(&doc, &QAbstractItemModel::rowsMoved, this,
            [this, node](const QModelIndex& from, int, int, const QModelIndex& to) {
                if (from.isValid())
                    touched(node(from));
                if (to.isValid())
                    touched(node(to));
                if (!from.isValid() || !to.isValid())
                    topLevelChanged();
                noteChange();
            });
    // Sorting the messages, or the structure check's marks (which never
    // change a node's kind): the same messages, perhaps in another order.
    connect(&doc, &QAbstractItemModel::layoutChanged, this, [this] {
        topLevelChanged();
        noteChange();
    });
    connect(&doc, &SmlDocument::documentAboutToBeReset, this, &IncrementalCheck::forgetAll);
    connect(&doc, &QAbstractItemModel::modelReset, this, [this] {
        forgetAll();
        noteChange();
    });
}

IncrementalCheck::~IncrementalCheck() = default;

void IncrementalCheck::forgetAll() {
    m_checker.abandonMessage();
    m_walking = nullptr;
    m_byMessage.clear();
    topLevelChanged();
}

// The findings of the node's message are out of date.
void IncrementalCheck::touched(const SmlNode* node) {
    if (!node)
        return;
    while (node->parent())
        node = node->parent();
    if (node == m_walking) {
        m_checker.abandonMessage();
        m_walking = nullptr;
    }
    m_byMessage.erase(node);
    topLevelChanged();
}

// The findings in order are to be gathered again.
void IncrementalCheck::topLevelChanged() {
    m_complete = false;
    m_next = 0;
    m_ordered.clear();
    if (m_walking) {
        // Its row may have changed; walked again when its turn comes.
        m_checker.abandonMessage();
        m_walking = nullptr;
    }
}

void IncrementalCheck::noteChange() {
    ++m_generation;
    emit changed();
}

bool IncrementalCheck::checkPending(QDeadlineTimer deadline) {
    // The clock is read once per stretch of messages that need no check.
    constexpr int kStretch = 4096;
    bool checked = false; // each call gets at least one message (or a part) done
    const int count = m_doc.topLevelCount();
    for (int seen = 1; m_next < count; ++seen) {
        if (seen % kStretch == 0 && deadline.hasExpired())
            return false;
        const SmlNode* top = m_doc.topLevel(m_next);
        Findings& found = m_byMessage[top];
        if (!found) {
            if (m_walking != top) {
                if (checked && deadline.hasExpired())
                    return false;
                m_checker.beginMessage(*top);
                m_walking = top;
            }
            if (!m_checker.continueMessage(deadline))
                return false;
            found = std::make_shared<const MessageFindings>(m_checker.takeMessage());
            m_walking = nullptr;
            ++m_messagesChecked;
            checked = true;
        }
        m_ordered.push_back(found);
        ++m_next;
    }
    m_complete = true;
    return true;
}

std::vector<IncrementalCheck::Findings> IncrementalCheck::takeFindings() {
    checkPending(QDeadlineTimer(QDeadlineTimer::Forever));
    std::vector<Findings> taken = std::move(m_ordered);
    m_ordered.clear();
    m_next = 0;
    m_complete = false;
    return taken;
}

const std::vector<IncrementalCheck::Findings>& IncrementalCheck::findings() {
    checkPending(QDeadlineTimer(QDeadlineTimer::Forever));
    return m_ordered;
}

std::vector<Diagnostic> IncrementalCheck::diagnostics() {
    std::vector<const MessageFindings*> messages;
    for (const Findings& f : findings())
        messages.push_back(f.get());
    return AssembleFindings(messages);
}

} // namespace pravik
