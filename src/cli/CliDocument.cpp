#include "cli/CliCommands.h"

#include "document/SmlDocument.h"
#include "sml/SmlReader.h"
#include "sml/SmlWriter.h"
#include "sml/StructureCheck.h"

#include <cstdio>

namespace pravik::cli {

namespace {
void Print(const QByteArray& bytes) {
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
}
} // namespace

int RunCounts(const QStringList& args) {
    if (args.size() != 1)
        return UsageError("pravik-cli counts FILE");
    SmlDocument doc;
    const ReadCounts counts = ReadDocument(args[0], doc);
    Print(MessageCountText(counts.messages).toUtf8() + "\n");
    Print(ItemCountText(counts.nodes).toUtf8() + "\n");
    return kExitOk;
}

int RunDump(const QStringList& args) {
    if (args.size() != 1)
        return UsageError("pravik-cli dump FILE");
    SmlDocument doc;
    ReadDocument(args[0], doc);
    QByteArray out;
    // Levels are tracked along the walk: a child is one deeper than the node
    // before it, and leaving subtrees is counted by climbing from there.
    int level = 0;
    const SmlNode* prev = nullptr;
    for (const SmlNode* n = doc.firstNode(); n; n = n->nextPreOrder()) {
        if (prev) {
            if (n->parent() == prev) {
                ++level;
            } else {
                for (const SmlNode* p = prev->parent(); p != n->parent(); p = p->parent())
                    --level;
            }
        }
        out += QByteArray::number(level) + '\t' + QByteArray::number(n->ImageIndex()) + '\t' +
               n->Text() + '\n';
        if (out.size() > (1 << 20)) {
            Print(out);
            out.clear();
        }
        prev = n;
    }
    Print(out);
    return kExitOk;
}

int RunResave(const QStringList& args) {
    if (args.size() != 2)
        return UsageError("pravik-cli resave IN OUT");
    SmlDocument doc;
    ReadDocument(args[0], doc);
    SaveDocument(args[1], doc);
    return kExitOk;
}

int RunCheck(const QStringList& args) {
    if (args.size() != 1)
        return UsageError("pravik-cli check FILE");
    SmlDocument doc;
    ReadDocument(args[0], doc);
    const CheckResult result = CheckStructure(doc);
    QByteArray out;
    for (const FaultyNode& f : result.faulty) {
        out += QByteArray::number(f.absoluteIndex) + '\t' +
               QByteArray::number(f.node->ImageIndex()) + '\t' + f.node->Text() + '\n';
        if (out.size() > (1 << 20)) {
            Print(out);
            out.clear();
        }
    }
    Print(out);
    return result.anyFaulty() ? kExitFaults : kExitOk;
}

} // namespace pravik::cli
