#include "document/SmlDocument.h"
#include "platform/PlatformError.h"
#include "sml/SmlReader.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace pravik;
using pravik::test::TempDir;

namespace {
// One line per node: level, image, text.
QByteArray Dump(const SmlDocument& doc) {
    QByteArray out;
    for (const SmlNode* n = doc.firstNode(); n; n = n->nextPreOrder())
        out += QByteArray::number(n->level()) + ' ' + QByteArray::number(n->ImageIndex()) + ' ' + n->Text() + '\n';
    return out;
}
QByteArray DumpOf(const QByteArray& text) {
    SmlDocument doc;
    ParsedSml p = ParseSml(text);
    doc.resetTo(std::move(p.topLevel), p.counts.nodes);
    return Dump(doc);
}
} // namespace

TEST(Reader, ReadsTheWritersFormat) {
    TempDir dir;
    const QString path = dir.write("a.sml", "<S1F2 S On Line Data\r\n  <L 2  \r\n    <A 6 MDLN >\r\n"
                                            "    <A 6 SOFTREV >\r\n  >\r\n>\r\n\r\n");
    SmlDocument doc;
    const ReadCounts counts = ReadDocument(path, doc);
    EXPECT_EQ(Dump(doc), "0 0 S1F2 S On Line Data\n1 1 L 2\n2 2 A 6 MDLN\n2 2 A 6 SOFTREV\n");
    EXPECT_EQ(counts.messages, 1);
    EXPECT_EQ(counts.nodes, 4);
    EXPECT_EQ(MessageCountText(counts.messages), QStringLiteral("전체 메시지: 1개"));
    EXPECT_EQ(ItemCountText(counts.nodes), QStringLiteral("전체 아이템: 4개"));
}
