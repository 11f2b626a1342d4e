#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

namespace pravik {

// HSMS message types (SType of the header); PType 0 is SECS-II.
enum class SType : quint8 {
    Data = 0,
    SelectReq = 1,
    SelectRsp = 2,
    DeselectReq = 3,
    DeselectRsp = 4,
    LinktestReq = 5,
    LinktestRsp = 6,
    RejectReq = 7,
    SeparateReq = 9,
};

// The 10 header bytes of an HSMS message.
struct HsmsHeader {
    quint16 sessionId = 0; // the device ID for data messages; 0xFFFF for control
    bool wbit = false;     // a reply is expected (data messages)
    quint8 stream = 0;     // byte 2 without the W bit (for control: status byte 2)
    quint8 function = 0;   // byte 3 (for control: status / reason byte 3)
    quint8 pType = 0;
    quint8 sType = 0;
    quint32 systemBytes = 0;

    bool isData() const { return sType == 0; }
    QByteArray bytes() const; // the 10 bytes on the wire
    static HsmsHeader FromBytes(QByteArrayView tenBytes);

    static HsmsHeader Control(SType type, quint32 systemBytes, quint8 byte2 = 0, quint8 byte3 = 0);
};

inline constexpr int kHsmsHeaderSize = 10;
inline constexpr int kHsmsLengthSize = 4;

// A frame: the length (header + body), the header, the body.
QByteArray EncodeFrame(const HsmsHeader& header, QByteArrayView body = {});

// Control names as logs and events show them ("select.req").
const char* STypeName(quint8 sType);

} // namespace pravik
