#include "platform/PathNames.h"

#include <algorithm>

namespace pravik::PathNames {

qsizetype LastSeparator(const QString& path) {
    return std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
}

QString FileNamePart(const QString& path) {
    return path.mid(LastSeparator(path) + 1);
}

QString ChangeFileExt(const QString& path, const QString& ext) {
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return (dot > LastSeparator(path) ? path.left(dot) : path) + ext;
}

} // namespace pravik::PathNames
