#include "cli/CliCommands.h"
#include "cli/CliOutput.h"

#include "codegen/HeaderWriter.h"
#include "codegen/SourceWriter.h"
#include "document/SmlDocument.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/PlatformError.h"
#include "sml/SmlReader.h"

#include <QDate>

namespace pravik::cli {

// Writes the files the C++ generation command writes: the source first,
// then the header, each only when asked for. Both texts are made and both
// paths checked before either file is touched.
int RunGenerate(const Invocation& in) {
    const QString source = in.options.value(QStringLiteral("source"));
    const QString header = in.options.value(QStringLiteral("header"));
    if (source.isEmpty() && header.isEmpty())
        throw UsageError(QStringLiteral("nothing to write: give --source, --header or both"));
    QDate date = Clock::Now().date();
    if (in.options.isSet(QStringLiteral("date"))) {
        const QString text = in.options.value(QStringLiteral("date"));
        date = QDate::fromString(text, Qt::ISODate);
        if (!date.isValid())
            throw UsageError(QStringLiteral("not a date (YYYY-MM-DD): '%1'").arg(text));
    }
    SmlDocument doc;
    ReadDocument(in.args[0], doc);
    QByteArray sourceText, headerText;
    if (!source.isEmpty())
        sourceText = GenerateSourceText(doc, source, date);
    if (!header.isEmpty())
        headerText = GenerateHeaderText(doc, header, date);
    for (const QString& path : {source, header})
        if (!path.isEmpty())
            CheckOutputPath(path, kCannotCreateFile);
    if (!source.isEmpty())
        FileSystem::SafeSave(source, sourceText, kCannotCreateFile);
    if (!header.isEmpty())
        FileSystem::SafeSave(header, headerText, kCannotCreateFile);
    return kExitOk;
}

} // namespace pravik::cli
