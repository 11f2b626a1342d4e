#include "cli/CliCommands.h"
#include "cli/CliOutput.h"

#include "document/NodeHeader.h"
#include "document/NodeText.h"
#include "document/SmlDocument.h"
#include "platform/FileSystem.h"
#include "platform/PlatformError.h"
#include "secs/CommonSmlExport.h"
#include "secs/CommonSmlImport.h"
#include "secs/MessagePreview.h"
#include "sml/SmlReader.h"
#include "sml/SmlWriter.h"

#include <QRegularExpression>
#include <cstdio>

namespace pravik::cli {

namespace {

// Findings about the content go to stderr, one line each.
void Report(const QString& line) {
    std::fputs((line + QLatin1Char('\n')).toUtf8().constData(), stderr);
}

const SmlNode* FindMessage(const SmlDocument& doc, qint64 stream, qint64 function) {
    for (int row = 0; row < doc.topLevelCount(); ++row) {
        const SmlNode* n = doc.topLevel(row);
        const NodeHeader h = NodeHeader::Read(*n);
        if (h.messageForm && ParseDecimal(h.streamText, -1) == stream &&
            ParseDecimal(h.functionText, -1) == function)
            return n;
    }
    return nullptr;
}

} // namespace

int RunPreview(const Invocation& in) {
    const QString format = in.options.value(QStringLiteral("format"));
    const bool json = format == QLatin1String("json");
    if (!format.isEmpty() && !json && format != QLatin1String("text"))
        throw UsageError(QStringLiteral("unknown format '%1' (text or json)").arg(format));
    int count = 1;
    if (in.options.isSet(QStringLiteral("count"))) {
        const QString text = in.options.value(QStringLiteral("count"));
        bool ok = false;
        count = text.toInt(&ok);
        if (!ok || count < 0 || count > kMaxVariableCount)
            throw UsageError(
                QStringLiteral("--count must be 0 to %1: '%2'").arg(kMaxVariableCount).arg(text));
    }
    static const QRegularExpression keyForm(QStringLiteral("^[Ss](\\d{1,3})[Ff](\\d{1,3})$"));
    const QRegularExpressionMatch key = keyForm.match(in.args[1]);
    if (!key.hasMatch())
        throw UsageError(QStringLiteral("not a message (SxFy): '%1'").arg(in.args[1]));

    SmlDocument doc;
    ReadDocument(in.args[0], doc);
    const SmlNode* message =
        FindMessage(doc, key.captured(1).toLongLong(), key.captured(2).toLongLong());
    if (!message) {
        Report(QStringLiteral("pravik-cli preview: no message %1 in %2")
                   .arg(in.args[1].toUpper(), in.args[0]));
        return kExitError;
    }
    const MessagePreview preview = PreviewMessage(*message, count);
    if (!preview.ok()) {
        for (const DefinitionProblem& p : preview.problems)
            Report(QString::fromLatin1(preview.key) + QStringLiteral(": ") + p.text());
        return kExitFaults;
    }
    StdoutWriter out;
    const QByteArray sml = PrintedText(preview.sml, false);
    if (json) {
        out.write("{\"key\":" + JsonString(preview.key) + ",\"sml\":" + JsonString(sml) +
                  ",\"bytes\":" + JsonString(HexPairs(preview.body)) + "}\n");
    } else {
        out.write(sml + '\n' + HexDump(preview.body) +
                  QStringLiteral("전체 크기: %1 바이트\n").arg(preview.body.size()).toUtf8());
    }
    out.finish();
    return kExitOk;
}

int RunExport(const Invocation& in) {
    SmlDocument doc;
    ReadDocument(in.args[0], doc);
    const ExportResult result = ExportCommonSml(doc);
    CheckOutputPath(in.args[1], kCannotCreateFile);
    FileSystem::SafeSave(in.args[1], result.text, kCannotCreateFile);
    for (const SkippedMessage& s : result.skipped)
        Report(s.text());
    return result.skipped.empty() ? kExitOk : kExitFaults;
}

int RunImport(const Invocation& in) {
    const QByteArray text = FileSystem::ReadWholeFile(in.args[0]);
    SmlDocument doc;
    ImportResult result = ImportCommonSml(text, NewMessageIn(doc));
    if (result.error) {
        Report(in.args[0] + QStringLiteral(": ") + result.error->text());
        return kExitError;
    }
    AddImportedMessages(doc, result.messages);
    CheckOutputPath(in.args[1], kCannotCreateFile);
    SaveDocument(in.args[1], doc);
    for (const ImportConflict& c : result.conflicts)
        Report(c.text());
    return result.conflicts.empty() ? kExitOk : kExitFaults;
}

} // namespace pravik::cli
