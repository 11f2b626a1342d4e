#include "secs/SecsCodec.h"

#include "document/ItemTypes.h"

#include <algorithm>

namespace pravik {

int LengthByteCount(quint32 length) {
    if (length <= 0xFF)
        return 1;
    if (length <= 0xFFFF)
        return 2;
    if (length <= kMaxItemLength)
        return 3;
    return 0;
}

qsizetype EncodeBody(const SecsBody& body, QByteArray& out, std::vector<ByteSpan>* spans) {
    const qsizetype n = static_cast<qsizetype>(body.items.size());
    qint64 size = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const SecsItem& item = body.items[static_cast<size_t>(i)];
        const int lengthBytes = LengthByteCount(item.length);
        if (lengthBytes == 0)
            return i;
        size += 1 + lengthBytes + (item.isList() ? 0 : item.length);
    }
    const qint64 start = out.size();
    out.reserve(start + size);
    if (spans) {
        spans->assign(static_cast<size_t>(n), ByteSpan{});
    }
    // Lists still waiting for items: index and the items they still owe.
    struct Open {
        qsizetype index;
        quint32 owed;
    };
    std::vector<Open> open;
    for (qsizetype i = 0; i < n; ++i) {
        const SecsItem& item = body.items[static_cast<size_t>(i)];
        const int lengthBytes = LengthByteCount(item.length);
        const qint64 begin = out.size();
        out.append(static_cast<char>((item.itemType().formatCode << 2) | lengthBytes));
        for (int b = lengthBytes - 1; b >= 0; --b)
            out.append(static_cast<char>((item.length >> (8 * b)) & 0xFF));
        if (!item.isList())
            out.append(body.dataOf(item));
        if (spans)
            (*spans)[static_cast<size_t>(i)] = {begin, out.size()};
        if (!open.empty())
            --open.back().owed;
        if (item.isList())
            open.push_back({i, item.length});
        // Lists that have all their items end here.
        while (!open.empty() && open.back().owed == 0) {
            if (spans)
                (*spans)[static_cast<size_t>(open.back().index)].end = out.size();
            open.pop_back();
        }
    }
    return -1;
}

std::optional<DecodeError> DecodeBody(QByteArrayView bytes, SecsBody& out) {
    out = SecsBody();
    const qint64 size = bytes.size();
    // Every item takes at least two bytes and the data is part of the bytes:
    // reserving for that spares the copies of growing (pages not reached
    // are never touched).
    out.items.reserve(static_cast<size_t>(std::min<qint64>(size / 2, qint64(1) << 22)));
    out.data.reserve(size);
    qint64 at = 0;
    auto byte = [&](qint64 i) { return static_cast<quint8>(bytes[i]); };
    std::vector<quint32> owed; // items the open lists still wait for
    bool first = true;
    while (at < size) {
        if (!first && owed.empty())
            return DecodeError{at, QStringLiteral("본문이 끝난 뒤에 바이트가 더 있습니다")};
        first = false;
        const qint64 itemStart = at;
        const quint8 format = byte(at++);
        const ItemType* type = ItemTypes::findFormatCode(format >> 2);
        if (!type)
            return DecodeError{
                itemStart,
                QStringLiteral("알 수 없는 형식 코드 %1").arg(format >> 2, 2, 8, QLatin1Char('0'))};
        const int lengthBytes = format & 3;
        if (lengthBytes == 0)
            return DecodeError{itemStart, QStringLiteral("길이 바이트가 없습니다")};
        if (at + lengthBytes > size)
            return DecodeError{at, QStringLiteral("길이가 잘렸습니다")};
        quint32 length = 0;
        for (int b = 0; b < lengthBytes; ++b)
            length = (length << 8) | byte(at++);
        if (!owed.empty())
            --owed.back();
        if (type->isList()) {
            out.addList(length);
            owed.push_back(length);
        } else {
            if (length % static_cast<quint32>(type->elementSize) != 0)
                return DecodeError{itemStart, QStringLiteral("데이터 크기 %1이(가) 요소 크기 %2의 "
                                                             "배수가 아닙니다")
                                                  .arg(length)
                                                  .arg(type->elementSize)};
            if (at + length > size)
                return DecodeError{at, QStringLiteral("데이터가 잘렸습니다")};
            out.addItem(type->index, bytes.sliced(at, length));
            at += length;
        }
        while (!owed.empty() && owed.back() == 0)
            owed.pop_back();
    }
    if (!owed.empty())
        return DecodeError{at, QStringLiteral("목록의 아이템이 모자랍니다")};
    return std::nullopt;
}

} // namespace pravik
