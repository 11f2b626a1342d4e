#include "app/TfmMain.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    pravik::TfmMain fmMain;
    fmMain.show();
    return app.exec();
}
