#include "cli/CliCommands.h"
#include "cli/CliOutput.h"

#include "document/NodeHeader.h"
#include "document/NodeText.h"
#include "document/SmlDocument.h"
#include "platform/FileSystem.h"
#include "platform/PlatformError.h"
#include "secs/CommonSmlEncoding.h"
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

// --encoding: one of names (lower case), or fallback when not given.
SmlEncoding EncodingOption(const Invocation& in, SmlEncoding fallback, const QStringList& names) {
    if (!in.options.isSet(QStringLiteral("encoding")))
        return fallback;
    const QString text = in.options.value(QStringLiteral("encoding"));
    if (text.toLower() == QLatin1String("auto") && names.contains(QLatin1String("auto")))
        return SmlEncoding::Auto;
    const std::optional<SmlEncoding> e = SmlEncodingFromName(text);
    if (!e || !names.contains(SmlEncodingName(*e).toLower()))
        throw UsageError(QStringLiteral("unknown encoding '%1' (%2)")
                             .arg(text, names.join(QStringLiteral(", "))));
    return *e;
}

const QStringList kWrittenEncodings = {QStringLiteral("utf-8"), QStringLiteral("cp949")};

// Characters a file's encoding could not carry, one line each.
void ReportIssues(const QString& file, const std::vector<EncodingIssue>& issues, qint64 count) {
    for (const EncodingIssue& issue : issues)
        Report(file + QStringLiteral(": ") + issue.text());
    if (count > qint64(issues.size()))
        Report(file + QStringLiteral(": 그 밖에 %1개").arg(count - qint64(issues.size())));
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
    const SmlEncoding encoding = EncodingOption(in, SmlEncoding::Utf8, kWrittenEncodings);
    if (json && encoding != SmlEncoding::Utf8)
        throw UsageError(QStringLiteral("--encoding cp949 cannot be used with --format json"));
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
    // The example in the file encoding asked for; its counts and bytes are
    // CP949's whatever it is printed in.
    const EncodedSml printed = EncodeSmlFile(preview.sml, encoding);
    const QByteArray& sml = printed.bytes;
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
    const SmlEncoding encoding = EncodingOption(in, SmlEncoding::Utf8, kWrittenEncodings);
    SmlDocument doc;
    ReadDocument(in.args[0], doc);
    const ExportResult result = ExportCommonSml(doc);
    const EncodedSml file = EncodeSmlFile(result.text, encoding);
    CheckOutputPath(in.args[1], kCannotCreateFile);
    FileSystem::SafeSave(in.args[1], file.bytes, kCannotCreateFile);
    for (const SkippedMessage& s : result.skipped)
        Report(s.text());
    ReportIssues(in.args[1], file.issues, file.issueCount);
    return result.skipped.empty() && file.issueCount == 0 ? kExitOk : kExitFaults;
}

int RunImport(const Invocation& in) {
    const SmlEncoding encoding =
        EncodingOption(in, SmlEncoding::Auto,
                       {QStringLiteral("auto"), QStringLiteral("utf-8"), QStringLiteral("cp949"),
                        QStringLiteral("utf-16le"), QStringLiteral("utf-16be")});
    const QByteArray bytes = FileSystem::ReadWholeFile(in.args[0]);
    SmlDocument doc;
    ImportResult result = ImportCommonSmlFile(bytes, encoding, NewMessageIn(doc));
    const QString& file = in.args[0];
    if (result.error) {
        Report(file + QStringLiteral(": ") + result.error->text());
        return kExitError;
    }
    AddImportedMessages(doc, result.messages);
    CheckOutputPath(in.args[1], kCannotCreateFile);
    // What an import makes must come back from the file it writes.
    SaveDocument(in.args[1], doc, SaveCheck::ReadsBack);
    // A character the encoding could not carry is lost; a mended text is not.
    const bool leftOut =
        !result.conflicts.empty() || result.refusedCount > 0 || result.uncarried > 0;
    for (const CommonSmlError& w : result.warnings)
        Report(file + QStringLiteral(": ") + w.text());
    if (result.warningCount > qint64(result.warnings.size()))
        Report(file + QStringLiteral(": 그 밖의 경고 %1개")
                          .arg(result.warningCount - qint64(result.warnings.size())));
    for (const CommonSmlError& r : result.refused)
        Report(file + QStringLiteral(": ") + r.text());
    if (result.refusedCount > qint64(result.refused.size()))
        Report(file + QStringLiteral(": 그 밖에 건너뛴 메시지 %1개")
                          .arg(result.refusedCount - qint64(result.refused.size())));
    for (const ImportConflict& c : result.conflicts)
        Report(c.text());
    if (result.generatedNames > 0)
        Report(file + QStringLiteral(": 이름이 없는 멤버 %1개에 이름(V1, V2, ...)을 붙였습니다")
                          .arg(result.generatedNames));
    return leftOut ? kExitFaults : kExitOk;
}

} // namespace pravik::cli
