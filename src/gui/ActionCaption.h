#pragma once

#include <QString>

namespace pravik {

// A command's caption as Qt shows it. Captions mark access keys with "&" as
// Windows menus do, but a trailing "&" marks none and goes; of several access
// keys the last one stays ("&&" is a literal ampersand).
QString QtCaption(const QString& caption);

} // namespace pravik
