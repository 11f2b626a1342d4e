#pragma once

#include <QSettings>
#include <memory>

namespace pravik {

// What the window remembers between runs (the communication pane's
// visibility and row limit): the user's own settings file, always the same
// one whatever the application object is called. Tests point QSettings at a
// folder of their own (QSettings::setPath) before any window exists.
std::unique_ptr<QSettings> OpenUserSettings();

} // namespace pravik
