#pragma once

#include <QDialog>

namespace pravik {

// The "Configuration" dialog of the driver's ".cfg" file.
class TfmConfig : public QDialog {
    Q_OBJECT
public:
    explicit TfmConfig(QWidget* parent = nullptr);
};

} // namespace pravik
