// Reading, saving and checking generated documents of 10^4, 10^5 and 10^6
// nodes. "--make N FILE" writes such a document; "--memory FILE" prints the
// peak memory of reading FILE in a fresh process.
#include "document/NodeSearch.h"
#include "document/SmlDocument.h"
#include "sml/SmlReader.h"
#include "sml/SmlWriter.h"
#include "sml/StructureCheck.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>

using namespace pravik;

namespace {

// A document of about `nodes` nodes: messages of ten nodes each, some of
// them with structure faults so the check has work to mark.
QByteArray GenerateSml(qint64 nodes) {
    DetachedSubtree tree = DetachedSubtree::createRoot();
    const auto add = [&tree](SmlNode* parent, QByteArrayView text, int kind) {
        return tree.appendChild(parent ? parent : tree.get(), text, static_cast<NodeKind>(kind));
    };
    for (qint64 made = 0, i = 0; made < nodes; ++i) {
        SmlNode* m = add(nullptr, "S6F" + QByteArray::number(i % 999) + " P Event Report Send", 0);
        SmlNode* l = add(m, i % 10 == 0 ? "L 4 Report" : "L 3 Report", 1);
        add(l, "U4 1 DATAID", 2);
        add(l, "U4 1 CEID", 2);
        SmlNode* rpt = add(l, "L n RPT", 1);
        SmlNode* body = add(rpt, "L 2 RptBody", 1);
        add(body, "U4 1 RPTID", 2);
        SmlNode* v = add(body, "L n V", 1);
        add(v, "A 40 VALUE", 2);
        add(v, "A 40 VALUE2", 2);
        made += 10;
    }
    SmlDocument doc;
    const qint64 count = tree->subtreeSize() - 1;
    doc.resetTo(std::move(tree), count);
    return WriteDocument(doc);
}

struct Fixture {
    QTemporaryDir dir;
    QString path;
    explicit Fixture(qint64 nodes) : path(dir.filePath("bench.sml")) {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(GenerateSml(nodes));
    }
};

void BM_Read(benchmark::State& state) {
    Fixture fx(state.range(0));
    for (auto _ : state) {
        SmlDocument doc;
        benchmark::DoNotOptimize(ReadDocument(fx.path, doc));
        state.PauseTiming();
        doc.clear();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_Save(benchmark::State& state) {
    Fixture fx(state.range(0));
    SmlDocument doc;
    ReadDocument(fx.path, doc);
    const QString out = fx.dir.filePath("out.sml");
    for (auto _ : state)
        SaveDocument(out, doc);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_Check(benchmark::State& state) {
    Fixture fx(state.range(0));
    SmlDocument doc;
    ReadDocument(fx.path, doc);
    for (auto _ : state)
        benchmark::DoNotOptimize(CheckStructure(doc));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Freeing a whole document: replacing it (New, Open over it, closing).
void BM_Free(benchmark::State& state) {
    Fixture fx(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        SmlDocument doc;
        ReadDocument(fx.path, doc);
        state.ResumeTiming();
        doc.clear();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// One find over the whole document with no match: the worst case of F3.
void BM_FindNoMatch(benchmark::State& state) {
    Fixture fx(state.range(0));
    SmlDocument doc;
    ReadDocument(fx.path, doc);
    const NodeSearch search(QStringLiteral("nowhere"), state.range(1) != 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(search.find(doc, doc.firstNode(), false));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_Read)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
// Each iteration reads the file first (not timed): few iterations.
BENCHMARK(BM_Free)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);
BENCHMARK(BM_FindNoMatch)
    ->ArgNames({"nodes", "caseSensitive"})
    ->Args({1000000, 0})
    ->Args({1000000, 1})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Check)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

long PeakKiB() {
    FILE* f = std::fopen("/proc/self/status", "r");
    char line[256];
    long kib = 0;
    while (f && std::fgets(line, sizeof line, f))
        if (std::strncmp(line, "VmHWM:", 6) == 0)
            kib = std::atol(line + 6);
    if (f)
        std::fclose(f);
    return kib;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc == 4 && std::strcmp(argv[1], "--make") == 0) {
        QFile f(QString::fromLocal8Bit(argv[3]));
        f.open(QIODevice::WriteOnly);
        f.write(GenerateSml(std::atoll(argv[2])));
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "--memory") == 0) {
        const QString path = QString::fromLocal8Bit(argv[2]);
        const qint64 fileSize = QFile(path).size();
        const long before = PeakKiB();
        SmlDocument doc;
        const ReadCounts counts = ReadDocument(path, doc);
        const long after = PeakKiB();
        std::printf("nodes %lld, file %lld bytes, peak %ld KiB -> %ld KiB, "
                    "%.1f bytes per node beyond the file\n",
                    static_cast<long long>(counts.nodes), static_cast<long long>(fileSize), before,
                    after,
                    ((after - before) * 1024.0 - static_cast<double>(fileSize)) /
                        static_cast<double>(counts.nodes));
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
