// The main window at scale, offscreen: opening a 10^6-node file up to the
// first paint, the structure check with 10^5 faulty nodes up to the repaint,
// selecting a message while the text pane shows the whole file, the problems
// pane checking the 10^6 nodes again after an edit (at once, and as the
// window's event loop does it), and F3 finding the last of 10^6 nodes.
#include "BenchPrompter.h"
#include "app/FindBar.h"
#include "app/ProblemsPane.h"
#include "app/SmlTreeView.h"
#include "app/TfmMain.h"
#include "document/DocumentEditor.h"
#include "document/SmlDocument.h"
#include "gui/GuiPrompter.h"

#include "app/TextPane.h"
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <memory>

using namespace pravik;

namespace {

constexpr int kMessages = 100000; // 10 nodes each: 10^6 nodes

// 10^5 messages, each with a list of eight items. With faulty set, every
// list claims nine: 10^5 faulty nodes, each inside a collapsed message.
QString WriteFile(const QTemporaryDir& dir, bool faulty) {
    QByteArray text;
    text.reserve(kMessages * 200);
    for (int m = 0; m < kMessages; ++m) {
        text += "<S" + QByteArray::number(m / 256 + 1) + "F" + QByteArray::number(m % 256) +
                " P Message " + QByteArray::number(m) + "\r\n";
        text += faulty ? "  <L 9 Values \r\n" : "  <L 8 Values \r\n";
        for (int i = 0; i < 8; ++i)
            text += "    <U4 1 Value" + QByteArray::number(i) + " >\r\n";
        text += "  >\r\n>\r\n\r\n";
    }
    const QString path = dir.filePath(faulty ? "faulty.sml" : "clean.sml");
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(text);
    return path;
}

struct Fixture {
    QTemporaryDir dir;
    QString clean = WriteFile(dir, false);
    QString faulty = WriteFile(dir, true);
};

Fixture& Files() {
    static Fixture f;
    return f;
}

void Open(TfmMain& w, BenchPrompter& p, const QString& path) {
    p.openPath = path;
    w.action("FileLoad")->trigger();
}

void BM_OpenMillionNodesToFirstPaint(benchmark::State& state) {
    BenchPrompter p;
    TfmMain w(p);
    w.show();
    QApplication::processEvents();
    for (auto _ : state) {
        Open(w, p, Files().clean);
        benchmark::DoNotOptimize(w.grab()); // lays out and paints the window
    }
    state.counters["nodes"] = static_cast<double>(w.document().nodeCount());
}
BENCHMARK(BM_OpenMillionNodesToFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_CheckWith100kFaults(benchmark::State& state) {
    BenchPrompter p;
    TfmMain w(p);
    w.show();
    QApplication::processEvents();
    for (auto _ : state) {
        state.PauseTiming();
        Open(w, p, Files().faulty);
        w.grab();
        state.ResumeTiming();
        w.action("ToolStructCheck")->trigger();
        benchmark::DoNotOptimize(w.grab());
    }
    qint64 marked = 0;
    for (SmlNode* n = w.document().firstNode(); n; n = n->nextPreOrder())
        marked += w.document().isCheckMarked(n);
    state.counters["faulty"] = static_cast<double>(marked);
}
BENCHMARK(BM_CheckWith100kFaults)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SelectMessageWithPaneShown(benchmark::State& state) {
    BenchPrompter p;
    TfmMain w(p);
    w.show();
    Open(w, p, Files().clean);
    QElapsedTimer shown;
    shown.start();
    w.action("ToolViewTextSML")->trigger();
    w.grab();
    state.counters["show_pane_ms"] = static_cast<double>(shown.elapsed());
    QApplication::processEvents();
    // Alternate between messages far apart; the later one is found last.
    SmlNode* far[2] = {w.document().topLevel(kMessages - 1), w.document().topLevel(kMessages / 2)};
    int i = 0;
    for (auto _ : state) {
        w.selectNode(far[i++ % 2]);
        w.memo()->viewport()->repaint();
        w.tree()->viewport()->repaint();
    }
    state.counters["caret"] = w.memo()->caretPosition();
}
BENCHMARK(BM_SelectMessageWithPaneShown)->Unit(benchmark::kMillisecond)->Iterations(20);

// F3 in the window over 10^6 nodes: the next match is in the last message,
// so the search walks the whole document, then selects and reveals it.
void BM_FindNextOverMillionNodes(benchmark::State& state) {
    BenchPrompter p;
    TfmMain w(p);
    w.show();
    Open(w, p, Files().clean);
    QApplication::processEvents();
    w.action("ItemFind")->trigger();
    w.findBar()->field()->setText(QStringLiteral("Message %1").arg(kMessages - 1));
    for (auto _ : state) {
        state.PauseTiming();
        w.selectNode(w.document().topLevel(0));
        QApplication::processEvents();
        state.ResumeTiming();
        w.FindNextExecute(false);
        w.tree()->viewport()->repaint();
    }
    if (w.selectedNode() != w.document().topLevel(kMessages - 1))
        state.SkipWithError("F3 did not find the last message");
}
BENCHMARK(BM_FindNextOverMillionNodes)->Unit(benchmark::kMillisecond)->Iterations(10);

// What the problems pane does once the document is quiet after an edit:
// the whole check and the rows it shows, with the pane open. Every message
// of the file is a primary without its reply, and most streams are above
// 127: some 2 * 10^5 findings, of which the pane shows the first 10^4.
void BM_ProblemsPaneRefreshAfterAnEdit(benchmark::State& state) {
    BenchPrompter p;
    TfmMain w(p);
    w.show();
    Open(w, p, Files().clean);
    w.action("ToolProblems")->trigger();
    QApplication::processEvents();
    SmlNode* first = w.document().topLevel(0);
    int edits = 0;
    for (auto _ : state) {
        state.PauseTiming();
        w.document().perform(QStringLiteral("bench"), [&](DocumentEditor& ed) {
            ed.setText(first, (edits++ % 2) ? "S1F0 P Message 0" : "S1F0 N Message 0");
        });
        state.ResumeTiming();
        w.problems()->refreshNow();
        w.problems()->view()->viewport()->repaint();
    }
    const DiagnosticCounts c = w.problems()->counts();
    state.counters["errors"] = c.errors;
    state.counters["warnings"] = c.warnings;
    state.counters["nodes"] = static_cast<double>(w.document().nodeCount());
}
BENCHMARK(BM_ProblemsPaneRefreshAfterAnEdit)->Unit(benchmark::kMillisecond)->Iterations(5);

// The same edit as the user makes it: the window's event loop runs on until
// the pane shows the findings of the edited document. max_turn_ms is the
// longest single turn of the event loop after the edit, that is the longest
// the window could not react to the user; fresh_ms the time from the edit
// until the rows are fresh (the pane waits for a pause of ProblemsPane::kDelay
// first). The loop sleeps a millisecond between turns that found nothing to
// do, which counts as no turn.
void BM_ProblemsPaneEventLoopAfterAnEdit(benchmark::State& state) {
    BenchPrompter p;
    TfmMain w(p);
    w.show();
    Open(w, p, Files().clean);
    w.action("ToolProblems")->trigger();
    QApplication::processEvents();
    SmlNode* middle = w.document().topLevel(kMessages / 2);
    const QByteArray text = middle->Text();
    int edits = 0;
    qint64 longest = 0, fresh = 0;
    bool stuck = false;
    for (auto _ : state) {
        w.document().perform(QStringLiteral("bench"), [&](DocumentEditor& ed) {
            ed.setText(middle, (edits++ % 2) ? text : "S1F0 N Message edited");
        });
        QElapsedTimer since;
        since.start();
        while (w.problems()->isStale()) {
            if (since.elapsed() > 60000) {
                stuck = true;
                break;
            }
            QElapsedTimer turn;
            turn.start();
            QApplication::processEvents();
            const qint64 spent = turn.nsecsElapsed();
            longest = std::max(longest, spent);
            if (spent < 200000)
                QThread::msleep(1);
        }
        fresh = std::max(fresh, since.elapsed());
        w.problems()->view()->viewport()->repaint();
    }
    if (stuck)
        state.SkipWithError("the pane did not become fresh within 60 s");
    state.counters["max_turn_ms"] = static_cast<double>(longest) / 1e6;
    state.counters["fresh_ms"] = static_cast<double>(fresh);
    const DiagnosticCounts c = w.problems()->counts();
    state.counters["errors"] = c.errors;
    state.counters["warnings"] = c.warnings;
}
BENCHMARK(BM_ProblemsPaneEventLoopAfterAnEdit)->Unit(benchmark::kMillisecond)->Iterations(6);

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
