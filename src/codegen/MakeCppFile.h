#pragma once

#include <QDate>
#include <QString>

namespace pravik {

class Prompter;
class SmlDocument;

// The C++ generation command: asks for the source path and writes the
// source file, then (also after a cancel) asks for the header path and
// writes the header. fileName is the document's FileName, from which the
// first proposal is made ("NoName.sml" proposes NoName.cpp). Only reads the
// document. A PlatformError ("Cannot create file %s") travels to the
// caller; a failed source file leaves the header unasked.
void MakeCppFile(Prompter& prompter, const SmlDocument& doc, const QString& fileName,
                 const QString& initialDir);
// The same with an explicit generation date (tests).
void MakeCppFile(Prompter& prompter, const SmlDocument& doc, const QString& fileName,
                 const QString& initialDir, const QDate& date);

} // namespace pravik
