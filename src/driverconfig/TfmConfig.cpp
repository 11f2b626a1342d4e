#include "driverconfig/TfmConfig.h"

namespace pravik {

TfmConfig::TfmConfig(QWidget* parent) : QDialog(parent) { setWindowTitle(QStringLiteral("Configuration")); }

} // namespace pravik
