#include "check/DefinitionChecker.h"

#include "check/DefinitionRules.h"
#include "codegen/GeneratedNames.h"
#include "document/ItemTypes.h"
#include "document/NodeHeader.h"
#include "document/SmlDocument.h"

#include <algorithm>
#include <deque>

namespace pravik {

namespace {

// The one walk: every node once, in pre-order, with an explicit stack.
class CheckWalk {
public:
    CheckWalk(std::vector<std::unique_ptr<CheckRule>>& rules, std::vector<Diagnostic>& out)
        : m_rules(rules) {
        m_sinks.reserve(rules.size());
        for (const auto& rule : rules)
            m_sinks.emplace_back(rule->info(), out);
    }

    void run(const SmlDocument& doc) {
        for (int row = 0; row < doc.topLevelCount(); ++row) {
            m_top = doc.topLevel(row);
            // The generator's counters start afresh with every message.
            m_lists.clear();
            m_loops.clear();
            enter(*m_top, 0, 0);
            while (!m_stack.empty()) {
                Frame& f = m_stack.back();
                if (f.nextChild < f.node->childCount()) {
                    const SmlNode& child = *f.node->child(f.nextChild++);
                    enter(child, f.ref.depth + 1, f.childPrefix);
                } else {
                    leave(f);
                    m_stack.pop_back();
                }
            }
            m_ownedNames.clear();
        }
        for (size_t i = 0; i < m_rules.size(); ++i)
            m_rules[i]->finish(m_sinks[i]);
    }

private:
    struct Frame {
        const SmlNode* node;
        NodeRef ref;
        int nextChild;
        size_t membersStart; // its members' entries begin here
        int listMembers;     // L1..Ln it declares
        qint64 childPrefix;  // variable lists its children's loops count
    };

    qint64& counter(std::vector<qint64>& table, size_t depth) {
        if (depth >= table.size())
            table.resize(depth + 1, 0);
        return table[depth];
    }

    void enter(const SmlNode& node, int depth, qint64 prefix) {
        const size_t d = static_cast<size_t>(depth);
        const NodeRef ref{&node, m_top, m_order++, depth};
        const NodeHeader header = NodeHeader::Read(node);
        const NodeKind kind = node.Kind();
        const ItemType* itemType = nullptr;
        if (kind == NodeKind::Item) {
            itemType = ItemTypes::find(header.words.type);
            if (itemType && itemType->isList())
                itemType = nullptr;
        }

        // Loop letters as the Receive and Send walks count them.
        const bool variable = kind == NodeKind::List && IsVariableCount(header.words.length);
        int letter = 0;
        if (kind == NodeKind::List) {
            ++counter(m_lists, d);
            if (variable) {
                ++counter(m_loops, d);
                letter = 'i' + static_cast<int>(std::min<qint64>(prefix, 1 << 20));
            }
        }
        counter(m_lists, d + 1) = 0;
        counter(m_loops, d + 1) = 0;
        const qint64 childPrefix = prefix + counter(m_loops, d);

        const NodeVisit visit{node, header, ref, itemType, letter};
        for (size_t i = 0; i < m_rules.size(); ++i)
            m_rules[i]->visitNode(visit, m_sinks[i]);
        if (depth == 0) {
            const bool isMessage = kind == NodeKind::Message;
            const NodeHeader asMessage =
                isMessage ? header : NodeHeader::Read(node.Text(), NodeKind::Message);
            const MessageVisit message{node, asMessage, ref, isMessage};
            for (size_t i = 0; i < m_rules.size(); ++i)
                m_rules[i]->visitMessage(message, m_sinks[i]);
        }

        // What the node declares in its parent's struct.
        if (!m_stack.empty() && kind != NodeKind::Message) {
            Frame& parent = m_stack.back();
            if (kind == NodeKind::List)
                ++parent.listMembers;
            if (kind == NodeKind::Item || variable)
                m_members.push_back({kept(header.words.memberName, node), ref});
        }
        m_stack.push_back({&node, ref, 0, m_members.size(), 0, childPrefix});
    }

    void leave(const Frame& f) {
        if (f.node->childCount() > 0) {
            const bool classScope = f.ref.depth == 0 && f.node->Kind() == NodeKind::Message;
            const ScopeVisit scope{*f.node, classScope,
                                   std::span<const MemberEntry>(m_members).subspan(f.membersStart),
                                   f.listMembers};
            for (size_t i = 0; i < m_rules.size(); ++i)
                m_rules[i]->visitScope(scope, m_sinks[i]);
        }
        m_members.resize(f.membersStart);
    }

    // A name that lives as long as the message's walk: a view into the node's
    // text when it is there, else a copy (names made from quoted words).
    QByteArrayView kept(QByteArrayView name, const SmlNode& node) {
        const QByteArrayView text = node.TextView();
        if (name.isEmpty() ||
            (name.data() >= text.data() && name.data() + name.size() <= text.data() + text.size()))
            return name;
        m_ownedNames.push_back(name.toByteArray());
        return m_ownedNames.back();
    }

    std::vector<std::unique_ptr<CheckRule>>& m_rules;
    std::vector<DiagnosticSink> m_sinks;
    std::vector<Frame> m_stack;
    std::vector<MemberEntry> m_members;
    std::deque<QByteArray> m_ownedNames;
    std::vector<qint64> m_lists; // ListCounters
    std::vector<qint64> m_loops; // LoopCounters
    const SmlNode* m_top = nullptr;
    qint64 m_order = 0;
};

} // namespace

DefinitionChecker::DefinitionChecker() = default;
DefinitionChecker::~DefinitionChecker() = default;

std::vector<std::unique_ptr<CheckRule>> DefinitionChecker::makeRules() const {
    return MakeDefinitionRules();
}

std::vector<Diagnostic> DefinitionChecker::check(const SmlDocument& doc) {
    std::vector<Diagnostic> out;
    std::vector<std::unique_ptr<CheckRule>> rules = makeRules();
    CheckWalk(rules, out).run(doc);
    // Scopes and whole-document rules report after the nodes they name.
    std::stable_sort(out.begin(), out.end(), [](const Diagnostic& a, const Diagnostic& b) {
        return a.where.order < b.where.order;
    });
    return out;
}

const std::vector<const RuleInfo*>& DefinitionChecker::rules() {
    return DefinitionRuleInfos();
}

std::vector<Diagnostic> CheckDefinitions(const SmlDocument& doc) {
    return DefinitionChecker().check(doc);
}

} // namespace pravik
