#pragma once

#include "hsms/HsmsFrame.h"

#include <QByteArray>
#include <QByteArrayView>

namespace pravik {

// Takes the bytes of a connection in any pieces (one at a time included)
// and gives back whole frames. A body is held only when its length is
// within maxBody; a longer one is reported as soon as its header is in and
// its bytes are then read and dropped, so the memory one connection takes
// is bounded by maxBody whatever the length fields say. A length below the
// header's 10 bytes cannot be framed: the decoder stops.
class FrameDecoder {
public:
    explicit FrameDecoder(quint32 maxBody) : m_maxBody(maxBody) {}

    enum class Kind {
        None,      // more bytes are needed
        Frame,     // header and body
        TooLong,   // header only; the body (length - 10 bytes) is being dropped
        BadLength, // a length of 0 to 9; nothing more is decoded
    };
    struct Event {
        Kind kind = Kind::None;
        HsmsHeader header;
        QByteArray headerBytes; // the 10 bytes as received
        QByteArray body;        // Frame only
        quint32 length = 0;     // the frame's length field
    };

    // Consumes bytes from data up to the end of the next event (or all of
    // them) and returns how many; event tells what completed.
    qsizetype feed(QByteArrayView data, Event& event);

    // Some bytes of a frame are in and the rest is awaited (T8 runs).
    bool midFrame() const { return m_stage != Stage::Length || m_have > 0; }
    bool failed() const { return m_stage == Stage::Failed; }
    void reset();

private:
    enum class Stage { Length, Header, Body, Discard, Failed };

    quint32 m_maxBody;
    Stage m_stage = Stage::Length;
    int m_have = 0; // bytes of the length or header stage so far
    uchar m_length[4] = {};
    quint32 m_frameLength = 0;
    QByteArray m_header;
    QByteArray m_body;
    quint64 m_discardLeft = 0;
};

} // namespace pravik
