#pragma once

#include <QString>
#include <QStringList>

namespace pravik {

class TfmMain;

// What the command line of pravik asks for: `pravik [FILE]`, `--help`,
// `--version`, `--connect FILE`.
struct StartupArguments {
    enum class Outcome { Start, Help, Version, Error };
    Outcome outcome = Outcome::Start;
    QString file;         // opened at start, as an absolute path; empty for none
    bool connect = false; // --connect: show the communication pane and connect at once
    QStringList ignored;  // further file arguments: only the first one is opened
    QString error;        // for Error: the problem, in one line
};

// arguments[0] is the program, as in QCoreApplication::arguments().
StartupArguments ParseStartupArguments(const QStringList& arguments);

// Answers help, version and errors without a window: help and version go to
// stdout (exit 0), an error and the usage to stderr (exit 2). For Start it
// only tells on stderr which file arguments are not opened, and returns -1:
// the program goes on.
int AnswerStartupArguments(const StartupArguments& args);

// Opens the file named on the command line as the Open command opens it.
// A file that cannot be read shows its error box, and the window stays as
// a start without a file leaves it. With connect, once the file is open,
// the communication pane is shown and connects as the file's ".cfg" says.
void OpenStartupFile(TfmMain& window, const QString& file, bool connect = false);

} // namespace pravik
