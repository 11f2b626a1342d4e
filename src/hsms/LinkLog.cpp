#include "hsms/LinkLog.h"

#include "hsms/LogEncoding.h"
#include "platform/AnsiText.h"
#include "platform/FileSystem.h"
#include "platform/PlatformError.h"
#include "secs/CommonSmlWriter.h"
#include "secs/MessagePreview.h"

#include <QDir>
#include <QFileInfo>

namespace pravik {

namespace {

constexpr const char* kLineEnd = "\r\n";
constexpr qsizetype kFlushAt = 1 << 20;
// Bytes of a body that is not SECS-II shown in the log.
constexpr qsizetype kRawShown = 1024;

// A comment line: line breaks in the text would end it early.
QByteArray Comment(QByteArray text) {
    text.replace('\r', ' ').replace('\n', ' ');
    return "// " + text + kLineEnd;
}

QByteArray SystemBytesText(quint32 s) {
    return "0x" + QByteArray::number(s, 16).rightJustified(8, '0');
}

} // namespace

LinkLog::LinkLog(const LinkSettings& settings, const TimerSource& timers, QObject* parent)
    : QObject(parent), m_folder(settings.logFolder), m_prefix(settings.logPrefix),
      m_extension(settings.logExtension), m_hex(settings.hexLog), m_secs(settings.secsLog),
      m_event(settings.eventLog), m_alarm(settings.alarmLog), m_keepDays(settings.keepDays),
      m_everyHour(settings.everyHour), m_timers(timers) {
    m_flushTimer.setSingleShot(true);
    m_flushTimer.setInterval(0);
    connect(&m_flushTimer, &QTimer::timeout, this, &LinkLog::flush);
}

LinkLog::~LinkLog() {
    flush();
}

QString LinkLog::pathAt(const QDateTime& t) const {
    const QString stamp =
        t.toString(m_everyHour ? QStringLiteral("yyyyMMddHH") : QStringLiteral("yyyyMMdd"));
    QString name = AnsiText::Decode(m_prefix) + stamp;
    if (!m_extension.isEmpty())
        name += QLatin1Char('.') + AnsiText::Decode(m_extension);
    return QDir(m_folder).filePath(name);
}

int LinkLog::removeOldFiles() {
    if (!enabled() || m_keepDays <= 0)
        return 0;
    const QString prefix = AnsiText::Decode(m_prefix);
    const QString suffix =
        m_extension.isEmpty() ? QString() : QLatin1Char('.') + AnsiText::Decode(m_extension);
    const QDate oldest = m_timers.now().toLocalTime().date().addDays(-m_keepDays);
    int removed = 0;
    const QStringList names = QDir(m_folder).entryList(QDir::Files);
    for (const QString& name : names) {
        // Only names this log makes: the prefix, 8 or 10 digits, the extension.
        if (!name.startsWith(prefix) || !name.endsWith(suffix))
            continue;
        const QString stamp = name.mid(prefix.size(), name.size() - prefix.size() - suffix.size());
        if (stamp.size() != 8 && stamp.size() != 10)
            continue;
        const QDate date = QDate::fromString(stamp.left(8), QStringLiteral("yyyyMMdd"));
        if (!date.isValid() || date >= oldest)
            continue;
        if (QFile::remove(QDir(m_folder).filePath(name)))
            ++removed;
    }
    return removed;
}

QByteArray LinkLog::stamp() const {
    return LogStamp(m_timers.now());
}

void LinkLog::append(const QByteArray& text) {
    if (m_broken)
        return;
    const QString path = pathAt(m_timers.now());
    if (path != m_pendingPath) {
        flush();
        m_pendingPath = path;
    }
    m_pending += text;
    if (m_pending.size() >= kFlushAt)
        flush();
    else if (!m_flushTimer.isActive())
        m_flushTimer.start();
}

void LinkLog::flush() {
    if (m_pending.isEmpty() || m_broken)
        return;
    try {
        FileSystem::AppendToFile(m_pendingPath, m_pending, kUnableToWriteTo);
    } catch (const PlatformError& e) {
        m_broken = true;
        emit failed(e.message());
    }
    m_pending.clear();
}

QByteArray LogMessageText(const TrafficRecord& r, const QByteArray& stamp) {
    QByteArray text =
        Comment(stamp + (r.direction == Direction::Sent ? " SEND " : " RECV ") + r.key() +
                (r.wbit ? " W" : "") + " device=" + QByteArray::number(r.deviceId) + " system=" +
                SystemBytesText(r.systemBytes) + " size=" + QByteArray::number(r.size) +
                (r.automatic ? " auto" : "") + " verdict: " + EncodeLogText(r.verdict.text()));
    if (r.decoded) {
        text += EncodeLogSml(RecordSml(r, kLineEnd));
    } else {
        // Not SECS-II, or dropped for its length: no message to read back.
        text += Comment("body not written as SML: " +
                        HexPairs(QByteArrayView(r.raw).first(qMin(r.raw.size(), kRawShown))) +
                        (r.raw.size() > kRawShown ? " ..." : ""));
    }
    return text;
}

QByteArray LogStamp(const QDateTime& t) {
    return t.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")).toLatin1();
}

void LinkLog::message(const TrafficRecord& r) {
    if (m_secs)
        append(LogMessageText(r, stamp()));
}

void LinkLog::frame(Direction direction, QByteArrayView bytes) {
    if (!m_hex)
        return;
    QByteArray text =
        Comment(stamp() + (direction == Direction::Sent ? " HEX SEND " : " HEX RECV ") +
                QByteArray::number(bytes.size()) + " bytes");
    for (qint64 line = 0; line * kHexBytesPerLine < bytes.size(); ++line)
        text += Comment(HexDumpLine(bytes, line));
    append(text);
}

void LinkLog::logEvent(const QString& t) {
    if (m_event)
        append(Comment(stamp() + " EVENT " + EncodeLogText(t)));
}

void LinkLog::alarm(const LinkAlarm& a) {
    if (m_alarm)
        append(Comment(stamp() + " ALARM " + EncodeLogText(a.name) + " " + EncodeLogText(a.text)));
}

} // namespace pravik
