#pragma once

#include "secs/CommonSmlMessage.h"

#include <QByteArrayView>
#include <QString>
#include <optional>
#include <vector>

namespace pravik {

struct ItemType;

// The most items one message may hold. Far beyond any real message; it
// keeps the memory a hostile file can make us take in proportion.
inline constexpr qsizetype kMaxMessageItems = 4000000;

// Where common SML could not be read, and what was expected there.
struct CommonSmlError {
    int line = 0;   // from 1
    int column = 0; // from 1, in characters (a double-byte character is one)
    QString message;
    // "줄 3, 열 7: message"
    QString text() const;
};

// Reads common SML one message at a time, in the notation SECS logs, tools
// and libraries write:
//
//   S1F2 W            header: S<stream>F<function>, W when a reply is expected
//   <L [2]            items: <TYPE [length] values>, a list's items nested
//     <A "MDL-01">    strings in double or single quotes, bytes as 0x0D
//     <B 0x01 0x02>   numbers decimal, 0x hex or 0b binary; BOOLEAN T F TRUE
//   >.                FALSE 1 0; the message ends with a full stop
//
// The dialects of the major SECS libraries read too:
//
//   headers   a name before them ("Are You There:'S1F1' W", "s1f1_1: S1F1 W",
//             the name becomes the message's description), in single or
//             double quotes, W right after the quote ('S1F1'W), "[W]" for
//             an optional W-bit (read as W);
//   lengths   "[n]" that declares a size beyond the values ("<A[6] ''>": an
//             item of 6), ranges "[a..b]" or "[a,b]" (a list of a range of
//             counts is variable, "n"; an item takes the upper bound);
//   values    0b binary literals; names in place of values ("<A [6] SOFTREV>",
//             "<U4 DATAID>", "<L REPORTS ...>": the name becomes the node's
//             description, a number item's name stands for one value, a text
//             item's with no size makes its length variable); strings with
//             the escapes \\ \" \' \n \r \t \0 \xHH (a backslash before any
//             other character is kept), and a quote that is not followed by a
//             blank, ">", a quote or a comment is part of the text ('it's');
//   comments  // and # to the end of the line, /* */.
//
// Type names are case-insensitive (and our own codes BINARY, BOOL, J8 are
// understood); lengths in brackets are optional; blanks, line breaks and
// comments may stand between any two tokens. A comment on the line of a
// header, of a list's "<L", or of an item's closing ">" becomes that node's
// note (see SmlNote); other comments are ignored.
//
// The W item (2-byte characters) has no type of ours: a message holding one
// is refused with the place of the W and reading goes on with the next
// message (refusals()). Other malformed text (and a message of more than
// kMaxMessageItems items) stops the reading with an error that tells the
// line, the column and what was expected. Nesting is followed with an
// explicit stack, and only the message being read is held, so a file of any
// depth and size is read in one pass. The text is CP949 (DecodeSmlFile makes
// it so); columns count characters.
class CommonSmlReader {
public:
    explicit CommonSmlReader(QByteArrayView text) : m_text(text) {}

    // Reads the next message into out. False at the end of the text and on
    // an error (error() tells which).
    bool next(CommonSmlMessage& out);
    const std::optional<CommonSmlError>& error() const { return m_error; }
    // Messages left out because they hold an item we have no type for, in
    // text order: the first kMaxListedRefusals of them, and how many in all.
    const std::vector<CommonSmlError>& refusals() const { return m_refusals; }
    qint64 refusalCount() const { return m_refusalCount; }

private:
    enum class Target { None, Message, Item };
    // A place in the text, with its line, for errors that point back.
    struct Position {
        qsizetype pos;
        int line;
        qsizetype lineStart;
    };
    Position here() const { return {m_pos, m_line, m_lineStart}; }

    bool atEnd() const { return m_pos >= m_text.size(); }
    char peek(qsizetype ahead = 0) const {
        return m_pos + ahead < m_text.size() ? m_text[m_pos + ahead] : '\0';
    }
    // Skips blanks, line breaks and comments; comments on the target's
    // line become its note. False after an error (a comment left open).
    bool skipSpace();
    void newLine(qsizetype breakEnd);
    void applyComment(QByteArrayView content, bool block);
    // Letters, digits and "_"; for a value also signs and points.
    QByteArrayView word(bool value);
    // One message from its header to its "."; false on an error.
    bool readMessage(CommonSmlMessage& out);
    bool readHeader(CommonSmlMessage& out);
    // "S1F1" or 'S1F1' or "S1F1" at the current place; false (and nothing
    // read) when there is none.
    bool headerToken(QByteArrayView& token);
    bool readBody();
    // "[n]", "[a..b]": declared is -1 when absent, rangeMin below declared
    // for a range.
    bool readLength(qint64& declared, qint64& rangeMin);
    bool readValues(const ItemType& type, QByteArray& data, QByteArray& name);
    // The values of a W item, read only to find its end.
    bool skipValues();
    bool readString(QByteArray& data);
    // A name in place of a value, for the note of the item being read.
    void nameTarget(QByteArrayView name);
    bool fail(const Position& at, const QString& message);
    // Columns count characters: the two bytes of a double-byte one are one.
    int columnOf(const Position& at) const;
    // "X이(가) 필요합니다" with what stands here instead.
    bool failExpected(const QString& expected);

    QByteArrayView m_text;
    qsizetype m_pos = 0;
    int m_line = 1;
    qsizetype m_lineStart = 0; // offset of the current line's first byte
    std::optional<CommonSmlError> m_error;
    // The last column counted (columnOf), to go on from.
    mutable qsizetype m_columnLineStart = -1;
    mutable qsizetype m_columnPos = 0;
    mutable int m_column = 1;

    // The message being read and the node comments may attach to.
    CommonSmlMessage* m_message = nullptr;
    Target m_target = Target::None;
    qsizetype m_targetItem = -1;
    int m_targetLine = 0;

    // Where the message being read holds a W item, when it does.
    std::optional<CommonSmlError> m_refusal;
    std::vector<CommonSmlError> m_refusals;
    qint64 m_refusalCount = 0;
};

// At most this many refused messages are listed; the rest are counted.
inline constexpr int kMaxListedRefusals = 1000;

// Sanitizes text for a node text: line breaks and NUL bytes, which an
// ".sml" line cannot hold, become blanks.
QByteArray NodeTextFromComment(QByteArrayView text);

} // namespace pravik
