#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace pravik {

// Every message box, file dialog, folder chooser and shell request of the
// program goes through one Prompter (modal dialog runs through its GUI-side
// extension, GuiPrompter). The application uses the Qt implementation; tests
// use a scripted one, which is what makes questions, cancel paths and error
// boxes testable without a person.
class Prompter {
public:
    enum class Icon { Information, Warning, Error, Question };
    enum class Buttons { Ok, YesNo, YesNoCancel };
    enum class Answer { Ok, Yes, No, Cancel };

    struct FileRequest {
        QString title;
        // Windows-style filter: "SML File|*.sml|Text File|*.txt|All File|*.*".
        QString filter;
        QString initialDir;
        QString proposedName;
        QString defaultExtension; // without the dot, e.g. "sml"
        bool overwritePrompt = false;
    };

    virtual ~Prompter() = default;

    // A modal message box; returns the button chosen (closing the box counts
    // as Cancel for YesNoCancel, No for YesNo and Ok for Ok).
    virtual Answer messageBox(Icon icon, const QString& title, const QString& text,
                              Buttons buttons) = 0;
    // Standard open/save file dialogs; std::nullopt when cancelled.
    virtual std::optional<QString> openFileName(const FileRequest& request) = 0;
    virtual std::optional<QString> saveFileName(const FileRequest& request) = 0;
    // Folder chooser; std::nullopt when cancelled. The user may also type the
    // name of a folder that does not exist, which is returned as typed
    // (ChooseFolderCreating asks before creating it). start may name a
    // folder that does not exist.
    virtual std::optional<QString> chooseFolder(const QString& title, const QString& start) = 0;
    // Asks the desktop shell to open a document with its registered program.
    virtual void openWithShell(const QString& path) = 0;
};

} // namespace pravik
