#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>
#include <vector>

namespace pravik {

struct ItemType;

// The largest length one item can carry: three length bytes.
inline constexpr quint32 kMaxItemLength = 0xFFFFFF;

// One item of a message body. Lists hold the number of items that follow
// as their children; the others hold their data bytes exactly as they go on
// the wire (numbers big-endian), in the body's shared buffer.
struct SecsItem {
    quint8 type = 0;    // index into ItemTypes
    quint32 length = 0; // a list's item count, or the data size in bytes
    qint64 offset = 0;  // where the data starts in SecsBody::data
    const ItemType& itemType() const;
    bool isList() const { return type == 0; }
    // Elements of an item (bytes / element size); a list's item count.
    quint32 count() const;
};

// A message body: its items in pre-order (a list before its children), or
// none for a message that is a header only. Flat, so that nothing that
// walks it recurses, however deep the nesting.
class SecsBody {
public:
    std::vector<SecsItem> items;
    QByteArray data;

    bool isEmpty() const { return items.empty(); }
    QByteArrayView dataOf(const SecsItem& item) const {
        return QByteArrayView(data).sliced(item.offset, item.length);
    }

    // Appends a list that will hold count items (appended after it).
    void addList(quint32 count);
    // Appends an item of type (an ItemTypes index, not the list) with data.
    void addItem(int type, QByteArrayView bytes);
    // The same with size bytes of fill; returns where its data starts.
    char* addItem(int type, qsizetype size, char fill);

    // The index just after the subtree of the item at index. Linear in the
    // subtree, with a counter instead of recursion.
    qsizetype subtreeEnd(qsizetype index) const;

    // Same items, same data bytes (offsets may differ).
    friend bool operator==(const SecsBody& a, const SecsBody& b);
};

} // namespace pravik
