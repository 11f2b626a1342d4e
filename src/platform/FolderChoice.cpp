#include "platform/FolderChoice.h"

#include "platform/Prompter.h"

#include <QDir>
#include <QFileInfo>

namespace pravik {

std::optional<QString> ChooseFolderCreating(Prompter& prompter, const QString& title,
                                            const QString& start) {
    std::optional<QString> folder = prompter.chooseFolder(title, start);
    while (folder && !QFileInfo(*folder).isDir()) {
        const QString question =
            QStringLiteral("The folder \"%1\" does not exist. Create it?").arg(*folder);
        if (prompter.messageBox(Prompter::Icon::Question, title, question,
                                Prompter::Buttons::YesNo) == Prompter::Answer::Yes) {
            if (QDir().mkpath(*folder))
                break;
            prompter.messageBox(Prompter::Icon::Error, title,
                                QStringLiteral("Cannot create folder %1").arg(*folder),
                                Prompter::Buttons::Ok);
        }
        folder = prompter.chooseFolder(title, *folder);
    }
    return folder;
}

} // namespace pravik
