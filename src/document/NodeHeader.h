#pragma once

#include "document/SmlNode.h"

#include <QByteArray>
#include <QByteArrayView>

namespace pravik {

struct ItemType;

// The generator's reading of a list or item text: words split like a comma
// text (blanks, control characters and commas separate; a word that begins
// with a double quote runs to its closing quote, "" standing for a quote).
struct TextWords {
    QByteArrayView type;        // the first word
    QByteArrayView length;      // the second word
    QByteArrayView description; // the other words run together
    QByteArrayView memberName;  // description trimmed, blanks (only from quotes) made "_"
};

// What one node's text means, read from its bytes on demand; the text itself
// stays the stored form and is never rewritten by reading it. Every part of
// the program that takes a node text apart reads it through here. Where a
// consumer compares a field exactly as written (the generator's "1" against
// "01"), the raw field sits beside the value.
//
// The views point into the text (or into storage owned by the header), so a
// header stays valid as long as it lives, whatever happens to the node.
class NodeHeader {
public:
    // The kind is the node's own, as everywhere else.
    static NodeHeader Read(const SmlNode& node);
    static NodeHeader Read(const QByteArray& text, NodeKind kind);

    NodeKind kind = NodeKind::Item;
    const QByteArray& text() const { return m_text; }

    // --- a message: "S" stream "F" function " " type letter " " description
    bool messageForm = false;    // begins with "S", an "F" follows, a blank after that
    QByteArrayView streamText;   // as written (leading zeros kept); empty unless messageForm
    QByteArrayView functionText; // as written; empty unless messageForm
    qint64 key = 0;              // stream * 1000 + function; 0 when not in message form
    qint64 stream() const { return key / 1000; }
    qint64 function() const { return key % 1000; }
    // 0 "P", 1 "S", 2 "N"; -1 when no type letter follows the first blank.
    int messageType = -1;
    // The text after the type letter, trimmed; empty without a type letter.
    QByteArrayView messageDescription;
    // The text before its first blank (all of it when there is none).
    QByteArrayView head;

    // --- a list or item: code, count or length, description, split at the
    // first two blanks
    QByteArrayView code;            // empty when the text has no blank
    const ItemType* type = nullptr; // the code looked up; nullptr when unknown
    QByteArrayView lengthText;      // as written
    bool variableLength = false;    // exactly "n"
    bool lengthIsNumber = false;    // lengthText reads as a decimal number
    qint64 lengthValue = 0;         // that number, 0 otherwise
    QByteArrayView description;     // may be empty or hold blanks
    // A list's count as the structure check and the count refresh find it:
    // the text after its first two characters, up to the next blank, and what
    // follows that blank. They differ from lengthText only for texts whose
    // code is not one character long.
    QByteArrayView countField;
    QByteArrayView countTail;
    bool hasCountTail = false; // countField is followed by a blank

    // --- the generator's word reading (lists and items)
    TextWords words;

private:
    void readMessage();
    void readListOrItem();
    void readWords();

    QByteArray m_text;  // shares the node's bytes
    QByteArray m_owned; // words the text does not hold as they are (quotes)
};

// The generator's word reading of any text (its three fields).
struct OwnedTextWords {
    QByteArray type;
    QByteArray length;
    QByteArray description;
};
OwnedTextWords SplitTextWords(const QByteArray& text);
// Description words trimmed, blanks made "_".
QByteArray MemberNameFromDescription(QByteArrayView description);

} // namespace pravik
