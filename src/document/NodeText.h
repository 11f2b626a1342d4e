#pragma once

#include <QByteArray>
#include <QByteArrayView>
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

} // namespace pravik
