// pravik-cli: the document operations of Pravik for Zorv for scripts and
// build pipelines.

#include "cli/CliCommands.h"

#include "platform/PlatformError.h"

#include <QCoreApplication>
#include <cstdio>
#include <functional>
#include <map>

namespace pravik::cli {

int UsageError(const char* usage) {
    std::fprintf(stderr, "usage: %s\n", usage);
    return kExitError;
}

} // namespace pravik::cli

namespace {

const char* kUsage = "usage: pravik-cli COMMAND ARGS\n"
                     "  counts FILE        the status-bar counts after reading FILE\n"
                     "  dump FILE          one line per node: level, image index, text\n"
                     "  resave IN OUT      read IN and save it to OUT as Save does\n"
                     "  check FILE         the structure check; exit 1 when faults are found\n"
                     "  generate FILE [--source OUT.cpp] [--header OUT.h] [--date YYYY-MM-DD]\n"
                     "  config IN.cfg OUT.cfg\n";

} // namespace

int main(int argc, char** argv) {
    using namespace pravik::cli;
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();
    if (args.isEmpty()) {
        std::fputs(kUsage, stderr);
        return kExitError;
    }
    const QString command = args.takeFirst();
    // clang-format off
    const std::map<QString, std::function<int(const QStringList&)>> commands = {
        {QStringLiteral("counts"), RunCounts},
        {QStringLiteral("dump"), RunDump},
        {QStringLiteral("resave"), RunResave},
        {QStringLiteral("check"), RunCheck},
        {QStringLiteral("generate"), RunGenerate},
        {QStringLiteral("config"), RunConfig},
        // further subcommands are registered here
    };
    // clang-format on
    const auto it = commands.find(command);
    if (it == commands.end()) {
        std::fputs(kUsage, stderr);
        return kExitError;
    }
    try {
        return it->second(args);
    } catch (const pravik::PlatformError& e) {
        std::fprintf(stderr, "%s\n", e.message().toLocal8Bit().constData());
        return kExitError;
    }
}
