#pragma once

#include "driverconfig/DriverConfig.h"
#include "hsms/LinkRecords.h"
#include "hsms/LinkSettings.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <optional>

namespace pravik {

class HsmsLink;
class LinkLog;
class SmlDocument;
class TrafficModel;
struct CommonSmlMessage;

// The document's link as the communication pane runs it: the ".cfg" beside
// the document read into settings, the HsmsLink and its log for one
// connection, and the traffic fed into the pane's list, with each reply to a
// message sent from the pane placed under that message. No widgets: what
// happens is told by report() and the state by stateChanged().
class CommLink : public QObject {
    Q_OBJECT
public:
    // What a ".cfg" says, read at one moment.
    struct Configuration {
        QString path;
        bool exists = false;
        DriverConfig config;
        std::optional<LinkSettings> settings; // none: error tells why
        QString error;
        // "호스트, Active, 127.0.0.1:5000, 장치 ID 0" (the error when it cannot run).
        QString summary() const;
    };
    // Reads the file at cfgPath (defaults when it does not exist).
    static Configuration Read(const QString& cfgPath);

    CommLink(const SmlDocument& definitions, TrafficModel& traffic, QObject* parent = nullptr);
    ~CommLink() override;

    // Where the link's and the log's time comes from (tests make it fast).
    void setTimerSource(const TimerSource& timers) { m_timers = &timers; }

    // Connects or listens as configuration says; false, with the reason
    // reported, when its settings cannot run or a link is running already.
    bool start(const Configuration& configuration);
    // Separates and closes; stopped() follows when the connection is closed.
    void stop();
    // Stops, waits (at most boundMs, without taking user input) until the
    // separate has gone out, and flushes the log.
    void stopAndWait(int boundMs);
    // Stops, and starts again with configuration once stopped.
    void restart(const Configuration& configuration);
    bool isRunning() const { return m_link != nullptr; }
    LinkState state() const;
    // The configuration the running link was started with.
    const Configuration& configuration() const { return m_configuration; }
    HsmsLink* link() const { return m_link; }

    void setAutoReply(bool on);
    bool autoReply() const { return m_autoReply; }
    void linktest();
    // Sends a message made in the pane; checked is what the check found of
    // it (the verdict its row shows). The outcome is reported, and noted on
    // the row. Returns false when no link runs.
    bool send(const CommonSmlMessage& message, const Verdict& checked);
    int openSends() const { return static_cast<int>(m_sends.size()); }

signals:
    void stateChanged(pravik::LinkState state);
    // Something for the user to read: an event, or a failure (a message that
    // could not be sent or got no reply, a timeout, an S9 finding).
    void report(const QString& text, bool failure);
    void stopped();

private:
    struct Send {
        quint64 row = 0;
        quint32 systemBytes = 0;
        int stream = 0;
        int function = 0;
        QByteArray key;
    };
    void onTraffic(const TrafficRecord& record);
    void onSendFinished(const SendOutcome& outcome);
    void onAlarm(const LinkAlarm& alarm);
    void onFailed(const QString& message);
    void onStopped();
    // The pane's send this received message answers, or 0.
    quint64 answeredRow(const TrafficRecord& record) const;
    void dropLink();

    const SmlDocument& m_definitions;
    TrafficModel& m_traffic;
    const TimerSource* m_timers;
    HsmsLink* m_link = nullptr;
    LinkLog* m_log = nullptr;
    Configuration m_configuration;
    std::optional<Configuration> m_restart;
    bool m_autoReply = true;
    bool m_stopping = false;

    // The send being made: the row of its message, once the link sent it.
    bool m_sending = false;
    Verdict m_sendVerdict;
    Send m_sent;
    QHash<quint64, Send> m_sends;      // by the link's send id
    QHash<quint32, quint64> m_waiting; // system bytes of a primary with W -> its send id
};

} // namespace pravik
