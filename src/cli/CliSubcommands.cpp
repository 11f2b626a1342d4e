#include "cli/CliCommands.h"

#include "check/DefinitionChecker.h"

namespace pravik::cli {

std::vector<CliOption> NodeOutputOptions() {
    return {
        {QStringLiteral("raw"),
         {},
         QStringLiteral("print node texts as their bytes in the file (CP949), not UTF-8")},
        {QStringLiteral("format"), QStringLiteral("FORMAT"),
         QStringLiteral("text (the default) or json")},
    };
}

namespace {

// The body of `pravik-cli help lint`, ending with the checker's own list of
// rules, so that the help never lists rules the checker does not have.
QString LintDescription() {
    QString text = QStringLiteral(
        "Runs the definition checker on FILE: what keeps the generated C++ from\n"
        "compiling or from being safe on received data (errors), and what is likely\n"
        "a slip (warnings). One line per finding: the line of FILE (0 for the file\n"
        "as a whole), error or warning, the rule, the node's path and the message,\n"
        "separated by tabs; messages are Korean, printed in UTF-8 (--raw: CP949).\n"
        "--format gcc prints FILE:LINE: error: MESSAGE [RULE] for editors and CI;\n"
        "--format json prints one array of objects with file, line, severity, rule,\n"
        "key, path and message. The exit status is 1 when there are errors;\n"
        "warnings alone give 0.\n\nRules:");
    for (const RuleInfo* rule : DefinitionChecker::rules())
        text +=
            QStringLiteral("\n  %1  %2").arg(QLatin1String(rule->id), QLatin1String(rule->summary));
    return text;
}

} // namespace

// The subcommands, one entry each. A further subcommand is one more entry
// here, in the place the command list should show it.
const std::vector<Subcommand>& Subcommands() {
    static const std::vector<Subcommand> table = {
        {QStringLiteral("counts"),
         QStringLiteral("the two status-bar counts after reading FILE"),
         {QStringLiteral("FILE")},
         {},
         QStringLiteral("Reads FILE as the Open command does and prints the two counts the\n"
                        "status bar then shows, messages and all nodes, one per line."),
         RunCounts},
        {QStringLiteral("dump"),
         QStringLiteral("one line per node: level, image index, text"),
         {QStringLiteral("FILE")},
         NodeOutputOptions(),
         QStringLiteral(
             "Prints every node of FILE in file order, one line each: its level\n"
             "(messages are 0), its image index (0 message, 1 list, 2 item) and its\n"
             "text, separated by tabs. Texts are decoded from CP949 and printed in\n"
             "UTF-8; --raw prints the bytes of the file instead.\n"
             "With --format json the output is one JSON document:\n"
             "  {\"file\":\"FILE\",\"nodes\":[{\"level\":0,\"image\":0,\"text\":\"S1F1 P\"},...]}"),
         RunDump},
        {QStringLiteral("resave"),
         QStringLiteral("read IN and save it to OUT as Save does"),
         {QStringLiteral("IN"), QStringLiteral("OUT")},
         {},
         QStringLiteral("Reads IN and writes its tree to OUT as the Save command writes it.\n"
                        "An existing OUT first becomes OUT.bak; an older backup is kept."),
         RunResave},
        {QStringLiteral("check"),
         QStringLiteral("the structure check; exit 1 when faults are found"),
         {QStringLiteral("FILE")},
         NodeOutputOptions(),
         QStringLiteral(
             "Runs the structure check on FILE and prints one line per faulty node:\n"
             "its position in file order (from 0), its image index (3 message, 4 list,\n"
             "5 item, marked in error) and its text, separated by tabs. The exit status\n"
             "is 1 when a fault was found. --raw and --format json as for dump; in JSON\n"
             "each node also carries its position as \"index\":\n"
             "  {\"file\":\"FILE\",\"nodes\":[{\"index\":1,\"level\":1,\"image\":4,"
             "\"text\":\"L 2\"},...]}"),
         RunCheck},
        {QStringLiteral("lint"),
         QStringLiteral("the definition checker; exit 1 when errors are found"),
         {QStringLiteral("FILE")},
         {{QStringLiteral("raw"),
           {},
           QStringLiteral("print texts as CP949 bytes, not UTF-8 (text and gcc output)")},
          {QStringLiteral("format"), QStringLiteral("FORMAT"),
           QStringLiteral("text (the default), gcc or json")}},
         LintDescription(),
         RunLint},
        {QStringLiteral("generate"),
         QStringLiteral("the C++ source and header the generation command writes"),
         {QStringLiteral("FILE")},
         {{QStringLiteral("source"), QStringLiteral("OUT.cpp"),
           QStringLiteral("write the source file to OUT.cpp")},
          {QStringLiteral("header"), QStringLiteral("OUT.h"),
           QStringLiteral("write the header to OUT.h")},
          {QStringLiteral("date"), QStringLiteral("YYYY-MM-DD"),
           QStringLiteral("the date of the banners (default: today)")}},
         QStringLiteral("Generates the C++ source file and header for FILE as the generation\n"
                        "command does and writes those asked for (at least one of --source\n"
                        "and --header). An existing file first becomes its .bak backup."),
         RunGenerate},
        {QStringLiteral("config"),
         QStringLiteral("import a driver configuration and save it as the dialog's Save does"),
         {QStringLiteral("IN.cfg"), QStringLiteral("OUT.cfg")},
         {},
         QStringLiteral(
             "Reads IN.cfg as the configuration dialog reads it (defaults for a missing\n"
             "file or key) and writes OUT.cfg as the dialog's Save does: the first save\n"
             "moves an existing OUT.cfg to OUT.cfg.bak and writes a new file; with that\n"
             "backup present, OUT.cfg is updated in place and its other lines stay."),
         RunConfig},
    };
    return table;
}

} // namespace pravik::cli
