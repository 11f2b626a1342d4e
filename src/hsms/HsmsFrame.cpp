#include "hsms/HsmsFrame.h"

#include <QtEndian>

namespace pravik {

QByteArray HsmsHeader::bytes() const {
    QByteArray out(kHsmsHeaderSize, '\0');
    uchar* p = reinterpret_cast<uchar*>(out.data());
    qToBigEndian<quint16>(sessionId, p);
    // Control messages use byte 2 whole (a status or a reason).
    p[2] = isData() ? static_cast<uchar>((wbit ? 0x80 : 0) | (stream & 0x7F)) : stream;
    p[3] = function;
    p[4] = pType;
    p[5] = sType;
    qToBigEndian<quint32>(systemBytes, p + 6);
    return out;
}

HsmsHeader HsmsHeader::FromBytes(QByteArrayView tenBytes) {
    const uchar* p = reinterpret_cast<const uchar*>(tenBytes.data());
    HsmsHeader h;
    h.sessionId = qFromBigEndian<quint16>(p);
    h.wbit = (p[2] & 0x80) != 0;
    h.stream = p[2] & 0x7F;
    h.function = p[3];
    h.pType = p[4];
    h.sType = p[5];
    h.systemBytes = qFromBigEndian<quint32>(p + 6);
    if (h.sType != 0) {
        // Control messages use byte 2 whole (a status or a reason).
        h.wbit = false;
        h.stream = p[2];
    }
    return h;
}

HsmsHeader HsmsHeader::Control(SType type, quint32 systemBytes, quint8 byte2, quint8 byte3) {
    HsmsHeader h;
    h.sessionId = 0xFFFF;
    h.sType = static_cast<quint8>(type);
    h.systemBytes = systemBytes;
    h.stream = byte2;
    h.function = byte3;
    return h;
}

QByteArray EncodeFrame(const HsmsHeader& header, QByteArrayView body) {
    QByteArray out;
    out.reserve(kHsmsLengthSize + kHsmsHeaderSize + body.size());
    out.resize(kHsmsLengthSize);
    qToBigEndian<quint32>(static_cast<quint32>(kHsmsHeaderSize + body.size()),
                          reinterpret_cast<uchar*>(out.data()));
    out += header.bytes();
    out += body;
    return out;
}

const char* STypeName(quint8 sType) {
    switch (static_cast<SType>(sType)) {
    case SType::Data:
        return "data";
    case SType::SelectReq:
        return "select.req";
    case SType::SelectRsp:
        return "select.rsp";
    case SType::DeselectReq:
        return "deselect.req";
    case SType::DeselectRsp:
        return "deselect.rsp";
    case SType::LinktestReq:
        return "linktest.req";
    case SType::LinktestRsp:
        return "linktest.rsp";
    case SType::RejectReq:
        return "reject.req";
    case SType::SeparateReq:
        return "separate.req";
    }
    return "unknown";
}

} // namespace pravik
