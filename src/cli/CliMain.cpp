// pravik-cli: the document operations of Pravik for Zorv for scripts and
// build pipelines.

#include "cli/CliCommands.h"

#include "platform/PlatformError.h"

#include <QCoreApplication>
#include <cstdio>

namespace pravik::cli {
namespace {

const QString kTool = QStringLiteral("pravik-cli");

void Put(FILE* stream, const QString& text) {
    std::fputs(text.toUtf8().constData(), stream);
}

const Subcommand* Find(const QString& name) {
    for (const Subcommand& c : Subcommands())
        if (c.name == name)
            return &c;
    return nullptr;
}

// Two columns, the second aligned after the widest first one.
QString Columns(const QList<QPair<QString, QString>>& rows) {
    qsizetype width = 0;
    for (const auto& r : rows)
        width = qMax(width, r.first.size());
    QString out;
    for (const auto& r : rows)
        out += QStringLiteral("  ") + r.first.leftJustified(width + 2) + r.second + '\n';
    return out;
}

QString GeneralUsage() {
    return QStringLiteral("usage: pravik-cli COMMAND [OPTIONS] ARGUMENTS\n"
                          "       pravik-cli help [COMMAND]\n"
                          "       pravik-cli --help | --version\n");
}

QString GeneralHelp() {
    QList<QPair<QString, QString>> commands;
    for (const Subcommand& c : Subcommands())
        commands.append({c.name, c.summary});
    commands.append({QStringLiteral("help"), QStringLiteral("describe one command")});
    return GeneralUsage() +
           QStringLiteral("\nThe document operations of Pravik for Zorv for scripts and build "
                          "pipelines.\n\nCommands:\n") +
           Columns(commands) + QStringLiteral("\nOptions:\n") +
           Columns({{QStringLiteral("-h, --help"), QStringLiteral("show this help")},
                    {QStringLiteral("-v, --version"), QStringLiteral("show the version")}}) +
           QStringLiteral("\n'pravik-cli help COMMAND' describes one command.\n"
                          "Exit status: 0 success, 1 faults found by check, 2 bad usage or a "
                          "file error,\n3 no link (send, serve).\n");
}

QString Usage(const Subcommand& c) {
    QString line = QStringLiteral("usage: pravik-cli ") + c.name;
    for (const CliOption& o : c.options)
        line += QStringLiteral(" [--") + o.name +
                (o.valueName.isEmpty() ? QString() : QLatin1Char(' ') + o.valueName) + ']';
    for (const QString& a : c.arguments)
        line += QLatin1Char(' ') + a;
    return line + '\n';
}

QString Help(const Subcommand& c) {
    QList<QPair<QString, QString>> options;
    for (const CliOption& o : c.options)
        options.append({QStringLiteral("--") + o.name +
                            (o.valueName.isEmpty() ? QString() : QLatin1Char(' ') + o.valueName),
                        o.description});
    options.append({QStringLiteral("-h, --help"), QStringLiteral("show this help")});
    return Usage(c) + '\n' + c.description + QStringLiteral("\n\nOptions:\n") + Columns(options);
}

// A usage error: one line naming the problem, then the usage; exit 2.
// Qt's parser messages ("Unknown option 'x'.") are put in the same form.
int Fail(const QString& who, QString problem, const QString& usage) {
    if (problem.endsWith(QLatin1Char('.')))
        problem.chop(1);
    if (!problem.isEmpty())
        problem[0] = problem[0].toLower();
    Put(stderr, who + QStringLiteral(": ") + problem + '\n' + usage);
    return kExitError;
}

int RunSubcommand(const Subcommand& c, const QStringList& args) {
    const QString who = kTool + QLatin1Char(' ') + c.name;
    QCommandLineParser parser;
    parser.addOption({{QStringLiteral("h"), QStringLiteral("help")}, QString()});
    for (const CliOption& o : c.options)
        parser.addOption({o.name, o.description, o.valueName});
    if (!parser.parse(QStringList{kTool} + args))
        return Fail(who, parser.errorText(), Usage(c));
    if (parser.isSet(QStringLiteral("help"))) {
        Put(stdout, Help(c));
        return kExitOk;
    }
    const QStringList given = parser.optionNames();
    for (const CliOption& o : c.options)
        if (given.count(o.name) > 1)
            return Fail(who, QStringLiteral("option --%1 given more than once").arg(o.name),
                        Usage(c));
    const QStringList positional = parser.positionalArguments();
    if (positional.size() < c.arguments.size())
        return Fail(who, QStringLiteral("missing ") + c.arguments[positional.size()], Usage(c));
    if (positional.size() > c.arguments.size())
        return Fail(who,
                    QStringLiteral("unexpected argument '%1'").arg(positional[c.arguments.size()]),
                    Usage(c));
    try {
        return c.run({positional, parser});
    } catch (const UsageError& e) {
        return Fail(who, e.message(), Usage(c));
    } catch (const PlatformError& e) {
        Put(stderr, e.message() + '\n');
        return kExitError;
    }
}

int Dispatch(const QStringList& arguments) {
    QCommandLineParser parser;
    // Options after the command's name belong to the command.
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    parser.addOption({{QStringLiteral("h"), QStringLiteral("help")}, QString()});
    parser.addOption({{QStringLiteral("v"), QStringLiteral("version")}, QString()});
    if (!parser.parse(arguments))
        return Fail(kTool, parser.errorText(), GeneralUsage());
    if (parser.isSet(QStringLiteral("help"))) {
        Put(stdout, GeneralHelp());
        return kExitOk;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        Put(stdout, kTool + QLatin1Char(' ') + QCoreApplication::applicationVersion() + '\n');
        return kExitOk;
    }
    QStringList rest = parser.positionalArguments();
    if (rest.isEmpty())
        return Fail(kTool, QStringLiteral("missing command"), GeneralUsage());
    const QString name = rest.takeFirst();
    if (name == QLatin1String("help")) {
        if (rest.isEmpty()) {
            Put(stdout, GeneralHelp());
            return kExitOk;
        }
        const Subcommand* c = Find(rest[0]);
        if (rest.size() > 1 || !c)
            return Fail(kTool + QStringLiteral(" help"),
                        rest.size() > 1 ? QStringLiteral("one command at a time")
                                        : QStringLiteral("unknown command '%1'").arg(rest[0]),
                        GeneralUsage());
        Put(stdout, Help(*c));
        return kExitOk;
    }
    if (const Subcommand* c = Find(name))
        return RunSubcommand(*c, rest);
    return Fail(kTool, QStringLiteral("unknown command '%1'").arg(name), GeneralUsage());
}

} // namespace
} // namespace pravik::cli

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("pravik-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PRAVIK_VERSION));
    return pravik::cli::Dispatch(app.arguments());
}
