// The link over 127.0.0.1, in one process on Qt's event loop: S1F1/S1F2
// round trips a second and a 10 kB S6F11/S6F12, each beside a plain TCP
// ping-pong of the same sizes in the same run (items_per_second are round
// trips a second); the receive check of a 10^5-item message; and the
// memory one connection takes while a peer streams a body of 4 GB length
// (bounded by "Queue", not by the length).
#include "document/SmlDocument.h"
#include "hsms/DefinitionIndex.h"
#include "hsms/HsmsLink.h"
#include "hsms/ReceivedCheck.h"
#include "secs/ExampleInstance.h"
#include "secs/SecsCodec.h"
#include "sml/SmlReader.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtEndian>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

using namespace pravik;

namespace {

const QByteArray kSml = R"(<S1F1 P Are You There
>

<S1F2 S On Line Data
  <L 2 Equipment
    <A 20 MDLN >
    <A 20 SOFTREV >
  >
>

<S6F11 P Event Report Send
  <L 3 Report
    <U4 1 DATAID >
    <U4 1 CEID >
    <L n RPT
      <L 2 RptBody
        <U4 1 RPTID >
        <L n V
          <A 40 VALUE >
        >
      >
    >
  >
>

<S6F12 S Event Report Acknowledge
  <BINARY 1 ACKC6 >
>
)";

// Reports in the S6F11 of about 10 kB.
constexpr int kReports = 190;

SmlDocument& Definitions() {
    static SmlDocument doc;
    static bool read = false;
    if (!read) {
        ParsedSml parsed = ParseSml(kSml);
        doc.resetTo(std::move(parsed.root), parsed.counts.nodes);
        read = true;
    }
    return doc;
}

SecsBody ExampleBody(int stream, int function, int count) {
    DefinitionIndex index(&Definitions());
    ExampleOptions options;
    options.variableCount = count;
    return BuildExample(*index.find(stream, function), options).message.body;
}

qint64 FrameSize(const SecsBody& body) {
    QByteArray bytes;
    EncodeBody(body, bytes);
    return 14 + bytes.size();
}

// Runs the event loop until done or 10 s passed (a broken link ends the run).
bool Spin(const std::function<bool()>& done) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > 10000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 10);
    }
    return true;
}

// A host and an equipment, selected, logs off.
struct Pair {
    std::unique_ptr<HsmsLink> equipment, host;
    quint64 done = 0;
    bool failed = false;

    explicit Pair(quint32 queue = 100000) {
        LinkSettings e;
        e.address = QHostAddress::LocalHost;
        e.addressText = "127.0.0.1";
        e.port = 0;
        e.deviceIds = {0};
        e.queue = queue;
        e.linkTest = 0;
        equipment = std::make_unique<HsmsLink>(e);
        equipment->setDefinitions(&Definitions());
        equipment->start();
        LinkSettings h = e;
        h.host = true;
        h.active = true;
        h.port = equipment->listeningPort();
        host = std::make_unique<HsmsLink>(h);
        host->setDefinitions(&Definitions());
        QObject::connect(host.get(), &HsmsLink::sendFinished, [this](const SendOutcome& o) {
            ++done;
            if (!o.ok || o.reply.verdict.kind != Verdict::Kind::Conforms)
                failed = true;
        });
        host->start();
        Spin([&] { return host->state() == LinkState::Selected; });
    }
};

// An S6F11 of reports reports, each with one value (A 40).
SecsBody EventReport(int reports) {
    SecsBody body;
    body.addList(3);
    body.addItem(10, QByteArray(4, '\0'));
    body.addItem(10, QByteArray(4, '\0'));
    body.addList(static_cast<quint32>(reports));
    for (int i = 0; i < reports; ++i) {
        body.addList(2);
        body.addItem(10, QByteArray(4, '\0'));
        body.addList(1);
        body.addItem(1, QByteArray(40, 'v'));
    }
    return body;
}

void HsmsRoundTrips(benchmark::State& state, int stream, int function, const SecsBody& body) {
    Pair pair;
    const qint64 replySize = FrameSize(ExampleBody(stream, function + 1, 1));
    state.counters["request_bytes"] = static_cast<double>(FrameSize(body));
    for (auto _ : state) {
        const quint64 before = pair.done;
        pair.host->send(stream, function, true, body);
        if (!Spin([&] { return pair.done > before; }) || pair.failed) {
            state.SkipWithError("the link failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["reply_bytes"] = static_cast<double>(replySize);
}

void BM_Hsms_S1F1_S1F2(benchmark::State& state) {
    HsmsRoundTrips(state, 1, 1, ExampleBody(1, 1, 1));
}
BENCHMARK(BM_Hsms_S1F1_S1F2)->MinTime(2.0)->UseRealTime();

void BM_Hsms_S6F11_10kB(benchmark::State& state) {
    HsmsRoundTrips(state, 6, 11, EventReport(kReports));
}
BENCHMARK(BM_Hsms_S6F11_10kB)->MinTime(2.0)->UseRealTime();

// The same exchange with no protocol: the client writes the request's
// bytes, the server reads them all and writes the reply's bytes back.
void TcpPingPong(benchmark::State& state, qint64 requestSize, qint64 replySize) {
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    QTcpSocket client;
    QTcpSocket* served = nullptr;
    qint64 serverGot = 0, clientGot = 0;
    const QByteArray request(requestSize, 'q'), reply(replySize, 'r');
    QByteArray buffer(64 * 1024, '\0');
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        served = server.nextPendingConnection();
        served->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        QObject::connect(served, &QTcpSocket::readyRead, [&] {
            while (served->bytesAvailable() > 0) {
                serverGot += served->read(buffer.data(), buffer.size());
                if (serverGot >= requestSize) {
                    serverGot -= requestSize;
                    served->write(reply);
                }
            }
        });
    });
    QObject::connect(&client, &QTcpSocket::readyRead, [&] {
        while (client.bytesAvailable() > 0)
            clientGot += client.read(buffer.data(), buffer.size());
    });
    client.connectToHost(QHostAddress::LocalHost, server.serverPort());
    client.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    Spin([&] { return served != nullptr && client.state() == QAbstractSocket::ConnectedState; });
    for (auto _ : state) {
        client.write(request);
        if (!Spin([&] { return clientGot >= replySize; })) {
            state.SkipWithError("the ping-pong failed");
            break;
        }
        clientGot -= replySize;
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_TcpPingPong_S1F1_sizes(benchmark::State& state) {
    TcpPingPong(state, FrameSize(ExampleBody(1, 1, 1)), FrameSize(ExampleBody(1, 2, 1)));
}
BENCHMARK(BM_TcpPingPong_S1F1_sizes)->MinTime(2.0)->UseRealTime();

void BM_TcpPingPong_S6F11_sizes(benchmark::State& state) {
    TcpPingPong(state, FrameSize(EventReport(kReports)), FrameSize(ExampleBody(6, 12, 1)));
}
BENCHMARK(BM_TcpPingPong_S6F11_sizes)->MinTime(2.0)->UseRealTime();

// Decoding and checking a received S6F11 of 10^5 items against its
// definition (what the link does per message).
void BM_ReceiveCheck_1e5_items(benchmark::State& state) {
    DefinitionIndex index(&Definitions());
    // 4 + 25000 reports x 4 items: 100004 items.
    const SecsBody body = EventReport(25000);
    QByteArray bytes;
    EncodeBody(body, bytes);
    for (auto _ : state) {
        TrafficRecord r;
        r.stream = 6;
        r.function = 11;
        CheckReceived(&index, bytes, r);
        if (r.verdict.kind != Verdict::Kind::Conforms)
            state.SkipWithError("does not conform");
        benchmark::DoNotOptimize(r);
    }
    state.counters["items"] = static_cast<double>(body.items.size());
    state.counters["bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_ReceiveCheck_1e5_items)->Unit(benchmark::kMillisecond);

qint64 ResidentKb() {
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = f.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * 4 : 0;
}

// A peer announces a body of 2^32-1 bytes and streams 256 MB of it: the
// equipment answers S9F11 and drops what follows; its memory stays where
// "Queue" puts it.
void BM_Memory_TooLongBody(benchmark::State& state) {
    const quint32 queue = static_cast<quint32>(state.range(0));
    qint64 growthKb = 0;
    for (auto _ : state) {
        LinkSettings e;
        e.address = QHostAddress::LocalHost;
        e.addressText = "127.0.0.1";
        e.port = 0;
        e.queue = queue;
        e.t8 = 60;
        HsmsLink equipment(e);
        equipment.start();
        QTcpSocket peer;
        peer.connectToHost(QHostAddress::LocalHost, equipment.listeningPort());
        Spin([&] { return peer.state() == QAbstractSocket::ConnectedState; });
        peer.write(EncodeFrame(HsmsHeader::Control(SType::SelectReq, 1)));
        Spin([&] { return equipment.state() == LinkState::Selected; });
        HsmsHeader h;
        h.stream = 6;
        h.function = 11;
        h.wbit = true;
        h.systemBytes = 2;
        QByteArray head(4, '\xff');
        head += h.bytes();
        peer.write(head);
        const QByteArray chunk(1 << 20, 'x');
        const qint64 before = ResidentKb();
        qint64 peak = before;
        for (int i = 0; i < 256; ++i) {
            peer.write(chunk);
            Spin([&] { return peer.bytesToWrite() < (4 << 20); });
            peak = std::max(peak, ResidentKb());
        }
        Spin([&] { return peer.bytesToWrite() == 0; });
        peak = std::max(peak, ResidentKb());
        growthKb = peak - before;
    }
    state.counters["queue_kB"] = queue / 1024.0;
    state.counters["rss_growth_kB"] = static_cast<double>(growthKb);
}
BENCHMARK(BM_Memory_TooLongBody)
    ->Arg(100000)
    ->Arg(1000000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
