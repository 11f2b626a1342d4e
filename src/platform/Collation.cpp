#include "platform/Collation.h"

#include "platform/AnsiText.h"

namespace pravik {

Collation::Collation() {
    m_collator.setCaseSensitivity(Qt::CaseSensitive);
    m_collator.setNumericMode(false);
    m_collator.setIgnorePunctuation(false);
}

int Collation::compare(const QByteArray& a, const QByteArray& b) const {
    return m_collator.compare(AnsiText::Decode(a), AnsiText::Decode(b));
}

QCollatorSortKey Collation::sortKey(const QByteArray& text) const {
    return m_collator.sortKey(AnsiText::Decode(text));
}

} // namespace pravik
