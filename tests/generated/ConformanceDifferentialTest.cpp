// The link's verdict against the generated Receive code itself: for each
// definition, its example and mutations of it are built in the stand-in
// driver and received by the generated class; the code reads a body
// completely and safely (no error, nothing left unread, no string cut)
// exactly when the link says it conforms. The one place the link is
// stricter on purpose: a numeric array with fewer values than declared,
// which the code takes and leaves the rest of the member as it was.
#include "GeneratedHarness.h"

#include "document/ItemTypes.h"
#include "document/SmlDocument.h"
#include "hsms/Conformance.h"
#include "secs/ExampleInstance.h"
#include "sml/SmlReader.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace pravik::test {
namespace {

const QByteArray kAutoReplyTarget = "<S9F11 N Data Too Long\r\n  <BINARY 10 MHEAD >\r\n>\r\n";

// Message bodies of S1F1 (indented as files have them). No item of
// variable length: its member is the user's to size.
const char* const kDefinitions[] = {
    "  <U4 1 Value >\r\n",
    "  <I2 3 Values >\r\n",
    "  <A 5 Name >\r\n",
    "  <L 3 Head\r\n    <U1 1 Code >\r\n    <A 4 Text >\r\n    <F8 2 Pair >\r\n  >\r\n",
    "  <L n Ids\r\n    <U4 1 Id >\r\n  >\r\n",
    "  <L 2 Report\r\n    <U4 1 DataId >\r\n    <L n Rpt\r\n      <L 2 Body\r\n"
    "        <BOOL 1 On >\r\n        <L n Vals\r\n          <A 6 Val >\r\n        >\r\n"
    "      >\r\n    >\r\n  >\r\n",
    "  <L 2 Pair\r\n    <BINARY 2 Bits >\r\n    <L 0 Nothing\r\n    >\r\n  >\r\n",
    "  <L 2 Mixed\r\n    <I8 1 Big >\r\n    <F4 1 Level >\r\n  >\r\n",
};

enum class Mutation { None, Fewer, More, Drop, Grow, Retype, ToList, NoBody };

struct Variant {
    Mutation kind;
    SecsBody body;
};

void Copy(const SecsBody& from, qsizetype i, SecsBody& to) {
    const SecsItem& item = from.items[static_cast<size_t>(i)];
    if (item.isList())
        to.addList(item.length);
    else
        to.addItem(item.type, from.dataOf(item));
}

// The body with the change at item `at`.
SecsBody Mutated(const SecsBody& b, qsizetype at, Mutation kind) {
    SecsBody out;
    const qsizetype n = static_cast<qsizetype>(b.items.size());
    for (qsizetype i = 0; i < n; ++i) {
        const SecsItem& item = b.items[static_cast<size_t>(i)];
        if (i != at) {
            Copy(b, i, out);
            continue;
        }
        const int size = item.itemType().elementSize;
        switch (kind) {
        case Mutation::Fewer: // one element less
            out.addItem(item.type, b.dataOf(item).first(item.length - size));
            break;
        case Mutation::More:
            out.addItem(item.type, b.dataOf(item).toByteArray() + QByteArray(size, 'a'));
            break;
        case Mutation::Retype: {                      // another format with data of its size
            const int other = item.type == 1 ? 8 : 1; // A <-> U1
            out.addItem(other, QByteArray(item.count(), 'b'));
            break;
        }
        case Mutation::ToList:
            out.addList(0);
            i = b.subtreeEnd(i) - 1;
            break;
        case Mutation::Drop: { // a list without its last element
            out.addList(item.length - 1);
            qsizetype child = i + 1;
            for (quint32 k = 0; k + 1 < item.length; ++k)
                child = b.subtreeEnd(child);
            for (qsizetype j = i + 1; j < child; ++j)
                Copy(b, j, out);
            i = b.subtreeEnd(i) - 1;
            break;
        }
        case Mutation::Grow: { // a list with its last element twice
            out.addList(item.length + 1);
            qsizetype last = i + 1;
            for (quint32 k = 0; k + 1 < item.length; ++k)
                last = b.subtreeEnd(last);
            const qsizetype end = b.subtreeEnd(i);
            for (qsizetype j = i + 1; j < end; ++j)
                Copy(b, j, out);
            for (qsizetype j = last; j < end; ++j)
                Copy(b, j, out);
            i = end - 1;
            break;
        }
        case Mutation::None:
        case Mutation::NoBody:
            Copy(b, i, out);
            break;
        }
    }
    return out;
}

std::vector<Variant> Variants(const SecsBody& example) {
    std::vector<Variant> v{{Mutation::None, example}, {Mutation::NoBody, SecsBody()}};
    const qsizetype n = static_cast<qsizetype>(example.items.size());
    for (qsizetype i = 0; i < n; ++i) {
        const SecsItem& item = example.items[static_cast<size_t>(i)];
        if (item.isList()) {
            if (item.length > 0)
                v.push_back({Mutation::Drop, Mutated(example, i, Mutation::Drop)});
            // "n" lists stay within the Max_ bound of 3 the harness gives them.
            if (item.length > 0 && item.length < 3)
                v.push_back({Mutation::Grow, Mutated(example, i, Mutation::Grow)});
        } else {
            if (item.length > 0)
                v.push_back({Mutation::Fewer, Mutated(example, i, Mutation::Fewer)});
            v.push_back({Mutation::More, Mutated(example, i, Mutation::More)});
            v.push_back({Mutation::Retype, Mutated(example, i, Mutation::Retype)});
        }
        if (i > 0)
            v.push_back({Mutation::ToList, Mutated(example, i, Mutation::ToList)});
    }
    return v;
}

// The stand-in calls that build body as a received S1F1.
QByteArray BuildCalls(const SecsBody& body) {
    QByteArray c = "        { long id; z.MakeSecsMsg(&id, 1, 1, 1, 3);\n";
    for (const SecsItem& item : body.items) {
        const QByteArray count = QByteArray::number(item.count());
        const QByteArray size = QByteArray::number(std::max<quint32>(1, item.count()));
        const QByteArray code(item.itemType().code);
        if (item.isList()) {
            c += "          z.SetListItem(id, " + QByteArray::number(item.length) + ");\n";
        } else if (code == "A") {
            c += "          { WideString w(\"" + QByteArray(item.length, 'x') +
                 "\"); z.SetStringItem(id, &w, " + count + "); }\n";
        } else {
            const QByteArray type(item.itemType().cppType);
            const QByteArray method = code == "BOOL" ? "Bool" : code == "BINARY" ? "Binary" : code;
            c += "          { " + type + " v[" + size + "] = {}; z.Set" + method + "Item(id, v, " +
                 count + "); }\n";
        }
    }
    return c + "          z.Send(id); }\n";
}

TEST(ConformanceDifferential, TheVerdictIsWhatTheGeneratedReceiveCodeReads) {
    std::vector<CompileCase> cases;
    int checks = 0;
    for (const char* body : kDefinitions) {
        const QByteArray sml = "<S1F1 P Probe\r\n" + QByteArray(body) + ">\r\n" + kAutoReplyTarget;
        SmlDocument doc;
        ParsedSml parsed = ParseSml(sml);
        doc.resetTo(std::move(parsed.root), parsed.counts.nodes);
        const SmlNode& message = *doc.topLevel(0);
        const Example ex = BuildExample(message);
        ASSERT_TRUE(ex.problems.empty()) << body;
        QByteArray extra;
        int k = 0;
        for (const Variant& v : Variants(ex.message.body)) {
            const bool conforms = CheckConformance(message, v.body).conforms;
            // The code takes fewer values than declared; the link does not.
            const bool codeReads = conforms || v.kind == Mutation::Fewer;
            const QByteArray variant = QByteArray::number(k++);
            extra += BuildCalls(v.body);
            extra += "        { const long cut = pvkStringsCut; const long id = z.Deliver();\n"
                     "          clsS1F1* m = new clsS1F1();\n"
                     "          const short r = m->Receive(&z, id);\n"
                     "          const bool whole = r >= 0 && z.unread(id) == 0 && "
                     "pvkStringsCut == cut;\n"
                     "          delete m;\n";
            if (v.kind == Mutation::Fewer && !conforms)
                // Only the direction that must hold: what the code refuses, the link refuses.
                extra += "          (void)whole;\n";
            else
                extra += "          if (whole != " + QByteArray(codeReads ? "true" : "false") +
                         ") { std::printf(\"variant " + variant + ": code %s, link " +
                         QByteArray(conforms ? "conforms" : "differs") +
                         "\\n\", whole ? \"reads it\" : \"fails\"); bad |= 1; } }\n";
            if (v.kind == Mutation::Fewer && !conforms)
                extra += "        }\n";
            ++checks;
        }
        cases.push_back({QString::fromLatin1(body).simplified(), sml, extra});
    }
    EXPECT_GT(checks, 60);
    TempDir dir;
    const std::vector<CaseOutcome> outcomes = RunCompileCases(cases, dir.path("differential"));
    for (size_t i = 0; i < outcomes.size(); ++i)
        EXPECT_TRUE(outcomes[i].passed) << cases[i].name.toStdString() << "\n"
                                        << outcomes[i].log.toStdString();
}

} // namespace
} // namespace pravik::test
