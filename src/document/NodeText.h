#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <array>
#include <optional>

namespace pravik {

// The grammar of node texts: codes of the item types and message types, and
// the small readers of text fields that several parts of the program share.

inline constexpr int kMessageTypeCount = 3;
// "P " primary, "S " secondary, "N " need no reply.
inline constexpr std::array<const char*, kMessageTypeCount> kMessageTypeCodes = {"P ", "S ", "N "};

enum class DialogMode : int { Edit = 0, AddSibling = 1, AddChild = 2 };

// Reads a decimal integer the way typed numbers are read everywhere: an
// optional sign and digits, nothing else. Returns fallback when the text is
// empty, not a number or out of range.
qint64 ParseDecimal(QByteArrayView text, qint64 fallback);
// The same, telling "not a number" apart from every value.
std::optional<qint64> ParseDecimalValue(QByteArrayView text);

// stream * 1000 + function of a message text, 0 when the text is not in
// message form (NodeHeader has the whole reading).
qint64 MessageKey(const QByteArray& text);

// The largest ".sml" file we write. Every level indents by two blanks, so a
// deeply nested document's text grows with the square of its depth: a tree a
// million levels deep would need terabytes.
inline constexpr qint64 kMaxSmlFileBytes = qint64(2) << 30;

// What a node text may not hold for an ".sml" line to give it back: a ">"
// (the reader closes the node at the first one, and the lines after it
// attach to the wrong parent), a line break (the rest of the text becomes a
// line of its own) and a NUL byte (the reader stops the file there).
enum SmlTextFault : unsigned {
    kSmlTextGreaterThan = 1,
    kSmlTextLineBreak = 2,
    kSmlTextNul = 4,
};
// The faults of a text, or-ed; 0 for a text that reads back.
unsigned SmlTextFaults(QByteArrayView text);
// What a ">" becomes when a text is mended: the full-width "＞" (CP949 A3
// BE). It reads as the same sign to a person, its bytes hold no ">", and it
// exists in CP949, so it survives every file the program writes.
inline constexpr char kGreaterThanLookAlike[] = "\xA3\xBE";
// Makes a text readable back: every ">" becomes kGreaterThanLookAlike, line
// breaks (CR, LF) and NUL bytes a blank. Returns the faults it mended.
unsigned MendSmlText(QByteArray& text);
// "'>'를 '＞'로, 줄바꿈을 공백으로": what MendSmlText did, for a report.
QString SmlTextMendDescription(unsigned faults);

} // namespace pravik
