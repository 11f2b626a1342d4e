// Must not compile: a change of the tree outside perform() would escape
// the undo stack.
#include "document/SmlDocument.h"

void Rename(pravik::SmlDocument& doc, pravik::SmlNode* node) {
    doc.setText(node, "S1F1 P renamed");
}
