#pragma once

#include "platform/Prompter.h"

class QDialog;

namespace pravik {

// The prompter of the windowed program. Running a modal dialog belongs to the
// GUI side alone, so the core (which only asks questions and for paths) never
// names a widget class.
class GuiPrompter : public Prompter {
public:
    // Runs a dialog modally; returns QDialog::Accepted or QDialog::Rejected.
    virtual int runDialog(QDialog* dialog) = 0;
};

} // namespace pravik
