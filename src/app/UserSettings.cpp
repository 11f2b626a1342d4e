#include "app/UserSettings.h"

namespace pravik {

std::unique_ptr<QSettings> OpenUserSettings() {
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QStringLiteral("Pravik"), QStringLiteral("pravik"));
}

} // namespace pravik
