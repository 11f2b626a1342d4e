#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

namespace pravik {

class SmlNode;

// Version text the generated banners carry; the main window shows the same.
inline constexpr const char* kGeneratorVersion = "3.10b";
// Text after "// Support: " in both banners.
inline constexpr const char* kSupportContact = "Pravik for Zorv developers";

// The separator line of both generated files: "//" and 75 hyphens.
inline constexpr const char* kSeparator =
    "//---------------------------------------------------------------------------";

// One field of a node text: 0 the type code ("L" for a list), 1 the length
// or count, 2 the description words run together. Words are split like a
// comma text: blanks, control characters and commas separate, a word that
// begins with a double quote runs to its closing quote.
QByteArray TextField(const QByteArray& text, int index);
// All fields at once (cheaper when a writer needs several).
struct TextFields {
    QByteArray type;
    QByteArray length;
    QByteArray description;
};
TextFields SplitTextFields(const QByteArray& text);

// Field 2 trimmed, blanks (which survive only inside quoted words) made "_".
QByteArray MemberName(const QByteArray& text);

// The one- or two-letter type name of an item type code: "BINARY" is B1,
// "BOOL" is B, every other code stays as it is.
QByteArrayView TypeName(QByteArrayView typeCode);
// The type name padded with blanks to two characters, then one blank.
QByteArray TypePrefix(QByteArrayView typeCode);

// An item's length read as a number (0 when it is not one).
qint64 ItemLength(QByteArrayView lengthText);
// A list's count read as a number (-1 when it is not one).
qint64 ListCount(QByteArrayView countText);
// Exactly "n": a list of variable length, with a count member and a loop.
// Every other list, also one whose count is no number ("x", "-1", empty),
// is addressed as one struct in the declaration and in the bodies alike.
inline bool IsVariableCount(QByteArrayView countText) {
    return countText == QByteArrayView("n");
}
// A length that reads as 1 is a single value in the declaration and is
// passed by address in the bodies ("01" too, so both agree).
inline bool IsSingleValue(QByteArrayView lengthText) {
    return ItemLength(lengthText) == 1;
}
// The number to write for a length or count that reads as a number:
// leading zeros and signs dropped, so "010" stays ten and never turns octal.
QByteArray NumberText(QByteArrayView text, qint64 value);

// Stream and function of a message text, from its key.
struct MessageNumbers {
    qint64 stream = 0;
    qint64 function = 0;
};
MessageNumbers MessageNumbersOf(const QByteArray& text);
// "clsS" + stream + "F" + function.
QByteArray MessageClassName(const MessageNumbers& numbers);
// The name in the class head: "cls" + the text up to its first blank,
// except that a text writing stream or function with leading zeros
// ("S01F02") is declared under the number form its bodies use.
QByteArray DeclaredClassName(const QByteArray& text);

// Per-depth counters (lists met, variable lists met) that grow with the
// document's depth.
class DepthCounters {
public:
    void clear() { m_values.clear(); }
    qint64 increment(size_t depth) {
        ensure(depth);
        return ++m_values[depth];
    }
    void reset(size_t depth) {
        if (depth < m_values.size())
            m_values[depth] = 0;
    }
    qint64 value(size_t depth) const { return depth < m_values.size() ? m_values[depth] : 0; }

private:
    void ensure(size_t depth) {
        if (depth >= m_values.size())
            m_values.resize(depth + 1, 0);
    }
    std::vector<qint64> m_values;
};

} // namespace pravik
