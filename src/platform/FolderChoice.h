#pragma once

#include <QString>
#include <optional>

namespace pravik {

class Prompter;

// The folder chooser that may create a folder: the user picks a folder or
// types the name of one that does not exist; such a name is created only
// after a Yes to "The folder ... does not exist. Create it?". No (or a
// folder that cannot be created, after its error box) returns to the
// chooser on the typed name. std::nullopt when the chooser is cancelled.
std::optional<QString> ChooseFolderCreating(Prompter& prompter, const QString& title,
                                            const QString& start);

} // namespace pravik
