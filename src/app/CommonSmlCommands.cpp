#include "app/CommonSmlCommands.h"

#include "document/DocumentEdit.h"
#include "document/DocumentEditor.h"
#include "document/SmlDocument.h"
#include "platform/FileSystem.h"
#include "platform/PlatformError.h"
#include "platform/Prompter.h"
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
    FileSystem::SafeSave(*path, result.text, kCannotCreateFile);
    const QString done =
        QStringLiteral("메시지 %1개를 공통 SML로 내보냈습니다.").arg(result.exported);
    if (!result.skipped.empty()) {
        QStringList lines;
        for (const SkippedMessage& s : result.skipped)
            lines << s.text();
        prompter.messageBox(Prompter::Icon::Information, QStringLiteral("Information"),
                            done +
                                QStringLiteral("\n\n예제를 만들 수 없어 내보내지 않은 "
                                               "메시지:\n") +
                                lines.join(QLatin1Char('\n')),
                            Prompter::Buttons::Ok);
    }
    return done;
}

SmlNode* ImportCommonSmlCommand(Prompter& prompter, SmlDocument& doc, SmlNode* selected,
                                const QString& initialDir, const QString& errorTitle,
                                QString& status) {
    Prompter::FileRequest request{
        QStringLiteral("공통 SML 가져오기"), kTextFilter, initialDir, {}, {}, false};
    const auto path = prompter.openFileName(request);
    if (!path)
        return nullptr;
    const QByteArray text = FileSystem::ReadWholeFile(*path);
    ImportResult result = ImportCommonSml(text, NewMessageIn(doc));
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
    if (!added.existing.empty() || !result.conflicts.empty()) {
        QString report = status;
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
        prompter.messageBox(Prompter::Icon::Information, QStringLiteral("Information"), report,
                            Prompter::Buttons::Ok);
    }
    return added.added.empty() ? nullptr : added.added.front();
}

} // namespace pravik
