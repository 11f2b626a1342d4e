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

bool ByOrder(const Diagnostic& a, const Diagnostic& b) {
    return a.where.order < b.where.order;
}

// The only child of a message is an item that AutoReply can copy a header
// into: an array named MHEAD.
bool HasHeaderArray(const SmlNode& message) {
    if (message.childCount() == 0)
        return false;
    const SmlNode& item = *message.child(0);
    if (item.Kind() != NodeKind::Item)
        return false;
    const NodeHeader h = NodeHeader::Read(item);
    const ItemType* t = ItemTypes::find(h.words.type);
    if (!t || t->isList() || h.words.memberName != QByteArrayView("MHEAD"))
        return false;
    // A string is always declared as an array; a value only from length 2.
    return t->arrayBound == ItemType::ReceiveBound::Bytes || !IsSingleValue(h.words.length);
}

} // namespace

// The walk over one message: every node once, in pre-order, with an
// explicit stack, handing each to the rules of the message.
class DefinitionChecker::Walk {
public:
    Walk() : m_rules(MakeDefinitionRules().message) {
        m_sinks.reserve(m_rules.size());
        for (const auto& rule : m_rules)
            m_sinks.emplace_back(rule->info(), m_out);
    }

    // Starts the walk over top; proceed() goes on with it.
    void begin(const SmlNode& top) {
        abandon();
        m_found = MessageFindings();
        m_top = &top;
        m_order = 0;
        // The generator's counters start afresh with every message.
        m_lists.clear();
        m_loops.clear();
        enter(top, 0, 0);
    }

    // Walks on until the message is done (true) or the deadline has passed.
    bool proceed(const QDeadlineTimer& deadline) {
        // The clock is read once per stretch of nodes.
        constexpr int kStretch = 512;
        for (int n = 1; !m_stack.empty(); ++n) {
            if (n % kStretch == 0 && deadline.hasExpired())
                return false;
            Frame& f = m_stack.back();
            if (f.nextChild < f.node->childCount()) {
                const SmlNode& child = *f.node->child(f.nextChild++);
                enter(child, f.ref.depth + 1, f.childPrefix);
            } else {
                leave(f);
                m_stack.pop_back();
            }
        }
        return true;
    }

    MessageFindings take() {
        // Scopes report after the nodes they name.
        std::stable_sort(m_out.begin(), m_out.end(), ByOrder);
        m_found.diagnostics = std::move(m_out);
        m_found.nodes = m_order;
        abandon();
        return std::move(m_found);
    }

    void abandon() {
        m_stack.clear();
        m_members.clear();
        m_ownedNames.clear();
        m_out.clear();
        m_top = nullptr;
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
            noteMessage(node, asMessage, ref, isMessage);
        }

        // The names the header declares for the whole file (also for a list
        // or item at the top level, which the generator declares all the same).
        const bool named = kind == NodeKind::Item || variable;
        if (named) {
            const QByteArrayView name = header.words.memberName;
            if (variable)
                m_found.facts.countNames.push_back(name.toByteArray());
            if (name.startsWith("Max_"))
                m_found.facts.maxNames.push_back({name.toByteArray(), ref});
        }
        // What the node declares in its parent's struct.
        if (!m_stack.empty() && kind != NodeKind::Message) {
            Frame& parent = m_stack.back();
            if (kind == NodeKind::List)
                ++parent.listMembers;
            if (named)
                m_members.push_back({kept(header.words.memberName, node), ref});
        }
        m_stack.push_back({&node, ref, 0, m_members.size(), 0, childPrefix});
    }

    void noteMessage(const SmlNode& node, const NodeHeader& h, const NodeRef& ref, bool isMessage) {
        MessageFacts& f = m_found.facts;
        f.ref = ref;
        f.sourceLine = node.sourceLine();
        f.isMessage = isMessage;
        f.messageForm = h.messageForm;
        f.key = h.key;
        f.stream = MessageNumbersOf(node.Text()).stream;
        f.function = static_cast<int>(h.function());
        f.messageType = h.messageType;
        f.headerArray = isMessage && h.messageForm && h.key == 9011 && HasHeaderArray(node);
    }

    void leave(const Frame& f) {
        if (f.node->childCount() > 0) {
            const bool classScope = f.ref.depth == 0 && f.node->Kind() == NodeKind::Message;
            const ScopeVisit scope{*f.node, f.ref.depth, classScope,
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

    std::vector<std::unique_ptr<CheckRule>> m_rules;
    std::vector<Diagnostic> m_out;
    std::vector<DiagnosticSink> m_sinks;
    std::vector<Frame> m_stack;
    std::vector<MemberEntry> m_members;
    std::deque<QByteArray> m_ownedNames;
    std::vector<qint64> m_lists; // ListCounters
    std::vector<qint64> m_loops; // LoopCounters
    const SmlNode* m_top = nullptr;
    MessageFindings m_found; // of the message being walked
    qint64 m_order = 0;
};

DefinitionChecker::DefinitionChecker() : m_walk(std::make_unique<Walk>()) {}
DefinitionChecker::~DefinitionChecker() = default;

MessageFindings DefinitionChecker::checkMessage(const SmlNode& top) {
    m_walk->begin(top);
    m_walk->proceed(QDeadlineTimer(QDeadlineTimer::Forever));
    return m_walk->take();
}

void DefinitionChecker::beginMessage(const SmlNode& top) {
    m_walk->begin(top);
}

bool DefinitionChecker::continueMessage(QDeadlineTimer deadline) {
    return m_walk->proceed(deadline);
}

MessageFindings DefinitionChecker::takeMessage() {
    return m_walk->take();
}

void DefinitionChecker::abandonMessage() {
    m_walk->abandon();
}

std::vector<Diagnostic> DefinitionChecker::check(const SmlDocument& doc) {
    const int count = doc.topLevelCount();
    std::vector<MessageFindings> found;
    found.reserve(static_cast<size_t>(count));
    std::vector<const MessageFindings*> messages;
    messages.reserve(static_cast<size_t>(count));
    for (int row = 0; row < count; ++row) {
        found.push_back(checkMessage(*doc.topLevel(row)));
        messages.push_back(&found.back());
    }
    return AssembleFindings(messages);
}

const std::vector<const RuleInfo*>& DefinitionChecker::rules() {
    return DefinitionRuleInfos();
}

std::vector<Diagnostic> AssembleFindings(std::span<const MessageFindings* const> messages) {
    const std::vector<std::unique_ptr<CheckRule>> rules = MakeDefinitionRules().document;
    std::vector<Diagnostic> fromDocument;
    std::vector<DiagnosticSink> sinks;
    sinks.reserve(rules.size());
    for (const auto& rule : rules)
        sinks.emplace_back(rule->info(), fromDocument);

    size_t total = 0;
    for (const MessageFindings* m : messages)
        total += m->diagnostics.size();
    std::vector<Diagnostic> fromMessages;
    fromMessages.reserve(total);
    qint64 base = 0; // the order of the message's first node in the document
    MessageFacts facts;
    for (const MessageFindings* m : messages) {
        for (const Diagnostic& d : m->diagnostics) {
            fromMessages.push_back(d);
            fromMessages.back().where.order += base;
        }
        facts = m->facts;
        facts.ref.order += base;
        for (auto& entry : facts.maxNames)
            entry.second.order += base;
        for (size_t i = 0; i < rules.size(); ++i)
            rules[i]->visitFacts(facts, sinks[i]);
        base += m->nodes;
    }
    for (size_t i = 0; i < rules.size(); ++i)
        rules[i]->finish(sinks[i]);

    std::stable_sort(fromDocument.begin(), fromDocument.end(), ByOrder);
    std::vector<Diagnostic> all;
    all.reserve(fromMessages.size() + fromDocument.size());
    // On one node the message's findings come first (merge keeps its first
    // range ahead on ties).
    std::merge(std::make_move_iterator(fromMessages.begin()),
               std::make_move_iterator(fromMessages.end()),
               std::make_move_iterator(fromDocument.begin()),
               std::make_move_iterator(fromDocument.end()), std::back_inserter(all), ByOrder);
    return all;
}

std::vector<Diagnostic> CheckDefinitions(const SmlDocument& doc) {
    return DefinitionChecker().check(doc);
}

} // namespace pravik
