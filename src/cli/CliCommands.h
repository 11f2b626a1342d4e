#pragma once

#include <QCommandLineParser>
#include <QStringList>
#include <stdexcept>
#include <vector>

namespace pravik::cli {

// Exit statuses of pravik-cli.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFaults = 1; // check found faulty nodes, lint errors; content left out
inline constexpr int kExitError = 2;  // bad usage or a file error
inline constexpr int kExitNoLink = 3; // send/serve: no connection, or T3/T6/T7 expiry

// An option of a subcommand, as the parser and the help show it.
struct CliOption {
    QString name;      // the long name, without dashes
    QString valueName; // empty for a flag
    QString description;
};

// What a runner gets: exactly the positional arguments its entry names, and
// the parsed options (each given at most once).
struct Invocation {
    QStringList args;
    const QCommandLineParser& options;
};

// One subcommand of pravik-cli. A new subcommand is one more entry in
// Subcommands() and its runner; the dispatcher, the command list and
// `pravik-cli help NAME` follow from the entry.
struct Subcommand {
    QString name;
    QString summary;       // one line in the command list
    QStringList arguments; // required positional arguments, e.g. {"IN", "OUT"}
    std::vector<CliOption> options;
    QString description; // the body of `pravik-cli help NAME`
    int (*run)(const Invocation&);
};

// Every subcommand, in the order the help lists them.
const std::vector<Subcommand>& Subcommands();

// "--raw" and "--format FORMAT", shared by the commands that print nodes.
std::vector<CliOption> NodeOutputOptions();

// A mistake on the command line that a runner finds (a bad value, a missing
// output). The dispatcher prints it with the subcommand's usage; exit 2.
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

// Each runner prints to stdout and lets PlatformError and UsageError travel
// to the dispatcher.
int RunCounts(const Invocation& in);
int RunDump(const Invocation& in);
int RunResave(const Invocation& in);
int RunCheck(const Invocation& in);
int RunConfig(const Invocation& in);
int RunGenerate(const Invocation& in);
int RunLint(const Invocation& in);
int RunPreview(const Invocation& in);
int RunExport(const Invocation& in);
int RunImport(const Invocation& in);
int RunSend(const Invocation& in);
int RunServe(const Invocation& in);

} // namespace pravik::cli
