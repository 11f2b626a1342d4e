// The findings kept across edits are those of a fresh check, whatever the
// edit; and an edit inside one message re-checks that message only.
#include "check/IncrementalCheck.h"
#include "document/DocumentEditor.h"
#include "document/SmlDocument.h"
#include "sml/SmlReader.h"
#include "sml/StructureCheck.h"

#include <QUndoStack>
#include <functional>
#include <gtest/gtest.h>

using namespace pravik;

namespace {

// Findings that cross messages: a duplicate key (E206), a stream that comes
// back (E207), a primary without reply (W501), a count constant named like a
// member elsewhere (E405), and faults inside messages.
const QByteArray kDocument = "<S1F1 P Are You There\n>\n"
                             "<S1F2 S On Line\n  <L 2 Equipment\n    <A 20 MDLN >\n"
                             "    <A n SOFTREV >\n  >\n>\n"
                             "<S2F1 P x\n  <L 2 t\n    <U1 1 Max_V >\n    <U2 1 w >\n  >\n>\n"
                             "<S1F3 N back\n  <L n V\n    <U4 1 v >\n  >\n>\n"
                             "<S6F11 P Event\n  <L 3 Report\n    <U4 1 DATAID >\n"
                             "    <U4 1 DATAID >\n    <L 1 Body\n      <I8 5 A >\n    >\n"
                             "  >\n>\n"
                             "<S9F11 N Data Too Long\n  <BINARY 10 MHEAD >\n>\n";

// The findings as lines of rule, node text and message.
std::string Texts(const std::vector<Diagnostic>& found) {
    QStringList out;
    for (const Diagnostic& d : found)
        out << QStringLiteral("%1 %2 %3")
                   .arg(QLatin1String(d.rule),
                        d.node() ? QString::fromLatin1(d.node()->Text()) : QStringLiteral("-"),
                        d.message);
    return out.join(QLatin1Char('\n')).toStdString();
}

class IncrementalCheckTest : public ::testing::Test {
public:
    void SetUp() override {
        ParsedSml parsed = ParseSml(kDocument);
        doc.resetTo(std::move(parsed.root), parsed.counts.nodes);
    }
    SmlNode* top(int row) { return doc.topLevel(row); }
    // The kept findings equal a fresh check's, node pointers and order too.
    void expectFresh(const char* what) {
        const std::vector<Diagnostic> kept = check.diagnostics();
        const std::vector<Diagnostic> fresh = CheckDefinitions(doc);
        EXPECT_EQ(Texts(kept), Texts(fresh)) << what;
        ASSERT_EQ(kept.size(), fresh.size()) << what;
        for (size_t i = 0; i < kept.size(); ++i) {
            EXPECT_EQ(kept[i].node(), fresh[i].node()) << what << " #" << i;
            EXPECT_EQ(kept[i].where.order, fresh[i].where.order) << what << " #" << i;
            EXPECT_EQ(kept[i].where.message, fresh[i].where.message) << what << " #" << i;
        }
    }

    SmlDocument doc;
    IncrementalCheck check{doc};
};

TEST_F(IncrementalCheckTest, EveryKindOfEditGivesTheFindingsOfAFreshCheck) {
    expectFresh("opened");
    // An edit through the document's editor, or (marks) outside the undo.
    using Editor = DocumentEditor;
    const struct {
        const char* what;
        std::function<void(IncrementalCheckTest&, Editor&)> edit;
        int rechecked; // messages checked again
    } edits[] = {
        {"a text deep down",
         [](auto& t, Editor& e) { e.setText(t.top(4)->child(0)->child(2)->child(0), "I8 5 B"); },
         1},
        {"a message's key, ending a duplicate elsewhere",
         [](auto& t, Editor& e) { e.setText(t.top(0), "S1F5 P Are You There"); }, 1},
        {"a message's key, making one",
         [](auto& t, Editor& e) { e.setText(t.top(0), "S1F3 P again"); }, 1},
        {"a node added",
         [](auto& t, Editor& e) { e.appendNode(t.top(2)->child(0), "U4 1 V", NodeKind::Item); }, 1},
        {"an item made a list",
         [](auto& t, Editor& e) {
             e.setText(t.top(2)->child(0)->child(2), "L 0 V");
             e.setKind(t.top(2)->child(0)->child(2), NodeKind::List);
         },
         1},
        {"a node removed", [](auto& t, Editor& e) { e.removeNode(t.top(4)->child(0)->child(1)); },
         1},
        {"a message added",
         [](auto&, Editor& e) { e.appendNode(nullptr, "S2F2 S reply", NodeKind::Message); }, 1},
        {"a message removed", [](auto& t, Editor& e) { e.removeNode(t.top(3)); }, 0},
        {"an item moved to another message",
         [](auto& t, Editor& e) {
             e.moveNode(t.top(2)->child(0)->child(0), t.top(1)->child(0), 0);
         },
         2},
        {"a message moved into a list",
         [](auto& t, Editor& e) { e.moveNode(t.top(0), t.top(3)->child(0), 0); }, 1},
        {"a list moved out to the top level",
         [](auto& t, Editor& e) { e.moveNode(t.top(2)->child(0)->child(0), nullptr, 0); }, 2},
        {"a message moved among messages",
         [](auto& t, Editor& e) { e.moveNode(t.top(1), nullptr, 4); }, 1},
        {"the messages reordered",
         [](auto& t, Editor& e) {
             std::vector<SmlNode*> order;
             for (int r = t.doc.topLevelCount() - 1; r >= 0; --r)
                 order.push_back(t.top(r));
             e.reorderTopLevel(order);
         },
         0},
        {"the structure check's marks",
         [](auto& t, Editor&) { t.doc.setCheckMarks(CheckStructure(t.doc).nodes()); }, 0},
        {"a cut mark", [](auto& t, Editor&) { t.doc.setCut(t.top(1), true); }, 0},
    };
    for (const auto& e : edits) {
        const qint64 before = check.messagesChecked();
        doc.perform(QString::fromUtf8(e.what), [&](Editor& editor) { e.edit(*this, editor); });
        expectFresh(e.what);
        EXPECT_EQ(check.messagesChecked() - before, e.rechecked) << e.what;
    }
    // Undo and redo every step: the same again.
    while (doc.undoStack()->canUndo()) {
        doc.undoStack()->undo();
        expectFresh("undo");
    }
    while (doc.undoStack()->canRedo()) {
        doc.undoStack()->redo();
        expectFresh("redo");
    }
}

TEST_F(IncrementalCheckTest, ANewDocumentIsCheckedWhole) {
    check.diagnostics();
    ParsedSml parsed = ParseSml("<S1F1 P x\n  <U1 1 B1 >\n>\n");
    doc.resetTo(std::move(parsed.root), parsed.counts.nodes);
    EXPECT_TRUE(check.hasPending());
    expectFresh("replaced");
}

// A message checked in parts: the walk stops at the deadline and goes on
// later; an edit of that message in between starts it again.
TEST_F(IncrementalCheckTest, AHugeMessageIsCheckedInParts) {
    QByteArray sml = "<S1F1 N huge\n  <L n rows\n    <L 5000 row\n";
    for (int i = 0; i < 5000; ++i)
        sml += "      <U4 1 v" + QByteArray::number(i % 4000) + " >\n"; // 1000 repeated names
    sml += "    >\n  >\n>\n";
    ParsedSml parsed = ParseSml(sml + kDocument);
    doc.resetTo(std::move(parsed.root), parsed.counts.nodes);

    const QDeadlineTimer expired(0);
    int parts = 0;
    while (!check.checkPending(expired)) {
        ++parts;
        if (parts == 3) // an edit of the message while it is half done
            doc.perform(QStringLiteral("edit"), [&](DocumentEditor& e) {
                e.setText(top(0)->child(0)->child(0)->child(4999), "U4 1 last");
            });
        ASSERT_LT(parts, 1000);
    }
    EXPECT_GT(parts, 5);
    expectFresh("in parts");
    // The edited text counts: v999 is no longer repeated.
    int repeated = 0;
    for (const Diagnostic& d : check.diagnostics())
        repeated += d.where.message == top(0) && QByteArray(d.rule) == "E404";
    EXPECT_EQ(repeated, 999);
}

} // namespace
