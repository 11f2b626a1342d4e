// Undo and redo of the document's edits: random edit sequences taken back
// and made again byte for byte, failing edits rolled back, large subtrees
// kept rather than copied.
#include "document/DocumentEdit.h"
#include "document/EditCommands.h"
#include "document/NodeArena.h"
#include "document/NodeSearch.h"
#include "document/SmlDocument.h"
#include "sml/SmlReader.h"
#include "sml/SmlWriter.h"

#include "support/DocumentEdits.h"
#include <QAbstractItemModelTester>
#include <QUndoStack>
#include <gtest/gtest.h>
#include <memory>
#include <new>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

using namespace pravik;
using pravik::test::Append;
using pravik::test::Edit;

namespace {

const QByteArray kDoc = "<S1F1 P one\n  <L 3 a\n    <A 1 a1>\n    <A 1 a2>\n    <A 1 a3>\n  >\n"
                        "  <L 5 b\n    <U4 1 b1>\n  >\n>\n"
                        "<S2F1 P two\n  <L n c\n    <BOOL 1 c1>\n  >\n>\n"
                        "<S3F1 P three\n  <L 2 d\n    <L 1 e\n      <I4 1 e1>\n    >\n"
                        "    <F8 1 d2>\n  >\n>\n";

struct Fixture {
    SmlDocument doc;
    // Checks every notification; too slow for very large documents.
    std::unique_ptr<QAbstractItemModelTester> tester;

    explicit Fixture(const QByteArray& sml = kDoc, bool watched = true) {
        if (watched)
            tester = std::make_unique<QAbstractItemModelTester>(
                &doc, QAbstractItemModelTester::FailureReportingMode::Fatal);
        ParsedSml parsed = ParseSml(sml);
        doc.resetTo(std::move(parsed.root), parsed.counts.nodes);
    }
    // The saved bytes and the images: everything an edit may change.
    std::string state() const {
        std::string out = WriteDocument(doc).toStdString();
        for (const SmlNode* n = doc.firstNode(); n; n = n->nextPreOrder())
            out += char('0' + doc.imageIndexOf(n));
        return out;
    }
    qint64 walkedCount() const {
        qint64 count = 0;
        for (const SmlNode* n = doc.firstNode(); n; n = n->nextPreOrder())
            ++count;
        return count;
    }
};

// One random edit of any kind, chosen and aimed as the window would allow.
class RandomEditor {
public:
    RandomEditor(SmlDocument& doc, unsigned seed) : m_doc(doc), m_rng(seed) {}

    // Returns whether a step was pushed.
    bool step() {
        const int before = m_doc.undoStack()->count();
        SmlNode* a = anyNode();
        SmlNode* b = anyNode();
        switch (pick(10)) {
        case 0: {
            MessageFields f{QByteArray::number(pick(4)), QByteArray::number(pick(6)), pick(4) - 1,
                            "m" + QByteArray::number(pick(100))};
            EditCommands::AddMessage(m_doc, a && a->isTopLevel() ? a : nullptr, f);
            break;
        }
        case 1:
            if (a)
                EditCommands::AddItem(m_doc, a,
                                      a->Kind() == NodeKind::Item || pick(2)
                                          ? DialogMode::AddSibling
                                          : DialogMode::AddChild,
                                      itemFields());
            break;
        case 2:
            if (a && a->isTopLevel())
                EditCommands::EditMessage(m_doc, a,
                                          {QByteArray::number(pick(4)), QByteArray::number(pick(6)),
                                           pick(3), "e" + QByteArray::number(pick(9))});
            else if (a)
                EditCommands::EditItem(m_doc, a, itemFields());
            break;
        case 3:
            if (a)
                EditCommands::DeleteNode(m_doc, a, nullptr);
            break;
        case 4:
            if (a)
                EditCommands::MoveUp(m_doc, a);
            break;
        case 5:
            if (a)
                EditCommands::MoveDown(m_doc, a);
            break;
        case 6: // a copy pasted where paste allows it
            if (a && (!b || (!a->isAncestorOf(b) &&
                             (a->Kind() == NodeKind::Message || b->Kind() != NodeKind::Item))))
                EditCommands::PasteCopy(m_doc, a, b);
            break;
        case 7: // a cut pasted
            if (a && b && !a->isAncestorOf(b) &&
                (a->Kind() == NodeKind::Message || b->Kind() != NodeKind::Item))
                EditCommands::PasteCut(m_doc, a, b);
            break;
        default: // dropped, moved or copied, where a drag may end
            if (a && b && !a->isAncestorOf(b) && b != PreviousPreOrder(m_doc, a) &&
                (a->Kind() != NodeKind::Message || b->Kind() == NodeKind::Message)) {
                if (pick(2))
                    EditCommands::DropMove(m_doc, a, b);
                else
                    EditCommands::DropCopy(m_doc, a, b);
            }
            break;
        }
        return m_doc.undoStack()->count() > before;
    }

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }
    SmlNode* anyNode() {
        const qint64 count = m_doc.nodeCount();
        if (count == 0 || pick(12) == 0)
            return nullptr;
        return m_doc.nodeAtAbsoluteIndex(
            std::uniform_int_distribution<qint64>(0, count - 1)(m_rng));
    }
    ItemFields itemFields() {
        const int type = pick(16) - 1; // -1: no type chosen
        return {type, QByteArray::number(pick(12)), pick(5) == 0,
                "i" + QByteArray::number(pick(50))};
    }

    SmlDocument& m_doc;
    std::mt19937 m_rng;
};

} // namespace

TEST(Undo, RandomEditSequencesAreTakenBackAndMadeAgainExactly) {
    for (unsigned seed : {1u, 2u, 3u, 4u, 5u}) {
        SCOPED_TRACE(seed);
        Fixture f;
        const QByteArray original = WriteDocument(f.doc);
        RandomEditor editor(f.doc, seed);
        // The state after every step, to compare each undo and redo with.
        std::vector<std::string> states{f.state()};
        int tries = 0;
        while (states.size() <= 200 && ++tries < 10000) {
            const std::string before = f.state();
            if (editor.step()) {
                states.push_back(f.state());
                ASSERT_EQ(f.doc.nodeCount(), f.walkedCount());
                ASSERT_TRUE(f.doc.isModified());
            } else {
                ASSERT_EQ(f.state(), before) << "an edit that pushed nothing changed something";
            }
        }
        ASSERT_EQ(states.size(), 201u);
        const QByteArray edited = WriteDocument(f.doc);
        QUndoStack* stack = f.doc.undoStack();
        for (size_t i = states.size() - 1; i-- > 0;) {
            stack->undo();
            ASSERT_EQ(f.state(), states[i]) << "undone to step " << i;
            ASSERT_EQ(f.doc.nodeCount(), f.walkedCount());
        }
        EXPECT_FALSE(f.doc.isModified());
        EXPECT_EQ(WriteDocument(f.doc), original);
        for (size_t i = 1; i < states.size(); ++i) {
            stack->redo();
            ASSERT_EQ(f.state(), states[i]) << "made again to step " << i;
        }
        EXPECT_EQ(WriteDocument(f.doc), edited);
        EXPECT_TRUE(f.doc.isModified());
    }
}

TEST(Undo, AnEditThatFailsHalfwayLeavesTheDocumentAsItWas) {
    Fixture f;
    const std::string before = f.state();
    SmlNode* list = f.doc.topLevel(0)->child(0);
    EXPECT_THROW(f.doc.perform(QStringLiteral("x"),
                               [&](DocumentEditor& ed) {
                                   ed.appendNode(list, "A 1 new", NodeKind::Item);
                                   ed.setText(list, "L 4 a");
                                   ed.moveNode(f.doc.topLevel(2), nullptr, 0);
                                   ed.setKind(f.doc.topLevel(1), NodeKind::List);
                                   ed.removeNode(f.doc.topLevel(1)->child(0));
                                   SortMessages(ed);
                                   throw std::runtime_error("out of memory, say");
                               }),
                 std::runtime_error);
    EXPECT_EQ(f.state(), before);
    EXPECT_EQ(f.doc.nodeCount(), f.walkedCount());
    EXPECT_EQ(f.doc.undoStack()->count(), 0);
    EXPECT_FALSE(f.doc.isModified());
}

TEST(Undo, AnAllocationFailureWhileCopyingRollsThePasteBack) {
    Fixture f;
    // A subtree big enough to need fresh memory while it is copied.
    SmlNode* big = f.doc.topLevel(1)->child(0);
    f.doc.perform(QStringLiteral("fill"), [&](DocumentEditor& ed) {
        for (int i = 0; i < 500; ++i)
            ed.appendNode(big, "A 8 some item text " + QByteArray::number(i), NodeKind::Item);
    });
    const std::string before = f.state();
    const int steps = f.doc.undoStack()->count();
    f.doc.arena().failAllocationsAfter(3);
    EXPECT_THROW(EditCommands::PasteCopy(f.doc, big, f.doc.topLevel(0)), std::bad_alloc);
    f.doc.arena().failAllocationsAfter(-1);
    EXPECT_EQ(f.state(), before);
    EXPECT_EQ(f.doc.undoStack()->count(), steps);
    // The document works on as before.
    ASSERT_TRUE(EditCommands::PasteCopy(f.doc, big, f.doc.topLevel(0)));
    EXPECT_EQ(f.doc.nodeCount(), f.walkedCount());
}

TEST(Undo, UndoingTheDeleteOfALargeSubtreeReinsertsTheSameNodes) {
    Fixture f(kDoc, false);
    SmlNode* list = f.doc.topLevel(1)->child(0);
    f.doc.perform(QStringLiteral("fill"), [&](DocumentEditor& ed) {
        SmlNode* group = list;
        for (int i = 0; i < 100000; ++i) {
            if (i % 10 == 0)
                group = ed.appendNode(list, "L 9 group", NodeKind::List);
            else
                ed.appendNode(group, "U4 1 value", NodeKind::Item);
        }
    });
    f.doc.setSaved();
    const qint64 count = f.doc.nodeCount();
    std::vector<const SmlNode*> nodes;
    for (const SmlNode* n = list; n && n != list->nextSkippingChildren(); n = n->nextPreOrder())
        nodes.push_back(n);
    const QByteArray before = WriteDocument(f.doc);

    ASSERT_TRUE(EditCommands::DeleteNode(f.doc, list, f.doc.topLevel(1)));
    EXPECT_EQ(f.doc.nodeCount(), count - qint64(nodes.size()));
    f.doc.undoStack()->undo();
    EXPECT_EQ(f.doc.topLevel(1)->child(0), list);
    size_t i = 0;
    for (const SmlNode* n = list; n && n != list->nextSkippingChildren(); n = n->nextPreOrder())
        ASSERT_EQ(n, nodes[i++]);
    EXPECT_EQ(WriteDocument(f.doc), before);
    EXPECT_EQ(f.doc.nodeCount(), count);
    EXPECT_FALSE(f.doc.isModified());
}

TEST(Undo, StepsNameTheEditAndChangelessEditsPushNothing) {
    Fixture f;
    SmlNode* one = f.doc.topLevel(0);
    // The same text again, a move that goes nowhere: no step.
    EXPECT_EQ(EditCommands::EditMessage(f.doc, one, {"1", "1", 0, "one"}), nullptr);
    EXPECT_EQ(EditCommands::MoveUp(f.doc, one), nullptr);
    // The last child cut and pasted on its own list: already there.
    EXPECT_EQ(EditCommands::PasteCut(f.doc, one->child(0)->child(2), one->child(0)), nullptr);
    EXPECT_EQ(f.doc.undoStack()->count(), 0);
    EXPECT_FALSE(f.doc.isModified());

    EXPECT_EQ(EditCommands::DeleteNode(f.doc, one->child(0), one), one);
    EXPECT_EQ(f.doc.undoStack()->undoText(), QStringLiteral("삭제"));
    EXPECT_EQ(f.doc.lastEdit()->text(), QStringLiteral("삭제"));
    // Back at the state last saved: not modified; a new edit after an undo
    // drops the step that was undone.
    f.doc.undoStack()->undo();
    EXPECT_FALSE(f.doc.isModified());
    EditCommands::MoveDown(f.doc, one);
    EXPECT_EQ(f.doc.undoStack()->count(), 1);
    EXPECT_EQ(f.doc.undoStack()->undoText(), QStringLiteral("아래로 이동"));
    // A reset forgets every step.
    f.doc.clear();
    EXPECT_EQ(f.doc.undoStack()->count(), 0);
    EXPECT_FALSE(f.doc.isModified());
}
