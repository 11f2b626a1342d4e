#pragma once

#include <QString>

namespace pravik {

class GuiPrompter;
class SmlDocument;
class SmlNode;
struct DocumentState;

// What the editing commands need of the main window, which implements it.
class EditorHost {
public:
    virtual ~EditorHost() = default;
    virtual SmlDocument& document() = 0;
    virtual DocumentState& state() = 0;
    virtual GuiPrompter& prompter() = 0;
    // The tree's selected node, or nullptr.
    virtual SmlNode* selectedNode() const = 0;
    // Selects node (nullptr clears the selection); the selection handling runs.
    virtual void selectNode(SmlNode* node) = 0;
    // Enables or disables the paste command (after a paste or a refused one).
    virtual void setPasteEnabled(bool enabled) = 0;
};

} // namespace pravik
