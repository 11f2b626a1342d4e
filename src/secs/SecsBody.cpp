#include "secs/SecsBody.h"

#include "document/ItemTypes.h"

namespace pravik {

const ItemType& SecsItem::itemType() const {
    return ItemTypes::all()[type];
}

quint32 SecsItem::count() const {
    const int size = itemType().elementSize;
    return isList() || size <= 1 ? length : length / static_cast<quint32>(size);
}

void SecsBody::addList(quint32 count) {
    items.push_back({0, count, data.size()});
}

void SecsBody::addItem(int type, QByteArrayView bytes) {
    items.push_back({static_cast<quint8>(type), static_cast<quint32>(bytes.size()), data.size()});
    data.append(bytes);
}

char* SecsBody::addItem(int type, qsizetype size, char fill) {
    const qsizetype at = data.size();
    items.push_back({static_cast<quint8>(type), static_cast<quint32>(size), at});
    data.append(size, fill);
    return data.data() + at;
}

qsizetype SecsBody::subtreeEnd(qsizetype index) const {
    // Items still owed by the lists opened so far.
    qint64 owed = 1;
    qsizetype i = index;
    const qsizetype n = static_cast<qsizetype>(items.size());
    while (owed > 0 && i < n) {
        const SecsItem& item = items[static_cast<size_t>(i)];
        // Signed: an item (or an empty list) settles one owed item.
        owed += (item.isList() ? qint64(item.length) : qint64(0)) - 1;
        ++i;
    }
    return i;
}

bool operator==(const SecsBody& a, const SecsBody& b) {
    if (a.items.size() != b.items.size())
        return false;
    for (size_t i = 0; i < a.items.size(); ++i) {
        const SecsItem& x = a.items[i];
        const SecsItem& y = b.items[i];
        if (x.type != y.type || x.length != y.length)
            return false;
        if (!x.isList() && a.dataOf(x) != b.dataOf(y))
            return false;
    }
    return true;
}

} // namespace pravik
