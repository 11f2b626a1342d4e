#pragma once

#include "secs/ExampleInstance.h"
#include "secs/SecsCodec.h"

#include <QByteArray>
#include <vector>

namespace pravik {

// Where one example item stands: its definition node, its text in the SML
// and its bytes in the encoded body.
struct PreviewSpan {
    const SmlNode* node = nullptr;
    ByteSpan text;
    ByteSpan bytes;
};

// What the preview pane and `pravik-cli preview` show for one message: the
// example in common SML and its encoded body, or why there is none.
struct MessagePreview {
    QByteArray key;  // "S6F11"
    QByteArray sml;  // LF after every line
    QByteArray body; // the SECS-II bytes of the body
    ByteSpan header; // the header line in sml
    std::vector<PreviewSpan> spans;
    std::vector<DefinitionProblem> problems; // when not empty: no sml, no body
    bool ok() const { return problems.empty(); }
};

// The preview of a message node, "n" lists given variableCount elements.
MessagePreview PreviewMessage(const SmlNode& message, int variableCount = 1);

// 16 bytes a line: the offset (8 hex digits), the bytes in lower-case hex,
// and the printable ones as text; LF after every line.
//   00000000  01 03 b1 04 00 00 00 00 b1 04 00 00 00 00 01 01  ................
QByteArray HexDump(QByteArrayView bytes);
// One line of HexDump, without its LF.
QByteArray HexDumpLine(QByteArrayView bytes, qint64 line);
inline constexpr int kHexBytesPerLine = 16;
// Columns (from 0) of a byte's hex pair and of its character in its line.
inline constexpr int HexColumn(int byteInLine) {
    return 10 + 3 * byteInLine;
}
inline constexpr int HexTextColumn(int byteInLine) {
    return 10 + 3 * kHexBytesPerLine + 1 + byteInLine;
}
// "b1 04 00": lower-case pairs separated by blanks.
QByteArray HexPairs(QByteArrayView bytes);

} // namespace pravik
