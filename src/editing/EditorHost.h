#pragma once

namespace pravik {

class GuiPrompter;
class SmlDocument;
class SmlNode;

// What the editing commands need of the window that shows the tree.
class EditorHost {
public:
    virtual ~EditorHost() = default;
    virtual SmlDocument& document() = 0;
    virtual GuiPrompter& prompter() = 0;
    // The tree's selected node, or nullptr.
    virtual SmlNode* selectedNode() const = 0;
    // Selects node (nullptr clears the selection); the selection handling runs.
    virtual void selectNode(SmlNode* node) = 0;
};

} // namespace pravik
