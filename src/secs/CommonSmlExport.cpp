#include "secs/CommonSmlExport.h"

#include "document/SmlDocument.h"
#include "platform/AnsiText.h"
#include "secs/CommonSmlWriter.h"

namespace pravik {

QString SkippedMessage::text() const {
    const QString head = AnsiText::Decode(message->TextView().toByteArray());
    QStringList lines;
    for (const DefinitionProblem& p : problems)
        lines << head + QStringLiteral(": ") + (p.node == message ? p.message : p.text());
    return lines.join(QLatin1Char('\n'));
}

ExportResult ExportCommonSml(const SmlDocument& doc) {
    ExportResult result;
    ExampleOptions options;
    options.variableItems = true;
    options.markUnnamed = true;
    for (int row = 0; row < doc.topLevelCount(); ++row) {
        const SmlNode* node = doc.topLevel(row);
        Example example = BuildExample(*node, options);
        if (!example.problems.empty()) {
            result.skipped.push_back({node, std::move(example.problems)});
            continue;
        }
        if (result.exported > 0)
            result.text.append("\r\n");
        WriteCommonSml(example.message, result.text, "\r\n");
        ++result.exported;
    }
    return result;
}

} // namespace pravik
