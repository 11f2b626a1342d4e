#include "app/StructureCheckCommand.h"

#include "app/SmlTextPane.h"
#include "app/SmlTreeView.h"
#include "document/SmlDocument.h"
#include "platform/Prompter.h"
#include "sml/StructureCheck.h"

namespace pravik {

void RunStructureCheck(SmlDocument& doc, SmlTreeView& tree, SmlTextPane& textPane,
                       Prompter& prompter, const std::function<void(SmlNode*)>& select) {
    const CheckResult result = CheckStructure(doc);
    const std::vector<SmlNode*> faulty = result.nodes();
    doc.setCheckMarks(faulty);
    if (!faulty.empty()) {
        // Every faulty node becomes visible; only the first is selected.
        tree.revealNodes(faulty);
        // Selecting each faulty node in turn would leave the text pane's
        // caret on the last faulty message, unless the first faulty node,
        // selected last, is a message itself: the same outcome, at once.
        for (auto it = faulty.rbegin(); it != faulty.rend(); ++it) {
            if ((*it)->isTopLevel()) {
                textPane.showMessageLine(*it);
                break;
            }
        }
        select(faulty.front());
    }
    tree.viewport()->update();
    if (!faulty.empty())
        prompter.messageBox(Prompter::Icon::Warning, QStringLiteral("Warning"),
                            QStringLiteral("메시지 구조에 오류가 있습니다."),
                            Prompter::Buttons::Ok);
    else
        prompter.messageBox(Prompter::Icon::Information, QStringLiteral("Information"),
                            QStringLiteral("오류를 찾지 못했습니다."), Prompter::Buttons::Ok);
}

} // namespace pravik
