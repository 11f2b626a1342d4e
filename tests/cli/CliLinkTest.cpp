// pravik-cli send and serve against each other on 127.0.0.1: exit codes,
// JSON lines, the summary, the log and its import.

#include "CliRun.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <csignal>
#include <gtest/gtest.h>

namespace pravik::test {
namespace {

// A cfg of our own: equipment passive or host active on 127.0.0.1.
QByteArray Cfg(bool host, int port, const QByteArray& extra = {}) {
    return "[General]\r\nHost=" + QByteArray(host ? "true" : "false") +
           "\r\nHSMS=true\r\nDevice ID=0\r\nSML=defs.sml\r\n[HSMS]\r\nIP=127.0.0.1\r\nPort=" +
           QByteArray::number(port) + "\r\nActive=" + QByteArray(host ? "true" : "false") +
           "\r\n[Timeout]\r\nT3=2\r\nT5=1\r\nT6=2\r\nT7=2\r\nRetry Limit=0\r\n"
           "[Log]\r\nSECS-II=" +
           QByteArray(host ? "false" : "true") + "\r\nPrefix=eq\r\nDir=logs\r\n" + extra;
}

int PickPort() {
    return 20000 + static_cast<int>(QRandomGenerator::global()->bounded(20000));
}

// A running `pravik-cli serve`.
class Server {
public:
    Server(const TempDir& dir, const QString& cfg, const QStringList& options = {}) {
        m_process.setWorkingDirectory(dir.path(QString()));
        m_process.start(QStringLiteral(PRAVIK_CLI),
                        QStringList{QStringLiteral("serve"), cfg, QStringLiteral("--seconds"),
                                    QStringLiteral("60")} +
                            options);
        // Listening is its first line.
        m_process.waitForReadyRead(10000);
        m_out = m_process.readAllStandardOutput();
    }
    bool listening() const { return m_out.contains("접속을 기다립니다"); }
    // SIGTERM: separates, flushes the log, exits.
    int stop() {
        ::kill(static_cast<pid_t>(m_process.processId()), SIGTERM);
        EXPECT_TRUE(m_process.waitForFinished(10000));
        m_out += m_process.readAllStandardOutput();
        return m_process.exitCode();
    }
    const QByteArray& out() const { return m_out; }
    ~Server() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

private:
    QProcess m_process;
    QByteArray m_out;
};

std::vector<QJsonObject> JsonLines(const QByteArray& out) {
    std::vector<QJsonObject> lines;
    for (const QByteArray& line : out.split('\n')) {
        if (line.isEmpty())
            continue;
        QJsonParseError e;
        const QJsonDocument d = QJsonDocument::fromJson(line, &e);
        EXPECT_EQ(e.error, QJsonParseError::NoError) << line.constData();
        lines.push_back(d.object());
    }
    return lines;
}

class CliLink : public ::testing::Test {
protected:
    void SetUp() override {
        QFile::copy(kExample, dir.path(QStringLiteral("defs.sml")));
        QDir(dir.path(QString())).mkdir(QStringLiteral("logs"));
        port = PickPort();
        dir.write(QStringLiteral("eq.cfg"), Cfg(false, port));
        dir.write(QStringLiteral("host.cfg"), Cfg(true, port));
    }
    CliRun send(const QStringList& args) {
        QProcess p;
        p.setWorkingDirectory(dir.path(QString()));
        p.start(QStringLiteral(PRAVIK_CLI),
                QStringList{QStringLiteral("send"), dir.path(QStringLiteral("host.cfg"))} + args);
        EXPECT_TRUE(p.waitForFinished(60000));
        return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
    }
    TempDir dir;
    int port = 0;
};

TEST_F(CliLink, SendsAndServesPrintsJsonAndLogsWhatImportReadsBack) {
    Server server(dir, dir.path(QStringLiteral("eq.cfg")));
    ASSERT_TRUE(server.listening()) << server.out().constData();

    const CliRun s1f1 = send({QStringLiteral("S1F1")});
    EXPECT_EQ(s1f1.status, 0) << s1f1.err.constData();
    EXPECT_TRUE(s1f1.out.contains(" received S1F2 device=0 system=0x")) << s1f1.out.constData();
    EXPECT_TRUE(s1f1.out.contains("verdict: conforms\nS1F2\n<L [2]"));

    const CliRun s6f11 =
        send({QStringLiteral("S6F11"), QStringLiteral("--count"), QStringLiteral("2"),
              QStringLiteral("--format"), QStringLiteral("json")});
    EXPECT_EQ(s6f11.status, 0) << s6f11.err.constData();
    bool replied = false;
    for (const QJsonObject& o : JsonLines(s6f11.out)) {
        EXPECT_TRUE(o.contains(QStringLiteral("event")));
        if (o[QStringLiteral("event")] == QStringLiteral("message") &&
            o[QStringLiteral("direction")] == QStringLiteral("received")) {
            replied = true;
            EXPECT_EQ(o[QStringLiteral("key")].toString(), QStringLiteral("S6F12"));
            EXPECT_EQ(o[QStringLiteral("verdict")].toString(), QStringLiteral("conforms"));
            EXPECT_EQ(o[QStringLiteral("w")].toBool(), false);
            EXPECT_TRUE(o[QStringLiteral("sml")].toString().startsWith(QStringLiteral("S6F12\n")));
            EXPECT_TRUE(o.contains(QStringLiteral("system_bytes")));
            EXPECT_TRUE(o.contains(QStringLiteral("device_id")));
        }
    }
    EXPECT_TRUE(replied);

    const CliRun repeat =
        send({QStringLiteral("S1F1"), QStringLiteral("--repeat"), QStringLiteral("40"),
              QStringLiteral("--window"), QStringLiteral("4"), QStringLiteral("--format"),
              QStringLiteral("json")});
    EXPECT_EQ(repeat.status, 0) << repeat.err.constData();
    const std::vector<QJsonObject> lines = JsonLines(repeat.out);
    const auto summary = std::find_if(lines.begin(), lines.end(), [](const QJsonObject& o) {
        return o[QStringLiteral("event")] == QStringLiteral("summary");
    });
    ASSERT_NE(summary, lines.end()) << repeat.out.constData();
    EXPECT_EQ((*summary)[QStringLiteral("count")].toInt(), 40);
    for (const char* key : {"seconds", "rate", "p50_ms", "p99_ms"})
        EXPECT_TRUE(summary->contains(QLatin1String(key))) << key;
    EXPECT_LE((*summary)[QStringLiteral("p50_ms")].toDouble(),
              (*summary)[QStringLiteral("p99_ms")].toDouble());

    EXPECT_EQ(server.stop(), 0);
    const QStringList logs =
        QDir(dir.path(QStringLiteral("logs"))).entryList({QStringLiteral("eq*.log")});
    ASSERT_EQ(logs.size(), 1);
    const CliRun import =
        Cli({QStringLiteral("import"), dir.path(QStringLiteral("logs/") + logs[0]),
             dir.path(QStringLiteral("imported.sml"))});
    EXPECT_EQ(import.status, 0) << import.err.constData();
    const QByteArray sml = dir.read(QStringLiteral("imported.sml"));
    for (const char* message : {"<S1F1 P", "<S1F2 S", "<S6F11 P", "<S6F12 S"})
        EXPECT_TRUE(sml.contains(message)) << message;
}

TEST_F(CliLink, ExitCodesTellTheOutcome) {
    {
        // Nobody listens: no connection.
        const CliRun r = send({QStringLiteral("S1F1")});
        EXPECT_EQ(r.status, 3) << r.out.constData();
        EXPECT_TRUE(r.out.contains("[HSMS] IP=127.0.0.1, Port=" + QByteArray::number(port)));
    }
    Server server(dir, dir.path(QStringLiteral("eq.cfg")));
    ASSERT_TRUE(server.listening());
    {
        // A body the equipment finds wrong: S9F7 comes back.
        dir.write(QStringLiteral("bad.txt"), "S1F3 W <L <A \"x\">>.");
        const CliRun r = send({QStringLiteral("S1F3"), QStringLiteral("--body"),
                               dir.path(QStringLiteral("bad.txt"))});
        EXPECT_EQ(r.status, 1) << r.out.constData();
        EXPECT_TRUE(r.out.contains(" received S9F7 ")) << r.out.constData();
    }
    {
        // --body holding another message is a usage error.
        const CliRun r = send({QStringLiteral("S1F1"), QStringLiteral("--body"),
                               dir.path(QStringLiteral("bad.txt"))});
        EXPECT_EQ(r.status, 2);
    }
    server.stop();
    {
        // No reply within T3.
        Server quiet(dir, dir.path(QStringLiteral("eq.cfg")), {QStringLiteral("--no-auto-reply")});
        ASSERT_TRUE(quiet.listening());
        const CliRun r = send({QStringLiteral("S1F1")});
        EXPECT_EQ(r.status, 3);
        EXPECT_TRUE(r.out.contains(" alarm T3 "));
    }
}

TEST_F(CliLink, ConfigurationsTheLinkCannotRunExitWith2) {
    struct Case {
        QByteArray cfg;
        const char* message;
    };
    const Case cases[] = {
        {Cfg(true, port).replace("HSMS=true", "HSMS=false"), "SECS-I is not supported by the link"},
        {Cfg(true, port).replace("IP=127.0.0.1", "IP=999.1.2.3"), "[HSMS] IP=999.1.2.3"},
        {Cfg(true, port).replace("Device ID=0", "Device ID=x7"), "[General] Device ID=x7"},
        {Cfg(true, port).replace("T3=2", "T3=-4"), "[Timeout] T3=-4"},
    };
    for (const Case& c : cases) {
        dir.write(QStringLiteral("bad.cfg"), c.cfg);
        for (const QString& command : {QStringLiteral("send"), QStringLiteral("serve")}) {
            QStringList args{command, dir.path(QStringLiteral("bad.cfg"))};
            if (command == QLatin1String("send"))
                args << QStringLiteral("S1F1");
            const CliRun r = Cli(args);
            EXPECT_EQ(r.status, 2) << c.message;
            EXPECT_TRUE(r.err.contains(c.message)) << r.err.constData();
        }
    }
    const CliRun missing =
        Cli({QStringLiteral("send"), dir.path(QStringLiteral("none.cfg")), QStringLiteral("S1F1")});
    EXPECT_EQ(missing.status, 2);
    EXPECT_TRUE(missing.err.contains("Cannot open file"));
}

TEST_F(CliLink, AnAddressInUseIsNamed) {
    Server first(dir, dir.path(QStringLiteral("eq.cfg")));
    ASSERT_TRUE(first.listening());
    const CliRun second = Cli({QStringLiteral("serve"), dir.path(QStringLiteral("eq.cfg")),
                               QStringLiteral("--seconds"), QStringLiteral("5")});
    EXPECT_EQ(second.status, 3);
    EXPECT_TRUE(second.out.contains("[HSMS] IP=127.0.0.1, Port=" + QByteArray::number(port)));
}

} // namespace
} // namespace pravik::test
