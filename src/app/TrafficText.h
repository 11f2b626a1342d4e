#pragma once

#include "app/TrafficModel.h"
#include "secs/SecsCodec.h"

#include <QByteArray>
#include <QString>

namespace pravik {

// The texts of the traffic list and of the message it shows, made from the
// records on demand.

// "13:02:03.456", local time.
QString TrafficTimeText(const QDateTime& time);
// "받음", "보냄".
QString DirectionText(Direction direction);
// "0x0000002a".
QString SystemBytesText(quint32 systemBytes);
// What an MHEAD (the 10 header bytes an S9 message carries) names:
// "S6F11 W, 시스템 바이트 0x0000002a".
QString MheadText(const QByteArray& mhead);
// The verdict column: conforms, the first difference with its definition
// path, an S9 sent or received, and for a message sent from the pane how its
// transaction ended.
QString VerdictColumnText(const TrafficModel::Row& row);
// What the check says of a received message, alone.
QString VerdictText(const Verdict& verdict);

// The body's SECS-II bytes (as received when they could not be decoded),
// with each item's span when wanted.
QByteArray RecordBody(const TrafficRecord& record, std::vector<ByteSpan>* spans = nullptr);

// The rows as one common-SML file in UTF-8: each message as the link's log
// writes it (a comment line with time, direction, device ID, system bytes
// and verdict, then the message), so that pravik-cli import and File >
// 공통 SML 가져오기 read it.
QByteArray TrafficFileText(const std::vector<const TrafficModel::Row*>& rows);

} // namespace pravik
