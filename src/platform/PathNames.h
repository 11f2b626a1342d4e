#pragma once

#include <QString>

namespace pravik {

// Splitting paths the way the program always has: both '/' and '\' end a
// folder name, so that names typed in the Windows manner split the same way.
namespace PathNames {

// The position of the last folder separator, or -1 when there is none.
qsizetype LastSeparator(const QString& path);
// What follows the last folder separator ("host.sml" of "/data/host.sml").
QString FileNamePart(const QString& path);
// The extension of the file name (from its last ".") replaced by ext, or ext
// appended when the name has none; ext carries its own dot (".cfg").
QString ChangeFileExt(const QString& path, const QString& ext);

} // namespace PathNames

} // namespace pravik
