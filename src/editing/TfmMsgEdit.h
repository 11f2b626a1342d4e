#pragma once

#include <QDialog>

namespace pravik {

// The "Message" dialog, created once at start and reused.
class TfmMsgEdit : public QDialog {
    Q_OBJECT
public:
    explicit TfmMsgEdit(QWidget* parent = nullptr);
};

} // namespace pravik
