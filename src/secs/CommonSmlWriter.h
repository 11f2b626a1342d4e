#pragma once

#include "secs/CommonSmlMessage.h"
#include "secs/SecsCodec.h"

#include <QByteArray>
#include <vector>

namespace pravik {

// Where the writer put things, as byte offsets into its output.
struct CommonSmlSpans {
    ByteSpan header;             // the header line, without its line end
    std::vector<ByteSpan> items; // per body item: from its "<" to its closing ">"
};

// Appends one message in common SML:
//
//   S6F11 W /* Event Report Send */
//   <L [3] /* Report */
//     <U4 [1] 0> /* DATAID */
//     ...
//   >.
//
// Every item carries its length in brackets; notes become comments after
// the header, after a list's "<L [n]" and after an item's ">". Long values
// wrap, and indentation stops growing at a fixed depth, so that no line
// and no text grows faster than the message. Iterative: any depth.
void WriteCommonSml(const CommonSmlMessage& message, QByteArray& out, const char* lineEnd = "\n",
                    CommonSmlSpans* spans = nullptr);

// A comment's text as the writer puts it between "/*" and "*/": any "*"
// followed by backslashes and "/" gets one more backslash, so that "*/"
// never ends the comment early. UnescapeComment undoes it.
QByteArray EscapeComment(QByteArrayView text);
QByteArray UnescapeComment(QByteArrayView text);

// The value text of a float as the writer writes it: the shortest text
// that reads back to the same value ("0.0", "1.5", "1e+20", "nan", "-inf").
QByteArray FloatText(double value);
QByteArray FloatText(float value);

} // namespace pravik
