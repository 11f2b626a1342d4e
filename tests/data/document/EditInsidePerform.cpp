// Compiles: the tree changes through the editor perform() hands out.
#include "document/DocumentEditor.h"
#include "document/SmlDocument.h"

void Rename(pravik::SmlDocument& doc, pravik::SmlNode* node) {
    doc.perform(QStringLiteral("rename"),
                [&](pravik::DocumentEditor& ed) { ed.setText(node, "S1F1 P renamed"); });
}
