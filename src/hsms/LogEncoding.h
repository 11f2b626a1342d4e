#pragma once

#include <QByteArray>
#include <QString>

namespace pravik {

// The one place that decides how the link's log encodes its own texts
// (verdicts, events, alarms). The message values themselves are the peer's
// bytes and are written as they came.
inline QByteArray EncodeLogText(const QString& text) {
    return text.toUtf8();
}

} // namespace pravik
