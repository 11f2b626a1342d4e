#include "SecsTestSupport.h"

#include "document/DocumentOperations.h"
#include "document/SmlDocument.h"
#include "platform/FileSystem.h"
#include "secs/CommonSmlExport.h"
#include "secs/CommonSmlImport.h"
#include "sml/SmlReader.h"
#include "sml/SmlWriter.h"
#include "support/DocumentEdits.h"

#include <iterator>
#include <set>

namespace pravik::test {
namespace {

void Load(SmlDocument& doc, const QByteArray& sml) {
    ParsedSml parsed = ParseSml(sml);
    doc.resetTo(std::move(parsed.root), parsed.counts.nodes);
}

// SML text as `pravik-cli resave` leaves it: read and written again.
QByteArray Resaved(const QByteArray& sml) {
    SmlDocument doc;
    Load(doc, sml);
    return WriteDocument(doc);
}

// The definitions an import makes, as the file a new document saves.
QByteArray Imported(ImportResult result) {
    EXPECT_FALSE(result.error) << result.error->text().toStdString();
    SmlDocument doc;
    Edit(doc, [&](DocumentEditor& ed) {
        for (ImportedMessage& m : result.messages)
            ed.insertSubtree(nullptr, doc.topLevelCount(), std::move(m.definition));
        SortMessages(ed);
    });
    return WriteDocument(doc);
}

// What an export told, taken while its document lives (the skipped
// messages are its nodes).
struct ExportSummary {
    int exported = 0;
    QStringList skipped;
};

QByteArray ExportedText(const QByteArray& sml, ExportSummary* out = nullptr) {
    SmlDocument doc;
    Load(doc, sml);
    const ExportResult r = ExportCommonSml(doc);
    if (out) {
        out->exported = r.exported;
        for (const SkippedMessage& m : r.skipped)
            out->skipped << m.text();
    }
    return r.text;
}

TEST(CommonSmlImportExport, TheExampleComesBackByteForByte) {
    const QByteArray host = FileSystem::ReadWholeFile(QStringLiteral(PRAVIK_EXAMPLES "/host.sml"));
    ExportSummary exported;
    const QByteArray text = ExportedText(host, &exported);
    EXPECT_TRUE(exported.skipped.empty());
    EXPECT_EQ(exported.exported, 39);
    // Types the header cannot tell travel as marks; everything else reads
    // like any log.
    EXPECT_TRUE(text.contains("S9F11 /*N*/ /* Data Too Long */\r\n<B [10] 0x00 0x00"));
    EXPECT_TRUE(text.contains("S1F1 W /* Are You There */\r\n.\r\n"));
    EXPECT_FALSE(text.contains("/*="));
    const QByteArray back = Imported(ImportCommonSml(text));
    EXPECT_EQ(Resaved(back), Resaved(host));
    EXPECT_EQ(Resaved(host), host); // the example is our writer's own output
}

// Random documents of every shape the import can give back: fixed and "n"
// lists, items of every type and length, descriptions with blanks, Korean,
// comment ends and marks' look-alikes, odd texts that must travel whole.
QByteArray RandomDocument(QRandomGenerator& rng) {
    const QByteArray pieces[] = {
        "a",  "Report", " ", "\xc7\xd1\xb1\xdb", "*/", "/*", "n", "=x", "//", "S", "[2]",
        "\"", "'",      "\\"};
    auto description = [&]() {
        QByteArray d;
        const int n = rng.bounded(4);
        for (int i = 0; i < n; ++i)
            d += pieces[rng.bounded(int(std::size(pieces)))];
        return d;
    };
    QByteArray sml;
    std::set<int> keys;
    const int messages = 1 + rng.bounded(12);
    for (int i = 0; i < messages; ++i) {
        int stream, function;
        do {
            stream = rng.bounded(128);
            function = rng.bounded(256);
        } while (!keys.insert(stream * 1000 + function).second);
        // Leading zeros, odd types and missing type letters travel whole.
        const int form = rng.bounded(10);
        QByteArray head = "S" + QByteArray::number(stream) + "F" + QByteArray::number(function);
        if (form == 0)
            head = "S0" + QByteArray::number(stream) + "F" + QByteArray::number(function);
        sml += "<" + head + " ";
        // Without a type letter the text needs some description to remain a
        // message ("S1F1" alone is not one).
        if (form != 1)
            sml += QByteArray("PSN").mid(rng.bounded(3), 1) + " ";
        else
            sml += "x";
        sml += description() + "\r\n";
        // A body of at most one top item, built level by level.
        struct Open {
            int depth;
            int left;
            bool variable;
        };
        std::vector<Open> open;
        auto item = [&](int depth) {
            const QByteArray indent(2 * depth, ' ');
            const int type = rng.bounded(ItemTypes::kCount);
            if (type == 0 && depth < 6) {
                const bool variable = rng.bounded(3) == 0;
                const int count = variable ? 1 : rng.bounded(4);
                const QByteArray countText =
                    variable ? "n" : (rng.bounded(10) == 0 ? "0" : "") + QByteArray::number(count);
                sml += indent + "<L " + countText + " " + description() + " \r\n";
                open.push_back({depth, count, variable});
                return;
            }
            const ItemType& t = ItemTypes::all()[static_cast<size_t>(std::max(type, 1))];
            const QByteArray length =
                rng.bounded(6) == 0 ? QByteArray("n") : QByteArray::number(rng.bounded(5));
            sml += indent + "<" + t.code + " " + length + " " + description() + " >\r\n";
        };
        if (rng.bounded(5) != 0) {
            item(1);
            while (!open.empty()) {
                if (open.back().left == 0) {
                    sml += QByteArray(2 * open.back().depth, ' ') + ">\r\n";
                    open.pop_back();
                    continue;
                }
                --open.back().left;
                item(open.back().depth + 1);
            }
        }
        sml += ">\r\n\r\n";
    }
    return sml;
}

TEST(CommonSmlImportExport, RandomDocumentsComeBackByteForByte) {
    QRandomGenerator rng(4711);
    int textMarks = 0, variableMarks = 0, typeMarks = 0;
    for (int round = 0; round < 300; ++round) {
        const QByteArray sml = Resaved(RandomDocument(rng));
        ExportSummary exported;
        const QByteArray text = ExportedText(sml, &exported);
        ASSERT_TRUE(exported.skipped.empty()) << exported.skipped.join('\n').toStdString();
        textMarks += text.count("/*=");
        variableMarks += text.count("/*n*/");
        typeMarks += text.count("/*N*/") + text.count("/*S*/");
        const QByteArray back = Resaved(Imported(ImportCommonSml(text)));
        // The document sorted, as an import leaves it.
        SmlDocument sorted;
        Load(sorted, sml);
        Edit(sorted, [](DocumentEditor& ed) { SortMessages(ed); });
        ASSERT_EQ(back, WriteDocument(sorted)) << "round " << round << "\n" << text.toStdString();
    }
    // Every kind of mark was needed along the way.
    EXPECT_GT(textMarks, 50);
    EXPECT_GT(variableMarks, 50);
    EXPECT_GT(typeMarks, 50);
}

TEST(CommonSmlImportExport, MessagesWithoutAnExampleAreSkippedAndNamed) {
    // The skipped messages are nodes of the document: it must outlive them.
    SmlDocument doc;
    Load(doc, "<S1F1 P ok\r\n>\r\n<S1F3 P bad\r\n  <X 1 a >\r\n>\r\n");
    const ExportResult r = ExportCommonSml(doc);
    EXPECT_EQ(r.exported, 1);
    ASSERT_EQ(r.skipped.size(), 1u);
    EXPECT_EQ(r.skipped[0].text(), "S1F3 P bad: X 1 a (줄 4): 알 수 없는 아이템 형식입니다: 'X'");
    EXPECT_EQ(r.text, "S1F1 W /* ok */\r\n.\r\n");
}

TEST(CommonSmlImportExport, InstancesOfATrafficLogMerge) {
    const QByteArray log = "S6F11 W\n"                                      // line 1
                           "<L [3] <U4 1> <U4 100>\n"                       // line 2
                           "  <L [2] <L [2] <U4 10> <L [1] <A \"abc\">>>\n" // line 3
                           "         <L [2] <U4 11> <L [2] <A \"x\"> <A \"hello\">>>>>.\n"
                           "S6F12 <B 0x00>.\n"                  // line 5
                           "S6F11 W <L [3] <U4 2 3> <U4 100>\n" // line 6
                           "  <L [1] <L [2] <U4 10> <L [3] <A 'a'> <A 'b'> <A 'c'>>>>>.\n"
                           "S6F11 W <L [3] <U4 3> <U4 101> <L [0]>>.\n" // line 8
                           "S6F11 W <L [3] <U4 4>\n"                    // line 9
                           "  <A \"not a number\"> <L>>.\n"             // line 10
                           "S1F1 W.\n"                                  // line 11
                           "S1F1 W <L>.\n"                              // line 12
                           "S2F2 W.\n"
                           "S2F3.\n";
    ImportResult r = ImportCommonSml(log);
    ASSERT_FALSE(r.error);
    ASSERT_EQ(r.conflicts.size(), 2u);
    EXPECT_EQ(r.conflicts[0].text(), "S6F11: 줄 2와(과) 줄 10의 구조를 합칠 수 없습니다");
    EXPECT_EQ(r.conflicts[1].text(), "S1F1: 줄 11와(과) 줄 12의 구조를 합칠 수 없습니다");
    EXPECT_EQ(r.nodeCount, 9 + 2 + 1 + 1 + 1);
    // The report lists became "n", their items the longest seen; W or an
    // odd function makes a primary message.
    EXPECT_EQ(Imported(std::move(r)), "<S1F1 P \r\n>\r\n\r\n"
                                      "<S2F2 P \r\n>\r\n\r\n"
                                      "<S2F3 P \r\n>\r\n\r\n"
                                      "<S6F11 P \r\n"
                                      "  <L 3  \r\n"
                                      "    <U4 2  >\r\n"
                                      "    <U4 1  >\r\n"
                                      "    <L n  \r\n"
                                      "      <L 2  \r\n"
                                      "        <U4 1  >\r\n"
                                      "        <L n  \r\n"
                                      "          <A 5  >\r\n"
                                      "        >\r\n"
                                      "      >\r\n"
                                      "    >\r\n"
                                      "  >\r\n"
                                      ">\r\n\r\n"
                                      "<S6F12 S \r\n"
                                      "  <BINARY 1  >\r\n"
                                      ">\r\n\r\n");
}

TEST(CommonSmlImportExport, ConflictsInsideOneInstanceAndOrderOfMerging) {
    // A list marked "n" whose elements disagree.
    ImportResult r = ImportCommonSml("S1F1 W\n<L /*n*/\n<U1 1>\n<A 'x'>\n>.");
    ASSERT_EQ(r.conflicts.size(), 1u);
    EXPECT_EQ(r.conflicts[0].firstLine, 3);
    EXPECT_EQ(r.conflicts[0].otherLine, 4);
    EXPECT_TRUE(r.messages.empty());
    // An "n" list seen empty first takes its element from a later instance;
    // nested counts that differ fold too.
    r = ImportCommonSml("S1F3 <L /*n*/>.\n"
                        "S1F3 <L <L <U1> <U1 1 2>> <L <U1 1 2 3>>>.\n"
                        "S1F3 <L <L <U1 5>>>.\n");
    EXPECT_TRUE(r.conflicts.empty());
    EXPECT_EQ(Imported(std::move(r)), "<S1F3 P \r\n  <L n  \r\n    <L n  \r\n      <U1 3  >\r\n"
                                      "    >\r\n  >\r\n>\r\n\r\n");
}

// A hostile file cannot make us take memory out of proportion: one message
// of too many items, or definitions of too many nodes, are refused where
// they cross the line.
TEST(CommonSmlImportExport, SizesBeyondBoundsAreRefusedWhereTheyGrow) {
    QByteArray one = "S1F1 W\n<L\n";
    for (qsizetype i = 0; i < kMaxMessageItems / 1000; ++i)
        one += QByteArray(" <U1>").repeated(1000) + "\n";
    one += ">.\n";
    ImportResult r = ImportCommonSml(one);
    ASSERT_TRUE(r.error);
    EXPECT_EQ(r.error->line, 2 + kMaxMessageItems / 1000);
    EXPECT_EQ(r.error->column, 5 * 999 + 2); // the last "<U1>" of the line
    EXPECT_TRUE(r.error->message.contains(QStringLiteral("아이템이 너무 많습니다")));
    EXPECT_TRUE(r.messages.empty());

    QByteArray many;
    const qsizetype perMessage = 100000;
    for (qsizetype m = 0; m * perMessage <= kMaxImportNodes; ++m)
        many += "  S1F" + QByteArray::number(m) + " <L" +
                QByteArray(" <U1>").repeated(perMessage - 2) + ">.\n";
    r = ImportCommonSml(many);
    ASSERT_TRUE(r.error);
    EXPECT_EQ(r.error->line, 1 + kMaxImportNodes / perMessage);
    EXPECT_EQ(r.error->column, 3);
    EXPECT_TRUE(r.error->message.contains(QStringLiteral("정의가 너무 큽니다")));
    EXPECT_TRUE(r.messages.empty());
}

// An exact-text mark counts only when it agrees with what was read.
TEST(CommonSmlImportExport, MarksThatContradictTheMessageAreIgnored) {
    const QByteArray log = "S1F3 /*=S1F1 W x*/.\n"
                           "S1F5 /*=S01F05 P kept*/\n"
                           "<L /*=L 5 x*/\n"
                           "  <U1 1 2> /*=U1 02 kept*/\n"
                           "  <U1 1> /*=A 1 y*/\n"
                           "  <L /*n*/ /*=L 1 z*/ <U1>>\n"
                           "  <L /*=L 00 kept*/>\n"
                           ">.\n";
    EXPECT_EQ(Imported(ImportCommonSml(log)), "<S1F3 P \r\n>\r\n\r\n"
                                              "<S01F05 P kept\r\n"
                                              "  <L 4  \r\n"
                                              "    <U1 02 kept >\r\n"
                                              "    <U1 1  >\r\n"
                                              "    <L n  \r\n"
                                              "      <U1 0  >\r\n"
                                              "    >\r\n"
                                              "    <L 00 kept \r\n"
                                              "    >\r\n"
                                              "  >\r\n"
                                              ">\r\n\r\n");
}

TEST(CommonSmlImportExport, MalformedTextGivesNothing) {
    const ImportResult r = ImportCommonSml("S1F1 W <L <U1 1>>.\nS1F2 <L <U1 300>>.");
    ASSERT_TRUE(r.error);
    EXPECT_EQ(r.error->line, 2);
    EXPECT_EQ(r.error->column, 13);
    EXPECT_TRUE(r.messages.empty());
    EXPECT_TRUE(r.conflicts.empty());
}

} // namespace
} // namespace pravik::test
