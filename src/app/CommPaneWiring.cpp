#include "app/CommPaneWiring.h"

#include "app/LinkStateMark.h"
#include "app/PreviewPane.h"
#include "app/ProblemsPane.h"
#include "app/SmlTreeView.h"
#include "app/TfmMain.h"
#include "document/SmlNode.h"

#include <QSpinBox>
#include <QStatusBar>

namespace pravik {

namespace {
// Long enough to read a failure, short enough not to hide the next one.
constexpr int kStatusMs = 10000;
} // namespace

CommPane* InstallCommPane(TfmMain& window, DocumentSession& session, GuiPrompter& prompter) {
    auto* pane = new CommPane(session, prompter, &window);
    window.addDockWidget(Qt::BottomDockWidgetArea, pane);
    // The problems and the traffic share the bottom as tabs: each has the
    // window's width for its columns, and the tree keeps its height.
    window.tabifyDockWidget(window.problems(), pane);
    pane->hide();
    pane->setCountSource(window.previewPane()->countBox());
    window.statusBar()->addPermanentWidget(pane->statusMark());
    TfmMain* w = &window;
    QObject::connect(pane, &CommPane::nodeActivated, w, [w](SmlNode* node) {
        w->runCommand([w, node] {
            w->selectNode(node);
            w->tree()->setFocus(Qt::OtherFocusReason);
        });
    });
    QObject::connect(pane, &CommPane::statusMessage, w,
                     [w](const QString& text) { w->statusBar()->showMessage(text, kStatusMs); });
    QObject::connect(pane, &CommPane::configRequested, w,
                     [w] { w->runCommand([w] { w->OptionConfigExecute(); }); });
    return pane;
}

} // namespace pravik
