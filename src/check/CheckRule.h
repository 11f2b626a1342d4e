#pragma once

#include "check/Diagnostic.h"

#include <QByteArray>
#include <QByteArrayView>
#include <span>
#include <utility>
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
    int depth;       // the owner's; 0 for the message class
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

// What the rules of the whole document know of one top-level node. The
// message walk gathers it, so that those rules never read the tree and a
// message's facts stay valid until that message changes.
struct MessageFacts {
    NodeRef ref; // the top-level node
    int sourceLine = 0;
    bool isMessage = false;   // the node's kind is message
    bool messageForm = false; // its text reads as "S<stream>F<function> ..."
    qint64 key = 0;           // MessageKey
    qint64 stream = 0;        // as the generator reads it; 0 joins no stream class
    int function = 0;
    int messageType = -1; // 0 P, 1 S, 2 N, -1 none
    // Its only child is an array item named MHEAD (AutoReply's target).
    bool headerArray = false;
    // The names of its variable lists, whose count constants Max_<name>
    // share the header's global scope, and its members named "Max_...".
    std::vector<QByteArray> countNames;
    std::vector<std::pair<QByteArray, NodeRef>> maxNames;
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

// One rule of the checker. A rule of the message reads one message's
// subtree: the checker hands it each node, each member scope and the
// top-level node, and it keeps nothing from one message to the next, so a
// message's findings can be kept until that message changes. A rule of the
// document sees the MessageFacts of every top-level node in document order
// and reports in finish(); it is made afresh for every check.
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
    virtual void visitFacts(const MessageFacts&, DiagnosticSink&) {}
    virtual void finish(DiagnosticSink&) {}

private:
    const RuleInfo& m_info;
};

} // namespace pravik
