#pragma once

#include "secs/CommonSmlMessage.h"

#include <QByteArrayView>
#include <QString>
#include <optional>

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

// Reads common SML one message at a time:
//
//   S1F2 W            header: S<stream>F<function>, W when a reply is expected
//   <L [2]            items: <TYPE [length] values>, a list's items nested
//     <A "MDL-01">    strings in double or single quotes, bytes as 0x0D
//     <B 0x01 0x02>   numbers decimal or 0x hex, BOOLEAN T F TRUE FALSE 1 0
//   >.                the message ends with a full stop
//
// Type names are case-insensitive (and our own codes BINARY, BOOL, J8 are
// understood); lengths in brackets are optional; blanks, line breaks and
// comments (// and /* */) may stand between any two tokens. A comment on
// the line of a header, of a list's "<L", or of an item's closing ">"
// becomes that node's note (see SmlNote); other comments are ignored.
//
// Malformed text (and a message of more than kMaxMessageItems items) stops
// the reading with an error that tells the line, the column and what was
// expected. Nesting is followed with an explicit stack,
// and only the message being read is held, so a file of any depth and size
// is read in one pass.
class CommonSmlReader {
public:
    explicit CommonSmlReader(QByteArrayView text) : m_text(text) {}

    // Reads the next message into out. False at the end of the text and on
    // an error (error() tells which).
    bool next(CommonSmlMessage& out);
    const std::optional<CommonSmlError>& error() const { return m_error; }

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
    bool readBody();
    bool readValues(const ItemType& type, QByteArray& data);
    bool readString(QByteArray& data);
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

    // The message being read and the node comments may attach to.
    CommonSmlMessage* m_message = nullptr;
    Target m_target = Target::None;
    qsizetype m_targetItem = -1;
    int m_targetLine = 0;
};

// Sanitizes text for a node text: line breaks and NUL bytes, which an
// ".sml" line cannot hold, become blanks.
QByteArray NodeTextFromComment(QByteArrayView text);

} // namespace pravik
