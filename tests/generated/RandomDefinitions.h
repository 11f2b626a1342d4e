#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace pravik::test {

// SML text of a random document for the property test: messages in key
// order with item trees of every type, fixed and variable lists, nesting,
// arrays, quoted and plain names, and now and then the mistakes users make
// (bad or repeated names, open lengths, unknown types, counts that do not
// match, scattered or repeated messages, a missing S9F11, ...), so that
// the checker has both kinds to judge. The same seed gives the same text.
QByteArray RandomDefinitions(quint64 seed);

} // namespace pravik::test
