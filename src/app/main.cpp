#include "app/PravikApplication.h"
#include "app/QtPrompter.h"
#include "app/TfmMain.h"

int main(int argc, char** argv) {
    // Command-line arguments are not read: the program always starts empty.
    pravik::PravikApplication app(argc, argv);
    pravik::QtPrompter prompter;
    // The main window first; it creates the dialogs right after itself.
    pravik::TfmMain fmMain(prompter);
    prompter.setParentWidget(&fmMain);
    app.errorHandler = [&fmMain](const QString& message) { fmMain.showError(message); };
    fmMain.show();
    return app.exec();
}
