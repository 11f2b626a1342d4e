#pragma once

#include <QDialog>

namespace pravik {

// The "Item" dialog, created once at start and reused.
class TfmItemEdit : public QDialog {
    Q_OBJECT
public:
    explicit TfmItemEdit(QWidget* parent = nullptr);
};

} // namespace pravik
