#include "document/NodeSearch.h"
#include "document/SmlDocument.h"
#include "sml/SmlReader.h"

#include <gtest/gtest.h>

using namespace pravik;

namespace {

// "갂" is 0x81 0x41 in CP949: its second byte is an ASCII "A".
const QByteArray kDoc =
    "<S1F1 P one\n  <L 2 \x81\x41\n    <U4 1 first>\n    <A 4 \xA5\xC1lpha>\n  >\n>\n"
    "<S6F11 P report\n  <A 1 ALPHA>\n>\n"
    "<S06F011 P same key\n>\n";

struct Doc {
    SmlDocument doc;
    Doc() {
        ParsedSml parsed = ParseSml(kDoc);
        doc.resetTo(std::move(parsed.root), parsed.counts.nodes);
    }
    SmlNode* at(qint64 i) const { return doc.nodeAtAbsoluteIndex(i); }
};

} // namespace

TEST(NodeSearch, MatchesTextAsShownMindingDoubleByteCharacters) {
    Doc d;
    struct Case {
        const char* query;
        bool caseSensitive;
        std::vector<qint64> matches; // pre-order positions
    };
    const Case cases[] = {
        {"A", true, {3, 5}},   // not the trail byte of "갂" at 1
        {"a", false, {3, 5, 6}},  // ASCII case folded, still not the trail byte
        {"갂", true, {1}},     // Korean, as the tree shows it
        {"αLPHA", false, {3}}, // Greek folded through the decoded text
        {"Αlpha", true, {3}},    {"αlpha", true, {}}, {"first", true, {2}},
        {"FIRST", true, {}},     {"😀", false, {}}, // not in the code page: no false "?" match
        {"P ", true, {0, 4, 6}}, {"", false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.query);
        const NodeSearch search(QString::fromUtf8(c.query), c.caseSensitive);
        std::vector<qint64> found;
        for (qint64 i = 0; i < d.doc.nodeCount(); ++i)
            if (search.matches(*d.at(i)))
                found.push_back(i);
        EXPECT_EQ(found, c.matches);
    }
}

TEST(NodeSearch, FindsForwardAndBackwardFromTheCurrentNodeAndWraps) {
    Doc d;
    const NodeSearch a(QStringLiteral("LPHA"), false); // nodes 3 and 5
    NodeSearch::Result r = a.find(d.doc, nullptr, false);
    EXPECT_EQ(r.node, d.at(3));
    EXPECT_FALSE(r.wrapped);
    r = a.find(d.doc, d.at(3), false);
    EXPECT_EQ(r.node, d.at(5));
    r = a.find(d.doc, d.at(5), false);
    EXPECT_EQ(r.node, d.at(3));
    EXPECT_TRUE(r.wrapped);
    r = a.find(d.doc, d.at(5), true);
    EXPECT_EQ(r.node, d.at(3));
    EXPECT_FALSE(r.wrapped);
    r = a.find(d.doc, d.at(3), true);
    EXPECT_EQ(r.node, d.at(5));
    EXPECT_TRUE(r.wrapped);
    r = a.find(d.doc, nullptr, true);
    EXPECT_EQ(r.node, d.at(5));

    // The only match is found again from itself, after a full round.
    const NodeSearch first(QStringLiteral("first"), true);
    r = first.find(d.doc, d.at(2), false);
    EXPECT_EQ(r.node, d.at(2));
    EXPECT_TRUE(r.wrapped);
    EXPECT_EQ(NodeSearch(QStringLiteral("none"), true).find(d.doc, d.at(2), false).node, nullptr);
}

TEST(NodeSearch, MessageQueriesJumpBetweenMessagesOfThatKey) {
    Doc d;
    const NodeSearch key(QStringLiteral(" s6f11 "), true);
    ASSERT_TRUE(key.isMessageQuery());
    // From inside the first message, the first S6F11; then the other one
    // written with leading zeros; then round again.
    NodeSearch::Result r = key.find(d.doc, d.at(2), false);
    EXPECT_EQ(r.node, d.at(4));
    r = key.find(d.doc, r.node, false);
    EXPECT_EQ(r.node, d.at(6));
    r = key.find(d.doc, r.node, false);
    EXPECT_EQ(r.node, d.at(4));
    EXPECT_TRUE(r.wrapped);
    r = key.find(d.doc, d.at(5), true); // backward from inside S6F11
    EXPECT_EQ(r.node, d.at(6));
    EXPECT_TRUE(r.wrapped);
    EXPECT_FALSE(NodeSearch(QStringLiteral("S6F11 x"), true).isMessageQuery());
    EXPECT_EQ(NodeSearch(QStringLiteral("S9F9"), true).find(d.doc, nullptr, false).node, nullptr);
}
