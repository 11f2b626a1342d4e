#include "document/NodeHeader.h"
#include "document/ItemTypes.h"
#include "document/NodeArena.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

using namespace pravik;

namespace {

std::string S(QByteArrayView v) {
    return v.toByteArray().toStdString();
}

} // namespace

TEST(NodeHeader, ReadsMessagesAsTheMessageDialogAndTheKeyDo) {
    struct Case {
        const char* text;
        bool form;
        const char* stream;
        const char* function;
        qint64 key;
        int type;
        const char* description;
        const char* head;
    };
    const Case cases[] = {
        {"S1F1 P Are You There", true, "1", "1", 1001, 0, "Are You There", "S1F1"},
        {"S01F02 S Reply", true, "01", "02", 1002, 1, "Reply", "S01F02"},
        {"S6F11 P ", true, "6", "11", 6011, 0, "", "S6F11"},
        {"S9F1 N  spaced  ", true, "9", "1", 9001, 2, "spaced", "S9F1"},
        // No type letter: no description either, as the dialog pre-fills.
        {"S1F1 Are you there", true, "1", "1", 1001, -1, "", "S1F1"},
        {"S1F1", false, "", "", 0, -1, "", "S1F1"},
        {"S1F P", false, "", "", 0, 0, "", "S1F"},
        {"SF1 P", true, "", "1", 1, 0, "", "SF1"},
        {"s1f1 P", false, "", "", 0, 0, "", "s1f1"},
        {"SxF3 P", true, "x", "3", 3, 0, "", "SxF3"},
        {"S1000F1 P", true, "1000", "1", 1000001, 0, "", "S1000F1"},
        // Without a blank the letter is looked for at the very start.
        {"P", false, "", "", 0, 0, "", "P"},
        {"", false, "", "", 0, -1, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const NodeHeader h = NodeHeader::Read(QByteArray(c.text), NodeKind::Message);
        EXPECT_EQ(h.messageForm, c.form);
        EXPECT_EQ(S(h.streamText), c.stream);
        EXPECT_EQ(S(h.functionText), c.function);
        EXPECT_EQ(h.key, c.key);
        EXPECT_EQ(h.stream(), c.key / 1000);
        EXPECT_EQ(h.function(), c.key % 1000);
        EXPECT_EQ(h.messageType, c.type);
        EXPECT_EQ(S(h.messageDescription), c.description);
        EXPECT_EQ(S(h.head), c.head);
    }
}

TEST(NodeHeader, ReadsListsAndItemsByTheirFirstTwoBlanks) {
    struct Case {
        const char* text;
        const char* code;
        int typeIndex; // -1: unknown
        const char* length;
        bool variable;
        bool number;
        qint64 value;
        const char* description;
        const char* countField;
        const char* countTail;
    };
    const Case cases[] = {
        {"A 10 MDLN", "A", 1, "10", false, true, 10, "MDLN", "10", "MDLN"},
        {"U4 n Values", "U4", 10, "n", true, false, 0, "Values", "", "n Values"},
        {"L n Reports", "L", 0, "n", true, false, 0, "Reports", "n", "Reports"},
        {"L 3 Status list", "L", 0, "3", false, true, 3, "Status list", "3", "Status list"},
        {"L 2", "L", 0, "2", false, true, 2, "", "2", ""},
        {"BOOL 1", "BOOL", 3, "1", false, true, 1, "", "OL", "1"},
        {"BINARY 010 x", "BINARY", 2, "010", false, true, 10, "x", "NARY", "010 x"},
        {"X9 -3 odd", "X9", -1, "-3", false, true, -3, "odd", "", "-3 odd"},
        {"u4 1 lower", "u4", -1, "1", false, true, 1, "lower", "", "1 lower"},
        {"A abc", "A", 1, "abc", false, false, 0, "", "abc", ""},
        {"L", "", -1, "L", false, false, 0, "", "", ""},
        {"", "", -1, "", false, false, 0, "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const NodeHeader h = NodeHeader::Read(QByteArray(c.text), NodeKind::Item);
        EXPECT_EQ(S(h.code), c.code);
        EXPECT_EQ(h.type ? h.type->index : -1, c.typeIndex);
        EXPECT_EQ(S(h.lengthText), c.length);
        EXPECT_EQ(h.variableLength, c.variable);
        EXPECT_EQ(h.lengthIsNumber, c.number);
        EXPECT_EQ(h.lengthValue, c.value);
        EXPECT_EQ(S(h.description), c.description);
        EXPECT_EQ(S(h.countField), c.countField);
        EXPECT_EQ(S(h.countTail), c.countTail);
    }
}

TEST(NodeHeader, WordReadingMatchesTheGeneratorsSplitterWithAndWithoutQuotes) {
    struct Case {
        const char* text;
        const char* type;
        const char* length;
        const char* description;
        const char* member;
    };
    const Case cases[] = {
        {"U4 1 CEID", "U4", "1", "CEID", "CEID"},
        {"L 2 Model Name", "L", "2", "ModelName", "ModelName"},
        {"  U4   1\tData  Id  ", "U4", "1", "DataId", "DataId"},
        {"U4 1 \"Model Name\"", "U4", "1", "Model Name", "Model_Name"},
        {"U4 1 \" padded \"", "U4", "1", " padded ", "padded"},
        {"U4,,1 x", "U4", "", "1x", "1x"},
        {"A \"1,2\" x", "A", "1,2", "x", "x"},
        {"A 1 x,", "A", "1", "x", "x"},
        {"A 10", "A", "10", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const NodeHeader h = NodeHeader::Read(QByteArray(c.text), NodeKind::Item);
        EXPECT_EQ(S(h.words.type), c.type);
        EXPECT_EQ(S(h.words.length), c.length);
        EXPECT_EQ(S(h.words.description), c.description);
        EXPECT_EQ(S(h.words.memberName), c.member);
        // The views stay valid in a copy that outlives the original.
        NodeHeader copy = [&] { return NodeHeader::Read(QByteArray(c.text), NodeKind::Item); }();
        EXPECT_EQ(S(copy.words.memberName), c.member);
    }
}

TEST(NodeHeader, KindFollowsTheNodeAndTheTextIsNeverChanged) {
    DetachedSubtree tree = DetachedSubtree::create("S1F1 P looks like a message", NodeKind::List);
    const SmlNode& list = *tree.get();
    const NodeHeader h = NodeHeader::Read(list);
    EXPECT_EQ(h.kind, NodeKind::List);
    EXPECT_EQ(h.key, 0); // not read as a message
    EXPECT_EQ(S(h.code), "S1F1");
    EXPECT_EQ(h.text(), list.Text());
    EXPECT_EQ(h.text().constData(), list.Text().constData()); // shared, not copied
}

TEST(ItemTypes, OneTableWithTheDialogOrderCodesAndWireFormats) {
    const char* codes[] = {"L",  "A",  "BINARY", "BOOL", "I1", "I2", "I4", "I8",
                           "U1", "U2", "U4",     "U8",   "F4", "F8", "J8"};
    const int formats[] = {000, 020, 010, 011, 031, 032, 034, 030,
                           051, 052, 054, 050, 044, 040, 021};
    const int sizes[] = {0, 1, 1, 1, 1, 2, 4, 8, 1, 2, 4, 8, 4, 8, 1};
    std::set<int> orders;
    for (int i = 0; i < ItemTypes::kCount; ++i) {
        const ItemType* t = ItemTypes::at(i);
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->index, i);
        EXPECT_STREQ(t->code, codes[i]);
        EXPECT_EQ(t->formatCode, formats[i]) << codes[i];
        EXPECT_EQ(t->elementSize, sizes[i]) << codes[i];
        EXPECT_EQ(ItemTypes::find(codes[i]), t);
        if (!t->isList())
            orders.insert(t->generatedOrder);
    }
    EXPECT_EQ(orders.size(), size_t(ItemTypes::kCount - 1));
    EXPECT_EQ(ItemTypes::at(-1), nullptr);
    EXPECT_EQ(ItemTypes::at(ItemTypes::kCount), nullptr);
    EXPECT_EQ(ItemTypes::find("bool"), nullptr);
    EXPECT_EQ(ItemTypes::find(""), nullptr);
    EXPECT_STREQ(ItemTypes::at(8)->caption, "UNIT1(U1)");
    // Generated order: the typedefs put BOOL (B) before BINARY (B1).
    EXPECT_STREQ(ItemTypes::inGeneratedOrder()[1]->code, "BOOL");
    EXPECT_STREQ(ItemTypes::inGeneratedOrder()[2]->code, "BINARY");
}
