#pragma once

#include <QByteArray>
#include <QSet>

namespace pravik {

class GeneratedText;
class SmlNode;

// The per-message pieces of the generated files. Each takes one top-level
// node with its subtree, starts from zeroed counters and an empty member
// path, and walks iteratively, so any depth is fine.

// The class declaration of a message (and of its lists and items) into
// classes; the count constant of every variable list into preamble.
// Variable lists of one name (SVIDs in several messages) share one count
// constant: a name already in constants is not declared again, since a
// second definition would not compile.
void DeclareNode(const SmlNode& node, GeneratedText& classes, GeneratedText& preamble,
                 QSet<QByteArray>& constants);
void DeclareNode(const SmlNode& node, GeneratedText& classes, GeneratedText& preamble);

// "void clsS<s>F<f>::Clear(short Mode)": one memset over the first child.
// Adds nothing for a node that is not a message.
void WriteClearBody(const SmlNode& node, GeneratedText& out);

// "short clsS<s>F<f>::Receive(TeZorv *X, long lMsgId)".
void WriteReceiveBody(const SmlNode& node, GeneratedText& out);

// "short clsS<s>F<f>::Send(TeZorv *X, short nDevId, long lSysByte, short Mode)".
void WriteSendBody(const SmlNode& node, GeneratedText& out);

} // namespace pravik
