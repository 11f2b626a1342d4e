#include "app/PravikApplication.h"
#include "app/QtPrompter.h"
#include "app/StartupArguments.h"
#include "app/TfmMain.h"

int main(int argc, char** argv) {
    using pravik::StartupArguments;
    // Help and version need no display: they are answered before the
    // application object connects to one.
    QStringList raw;
    for (int i = 0; i < argc; ++i)
        raw << QString::fromLocal8Bit(argv[i]);
    StartupArguments args = pravik::ParseStartupArguments(raw);
    if (args.outcome == StartupArguments::Outcome::Help ||
        args.outcome == StartupArguments::Outcome::Version)
        return pravik::AnswerStartupArguments(args);

    pravik::PravikApplication app(argc, argv);
    // Desktops match the window to the installed desktop entry by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.pravik.Pravik"));
    // What looked unknown may be Qt's own options (-platform, -style, ...),
    // which the application object has just taken out of the arguments.
    if (args.outcome == StartupArguments::Outcome::Error)
        args = pravik::ParseStartupArguments(app.arguments());
    if (const int status = pravik::AnswerStartupArguments(args); status >= 0)
        return status;

    pravik::QtPrompter prompter;
    // The main window first; it creates the dialogs right after itself.
    pravik::TfmMain fmMain(prompter);
    prompter.setParentWidget(&fmMain);
    app.errorHandler = [&fmMain](const QString& message) { fmMain.showError(message); };
    fmMain.show();
    if (!args.file.isEmpty())
        pravik::OpenStartupFile(fmMain, args.file, args.connect);
    return app.exec();
}
