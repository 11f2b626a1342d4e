#pragma once

#include <QByteArray>
#include <QCollator>

namespace pravik {

// Locale-aware, case-sensitive string collation over ANSI byte texts, as the
// message order needs it.
class Collation {
public:
    Collation();
    // <0, 0, >0 like strcmp, comparing the decoded texts.
    int compare(const QByteArray& a, const QByteArray& b) const;
    // A key whose comparison gives the same order; for sorting many texts.
    QCollatorSortKey sortKey(const QByteArray& text) const;

private:
    QCollator m_collator;
};

} // namespace pravik
