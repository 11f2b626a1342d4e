#include "driverconfig/TfmConfig.h"

#include "platform/Prompter.h"

namespace pravik {

TfmConfig::TfmConfig(Prompter& prompter, QWidget* parent) : QDialog(parent), m_prompter(prompter) {
    setWindowTitle(QStringLiteral("Configuration"));
}

void TfmConfig::ShowModalFor(const QString& cfgPath) {
    Q_UNUSED(cfgPath);
    m_prompter.runDialog(this);
}

} // namespace pravik
