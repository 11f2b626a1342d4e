#pragma once

#include <QDialog>

namespace pravik {

class Prompter;

// The "Configuration" dialog of the driver's ".cfg" file.
class TfmConfig : public QDialog {
    Q_OBJECT
public:
    explicit TfmConfig(Prompter& prompter, QWidget* parent = nullptr);

    // Opens the dialog modally (through the prompter) on the ".cfg" file at
    // cfgPath and returns when it closes.
    void ShowModalFor(const QString& cfgPath);

private:
    Prompter& m_prompter;
};

} // namespace pravik
