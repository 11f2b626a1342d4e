#include "app/TrafficText.h"

#include "hsms/LinkLog.h"
#include "secs/CommonSmlWriter.h"
#include "secs/SecsCodec.h"

#include <QtEndian>

namespace pravik {

QString TrafficTimeText(const QDateTime& time) {
    return time.toLocalTime().toString(QStringLiteral("HH:mm:ss.zzz"));
}

QString DirectionText(Direction direction) {
    return direction == Direction::Sent ? QStringLiteral("보냄") : QStringLiteral("받음");
}

QString SystemBytesText(quint32 systemBytes) {
    return QStringLiteral("0x%1").arg(systemBytes, 8, 16, QLatin1Char('0'));
}

QString MheadText(const QByteArray& mhead) {
    if (mhead.size() < 10)
        return QString();
    const auto* b = reinterpret_cast<const uchar*>(mhead.constData());
    return QStringLiteral("S%1F%2%3, 시스템 바이트 %4")
        .arg(b[2] & 0x7F)
        .arg(b[3])
        .arg((b[2] & 0x80) ? QStringLiteral(" W") : QString())
        .arg(SystemBytesText(qFromBigEndian<quint32>(b + 6)));
}

QString VerdictText(const Verdict& v) {
    switch (v.kind) {
    case Verdict::Kind::NotChecked:
        return QStringLiteral("확인 안 함");
    case Verdict::Kind::Conforms:
        return QStringLiteral("정의와 일치");
    default:
        break;
    }
    QString text = QStringLiteral("S9F%1: %2").arg(v.s9Function()).arg(v.message);
    if (!v.path.isEmpty())
        text += QStringLiteral(" [") + v.path + QLatin1Char(']');
    return text;
}

QString VerdictColumnText(const TrafficModel::Row& row) {
    const TrafficRecord& r = row.record;
    QString text;
    if (!r.s9Mhead.isEmpty()) {
        text = QStringLiteral("S9F%1 %2: %3")
                   .arg(r.function)
                   .arg(r.direction == Direction::Sent ? QStringLiteral("보냄")
                                                       : QStringLiteral("받음"))
                   .arg(MheadText(r.s9Mhead));
    } else if (r.direction == Direction::Sent && r.automatic) {
        text = QStringLiteral("자동 응답");
    } else if (r.direction == Direction::Sent && r.verdict.kind == Verdict::Kind::Differs) {
        // A message the user edited past its definition, sent as it was.
        text = QStringLiteral("정의와 다름: ") + r.verdict.message;
        if (!r.verdict.path.isEmpty())
            text += QStringLiteral(" [") + r.verdict.path + QLatin1Char(']');
    } else if (r.direction == Direction::Sent) {
        text = r.verdict.kind == Verdict::Kind::Conforms ? VerdictText(r.verdict) : QString();
    } else {
        text = VerdictText(r.verdict);
    }
    if (!row.note.isEmpty())
        text = text.isEmpty() ? row.note : text + QStringLiteral(" / ") + row.note;
    return text;
}

QByteArray RecordBody(const TrafficRecord& r, std::vector<ByteSpan>* spans) {
    if (!r.decoded)
        return r.raw;
    QByteArray out;
    if (EncodeBody(r.body, out, spans) >= 0)
        return QByteArray(); // it went over the wire, so it encodes; never here
    return out;
}

QByteArray TrafficFileText(const std::vector<const TrafficModel::Row*>& rows) {
    QByteArray text;
    for (const TrafficModel::Row* row : rows) {
        if (!row->bodyReleased) {
            text += LogMessageText(row->record, LogStamp(row->record.time));
            continue;
        }
        // Only its comment line: the body is in the link's log alone.
        TrafficRecord header = row->record;
        header.decoded = false;
        text += LogMessageText(header, LogStamp(header.time))
                    .replace("// body not written as SML: ",
                             "// body not kept by the list; see the link's log");
    }
    return text;
}

} // namespace pravik
