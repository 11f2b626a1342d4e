#pragma once

#include "document/ItemTypes.h"
#include "secs/CommonSmlReader.h"
#include "secs/CommonSmlWriter.h"
#include "secs/MessagePreview.h"
#include "secs/SecsCodec.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

// Readable QStrings and byte arrays in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
QT_BEGIN_NAMESPACE
inline void PrintTo(const QByteArray& b, std::ostream* os) {
    *os << '"' << b.toStdString() << '"';
}
QT_END_NAMESPACE

namespace pravik::test {

// All messages of a text; fails the test on a reading error.
inline std::vector<CommonSmlMessage> ReadAll(const QByteArray& text) {
    std::vector<CommonSmlMessage> out;
    CommonSmlReader reader(text);
    CommonSmlMessage m;
    while (reader.next(m))
        out.push_back(std::move(m));
    EXPECT_FALSE(reader.error()) << reader.error()->text().toStdString();
    return out;
}

inline CommonSmlMessage ReadOne(const QByteArray& text) {
    std::vector<CommonSmlMessage> all = ReadAll(text);
    EXPECT_EQ(all.size(), 1u) << text.toStdString();
    return all.empty() ? CommonSmlMessage() : std::move(all.front());
}

// The error reading text gives (line 0 when there was none).
inline CommonSmlError ReadError(const QByteArray& text) {
    CommonSmlReader reader(text);
    CommonSmlMessage m;
    while (reader.next(m)) {
    }
    return reader.error().value_or(CommonSmlError{});
}

// The encoded body of a one-message text as hex pairs.
inline QByteArray EncodedHex(const QByteArray& text) {
    QByteArray bytes;
    EXPECT_EQ(EncodeBody(ReadOne(text).body, bytes), -1);
    return HexPairs(bytes);
}

// A random body: nested lists and items of every type with random data,
// at most maxItems items.
inline SecsBody RandomBody(QRandomGenerator& rng, int maxItems) {
    SecsBody body;
    struct Open {
        size_t index;
        quint32 count;
    };
    std::vector<Open> open;
    int budget = maxItems;
    auto addOne = [&](auto& self, int depth) -> void {
        --budget;
        const int type = rng.bounded(ItemTypes::kCount);
        if (type == 0) {
            const quint32 count =
                depth > 6 || budget <= 0 ? 0 : rng.bounded(std::min(budget, 5) + 1);
            const size_t index = body.items.size();
            body.addList(0);
            quint32 made = 0;
            for (; made < count && budget > 0; ++made)
                self(self, depth + 1);
            body.items[index].length = made;
            return;
        }
        const ItemType& t = ItemTypes::all()[static_cast<size_t>(type)];
        QByteArray data(rng.bounded(4) * t.elementSize, '\0');
        if (rng.bounded(8) == 0)
            data = QByteArray(rng.bounded(300) * t.elementSize, '\0');
        for (char& c : data)
            c = static_cast<char>(rng.bounded(256));
        body.addItem(type, data);
    };
    addOne(addOne, 0);
    return body;
}

} // namespace pravik::test
