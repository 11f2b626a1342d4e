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

// The encoding rule of common-SML files, as preview, export and import
// follow it.
QString CommonSmlEncodingRule() {
    return QStringLiteral(
        "Encoding: a common-SML file is read by its byte-order mark (UTF-8,\n"
        "UTF-16LE, UTF-16BE); without one, valid UTF-8 is UTF-8 and anything else\n"
        "CP949; --encoding overrides. Files and previews are written in UTF-8, or in\n"
        "CP949 with --encoding cp949. Either way a value's count in brackets and the\n"
        "SECS-II bytes are the wire bytes, CP949 for A items as the driver sends\n"
        "them, so a preview printed in UTF-8 imports to the same bytes.");
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
             "backup present, OUT.cfg is updated in place and its other lines stay.\n"
             "Device IDs the driver would refuse (more than 10, or one that is not a\n"
             "number from 0 to 32767) are named on stderr, and the exit status is 1."),
         RunConfig},
        {QStringLiteral("preview"),
         QStringLiteral("a message's example in common SML and its SECS-II bytes"),
         {QStringLiteral("FILE"), QStringLiteral("SxFy")},
         {{QStringLiteral("count"), QStringLiteral("N"),
           QStringLiteral("elements of every list whose length is not fixed (default 1)")},
          {QStringLiteral("format"), QStringLiteral("FORMAT"),
           QStringLiteral("text (the default) or json")},
          {QStringLiteral("encoding"), QStringLiteral("ENCODING"),
           QStringLiteral("utf-8 (the default) or cp949, for the text output")}},
         QStringLiteral("Prints what the preview pane shows for the message SxFy of FILE: an\n"
                        "example instance in common SML, then its encoded body as hex bytes, 16\n"
                        "a line with offsets, and its size. With --format json the output is\n"
                        "  {\"key\":\"S6F11\",\"sml\":\"...\",\"bytes\":\"01 03 b1 04 ...\"}\n"
                        "A definition that cannot be encoded prints what is wrong on stderr and\n"
                        "exits with 1.\n\n") +
             CommonSmlEncodingRule(),
         RunPreview},
        {QStringLiteral("export"),
         QStringLiteral("every message as its example in common SML"),
         {QStringLiteral("FILE"), QStringLiteral("OUT.txt")},
         {{QStringLiteral("encoding"), QStringLiteral("ENCODING"),
           QStringLiteral("utf-8 (the default) or cp949")}},
         QStringLiteral(
             "Writes every message of FILE to OUT.txt as its example in common SML, with\n"
             "the descriptions as comments and marks that let import give back the same\n"
             "definitions. An existing OUT.txt first becomes OUT.txt.bak. Messages that\n"
             "have no example are named on stderr and left out; so are bytes of a text\n"
             "that are no CP949 character (in UTF-8 they become U+FFFD); the exit status\n"
             "is then 1.\n\n") +
             CommonSmlEncodingRule(),
         RunExport},
        {QStringLiteral("import"),
         QStringLiteral("message definitions from common SML (a traffic log or an export)"),
         {QStringLiteral("IN.txt"), QStringLiteral("OUT.sml")},
         {{QStringLiteral("encoding"), QStringLiteral("ENCODING"),
           QStringLiteral("auto (the default), utf-8, cp949, utf-16le or utf-16be")}},
         QStringLiteral(
             "Reads the messages of IN.txt and saves one definition per SxFy to OUT.sml as\n"
             "Save does. Instances of the same message merge: a list whose count differs\n"
             "becomes \"n\", an item length the largest seen. An instance whose structure\n"
             "does not merge is named on stderr with a line of each instance and left\n"
             "out; so is a message that holds a W (2-byte character) item, named by its\n"
             "line and column; the exit status is then 1.\n"
             "Besides our own notation it reads the dialects of the common SECS\n"
             "libraries: names before the header (Name:'S1F1' W, s1f1_1: S1F1 W), quoted\n"
             "headers, [n] as a declared size (<A[6] ''> is an item of 6), ranges [a..b]\n"
             "(a list becomes \"n\", an item takes the upper bound), 0b binary values,\n"
             "names in place of values (<A [6] SOFTREV>), the escapes \\\\ \\\" \\' \\n \\r\n"
             "\\t \\0 \\xHH in strings, and comments //, # and /* */.\n"
             "Texts that an .sml line cannot hold are mended and named on stderr: \">\"\n"
             "becomes the full-width \"\uFF1E\" (CP949 A3 BE), a line break a blank. Items\n"
             "and \"n\" lists without a name get one (V1, V2, ... per message); stderr\n"
             "says how many. Malformed text is reported with its line and column, and\n"
             "nothing is written; so is a message of more than 4000000 items,\n"
             "definitions of more than 4000000 nodes in all, or nesting so deep that\n"
             "the indented .sml text would pass 2 GiB (at the first item past it).\n\n") +
             CommonSmlEncodingRule(),
         RunImport},
        {QStringLiteral("send"),
         QStringLiteral("send a message over HSMS as a driver configuration says"),
         {QStringLiteral("CFG"), QStringLiteral("SxFy")},
         {{QStringLiteral("sml"), QStringLiteral("FILE"),
           QStringLiteral("the definitions (default: the configuration's \"SML\")")},
          {QStringLiteral("body"), QStringLiteral("FILE"),
           QStringLiteral("send the first message of FILE (common SML) instead of the example")},
          {QStringLiteral("count"), QStringLiteral("N"),
           QStringLiteral("elements of every list whose length is not fixed (default 1)")},
          {QStringLiteral("repeat"), QStringLiteral("N"),
           QStringLiteral("send it N times and print a summary")},
          {QStringLiteral("window"), QStringLiteral("W"),
           QStringLiteral("transactions open at once with --repeat (default 1)")},
          {QStringLiteral("format"), QStringLiteral("FORMAT"),
           QStringLiteral("text (the default) or json (one JSON object a line)")}},
         QStringLiteral(
             "Connects as CFG says (HSMS; \"Active\" connects to IP:Port and retries after T5\n"
             "up to \"Retry Limit\" times, passive listens there and waits as long), selects,\n"
             "sends SxFy - the example of its definition (as preview shows it) or the body\n"
             "given - prints the reply in common SML with its verdict, and separates.\n"
             "The reply is checked against its definition by the rule of the generated\n"
             "Receive code. One line per event: state changes, messages, alarms (T3, T6,\n"
             "T7, T8, S9 findings). With --format json each is one JSON object a line:\n"
             "  {\"time\":...,\"event\":\"message\",\"direction\":\"received\",\"key\":\"S1F2\",\n"
             "   "
             "\"w\":false,\"system_bytes\":1,\"device_id\":0,\"verdict\":\"conforms\",\"sml\":...}"
             "\n"
             "--repeat N sends it N times with --window W transactions open at once and\n"
             "ends with a summary (messages are not printed then):\n"
             "  {\"event\":\"summary\",\"count\":N,\"seconds\":S,\"rate\":R,\"p50_ms\":A,"
             "\"p99_ms\":B}\n"
             "The log of the configuration's [Log] section is written. Exit status: 0 the\n"
             "reply conforms (or no reply was asked for), 1 a reply does not conform or an\n"
             "S9 came back, 2 bad usage or a file error (also: \"SECS-I is not supported by\n"
             "the link\"), 3 no connection, or T3/T6/T7 expired."),
         RunSend},
        {QStringLiteral("serve"),
         QStringLiteral("run the link as a driver configuration says: answer, check and log"),
         {QStringLiteral("CFG")},
         {{QStringLiteral("sml"), QStringLiteral("FILE"),
           QStringLiteral("the definitions (default: the configuration's \"SML\")")},
          {QStringLiteral("seconds"), QStringLiteral("S"), QStringLiteral("stop after S seconds")},
          {QStringLiteral("messages"), QStringLiteral("N"),
           QStringLiteral("stop after N received messages")},
          {QStringLiteral("no-auto-reply"), {}, QStringLiteral("do not answer primaries with W")},
          {QStringLiteral("format"), QStringLiteral("FORMAT"),
           QStringLiteral("text (the default) or json (one JSON object a line)")}},
         QStringLiteral(
             "Runs the link in the configuration's role (host or equipment, active or\n"
             "passive) until SIGINT or SIGTERM, --seconds or --messages: every received\n"
             "message is checked against its definition (unless \"SkipSMLCheck\"), answered\n"
             "by S9F1/F3/F5/F7/F11 as the [S9 Reply] switches say (the equipment only; as\n"
             "host the findings are printed as alarms) and, without --no-auto-reply, a\n"
             "primary with W whose reply is defined gets the reply's example. Replies are\n"
             "never invented for messages not defined. Lines as for send; the log of the\n"
             "[Log] section is written and flushed when the link separates.\n"
             "Exit status: 0 stopped, 2 bad usage or a file error, 3 the address cannot\n"
             "be listened on or reached."),
         RunServe},
    };
    return table;
}

} // namespace pravik::cli
