// The communication pane receiving a stream of messages, in the real window
// (offscreen): 10,000 S6F11 from a peer in another thread over 127.0.0.1,
// paced at 2,000 a second and as fast as the peer can write. Figures, from
// the peer's last write: the link's last message (traffic_ms), the last row
// in the list's model (all_rows_ms) and the paint that shows it
// (last_row_ms); and the window's event-loop latency meanwhile: how late a
// 5 ms timer fires (max_latency_ms, p99_latency_ms). A third run starts with
// the list at its limit of 100,000 rows, so that every new row pushes out the
// oldest. The window is the equipment (passive) and checks, logs and lists
// every message as it does for the user.
#include "BenchPrompter.h"
#include "app/CommPane.h"
#include "app/TfmMain.h"
#include "app/TrafficModel.h"
#include "driverconfig/DriverConfig.h"
#include "gui/GuiPrompter.h"
#include "hsms/HsmsFrame.h"
#include "hsms/HsmsLink.h"
#include "secs/CommonSmlReader.h"
#include "secs/SecsCodec.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTableView>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <vector>

using namespace pravik;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kMessages = 10000;

const QByteArray kSml = "<S6F11 P Event Report Send\r\n"
                        "  <L 3 Report\r\n"
                        "    <U4 1 DATAID >\r\n"
                        "    <U4 1 CEID >\r\n"
                        "    <L n RPT\r\n"
                        "      <L 2 RptBody\r\n"
                        "        <U4 1 RPTID >\r\n"
                        "        <L n V\r\n"
                        "          <A 40 VALUE >\r\n"
                        "        >\r\n"
                        "      >\r\n"
                        "    >\r\n"
                        "  >\r\n"
                        ">\r\n\r\n"
                        "<S6F12 S Event Report Acknowledge\r\n"
                        "  <BINARY 1 ACKC6 >\r\n"
                        ">\r\n";

QByteArray S6F11Frame(quint32 systemBytes) {
    static const QByteArray body = [] {
        CommonSmlMessage m;
        CommonSmlReader reader("S6F11 <L [3] <U4 1> <U4 2> <L [2] <L [2] <U4 10> <L [2] "
                               "<A \"temperature 21.5\"> <A \"pressure 101.3\">>> "
                               "<L [2] <U4 11> <L [1] <A \"state IDLE\">>>>>.");
        reader.next(m);
        QByteArray bytes;
        EncodeBody(m.body, bytes);
        return bytes;
    }();
    HsmsHeader h;
    h.sessionId = 0;
    h.stream = 6;
    h.function = 11;
    h.systemBytes = systemBytes;
    return EncodeFrame(h, body);
}

// The peer: selects, then writes the frames at rate a second (0: at once),
// in its own thread with blocking calls, so that the window's thread does
// nothing but receive.
class Peer : public QThread {
public:
    Peer(quint16 port, int rate) : m_port(port), m_rate(rate) {}
    std::atomic<qint64> lastWriteNs{0}; // Clock, since its epoch
    std::atomic<bool> failed{false};

protected:
    void run() override {
        QTcpSocket s;
        s.connectToHost(QHostAddress::LocalHost, m_port);
        if (!s.waitForConnected(10000))
            return fail();
        // As the link does: each frame goes at once (no Nagle delay).
        s.setSocketOption(QAbstractSocket::LowDelayOption, 1);
        s.write(EncodeFrame(HsmsHeader::Control(SType::SelectReq, 1), {}));
        if (!s.waitForBytesWritten(10000))
            return fail();
        QByteArray got;
        while (got.size() < 14 && s.waitForReadyRead(10000))
            got += s.readAll();
        if (got.size() < 14)
            return fail();
        const auto start = Clock::now();
        for (int i = 0; i < kMessages; ++i) {
            if (m_rate > 0) {
                const auto due = start + std::chrono::microseconds(qint64(i) * 1000000 / m_rate);
                if (due > Clock::now())
                    std::this_thread::sleep_until(due);
            }
            s.write(S6F11Frame(quint32(i + 2)));
            // Into the kernel now: this thread runs no event loop that would.
            s.flush();
            if (s.bytesToWrite() > (1 << 20))
                s.waitForBytesWritten(1000);
        }
        while (s.bytesToWrite() > 0 && s.waitForBytesWritten(10000)) {
        }
        lastWriteNs = Clock::now().time_since_epoch().count();
        // Stay connected until the window has read everything.
        s.waitForDisconnected(60000);
    }

private:
    void fail() { failed = true; }
    quint16 m_port;
    int m_rate;
};

// Notes when the traffic view paints with the last row shown.
class PaintWatch : public QObject {
public:
    PaintWatch(QTableView* view, TrafficModel* model, qint64 expected)
        : m_view(view), m_model(model), m_expected(expected) {
        view->viewport()->installEventFilter(this);
    }
    qint64 lastRowPaintNs = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && lastRowPaintNs == 0 &&
            m_model->keptRows() + m_model->droppedRows() >= m_expected) {
            const QModelIndex last = m_model->index(m_model->rowCount() - 1, 0);
            if (m_view->viewport()->rect().intersects(m_view->visualRect(last)))
                lastRowPaintNs = Clock::now().time_since_epoch().count();
        }
        return false;
    }

private:
    QTableView* m_view;
    TrafficModel* m_model;
    qint64 m_expected; // rows ever added
};

quint16 FreePort() {
    QTcpServer s;
    s.listen(QHostAddress::LocalHost, 0);
    return s.serverPort();
}

void BM_PaneReceives10kMessages(benchmark::State& state) {
    const int rate = static_cast<int>(state.range(0));
    const int prefill = static_cast<int>(state.range(1));
    for (auto _ : state) {
        QTemporaryDir dir;
        const QString sml = dir.filePath("bench.sml");
        QFile f(sml);
        f.open(QIODevice::WriteOnly);
        f.write(kSml);
        f.close();
        const quint16 port = FreePort();
        DriverConfig c = DefaultDriverConfig(DriverConfigPathFor(sml));
        c.host = false;
        c.active = false;
        c.port = QString::number(port);
        WriteDriverConfig(DriverConfigPathFor(sml), c);

        BenchPrompter p;
        p.openPath = sml;
        TfmMain w(p);
        w.resize(1200, 800);
        w.show();
        w.action("FileLoad")->trigger();
        CommPane* pane = w.commPane();
        pane->showPane(true, false);
        pane->connectLink();
        QApplication::processEvents();
        // A list already at its limit: every new row pushes out the oldest.
        TrafficRecord old;
        old.stream = 6;
        old.function = 11;
        for (int i = 0; i < prefill; ++i)
            pane->model()->add(old);
        pane->model()->flush();
        QApplication::processEvents();
        PaintWatch watch(pane->view(), pane->model(), kMessages + prefill);
        qint64 allRowsNs = 0;
        QObject::connect(pane->model(), &TrafficModel::rowsShown, [&] {
            if (allRowsNs == 0 &&
                pane->model()->keptRows() + pane->model()->droppedRows() >= kMessages + prefill)
                allRowsNs = Clock::now().time_since_epoch().count();
        });

        // The event loop's latency: how late a 5 ms timer fires.
        std::vector<double> late;
        auto previous = Clock::now();
        QTimer tick;
        tick.setTimerType(Qt::PreciseTimer);
        QObject::connect(&tick, &QTimer::timeout, [&] {
            const auto now = Clock::now();
            late.push_back(std::max(
                0.0, std::chrono::duration<double, std::milli>(now - previous).count() - 5.0));
            previous = now;
        });
        qint64 lastTrafficNs = 0;
        QObject::connect(pane->link().link(), &HsmsLink::traffic, [&](const TrafficRecord& r) {
            if (r.systemBytes == kMessages + 1)
                lastTrafficNs = Clock::now().time_since_epoch().count();
        });
        Peer peer(port, rate);
        const auto begin = Clock::now();
        peer.start();
        tick.start(5);
        previous = Clock::now();
        while (!peer.failed && (watch.lastRowPaintNs == 0 || peer.lastWriteNs == 0) &&
               Clock::now() - begin < std::chrono::seconds(60))
            QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
        tick.stop();
        const double seconds = std::chrono::duration<double>(Clock::now() - begin).count();
        pane->closeLink();
        peer.wait(10000);
        if (peer.failed || watch.lastRowPaintNs == 0) {
            state.SkipWithError("the pane did not show every message within 60 s");
            return;
        }
        std::sort(late.begin(), late.end());
        state.counters["last_row_ms"] = double(watch.lastRowPaintNs - peer.lastWriteNs) / 1e6;
        state.counters["traffic_ms"] = double(lastTrafficNs - peer.lastWriteNs) / 1e6;
        state.counters["all_rows_ms"] = double(allRowsNs - peer.lastWriteNs) / 1e6;
        state.counters["max_latency_ms"] = late.empty() ? 0 : late.back();
        state.counters["p99_latency_ms"] =
            late.empty() ? 0 : late[std::min(late.size() - 1, size_t(0.99 * double(late.size())))];
        state.counters["messages_per_s"] = kMessages / seconds;
        state.counters["rows"] = double(pane->model()->keptRows());
    }
}
BENCHMARK(BM_PaneReceives10kMessages)
    ->ArgNames({"rate", "rows_before"})
    ->Args({2000, 0})
    ->Args({0, 0})
    ->Args({2000, TrafficModel::kDefaultLimit})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The pane's remembered state goes to a folder of this run, not the user's.
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir settings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
