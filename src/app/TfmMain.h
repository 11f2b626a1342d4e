#pragma once

#include <QMainWindow>

namespace pravik {

// The main window; it owns the document for the whole run.
class TfmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfmMain(QWidget* parent = nullptr);
};

} // namespace pravik
