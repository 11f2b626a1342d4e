#pragma once

#include <QString>

namespace pravik {

// The "Readme.txt" the release-notes command opens: the one beside the
// executable when it is there (the rule on Windows, and in a build tree),
// else the one in the installed data folder (share/pravik, found from the
// executable's folder the way bin/ and share/ lie under the install
// prefix). When neither exists, the path beside the executable, which then
// opens nothing.
QString ReleaseNotesPath(const QString& executableDir);

// The user's guide the help command opens ("README.md"), found by the same
// rule.
QString UserGuidePath(const QString& executableDir);

} // namespace pravik
