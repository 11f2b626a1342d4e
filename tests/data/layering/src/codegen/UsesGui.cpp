#include "gui/GuiPrompter.h"
#include "editing/FieldRules.h"
