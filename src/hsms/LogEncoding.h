#pragma once

#include "secs/CommonSmlEncoding.h"

#include <QByteArray>
#include <QString>

namespace pravik {

// The one place that decides how the link's log is encoded: UTF-8, by the
// rule of every common-SML file the program writes. Its own texts
// (verdicts, events, alarms) are UTF-8 at once.
inline QByteArray EncodeLogText(const QString& text) {
    return text.toUtf8();
}

// A message in common SML as the writer makes it (CP949, the wire bytes of
// A values) as the log's bytes; the counts in brackets stay the wire counts,
// so the log imports to the same bytes.
inline QByteArray EncodeLogSml(QByteArrayView cp949) {
    return EncodeSmlFile(cp949, SmlEncoding::Utf8).bytes;
}

} // namespace pravik
