#include "gui/ActionCaption.h"

#include <QList>

namespace pravik {

QString QtCaption(const QString& caption) {
    QString s = caption;
    // Positions of the single "&"s.
    QList<qsizetype> marks;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] != QLatin1Char('&'))
            continue;
        if (i + 1 < s.size() && s[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        marks << i;
    }
    if (!marks.isEmpty() && marks.last() == s.size() - 1) {
        s.chop(1);
        marks.removeLast();
    }
    for (qsizetype k = marks.size() - 2; k >= 0; --k)
        s.remove(marks[k], 1);
    return s;
}

} // namespace pravik
