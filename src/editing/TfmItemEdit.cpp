#include "editing/TfmItemEdit.h"

namespace pravik {

TfmItemEdit::TfmItemEdit(QWidget* parent) : QDialog(parent) { setWindowTitle(QStringLiteral("Item")); }

} // namespace pravik
