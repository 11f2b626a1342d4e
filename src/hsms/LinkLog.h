#pragma once

#include "hsms/LinkRecords.h"
#include "hsms/LinkSettings.h"

#include <QObject>
#include <QTimer>
#include <functional>

namespace pravik {

// The traffic log the configuration's [Log] section asks for: one file per
// day (or hour) in "Dir" (or beside the configuration), named Prefix +
// date (+ hour) + "." + Extension. Messages ("SECS-II") are written in
// common SML, so that `pravik-cli import` reads a log back into
// definitions; everything else (time, direction, device ID, system bytes,
// the verdict, "Hex" frames, "Event" state changes, "Alarm" timeouts and
// S9 findings) goes into // comment lines, which the reader skips.
//
// Writes are gathered and appended once per turn of the event loop. A log
// that cannot be written is reported once (failed) and dropped from then
// on; the link goes on.
class LinkLog : public QObject {
    Q_OBJECT
public:
    LinkLog(const LinkSettings& settings, const TimerSource& timers, QObject* parent = nullptr);
    ~LinkLog() override;

    bool enabled() const { return m_hex || m_secs || m_event || m_alarm; }
    bool hexEnabled() const { return m_hex; }
    // Removes the files of this log older than "Keep Days" (by their date in
    // the name). Returns how many were removed.
    int removeOldFiles();

    void message(const TrafficRecord& record);
    void frame(Direction direction, QByteArrayView bytes);
    void logEvent(const QString& text);
    void alarm(const LinkAlarm& alarm);
    void flush();

    // The file written at time t.
    QString pathAt(const QDateTime& t) const;

signals:
    void failed(const QString& message);

private:
    void append(const QByteArray& text);
    QByteArray stamp() const;

    QString m_folder;
    QByteArray m_prefix;
    QByteArray m_extension;
    bool m_hex, m_secs, m_event, m_alarm;
    int m_keepDays;
    bool m_everyHour;
    const TimerSource& m_timers;
    QByteArray m_pending;
    QString m_pendingPath;
    bool m_broken = false;
    QTimer m_flushTimer;
};

// One message as the "SECS-II" log writes it: a // comment line with the
// time (stamp), direction, key, W, device ID, system bytes, size and
// verdict, then the message in common SML (UTF-8), or a comment with the
// bytes of a body that is not SECS-II. What the traffic list saves too.
QByteArray LogMessageText(const TrafficRecord& record, const QByteArray& stamp);
// "2024-05-01 13:02:03.456" in local time, as the log stamps its lines.
QByteArray LogStamp(const QDateTime& time);

} // namespace pravik
