#include "cli/CliCommands.h"
#include "cli/CliOutput.h"

#include "check/DefinitionChecker.h"
#include "document/SmlDocument.h"
#include "document/SmlNode.h"
#include "platform/AnsiText.h"
#include "sml/SmlReader.h"

namespace pravik::cli {

namespace {

enum class LintFormat { Text, Gcc, Json };

LintFormat ReadLintFormat(const QCommandLineParser& options, bool raw) {
    const QString format = options.value(QStringLiteral("format"));
    LintFormat f = LintFormat::Text;
    if (format == QLatin1String("gcc"))
        f = LintFormat::Gcc;
    else if (format == QLatin1String("json"))
        f = LintFormat::Json;
    else if (!format.isEmpty() && format != QLatin1String("text"))
        throw UsageError(QStringLiteral("unknown format '%1' (text, gcc or json)").arg(format));
    if (f == LintFormat::Json && raw)
        throw UsageError(QStringLiteral("--raw applies to text and gcc output only"));
    return f;
}

// Text the program made (messages, "…") in the output's encoding.
QByteArray Printed(const QString& text, bool raw) {
    return raw ? AnsiText::Encode(text) : text.toUtf8();
}

// The path with the node texts as printed: decoded, or their own bytes.
QByteArray PrintedPath(const Diagnostic& d, bool raw) {
    QByteArray path;
    for (const SmlNode* n : DiagnosticPathNodes(d)) {
        if (!path.isEmpty())
            path += " > ";
        path += n ? PrintedText(n->Text().trimmed(), raw) : Printed(QStringLiteral("…"), raw);
    }
    return path;
}

QByteArray SeverityWord(const Diagnostic& d) {
    return d.isError() ? "error" : "warning";
}

} // namespace

int RunLint(const Invocation& in) {
    const bool raw = in.options.isSet(QStringLiteral("raw"));
    const LintFormat format = ReadLintFormat(in.options, raw);
    const QString& file = in.args[0];
    SmlDocument doc;
    ReadDocument(file, doc);
    const std::vector<Diagnostic> found = CheckDefinitions(doc);

    StdoutWriter out;
    const QByteArray fileName = Printed(file, raw);
    if (format == LintFormat::Json)
        out.write("[");
    bool first = true;
    for (const Diagnostic& d : found) {
        const int line = DiagnosticLine(d);
        switch (format) {
        case LintFormat::Text:
            // line, severity, rule, path, message; tab-separated like dump.
            out.write(QByteArray::number(line) + '\t' + SeverityWord(d) + '\t' + d.rule + '\t' +
                      PrintedPath(d, raw) + '\t' + Printed(d.message, raw) + '\n');
            break;
        case LintFormat::Gcc:
            // What editors and CI annotate: FILE:LINE: error: MESSAGE [RULE].
            out.write(fileName + (line > 0 ? ':' + QByteArray::number(line) : QByteArray()) + ": " +
                      SeverityWord(d) + ": " + Printed(d.text(), raw) + '\n');
            break;
        case LintFormat::Json:
            out.write(QByteArray(first ? "\n{" : ",\n{") + "\"file\":" + JsonString(file.toUtf8()) +
                      ",\"line\":" + QByteArray::number(line) + ",\"severity\":\"" +
                      SeverityWord(d) + "\",\"rule\":\"" + d.rule +
                      "\",\"key\":" + JsonString(DiagnosticKey(d).toUtf8()) +
                      ",\"path\":" + JsonString(PrintedPath(d, false)) +
                      ",\"message\":" + JsonString(d.message.toUtf8()) + '}');
            break;
        }
        first = false;
    }
    if (format == LintFormat::Json)
        out.write("]\n");
    out.finish();
    return CountDiagnostics(found).errors > 0 ? kExitFaults : kExitOk;
}

} // namespace pravik::cli
