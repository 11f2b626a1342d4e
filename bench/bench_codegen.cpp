// Generation time of the C++ header and source for large documents: 10^4
// messages of 100 nodes each (10^6 nodes), and smaller sizes to show that
// the time grows linearly with the document. Each run writes its text into
// fresh memory, as one generation does; glibc would otherwise reuse the
// freed buffer of the smaller sizes (below its dynamic mmap threshold) and
// spare them the page faults. For a fair comparison of the sizes run
//   GLIBC_TUNABLES=glibc.malloc.mmap_threshold=131072 bench_codegen
#include "codegen/HeaderWriter.h"
#include "codegen/SourceWriter.h"
#include "document/SmlDocument.h"

#include <benchmark/benchmark.h>

using namespace pravik;

namespace {

// One message of 100 nodes: a fixed list holding a few items and 19
// variable lists of a fixed pair each.
void MakeMessage(DetachedSubtree& tree, int number) {
    const int stream = 1 + number / 200, function = 1 + number % 200;
    SmlNode* message =
        tree.appendChild(tree.get(),
                         "S" + QByteArray::number(stream) + "F" + QByteArray::number(function) +
                             " P Message " + QByteArray::number(number),
                         NodeKind::Message);
    SmlNode* top = tree.appendChild(message, "L 22 Top", NodeKind::List);
    tree.appendChild(top, "U4 1 DATAID", NodeKind::Item);
    tree.appendChild(top, "A 40 Name", NodeKind::Item);
    tree.appendChild(top, "F8 4 Values", NodeKind::Item);
    for (int g = 0; g < 19; ++g) {
        const QByteArray n = QByteArray::number(g);
        SmlNode* rows = tree.appendChild(top, "L n Rows" + n, NodeKind::List);
        SmlNode* row = tree.appendChild(rows, "L 2 Row" + n, NodeKind::List);
        tree.appendChild(row, "U4 1 Id" + n, NodeKind::Item);
        tree.appendChild(row, "A 20 Text" + n, NodeKind::Item);
    }
}

SmlDocument& Document(int messages) {
    static std::map<int, std::unique_ptr<SmlDocument>> cache;
    auto& doc = cache[messages];
    if (!doc) {
        DetachedSubtree top = DetachedSubtree::createRoot();
        for (int i = 0; i < messages; ++i)
            MakeMessage(top, i);
        doc = std::make_unique<SmlDocument>();
        doc->resetTo(std::move(top), qint64(messages) * 100);
    }
    return *doc;
}

void BM_GenerateSource(benchmark::State& state) {
    SmlDocument& doc = Document(static_cast<int>(state.range(0)));
    qint64 bytes = 0;
    for (auto _ : state) {
        const QByteArray text =
            GenerateSourceText(doc, QStringLiteral("bench.cpp"), QDate(2005, 3, 7));
        bytes = text.size();
        benchmark::DoNotOptimize(text.constData());
    }
    state.counters["nodes"] = static_cast<double>(doc.nodeCount());
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}

void BM_GenerateHeader(benchmark::State& state) {
    SmlDocument& doc = Document(static_cast<int>(state.range(0)));
    qint64 bytes = 0;
    for (auto _ : state) {
        const QByteArray text =
            GenerateHeaderText(doc, QStringLiteral("bench.h"), QDate(2005, 3, 7));
        bytes = text.size();
        benchmark::DoNotOptimize(text.constData());
    }
    state.counters["nodes"] = static_cast<double>(doc.nodeCount());
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}

} // namespace

BENCHMARK(BM_GenerateSource)->Arg(1000)->Arg(3000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GenerateHeader)->Arg(1000)->Arg(3000)->Arg(10000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
