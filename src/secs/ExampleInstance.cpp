#include "secs/ExampleInstance.h"

#include "document/DocumentOperations.h"
#include "document/ItemTypes.h"
#include "document/NodeHeader.h"
#include "document/SmlNode.h"
#include "platform/AnsiText.h"
#include "secs/DefinitionText.h"

#include <cstring>

namespace pravik {

namespace {

// The string of a text item: the description from the start, cut where a
// double-byte character would not be split; the rest stays blanks.
void WritePlaceholder(char* data, qsizetype length, QByteArrayView description) {
    qsizetype i = 0;
    while (i < description.size()) {
        const auto b = static_cast<quint8>(description[i]);
        const qsizetype width = b >= 0x81 && i + 1 < description.size() ? 2 : 1;
        if (i + width > length)
            break;
        i += width;
    }
    if (i > 0)
        std::memcpy(data, description.data(), static_cast<size_t>(i));
}

class ExampleBuilder {
public:
    ExampleBuilder(const SmlNode& message, const ExampleOptions& options)
        : m_root(message), m_options(options) {}

    Example build() {
        readMessage();
        if (m_example.problems.empty())
            readBody();
        if (m_example.problems.empty() && !m_nodes.empty())
            measure();
        if (m_example.problems.empty() && !m_nodes.empty())
            emitBody();
        if (!m_example.problems.empty())
            m_example.message = CommonSmlMessage();
        return std::move(m_example);
    }

private:
    // One node of the body as read once: the example repeats what an "n"
    // list holds, and must not read it again each time.
    struct Node {
        const SmlNode* node;
        const ItemType* type;
        bool variable;
        qint64 length; // the count or length, when a number
        QByteArrayView description;
        qsizetype subtree = 1; // nodes in its subtree, itself included
    };

    void problem(const SmlNode* node, const QString& message) {
        m_example.problems.push_back({node, message});
    }

    void readMessage() {
        const NodeHeader h = NodeHeader::Read(m_root);
        CommonSmlMessage& m = m_example.message;
        if (m_root.Kind() != NodeKind::Message || !h.messageForm) {
            problem(&m_root, QStringLiteral("메시지 형식(S<스트림>F<기능>)이 아닙니다"));
            return;
        }
        const qint64 stream = ParseDecimal(h.streamText, -1);
        const qint64 function = ParseDecimal(h.functionText, -1);
        if (stream < 0 || stream > 127)
            problem(&m_root, QStringLiteral("스트림은 0~127이어야 합니다"));
        if (function < 0 || function > 255)
            problem(&m_root, QStringLiteral("기능은 0~255이어야 합니다"));
        if (m_root.childCount() > 1)
            problem(&m_root, QStringLiteral("메시지에 아이템이 %1개 있습니다 (하나까지만 됩니다)")
                                 .arg(m_root.childCount()));
        m.stream = static_cast<int>(stream);
        m.function = static_cast<int>(function);
        m.replyExpected = h.messageType == 0;
        const QByteArray description =
            h.messageType >= 0 ? h.messageDescription.toByteArray() : QByteArray();
        const int implied = ImpliedMessageType(m.replyExpected, m.function);
        SmlNote note;
        if (h.messageType > 0 && h.messageType != implied)
            note.messageType = h.messageType;
        note.description = description;
        const QByteArray composed = ComposeImportedMessageText(
            m.stream, m.function, note.messageType >= 0 ? note.messageType : implied, description);
        if (StoredForm(composed) != StoredForm(m_root.TextView()))
            note.text = m_root.Text();
        if (!note.isEmpty()) {
            note.item = -1;
            m.notes.push_back(std::move(note));
        }
    }

    // Every node of the body once, in pre-order: what it says, and what is
    // wrong with it.
    void readBody() {
        if (m_root.childCount() == 0)
            return;
        const SmlNode* end = m_root.nextSkippingChildren();
        for (const SmlNode* n = m_root.child(0); n != end; n = n->nextPreOrder()) {
            const NodeHeader h = NodeHeader::Read(*n);
            m_nodes.push_back({n, h.type, h.variableLength, h.lengthValue, h.description});
            // Decoded only for a problem's message.
            auto lengthText = [&] { return AnsiText::Decode(h.lengthText.toByteArray()); };
            switch (n->Kind()) {
            case NodeKind::Message:
                problem(n, QStringLiteral("메시지 안에 메시지가 있습니다"));
                break;
            case NodeKind::List:
                if (h.type != &ItemTypes::list())
                    problem(n, QStringLiteral("목록의 형식이 L이 아닙니다"));
                else if (h.variableLength && n->childCount() != 1)
                    problem(n, QStringLiteral("길이가 정해지지 않은 목록(n)에는 하위 아이템이 "
                                              "하나 있어야 합니다 (%1개 있음)")
                                   .arg(n->childCount()));
                else if (!h.variableLength && !h.lengthIsNumber)
                    problem(
                        n, QStringLiteral("목록의 개수가 숫자가 아닙니다: '%1'").arg(lengthText()));
                else if (!h.variableLength && h.lengthValue != n->childCount())
                    problem(n, QStringLiteral("목록의 개수 %1와(과) 하위 아이템 수 %2이(가) "
                                              "다릅니다")
                                   .arg(h.lengthValue)
                                   .arg(n->childCount()));
                break;
            case NodeKind::Item:
                if (!h.type || h.type->isList()) {
                    problem(n, QStringLiteral("알 수 없는 아이템 형식입니다: '%1'")
                                   .arg(AnsiText::Decode(h.code.toByteArray())));
                } else if (n->childCount() > 0) {
                    problem(n, QStringLiteral("아이템 아래에 하위 아이템이 있습니다"));
                } else if (h.variableLength) {
                    if (!m_options.variableItems)
                        problem(n, QStringLiteral("길이가 정해지지 않은 아이템(n)은 "
                                                  "인코딩할 수 없습니다"));
                } else if (!h.lengthIsNumber) {
                    problem(n, QStringLiteral("길이가 숫자가 아닙니다: '%1'").arg(lengthText()));
                } else if (h.lengthValue < 0) {
                    problem(n, QStringLiteral("길이가 음수입니다: %1").arg(h.lengthValue));
                } else if (h.lengthValue * h.type->elementSize > kMaxItemLength) {
                    problem(n, QStringLiteral("길이 %1바이트가 3바이트 길이의 한계 %2바이트를 "
                                              "넘습니다")
                                   .arg(h.lengthValue * h.type->elementSize)
                                   .arg(kMaxItemLength));
                }
                break;
            }
        }
    }

    // Subtree sizes, and the example's size before anything is built: in
    // reverse pre-order each subtree's totals are on the stack just before
    // its root, so a node takes its children's off it.
    void measure() {
        struct Size {
            qsizetype nodes;
            qint64 items;
            qint64 bytes;
        };
        // Saturates well above the limits, so that no product overflows.
        const auto cap = [](qint64 v) { return std::min<qint64>(v, qint64(1) << 40); };
        std::vector<Size> stack;
        for (auto it = m_nodes.rbegin(); it != m_nodes.rend(); ++it) {
            Size children{0, 0, 0};
            for (int c = 0; c < it->node->childCount(); ++c) {
                children.nodes += stack.back().nodes;
                children.items = cap(children.items + stack.back().items);
                children.bytes = cap(children.bytes + stack.back().bytes);
                stack.pop_back();
            }
            it->subtree = 1 + children.nodes;
            Size size{it->subtree, 1, 0};
            if (it->node->Kind() == NodeKind::List) {
                const qint64 times = it->variable ? m_options.variableCount : 1;
                size.items = cap(1 + times * children.items);
                size.bytes = cap(times * children.bytes);
            } else {
                size.bytes = it->variable ? it->type->elementSize + it->description.size()
                                          : it->length * it->type->elementSize;
            }
            stack.push_back(size);
        }
        if (stack.back().items > kMaxExampleItems || stack.back().bytes > kMaxExampleBytes)
            problem(&m_root, QStringLiteral("예제가 너무 큽니다 (아이템 %1개, %2바이트까지)")
                                 .arg(kMaxExampleItems)
                                 .arg(kMaxExampleBytes));
    }

    // The body in pre-order: each node as often as the "n" lists above it
    // repeat it. Pending work is (node, times), so nothing recurses.
    void emitBody() {
        struct Task {
            size_t node;
            int times;
        };
        std::vector<Task> tasks{{0, 1}};
        std::vector<size_t> children;
        CommonSmlMessage& m = m_example.message;
        while (!tasks.empty()) {
            Task task = tasks.back();
            tasks.pop_back();
            if (task.times <= 0)
                continue;
            if (task.times > 1)
                tasks.push_back({task.node, task.times - 1});
            const Node& n = m_nodes[task.node];
            const qsizetype index = static_cast<qsizetype>(m.body.items.size());
            SmlNote note;
            note.item = index;
            // The description stays in the document while the example lives.
            note.description = QByteArray::fromRawData(n.description.data(), n.description.size());
            note.variable = n.variable;
            m_example.sources.push_back(n.node);
            m_composed.truncate(0);
            if (n.node->Kind() == NodeKind::List) {
                const int count = n.variable ? m_options.variableCount : n.node->childCount();
                m.body.addList(static_cast<quint32>(count));
                children.clear();
                for (size_t c = task.node + 1; children.size() < size_t(n.node->childCount());
                     c += static_cast<size_t>(m_nodes[c].subtree))
                    children.push_back(c);
                if (n.variable)
                    tasks.push_back({children.front(), count});
                else
                    for (auto c = children.rbegin(); c != children.rend(); ++c)
                        tasks.push_back({*c, 1});
                AppendImportedItemText(m_composed, ItemTypes::list(), n.variable, count,
                                       n.description);
            } else {
                const ItemType& type = *n.type;
                const qsizetype size =
                    n.variable ? (type.valueKind == ItemValueKind::Text ? n.description.size()
                                                                        : type.elementSize)
                               : n.length * type.elementSize;
                const bool text = type.valueKind == ItemValueKind::Text;
                char* data = m.body.addItem(type.index, size, text ? ' ' : '\0');
                if (text)
                    WritePlaceholder(data, size, n.description);
                AppendImportedItemText(m_composed, type, n.variable, size / type.elementSize,
                                       n.description);
            }
            // A member without a name would get one on import: the exact
            // text keeps it as it is.
            const bool unnamed = m_options.markUnnamed && n.description.isEmpty() &&
                                 (n.node->Kind() == NodeKind::Item || n.variable);
            if (unnamed || StoredForm(m_composed) != StoredForm(n.node->TextView()))
                note.text = n.node->Text();
            if (!note.isEmpty())
                m.notes.push_back(std::move(note));
        }
    }

    const SmlNode& m_root;
    ExampleOptions m_options;
    Example m_example;
    std::vector<Node> m_nodes;
    QByteArray m_composed; // reused for every node's composed text
};

} // namespace

QString DefinitionProblem::text() const {
    if (!node)
        return message;
    QString where = AnsiText::Decode(node->TextView().toByteArray());
    if (node->sourceLine() > 0)
        where += QStringLiteral(" (줄 %1)").arg(node->sourceLine());
    return where + QStringLiteral(": ") + message;
}

QByteArrayView StoredForm(QByteArrayView text) {
    qsizetype end = text.size();
    while (end > 0 && static_cast<quint8>(text[end - 1]) <= ' ')
        --end;
    return text.first(end);
}

Example BuildExample(const SmlNode& message, const ExampleOptions& options) {
    return ExampleBuilder(message, options).build();
}

} // namespace pravik
