#include "cli/CliCommands.h"
#include "cli/CliOutput.h"

#include "document/SmlDocument.h"
#include "platform/PlatformError.h"
#include "sml/SmlReader.h"
#include "sml/SmlWriter.h"
#include "sml/StructureCheck.h"

#include <functional>

namespace pravik::cli {

namespace {

// Visits every node in file order with its pre-order index and its level
// (messages are level 0). Levels are tracked along the walk: a child is one
// deeper than the node before it, and leaving subtrees is counted by
// climbing from there, so the walk stays linear however deep the tree is.
void ForEachNode(const SmlDocument& doc,
                 const std::function<void(const SmlNode*, qint64 index, qint64 level)>& visit) {
    qint64 level = 0, index = 0;
    const SmlNode* prev = nullptr;
    for (const SmlNode* n = doc.firstNode(); n; n = n->nextPreOrder(), ++index) {
        if (prev) {
            if (n->parent() == prev) {
                ++level;
            } else {
                for (const SmlNode* p = prev->parent(); p != n->parent(); p = p->parent())
                    --level;
            }
        }
        visit(n, index, level);
        prev = n;
    }
}

// Prints nodes as tab-separated lines (first column, image index, text) or
// as one JSON document {"file": ..., "nodes": [{...}, ...]}.
class NodePrinter {
public:
    NodePrinter(const NodeFormat& format, const QString& file) : m_format(format) {
        if (m_format.json)
            m_out.write("{\"file\":" + JsonString(file.toUtf8()) + ",\"nodes\":[");
    }
    // index < 0 leaves "index" out of the JSON object.
    void node(const SmlNode* n, int imageIndex, qint64 firstColumn, qint64 level, qint64 index) {
        const QByteArray text = PrintedText(n->Text(), m_format.raw);
        const QByteArray image = QByteArray::number(imageIndex);
        if (!m_format.json) {
            m_out.write(QByteArray::number(firstColumn) + '\t' + image + '\t' + text + '\n');
            return;
        }
        QByteArray object = m_first ? "\n{" : ",\n{";
        if (index >= 0)
            object += "\"index\":" + QByteArray::number(index) + ',';
        object += "\"level\":" + QByteArray::number(level) + ",\"image\":" + image +
                  ",\"text\":" + JsonString(text) + '}';
        m_out.write(object);
        m_first = false;
    }
    void finish() {
        if (m_format.json)
            m_out.write("]}\n");
        m_out.finish();
    }

private:
    NodeFormat m_format;
    StdoutWriter m_out;
    bool m_first = true;
};

} // namespace

int RunCounts(const Invocation& in) {
    SmlDocument doc;
    const ReadCounts counts = ReadDocument(in.args[0], doc);
    StdoutWriter out;
    out.write(MessageCountText(counts.messages).toUtf8() + "\n");
    out.write(ItemCountText(counts.nodes).toUtf8() + "\n");
    out.finish();
    return kExitOk;
}

int RunDump(const Invocation& in) {
    const NodeFormat format = ReadNodeFormat(in.options);
    SmlDocument doc;
    ReadDocument(in.args[0], doc);
    NodePrinter printer(format, in.args[0]);
    ForEachNode(doc, [&](const SmlNode* n, qint64, qint64 level) {
        printer.node(n, doc.imageIndexOf(n), level, level, -1);
    });
    printer.finish();
    return kExitOk;
}

int RunResave(const Invocation& in) {
    SmlDocument doc;
    ReadDocument(in.args[0], doc);
    CheckOutputPath(in.args[1], kCannotCreateFile);
    SaveDocument(in.args[1], doc);
    return kExitOk;
}

int RunCheck(const Invocation& in) {
    const NodeFormat format = ReadNodeFormat(in.options);
    SmlDocument doc;
    ReadDocument(in.args[0], doc);
    const CheckResult result = CheckStructure(doc);
    doc.setCheckMarks(result.nodes());
    NodePrinter printer(format, in.args[0]);
    // The faults come in pre-order, so one walk finds each one's level.
    auto next = result.faulty.begin();
    if (next != result.faulty.end())
        ForEachNode(doc, [&](const SmlNode* n, qint64 index, qint64 level) {
            if (next == result.faulty.end() || next->node != n)
                return;
            printer.node(n, doc.imageIndexOf(n), next->absoluteIndex, level, index);
            ++next;
        });
    printer.finish();
    return result.anyFaulty() ? kExitFaults : kExitOk;
}

} // namespace pravik::cli
