#include "secs/CommonSmlMessage.h"

#include <algorithm>

namespace pravik {

const SmlNote* CommonSmlMessage::noteOf(qsizetype item) const {
    const auto it = std::lower_bound(notes.begin(), notes.end(), item,
                                     [](const SmlNote& n, qsizetype i) { return n.item < i; });
    return it != notes.end() && it->item == item ? &*it : nullptr;
}

SmlNote& CommonSmlMessage::addNote(qsizetype item) {
    if (notes.empty() || notes.back().item != item) {
        notes.emplace_back();
        notes.back().item = item;
    }
    return notes.back();
}

} // namespace pravik
