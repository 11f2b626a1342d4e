#include "app/StartupArguments.h"

#include "app/CommPane.h"
#include "app/TfmMain.h"
#include "session/DocumentSession.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <cstdio>

namespace pravik {

namespace {

const char* const kUsage = "usage: pravik [OPTIONS] [FILE]\n";

const char* const kHelp =
    "\n"
    "Pravik for Zorv: the editor of SECS-II message definitions (SML) for the\n"
    "Zorv SECS driver. FILE, when given, is opened at start as the Open command\n"
    "opens it; of several files only the first is opened.\n"
    "\n"
    "Options:\n"
    "  -h, --help     show this help\n"
    "  -v, --version  show the version\n"
    "  --connect      with FILE: show the communication pane at once and connect\n"
    "                 (or listen) as FILE's configuration, the .cfg beside it, says\n"
    "\n"
    "Qt's own options (-platform NAME, -style NAME, ...) are accepted too.\n";

} // namespace

StartupArguments ParseStartupArguments(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addOption({{QStringLiteral("h"), QStringLiteral("help")}, QString()});
    parser.addOption({{QStringLiteral("v"), QStringLiteral("version")}, QString()});
    parser.addOption({QStringLiteral("connect"), QString()});
    StartupArguments out;
    if (!parser.parse(arguments)) {
        out.outcome = StartupArguments::Outcome::Error;
        // Qt's "Unknown option 'x'." in the form of our other messages.
        out.error = parser.errorText();
        if (out.error.endsWith(QLatin1Char('.')))
            out.error.chop(1);
        if (!out.error.isEmpty())
            out.error[0] = out.error[0].toLower();
        return out;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        out.outcome = StartupArguments::Outcome::Help;
        return out;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        out.outcome = StartupArguments::Outcome::Version;
        return out;
    }
    QStringList files = parser.positionalArguments();
    if (!files.isEmpty()) {
        // Absolute, as the open dialog gives it: the caption shows the full path.
        const QString first = files.takeFirst();
        out.file = first.isEmpty() ? first : QFileInfo(first).absoluteFilePath();
        out.ignored = files;
    }
    out.connect = parser.isSet(QStringLiteral("connect"));
    if (out.connect && out.file.isEmpty()) {
        out.outcome = StartupArguments::Outcome::Error;
        out.error = QStringLiteral("option '--connect' needs a FILE");
    }
    return out;
}

int AnswerStartupArguments(const StartupArguments& args) {
    switch (args.outcome) {
    case StartupArguments::Outcome::Help:
        std::printf("%s%s", kUsage, kHelp);
        return 0;
    case StartupArguments::Outcome::Version:
        std::printf("pravik %s\n", PRAVIK_VERSION);
        return 0;
    case StartupArguments::Outcome::Error:
        std::fprintf(stderr, "pravik: %s\n%s", args.error.toUtf8().constData(), kUsage);
        return 2;
    case StartupArguments::Outcome::Start:
        break;
    }
    if (!args.ignored.isEmpty())
        std::fprintf(stderr, "pravik: opening %s; not opened: %s\n", args.file.toUtf8().constData(),
                     args.ignored.join(QStringLiteral(", ")).toUtf8().constData());
    return -1;
}

void OpenStartupFile(TfmMain& window, const QString& file, bool connect) {
    window.runCommand([&] { window.OpenDocumentFile(file); });
    if (connect && window.session().hasDocument() && window.session().fileName() == file) {
        window.commPane()->showPane(true, false); // a script's wish, not remembered
        window.commPane()->connectLink();
    }
}

} // namespace pravik
