#pragma once

#include <QString>

namespace pravik {

class Prompter;
class SmlDocument;
class SmlNode;

// The File menu's commands for common SML. Both report through the
// prompter; a file that cannot be read or written throws PlatformError.

// "공통 SML로 내보내기...": asks for a file and writes every message as its
// example in common SML through the safe-save path. Messages that have no
// example are named in one information box. Returns the status-bar text.
QString ExportCommonSmlCommand(Prompter& prompter, const SmlDocument& doc,
                               const QString& documentName, const QString& initialDir);

// "공통 SML 가져오기...": asks for a file and adds its messages to the
// document as one undoable step. Messages the document has already and
// instances that do not merge are listed in one information box; malformed
// text is shown in an error box (errorTitle) with its line and column, and
// nothing is added. Returns the topmost message added (to select), or
// nullptr; status receives the status-bar text.
SmlNode* ImportCommonSmlCommand(Prompter& prompter, SmlDocument& doc, SmlNode* selected,
                                const QString& initialDir, const QString& errorTitle,
                                QString& status);

} // namespace pravik
