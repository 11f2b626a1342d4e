#pragma once

#include <functional>

namespace pravik {

class Prompter;
class SmlDocument;
class SmlNode;
class SmlTextPane;
class SmlTreeView;

// The structure check as the window runs it: the faulty nodes become the
// tree's marks and visible, the first of them is selected (through select,
// so that the selection handling runs once), and a box tells the result.
void RunStructureCheck(SmlDocument& doc, SmlTreeView& tree, SmlTextPane& textPane,
                       Prompter& prompter, const std::function<void(SmlNode*)>& select);

} // namespace pravik
