#pragma once

#include "app/CommPane.h"

namespace pravik {

class TfmMain;

// How the communication pane joins the main window: a dock at the bottom
// (hidden until asked for), its state mark in the status bar, the preview's
// "n" count for its examples, a double-clicked row selecting its node in the
// tree, its failures in the status bar, and "설정..." running the window's
// configuration command. Called once the preview and the status bar exist.
CommPane* InstallCommPane(TfmMain& window, DocumentSession& session, GuiPrompter& prompter);

} // namespace pravik
