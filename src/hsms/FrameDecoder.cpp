#include "hsms/FrameDecoder.h"

#include <QtEndian>
#include <algorithm>

namespace pravik {

void FrameDecoder::reset() {
    m_stage = Stage::Length;
    m_have = 0;
    m_frameLength = 0;
    m_header.clear();
    m_body = QByteArray();
    m_discardLeft = 0;
}

qsizetype FrameDecoder::feed(QByteArrayView data, Event& event) {
    event = Event();
    qsizetype at = 0;
    const qsizetype size = data.size();
    while (at < size) {
        switch (m_stage) {
        case Stage::Failed:
            return at;
        case Stage::Length: {
            const int take = static_cast<int>(std::min<qsizetype>(4 - m_have, size - at));
            std::copy_n(reinterpret_cast<const uchar*>(data.data()) + at, take, m_length + m_have);
            m_have += take;
            at += take;
            if (m_have < 4)
                break;
            m_frameLength = qFromBigEndian<quint32>(m_length);
            m_have = 0;
            if (m_frameLength < kHsmsHeaderSize) {
                m_stage = Stage::Failed;
                event.kind = Kind::BadLength;
                event.length = m_frameLength;
                return at;
            }
            m_header.clear();
            m_header.reserve(kHsmsHeaderSize);
            m_stage = Stage::Header;
            break;
        }
        case Stage::Header: {
            const qsizetype take =
                std::min<qsizetype>(kHsmsHeaderSize - m_header.size(), size - at);
            m_header.append(data.sliced(at, take));
            at += take;
            if (m_header.size() < kHsmsHeaderSize)
                break;
            const quint32 bodyLength = m_frameLength - kHsmsHeaderSize;
            event.header = HsmsHeader::FromBytes(m_header);
            event.headerBytes = m_header;
            event.length = m_frameLength;
            if (bodyLength > m_maxBody) {
                event.kind = Kind::TooLong;
                m_discardLeft = bodyLength;
                m_stage = m_discardLeft ? Stage::Discard : Stage::Length;
                return at;
            }
            if (bodyLength == 0) {
                event.kind = Kind::Frame;
                m_stage = Stage::Length;
                return at;
            }
            // Checked against the limit above, so this is bounded.
            m_body = QByteArray();
            m_body.reserve(bodyLength);
            m_stage = Stage::Body;
            break;
        }
        case Stage::Body: {
            const qsizetype want = qsizetype(m_frameLength - kHsmsHeaderSize) - m_body.size();
            const qsizetype take = std::min(want, size - at);
            m_body.append(data.sliced(at, take));
            at += take;
            if (take < want)
                break;
            event.kind = Kind::Frame;
            event.header = HsmsHeader::FromBytes(m_header);
            event.headerBytes = m_header;
            event.body = std::move(m_body);
            event.length = m_frameLength;
            m_body = QByteArray();
            m_stage = Stage::Length;
            return at;
        }
        case Stage::Discard: {
            const qsizetype take =
                static_cast<qsizetype>(std::min<quint64>(m_discardLeft, quint64(size - at)));
            m_discardLeft -= static_cast<quint64>(take);
            at += take;
            if (m_discardLeft == 0)
                m_stage = Stage::Length;
            break;
        }
        }
    }
    return at;
}

} // namespace pravik
