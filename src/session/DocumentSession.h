#pragma once

#include "sml/SmlReader.h"

#include <QObject>
#include <QString>
#include <optional>

namespace pravik {

class Prompter;
class SmlDocument;

// The life of the one document the window shows: New, Open, Save and Save
// As, its name (untitled until the user gives it one), the caption, and the
// one question asked before unsaved changes would be lost. No widgets:
// questions and file dialogs go through the prompter, and whoever shows the
// document learns from the signals what happened to it.
class DocumentSession : public QObject {
    Q_OBJECT
public:
    static const QString kProductName;  // "Pravik for Zorv"
    static const QString kUntitledName; // "NoName.sml"
    static const QString kFileFilter;

    DocumentSession(SmlDocument& doc, Prompter& prompter, QObject* parent = nullptr);

    SmlDocument& document() const { return m_doc; }
    // The folder the file dialogs start in.
    void setInitialDir(const QString& dir) { m_initialDir = dir; }
    const QString& initialDir() const { return m_initialDir; }

    // A document was made or opened.
    bool hasDocument() const { return !m_fileName.isEmpty(); }
    // Made by New and never saved under a name of the user's choice.
    bool isUntitled() const { return m_untitled; }
    // The path, "NoName.sml" for an untitled document, empty before the first.
    const QString& fileName() const { return m_fileName; }
    // "Pravik for Zorv", and " - " with the file name once there is a
    // document; the title of the program's message boxes too.
    QString caption() const;
    // The caption with " *" while there are unsaved changes.
    QString windowTitle() const;
    // The counts of the last file read (New leaves them as they are).
    ReadCounts counts() const { return m_counts; }

    // Why the document is about to go.
    enum class Leaving {
        Replace, // New, Open: "Yes" saves under the current name, without a dialog
        Close,   // the window closes: "Yes" asks for the name to save under
    };
    // The one question before unsaved changes are lost ("NAME 을(를)
    // 저장하겠습니까?", Yes / No / Cancel). True when the caller may go on:
    // nothing to lose, saved, or "No". A failed save throws PlatformError.
    bool confirmLosingChanges(Leaving why);

    // The commands. Each returns false when the user cancelled it.
    bool newDocument();
    // The question, the open dialog, then openFile.
    bool open();
    // Reads the file at path into the document (the part of Open after the
    // dialog; also for a file named on the command line). The file is read
    // whole first: one that cannot be read throws PlatformError("Cannot open
    // file %s") and leaves everything as it was.
    void openFile(const QString& path);
    // Save under the name, or as Save As for an untitled document.
    bool save();
    bool saveAs();

signals:
    // The tree was replaced: by New (fileText is nullptr) or by a file read
    // (fileText: its bytes as read).
    void documentReplaced(const QByteArray* fileText);
    // The caption or the window title changed.
    void captionChanged();

private:
    // The save dialog's answer (proposing the current name), or nothing.
    std::optional<QString> askSavePath() const;
    void setFileName(const QString& name, bool untitled);

    SmlDocument& m_doc;
    Prompter& m_prompter;
    QString m_initialDir;
    QString m_fileName;
    bool m_untitled = false;
    ReadCounts m_counts;
};

} // namespace pravik
