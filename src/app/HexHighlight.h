#pragma once

#include "app/TextPane.h"
#include "secs/SecsCodec.h"

#include <vector>

namespace pravik {

// The character ranges of a HexDump text that show the bytes of spans: per
// line, the hex pairs and the characters beside them. At most limit ranges,
// sorted (neighbouring items may share a line), for TextPane::setHighlights.
std::vector<TextPane::Range> HexHighlights(const std::vector<ByteSpan>& spans, size_t limit);

} // namespace pravik
