// Pasting a copy of a 10^5-node subtree and deleting it again, through the
// editing commands, on the bare document and with a tree view showing it;
// undo and redo of both.
// Shapes: 0 a list of 99,999 items, 1 lists of 9 items nested in lists of
// 10 (bushy), 2 a chain of lists 10^5 deep.
#include "document/DocumentEditor.h"
#include "document/DocumentState.h"
#include "document/SmlDocument.h"
#include "editing/EditorHost.h"
#include "editing/ItemCommands.h"
#include "editing/TfmItemEdit.h"
#include "editing/TfmMsgEdit.h"
#include "gui/GuiPrompter.h"

#include <QApplication>
#include <QTreeView>
#include <QUndoStack>
#include <benchmark/benchmark.h>

using namespace pravik;

namespace {

constexpr qint64 kSubtree = 100000;

// Answers every question with Yes; no dialog is run here.
class YesPrompter : public GuiPrompter {
public:
    Answer messageBox(Icon, const QString&, const QString&, Buttons) override {
        return Answer::Yes;
    }
    std::optional<QString> openFileName(const FileRequest&) override { return std::nullopt; }
    std::optional<QString> saveFileName(const FileRequest&) override { return std::nullopt; }
    std::optional<QString> chooseFolder(const QString&, const QString&) override {
        return std::nullopt;
    }
    int runDialog(QDialog*) override { return 0; }
    void openWithShell(const QString&) override {}
};

class BenchHost : public EditorHost {
public:
    explicit BenchHost(bool withView) {
        if (withView) {
            view = std::make_unique<QTreeView>();
            view->setUniformRowHeights(true);
            view->setModel(&doc);
            view->resize(800, 600);
            view->show();
        }
    }
    SmlDocument& document() override { return doc; }
    DocumentState& state() override { return st; }
    GuiPrompter& prompter() override { return yes; }
    SmlNode* selectedNode() const override { return selected; }
    void selectNode(SmlNode* node) override {
        selected = node;
        if (view)
            view->setCurrentIndex(doc.indexOf(node));
    }
    void setPasteEnabled(bool) override {}

    SmlDocument doc;
    DocumentState st;
    YesPrompter yes;
    SmlNode* selected = nullptr;
    std::unique_ptr<QTreeView> view;
};

// A list whose subtree holds kSubtree nodes, in the given shape.
DetachedSubtree MakeSubtree(int shape) {
    DetachedSubtree root = DetachedSubtree::create("L n Big", NodeKind::List);
    qint64 made = 1;
    if (shape == 0) {
        for (; made < kSubtree; ++made)
            root.appendChild(root.get(), "U4 1 Value", NodeKind::Item);
    } else if (shape == 1) {
        std::vector<SmlNode*> lists{root.get()};
        for (size_t i = 0; made < kSubtree; ++i) {
            SmlNode* parent = lists[i];
            for (int k = 0; k < 10 && made < kSubtree; ++k, ++made) {
                const bool list = k == 0;
                SmlNode* child = root.appendChild(parent, list ? "L n Group" : "A 8 Text",
                                                  list ? NodeKind::List : NodeKind::Item);
                if (list)
                    lists.push_back(child);
            }
        }
    } else {
        SmlNode* parent = root.get();
        for (; made < kSubtree; ++made)
            parent = root.appendChild(parent, "L 1 Deep", NodeKind::List);
    }
    return root;
}

struct Setup {
    explicit Setup(const benchmark::State& state) : host(state.range(1) != 0) {
        SmlNode* source = nullptr;
        host.doc.perform(QStringLiteral("setup"), [&](DocumentEditor& ed) {
            source = ed.appendNode(nullptr, "S1F1 P Source", NodeKind::Message);
            ed.insertSubtree(source, 0, MakeSubtree(static_cast<int>(state.range(0))));
            target = ed.appendNode(nullptr, "S2F1 P Target", NodeKind::Message);
        });
        original = source->child(0);
    }
    void paste() {
        // Copy again each time: a delete empties the clipboard.
        host.selected = original;
        commands.ItemCopyExecute();
        host.selected = target;
        commands.ItemPasteExecute();
        if (host.view)
            QApplication::processEvents();
    }
    void remove() {
        host.selected = target->child(0);
        commands.ItemDeleteExecute();
        if (host.view)
            QApplication::processEvents();
    }
    BenchHost host;
    TfmMsgEdit msgEdit;
    TfmItemEdit itemEdit;
    ItemCommands commands{host, msgEdit, itemEdit};
    SmlNode* original = nullptr;
    SmlNode* target = nullptr;
};

void BM_PasteCopy(benchmark::State& state) {
    Setup s(state);
    for (auto _ : state) {
        s.paste();
        state.PauseTiming();
        const bool copied = s.host.doc.nodeCount() == 2 * kSubtree + 2;
        s.remove();
        state.ResumeTiming();
        if (!copied) {
            state.SkipWithError("paste did not copy the subtree");
            break;
        }
    }
}

void BM_DeleteCopy(benchmark::State& state) {
    Setup s(state);
    for (auto _ : state) {
        state.PauseTiming();
        s.paste();
        const bool copied = s.host.doc.nodeCount() == 2 * kSubtree + 2;
        state.ResumeTiming();
        s.remove();
        if (!copied) {
            state.SkipWithError("paste did not copy the subtree");
            break;
        }
    }
    if (s.host.doc.nodeCount() != kSubtree + 2)
        state.SkipWithError("delete left nodes behind");
}

void Shapes(benchmark::internal::Benchmark* b) {
    b->ArgNames({"shape", "view"})->Unit(benchmark::kMillisecond);
    for (int view : {0, 1})
        for (int shape : {0, 1, 2})
            b->Args({shape, view});
}

// Undo and redo of the delete of a 10^5-node subtree: the same nodes go
// out of the tree and come back, nothing is copied.
void BM_UndoRedoDelete(benchmark::State& state) {
    Setup s(state);
    s.paste();
    s.remove();
    QUndoStack* stack = s.host.doc.undoStack();
    for (auto _ : state) {
        stack->undo(); // the subtree back
        if (s.host.view)
            QApplication::processEvents();
        state.PauseTiming();
        const bool back = s.host.doc.nodeCount() == 2 * kSubtree + 2;
        state.ResumeTiming();
        stack->redo(); // and out again
        if (s.host.view)
            QApplication::processEvents();
        if (!back) {
            state.SkipWithError("undo did not bring the subtree back");
            break;
        }
    }
    state.SetLabel("one undo and one redo per iteration");
}

// Undo and redo of the paste of a copy of a 10^5-node subtree.
void BM_UndoRedoPaste(benchmark::State& state) {
    Setup s(state);
    s.paste();
    QUndoStack* stack = s.host.doc.undoStack();
    for (auto _ : state) {
        stack->undo(); // the copy out
        if (s.host.view)
            QApplication::processEvents();
        state.PauseTiming();
        const bool out = s.host.doc.nodeCount() == kSubtree + 2;
        state.ResumeTiming();
        stack->redo(); // and in again
        if (s.host.view)
            QApplication::processEvents();
        if (!out) {
            state.SkipWithError("undo did not take the copy out");
            break;
        }
    }
    state.SetLabel("one undo and one redo per iteration");
}

BENCHMARK(BM_PasteCopy)->Apply(Shapes);
BENCHMARK(BM_DeleteCopy)->Apply(Shapes);
BENCHMARK(BM_UndoRedoDelete)->Apply(Shapes);
BENCHMARK(BM_UndoRedoPaste)->Apply(Shapes);

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
