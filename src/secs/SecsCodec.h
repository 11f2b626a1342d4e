#pragma once

#include "secs/SecsBody.h"

#include <QString>
#include <optional>
#include <vector>

namespace pravik {

// Where one item lies in the encoded body: from its format byte to the end
// of its data (for a list, to the end of its last descendant).
struct ByteSpan {
    qint64 begin = 0;
    qint64 end = 0;
};

// Appends the SECS-II encoding of body to out: per item a format byte
// (format code << 2 | the number of length bytes, 1 to 3), the length
// big-endian (a list's item count, otherwise the data size), then the data.
// With spans, records each item's span (same order as body.items). Returns
// the index of the first item whose length exceeds three length bytes
// (nothing is appended then), or -1.
qsizetype EncodeBody(const SecsBody& body, QByteArray& out, std::vector<ByteSpan>* spans = nullptr);

// The number of length bytes a length needs (1 to 3; 0 when it needs more).
int LengthByteCount(quint32 length);

struct DecodeError {
    qint64 offset = 0; // of the byte that could not be read
    QString message;
};

// Reads SECS-II bytes back into items. On malformed bytes (unknown format
// code, no length bytes, data cut short, a size that is not a whole number
// of elements, bytes after the body) returns the error; out is then partial.
std::optional<DecodeError> DecodeBody(QByteArrayView bytes, SecsBody& out);

} // namespace pravik
