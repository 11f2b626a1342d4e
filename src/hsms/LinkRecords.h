#pragma once

#include "secs/SecsBody.h"

#include <QByteArray>
#include <QDateTime>
#include <QMetaType>
#include <QString>
#include <vector>

namespace pravik {

struct CommonSmlSpans;

// The states of one connection, with the names our users know.
enum class LinkState { NotConnected, NotSelected, Selected };
// "NOT_CONNECTED", "NOT_SELECTED", "SELECTED".
const char* LinkStateName(LinkState state);

// What the check says of one received message. A value: it holds the
// definition node's path and rows, never the node, so that it stays true
// to what it found whatever the user does to the document afterwards.
struct Verdict {
    enum class Kind {
        NotChecked,      // sent by us, a control message, or the check is off
        Conforms,        // the body conforms to its definition
        UnknownDevice,   // S9F1: the device ID is not in the configuration
        UnknownStream,   // S9F3: no definition has the stream
        UnknownFunction, // S9F5: no definition of the stream has the function
        Differs,         // S9F7: the body does not conform to its definition
        IllegalData,     // S9F7: the body is not valid SECS-II
        TooLong,         // S9F11: the body is longer than "Queue"
    };
    Kind kind = Kind::NotChecked;
    QString message; // why, in Korean; empty when it conforms
    // The definition node that differs, as the checker's path shows it
    // ("S6F11 > L 3 Report > U4 1 CEID"), and its rows from the top level
    // down (first the message's row), for a view to find it again.
    QString path;
    std::vector<int> rows;
    qint64 item = -1; // the received item there (index into the body's items), or -1

    bool isFinding() const { return kind != Kind::NotChecked && kind != Kind::Conforms; }
    // The S9 function this finding asks the equipment for (0 for none).
    int s9Function() const;
    // "conforms", "S9F7 ..." as the command line and the log show it.
    QString text() const;
};

enum class Direction { Received, Sent };

// One data message that went over the link, as the traffic list, the log
// and `pravik-cli` show it.
struct TrafficRecord {
    QDateTime time; // UTC
    Direction direction = Direction::Received;
    int stream = 0;
    int function = 0;
    bool wbit = false;
    quint32 systemBytes = 0;
    quint16 deviceId = 0;
    qint64 size = 0;        // body bytes
    QByteArray headerBytes; // the 10 header bytes
    bool decoded = false;   // body holds the items; otherwise raw holds what came
    SecsBody body;
    QByteArray raw; // the body bytes when they were not decoded (empty when dropped)
    Verdict verdict;
    // An S9 message: the MHEAD it carries (the 10 header bytes of the message
    // it refers to); empty otherwise.
    QByteArray s9Mhead;
    bool automatic = false; // sent by the link itself (S9 or automatic reply)

    QByteArray key() const; // "S6F11"
};

// The record's message as common SML (CP949, as the writer makes it), with
// the place of each item when wanted; empty when its body was not SECS-II.
QByteArray RecordSml(const TrafficRecord& record, const char* lineEnd = "\n",
                     CommonSmlSpans* spans = nullptr);

// A timer that expired, or a finding the link reports instead of sending
// an S9 message (Host), or a message it could not send.
struct LinkAlarm {
    QDateTime time;
    QString name; // "T3", "T5", "T6", "T7", "T8", "S9F1" ... "S9F11", "SEND", "LOG", "PROTOCOL"
    QString text; // Korean
    quint32 systemBytes = 0;
};

// How one send ended: the reply (or, for a message without W, nothing),
// or why there is none.
struct SendOutcome {
    quint64 id = 0;
    bool ok = false; // sent, and replied to when a reply was asked for
    bool hasReply = false;
    TrafficRecord reply;    // hasReply: the secondary (or the S9 that came back)
    QString failure;        // !ok: "T3", "S9F7", "연결이 끊겼습니다" ...
    qint64 roundTripUs = 0; // from writing to the reply, in microseconds
};

} // namespace pravik

Q_DECLARE_METATYPE(pravik::LinkState)
Q_DECLARE_METATYPE(pravik::TrafficRecord)
Q_DECLARE_METATYPE(pravik::LinkAlarm)
Q_DECLARE_METATYPE(pravik::SendOutcome)
