// The frame decoder: whole frames from bytes in any pieces, and the
// lengths a peer can lie with.

#include "hsms/FrameDecoder.h"

#include <QtEndian>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace pravik {
namespace {

QByteArray Length(quint32 n) {
    QByteArray b(4, '\0');
    qToBigEndian<quint32>(n, reinterpret_cast<uchar*>(b.data()));
    return b;
}

HsmsHeader Data(int stream, int function, bool w, quint32 sys, quint16 device = 7) {
    HsmsHeader h;
    h.sessionId = device;
    h.stream = static_cast<quint8>(stream);
    h.function = static_cast<quint8>(function);
    h.wbit = w;
    h.systemBytes = sys;
    return h;
}

// Feeds bytes in pieces of the given sizes (cycled) and collects events.
std::vector<FrameDecoder::Event> Decode(FrameDecoder& d, const QByteArray& bytes,
                                        const std::vector<int>& pieces) {
    std::vector<FrameDecoder::Event> events;
    qsizetype at = 0;
    size_t p = 0;
    while (at < bytes.size() && !d.failed()) {
        qsizetype n = std::min<qsizetype>(pieces[p++ % pieces.size()], bytes.size() - at);
        QByteArrayView piece = QByteArrayView(bytes).sliced(at, n);
        at += n;
        while (!piece.isEmpty()) {
            FrameDecoder::Event ev;
            const qsizetype used = d.feed(piece, ev);
            piece = piece.sliced(used);
            if (ev.kind != FrameDecoder::Kind::None)
                events.push_back(ev);
            if (d.failed())
                break;
        }
    }
    return events;
}

TEST(FrameHeader, RoundTripsThroughItsTenBytes) {
    const HsmsHeader h = Data(127, 255, true, 0xDEADBEEF, 0x7FFF);
    const HsmsHeader back = HsmsHeader::FromBytes(h.bytes());
    EXPECT_EQ(back.sessionId, 0x7FFF);
    EXPECT_EQ(back.stream, 127);
    EXPECT_EQ(back.function, 255);
    EXPECT_TRUE(back.wbit);
    EXPECT_EQ(back.systemBytes, 0xDEADBEEFu);
    EXPECT_EQ(h.bytes().toHex(), QByteArray("7fffffff0000deadbeef"));
    // A control message keeps byte 2 whole (a reject's rejected SType).
    const HsmsHeader c = HsmsHeader::Control(SType::RejectReq, 9, 0x85, 1);
    EXPECT_EQ(EncodeFrame(c).toHex(), QByteArray("0000000affff850100070000"
                                                 "0009"));
}

// The same three frames however the bytes are cut.
TEST(FrameDecoder, GivesTheSameFramesForEveryWayOfCuttingTheBytes) {
    const QByteArray body1("\x01\x02\x41\x01x\x41\x01y", 8);
    const QByteArray stream = EncodeFrame(Data(1, 1, true, 1)) +
                              EncodeFrame(Data(1, 2, false, 1), body1) +
                              EncodeFrame(HsmsHeader::Control(SType::LinktestReq, 3));
    const std::vector<std::vector<int>> cuts = {{1}, {2}, {3}, {4}, {13}, {14}, {5, 1, 30}, {1000}};
    std::mt19937 random(5);
    std::vector<std::vector<int>> all = cuts;
    for (int i = 0; i < 20; ++i) {
        std::vector<int> c;
        for (int k = 0; k < 8; ++k)
            c.push_back(1 + static_cast<int>(random() % 17));
        all.push_back(c);
    }
    for (const auto& cut : all) {
        FrameDecoder d(1000);
        const auto events = Decode(d, stream, cut);
        ASSERT_EQ(events.size(), 3u) << "piece " << cut[0];
        EXPECT_EQ(events[0].kind, FrameDecoder::Kind::Frame);
        EXPECT_TRUE(events[0].header.wbit);
        EXPECT_TRUE(events[0].body.isEmpty());
        EXPECT_EQ(events[1].body, body1);
        EXPECT_EQ(events[1].header.function, 2);
        EXPECT_EQ(events[2].header.sType, static_cast<quint8>(SType::LinktestReq));
        EXPECT_FALSE(d.midFrame());
    }
}

TEST(FrameDecoder, KnowsWhenAFrameIsHalfIn) {
    FrameDecoder d(100);
    const QByteArray f = EncodeFrame(Data(1, 1, true, 1), "\x01\x00");
    for (int cut = 1; cut < f.size(); ++cut) {
        d.reset();
        const auto events = Decode(d, f.left(cut), {cut});
        EXPECT_TRUE(events.empty());
        EXPECT_TRUE(d.midFrame()) << cut;
    }
}

// Lengths below the header cannot be framed: the decoder stops there and
// takes nothing more.
TEST(FrameDecoder, StopsAtALengthShorterThanTheHeader) {
    for (quint32 n = 0; n < 10; ++n) {
        FrameDecoder d(100);
        const QByteArray bytes = Length(n) + QByteArray(40, 'x');
        FrameDecoder::Event ev;
        EXPECT_EQ(d.feed(bytes, ev), 4);
        EXPECT_EQ(ev.kind, FrameDecoder::Kind::BadLength);
        EXPECT_EQ(ev.length, n);
        EXPECT_TRUE(d.failed());
        EXPECT_EQ(d.feed(QByteArrayView(bytes).sliced(4), ev), 0);
    }
}

// A length beyond the limit is told as soon as its header is in, without
// waiting for (or holding) its body; the frames after it decode as usual.
TEST(FrameDecoder, DropsABodyLongerThanTheLimitAndGoesOn) {
    struct Case {
        quint32 bodyLength;
        qsizetype sent; // body bytes that follow before the next frame
    };
    for (const Case c : {Case{101, 101}, Case{5000, 5000}, Case{0xFFFFFFFFu - 10, 0}}) {
        FrameDecoder d(100);
        const HsmsHeader h = Data(6, 11, true, 42);
        QByteArray bytes = Length(c.bodyLength + 10) + h.bytes();
        FrameDecoder::Event ev;
        EXPECT_EQ(d.feed(bytes, ev), bytes.size());
        EXPECT_EQ(ev.kind, FrameDecoder::Kind::TooLong);
        EXPECT_EQ(ev.headerBytes, h.bytes());
        EXPECT_EQ(ev.length, c.bodyLength + 10);
        EXPECT_TRUE(ev.body.isEmpty());
        if (c.sent == 0) {
            EXPECT_TRUE(d.midFrame()); // the rest is awaited (T8 ends it)
            continue;
        }
        const QByteArray rest =
            QByteArray(c.sent, 'z') + EncodeFrame(Data(1, 1, false, 43), "\x21\x01\x05");
        const auto events = Decode(d, rest, {7});
        ASSERT_EQ(events.size(), 1u);
        EXPECT_EQ(events[0].header.systemBytes, 43u);
        EXPECT_EQ(events[0].body, QByteArray("\x21\x01\x05"));
    }
}

TEST(FrameDecoder, TakesABodyOfExactlyTheLimit) {
    FrameDecoder d(100);
    const QByteArray body(100, 'b');
    const auto events = Decode(d, EncodeFrame(Data(1, 1, false, 1), body), {3});
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].kind, FrameDecoder::Kind::Frame);
    EXPECT_EQ(events[0].body, body);
}

} // namespace
} // namespace pravik
