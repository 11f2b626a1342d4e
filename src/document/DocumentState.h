#pragma once

#include <QString>

namespace pravik {

class SmlNode;

// The document state the main window holds beside the tree.
struct DocumentState {
    // Set just before the message or item dialog opens: true when it edits
    // the selected node, false when it adds one.
    bool EditMode = false;
    // Whether the document has unsaved changes is the document's own:
    // SmlDocument::isModified(), from its undo stack.
    // The current document's path; "NoName.sml" for a new document never
    // saved; empty when no document has been created or opened yet.
    QString FileName;
    // The node last cut or copied; never a node that has left the tree.
    SmlNode* ClipboardNode = nullptr;
};

} // namespace pravik
