// The definition checker on documents of 10^4, 10^5 and 10^6 nodes (the
// problems pane and `pravik-cli lint` run it whole): one walk, so the time
// per node stays flat. Also a document nested 10^6 levels deep.
#include "check/DefinitionChecker.h"
#include "document/SmlDocument.h"
#include "sml/SmlReader.h"
#include "sml/SmlWriter.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

using namespace pravik;

namespace {

// About `nodes` nodes in messages of a hundred, each with its own stream
// and function; one message in ten has an error (a repeated member name)
// and a warning (a primary message without its reply), so the checker has
// findings to write.
void Fill(SmlDocument& doc, qint64 nodes) {
    DetachedSubtree tree = DetachedSubtree::createRoot();
    const auto add = [&tree](SmlNode* parent, QByteArrayView text, int kind) {
        return tree.appendChild(parent ? parent : tree.get(), text, static_cast<NodeKind>(kind));
    };
    for (qint64 made = 0, i = 0; made < nodes; ++i) {
        const bool faulty = i % 10 == 0;
        const QByteArray key =
            "S" + QByteArray::number(1 + i / 120) + "F" + QByteArray::number(1 + 2 * (i % 120));
        SmlNode* m = add(nullptr, key + (faulty ? " P Event" : " N Event"), 0);
        SmlNode* l = add(m, "L 4 Report", 1);
        add(l, "U4 1 DATAID", 2);
        add(l, faulty ? "U4 1 DATAID" : "U4 1 CEID", 2);
        add(l, "A 40 NAME", 2);
        SmlNode* rpt = add(l, "L n RPT", 1);
        SmlNode* body = add(rpt, "L 3 RptBody", 1);
        add(body, "U4 3 RPTID", 2);
        add(body, "A 20 TEXT", 2);
        SmlNode* values = add(body, "L 90 Values", 1);
        for (int k = 0; k < 90; ++k)
            add(values, "F8 1 V" + QByteArray::number(k), 2);
        made += 100;
    }
    // AutoReply's target.
    add(add(nullptr, "S9F11 S Data Too Long", 0), "BINARY 10 MHEAD", 2);
    const qint64 count = tree->subtreeSize() - 1;
    doc.resetTo(std::move(tree), count);
}

void BM_CheckDefinitions(benchmark::State& state) {
    SmlDocument doc;
    Fill(doc, state.range(0));
    size_t findings = 0;
    for (auto _ : state) {
        const std::vector<Diagnostic> found = CheckDefinitions(doc);
        findings = found.size();
        benchmark::DoNotOptimize(found.data());
    }
    state.counters["nodes"] = static_cast<double>(doc.nodeCount());
    state.counters["findings"] = static_cast<double>(findings);
    state.SetItemsProcessed(state.iterations() * doc.nodeCount());
}

// Variable lists nested a million deep: every one past the 18th is an error.
void BM_CheckDeep(benchmark::State& state) {
    QByteArray sml = "<S1F1 N deep\n";
    for (qint64 i = 0; i < state.range(0); ++i)
        sml += " <L n v\n";
    sml += " <U1 1 leaf >\n";
    SmlDocument doc;
    ParsedSml parsed = ParseSml(sml);
    doc.resetTo(std::move(parsed.root), parsed.counts.nodes);
    size_t findings = 0;
    for (auto _ : state) {
        const std::vector<Diagnostic> found = CheckDefinitions(doc);
        findings = found.size();
        benchmark::DoNotOptimize(found.data());
    }
    state.counters["findings"] = static_cast<double>(findings);
    state.SetItemsProcessed(state.iterations() * doc.nodeCount());
}

} // namespace

BENCHMARK(BM_CheckDefinitions)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckDeep)->Arg(1000000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
