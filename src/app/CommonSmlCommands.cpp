#include "app/CommonSmlCommands.h"

#include "document/DocumentEdit.h"
#include "document/DocumentEditor.h"
#include "document/SmlDocument.h"
#include "platform/FileSystem.h"
#include "platform/PlatformError.h"
#include "platform/Prompter.h"
#include "secs/CommonSmlEncoding.h"
#include "secs/CommonSmlExport.h"
#include "secs/CommonSmlImport.h"

#include <QFileInfo>

namespace pravik {

namespace {
const QString kTextFilter = QStringLiteral("Text File|*.txt|All File|*.*");
} // namespace

QString ExportCommonSmlCommand(Prompter& prompter, const SmlDocument& doc,
                               const QString& documentName, const QString& initialDir) {
    Prompter::FileRequest request{QStringLiteral("공통 SML로 내보내기"),
                                  kTextFilter,
                                  initialDir,
                                  QFileInfo(documentName).completeBaseName() +
                                      QStringLiteral(".txt"),
                                  QStringLiteral("txt"),
                                  true};
    const auto path = prompter.saveFileName(request);
    if (!path)
        return QString();
    const ExportResult result = ExportCommonSml(doc);
    // Common-SML files are written in UTF-8 (the encoding rule).
    const EncodedSml file = EncodeSmlFile(result.text, SmlEncoding::Utf8);
    FileSystem::SafeSave(*path, file.bytes, kCannotCreateFile);
    const QString done =
        QStringLiteral("메시지 %1개를 공통 SML로 내보냈습니다.").arg(result.exported);
    if (!result.skipped.empty() || file.issueCount > 0) {
        QString report = done;
        if (!result.skipped.empty()) {
            QStringList lines;
            for (const SkippedMessage& s : result.skipped)
                lines << s.text();
            report += QStringLiteral("\n\n예제를 만들 수 없어 내보내지 않은 메시지:\n") +
                      lines.join(QLatin1Char('\n'));
        }
        if (file.issueCount > 0) {
            QStringList lines;
            for (const EncodingIssue& issue : file.issues)
                lines << issue.text();
            report +=
                QStringLiteral("\n\nUTF-8로 옮기지 못한 바이트 %1개:\n").arg(file.issueCount) +
                lines.join(QLatin1Char('\n'));
        }
        prompter.messageBox(Prompter::Icon::Information, QStringLiteral("Information"), report,
                            Prompter::Buttons::Ok);
    }
    return done;
}

namespace {

QString Listed(const std::vector<CommonSmlError>& items, qint64 count) {
    QStringList lines;
    for (const CommonSmlError& e : items)
        lines << e.text();
    if (count > qint64(items.size()))
        lines << QStringLiteral("그 밖에 %1개").arg(count - qint64(items.size()));
    return lines.join(QLatin1Char('\n'));
}

// What the import left out or changed, after the status line; empty when
// it took everything as it was.
QString ImportReport(const ImportResult& result, const AddedMessages& added) {
    QString report;
    if (!added.existing.empty()) {
        QStringList keys;
        for (const qint64 key : added.existing)
            keys << KeyText(key);
        report += QStringLiteral("\n\n문서에 이미 있어 그대로 둔 메시지:\n") +
                  keys.join(QStringLiteral(", "));
    }
    if (!result.conflicts.empty()) {
        QStringList lines;
        for (const ImportConflict& c : result.conflicts)
            lines << c.text();
        report += QStringLiteral("\n\n구조를 합칠 수 없어 뺀 인스턴스:\n") +
                  lines.join(QLatin1Char('\n'));
    }
    if (result.refusedCount > 0)
        report +=
            QStringLiteral("\n\n건너뛴 메시지:\n") + Listed(result.refused, result.refusedCount);
    if (result.warningCount > 0)
        report += QStringLiteral("\n\n고친 텍스트와 옮기지 못한 문자:\n") +
                  Listed(result.warnings, result.warningCount);
    return report;
}

} // namespace

SmlNode* ImportCommonSmlCommand(Prompter& prompter, SmlDocument& doc, SmlNode* selected,
                                const QString& initialDir, const QString& errorTitle,
                                QString& status) {
    Prompter::FileRequest request{
        QStringLiteral("공통 SML 가져오기"), kTextFilter, initialDir, {}, {}, false};
    const auto path = prompter.openFileName(request);
    if (!path)
        return nullptr;
    const QByteArray bytes = FileSystem::ReadWholeFile(*path);
    ImportResult result = ImportCommonSmlFile(bytes, SmlEncoding::Auto, NewMessageIn(doc));
    if (result.error) {
        prompter.messageBox(
            Prompter::Icon::Error, errorTitle,
            QStringLiteral("공통 SML을 읽을 수 없습니다: %1\n%2").arg(*path, result.error->text()),
            Prompter::Buttons::Ok);
        return nullptr;
    }
    AddedMessages added;
    if (doc.perform(
            ImportStepName(),
            [&](DocumentEditor& ed) { added = AddImportedMessages(ed, result.messages); }) &&
        !added.added.empty()) {
        doc.lastEdit()->selectAfterRedo = added.added.front();
        doc.lastEdit()->selectAfterUndo = selected;
    }
    status = QStringLiteral("메시지 %1개를 가져왔습니다.").arg(added.added.size());
    if (result.generatedNames > 0)
        status += QStringLiteral(" 이름이 없는 멤버 %1개에 이름을 붙였습니다.")
                      .arg(result.generatedNames);
    const QString report = ImportReport(result, added);
    if (!report.isEmpty())
        prompter.messageBox(Prompter::Icon::Information, QStringLiteral("Information"),
                            status + report, Prompter::Buttons::Ok);
    return added.added.empty() ? nullptr : added.added.front();
}

} // namespace pravik
