#include "codegen/MessageBodies.h"

#include "codegen/GeneratedNames.h"
#include "codegen/GeneratedText.h"
#include "document/ItemTypes.h"
#include "document/NodeHeader.h"
#include "document/SmlNode.h"

#include <algorithm>
#include <array>
#include <vector>

namespace pravik {

namespace {

qsizetype Indent(int depth) {
    return qsizetype(4) * depth;
}

// The loop variable of a variable list: "i" moved on by the variable lists
// counted on the levels above, by plain character arithmetic.
char LoopLetter(qint64 variableListsAbove) {
    return static_cast<char>(static_cast<unsigned char>(('i' + variableListsAbove) & 0xFF));
}

QByteArray ListCountText(QByteArrayView count) {
    const qint64 v = ListCount(count);
    return v >= 0 ? NumberText(count, v) : count.toByteArray();
}

// The Receive and Send bodies share one walk: the same visits, counters,
// loop letters and member paths; only the lines differ.
class BodyWalk {
public:
    enum class Body { Receive, Send };

    BodyWalk(Body body, GeneratedText& out) : m_body(body), m_out(out) {}

    void run(const SmlNode& root) {
        enter(root, 0, 0);
        while (!m_stack.empty()) {
            Frame& top = m_stack.back();
            if (top.nextChild < top.node->childCount()) {
                const SmlNode* child = top.node->child(top.nextChild++);
                enter(*child, top.depth + 1, top.childPrefix);
            } else {
                leave(m_stack.back());
                m_stack.pop_back();
            }
        }
    }

private:
    struct Frame {
        const SmlNode* node;
        int depth;
        int nextChild;
        qsizetype pathLength; // the path length before this node's part
        qint64 childPrefix;   // variable lists counted on levels 0..depth
        bool loop;            // a variable list: closes its loop
        bool message;         // a message: its children start a fresh path
        QByteArray savedPath; // the path a nested message node replaced
    };

    void enter(const SmlNode& node, int depth, qint64 prefix) {
        const size_t d = static_cast<size_t>(depth);
        Frame frame{&node, depth, 0, m_path.size(), 0, false, false, {}};
        const qsizetype indent = Indent(depth);
        switch (node.Kind()) {
        case NodeKind::Message:
            writeHead(node);
            frame.message = true;
            frame.savedPath = m_path;
            m_path.clear();
            break;
        case NodeKind::List: {
            const NodeHeader header = NodeHeader::Read(node);
            const TextWords& fields = header.words;
            const QByteArrayView name = fields.memberName;
            const qint64 k = m_lists.increment(d);
            if (IsVariableCount(fields.length)) {
                m_loops.increment(d);
                const char v = LoopLetter(prefix);
                const QByteArrayView letter(&v, 1);
                if (m_body == Body::Receive)
                    m_out.indented(indent, {"GetL (X, lMsgId, &nResult, &", m_path, name, ", Max_",
                                            name, ");"});
                else
                    m_out.indented(indent, {"SetL (X, lMsgId, &nResult, ", m_path, name, ", Max_",
                                            name, ");"});
                m_out.indented(indent, {"for(int ", letter, "=0; ", letter, "<", m_path, name, "; ",
                                        letter, "++)"});
                m_out.indented(indent, {"{"});
                m_out.indented(indent, {"    if(nResult<0) break;"});
                m_path.append('L').append(QByteArray::number(k)).append('[').append(v).append("].");
                frame.loop = true;
            } else {
                if (m_body == Body::Receive)
                    m_out.indented(indent, {"GetL (X, lMsgId, &nResult, NULL);"});
                else
                    m_out.indented(indent, {"SetL (X, lMsgId, &nResult, ",
                                            ListCountText(fields.length), ");"});
                m_path.append('L').append(QByteArray::number(k)).append('.');
            }
            break;
        }
        case NodeKind::Item:
            writeItem(node, indent);
            break;
        }
        m_lists.reset(d + 1);
        m_loops.reset(d + 1);
        frame.childPrefix = prefix + m_loops.value(d);
        m_stack.push_back(std::move(frame));
    }

    void leave(Frame& frame) {
        if (frame.message) {
            writeTail();
            m_path = std::move(frame.savedPath);
            return;
        }
        if (frame.loop)
            m_out.indented(Indent(frame.depth), {"}"});
        m_path.truncate(frame.pathLength);
    }

    void writeHead(const SmlNode& node) {
        const MessageNumbers numbers = MessageNumbersOf(node.Text());
        const QByteArray cls = MessageClassName(numbers);
        if (m_body == Body::Receive) {
            m_out.line({"short ", cls, "::Receive(TeZorv *X, long lMsgId)"});
            m_out.line("{");
            m_out.line("    short nResult=0;");
            m_out.line("");
            m_out.line("    Clear();");
            m_out.line("");
        } else {
            m_out.line(
                {"short ", cls, "::Send(TeZorv *X, short nDevId, long lSysByte, short Mode)"});
            m_out.line("{");
            m_out.line("    short nResult=0;");
            m_out.line("    long lMsgId;");
            m_out.line("");
            m_out.line({"    nResult = X->MakeSecsMsg(&lMsgId, nDevId, ",
                        QByteArray::number(numbers.stream), ", ",
                        QByteArray::number(numbers.function), ", lSysByte);"});
            m_out.line("");
        }
    }

    void writeTail() {
        m_out.line("");
        if (m_body == Body::Receive)
            m_out.line("    X->CloseSecsMsg(lMsgId);");
        else
            m_out.line("    if(nResult>=0) nResult = X->Send(lMsgId);");
        m_out.line("    return nResult;");
        m_out.line("}");
        m_out.line(kSeparator);
    }

    void writeItem(const SmlNode& node, qsizetype indent) {
        const NodeHeader header = NodeHeader::Read(node);
        const TextWords& fields = header.words;
        const ItemType* calls = ItemTypes::find(fields.type);
        if (!calls || !calls->receiveSingle)
            return; // a type the helpers do not know gets no line
        const QByteArrayView name = fields.memberName;
        const bool single = IsSingleValue(fields.length);
        if (m_body == Body::Receive) {
            // A string passes its buffer's size and an array its element
            // count, so that what the peer sends never runs past the member.
            const QByteArrayView opening = single ? calls->receiveSingle : calls->receiveArray;
            switch (single && calls->arrayBound == ItemType::ReceiveBound::Elements
                        ? ItemType::ReceiveBound::None
                        : calls->arrayBound) {
            case ItemType::ReceiveBound::None:
                m_out.indented(indent, {opening, m_path, name, ");"});
                break;
            case ItemType::ReceiveBound::Bytes:
                m_out.indented(indent, {opening, m_path, name, ", sizeof(", m_path, name, "));"});
                break;
            case ItemType::ReceiveBound::Elements:
                m_out.indented(indent, {opening, m_path, name, ", sizeof(", m_path, name,
                                        ")/sizeof(", m_path, name, "[0]));"});
                break;
            }
        } else if (!calls->sendSingle) {
            m_out.indented(indent, {"Not supported."});
        } else {
            const bool ascii = fields.type == QByteArrayView("A");
            m_out.indented(indent, {single ? calls->sendSingle : calls->sendArray, m_path, name,
                                    ", sizeof(", m_path, name, ascii ? ")-1);" : "));"});
        }
    }

    Body m_body;
    GeneratedText& m_out;
    DepthCounters m_lists; // ListCounters
    DepthCounters m_loops; // LoopCounters
    QByteArray m_path;     // MemberPath
    std::vector<Frame> m_stack;
};

} // namespace

void WriteReceiveBody(const SmlNode& node, GeneratedText& out) {
    BodyWalk(BodyWalk::Body::Receive, out).run(node);
}

void WriteSendBody(const SmlNode& node, GeneratedText& out) {
    BodyWalk(BodyWalk::Body::Send, out).run(node);
}

void WriteClearBody(const SmlNode& node, GeneratedText& out) {
    if (node.Kind() != NodeKind::Message)
        return;
    out.line({"void ", MessageClassName(MessageNumbersOf(node.Text())), "::Clear(short Mode)"});
    out.line("{");
    if (node.childCount() > 0) {
        // The first child's words, whatever its kind.
        const NodeHeader header = NodeHeader::Read(node.child(0)->Text(), NodeKind::Item);
        const TextWords& fields = header.words;
        if (fields.type == QByteArrayView("L")) {
            if (IsVariableCount(fields.length))
                out.line("    memset(L1, 0, sizeof(L1));");
            else
                out.line("    memset(&L1, 0, sizeof(L1));");
        } else {
            const QByteArrayView member = fields.memberName;
            if (IsSingleValue(fields.length))
                out.line({"    memset(&", member, ", 0, sizeof(", member, "));"});
            else
                out.line({"    memset(", member, ", 0, sizeof(", member, "));"});
        }
    }
    out.line("}");
    out.line(kSeparator);
}

void DeclareNode(const SmlNode& node, GeneratedText& classes, GeneratedText& preamble) {
    QSet<QByteArray> constants;
    DeclareNode(node, classes, preamble, constants);
}

void DeclareNode(const SmlNode& root, GeneratedText& classes, GeneratedText& preamble,
                 QSet<QByteArray>& constants) {
    struct Frame {
        const SmlNode* node;
        int depth;
        int nextChild;
        qint64 ordinal;    // k of a list
        QByteArray member; // of a list
        bool variable;     // a list of variable length
    };
    DepthCounters lists; // ListCounters
    std::vector<Frame> stack;

    auto enter = [&](const SmlNode& node, int depth) {
        const size_t d = static_cast<size_t>(depth);
        const qsizetype indent = Indent(depth);
        Frame frame{&node, depth, 0, 0, {}, false};
        switch (node.Kind()) {
        case NodeKind::Message:
            classes.line({"class ", DeclaredClassName(node.Text()), " //", node.Text()});
            classes.line("{");
            classes.line("    public:");
            break;
        case NodeKind::List: {
            const NodeHeader header = NodeHeader::Read(node);
            const TextWords& fields = header.words;
            frame.member = fields.memberName.toByteArray();
            frame.ordinal = lists.increment(d);
            frame.variable = IsVariableCount(fields.length);
            if (frame.variable) {
                classes.indented(indent, {"short ", frame.member, ";"});
                classes.line("");
            }
            classes.indented(indent, {"struct //", node.Text()});
            classes.indented(indent, {"{"});
            break;
        }
        case NodeKind::Item: {
            const NodeHeader header = NodeHeader::Read(node);
            const TextWords& fields = header.words;
            const QByteArrayView member = fields.memberName;
            const qint64 v = ItemLength(fields.length);
            if (fields.type == QByteArrayView("A")) {
                if (v != 0)
                    classes.indented(indent, {"A  ", member, "[", QByteArray::number(v + 1), "];"});
                else
                    classes.indented(indent,
                                     {"A  ", member, "[/*", fields.length, "*/]; //Need define"});
            } else {
                // The type name padded to two characters, then a blank.
                const QByteArrayView type = TypeName(fields.type);
                const QByteArrayView pad =
                    QByteArrayView("   ").first(std::max<qsizetype>(1, 3 - type.size()));
                if (v == 1)
                    classes.indented(indent, {type, pad, member, ";"});
                else if (v > 1)
                    classes.indented(indent,
                                     {type, pad, member, "[", NumberText(fields.length, v), "];"});
                else
                    classes.indented(
                        indent, {type, pad, member, "[/*", fields.length, "*/]; //Need define"});
            }
            break;
        }
        }
        lists.reset(d + 1);
        stack.push_back(std::move(frame));
    };

    auto leave = [&](const Frame& frame) {
        switch (frame.node->Kind()) {
        case NodeKind::Message:
            classes.line("    void Clear(short Mode=0);");
            classes.line("    short Receive(TeZorv *X, long lMsgId);");
            classes.line(
                "    short Send(TeZorv *X, short nDevId=1, long lSysByte=0, short Mode=0);");
            classes.line("};");
            classes.line(kSeparator);
            break;
        case NodeKind::List: {
            const QByteArray k = QByteArray::number(frame.ordinal);
            const qsizetype indent = Indent(frame.depth);
            if (frame.variable) {
                classes.indented(indent, {"}L", k, "[Max_", frame.member, "]; //Need define"});
                if (!constants.contains(frame.member)) {
                    constants.insert(frame.member);
                    preamble.line({"const short Max_", frame.member, " = 1; //Need Edit"});
                }
            } else {
                classes.indented(indent, {"}L", k, ";"});
            }
            break;
        }
        case NodeKind::Item:
            break;
        }
    };

    enter(root, 0);
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.nextChild < top.node->childCount()) {
            const SmlNode* child = top.node->child(top.nextChild++);
            enter(*child, top.depth + 1);
        } else {
            const Frame done = std::move(stack.back());
            stack.pop_back();
            leave(done);
        }
    }
}

} // namespace pravik
