#pragma once

#include "document/SmlDocument.h"
#include "hsms/HsmsLink.h"
#include "hsms/LinkSettings.h"
#include "secs/CommonSmlReader.h"
#include "sml/SmlReader.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QTcpServer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace pravik::test {

// A configured second lasts kMsPerSecond milliseconds in these tests.
inline constexpr int kMsPerSecond = 20;

class FastTimers : public TimerSource {
public:
    int milliseconds(int seconds) const override { return seconds * kMsPerSecond; }
};

inline const FastTimers& Fast() {
    static FastTimers timers;
    return timers;
}

// Runs the event loop until done() holds or a bound (in real time) passes;
// returns done(). The bound only stops a test that would otherwise hang.
inline bool WaitFor(const std::function<bool()>& done, int boundMs = 10000) {
    QDeadlineTimer deadline(boundMs);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
    return done();
}

// Runs the event loop for a number of configured seconds of FastTimers.
inline void RunFor(int seconds) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < qint64(seconds) * kMsPerSecond)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
}

inline std::unique_ptr<SmlDocument> Definitions(const QByteArray& sml) {
    auto doc = std::make_unique<SmlDocument>();
    ParsedSml parsed = ParseSml(sml);
    doc->resetTo(std::move(parsed.root), parsed.counts.nodes);
    return doc;
}

inline CommonSmlMessage Sml(const QByteArray& text) {
    CommonSmlMessage m;
    CommonSmlReader reader(text);
    EXPECT_TRUE(reader.next(m)) << text.constData();
    return m;
}

// A port free on 127.0.0.1 at the time of asking.
inline quint16 FreePort() {
    QTcpServer s;
    EXPECT_TRUE(s.listen(QHostAddress::LocalHost, 0));
    return s.serverPort();
}

// Settings of a test link on 127.0.0.1 with short timers.
inline LinkSettings TestSettings(bool host, bool active, quint16 port) {
    LinkSettings s;
    s.host = host;
    s.active = active;
    s.address = QHostAddress::LocalHost;
    s.addressText = "127.0.0.1";
    s.port = port;
    s.deviceIds = {0};
    // Long enough that a busy machine does not make them expire where a
    // test does not wait for them (T7 lets a peer connect and select).
    s.t3 = 10;
    s.t5 = 2;
    s.t6 = 10;
    s.t7 = 25;
    s.t8 = 10;
    s.linkTest = 0;
    return s;
}

// Everything one link told, in order.
struct Recorder {
    std::vector<LinkState> states;
    std::vector<TrafficRecord> traffic;
    std::vector<LinkAlarm> alarms;
    std::vector<SendOutcome> outcomes;
    std::vector<QString> events;
    std::vector<QString> failures;

    explicit Recorder(HsmsLink& link) {
        QObject::connect(&link, &HsmsLink::stateChanged,
                         [this](LinkState s) { states.push_back(s); });
        QObject::connect(&link, &HsmsLink::traffic,
                         [this](const TrafficRecord& r) { traffic.push_back(r); });
        QObject::connect(&link, &HsmsLink::alarm,
                         [this](const LinkAlarm& a) { alarms.push_back(a); });
        QObject::connect(&link, &HsmsLink::sendFinished,
                         [this](const SendOutcome& o) { outcomes.push_back(o); });
        QObject::connect(&link, &HsmsLink::linkEvent,
                         [this](const QString& e) { events.push_back(e); });
        QObject::connect(&link, &HsmsLink::failed,
                         [this](const QString& e) { failures.push_back(e); });
    }
    bool hasAlarm(const QString& name) const {
        for (const LinkAlarm& a : alarms)
            if (a.name == name)
                return true;
        return false;
    }
    // The last message of that kind.
    const TrafficRecord* find(Direction d, int stream, int function) const {
        for (auto it = traffic.rbegin(); it != traffic.rend(); ++it)
            if (it->direction == d && it->stream == stream && it->function == function)
                return &*it;
        return nullptr;
    }
    const TrafficRecord* received(int stream, int function) const {
        return find(Direction::Received, stream, function);
    }
    const TrafficRecord* sent(int stream, int function) const {
        return find(Direction::Sent, stream, function);
    }
};

// The definitions both sides of the link tests use.
inline const QByteArray kLinkSml = R"(<S1F1 P Are You There
>

<S1F2 S On Line Data
  <L 2 Equipment
    <A 20 MDLN >
    <A 20 SOFTREV >
  >
>

<S1F3 P Status Request
  <L n SVIDs
    <U4 1 SVID >
  >
>

<S1F4 S Status Data
  <L n SVs
    <A 40 SV >
  >
>

<S1F13 P Establish Communications Request
  <L 2 Request
    <A 6 MDLN >
    <A 6 SOFTREV >
  >
>

<S1F14 S Establish Communications Request Acknowledge
  <L 2 Ack
    <BINARY 1 COMMACK >
    <L 2 Data
      <A 6 MDLN >
      <A 6 SOFTREV >
    >
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

} // namespace pravik::test
