#include "codegen/MakeCppFile.h"

#include "codegen/HeaderWriter.h"
#include "codegen/SourceWriter.h"
#include "platform/Clock.h"
#include "platform/PathNames.h"
#include "platform/Prompter.h"

namespace pravik {

void MakeCppFile(Prompter& prompter, const SmlDocument& doc, const QString& fileName,
                 const QString& initialDir) {
    MakeCppFile(prompter, doc, fileName, initialDir, Clock::Now().date());
}

void MakeCppFile(Prompter& prompter, const SmlDocument& doc, const QString& fileName,
                 const QString& initialDir, const QDate& date) {
    Prompter::FileRequest source;
    source.filter = QStringLiteral("C++ Source File|*.cpp");
    source.defaultExtension = QStringLiteral("cpp");
    source.proposedName = PathNames::ChangeFileExt(fileName, QStringLiteral(".cpp"));
    source.initialDir = initialDir;
    source.overwritePrompt = true;
    const std::optional<QString> sourcePath = prompter.saveFileName(source);
    if (sourcePath)
        WriteSource(doc, *sourcePath, date);

    // The header is asked for in either case, proposed after the dialog's
    // current name: the chosen source path, or the proposal after a cancel.
    Prompter::FileRequest header;
    header.filter = QStringLiteral("Header File|*.h");
    header.defaultExtension = QStringLiteral("h");
    header.proposedName = PathNames::ChangeFileExt(sourcePath ? *sourcePath : source.proposedName,
                                                   QStringLiteral(".h"));
    header.initialDir = initialDir;
    header.overwritePrompt = true;
    const std::optional<QString> headerPath = prompter.saveFileName(header);
    if (headerPath)
        WriteHeader(doc, *headerPath, date);
}

} // namespace pravik
