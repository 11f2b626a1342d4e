#include "secs/MessagePreview.h"

#include "document/NodeHeader.h"
#include "document/SmlNode.h"
#include "secs/CommonSmlWriter.h"

namespace pravik {

namespace {
const char kHexDigits[] = "0123456789abcdef";
} // namespace

MessagePreview PreviewMessage(const SmlNode& message, int variableCount) {
    MessagePreview preview;
    ExampleOptions options;
    options.variableCount = std::clamp(variableCount, 0, kMaxVariableCount);
    Example example = BuildExample(message, options);
    if (!example.problems.empty()) {
        preview.key = NodeHeader::Read(message).head.toByteArray();
        preview.problems = std::move(example.problems);
        return preview;
    }
    const CommonSmlMessage& m = example.message;
    preview.key = "S" + QByteArray::number(m.stream) + "F" + QByteArray::number(m.function);
    CommonSmlSpans textSpans;
    WriteCommonSml(m, preview.sml, "\n", &textSpans);
    std::vector<ByteSpan> byteSpans;
    // The example's lengths were checked against the three-byte limit.
    EncodeBody(m.body, preview.body, &byteSpans);
    preview.header = textSpans.header;
    preview.spans.reserve(example.sources.size());
    for (size_t i = 0; i < example.sources.size(); ++i)
        preview.spans.push_back({example.sources[i], textSpans.items[i], byteSpans[i]});
    return preview;
}

QByteArray HexDumpLine(QByteArrayView bytes, qint64 line) {
    const qint64 offset = line * kHexBytesPerLine;
    const qint64 count = std::min<qint64>(kHexBytesPerLine, bytes.size() - offset);
    QByteArray out(HexTextColumn(0) + kHexBytesPerLine, ' ');
    for (int d = 0; d < 8; ++d)
        out[d] = kHexDigits[(offset >> (4 * (7 - d))) & 15];
    for (int i = 0; i < count; ++i) {
        const auto b = static_cast<quint8>(bytes[offset + i]);
        out[HexColumn(i)] = kHexDigits[b >> 4];
        out[HexColumn(i) + 1] = kHexDigits[b & 15];
        out[HexTextColumn(i)] = b >= 0x20 && b < 0x7F ? static_cast<char>(b) : '.';
    }
    out.truncate(HexTextColumn(static_cast<int>(std::max<qint64>(count, 0))));
    return out;
}

QByteArray HexDump(QByteArrayView bytes) {
    QByteArray out;
    const qint64 lines = (bytes.size() + kHexBytesPerLine - 1) / kHexBytesPerLine;
    out.reserve(lines * (HexTextColumn(kHexBytesPerLine) + 1));
    for (qint64 line = 0; line < lines; ++line)
        out.append(HexDumpLine(bytes, line)).append('\n');
    return out;
}

QByteArray HexPairs(QByteArrayView bytes) {
    QByteArray out;
    out.reserve(bytes.size() * 3);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (i > 0)
            out.append(' ');
        const auto b = static_cast<quint8>(bytes[i]);
        out.append(kHexDigits[b >> 4]).append(kHexDigits[b & 15]);
    }
    return out;
}

} // namespace pravik
