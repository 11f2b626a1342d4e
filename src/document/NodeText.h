#pragma once

#include <QByteArray>
#include <array>

namespace pravik {

// The grammar of node texts: codes of the item types and message types, and
// the small readers of text fields that several parts of the program share.

inline constexpr int kItemTypeCount = 15;
// Codes a list or item text begins with, each with its blank, in the order
// of the item dialog's choices. Index 0 makes a list.
inline constexpr std::array<const char*, kItemTypeCount> kItemTypeCodes = {
    "L ",  "A ",  "BINARY ", "BOOL ", "I1 ", "I2 ", "I4 ", "I8 ",
    "U1 ", "U2 ", "U4 ",     "U8 ",   "F4 ", "F8 ", "J8 "};

inline constexpr int kMessageTypeCount = 3;
// "P " primary, "S " secondary, "N " need no reply.
inline constexpr std::array<const char*, kMessageTypeCount> kMessageTypeCodes = {"P ", "S ", "N "};

enum class DialogMode : int { Edit = 0, AddSibling = 1, AddChild = 2 };

// Reads a decimal integer the way typed numbers are read everywhere: an
// optional sign and digits, nothing else. Returns fallback when the text is
// empty, not a number or out of range.
qint64 ParseDecimal(const QByteArray& text, qint64 fallback);

// stream * 1000 + function of a message text, 0 when the text is not in
// message form.
qint64 MessageKey(const QByteArray& text);

// The count field of a list text: the text without its first two
// characters, up to the first blank of that remainder.
QByteArray ListCountField(const QByteArray& text);

} // namespace pravik
