#include "secs/CommonSmlWriter.h"

#include "document/ItemTypes.h"
#include "secs/CommonSmlEncoding.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace pravik {

namespace {

// Indentation grows up to this depth and stays there.
constexpr int kMaxIndentDepth = 32;
// Bytes of a string, and values of other items, on one line.
constexpr qsizetype kTextBytesPerLine = 64;
constexpr quint32 kBinaryValuesPerLine = 16;
constexpr quint32 kNumberValuesPerLine = 8;

template <typename Integer> void AppendNumber(QByteArray& out, Integer value) {
    char digits[24];
    const auto r = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, r.ptr - digits);
}

// A comment's text: escaped only when it holds a "*".
void AppendCommentText(QByteArray& out, const QByteArray& text) {
    if (text.contains('*'))
        out.append(EscapeComment(text));
    else
        out.append(text);
}

void Indent(QByteArray& out, qsizetype depth) {
    out.append(2 * std::min<qsizetype>(depth, kMaxIndentDepth), ' ');
}

template <typename Float> QByteArray ShortestFloat(Float value) {
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    QByteArray text(buffer, result.ptr - buffer);
    // A float should look like one.
    if (!text.contains('.') && !text.contains('e'))
        text += ".0";
    return text;
}

quint64 BigEndian(const char* p, int size) {
    quint64 v = 0;
    for (int i = 0; i < size; ++i)
        v = (v << 8) | static_cast<quint8>(p[i]);
    return v;
}

void AppendHexByte(QByteArray& out, quint8 b) {
    static const char digits[] = "0123456789abcdef";
    out.append("0x");
    out.append(digits[b >> 4]);
    out.append(digits[b & 15]);
}

// One value of a non-text item.
void AppendValue(QByteArray& out, const ItemType& type, const char* p) {
    const int size = type.elementSize;
    switch (type.valueKind) {
    case ItemValueKind::Binary:
        AppendHexByte(out, static_cast<quint8>(*p));
        break;
    case ItemValueKind::Boolean: {
        const auto b = static_cast<quint8>(*p);
        if (b <= 1)
            out.append(b ? 'T' : 'F');
        else
            AppendHexByte(out, b);
        break;
    }
    case ItemValueKind::Unsigned:
        AppendNumber(out, BigEndian(p, size));
        break;
    case ItemValueKind::Signed: {
        const quint64 raw = BigEndian(p, size);
        const int bits = 8 * size;
        // Sign-extend the two's complement value.
        const qint64 v = bits == 64 ? static_cast<qint64>(raw)
                                    : static_cast<qint64>(raw << (64 - bits)) >> (64 - bits);
        AppendNumber(out, v);
        break;
    }
    case ItemValueKind::Float:
        if (size == 4) {
            const quint32 raw = static_cast<quint32>(BigEndian(p, 4));
            float f;
            std::memcpy(&f, &raw, 4);
            out.append(FloatText(f));
        } else {
            const quint64 raw = BigEndian(p, 8);
            double d;
            std::memcpy(&d, &raw, 8);
            out.append(FloatText(d));
        }
        break;
    case ItemValueKind::List:
    case ItemValueKind::Text:
        break;
    }
}

// A string's bytes: runs of printable ASCII and of CP949 characters in
// quotes, other bytes as 0xNN. The quote and the backslash go as bytes too
// (a reader of escapes would take a backslash for one), and so does every
// byte above 0x7F that is no CP949 character: the text then reads back to
// the same bytes from a file in UTF-8 as well as in CP949.
void AppendTextPiece(QByteArray& out, QByteArrayView bytes) {
    bool inQuotes = false;
    bool first = true;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const auto b = static_cast<quint8>(bytes[i]);
        const bool pair =
            b >= 0x80 && i + 1 < n && IsCp949Pair(b, static_cast<quint8>(bytes[i + 1]));
        const bool quotable = (b >= 0x20 && b < 0x7F && b != '"' && b != '\\') || pair;
        if (quotable) {
            if (!inQuotes) {
                if (!first)
                    out.append(' ');
                out.append('"');
                inQuotes = true;
            }
            out.append(bytes[i]);
            if (pair)
                out.append(bytes[++i]);
        } else {
            if (inQuotes) {
                out.append('"');
                inQuotes = false;
            }
            if (!first)
                out.append(' ');
            AppendHexByte(out, b);
        }
        first = false;
    }
    if (inQuotes)
        out.append('"');
}

// Where a line of text may end: at most kTextBytesPerLine bytes on, never
// between the two bytes of a double-byte character.
qsizetype TextChunkEnd(QByteArrayView bytes, qsizetype from) {
    qsizetype i = from;
    const qsizetype limit = std::min(bytes.size(), from + kTextBytesPerLine);
    while (i < limit) {
        const auto b = static_cast<quint8>(bytes[i]);
        const qsizetype width = (b >= 0x81 && i + 1 < bytes.size()) ? 2 : 1;
        if (i + width > limit && i > from)
            break;
        i += width;
    }
    return i;
}

void AppendNotes(QByteArray& out, const SmlNote* note) {
    if (!note)
        return;
    if (note->variable)
        out.append(" /*n*/");
    if (note->messageType >= 0 && note->messageType < 3)
        out.append(" /*").append("PSN"[note->messageType]).append("*/");
    if (!note->text.isEmpty()) {
        out.append(" /*=");
        AppendCommentText(out, note->text);
        out.append("*/");
    }
    if (!note->description.isEmpty()) {
        out.append(" /* ");
        AppendCommentText(out, note->description);
        out.append(" */");
    }
}

// The values of a non-list item: on its own line when short, otherwise
// wrapped onto lines of their own below it. Returns true when wrapped.
bool AppendValues(QByteArray& out, const SecsBody& body, const SecsItem& item, qsizetype depth,
                  const char* lineEnd) {
    const ItemType& type = item.itemType();
    const QByteArrayView data = body.dataOf(item);
    if (type.valueKind == ItemValueKind::Text) {
        if (data.size() <= kTextBytesPerLine) {
            if (!data.isEmpty()) {
                out.append(' ');
                AppendTextPiece(out, data);
            }
            return false;
        }
        for (qsizetype at = 0; at < data.size();) {
            const qsizetype end = TextChunkEnd(data, at);
            out.append(lineEnd);
            Indent(out, depth + 1);
            AppendTextPiece(out, data.sliced(at, end - at));
            at = end;
        }
        return true;
    }
    const quint32 count = item.count();
    const quint32 perLine = type.elementSize <= 1 ? kBinaryValuesPerLine : kNumberValuesPerLine;
    const bool wrap = count > perLine;
    for (quint32 i = 0; i < count; ++i) {
        if (wrap && i % perLine == 0) {
            out.append(lineEnd);
            Indent(out, depth + 1);
        } else {
            out.append(' ');
        }
        AppendValue(out, type, data.data() + qsizetype(i) * type.elementSize);
    }
    return wrap;
}

} // namespace

QByteArray FloatText(double value) {
    return ShortestFloat(value);
}

QByteArray FloatText(float value) {
    return ShortestFloat(value);
}

QByteArray EscapeComment(QByteArrayView text) {
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        out.append(text[i]);
        if (text[i] != '*')
            continue;
        qsizetype j = i + 1;
        while (j < text.size() && text[j] == '\\')
            ++j;
        if (j < text.size() && text[j] == '/')
            out.append('\\');
    }
    return out;
}

QByteArray UnescapeComment(QByteArrayView text) {
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        out.append(text[i]);
        if (text[i] != '*' || i + 1 >= text.size() || text[i + 1] != '\\')
            continue;
        qsizetype j = i + 1;
        while (j < text.size() && text[j] == '\\')
            ++j;
        if (j < text.size() && text[j] == '/')
            ++i; // drop the one backslash the writer added
    }
    return out;
}

void WriteCommonSml(const CommonSmlMessage& message, QByteArray& out, const char* lineEnd,
                    CommonSmlSpans* spans) {
    const SecsBody& body = message.body;
    if (spans)
        spans->items.assign(body.items.size(), ByteSpan{});

    const qint64 headerBegin = out.size();
    out.append('S');
    AppendNumber(out, message.stream);
    out.append('F');
    AppendNumber(out, message.function);
    if (message.replyExpected)
        out.append(" W");
    // Notes go by ascending item: one walk through them.
    auto note = message.notes.begin();
    auto noteOf = [&](qsizetype item) -> const SmlNote* {
        while (note != message.notes.end() && note->item < item)
            ++note;
        return note != message.notes.end() && note->item == item ? &*note : nullptr;
    };
    AppendNotes(out, noteOf(-1));
    if (spans)
        spans->header = {headerBegin, out.size()};
    out.append(lineEnd);

    // Lists still waiting for items: index and the items they still owe.
    struct Open {
        qsizetype index;
        quint32 owed;
    };
    std::vector<Open> open;
    // The last line ended with a ">" and nothing after it: "." may follow.
    bool plainClose = false;
    auto closeLine = [&] { out.append(lineEnd); };
    const qsizetype n = static_cast<qsizetype>(body.items.size());
    for (qsizetype i = 0; i < n; ++i) {
        const SecsItem& item = body.items[static_cast<size_t>(i)];
        const qsizetype depth = static_cast<qsizetype>(open.size());
        const SmlNote* itemNote = noteOf(i);
        Indent(out, depth);
        const qint64 begin = out.size();
        out.append('<').append(item.itemType().smlName);
        out.append(" [");
        AppendNumber(out, item.count());
        out.append(']');
        if (!open.empty())
            --open.back().owed;
        if (item.isList()) {
            AppendNotes(out, itemNote);
            if (item.length > 0) {
                if (spans)
                    spans->items[static_cast<size_t>(i)] = {begin, begin};
                closeLine();
                open.push_back({i, item.length});
                continue;
            }
            if (itemNote && !itemNote->isEmpty()) {
                closeLine();
                Indent(out, depth);
            }
            out.append('>');
            plainClose = true;
            if (spans)
                spans->items[static_cast<size_t>(i)] = {begin, out.size()};
        } else {
            if (AppendValues(out, body, item, depth, lineEnd)) {
                closeLine();
                Indent(out, depth);
            }
            out.append('>');
            if (spans)
                spans->items[static_cast<size_t>(i)] = {begin, out.size()};
            plainClose = !itemNote || itemNote->isEmpty();
            AppendNotes(out, itemNote);
        }
        // Lists that have all their items close here.
        while (!open.empty() && open.back().owed == 0) {
            closeLine();
            const Open done = open.back();
            open.pop_back();
            Indent(out, static_cast<qsizetype>(open.size()));
            out.append('>');
            plainClose = true;
            if (spans)
                spans->items[static_cast<size_t>(done.index)].end = out.size();
        }
        if (open.empty())
            break;
        closeLine();
    }
    // A list whose items are missing (a malformed body) still closes.
    while (!open.empty()) {
        closeLine();
        open.pop_back();
        Indent(out, static_cast<qsizetype>(open.size()));
        out.append('>');
        plainClose = true;
    }
    if (n > 0 && !plainClose)
        closeLine();
    out.append('.').append(lineEnd);
}

} // namespace pravik
