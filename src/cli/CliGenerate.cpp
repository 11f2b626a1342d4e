#include "cli/CliCommands.h"

#include "codegen/HeaderWriter.h"
#include "codegen/SourceWriter.h"
#include "document/SmlDocument.h"
#include "platform/Clock.h"
#include "sml/SmlReader.h"

#include <QDate>

namespace pravik::cli {

namespace {
const char* kGenerateUsage =
    "pravik-cli generate FILE [--source OUT.cpp] [--header OUT.h] [--date YYYY-MM-DD]";
}

// Writes the files the C++ generation command writes: the source first,
// then the header, each only when asked for.
int RunGenerate(const QStringList& args) {
    QString file, source, header;
    QDate date = Clock::Now().date();
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("--source") && hasValue) {
            source = args[++i];
        } else if (a == QLatin1String("--header") && hasValue) {
            header = args[++i];
        } else if (a == QLatin1String("--date") && hasValue) {
            date = QDate::fromString(args[++i], Qt::ISODate);
            if (!date.isValid())
                return UsageError(kGenerateUsage);
        } else if (file.isEmpty() && !a.startsWith(QLatin1String("--"))) {
            file = a;
        } else {
            return UsageError(kGenerateUsage);
        }
    }
    if (file.isEmpty() || (source.isEmpty() && header.isEmpty()))
        return UsageError(kGenerateUsage);
    SmlDocument doc;
    ReadDocument(file, doc);
    if (!source.isEmpty())
        WriteSource(doc, source, date);
    if (!header.isEmpty())
        WriteHeader(doc, header, date);
    return kExitOk;
}

} // namespace pravik::cli
