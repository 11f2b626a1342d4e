#include "secs/CommonSmlImport.h"

#include "document/DocumentEditor.h"
#include "document/DocumentOperations.h"
#include "document/ItemTypes.h"
#include "document/NodeHeader.h"
#include "document/NodeText.h"
#include "document/SmlDocument.h"
#include "document/SmlNode.h"
#include "platform/AnsiText.h"
#include "secs/DefinitionText.h"

#include <QHash>
#include <QSet>

namespace pravik {

namespace {

// A node of a definition being built. Children are a linked list, so that
// a list turning "n" can fold its children into one element cheaply.
struct DefNode {
    quint8 type = 0;       // ItemTypes index
    bool variable = false; // "n"
    quint32 length = 0;    // an item's length (elements); lists count children
    int line = 0;          // where the instance that made it has it
    int column = 0;        // likewise
    int firstChild = -1;
    int nextSibling = -1;
    int description = -1; // index into Definition::texts, -1 for none
    int text = -1;        // the exact-text mark, likewise
};

struct Definition {
    int stream = 0;
    int function = 0;
    bool replyExpected = false;
    int messageType = -1; // a type mark
    QByteArray description;
    QByteArray text;
    int line = 0;
    int root = -1; // the body's node, -1 for a header-only message
    std::vector<DefNode> nodes;
    std::vector<QByteArray> texts;

    int addText(const QByteArray& t) {
        texts.push_back(t);
        return static_cast<int>(texts.size()) - 1;
    }
    std::vector<int> children(int node) const {
        std::vector<int> out;
        for (int c = nodes[static_cast<size_t>(node)].firstChild; c >= 0;
             c = nodes[static_cast<size_t>(c)].nextSibling)
            out.push_back(c);
        return out;
    }
    // Nodes reachable from the root.
    qint64 reachable() const {
        if (root < 0)
            return 0;
        qint64 count = 0;
        std::vector<int> stack{root};
        while (!stack.empty()) {
            const int n = stack.back();
            stack.pop_back();
            ++count;
            for (int c = nodes[static_cast<size_t>(n)].firstChild; c >= 0;
                 c = nodes[static_cast<size_t>(c)].nextSibling)
                stack.push_back(c);
        }
        return count;
    }
};

struct Conflict {
    int firstLine;
    int otherLine;
};

// Copies node (and its subtree) of from into to; returns the copy's index.
int CopySubtree(Definition& to, const Definition& from, int node) {
    struct Work {
        int source;
        int parent; // index of the parent's copy, -1 for the subtree's root
    };
    const size_t base = to.nodes.size();
    std::vector<int> lastChild; // by copy (index - base): its last child so far
    std::vector<Work> work{{node, -1}};
    std::vector<int> kids;
    while (!work.empty()) {
        const Work w = work.back();
        work.pop_back();
        DefNode copy = from.nodes[static_cast<size_t>(w.source)];
        copy.firstChild = copy.nextSibling = -1;
        if (copy.description >= 0)
            copy.description = to.addText(from.texts[static_cast<size_t>(copy.description)]);
        if (copy.text >= 0)
            copy.text = to.addText(from.texts[static_cast<size_t>(copy.text)]);
        const int index = static_cast<int>(to.nodes.size());
        to.nodes.push_back(copy);
        lastChild.push_back(-1);
        if (w.parent >= 0) {
            int& last = lastChild[static_cast<size_t>(w.parent) - base];
            if (last < 0)
                to.nodes[static_cast<size_t>(w.parent)].firstChild = index;
            else
                to.nodes[static_cast<size_t>(last)].nextSibling = index;
            last = index;
        }
        // Children in reverse, so that they are copied (and linked) in order.
        kids = from.children(w.source);
        for (auto it = kids.rbegin(); it != kids.rend(); ++it)
            work.push_back({*it, index});
    }
    return static_cast<int>(base);
}

// Merges the subtree of source (in from, which may be into itself) into
// target. Work items are finished depth first, so each is a whole merge of
// one subtree into one node as it stands by then. A conflict names a line of
// each side: on into's side the node's own line, or for a node copied in
// from the other side during this merge the line of the node it hangs
// below; on from's side the source's line, or for a node of into's own that
// is folded into another the line of the merge that caused the fold. Within
// one instance (from is into) both are that instance's lines.
std::optional<Conflict> MergeInto(Definition& into, int target, const Definition& from,
                                  int source) {
    const bool self = &from == &into;
    // Nodes from here on are copies that came with from.
    const size_t before = into.nodes.size();
    struct Work {
        int target;
        const Definition* from;
        int source;
        int anchor; // the line on into's side this merge stems from
        int cause;  // the line on from's side this merge stems from
    };
    std::vector<Work> work{{target, &from, source, into.nodes[static_cast<size_t>(target)].line,
                            from.nodes[static_cast<size_t>(source)].line}};
    while (!work.empty()) {
        const Work w = work.back();
        work.pop_back();
        // Copied: pushing nodes may move into's storage, and from may be into.
        const DefNode b = w.from->nodes[static_cast<size_t>(w.source)];
        DefNode& a = into.nodes[static_cast<size_t>(w.target)];
        const int anchor = self || size_t(w.target) < before ? a.line : w.anchor;
        const bool othersNode = self || w.from != &into || size_t(w.source) >= before;
        const int cause = othersNode ? b.line : w.cause;
        if (a.type != b.type)
            return Conflict{anchor, cause};
        if (a.description < 0 && b.description >= 0)
            a.description = into.addText(w.from->texts[static_cast<size_t>(b.description)]);
        if (a.text < 0 && b.text >= 0)
            a.text = into.addText(w.from->texts[static_cast<size_t>(b.text)]);
        if (a.type != 0) {
            a.length = std::max(a.length, b.length);
            a.variable = a.variable || b.variable;
            continue;
        }
        const std::vector<int> mine = into.children(w.target);
        const std::vector<int> theirs = w.from->children(w.source);
        if (!a.variable && !b.variable && mine.size() == theirs.size()) {
            for (size_t i = 0; i < mine.size(); ++i)
                work.push_back({mine[i], w.from, theirs[i], anchor, cause});
            continue;
        }
        // The count differs (or one side is "n"): one element stands for all.
        a.variable = true;
        int element = mine.empty() ? -1 : mine[0];
        if (mine.size() > 1) {
            into.nodes[static_cast<size_t>(element)].nextSibling = -1;
            for (size_t i = 1; i < mine.size(); ++i)
                work.push_back({element, &into, mine[i], anchor, cause});
        }
        for (const int t : theirs) {
            if (element < 0) {
                element = CopySubtree(into, *w.from, t);
                into.nodes[static_cast<size_t>(w.target)].firstChild = element;
            } else {
                work.push_back({element, w.from, t, anchor, cause});
            }
        }
    }
    return std::nullopt;
}

// Where the warnings of an import go: the first kMaxListedWarnings listed.
void Warn(ImportResult& result, int line, int column, const QString& message) {
    if (result.warningCount++ < kMaxListedWarnings)
        result.warnings.push_back({line, column, message});
}

// A text from a comment or a name, made to read back from an ".sml" line;
// what had to change is a warning at the node's place.
QByteArray Mended(QByteArray text, unsigned mendedByReader, const char* what, int line, int column,
                  ImportResult& result) {
    const unsigned faults = MendSmlText(text) | mendedByReader;
    if (faults)
        Warn(result, line, column,
             QStringLiteral("%1에서 %2 바꿨습니다 (.sml 파일에서 그대로 다시 읽히도록)")
                 .arg(QString::fromUtf8(what), SmlTextMendDescription(faults)));
    return text;
}

// One read message as a definition of its own: lists keep their counts,
// items their lengths; a list marked "n" already has its elements folded.
std::optional<Conflict> FromInstance(const CommonSmlMessage& m, Definition& d,
                                     ImportResult& result) {
    d = Definition();
    d.stream = m.stream;
    d.function = m.function;
    d.replyExpected = m.replyExpected;
    d.line = m.line;
    size_t noteAt = 0;
    auto noteFor = [&](qsizetype item) -> const SmlNote* {
        while (noteAt < m.notes.size() && m.notes[noteAt].item < item)
            ++noteAt;
        return noteAt < m.notes.size() && m.notes[noteAt].item == item ? &m.notes[noteAt] : nullptr;
    };
    if (const SmlNote* note = noteFor(-1)) {
        d.messageType = note->messageType;
        d.description =
            Mended(note->description, note->mended, "메시지 설명", m.line, m.column, result);
        d.text = Mended(note->text, 0, "정확한 텍스트 표시", m.line, m.column, result);
    }
    const qsizetype n = static_cast<qsizetype>(m.body.items.size());
    d.nodes.reserve(static_cast<size_t>(n));
    struct Open {
        int node;
        int lastChild;
        quint32 owed;
    };
    std::vector<Open> open;
    for (qsizetype i = 0; i < n; ++i) {
        const SecsItem& item = m.body.items[static_cast<size_t>(i)];
        DefNode node;
        node.type = item.type;
        node.length = item.count();
        node.line = m.line;
        node.column = m.column;
        if (i < static_cast<qsizetype>(m.itemSources.size())) {
            const SmlItemSource& source = m.itemSources[static_cast<size_t>(i)];
            node.line = source.line;
            node.column = source.column;
            node.variable = source.variable;
            if (!item.isList() && source.declared >= 0 &&
                static_cast<quint32>(source.declared) > node.length)
                node.length = static_cast<quint32>(source.declared);
        }
        if (const SmlNote* note = noteFor(i)) {
            node.variable = node.variable || note->variable;
            if (!note->description.isEmpty())
                node.description = d.addText(Mended(note->description, note->mended, "설명",
                                                    node.line, node.column, result));
            if (!note->text.isEmpty())
                node.text = d.addText(
                    Mended(note->text, 0, "정확한 텍스트 표시", node.line, node.column, result));
            if (!note->unused.isEmpty())
                Warn(result, node.line, node.column,
                     QStringLiteral("설명 \"%1\"이(가) 있어 \"%2\"은(는) 설명으로 쓰지 않았습니다")
                         .arg(AnsiText::Decode(note->description), AnsiText::Decode(note->unused)));
        }
        const int index = static_cast<int>(d.nodes.size());
        d.nodes.push_back(node);
        if (open.empty()) {
            d.root = index;
        } else {
            Open& parent = open.back();
            if (parent.lastChild < 0)
                d.nodes[static_cast<size_t>(parent.node)].firstChild = index;
            else
                d.nodes[static_cast<size_t>(parent.lastChild)].nextSibling = index;
            parent.lastChild = index;
            --parent.owed;
        }
        if (item.isList() && item.length > 0)
            open.push_back({index, -1, item.length});
        while (!open.empty() && open.back().owed == 0)
            open.pop_back();
        if (open.empty())
            break; // one body item
    }
    // Lists marked "n" with several elements: the elements merge into the
    // first. Children come after their parent, so going backwards folds the
    // deepest lists first.
    for (qsizetype i = static_cast<qsizetype>(d.nodes.size()) - 1; i >= 0; --i) {
        DefNode& list = d.nodes[static_cast<size_t>(i)];
        if (list.type != 0 || !list.variable || list.firstChild < 0)
            continue;
        const std::vector<int> elements = d.children(static_cast<int>(i));
        if (elements.size() < 2)
            continue;
        d.nodes[static_cast<size_t>(elements[0])].nextSibling = -1;
        for (size_t e = 1; e < elements.size(); ++e)
            if (auto c = MergeInto(d, elements[0], d, elements[e]))
                return c;
    }
    return std::nullopt;
}

// Keeps only the nodes reachable from the root, in pre-order.
void Compact(Definition& d) {
    if (d.root < 0) {
        d.nodes.clear();
        d.texts.clear();
        return;
    }
    Definition fresh;
    fresh.nodes.reserve(static_cast<size_t>(d.reachable()));
    const int root = CopySubtree(fresh, d, d.root);
    d.nodes = std::move(fresh.nodes);
    d.texts = std::move(fresh.texts);
    d.root = root;
}

std::optional<Conflict> Merge(Definition& into, const Definition& instance) {
    if ((into.root < 0) != (instance.root < 0))
        return Conflict{into.line, instance.line};
    into.replyExpected = into.replyExpected || instance.replyExpected;
    if (into.messageType < 0)
        into.messageType = instance.messageType;
    if (into.description.isEmpty())
        into.description = instance.description;
    if (into.text.isEmpty())
        into.text = instance.text;
    if (into.root < 0)
        return std::nullopt;
    return MergeInto(into, into.root, instance, instance.root);
}

// An exact-text mark counts only when it says what was read: a hand-made
// file may mark a node with the text of another (a different message, type
// or length), which would make a definition that contradicts itself.
bool MarkFits(const QByteArray& mark, NodeKind kind, const ItemType& type, bool variable,
              qint64 length) {
    const NodeHeader h = NodeHeader::Read(mark, kind);
    return h.type == &type && h.variableLength == variable &&
           (variable || (h.lengthIsNumber && h.lengthValue == length));
}

bool MessageMarkFits(const QByteArray& mark, int stream, int function) {
    const NodeHeader h = NodeHeader::Read(mark, NodeKind::Message);
    return h.messageForm && ParseDecimal(h.streamText, -1) == stream &&
           ParseDecimal(h.functionText, -1) == function;
}

// The text of a node as an import composes it; mark tells whether it is
// the node's exact-text mark.
QByteArray ComposedText(const Definition& d, const DefNode& n, QByteArrayView name, bool& mark) {
    const QByteArray description =
        n.description >= 0 ? d.texts[static_cast<size_t>(n.description)] : QByteArray();
    const ItemType& type = ItemTypes::all()[n.type];
    qint64 length = n.length;
    if (n.type == 0) {
        length = 0;
        for (int c = n.firstChild; c >= 0; c = d.nodes[static_cast<size_t>(c)].nextSibling)
            ++length;
    }
    mark = false;
    if (n.text >= 0) {
        const QByteArray& text = d.texts[static_cast<size_t>(n.text)];
        if (MarkFits(text, n.type == 0 ? NodeKind::List : NodeKind::Item, type, n.variable,
                     length)) {
            mark = true;
            return text;
        }
    }
    if (description.isEmpty() && !name.isEmpty())
        return ComposeImportedItemText(type, n.variable, length, name.toByteArray());
    return ComposeImportedItemText(type, n.variable, length, description);
}

// A node that declares a member by its name: an item, or a list of
// variable length (its count variable).
bool DeclaresMember(const DefNode& n) {
    return n.type != 0 || n.variable;
}

// "V" and digits: the names an import makes.
bool IsMadeName(QByteArrayView name) {
    if (name.size() < 2 || name[0] != 'V')
        return false;
    for (const char c : name.sliced(1))
        if (c < '0' || c > '9')
            return false;
    return true;
}

// Hands out V1, V2, ... for one message, past the names it has.
class MemberNamer {
public:
    explicit MemberNamer(const Definition& d) {
        if (d.root < 0)
            return;
        std::vector<int> stack{d.root};
        while (!stack.empty()) {
            const DefNode& n = d.nodes[static_cast<size_t>(stack.back())];
            stack.pop_back();
            for (int c = n.firstChild; c >= 0; c = d.nodes[static_cast<size_t>(c)].nextSibling)
                stack.push_back(c);
            if (!DeclaresMember(n))
                continue;
            // Only a text with a "V" can name a member "V<digits>".
            const bool mayClash =
                (n.description >= 0 && d.texts[size_t(n.description)].contains('V')) ||
                (n.text >= 0 && d.texts[size_t(n.text)].contains('V'));
            if (!mayClash)
                continue;
            bool mark;
            const QByteArray text = ComposedText(d, n, {}, mark);
            const NodeHeader h =
                NodeHeader::Read(text, n.type == 0 ? NodeKind::List : NodeKind::Item);
            if (IsMadeName(h.words.memberName))
                m_taken.insert(h.words.memberName.toByteArray());
        }
    }
    QByteArray next() {
        QByteArray name;
        do
            name = "V" + QByteArray::number(++m_last);
        while (m_taken.contains(name));
        return name;
    }

private:
    QSet<QByteArray> m_taken;
    qint64 m_last = 0;
};

// The definition as a detached tree (in tree), adding to the size its text
// takes in an ".sml" file; the error when that passes kMaxSmlFileBytes.
std::optional<CommonSmlError> Build(const Definition& d, const NewMessageNode& newMessage,
                                    ImportResult& result, qint64& textBytes,
                                    DetachedSubtree& tree) {
    const int type =
        d.messageType >= 0 ? d.messageType : ImpliedMessageType(d.replyExpected, d.function);
    const QByteArray text =
        MessageMarkFits(d.text, d.stream, d.function)
            ? d.text
            : ComposeImportedMessageText(d.stream, d.function, type, d.description);
    tree = newMessage(text);
    ++result.nodeCount;
    // As SaveDocument writes it: "<" text CR LF, ">" CR LF, CR LF.
    textBytes += 1 + text.size() + 2 + 3 + 2;
    if (d.root < 0)
        return std::nullopt;
    MemberNamer namer(d);
    struct Work {
        int node;
        SmlNode* parent;
        qint64 level;
    };
    std::vector<Work> work{{d.root, tree.get(), 1}};
    std::vector<int> kids;
    while (!work.empty()) {
        const Work w = work.back();
        work.pop_back();
        const DefNode& n = d.nodes[static_cast<size_t>(w.node)];
        bool mark;
        QByteArray nodeText = ComposedText(d, n, {}, mark);
        if (!mark && n.description < 0 && DeclaresMember(n)) {
            nodeText = ComposedText(d, n, namer.next(), mark);
            ++result.generatedNames;
        }
        // Every level indents by two blanks; a list also has its closing line.
        const qint64 indent = 2 * w.level;
        textBytes += indent + 1 + nodeText.size() + (n.type == 0 ? 3 + indent + 3 : 4);
        if (textBytes > kMaxSmlFileBytes)
            return CommonSmlError{
                n.line, n.column,
                QStringLiteral("가져온 정의를 .sml 파일로 쓰면 %1바이트를 넘습니다. 이 아이템은 "
                               "깊이 %2에 있고, .sml 파일은 깊이마다 공백 두 개씩 들여 쓰므로 "
                               "이렇게 깊이 겹친 목록은 저장할 수 없습니다")
                    .arg(kMaxSmlFileBytes)
                    .arg(w.level)};
        SmlNode* made =
            tree.appendChild(w.parent, nodeText, n.type == 0 ? NodeKind::List : NodeKind::Item);
        ++result.nodeCount;
        kids = d.children(w.node);
        for (auto it = kids.rbegin(); it != kids.rend(); ++it)
            work.push_back({*it, made, w.level + 1});
    }
    return std::nullopt;
}

} // namespace

QString ImportConflict::text() const {
    return QStringLiteral("S%1F%2: 줄 %3와(과) 줄 %4의 구조를 합칠 수 없습니다")
        .arg(stream)
        .arg(function)
        .arg(firstLine)
        .arg(otherLine);
}

ImportResult ImportCommonSml(QByteArrayView text, const NewMessageNode& newMessage) {
    ImportResult result;
    std::vector<Definition> definitions;
    std::vector<qint64> compactedAt; // node count after the last compaction
    std::vector<qint64> sizes;       // nodes of each definition (message included)
    qint64 total = 0;
    QHash<qint64, size_t> byKey;
    CommonSmlReader reader(text);
    CommonSmlMessage message;
    Definition instance;
    while (reader.next(message)) {
        const qint64 key = qint64(message.stream) * 1000 + message.function;
        std::optional<Conflict> conflict = FromInstance(message, instance, result);
        const auto found = byKey.constFind(key);
        // Definitions beyond bounds are refused where they grow past them.
        auto tooLarge = [&](qint64 grown) {
            if (total + grown <= kMaxImportNodes)
                return false;
            result.error =
                CommonSmlError{message.line, message.column,
                               QStringLiteral("가져올 정의가 너무 큽니다 (모두 합해 노드 %1개까지)")
                                   .arg(kMaxImportNodes)};
            return true;
        };
        if (!conflict && found == byKey.constEnd()) {
            const qint64 size = 1 + instance.reachable();
            if (tooLarge(size))
                break;
            total += size;
            byKey.insert(key, definitions.size());
            definitions.push_back(std::move(instance));
            compactedAt.push_back(static_cast<qint64>(definitions.back().nodes.size()));
            sizes.push_back(size);
            continue;
        }
        if (!conflict) {
            // Merged into a copy: an instance that does not fit changes nothing.
            const size_t at = found.value();
            Definition merged = definitions[at];
            conflict = Merge(merged, instance);
            if (!conflict) {
                const qint64 size = 1 + merged.reachable();
                if (tooLarge(size - sizes[at]))
                    break;
                total += size - sizes[at];
                sizes[at] = size;
                // Folding leaves unreachable nodes behind; drop them now and then.
                if (static_cast<qint64>(merged.nodes.size()) > 2 * compactedAt[at] + 64) {
                    Compact(merged);
                    compactedAt[at] = static_cast<qint64>(merged.nodes.size());
                }
                definitions[at] = std::move(merged);
                continue;
            }
        }
        result.conflicts.push_back(
            {message.stream, message.function, conflict->firstLine, conflict->otherLine});
    }
    if (reader.error())
        result.error = reader.error();
    if (result.error) {
        result.conflicts.clear();
        return result;
    }
    result.refused = reader.refusals();
    result.refusedCount = reader.refusalCount();
    // What was read goes before the definitions are built.
    message = CommonSmlMessage();
    instance = Definition();
    NewMessageNode make = newMessage;
    if (!make) {
        auto arena = std::make_shared<NodeArena>();
        make = [arena](QByteArrayView t) {
            return DetachedSubtree(arena, arena->newNode(t, NodeKind::Message));
        };
    }
    result.messages.reserve(definitions.size());
    qint64 textBytes = 0;
    for (Definition& d : definitions) {
        DetachedSubtree tree;
        if (auto tooLarge = Build(d, make, result, textBytes, tree)) {
            result.error = std::move(tooLarge);
            result.messages.clear();
            result.conflicts.clear();
            result.nodeCount = 0;
            result.generatedNames = 0;
            return result;
        }
        result.messages.push_back({qint64(d.stream) * 1000 + d.function, std::move(tree)});
        d = Definition(); // built: its memory goes
    }
    return result;
}

ImportResult ImportCommonSmlFile(QByteArrayView file, SmlEncoding chosen,
                                 const NewMessageNode& newMessage) {
    DecodedSml decoded = DecodeSmlFile(file, chosen);
    ImportResult result = ImportCommonSml(decoded.text, newMessage);
    result.encoding = decoded.encoding;
    if (decoded.issueCount == 0)
        return result;
    // What the encoding could not carry goes first: it happened first.
    std::vector<CommonSmlError> warnings;
    warnings.reserve(decoded.issues.size() + result.warnings.size());
    for (const EncodingIssue& issue : decoded.issues)
        warnings.push_back({issue.line, issue.column, issue.message});
    for (CommonSmlError& w : result.warnings)
        if (static_cast<qint64>(warnings.size()) < kMaxListedWarnings)
            warnings.push_back(std::move(w));
    result.warnings = std::move(warnings);
    result.warningCount += decoded.issueCount;
    result.uncarried = decoded.issueCount;
    return result;
}

NewMessageNode NewMessageIn(SmlDocument& doc) {
    return [&doc](QByteArrayView text) { return doc.newDetached(text, NodeKind::Message); };
}

QString KeyText(qint64 key) {
    return QStringLiteral("S%1F%2").arg(key / 1000).arg(key % 1000);
}

QString ImportStepName() {
    return QStringLiteral("공통 SML 가져오기");
}

AddedMessages AddImportedMessages(SmlDocument& doc, std::vector<ImportedMessage>& messages) {
    AddedMessages added;
    doc.perform(ImportStepName(),
                [&](DocumentEditor& ed) { added = AddImportedMessages(ed, messages); });
    return added;
}

AddedMessages AddImportedMessages(DocumentEditor& ed, std::vector<ImportedMessage>& messages) {
    const SmlDocument& doc = ed.document();
    QSet<qint64> present;
    for (int row = 0; row < doc.topLevelCount(); ++row) {
        const NodeHeader h = NodeHeader::Read(*doc.topLevel(row));
        if (h.messageForm)
            present.insert(h.key);
    }
    AddedMessages result;
    for (ImportedMessage& m : messages) {
        if (present.contains(m.key)) {
            result.existing.push_back(m.key);
            continue;
        }
        result.added.push_back(
            ed.insertSubtree(nullptr, doc.topLevelCount(), std::move(m.definition)));
    }
    // Nothing added, nothing reordered: the document stays as it was.
    if (result.added.empty())
        return result;
    SortMessages(ed);
    // The added messages in the order they now stand in.
    const QSet<const SmlNode*> added(result.added.begin(), result.added.end());
    result.added.clear();
    for (int row = 0; row < doc.topLevelCount(); ++row)
        if (added.contains(doc.topLevel(row)))
            result.added.push_back(doc.topLevel(row));
    return result;
}

} // namespace pravik
