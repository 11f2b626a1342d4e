// A peer of our own that speaks raw bytes: every bad frame sequence gets
// the protocol's answer or a closed connection, never a crash or a hang.

#include "HsmsTestSupport.h"

#include "hsms/FrameDecoder.h"

#include <QTcpSocket>
#include <QtEndian>
#include <gtest/gtest.h>

namespace pravik::test {
namespace {

QByteArray Length(quint32 n) {
    QByteArray b(4, '\0');
    qToBigEndian<quint32>(n, reinterpret_cast<uchar*>(b.data()));
    return b;
}

HsmsHeader DataHeader(int stream, int function, bool w, quint32 sys) {
    HsmsHeader h;
    h.stream = static_cast<quint8>(stream);
    h.function = static_cast<quint8>(function);
    h.wbit = w;
    h.systemBytes = sys;
    return h;
}

// A raw client: writes bytes, collects the frames it gets back.
class RawPeer {
public:
    bool connectTo(quint16 port) {
        m_socket.connectToHost(QHostAddress::LocalHost, port);
        QObject::connect(&m_socket, &QTcpSocket::readyRead, [this] { read(); });
        QObject::connect(&m_socket, &QTcpSocket::disconnected, [this] { m_closed = true; });
        WaitFor([&] {
            return m_closed || m_socket.state() == QAbstractSocket::ConnectedState ||
                   m_socket.state() == QAbstractSocket::UnconnectedState;
        });
        return connected();
    }
    void write(const QByteArray& bytes) { m_socket.write(bytes); }
    bool select(quint32 sys = 100) {
        write(EncodeFrame(HsmsHeader::Control(SType::SelectReq, sys)));
        return WaitFor([&] { return findControl(SType::SelectRsp) != nullptr; });
    }
    const FrameDecoder::Event* findControl(SType t) const {
        for (const auto& e : frames)
            if (e.header.sType == static_cast<quint8>(t))
                return &e;
        return nullptr;
    }
    const FrameDecoder::Event* findData(int stream, int function) const {
        for (const auto& e : frames)
            if (e.header.isData() && e.header.stream == stream && e.header.function == function)
                return &e;
        return nullptr;
    }
    bool closed() const { return m_closed; }
    bool connected() const { return m_socket.state() == QAbstractSocket::ConnectedState; }
    void stopReading() {
        m_reading = false;
        m_socket.setReadBufferSize(1);
    }
    std::vector<FrameDecoder::Event> frames;

private:
    void read() {
        if (!m_reading)
            return;
        const QByteArray bytes = m_socket.readAll();
        QByteArrayView rest(bytes);
        while (!rest.isEmpty()) {
            FrameDecoder::Event ev;
            rest = rest.sliced(m_decoder.feed(rest, ev));
            if (ev.kind == FrameDecoder::Kind::Frame)
                frames.push_back(ev);
            if (m_decoder.failed())
                break;
        }
    }
    QTcpSocket m_socket;
    FrameDecoder m_decoder{1 << 24};
    bool m_closed = false;
    bool m_reading = true;
};

class RawPeerTest : public ::testing::Test {
protected:
    void SetUp() override {
        defs = Definitions(kLinkSml);
        LinkSettings s = TestSettings(false, false, 0);
        s.queue = 1000;
        link = std::make_unique<HsmsLink>(s, Fast());
        link->setDefinitions(defs.get());
        rec = std::make_unique<Recorder>(*link);
        link->start();
        ASSERT_NE(link->listeningPort(), 0);
    }
    // Connects a raw peer, selected unless told otherwise.
    std::unique_ptr<RawPeer> peer(bool selected = true) {
        auto p = std::make_unique<RawPeer>();
        EXPECT_TRUE(p->connectTo(link->listeningPort()));
        if (selected) {
            EXPECT_TRUE(p->select());
        }
        return p;
    }
    // The link still answers S1F1 W on a fresh connection.
    void expectStillServing() {
        auto p = peer();
        p->write(EncodeFrame(DataHeader(1, 1, true, 77)));
        ASSERT_TRUE(WaitFor([&] { return p->findData(1, 2) != nullptr; }));
        EXPECT_EQ(p->findData(1, 2)->header.systemBytes, 77u);
    }
    void waitClosed(RawPeer& p) {
        ASSERT_TRUE(WaitFor([&] { return p.closed(); }));
        ASSERT_TRUE(WaitFor([&] { return link->state() == LinkState::NotConnected; }));
    }

    std::unique_ptr<SmlDocument> defs;
    std::unique_ptr<HsmsLink> link;
    std::unique_ptr<Recorder> rec;
};

TEST_F(RawPeerTest, ALengthShorterThanTheHeaderClosesTheConnection) {
    for (quint32 n = 0; n < 10; ++n) {
        auto p = peer();
        p->write(Length(n) + QByteArray(20, '\x01'));
        waitClosed(*p);
        EXPECT_TRUE(rec->hasAlarm(QStringLiteral("PROTOCOL"))) << n;
        rec->alarms.clear();
    }
    expectStillServing();
}

TEST_F(RawPeerTest, AHugeLengthGetsS9F11AndTheRestIsAwaitedOnlyUntilT8) {
    auto p = peer();
    const HsmsHeader h = DataHeader(6, 11, true, 5);
    p->write(Length(0xFFFFFFFFu) + h.bytes() + QByteArray(3000, 'x'));
    ASSERT_TRUE(WaitFor([&] { return p->findData(9, 11) != nullptr; }));
    const auto* s9 = p->findData(9, 11);
    EXPECT_EQ(s9->body, QByteArray("\x21\x0a") + h.bytes()); // <B [10] MHEAD>
    waitClosed(*p);
    EXPECT_TRUE(rec->hasAlarm(QStringLiteral("T8")));
    expectStillServing();
}

TEST_F(RawPeerTest, ABodyLongerThanQueueIsReadOffAndDropped) {
    auto p = peer();
    const HsmsHeader h = DataHeader(1, 13, true, 6);
    p->write(EncodeFrame(h, QByteArray("\x41\x02\x07\xd0", 4) + QByteArray(2000, 'y')));
    p->write(EncodeFrame(DataHeader(1, 1, true, 7)));
    ASSERT_TRUE(WaitFor([&] { return p->findData(1, 2) != nullptr; }));
    ASSERT_NE(p->findData(9, 11), nullptr);
    EXPECT_EQ(p->findData(9, 11)->body.mid(2), h.bytes());
    EXPECT_EQ(p->findData(1, 2)->header.systemBytes, 7u);
    EXPECT_FALSE(p->closed());
}

TEST_F(RawPeerTest, AFrameCutOffIsClosedAtT8) {
    auto p = peer();
    const QByteArray frame = EncodeFrame(DataHeader(1, 1, true, 8), "\x01\x00");
    p->write(frame.left(9));
    waitClosed(*p);
    EXPECT_TRUE(rec->hasAlarm(QStringLiteral("T8")));
    EXPECT_EQ(p->findData(1, 2), nullptr);
}

TEST_F(RawPeerTest, BytesAfterSeparateAreNotAnswered) {
    auto p = peer();
    p->write(EncodeFrame(HsmsHeader::Control(SType::SeparateReq, 9)) +
             EncodeFrame(DataHeader(1, 1, true, 10)) + QByteArray("\x00\x00\x00\x01", 4));
    waitClosed(*p);
    EXPECT_EQ(p->findData(1, 2), nullptr);
    expectStillServing();
}

TEST_F(RawPeerTest, UnknownTypesAreRejectedWithTheirReason) {
    struct Case {
        quint8 pType, sType, reason;
    };
    auto p = peer();
    quint32 sys = 20;
    for (const Case c :
         {Case{0, 8, 1}, Case{0, 10, 1}, Case{0, 255, 1}, Case{1, 0, 2}, Case{5, 1, 2},
          Case{0, 2, 3} /* select.rsp nobody asked for */, Case{0, 4, 3}, Case{0, 6, 3}}) {
        HsmsHeader h = HsmsHeader::Control(SType::LinktestReq, ++sys);
        h.pType = c.pType;
        h.sType = c.sType;
        p->frames.clear();
        p->write(EncodeFrame(h));
        ASSERT_TRUE(WaitFor([&] { return p->findControl(SType::RejectReq) != nullptr; }))
            << int(c.pType) << "/" << int(c.sType);
        const auto* r = p->findControl(SType::RejectReq);
        EXPECT_EQ(r->header.systemBytes, sys);
        EXPECT_EQ(r->header.function, c.reason);
        EXPECT_EQ(r->header.stream, c.reason == 2 ? c.pType : c.sType);
    }
    EXPECT_EQ(link->state(), LinkState::Selected);
}

TEST_F(RawPeerTest, SelectWhenSelectedIsAnsweredAlreadyActive) {
    auto p = peer();
    p->frames.clear();
    p->write(EncodeFrame(HsmsHeader::Control(SType::SelectReq, 30)));
    ASSERT_TRUE(WaitFor([&] { return p->findControl(SType::SelectRsp) != nullptr; }));
    EXPECT_EQ(p->findControl(SType::SelectRsp)->header.function, 1);
    EXPECT_EQ(link->state(), LinkState::Selected);
}

TEST_F(RawPeerTest, DataBeforeSelectIsRejected) {
    auto p = peer(false);
    p->write(EncodeFrame(DataHeader(1, 1, true, 31)));
    ASSERT_TRUE(WaitFor([&] { return p->findControl(SType::RejectReq) != nullptr; }));
    EXPECT_EQ(p->findControl(SType::RejectReq)->header.function, 4);
    EXPECT_EQ(p->findData(1, 2), nullptr);
}

TEST_F(RawPeerTest, AReplyNobodyWaitsForIsReported) {
    auto p = peer();
    p->write(EncodeFrame(DataHeader(1, 2, false, 4242), QByteArray("\x01\x00", 2)));
    ASSERT_TRUE(WaitFor([&] { return rec->hasAlarm(QStringLiteral("PROTOCOL")); }));
    EXPECT_EQ(rec->alarms.back().systemBytes, 4242u);
    EXPECT_EQ(link->state(), LinkState::Selected);
}

TEST_F(RawPeerTest, ABodyThatIsNotSecsIIGetsS9F7) {
    auto p = peer();
    const HsmsHeader h = DataHeader(1, 13, true, 33);
    p->write(EncodeFrame(h, QByteArray("\x41\x09"
                                       "ab",
                                       4)));
    ASSERT_TRUE(WaitFor([&] { return p->findData(9, 7) != nullptr; }));
    EXPECT_EQ(p->findData(9, 7)->body.mid(2), h.bytes());
    EXPECT_EQ(p->findData(1, 14), nullptr); // no reply to it
}

TEST_F(RawPeerTest, APeerThatSaysNothingIsClosedAtT7) {
    auto p = peer(false);
    waitClosed(*p);
    EXPECT_TRUE(rec->hasAlarm(QStringLiteral("T7")));
    expectStillServing();
}

// One not selected (say, a peer gone without a word) gives way to the next.
TEST_F(RawPeerTest, ANewConnectionReplacesOneNotSelected) {
    auto silent = peer(false);
    ASSERT_TRUE(WaitFor([&] { return link->state() == LinkState::NotSelected; }));
    auto next = peer();
    EXPECT_EQ(link->state(), LinkState::Selected);
    ASSERT_TRUE(WaitFor([&] { return silent->closed(); }));
    EXPECT_FALSE(next->closed());
}

TEST_F(RawPeerTest, ASecondConnectionIsRefusedWhileOneIsSelected) {
    auto first = peer();
    RawPeer second;
    second.connectTo(link->listeningPort()); // may already be closed when it returns
    ASSERT_TRUE(WaitFor([&] {
        return std::any_of(rec->events.begin(), rec->events.end(), [](const QString& e) {
            return e.startsWith(QStringLiteral("두 번째 접속"));
        });
    }));
    ASSERT_TRUE(WaitFor([&] { return second.closed() || !second.connected(); }));
    EXPECT_FALSE(first->closed());
    EXPECT_EQ(link->state(), LinkState::Selected);
}

// The peer stops reading: what we may queue is bounded, sends beyond it
// fail, and the link does not grow without end.
TEST_F(RawPeerTest, APeerThatStopsReadingBoundsTheSendQueue) {
    auto p = peer();
    p->stopReading();
    SecsBody body;
    body.addItem(2, QByteArray(60000, 'z'));
    bool refused = false;
    for (int i = 0; i < 3000 && !refused; ++i) {
        link->send(6, 11, false, body);
        QCoreApplication::processEvents();
        refused = rec->hasAlarm(QStringLiteral("SEND"));
    }
    EXPECT_TRUE(refused);
    ASSERT_TRUE(WaitFor([&] {
        return std::any_of(rec->outcomes.begin(), rec->outcomes.end(),
                           [](const SendOutcome& o) { return !o.ok; });
    }));
}

// The active side's select.req unanswered: T6, close, and again after T5.
TEST(RawServer, AnUnansweredSelectEndsAtT6AndIsTriedAgain) {
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    int connections = 0;
    std::vector<std::unique_ptr<QTcpSocket>> kept;
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        while (QTcpSocket* s = server.nextPendingConnection()) {
            ++connections;
            kept.emplace_back(s); // reads nothing, answers nothing
        }
    });
    HsmsLink host(TestSettings(true, true, server.serverPort()), Fast());
    Recorder rec(host);
    host.start();
    ASSERT_TRUE(WaitFor([&] { return connections >= 2; }));
    EXPECT_TRUE(rec.hasAlarm(QStringLiteral("T6")));
    host.stop();
}

} // namespace
} // namespace pravik::test
