#include "app/CommLink.h"

#include "app/TrafficModel.h"
#include "app/TrafficText.h"
#include "hsms/HsmsLink.h"
#include "hsms/LinkLog.h"
#include "platform/PlatformError.h"
#include "secs/CommonSmlMessage.h"

#include <QEventLoop>
#include <QTimer>
#include <QtEndian>

namespace pravik {

CommLink::Configuration CommLink::Read(const QString& cfgPath) {
    Configuration c;
    c.path = cfgPath;
    try {
        c.exists = ReadDriverConfig(cfgPath, c.config);
    } catch (const PlatformError& e) {
        c.error = e.message();
        return c;
    }
    LinkSettingsResult read = ReadLinkSettings(c.config, cfgPath);
    c.settings = std::move(read.settings);
    c.error = read.error;
    return c;
}

QString CommLink::Configuration::summary() const {
    if (!settings)
        return error;
    const LinkSettings& s = *settings;
    QStringList ids;
    for (const quint16 id : s.deviceIds)
        ids << QString::number(id);
    QString text = QStringLiteral("%1, %2, %3:%4, 장치 ID %5")
                       .arg(s.host ? QStringLiteral("호스트") : QStringLiteral("장비"),
                            s.active ? QStringLiteral("Active") : QStringLiteral("Passive"),
                            QString::fromLatin1(s.addressText))
                       .arg(s.port)
                       .arg(ids.join(QStringLiteral(", ")));
    if (!exists)
        text += QStringLiteral(" (설정 파일이 없어 기본값)");
    return text;
}

CommLink::CommLink(const SmlDocument& definitions, TrafficModel& traffic, QObject* parent)
    : QObject(parent), m_definitions(definitions), m_traffic(traffic),
      m_timers(&TimerSource::real()) {}

CommLink::~CommLink() {
    if (m_link)
        m_link->disconnect(this);
    delete m_log; // flushes what is still gathered
}

LinkState CommLink::state() const {
    return m_link ? m_link->state() : LinkState::NotConnected;
}

bool CommLink::start(const Configuration& configuration) {
    if (m_link)
        return false;
    if (!configuration.settings) {
        emit report(QStringLiteral("연결할 수 없습니다: %1").arg(configuration.error), true);
        return false;
    }
    m_configuration = configuration;
    m_stopping = false;
    const LinkSettings& s = *configuration.settings;
    m_log = new LinkLog(s, *m_timers, this);
    if (!m_log->enabled()) {
        delete m_log;
        m_log = nullptr;
    }
    m_link = new HsmsLink(s, *m_timers, this);
    m_link->setDefinitions(&m_definitions);
    m_link->setLog(m_log);
    m_link->setAutoReply(m_autoReply);
    connect(m_link, &HsmsLink::stateChanged, this, &CommLink::stateChanged);
    connect(m_link, &HsmsLink::traffic, this, &CommLink::onTraffic);
    connect(m_link, &HsmsLink::sendFinished, this, &CommLink::onSendFinished);
    connect(m_link, &HsmsLink::alarm, this, &CommLink::onAlarm);
    connect(m_link, &HsmsLink::linkEvent, this,
            [this](const QString& text) { emit report(text, false); });
    connect(m_link, &HsmsLink::failed, this, &CommLink::onFailed);
    connect(m_link, &HsmsLink::stopped, this, &CommLink::onStopped);
    m_link->start();
    // An address that cannot be listened on has dropped the link already.
    return m_link != nullptr;
}

void CommLink::stop() {
    m_restart.reset();
    if (!m_link || m_stopping)
        return;
    m_stopping = true;
    m_link->stop();
}

void CommLink::restart(const Configuration& configuration) {
    if (!m_link) {
        start(configuration);
        return;
    }
    stop();
    m_restart = configuration;
}

void CommLink::stopAndWait(int boundMs) {
    if (!m_link)
        return;
    stop();
    if (m_link) {
        // Timers and sockets go on, the user's keys and clicks wait.
        QEventLoop loop;
        connect(this, &CommLink::stopped, &loop, &QEventLoop::quit);
        QTimer::singleShot(boundMs, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (m_link) {
        // The peer did not take the separate in time: the connection goes.
        dropLink();
        emit stopped();
    }
}

void CommLink::onStopped() {
    dropLink();
    emit stopped();
    if (m_restart) {
        const Configuration next = *m_restart;
        m_restart.reset();
        start(next);
    }
}

void CommLink::onFailed(const QString& message) {
    emit report(message, true);
    dropLink();
    emit stateChanged(LinkState::NotConnected);
}

void CommLink::dropLink() {
    if (m_link) {
        m_link->disconnect(this);
        m_link->deleteLater(); // its own signal may be what brought us here
        m_link = nullptr;
    }
    delete m_log; // flushes
    m_log = nullptr;
    m_stopping = false;
    m_sends.clear();
    m_waiting.clear();
}

void CommLink::setAutoReply(bool on) {
    m_autoReply = on;
    if (m_link)
        m_link->setAutoReply(on);
}

void CommLink::linktest() {
    if (!m_link || m_link->state() == LinkState::NotConnected) {
        emit report(QStringLiteral("링크 테스트를 할 수 없습니다: 연결되어 있지 않습니다"), true);
        return;
    }
    emit report(QStringLiteral("linktest.req를 보냅니다"), false);
    m_link->linktest();
}

bool CommLink::send(const CommonSmlMessage& message, const Verdict& checked) {
    const QByteArray key = "S" + QByteArray::number(message.stream) + "F" +
                           QByteArray::number(message.function) +
                           (message.replyExpected ? " W" : "");
    if (!m_link) {
        emit report(QStringLiteral("%1을(를) 보낼 수 없습니다: 연결되어 있지 않습니다 (%2)")
                        .arg(QString::fromLatin1(key),
                             QLatin1String(LinkStateName(LinkState::NotConnected))),
                    true);
        return false;
    }
    m_sending = true;
    m_sendVerdict = checked;
    m_sent = Send{0, 0, message.stream, message.function, key};
    const quint64 id =
        m_link->send(message.stream, message.function, message.replyExpected, message.body);
    m_sending = false;
    // Not sent (not selected, refused): the outcome tells why, a moment later.
    m_sends.insert(id, m_sent);
    if (m_sent.row && message.replyExpected)
        m_waiting.insert(m_sent.systemBytes, id);
    return true;
}

quint64 CommLink::answeredRow(const TrafficRecord& r) const {
    if (r.direction != Direction::Received)
        return 0;
    quint32 about = r.systemBytes;
    if (!r.s9Mhead.isEmpty())
        about = qFromBigEndian<quint32>(r.s9Mhead.constData() + 6);
    else if (r.function % 2 != 0)
        return 0;
    const auto waiting = m_waiting.constFind(about);
    if (waiting == m_waiting.constEnd())
        return 0;
    const Send s = m_sends.value(*waiting);
    if (r.s9Mhead.isEmpty() &&
        (r.stream != s.stream || (r.function != s.function + 1 && r.function != 0)))
        return 0;
    return s.row;
}

void CommLink::onTraffic(const TrafficRecord& record) {
    if (m_sending && record.direction == Direction::Sent && !record.automatic) {
        // The message the pane is sending: its row shows what the pane's check found.
        TrafficRecord r = record;
        r.verdict = m_sendVerdict;
        m_sent.row = m_traffic.add(std::move(r));
        m_sent.systemBytes = record.systemBytes;
        return;
    }
    m_traffic.add(record, answeredRow(record));
}

void CommLink::onSendFinished(const SendOutcome& o) {
    const auto it = m_sends.find(o.id);
    if (it == m_sends.end())
        return;
    const Send s = *it;
    m_sends.erase(it);
    const auto waiting = m_waiting.find(s.systemBytes);
    if (s.row && waiting != m_waiting.end() && *waiting == o.id)
        m_waiting.erase(waiting);
    const QString key = QString::fromLatin1(s.key);
    if (!s.row) {
        emit report(QStringLiteral("%1을(를) 보내지 못했습니다: %2").arg(key, o.failure), true);
        return;
    }
    if (o.ok && !o.hasReply)
        return; // sent; no reply was asked for
    QString note;
    bool failed = !o.ok;
    if (o.hasReply) {
        const Verdict& v = o.reply.verdict;
        failed = failed || v.isFinding() || !o.reply.s9Mhead.isEmpty();
        note = QStringLiteral("응답 %1: %2")
                   .arg(QString::fromLatin1(o.reply.key()),
                        o.reply.s9Mhead.isEmpty() ? VerdictText(v) : QStringLiteral("S9 받음"));
    } else if (o.failure == QLatin1String("T3")) {
        note = QStringLiteral("응답 없음: T3 %1초가 지났습니다")
                   .arg(m_configuration.settings ? m_configuration.settings->t3 : 0);
    } else {
        note = QStringLiteral("응답 없음: ") + o.failure;
    }
    m_traffic.setNote(s.row, note, failed);
    emit report(key + QStringLiteral(": ") + note, failed);
}

void CommLink::onAlarm(const LinkAlarm& a) {
    emit report(a.name + QStringLiteral(": ") + a.text, true);
}

} // namespace pravik
