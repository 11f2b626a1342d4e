#include "SecsTestSupport.h"

#include <QDir>
#include <QFile>

namespace pravik::test {
namespace {

// Every format code, worked out by hand: format byte (code << 2 | 1), one
// length byte, the data big-endian.
TEST(SecsCodec, EncodesEveryFormat) {
    const struct {
        const char* sml;
        const char* bytes;
    } cases[] = {
        {"S1F1 <L>.", "01 00"},
        {"S1F1 <B 0x01 0x02>.", "21 02 01 02"},
        {"S1F1 <BOOLEAN T F>.", "25 02 01 00"},
        {"S1F1 <A \"ab\">.", "41 02 61 62"},
        {"S1F1 <J \"x\">.", "45 01 78"},
        {"S1F1 <I8 -1>.", "61 08 ff ff ff ff ff ff ff ff"},
        {"S1F1 <I1 -2 127>.", "65 02 fe 7f"},
        {"S1F1 <I2 -2>.", "69 02 ff fe"},
        {"S1F1 <I4 258>.", "71 04 00 00 01 02"},
        {"S1F1 <F8 1.5>.", "81 08 3f f8 00 00 00 00 00 00"},
        {"S1F1 <F4 -2.0>.", "91 04 c0 00 00 00"},
        {"S1F1 <U8 1>.", "a1 08 00 00 00 00 00 00 00 01"},
        {"S1F1 <U1 255>.", "a5 01 ff"},
        {"S1F1 <U2 256>.", "a9 02 01 00"},
        {"S1F1 <U4 5>.", "b1 04 00 00 00 05"},
        {"S1F1 <I8 -9223372036854775808>.", "61 08 80 00 00 00 00 00 00 00"},
        {"S1F1 <U8 18446744073709551615>.", "a1 08 ff ff ff ff ff ff ff ff"},
        // Nested lists: a list's length counts its items, not bytes.
        {"S1F1 <L <L <L>> <U1 7>>.", "01 02 01 01 01 00 a5 01 07"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EncodedHex(c.sml), QByteArray(c.bytes)) << c.sml;
}

// One, two and three length bytes, at each boundary.
TEST(SecsCodec, LengthBytesAtTheirLimits) {
    const struct {
        quint32 length;
        const char* header;
    } cases[] = {
        {0, "21 00"},        {255, "21 ff"},         {256, "22 01 00"},
        {65535, "22 ff ff"}, {65536, "23 01 00 00"}, {kMaxItemLength, "23 ff ff ff"},
    };
    for (const auto& c : cases) {
        SecsBody body;
        body.addItem(2, QByteArray(static_cast<qsizetype>(c.length), '\x5a'));
        QByteArray bytes;
        ASSERT_EQ(EncodeBody(body, bytes), -1);
        const QByteArray header(c.header);
        const qsizetype headerSize = (header.size() + 1) / 3;
        EXPECT_EQ(HexPairs(QByteArrayView(bytes).first(headerSize)), header) << c.length;
        EXPECT_EQ(bytes.size(), headerSize + c.length);
        EXPECT_EQ(bytes.count('\x5a'), c.length);
    }
    // A list's count uses the same length bytes.
    SecsBody list;
    list.addList(256);
    for (int i = 0; i < 256; ++i)
        list.addList(0);
    QByteArray bytes;
    ASSERT_EQ(EncodeBody(list, bytes), -1);
    EXPECT_EQ(HexPairs(QByteArrayView(bytes).first(3)), "02 01 00");
    EXPECT_EQ(bytes.size(), 3 + 2 * 256);

    // Beyond three length bytes nothing is written.
    SecsBody tooLong;
    tooLong.addList(1);
    tooLong.addItem(1, QByteArray(static_cast<qsizetype>(kMaxItemLength) + 1, 'x'));
    QByteArray none = "kept";
    EXPECT_EQ(EncodeBody(tooLong, none), 1);
    EXPECT_EQ(none, "kept");
}

TEST(SecsCodec, SpansCoverEachItemAndListsTheirItems) {
    const CommonSmlMessage m = ReadOne("S1F1 <L <U1 1> <L <A \"xy\">> <B>>.");
    QByteArray bytes;
    std::vector<ByteSpan> spans;
    ASSERT_EQ(EncodeBody(m.body, bytes, &spans), -1);
    // 01 03 | a5 01 01 | 01 01 | 41 02 78 79 | 21 00
    ASSERT_EQ(spans.size(), 5u);
    const std::pair<qint64, qint64> expected[] = {{0, 13}, {2, 5}, {5, 11}, {7, 11}, {11, 13}};
    for (size_t i = 0; i < spans.size(); ++i) {
        EXPECT_EQ(spans[i].begin, expected[i].first) << i;
        EXPECT_EQ(spans[i].end, expected[i].second) << i;
    }
}

// Where an item's subtree ends: an item and an empty list are one item each.
TEST(SecsBody, SubtreeEndSkipsExactlyOneItemWithItsDescendants) {
    // <L [3] <U1> <L [0]> <L [2] <A> <L [1] <B>>>> <U2>   (two top items)
    SecsBody b;
    b.addList(3);
    b.addItem(8, QByteArray(1, '\0'));
    b.addList(0);
    b.addList(2);
    b.addItem(1, "a");
    b.addList(1);
    b.addItem(2, "b");
    b.addItem(9, QByteArray(2, '\0'));
    const qsizetype expected[] = {7, 2, 3, 7, 5, 7, 7, 8};
    for (qsizetype i = 0; i < 8; ++i)
        EXPECT_EQ(b.subtreeEnd(i), expected[i]) << i;
}

TEST(SecsCodec, DecodesWhatItEncodes) {
    QRandomGenerator rng(20240611);
    for (int round = 0; round < 400; ++round) {
        const SecsBody body = RandomBody(rng, 1 + round % 60);
        QByteArray bytes;
        ASSERT_EQ(EncodeBody(body, bytes), -1);
        SecsBody back;
        const auto error = DecodeBody(bytes, back);
        ASSERT_FALSE(error) << error->message.toStdString();
        ASSERT_TRUE(back == body) << "round " << round;
    }
    // An empty body is no bytes.
    SecsBody none;
    EXPECT_FALSE(DecodeBody({}, none));
    EXPECT_TRUE(none.isEmpty());
}

TEST(SecsCodec, RefusesMalformedBytes) {
    const struct {
        QByteArray bytes;
        qint64 offset;
    } cases[] = {
        {QByteArray::fromHex("0c01"), 0},         // format code 03 is none
        {QByteArray::fromHex("a400"), 0},         // no length bytes
        {QByteArray::fromHex("a9"), 1},           // length cut short
        {QByteArray::fromHex("aa01"), 1},         // two length bytes announced, one there
        {QByteArray::fromHex("a5020a"), 2},       // data cut short
        {QByteArray::fromHex("a90300aabbcc"), 0}, // 3 bytes of 2-byte elements
        {QByteArray::fromHex("0102a50101"), 5},   // the list's second item missing
        {QByteArray::fromHex("a50101a50102"), 3}, // a second body item
    };
    for (const auto& c : cases) {
        SecsBody out;
        const auto error = DecodeBody(c.bytes, out);
        ASSERT_TRUE(error) << c.bytes.toHex().toStdString();
        EXPECT_EQ(error->offset, c.offset) << c.bytes.toHex().toStdString();
        EXPECT_FALSE(error->message.isEmpty());
    }
}

} // namespace
} // namespace pravik::test

namespace pravik::test {
namespace {

// The library is core: it builds and runs without widgets.
TEST(SecsLayering, NoWidgetHeaders) {
    const QDir folder(QStringLiteral(PRAVIK_TEST_DATA "/../../src/secs"));
    const QStringList files = folder.entryList({"*.h", "*.cpp"}, QDir::Files);
    ASSERT_GT(files.size(), 10);
    for (const QString& name : files) {
        QFile f(folder.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
        for (const QByteArray& line : f.readAll().split('\n')) {
            if (!line.startsWith("#include"))
                continue;
            for (const char* widget : {"QtWidgets", "<QWidget", "<QApplication", "<QDialog",
                                       "<QMainWindow", "<QDockWidget", "app/", "editing/"})
                EXPECT_FALSE(line.contains(widget)) << name.toStdString() << ": " << line.data();
        }
    }
}

} // namespace
} // namespace pravik::test
