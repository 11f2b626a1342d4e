// The preview pane on a message of 10^4 nodes: the refresh after an edit
// (example, SML text, encoding, hex lines, marks) up to the repaint of both
// views, offscreen.
#include "BenchPrompter.h"
#include "app/PreviewPane.h"
#include "app/TextPane.h"
#include "app/TfmMain.h"
#include "document/DocumentEditor.h"
#include "document/SmlDocument.h"
#include "gui/GuiPrompter.h"
#include "platform/Prompter.h"
#include "sml/SmlReader.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <benchmark/benchmark.h>

using namespace pravik;

namespace {

// One message of 10^4 nodes: a header and 2,499 records of three values.
QByteArray Message() {
    QByteArray text = "<S6F11 P Event Report Send\r\n  <L 2 Report \r\n    <U4 1 DATAID >\r\n"
                      "    <L 2499 Records \r\n";
    for (int i = 0; i < 2499; ++i)
        text += "      <L 3 Record \r\n        <U4 1 ID >\r\n        <A 16 Name >\r\n"
                "        <F8 1 Value >\r\n      >\r\n";
    return text + "    >\r\n  >\r\n>\r\n";
}

void BM_RefreshAfterEdit(benchmark::State& state) {
    BenchPrompter p;
    TfmMain w(p);
    w.resize(1400, 900);
    w.show();
    ParsedSml parsed = ParseSml(Message());
    w.document().resetTo(std::move(parsed.root), parsed.counts.nodes);
    w.action("ToolPreview")->setChecked(true);
    w.ToolPreviewExecute();
    PreviewPane* pane = w.previewPane();
    SmlNode* message = w.document().topLevel(0);
    SmlNode* item = message->child(0)->child(1)->child(1200)->child(1); // a name in the middle
    w.selectNode(item);
    pane->refreshNow();
    QApplication::processEvents();
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const QByteArray text = "A " + QByteArray::number(16 + round++ % 2) + " Name";
        w.document().perform(QStringLiteral("bench"),
                             [&](DocumentEditor& ed) { ed.setText(item, text); });
        state.ResumeTiming();
        pane->refreshNow();
        pane->smlView()->viewport()->repaint();
        pane->bytesView()->viewport()->repaint();
    }
    state.counters["nodes"] = static_cast<double>(message->subtreeSize());
    state.counters["body_bytes"] = static_cast<double>(pane->preview().body.size());
    state.counters["sml_lines"] = static_cast<double>(pane->smlView()->lineCount());
}
BENCHMARK(BM_RefreshAfterEdit)->Unit(benchmark::kMillisecond)->Iterations(50);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
