// pravik-cli send / serve: the link run from the command line.

#include "cli/CliCommands.h"
#include "cli/CliOutput.h"

#include "document/NodeHeader.h"
#include "document/SmlDocument.h"
#include "driverconfig/DriverConfig.h"
#include "hsms/HsmsLink.h"
#include "hsms/LinkLog.h"
#include "platform/FileSystem.h"
#include "platform/PlatformError.h"
#include "secs/CommonSmlReader.h"
#include "secs/CommonSmlWriter.h"
#include "secs/ExampleInstance.h"
#include "sml/SmlReader.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <deque>
#include <memory>
#include <unistd.h>

namespace pravik::cli {

namespace {

void Report(const QString& line) {
    std::fputs((line + QLatin1Char('\n')).toUtf8().constData(), stderr);
}

// The configuration, its settings and the definitions the link works with.
struct LinkSetup {
    LinkSettings settings;
    std::unique_ptr<SmlDocument> definitions; // nullptr: none
    QString smlPath;
};

// Throws UsageError / PlatformError; returns false (after reporting) for a
// configuration the link cannot run.
bool Setup(const Invocation& in, LinkSetup& out, bool needDefinitions) {
    const QString cfgPath = in.args[0];
    if (!FileSystem::FileExists(cfgPath))
        throw PlatformError::ForPath(kCannotOpenFile, cfgPath);
    DriverConfig config;
    ReadDriverConfig(cfgPath, config);
    LinkSettingsResult read = ReadLinkSettings(config, cfgPath);
    if (!read.settings) {
        Report(cfgPath + QStringLiteral(": ") + read.error);
        return false;
    }
    out.settings = std::move(*read.settings);
    const bool given = in.options.isSet(QStringLiteral("sml"));
    out.smlPath = given ? in.options.value(QStringLiteral("sml")) : out.settings.smlPath;
    if (out.smlPath.isEmpty() || (!given && !FileSystem::FileExists(out.smlPath))) {
        if (needDefinitions)
            throw PlatformError::ForPath(kCannotOpenFile, out.smlPath);
        if (!out.smlPath.isEmpty())
            Report(QStringLiteral("[General] SML=%1: 파일이 없어 정의 없이 실행합니다")
                       .arg(out.smlPath));
        return true;
    }
    out.definitions = std::make_unique<SmlDocument>();
    ReadDocument(out.smlPath, *out.definitions);
    return true;
}

QByteArray TimeText(const QDateTime& t) {
    return t.toLocalTime().toString(Qt::ISODateWithMs).toLatin1();
}

// Prints one line per event, as text or JSON lines.
class EventPrinter {
public:
    EventPrinter(bool json, bool messages) : m_json(json), m_messages(messages) {}

    void state(LinkState s, const QDateTime& t) {
        if (m_json)
            line("{\"time\":\"" + TimeText(t) + "\",\"event\":\"state\",\"state\":\"" +
                 LinkStateName(s) + "\"}");
        else
            line(TimeText(t) + " state " + LinkStateName(s));
    }
    void text(const char* kind, const QString& what, const QDateTime& t) {
        if (m_json)
            line("{\"time\":\"" + TimeText(t) + "\",\"event\":\"" + kind +
                 "\",\"text\":" + JsonString(what.toUtf8()) + "}");
        else
            line(TimeText(t) + " " + kind + " " + what.toUtf8());
    }
    void alarm(const LinkAlarm& a) {
        if (m_json)
            line("{\"time\":\"" + TimeText(a.time) + "\",\"event\":\"alarm\",\"name\":" +
                 JsonString(a.name.toUtf8()) + ",\"text\":" + JsonString(a.text.toUtf8()) + "}");
        else
            line(TimeText(a.time) + " alarm " + a.name.toUtf8() + " " + a.text.toUtf8());
    }
    void message(const TrafficRecord& r) {
        if (!m_messages)
            return;
        const QByteArray dir = r.direction == Direction::Sent ? "sent" : "received";
        const QByteArray sml = PrintedText(RecordSml(r), false);
        if (m_json) {
            QByteArray o = "{\"time\":\"" + TimeText(r.time) + "\",\"event\":\"message\"," +
                           "\"direction\":\"" + dir + "\",\"key\":\"" + r.key() +
                           "\",\"w\":" + (r.wbit ? "true" : "false") +
                           ",\"system_bytes\":" + QByteArray::number(r.systemBytes) +
                           ",\"device_id\":" + QByteArray::number(r.deviceId) +
                           ",\"size\":" + QByteArray::number(r.size) +
                           ",\"verdict\":" + JsonString(r.verdict.text().toUtf8());
            if (!r.verdict.path.isEmpty())
                o += ",\"path\":" + JsonString(r.verdict.path.toUtf8());
            o += ",\"sml\":" + JsonString(sml) + "}";
            line(o);
        } else {
            line(TimeText(r.time) + " " + dir + " " + r.key() + (r.wbit ? " W" : "") +
                 " device=" + QByteArray::number(r.deviceId) + " system=0x" +
                 QByteArray::number(r.systemBytes, 16).rightJustified(8, '0') +
                 " verdict: " + r.verdict.text().toUtf8());
            if (!sml.isEmpty())
                m_out.write(sml);
        }
    }
    void summary(qint64 count, double seconds, std::vector<qint64>& roundTripsUs) {
        std::sort(roundTripsUs.begin(), roundTripsUs.end());
        auto pick = [&](double q) {
            if (roundTripsUs.empty())
                return 0.0;
            const size_t i = std::min(roundTripsUs.size() - 1,
                                      static_cast<size_t>(q * double(roundTripsUs.size())));
            return double(roundTripsUs[i]) / 1000.0;
        };
        const double rate = seconds > 0 ? double(count) / seconds : 0.0;
        const QByteArray c = QByteArray::number(count), s = QByteArray::number(seconds, 'f', 3),
                         r = QByteArray::number(rate, 'f', 1),
                         p50 = QByteArray::number(pick(0.50), 'f', 3),
                         p99 = QByteArray::number(pick(0.99), 'f', 3);
        if (m_json)
            line("{\"event\":\"summary\",\"count\":" + c + ",\"seconds\":" + s + ",\"rate\":" + r +
                 ",\"p50_ms\":" + p50 + ",\"p99_ms\":" + p99 + "}");
        else
            line("summary: count " + c + ", seconds " + s + ", rate " + r + "/s, p50 " + p50 +
                 " ms, p99 " + p99 + " ms");
    }
    void finish() {
        try {
            m_out.finish();
        } catch (const PlatformError&) {
            // A closed pipe: nothing more can be told.
        }
    }

private:
    void line(const QByteArray& text) {
        m_out.write(text + '\n');
        m_out.finish(); // one event, one line, as it happens
    }
    StdoutWriter m_out;
    bool m_json;
    bool m_messages;
};

bool JsonFormat(const Invocation& in) {
    const QString format = in.options.value(QStringLiteral("format"));
    if (!format.isEmpty() && format != QLatin1String("json") && format != QLatin1String("text"))
        throw UsageError(QStringLiteral("unknown format '%1' (text or json)").arg(format));
    return format == QLatin1String("json");
}

int PositiveOption(const Invocation& in, const char* name, int fallback, int low, int high) {
    const QString key = QString::fromLatin1(name);
    if (!in.options.isSet(key))
        return fallback;
    bool ok = false;
    const int v = in.options.value(key).toInt(&ok);
    if (!ok || v < low || v > high)
        throw UsageError(QStringLiteral("--%1 must be %2 to %3: '%4'")
                             .arg(key)
                             .arg(low)
                             .arg(high)
                             .arg(in.options.value(key)));
    return v;
}

// SIGINT and SIGTERM, turned into a call on the event loop.
int g_signalPipe[2] = {-1, -1};
void OnSignal(int) {
    const char c = 1;
    [[maybe_unused]] const auto n = ::write(g_signalPipe[1], &c, 1);
}

std::unique_ptr<QSocketNotifier> CatchStopSignals(std::function<void()> onStop) {
    if (g_signalPipe[0] < 0 && ::pipe(g_signalPipe) != 0)
        return nullptr;
    struct sigaction sa {};
    sa.sa_handler = OnSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    auto notifier = std::make_unique<QSocketNotifier>(g_signalPipe[0], QSocketNotifier::Read);
    QObject::connect(notifier.get(), &QSocketNotifier::activated, [onStop] {
        char c;
        [[maybe_unused]] const auto n = ::read(g_signalPipe[0], &c, 1);
        onStop();
    });
    return notifier;
}

const SmlNode* FindMessage(SmlDocument& doc, int stream, int function) {
    for (int row = 0; row < doc.topLevelCount(); ++row) {
        const SmlNode* n = doc.topLevel(row);
        const NodeHeader h = NodeHeader::Read(*n);
        if (n->Kind() == NodeKind::Message && h.messageForm && h.stream() == stream &&
            h.function() == function)
            return n;
    }
    return nullptr;
}

} // namespace

int RunSend(const Invocation& in) {
    static const QRegularExpression keyForm(QStringLiteral("^[Ss](\\d{1,3})[Ff](\\d{1,3})$"));
    const QRegularExpressionMatch key = keyForm.match(in.args[1]);
    if (!key.hasMatch())
        throw UsageError(QStringLiteral("not a message (SxFy): '%1'").arg(in.args[1]));
    const int stream = key.captured(1).toInt();
    const int function = key.captured(2).toInt();
    if (stream > 127 || function > 255)
        throw UsageError(
            QStringLiteral("stream 0 to 127, function 0 to 255: '%1'").arg(in.args[1]));
    const bool json = JsonFormat(in);
    const int count = PositiveOption(in, "count", 1, 0, kMaxVariableCount);
    const int repeat = PositiveOption(in, "repeat", 1, 1, 100000000);
    const int window = PositiveOption(in, "window", 1, 1, 10000);
    const bool bodyGiven = in.options.isSet(QStringLiteral("body"));

    LinkSetup setup;
    if (!Setup(in, setup, !bodyGiven))
        return kExitError;

    SecsBody body;
    bool wbit = false;
    if (bodyGiven) {
        const QString path = in.options.value(QStringLiteral("body"));
        const QByteArray text = FileSystem::ReadWholeFile(path);
        CommonSmlReader reader(text);
        CommonSmlMessage m;
        if (!reader.next(m)) {
            Report(path + QStringLiteral(": ") +
                   (reader.error() ? reader.error()->text() : QStringLiteral("메시지가 없습니다")));
            return kExitError;
        }
        if (m.stream != stream || m.function != function)
            throw UsageError(QStringLiteral("--body holds S%1F%2, not %3")
                                 .arg(m.stream)
                                 .arg(m.function)
                                 .arg(in.args[1].toUpper()));
        body = std::move(m.body);
        wbit = m.replyExpected;
    } else {
        const SmlNode* def = FindMessage(*setup.definitions, stream, function);
        if (!def) {
            Report(QStringLiteral("pravik-cli send: no message %1 in %2")
                       .arg(in.args[1].toUpper(), setup.smlPath));
            return kExitError;
        }
        ExampleOptions options;
        options.variableCount = count;
        options.variableItems = true;
        const Example example = BuildExample(*def, options);
        if (!example.problems.empty()) {
            for (const DefinitionProblem& p : example.problems)
                Report(in.args[1].toUpper() + QStringLiteral(": ") + p.text());
            return kExitError;
        }
        body = example.message.body;
        wbit = example.message.replyExpected;
    }

    EventPrinter out(json, repeat == 1);
    LinkLog log(setup.settings, TimerSource::real());
    HsmsLink link(setup.settings);
    link.setDefinitions(setup.definitions.get());
    link.setAutoReply(true);
    link.setLog(&log);
    link.setConnectAttempts(1 + setup.settings.retryLimit);

    int exitCode = kExitOk;
    int sent = 0, done = 0;
    bool started = false, finished = false;
    QElapsedTimer clock;
    std::vector<qint64> roundTrips;
    roundTrips.reserve(static_cast<size_t>(std::min(repeat, 10000000)));
    auto worse = [&](int code) {
        // No link (3) outranks a faulty reply (1).
        if (code == kExitNoLink || exitCode == kExitOk)
            exitCode = code;
    };
    auto finish = [&] {
        if (finished)
            return;
        finished = true;
        if (started && repeat > 1)
            out.summary(done, double(clock.nsecsElapsed()) / 1e9, roundTrips);
        link.stop();
    };
    auto sendMore = [&] {
        while (!finished && sent < repeat && sent - done < window &&
               link.state() == LinkState::Selected) {
            ++sent;
            link.send(stream, function, wbit, body);
        }
    };
    QObject::connect(&link, &HsmsLink::stateChanged, [&](LinkState s) {
        out.state(s, QDateTime::currentDateTime());
        if (s == LinkState::Selected && !started) {
            started = true;
            clock.start();
            sendMore();
        } else if (s == LinkState::NotConnected && started && !finished) {
            worse(kExitNoLink);
            finish();
        }
    });
    QObject::connect(&link, &HsmsLink::linkEvent,
                     [&](const QString& t) { out.text("link", t, QDateTime::currentDateTime()); });
    QObject::connect(&link, &HsmsLink::traffic, [&](const TrafficRecord& r) { out.message(r); });
    QObject::connect(&link, &HsmsLink::alarm, [&](const LinkAlarm& a) {
        out.alarm(a);
        if (a.name == QLatin1String("T6") || a.name == QLatin1String("T7") ||
            a.name == QLatin1String("T8")) {
            worse(kExitNoLink);
            finish();
        }
    });
    QObject::connect(&link, &HsmsLink::failed, [&](const QString& why) {
        out.text("failed", why, QDateTime::currentDateTime());
        worse(kExitNoLink);
        finish();
    });
    QObject::connect(&link, &HsmsLink::sendFinished, [&](const SendOutcome& o) {
        ++done;
        if (o.failure == QLatin1String("T3") || (!o.ok && !o.hasReply)) {
            worse(kExitNoLink);
        } else if (!o.ok || (o.hasReply && o.reply.verdict.isFinding())) {
            worse(kExitFaults);
        } else {
            roundTrips.push_back(o.roundTripUs);
        }
        if (done >= repeat || exitCode == kExitNoLink)
            finish();
        else
            sendMore();
    });
    QObject::connect(&link, &HsmsLink::stopped, [&] { QCoreApplication::exit(0); });
    // Passive: wait for the host as long as active retries would take.
    QTimer wait;
    wait.setSingleShot(true);
    QObject::connect(&wait, &QTimer::timeout, [&] {
        if (!started) {
            out.text("failed",
                     QStringLiteral("[HSMS] Port=%1: 상대가 접속해 선택하지 않았습니다")
                         .arg(setup.settings.port),
                     QDateTime::currentDateTime());
            worse(kExitNoLink);
            finish();
        }
    });
    if (!setup.settings.active)
        wait.start(1000 * std::max(1, setup.settings.t5 * (1 + setup.settings.retryLimit)));
    auto notifier = CatchStopSignals([&] {
        worse(kExitNoLink);
        finish();
    });
    link.start();
    if (!finished)
        QCoreApplication::exec();
    log.flush();
    out.finish();
    return exitCode;
}

int RunServe(const Invocation& in) {
    const bool json = JsonFormat(in);
    const int seconds = PositiveOption(in, "seconds", 0, 1, 100000000);
    const int messages = PositiveOption(in, "messages", 0, 1, 2000000000);
    LinkSetup setup;
    if (!Setup(in, setup, false))
        return kExitError;

    EventPrinter out(json, true);
    LinkLog log(setup.settings, TimerSource::real());
    HsmsLink link(setup.settings);
    link.setDefinitions(setup.definitions.get());
    link.setAutoReply(!in.options.isSet(QStringLiteral("no-auto-reply")));
    link.setLog(&log);

    int exitCode = kExitOk;
    int received = 0;
    bool finished = false;
    auto finish = [&] {
        if (finished)
            return;
        finished = true;
        link.stop();
    };
    QObject::connect(&link, &HsmsLink::stateChanged,
                     [&](LinkState s) { out.state(s, QDateTime::currentDateTime()); });
    QObject::connect(&link, &HsmsLink::linkEvent,
                     [&](const QString& t) { out.text("link", t, QDateTime::currentDateTime()); });
    QObject::connect(&link, &HsmsLink::alarm, [&](const LinkAlarm& a) { out.alarm(a); });
    QObject::connect(&link, &HsmsLink::traffic, [&](const TrafficRecord& r) {
        out.message(r);
        if (r.direction == Direction::Received && messages > 0 && ++received >= messages)
            // The reply to the last one goes out first.
            QTimer::singleShot(0, [&] { finish(); });
    });
    QObject::connect(&link, &HsmsLink::failed, [&](const QString& why) {
        out.text("failed", why, QDateTime::currentDateTime());
        exitCode = kExitNoLink;
        finish();
    });
    QObject::connect(&link, &HsmsLink::stopped, [&] { QCoreApplication::exit(0); });
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, [&] { finish(); });
    if (seconds > 0)
        limit.start(seconds * 1000);
    auto notifier = CatchStopSignals([&] { finish(); });
    link.start();
    if (!finished)
        QCoreApplication::exec();
    log.flush();
    out.finish();
    return exitCode;
}

} // namespace pravik::cli
