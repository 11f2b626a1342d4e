#pragma once

#include "hsms/FrameDecoder.h"
#include "hsms/LinkRecords.h"
#include "hsms/LinkSettings.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <deque>
#include <memory>

class QTcpServer;
class QTcpSocket;

namespace pravik {

class DefinitionIndex;
class LinkLog;
class SmlDocument;

// One HSMS-SS connection (SEMI E37) run as a driver configuration says:
// active (connect, select, retry after T5) or passive (listen on IP:Port,
// answer select, close a connection not selected within T7); linktest,
// deselect and separate both ways; reject for control messages that are
// not supported or not valid in the state; T3 per open transaction, T6 per
// control transaction, T8 between the bytes of one frame.
//
// Received data messages are checked against the definitions of a
// document (which the user may edit meanwhile: each check looks the
// definition up anew) and answered by the configuration: S9F1/F3/F5/F7/F11
// from the equipment (with "Host" the same findings are only reported as
// alarms), and, when switched on, an automatic reply built from the
// reply's definition. Everything runs on the Qt event loop; no call
// blocks. What happens is told by signals, as values.
class HsmsLink : public QObject {
    Q_OBJECT
public:
    explicit HsmsLink(const LinkSettings& settings, const TimerSource& timers = TimerSource::real(),
                      QObject* parent = nullptr);
    ~HsmsLink() override;

    const LinkSettings& settings() const { return m_settings; }
    LinkState state() const { return m_state; }

    // The definitions to check against and to build replies from; nullptr
    // for none. The check follows "SkipSMLCheck".
    void setDefinitions(const SmlDocument* document);
    void setAutoReply(bool on) { m_autoReply = on; }
    bool autoReply() const { return m_autoReply; }
    // The log the traffic goes to (not owned); nullptr for none.
    void setLog(LinkLog* log);
    // Active mode: connection attempts before giving up (failed()); 0 = no end.
    void setConnectAttempts(int attempts) { m_connectAttempts = attempts; }
    // The bytes that may wait to be written before a send is refused: a
    // peer that stops reading cannot make us hold more.
    qint64 sendQueueLimit() const { return m_sendLimit; }

    // Starts connecting or listening. A listening address that cannot be
    // bound is reported by failed().
    void start();
    // Separates a selected connection, closes it and stops listening.
    void stop();
    // The port listened on (passive), once started.
    quint16 listeningPort() const;

    // Sends a data message with our device ID and returns its id; the
    // outcome comes by sendFinished (a message without W ends when written).
    quint64 send(int stream, int function, bool wbit, const SecsBody& body);
    void linktest();
    void deselect();
    void separate();

    // Open transactions (sent with W, no reply yet).
    int openTransactions() const { return static_cast<int>(m_open.size()); }

signals:
    void stateChanged(pravik::LinkState state);
    void traffic(const pravik::TrafficRecord& record);
    void alarm(const pravik::LinkAlarm& alarm);
    void sendFinished(const pravik::SendOutcome& outcome);
    // Connections, control messages: one line for people.
    void linkEvent(const QString& text);
    // The link cannot go on as configured (an address that cannot be bound,
    // no connection after the attempts allowed). Names the setting and value.
    void failed(const QString& message);
    // stop() has finished: the connection is closed.
    void stopped();

private:
    struct Pending {
        quint64 id;
        int stream;
        int function;
        qint64 deadline; // ms on m_clock
        qint64 startNs;
    };
    struct Control {
        SType type;
        quint32 systemBytes;
    };

    void setState(LinkState state);
    void connectToPeer();
    void adopt(QTcpSocket* socket);
    void onReadyRead();
    void onDisconnected();
    void closeConnection(const QString& why);
    void handleFrame(FrameDecoder::Event& ev);
    void handleControl(const FrameDecoder::Event& ev);
    void handleData(FrameDecoder::Event& ev);
    void handleTooLong(const FrameDecoder::Event& ev);
    void finding(const TrafficRecord& record);
    void autoReplyTo(const TrafficRecord& record);
    bool endTransaction(quint32 systemBytes, const TrafficRecord* reply, const QString& failure);
    bool writeFrame(const HsmsHeader& header, QByteArrayView body);
    bool sendData(const HsmsHeader& header, const SecsBody& body, TrafficRecord& record);
    void sendControl(SType type, quint32 systemBytes, quint8 byte2 = 0, quint8 byte3 = 0,
                     quint16 session = 0xFFFF);
    void reject(const HsmsHeader& offending, quint8 reason);
    void startControl(SType type);
    quint32 nextSystemBytes();
    void raise(const QString& name, const QString& text, quint32 systemBytes = 0);
    void note(const QString& text);
    void finishLater(SendOutcome outcome);
    void armTimer(QTimer& timer, int seconds);
    void armT3();
    void onT3();
    void onT5();
    void onT6();
    void onT7();
    void onT8();
    void onLinktestTimer();

    LinkSettings m_settings;
    const TimerSource& m_timers;
    LinkState m_state = LinkState::NotConnected;
    QTcpServer* m_server = nullptr;
    QPointer<QTcpSocket> m_socket;
    FrameDecoder m_decoder;
    std::unique_ptr<DefinitionIndex> m_index;
    QPointer<LinkLog> m_log;
    bool m_autoReply = true;
    bool m_running = false;
    bool m_stopping = false;
    int m_connectAttempts = 0;
    int m_attempts = 0;
    qint64 m_sendLimit;
    quint32 m_systemCounter = 0;
    quint64 m_nextId = 0;

    QElapsedTimer m_clock;
    QHash<quint32, Pending> m_open;
    std::deque<std::pair<qint64, quint32>> m_deadlines; // by time of sending
    std::optional<Control> m_control;

    // Automatic replies built from the definitions, by key, while the
    // document is unchanged (revision of the index).
    QHash<qint64, SecsBody> m_replies;
    quint64 m_repliesRevision = 0;

    QTimer m_t3, m_t5, m_t6, m_t7, m_t8, m_linktest;
    QByteArray m_readBuffer;
};

} // namespace pravik
