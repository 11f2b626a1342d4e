#include "hsms/HsmsLink.h"

#include "document/SmlDocument.h"
#include "hsms/DefinitionIndex.h"
#include "hsms/LinkLog.h"
#include "hsms/ReceivedCheck.h"
#include "secs/ExampleInstance.h"
#include "secs/SecsCodec.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QtEndian>
#include <algorithm>
#include <limits>

namespace pravik {

namespace {

// Reasons of reject.req (SEMI E37).
constexpr quint8 kRejectSTypeNotSupported = 1;
constexpr quint8 kRejectPTypeNotSupported = 2;
constexpr quint8 kRejectTransactionNotOpen = 3;
constexpr quint8 kRejectNotSelected = 4;

// Bytes read from the socket at a time; also Qt's own read buffer, so that
// a peer sending faster than we decode cannot make it grow.
constexpr qint64 kReadChunk = 64 * 1024;

QString Hex8(quint32 v) {
    return QStringLiteral("0x%1").arg(v, 8, 16, QLatin1Char('0'));
}

} // namespace

HsmsLink::HsmsLink(const LinkSettings& settings, const TimerSource& timers, QObject* parent)
    : QObject(parent), m_settings(settings), m_timers(timers), m_decoder(settings.queue) {
    qRegisterMetaType<pravik::LinkState>();
    qRegisterMetaType<pravik::TrafficRecord>();
    qRegisterMetaType<pravik::LinkAlarm>();
    qRegisterMetaType<pravik::SendOutcome>();
    // Two bodies of the longest length taken in, and room for control traffic.
    m_sendLimit = 2 * (qint64(settings.queue) + kHsmsHeaderSize + kHsmsLengthSize) + (1 << 20);
    m_clock.start();
    for (QTimer* t : {&m_t3, &m_t5, &m_t6, &m_t7, &m_t8})
        t->setSingleShot(true);
    connect(&m_t3, &QTimer::timeout, this, &HsmsLink::onT3);
    connect(&m_t5, &QTimer::timeout, this, &HsmsLink::onT5);
    connect(&m_t6, &QTimer::timeout, this, &HsmsLink::onT6);
    connect(&m_t7, &QTimer::timeout, this, &HsmsLink::onT7);
    connect(&m_t8, &QTimer::timeout, this, &HsmsLink::onT8);
    connect(&m_linktest, &QTimer::timeout, this, &HsmsLink::onLinktestTimer);
    m_readBuffer.resize(kReadChunk);
}

HsmsLink::~HsmsLink() {
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->abort();
        delete m_socket;
    }
}

void HsmsLink::setDefinitions(const SmlDocument* document) {
    m_index = document ? std::make_unique<DefinitionIndex>(document) : nullptr;
}

void HsmsLink::setLog(LinkLog* log) {
    m_log = log;
    if (log)
        connect(log, &LinkLog::failed, this, [this](const QString& message) {
            // Once: the log drops itself after its first failure.
            LinkAlarm a{m_timers.now(), QStringLiteral("LOG"), message, 0};
            emit alarm(a);
        });
}

quint16 HsmsLink::listeningPort() const {
    return m_server ? m_server->serverPort() : 0;
}

void HsmsLink::note(const QString& text) {
    if (m_log)
        m_log->logEvent(text);
    emit linkEvent(text);
}

void HsmsLink::raise(const QString& name, const QString& text, quint32 systemBytes) {
    LinkAlarm a{m_timers.now(), name, text, systemBytes};
    if (m_log)
        m_log->alarm(a);
    emit alarm(a);
}

void HsmsLink::setState(LinkState state) {
    if (state == m_state)
        return;
    m_state = state;
    m_t7.stop();
    m_linktest.stop();
    if (state == LinkState::NotSelected && m_socket && !m_settings.active)
        armTimer(m_t7, m_settings.t7);
    if (state == LinkState::Selected && m_settings.linkTest > 0)
        m_linktest.start(m_timers.milliseconds(m_settings.linkTest));
    if (m_log)
        m_log->logEvent(QString::fromLatin1(LinkStateName(state)));
    emit stateChanged(state);
}

void HsmsLink::armTimer(QTimer& timer, int seconds) {
    // A timeout of 0 seconds in the configuration is no timeout.
    if (seconds > 0)
        timer.start(m_timers.milliseconds(seconds));
    else
        timer.stop();
}

// --- starting and stopping ---------------------------------------------------

void HsmsLink::start() {
    if (m_running)
        return;
    m_running = true;
    m_stopping = false;
    m_attempts = 0;
    if (m_log)
        m_log->removeOldFiles();
    if (m_settings.active) {
        connectToPeer();
        return;
    }
    m_server = new QTcpServer(this);
    m_server->setMaxPendingConnections(1);
    if (!m_server->listen(m_settings.address, m_settings.port)) {
        const QString why = m_server->errorString();
        delete m_server;
        m_server = nullptr;
        m_running = false;
        emit failed(
            QStringLiteral("[HSMS] IP=%1, Port=%2: 이 주소에서 접속을 기다릴 수 없습니다: %3")
                .arg(QString::fromLatin1(m_settings.addressText))
                .arg(m_settings.port)
                .arg(why));
        return;
    }
    note(QStringLiteral("%1:%2에서 접속을 기다립니다")
             .arg(m_settings.address.toString())
             .arg(m_server->serverPort()));
    connect(m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* s = m_server->nextPendingConnection()) {
            if (m_stopping || (m_socket && m_state == LinkState::Selected)) {
                // HSMS-SS: one session; a selected one is kept.
                note(QStringLiteral("두 번째 접속 %1을(를) 거절합니다")
                         .arg(s->peerAddress().toString()));
                s->abort();
                s->deleteLater();
                continue;
            }
            // A connection not selected (perhaps already gone without our
            // knowing) gives way to the new one.
            if (m_socket)
                closeConnection(QStringLiteral("선택되지 않은 접속을 닫고 새 접속을 받습니다"));
            adopt(s);
        }
    });
}

void HsmsLink::connectToPeer() {
    if (!m_running || m_stopping || m_socket)
        return;
    ++m_attempts;
    auto* s = new QTcpSocket(this);
    m_socket = s;
    connect(s, &QTcpSocket::connected, this, [this, s] {
        if (s != m_socket)
            return;
        note(QStringLiteral("%1:%2에 접속했습니다")
                 .arg(s->peerAddress().toString())
                 .arg(s->peerPort()));
        m_attempts = 0;
        adopt(s);
    });
    connect(s, &QTcpSocket::errorOccurred, this, [this, s](QAbstractSocket::SocketError) {
        if (s != m_socket || s->state() == QAbstractSocket::ConnectedState)
            return;
        if (m_state != LinkState::NotConnected)
            return; // a connected socket reports its end by disconnected
        const QString why = s->errorString();
        m_socket = nullptr;
        s->disconnect(this);
        s->deleteLater();
        const QString text = QStringLiteral("[HSMS] IP=%1, Port=%2: 접속할 수 없습니다: %3")
                                 .arg(QString::fromLatin1(m_settings.addressText))
                                 .arg(m_settings.port)
                                 .arg(why);
        note(text);
        if (m_connectAttempts > 0 && m_attempts >= m_connectAttempts) {
            m_running = false;
            emit failed(text);
            return;
        }
        m_t5.start(m_timers.milliseconds(std::max(1, m_settings.t5)));
    });
    s->connectToHost(m_settings.address, m_settings.port);
}

void HsmsLink::adopt(QTcpSocket* s) {
    m_socket = s;
    s->setParent(this);
    s->setReadBufferSize(kReadChunk);
    s->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    m_decoder.reset();
    connect(s, &QTcpSocket::readyRead, this, &HsmsLink::onReadyRead, Qt::UniqueConnection);
    connect(s, &QTcpSocket::disconnected, this, &HsmsLink::onDisconnected, Qt::UniqueConnection);
    if (!m_settings.active)
        note(QStringLiteral("%1:%2에서 접속했습니다")
                 .arg(s->peerAddress().toString())
                 .arg(s->peerPort()));
    setState(LinkState::NotSelected);
    if (m_settings.active)
        startControl(SType::SelectReq);
    if (s->bytesAvailable() > 0)
        QMetaObject::invokeMethod(this, &HsmsLink::onReadyRead, Qt::QueuedConnection);
}

void HsmsLink::stop() {
    m_stopping = true;
    m_running = false;
    m_t5.stop();
    if (m_server) {
        m_server->close();
        m_server->deleteLater();
        m_server = nullptr;
    }
    if (!m_socket) {
        setState(LinkState::NotConnected);
        QMetaObject::invokeMethod(this, &HsmsLink::stopped, Qt::QueuedConnection);
        return;
    }
    if (m_state == LinkState::Selected)
        sendControl(SType::SeparateReq, nextSystemBytes());
    closeConnection(QStringLiteral("연결을 닫습니다"));
}

void HsmsLink::separate() {
    if (!m_socket || m_state == LinkState::NotConnected)
        return;
    sendControl(SType::SeparateReq, nextSystemBytes());
    closeConnection(QStringLiteral("separate.req를 보내고 연결을 닫습니다"));
}

void HsmsLink::closeConnection(const QString& why) {
    QTcpSocket* s = m_socket;
    if (!s)
        return;
    note(why);
    m_socket = nullptr;
    m_t6.stop();
    m_t7.stop();
    m_t8.stop();
    m_control.reset();
    s->disconnect(this);
    const bool stopping = m_stopping;
    if (s->state() == QAbstractSocket::ConnectedState && s->bytesToWrite() > 0) {
        // What was queued (a separate.req) still goes out, then the socket closes.
        connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
        connect(s, &QTcpSocket::disconnected, this, [this, stopping] {
            if (stopping)
                emit stopped();
        });
        s->disconnectFromHost();
        // A peer that never reads must not keep it open.
        QTimer::singleShot(std::max(1, m_timers.milliseconds(m_settings.t8)), s,
                           [s] { s->abort(); });
    } else {
        s->abort();
        s->deleteLater();
        if (stopping)
            QMetaObject::invokeMethod(this, &HsmsLink::stopped, Qt::QueuedConnection);
    }
    // Every open transaction ends without a reply.
    const QList<quint32> open = m_open.keys();
    for (quint32 sys : open)
        endTransaction(sys, nullptr, QStringLiteral("연결이 끊겼습니다"));
    setState(LinkState::NotConnected);
    if (m_running && m_settings.active && !m_stopping)
        m_t5.start(m_timers.milliseconds(std::max(1, m_settings.t5)));
}

void HsmsLink::onDisconnected() {
    closeConnection(QStringLiteral("상대가 연결을 닫았습니다"));
}

// --- receiving ------------------------------------------------------------------

void HsmsLink::onReadyRead() {
    QPointer<QTcpSocket> s = m_socket;
    while (s && s == m_socket && s->bytesAvailable() > 0) {
        const qint64 n = s->read(m_readBuffer.data(), kReadChunk);
        if (n <= 0)
            break;
        QByteArrayView data(m_readBuffer.constData(), n);
        while (!data.isEmpty() && s == m_socket) {
            FrameDecoder::Event ev;
            const qsizetype used = m_decoder.feed(data, ev);
            data = data.sliced(used);
            if (ev.kind == FrameDecoder::Kind::BadLength) {
                raise(QStringLiteral("PROTOCOL"),
                      QStringLiteral("메시지 길이 %1은(는) 헤더 10바이트보다 짧습니다")
                          .arg(ev.length));
                closeConnection(QStringLiteral("틀이 맞지 않는 바이트를 받아 연결을 닫습니다"));
                return;
            }
            if (ev.kind == FrameDecoder::Kind::TooLong)
                handleTooLong(ev);
            else if (ev.kind == FrameDecoder::Kind::Frame)
                handleFrame(ev);
            if (used == 0 && ev.kind == FrameDecoder::Kind::None)
                break;
        }
    }
    if (s && s == m_socket) {
        if (m_decoder.midFrame())
            armTimer(m_t8, m_settings.t8);
        else
            m_t8.stop();
    }
}

void HsmsLink::handleFrame(FrameDecoder::Event& ev) {
    if (m_log && m_log->hexEnabled()) {
        QByteArray frame(4, '\0');
        qToBigEndian<quint32>(ev.length, reinterpret_cast<uchar*>(frame.data()));
        m_log->frame(Direction::Received, frame + ev.headerBytes + ev.body);
    }
    if (ev.header.pType != 0) {
        reject(ev.header, kRejectPTypeNotSupported);
        return;
    }
    if (ev.header.isData())
        handleData(ev);
    else
        handleControl(ev);
}

void HsmsLink::reject(const HsmsHeader& offending, quint8 reason) {
    const quint8 byte2 = reason == kRejectPTypeNotSupported ? offending.pType : offending.sType;
    note(QStringLiteral("reject.req (이유 %1)를 보냅니다: %2, 시스템 바이트 %3")
             .arg(reason)
             .arg(QString::fromLatin1(STypeName(offending.sType)))
             .arg(Hex8(offending.systemBytes)));
    sendControl(SType::RejectReq, offending.systemBytes, byte2, reason, offending.sessionId);
}

void HsmsLink::handleControl(const FrameDecoder::Event& ev) {
    const HsmsHeader& h = ev.header;
    const auto type = static_cast<SType>(h.sType);
    auto pendingIs = [&](SType t) {
        return m_control && m_control->type == t && m_control->systemBytes == h.systemBytes;
    };
    switch (type) {
    case SType::SelectReq:
        if (m_state == LinkState::Selected) {
            note(QStringLiteral("이미 선택된 상태에서 select.req를 받았습니다"));
            sendControl(SType::SelectRsp, h.systemBytes, 0, 1); // already active
        } else {
            sendControl(SType::SelectRsp, h.systemBytes, 0, 0);
            setState(LinkState::Selected);
        }
        return;
    case SType::SelectRsp:
        if (!pendingIs(SType::SelectReq)) {
            reject(h, kRejectTransactionNotOpen);
            return;
        }
        m_control.reset();
        m_t6.stop();
        if (h.function == 0) {
            setState(LinkState::Selected);
        } else {
            raise(QStringLiteral("SELECT"),
                  QStringLiteral("상대가 선택을 거절했습니다 (상태 %1)").arg(h.function));
            closeConnection(QStringLiteral("선택되지 않아 연결을 닫습니다"));
        }
        return;
    case SType::DeselectReq:
        if (m_state == LinkState::Selected) {
            sendControl(SType::DeselectRsp, h.systemBytes, 0, 0);
            setState(LinkState::NotSelected);
        } else {
            sendControl(SType::DeselectRsp, h.systemBytes, 0, 1); // not established
        }
        return;
    case SType::DeselectRsp:
        if (!pendingIs(SType::DeselectReq)) {
            reject(h, kRejectTransactionNotOpen);
            return;
        }
        m_control.reset();
        m_t6.stop();
        if (h.function == 0)
            setState(LinkState::NotSelected);
        return;
    case SType::LinktestReq:
        sendControl(SType::LinktestRsp, h.systemBytes);
        return;
    case SType::LinktestRsp:
        if (!pendingIs(SType::LinktestReq)) {
            reject(h, kRejectTransactionNotOpen);
            return;
        }
        m_control.reset();
        m_t6.stop();
        note(QStringLiteral("linktest.rsp를 받았습니다"));
        return;
    case SType::RejectReq:
        raise(QStringLiteral("REJECT"),
              QStringLiteral("상대가 거절했습니다: 형식 %1, 이유 %2, 시스템 바이트 %3")
                  .arg(h.stream)
                  .arg(h.function)
                  .arg(Hex8(h.systemBytes)),
              h.systemBytes);
        if (m_control && m_control->systemBytes == h.systemBytes) {
            m_control.reset();
            m_t6.stop();
        }
        return;
    case SType::SeparateReq:
        closeConnection(QStringLiteral("separate.req를 받아 연결을 닫습니다"));
        return;
    case SType::Data:
        break;
    }
    reject(h, kRejectSTypeNotSupported);
}

void HsmsLink::handleTooLong(const FrameDecoder::Event& ev) {
    if (!ev.header.isData()) {
        raise(QStringLiteral("PROTOCOL"), QStringLiteral("%1의 길이 %2이(가) 너무 깁니다")
                                              .arg(QString::fromLatin1(STypeName(ev.header.sType)))
                                              .arg(ev.length));
        closeConnection(QStringLiteral("틀이 맞지 않는 제어 메시지를 받아 연결을 닫습니다"));
        return;
    }
    TrafficRecord r;
    r.time = m_timers.now();
    r.direction = Direction::Received;
    r.stream = ev.header.stream;
    r.function = ev.header.function;
    r.wbit = ev.header.wbit;
    r.systemBytes = ev.header.systemBytes;
    r.deviceId = ev.header.sessionId;
    r.size = qint64(ev.length) - kHsmsHeaderSize;
    r.headerBytes = ev.headerBytes;
    r.verdict.kind = Verdict::Kind::TooLong;
    r.verdict.message =
        QStringLiteral("본문 %1바이트가 \"Queue\" %2바이트보다 깁니다 (읽고 버립니다)")
            .arg(r.size)
            .arg(m_settings.queue);
    if (m_log)
        m_log->message(r);
    emit traffic(r);
    if (m_state == LinkState::Selected)
        finding(r);
    else
        reject(ev.header, kRejectNotSelected);
}

void HsmsLink::handleData(FrameDecoder::Event& ev) {
    const HsmsHeader& h = ev.header;
    if (m_state != LinkState::Selected) {
        reject(h, kRejectNotSelected);
        return;
    }
    TrafficRecord r;
    r.time = m_timers.now();
    r.direction = Direction::Received;
    r.stream = h.stream;
    r.function = h.function;
    r.wbit = h.wbit;
    r.systemBytes = h.systemBytes;
    r.deviceId = h.sessionId;
    r.headerBytes = ev.headerBytes;
    const bool knownDevice = m_settings.knowsDevice(h.sessionId);
    const bool check = knownDevice && !m_settings.skipSmlCheck && m_index;
    CheckReceived(check ? m_index.get() : nullptr, std::move(ev.body), r);
    if (!knownDevice) {
        r.verdict = Verdict();
        r.verdict.kind = Verdict::Kind::UnknownDevice;
        r.verdict.message =
            QStringLiteral("장치 ID %1은(는) 설정의 \"Device ID\"에 없습니다").arg(h.sessionId);
    }
    if (r.stream == 9 && r.decoded && r.body.items.size() == 1 && r.body.items[0].type == 2 &&
        r.body.items[0].length == kHsmsHeaderSize)
        r.s9Mhead = r.body.dataOf(r.body.items[0]).toByteArray();
    if (m_log)
        m_log->message(r);
    emit traffic(r);

    // A reply ends its transaction; so does an S9 about our message or an
    // abort (function 0).
    if (!r.s9Mhead.isEmpty()) {
        const quint32 about = qFromBigEndian<quint32>(r.s9Mhead.constData() + 6);
        endTransaction(about, &r, r.key());
    } else if (r.function % 2 == 0) {
        const auto it = m_open.constFind(r.systemBytes);
        if (it != m_open.constEnd() && it->stream == r.stream &&
            (r.function == it->function + 1 || r.function == 0)) {
            endTransaction(r.systemBytes, &r, r.function == 0 ? r.key() : QString());
        } else if (r.function != 0 || it == m_open.constEnd()) {
            raise(QStringLiteral("PROTOCOL"),
                  QStringLiteral("기다리는 트랜잭션이 없는 응답 %1 (시스템 바이트 %2)")
                      .arg(QString::fromLatin1(r.key()))
                      .arg(Hex8(r.systemBytes)),
                  r.systemBytes);
        }
    }
    if (r.verdict.isFinding())
        finding(r);
    else if (m_autoReply && r.wbit && r.function % 2 == 1)
        autoReplyTo(r);
}

void HsmsLink::finding(const TrafficRecord& r) {
    const int f = r.verdict.s9Function();
    const QString what = QStringLiteral("%1 (시스템 바이트 %2): %3")
                             .arg(QString::fromLatin1(r.key()))
                             .arg(Hex8(r.systemBytes))
                             .arg(r.verdict.message);
    const QString name = QStringLiteral("S9F%1").arg(f);
    bool on = true;
    switch (f) {
    case 1:
        on = m_settings.s9f1;
        break;
    case 3:
        on = m_settings.s9f3;
        break;
    case 5:
        on = m_settings.s9f5;
        break;
    case 7:
        on = m_settings.s9f7;
        break;
    default:
        break; // S9F11 has no switch
    }
    // S9 messages are the equipment's, and an S9 is never answered by one.
    if (m_settings.host || r.stream == 9 || !on || r.headerBytes.size() != kHsmsHeaderSize) {
        raise(name, what + (m_settings.host ? QString() : QStringLiteral(" (보내지 않음)")),
              r.systemBytes);
        return;
    }
    SecsBody body;
    body.addItem(2, r.headerBytes); // MHEAD: B 10
    HsmsHeader h;
    h.sessionId = f == 1 ? m_settings.deviceId() : r.deviceId;
    h.stream = 9;
    h.function = static_cast<quint8>(f);
    h.systemBytes = nextSystemBytes();
    TrafficRecord sent;
    sent.automatic = true;
    sent.s9Mhead = r.headerBytes;
    if (sendData(h, body, sent))
        raise(name, what + QStringLiteral(" (보냄)"), r.systemBytes);
}

void HsmsLink::autoReplyTo(const TrafficRecord& r) {
    if (!m_index || r.function >= 255)
        return;
    if (m_repliesRevision != m_index->revision()) {
        m_replies.clear();
        m_repliesRevision = m_index->revision();
    }
    const qint64 key = qint64(r.stream) * 1000 + r.function + 1;
    auto cached = m_replies.constFind(key);
    if (cached == m_replies.constEnd()) {
        const SmlNode* def = m_index->find(r.stream, r.function + 1);
        if (!def)
            return; // replies are never invented
        ExampleOptions options;
        options.variableItems = true;
        const Example example = BuildExample(*def, options);
        if (!example.problems.empty()) {
            raise(QStringLiteral("REPLY"),
                  QStringLiteral("S%1F%2의 정의로 응답을 만들 수 없습니다: %3")
                      .arg(r.stream)
                      .arg(r.function + 1)
                      .arg(example.problems.front().text()),
                  r.systemBytes);
            return;
        }
        cached = m_replies.insert(key, example.message.body);
    }
    HsmsHeader h;
    h.sessionId = r.deviceId;
    h.stream = static_cast<quint8>(r.stream);
    h.function = static_cast<quint8>(r.function + 1);
    h.systemBytes = r.systemBytes;
    TrafficRecord sent;
    sent.automatic = true;
    sendData(h, *cached, sent);
}

// --- sending --------------------------------------------------------------------

quint32 HsmsLink::nextSystemBytes() {
    // Unique among the open transactions, and never 0.
    do {
        ++m_systemCounter;
    } while (m_systemCounter == 0 || m_open.contains(m_systemCounter) ||
             (m_control && m_control->systemBytes == m_systemCounter));
    return m_systemCounter;
}

bool HsmsLink::writeFrame(const HsmsHeader& header, QByteArrayView body) {
    if (!m_socket || m_socket->state() != QAbstractSocket::ConnectedState)
        return false;
    const QByteArray frame = EncodeFrame(header, body);
    if (m_socket->bytesToWrite() + frame.size() > m_sendLimit) {
        raise(QStringLiteral("SEND"),
              QStringLiteral("상대가 읽지 않아 보낼 바이트 %1개가 쌓였습니다: %2을(를) 보내지 "
                             "않습니다")
                  .arg(m_socket->bytesToWrite())
                  .arg(QString::fromLatin1(
                      header.isData() ? QByteArray("S" + QByteArray::number(header.stream) + "F" +
                                                   QByteArray::number(header.function))
                                      : QByteArray(STypeName(header.sType)))),
              header.systemBytes);
        return false;
    }
    if (m_log && m_log->hexEnabled())
        m_log->frame(Direction::Sent, frame);
    return m_socket->write(frame) == frame.size();
}

void HsmsLink::sendControl(SType type, quint32 systemBytes, quint8 byte2, quint8 byte3,
                           quint16 session) {
    HsmsHeader h = HsmsHeader::Control(type, systemBytes, byte2, byte3);
    h.sessionId = session;
    if (m_log)
        m_log->logEvent(QStringLiteral("%1 보냄").arg(QString::fromLatin1(STypeName(h.sType))));
    writeFrame(h, {});
}

void HsmsLink::startControl(SType type) {
    if (m_control) {
        note(QStringLiteral("%1: 제어 트랜잭션이 이미 열려 있습니다")
                 .arg(QString::fromLatin1(STypeName(static_cast<quint8>(type)))));
        return;
    }
    const quint32 sys = nextSystemBytes();
    m_control = Control{type, sys};
    sendControl(type, sys);
    armTimer(m_t6, m_settings.t6);
}

void HsmsLink::linktest() {
    if (m_socket && m_state != LinkState::NotConnected)
        startControl(SType::LinktestReq);
}

void HsmsLink::deselect() {
    if (m_state == LinkState::Selected)
        startControl(SType::DeselectReq);
}

bool HsmsLink::sendData(const HsmsHeader& header, const SecsBody& body, TrafficRecord& r) {
    QByteArray bytes;
    if (EncodeBody(body, bytes) >= 0) {
        raise(QStringLiteral("SEND"),
              QStringLiteral("본문을 인코딩할 수 없습니다 (아이템 길이가 "
                             "3바이트를 넘습니다)"),
              header.systemBytes);
        return false;
    }
    if (!writeFrame(header, bytes))
        return false;
    r.time = m_timers.now();
    r.direction = Direction::Sent;
    r.stream = header.stream;
    r.function = header.function;
    r.wbit = header.wbit;
    r.systemBytes = header.systemBytes;
    r.deviceId = header.sessionId;
    r.size = bytes.size();
    r.headerBytes = header.bytes();
    r.decoded = true;
    r.body = body;
    if (m_log)
        m_log->message(r);
    emit traffic(r);
    return true;
}

void HsmsLink::finishLater(SendOutcome outcome) {
    QMetaObject::invokeMethod(
        this, [this, outcome = std::move(outcome)] { emit sendFinished(outcome); },
        Qt::QueuedConnection);
}

quint64 HsmsLink::send(int stream, int function, bool wbit, const SecsBody& body) {
    SendOutcome outcome;
    outcome.id = ++m_nextId;
    if (m_state != LinkState::Selected) {
        outcome.failure = QStringLiteral("선택된 연결이 없습니다 (%1)")
                              .arg(QString::fromLatin1(LinkStateName(m_state)));
        finishLater(std::move(outcome));
        return m_nextId;
    }
    if (stream < 0 || stream > 127 || function < 0 || function > 255) {
        outcome.failure = QStringLiteral("S%1F%2: 스트림은 0~127, 기능은 0~255여야 합니다")
                              .arg(stream)
                              .arg(function);
        finishLater(std::move(outcome));
        return m_nextId;
    }
    HsmsHeader h;
    h.sessionId = m_settings.deviceId();
    h.stream = static_cast<quint8>(stream);
    h.function = static_cast<quint8>(function);
    h.wbit = wbit;
    h.systemBytes = nextSystemBytes();
    const qint64 startNs = m_clock.nsecsElapsed();
    TrafficRecord r;
    if (!sendData(h, body, r)) {
        outcome.failure = QStringLiteral("보내지 못했습니다");
        finishLater(std::move(outcome));
        return m_nextId;
    }
    if (!wbit) {
        outcome.ok = true;
        finishLater(std::move(outcome));
        return m_nextId;
    }
    if (m_settings.t3 <= 0) {
        // T3 of 0: the transaction waits without end (until the connection ends).
        m_open.insert(h.systemBytes, Pending{outcome.id, stream, function,
                                             std::numeric_limits<qint64>::max(), startNs});
        return m_nextId;
    }
    const qint64 deadline = m_clock.elapsed() + m_timers.milliseconds(m_settings.t3);
    m_open.insert(h.systemBytes, Pending{outcome.id, stream, function, deadline, startNs});
    m_deadlines.emplace_back(deadline, h.systemBytes);
    if (!m_t3.isActive())
        armT3();
    return m_nextId;
}

bool HsmsLink::endTransaction(quint32 systemBytes, const TrafficRecord* reply,
                              const QString& failure) {
    const auto it = m_open.find(systemBytes);
    if (it == m_open.end())
        return false;
    SendOutcome o;
    o.id = it->id;
    o.roundTripUs = (m_clock.nsecsElapsed() - it->startNs) / 1000;
    m_open.erase(it);
    if (reply) {
        o.hasReply = true;
        o.reply = *reply;
    }
    o.ok = failure.isEmpty() && reply;
    o.failure = failure;
    emit sendFinished(o);
    return true;
}

// --- timers -----------------------------------------------------------------------

void HsmsLink::armT3() {
    // Deadlines come in sending order (T3 is one value), so the first one
    // still open is the next to expire.
    while (!m_deadlines.empty() && !m_open.contains(m_deadlines.front().second))
        m_deadlines.pop_front();
    if (m_deadlines.empty()) {
        m_t3.stop();
        return;
    }
    const auto& [deadline, sys] = m_deadlines.front();
    const auto it = m_open.constFind(sys);
    if (it->deadline != deadline) {
        // The system bytes were reused by a later transaction; its own entry follows.
        m_deadlines.pop_front();
        armT3();
        return;
    }
    m_t3.start(static_cast<int>(std::max<qint64>(0, deadline - m_clock.elapsed())));
}

void HsmsLink::onT3() {
    const qint64 now = m_clock.elapsed();
    while (!m_deadlines.empty() && m_deadlines.front().first <= now) {
        const quint32 sys = m_deadlines.front().second;
        const qint64 deadline = m_deadlines.front().first;
        m_deadlines.pop_front();
        const auto it = m_open.constFind(sys);
        if (it == m_open.constEnd() || it->deadline != deadline)
            continue;
        raise(QStringLiteral("T3"),
              QStringLiteral("S%1F%2 W의 응답이 T3 %3초 안에 오지 않았습니다 (시스템 바이트 %4)")
                  .arg(it->stream)
                  .arg(it->function)
                  .arg(m_settings.t3)
                  .arg(Hex8(sys)),
              sys);
        endTransaction(sys, nullptr, QStringLiteral("T3"));
    }
    armT3();
}

void HsmsLink::onT5() {
    connectToPeer();
}

void HsmsLink::onT6() {
    if (!m_control)
        return;
    const Control c = *m_control;
    m_control.reset();
    raise(QStringLiteral("T6"),
          QStringLiteral("%1의 응답이 T6 %2초 안에 오지 않았습니다")
              .arg(QString::fromLatin1(STypeName(static_cast<quint8>(c.type))))
              .arg(m_settings.t6),
          c.systemBytes);
    closeConnection(QStringLiteral("T6이 지나 연결을 닫습니다"));
}

void HsmsLink::onT7() {
    if (m_state != LinkState::NotSelected || !m_socket)
        return;
    raise(QStringLiteral("T7"),
          QStringLiteral("접속 후 T7 %1초 안에 선택되지 않았습니다").arg(m_settings.t7));
    closeConnection(QStringLiteral("T7이 지나 연결을 닫습니다"));
}

void HsmsLink::onT8() {
    if (!m_socket || !m_decoder.midFrame())
        return;
    raise(QStringLiteral("T8"),
          QStringLiteral("한 메시지의 바이트 사이가 T8 %1초를 넘었습니다").arg(m_settings.t8));
    closeConnection(QStringLiteral("T8이 지나 연결을 닫습니다"));
}

void HsmsLink::onLinktestTimer() {
    if (m_state == LinkState::Selected && !m_control)
        startControl(SType::LinktestReq);
}

} // namespace pravik
