#pragma once

#include "check/Diagnostic.h"

#include <QByteArrayView>
#include <span>
#include <vector>

namespace pravik {

class NodeHeader;
class SmlNode;
struct ItemType;

// What a rule is and how bad breaking it is.
struct RuleInfo {
    const char* id; // stable: scripts and editors filter by it
    Severity severity;
    const char* summary; // one line for the rule list (English, for the manual)
};

// A node as the checker's one walk meets it.
struct NodeVisit {
    const SmlNode& node;
    const NodeHeader& header; // read by the node's kind
    NodeRef ref;
    // An item's type as the generator reads it (its first word); nullptr for
    // an unknown code and for every node that is not an item.
    const ItemType* itemType;
    // A variable list ("n"): the loop variable its Receive and Send loops
    // use, by the generator's arithmetic; 0 for every other node.
    int loopLetter;
};

// One named member of a generated struct or class: an item, or the count
// variable a variable list declares in its parent.
struct MemberEntry {
    QByteArrayView name;
    NodeRef ref;
};

// The members a message class or list struct declares, once all its
// children were visited.
struct ScopeVisit {
    const SmlNode& owner;
    bool classScope; // the message class itself (its members are used unqualified)
    std::span<const MemberEntry> members; // in child order
    int listMembers;                      // the struct members L1..Ln it declares
};

// A top-level node, read as a message, in document order.
struct MessageVisit {
    const SmlNode& node;
    const NodeHeader& header; // read as a message whatever the node's kind
    NodeRef ref;
    bool isMessage; // the node's kind is message
};

// Where a rule puts its findings; it knows the rule's id and severity.
class DiagnosticSink {
public:
    DiagnosticSink(const RuleInfo& rule, std::vector<Diagnostic>& out) : m_rule(rule), m_out(out) {}
    void report(const NodeRef& where, const QString& message) {
        m_out.push_back({where, m_rule.id, m_rule.severity, message});
    }

private:
    const RuleInfo& m_rule;
    std::vector<Diagnostic>& m_out;
};

// One rule of the checker. The checker walks the document once and hands
// every rule each node, each member scope and each top-level node; a rule
// that needs the whole document reports in finish(). Rules keep what they
// need between calls and are used for one check.
class CheckRule {
public:
    explicit CheckRule(const RuleInfo& info) : m_info(info) {}
    virtual ~CheckRule() = default;
    CheckRule(const CheckRule&) = delete;
    CheckRule& operator=(const CheckRule&) = delete;

    const RuleInfo& info() const { return m_info; }

    virtual void visitNode(const NodeVisit&, DiagnosticSink&) {}
    virtual void visitScope(const ScopeVisit&, DiagnosticSink&) {}
    virtual void visitMessage(const MessageVisit&, DiagnosticSink&) {}
    virtual void finish(DiagnosticSink&) {}

private:
    const RuleInfo& m_info;
};

} // namespace pravik
