#include "editing/TfmMsgEdit.h"

namespace pravik {

TfmMsgEdit::TfmMsgEdit(QWidget* parent) : QDialog(parent) { setWindowTitle(QStringLiteral("Message")); }

} // namespace pravik
