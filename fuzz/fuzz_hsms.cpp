// Feeds arbitrary bytes to the frame decoder, cut into pieces the input
// chooses, and checks it against a whole-buffer reading; then sends the
// same bytes from a raw client to a passive link on 127.0.0.1 (after a
// select.req when the first byte says so) and runs the link until it has
// answered or closed. A crash, a sanitizer report, a hang or a link that
// stops taking connections is a finding.
#include "document/SmlDocument.h"
#include "hsms/FrameDecoder.h"
#include "hsms/HsmsLink.h"
#include "sml/SmlReader.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpSocket>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace pravik;

constexpr quint32 kQueue = 4096;

// A configured second is one millisecond here.
class QuickTimers : public TimerSource {
public:
    int milliseconds(int seconds) const override { return seconds; }
};

struct Decoded {
    int frames = 0, tooLong = 0, bad = 0;
    QByteArray bodies;
};

Decoded DecodeInPieces(QByteArrayView bytes, QByteArrayView cuts) {
    FrameDecoder d(kQueue);
    Decoded out;
    qsizetype at = 0, c = 0;
    while (at < bytes.size() && !d.failed()) {
        const qsizetype n =
            cuts.isEmpty() ? bytes.size() : 1 + static_cast<quint8>(cuts[c++ % cuts.size()]) % 32;
        QByteArrayView piece = bytes.sliced(at, std::min(n, bytes.size() - at));
        at += piece.size();
        while (!piece.isEmpty()) {
            FrameDecoder::Event ev;
            piece = piece.sliced(d.feed(piece, ev));
            if (ev.kind == FrameDecoder::Kind::Frame) {
                ++out.frames;
                if (ev.body.size() > qsizetype(kQueue))
                    std::abort();
                out.bodies += ev.headerBytes + ev.body;
            } else if (ev.kind == FrameDecoder::Kind::TooLong) {
                ++out.tooLong;
            } else if (ev.kind == FrameDecoder::Kind::BadLength) {
                ++out.bad;
            }
            if (d.failed())
                break;
        }
    }
    return out;
}

struct Fixture {
    QuickTimers timers;
    int adopted = 0; // connections the link took
    std::unique_ptr<SmlDocument> defs;
    std::unique_ptr<HsmsLink> link;
    Fixture() {
        const char* sml =
            "<S1F1 P A\n>\n<S1F2 S B\n  <L 2 X\n    <A 4 M >\n    <U4 1 V >\n  >\n>\n"
            "<S6F11 P E\n  <L n R\n    <U2 2 V >\n  >\n>\n<S6F12 S F\n  <BINARY 1 A >\n>\n";
        defs = std::make_unique<SmlDocument>();
        ParsedSml parsed = ParseSml(sml);
        defs->resetTo(std::move(parsed.root), parsed.counts.nodes);
        LinkSettings s;
        s.address = QHostAddress::LocalHost;
        s.addressText = "127.0.0.1";
        s.port = 0;
        s.deviceIds = {0, 1};
        s.queue = kQueue;
        s.t3 = s.t6 = s.t8 = 5;
        s.t7 = 50;
        s.linkTest = 3;
        link = std::make_unique<HsmsLink>(s, timers);
        link->setDefinitions(defs.get());
        QObject::connect(link.get(), &HsmsLink::stateChanged, [this](LinkState state) {
            if (state == LinkState::NotSelected)
                ++adopted;
        });
        link->start();
        if (link->listeningPort() == 0)
            std::abort();
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static int argc = 1;
    static char name[] = "fuzz_hsms";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static Fixture fixture;
    if (size == 0)
        return 0;
    const QByteArrayView all(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const quint8 mode = static_cast<quint8>(all[0]);
    const QByteArrayView bytes = all.sliced(1);

    // The same frames however the bytes are cut.
    const Decoded whole = DecodeInPieces(bytes, {});
    const Decoded cut = DecodeInPieces(bytes, all.first(std::min<qsizetype>(all.size(), 8)));
    if (whole.frames != cut.frames || whole.tooLong != cut.tooLong || whole.bad != cut.bad ||
        whole.bodies != cut.bodies)
        std::abort();

    // The session: the bytes from a raw client, bounded in time.
    const int adoptedBefore = fixture.adopted;
    QTcpSocket peer;
    peer.connectToHost(QHostAddress::LocalHost, fixture.link->listeningPort());
    QElapsedTimer t;
    t.start();
    // Generous bounds: the machine may be busy with builds. A link that took
    // the connection may already have closed it (T7 is short here) before
    // the peer saw it open; one that never took it is a finding.
    while (
        peer.state() != QAbstractSocket::ConnectedState &&
        !(fixture.adopted > adoptedBefore && peer.state() == QAbstractSocket::UnconnectedState) &&
        t.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    if (peer.state() != QAbstractSocket::ConnectedState && fixture.adopted == adoptedBefore) {
        std::fprintf(stderr, "no connection after %lld ms: %s\n", (long long)t.elapsed(),
                     peer.errorString().toLocal8Bit().constData());
        std::abort(); // the link no longer takes connections
    }
    if (mode & 1)
        peer.write(EncodeFrame(HsmsHeader::Control(SType::SelectReq, 1)));
    peer.write(bytes.toByteArray());
    t.restart();
    while (peer.state() == QAbstractSocket::ConnectedState && t.elapsed() < 30) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
        peer.readAll();
    }
    peer.abort();
    // Let the link take this connection and see its end before the next
    // input connects.
    t.restart();
    while (fixture.adopted == adoptedBefore && t.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
    if (fixture.adopted == adoptedBefore)
        std::abort(); // the link never took the connection
    while (fixture.link->state() != LinkState::NotConnected && t.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
    if (fixture.link->state() != LinkState::NotConnected)
        std::abort();
    return 0;
}
