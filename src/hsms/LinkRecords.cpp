#include "hsms/LinkRecords.h"

#include "secs/CommonSmlWriter.h"

namespace pravik {

const char* LinkStateName(LinkState state) {
    switch (state) {
    case LinkState::NotConnected:
        return "NOT_CONNECTED";
    case LinkState::NotSelected:
        return "NOT_SELECTED";
    case LinkState::Selected:
        return "SELECTED";
    }
    return "NOT_CONNECTED";
}

int Verdict::s9Function() const {
    switch (kind) {
    case Kind::UnknownDevice:
        return 1;
    case Kind::UnknownStream:
        return 3;
    case Kind::UnknownFunction:
        return 5;
    case Kind::Differs:
    case Kind::IllegalData:
        return 7;
    case Kind::TooLong:
        return 11;
    case Kind::NotChecked:
    case Kind::Conforms:
        break;
    }
    return 0;
}

QString Verdict::text() const {
    switch (kind) {
    case Kind::NotChecked:
        return QStringLiteral("not checked");
    case Kind::Conforms:
        return QStringLiteral("conforms");
    default:
        break;
    }
    QString t = QStringLiteral("S9F%1 %2").arg(s9Function()).arg(message);
    if (!path.isEmpty())
        t += QStringLiteral(" [") + path + QLatin1Char(']');
    return t;
}

QByteArray TrafficRecord::key() const {
    return "S" + QByteArray::number(stream) + "F" + QByteArray::number(function);
}

QByteArray RecordSml(const TrafficRecord& r, const char* lineEnd, CommonSmlSpans* spans) {
    QByteArray out;
    if (!r.decoded)
        return out;
    CommonSmlMessage m;
    m.stream = r.stream;
    m.function = r.function;
    m.replyExpected = r.wbit;
    m.body = r.body;
    WriteCommonSml(m, out, lineEnd, spans);
    return out;
}

} // namespace pravik
