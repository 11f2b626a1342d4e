#pragma once

#include "secs/SecsBody.h"

#include <QByteArray>
#include <vector>

namespace pravik {

// What our export writes into comments so that an import restores the
// definition exactly: the node's description, and marks for what an
// example cannot show. A description comment has a blank after "/*"
// ("/* Report */"); a mark has none: "/*n*/" a list or item whose length is
// not fixed, "/*S*/" or "/*N*/" a message type the header does not imply,
// "/*=TEXT*/" the node's exact text when it is not the one an import would
// compose.
struct SmlNote {
    qsizetype item = -1; // the item it belongs to; -1 for the message
    QByteArray description;
    QByteArray text; // the "=TEXT" mark, empty when absent
    bool variable = false;
    int messageType = -1; // 0 "P", 1 "S", 2 "N"; -1 when not marked
    // What the reader had to change in the comment's text to make it a
    // node text (SmlTextFault bits: line breaks and NUL bytes became blanks).
    unsigned mended = 0;
    // A second text offered for an item that already has a description (a
    // name and a comment): the first stays, since the member's name comes
    // from it; the import tells the one left out. A message joins both.
    QByteArray unused;

    bool isEmpty() const {
        return description.isEmpty() && text.isEmpty() && !variable && messageType < 0;
    }
};

// Where a body item was read, and what its brackets declared beyond the
// values it holds.
struct SmlItemSource {
    int line = 0;   // of its "<", from 1
    int column = 0; // likewise
    // A length the brackets declare beyond the values ("<A [6] 'MDL'>",
    // "<A [0..40]>"): the definition's length, as its values are fewer;
    // -1 when the values are the length.
    qint32 declared = -1; // at most kMaxItemLength
    // The length is not fixed: a list of a range of counts ("<L [1..5]>"),
    // a text item that has only a name ("<A MDLN>").
    bool variable = false;
};

// One message in common SML: "S6F11 W", an optional body item, ".".
struct CommonSmlMessage {
    int stream = 0;
    int function = 0;
    bool replyExpected = false; // the header's W
    int line = 0;               // of the header in the text read, from 1; 0 when built
    int column = 0;             // likewise
    SecsBody body;
    std::vector<SmlItemSource> itemSources; // per body item, when read
    std::vector<SmlNote> notes;             // by ascending item, at most one each

    // The note of item (-1: the message), or nullptr.
    const SmlNote* noteOf(qsizetype item) const;
    // The note of item, made when missing; items must be noted in order.
    SmlNote& addNote(qsizetype item);
};

} // namespace pravik
