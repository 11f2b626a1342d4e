#include "app/HexHighlight.h"

#include "secs/MessagePreview.h"

#include <algorithm>

namespace pravik {

std::vector<TextPane::Range> HexHighlights(const std::vector<ByteSpan>& spans, size_t limit) {
    std::vector<TextPane::Range> ranges;
    const qsizetype lineLength = HexTextColumn(kHexBytesPerLine) + 1;
    for (const ByteSpan& s : spans) {
        for (qint64 b = s.begin; b < s.end && ranges.size() < limit;) {
            const qint64 line = b / kHexBytesPerLine;
            const int first = static_cast<int>(b % kHexBytesPerLine);
            const int last =
                static_cast<int>(std::min<qint64>(s.end, (line + 1) * kHexBytesPerLine) - 1 -
                                 line * kHexBytesPerLine);
            const qsizetype at = line * lineLength;
            ranges.push_back({at + HexColumn(first), at + HexColumn(last) + 2});
            ranges.push_back({at + HexTextColumn(first), at + HexTextColumn(last) + 1});
            b = (line + 1) * kHexBytesPerLine;
        }
    }
    std::sort(ranges.begin(), ranges.end());
    return ranges;
}

} // namespace pravik
