#include "app/TfmMain.h"

namespace pravik {

TfmMain::TfmMain(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Pravik for Zorv"));
    resize(883, 640);
}

} // namespace pravik
