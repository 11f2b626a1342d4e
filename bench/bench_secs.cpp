// Common SML at scale: export and import of 10^4 messages of 100 nodes each
// (10^6 nodes), the import of a traffic log whose instances merge, and the
// memory a 100 MB input takes (peak resident size, in MB).
#include "document/SmlDocument.h"
#include "secs/CommonSmlExport.h"
#include "secs/CommonSmlImport.h"
#include "sml/SmlReader.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

using namespace pravik;

namespace {

constexpr int kMessages = 10000;

// Each message: a header list (an id and a name) and a list of 95 values of
// five kinds: 100 nodes.
QByteArray Definitions() {
    QByteArray text;
    text.reserve(kMessages * 2800);
    const char* kinds[] = {"U4 1 Value", "F4 2 Level", "BINARY 1 Flag", "BOOL 1 On", "A 12 Name"};
    for (int m = 0; m < kMessages; ++m) {
        text += "<S" + QByteArray::number(m / 256 + 1) + "F" + QByteArray::number(m % 256) +
                " P Message " + QByteArray::number(m) + "\r\n";
        text += "  <L 3 Report \r\n    <U4 1 DATAID >\r\n    <A 20 Name >\r\n";
        text += "    <L 95 Values \r\n";
        for (int i = 0; i < 95; ++i)
            text += QByteArray("      <") + kinds[i % 5] + QByteArray::number(i) + " >\r\n";
        text += "    >\r\n  >\r\n>\r\n\r\n";
    }
    return text;
}

const QByteArray& Exported() {
    static const QByteArray text = [] {
        SmlDocument doc;
        ParsedSml parsed = ParseSml(Definitions());
        doc.resetTo(std::move(parsed.root), parsed.counts.nodes);
        return ExportCommonSml(doc).text;
    }();
    return text;
}

// Imports text into a new document as the import commands do; returns the
// document's nodes, and whether the text was refused.
qint64 ImportIntoDocument(const QByteArray& text, bool* error = nullptr) {
    SmlDocument doc;
    ImportResult r = ImportCommonSml(text, NewMessageIn(doc));
    AddImportedMessages(doc, r.messages);
    if (error)
        *error = r.error.has_value();
    return doc.nodeCount();
}

void BM_Export10kMessages(benchmark::State& state) {
    SmlDocument doc;
    ParsedSml parsed = ParseSml(Definitions());
    doc.resetTo(std::move(parsed.root), parsed.counts.nodes);
    qint64 bytes = 0;
    for (auto _ : state) {
        const ExportResult r = ExportCommonSml(doc);
        bytes = r.text.size();
        benchmark::DoNotOptimize(r.text.data());
    }
    state.counters["nodes"] = static_cast<double>(doc.nodeCount());
    state.counters["text_MB"] = static_cast<double>(bytes) / (1 << 20);
}
BENCHMARK(BM_Export10kMessages)->Unit(benchmark::kMillisecond)->Iterations(5);

// The text read, merged, and added to a document as the import does.
void BM_Import10kMessages(benchmark::State& state) {
    const QByteArray& text = Exported();
    qint64 nodes = 0;
    for (auto _ : state)
        nodes = ImportIntoDocument(text);
    state.counters["nodes"] = static_cast<double>(nodes);
}
BENCHMARK(BM_Import10kMessages)->Unit(benchmark::kMillisecond)->Iterations(5);

// 10^4 instances of S6F11 with report and value counts that vary: every
// instance merges into one definition.
void BM_ImportTrafficLog(benchmark::State& state) {
    QByteArray log;
    for (int i = 0; i < 10000; ++i) {
        log += "S6F11 W\n<L [3] <U4 " + QByteArray::number(i) + "> <U4 100>\n  <L\n";
        for (int r = 0; r < 1 + i % 4; ++r) {
            log += "    <L <U4 " + QByteArray::number(r) + "> <L";
            for (int v = 0; v < 1 + (i + r) % 5; ++v)
                log += " <A \"value " + QByteArray::number(v) + "\">";
            log += ">>\n";
        }
        log += "  >>.\n";
    }
    for (auto _ : state) {
        ImportResult r = ImportCommonSml(log);
        benchmark::DoNotOptimize(r.nodeCount);
    }
    state.counters["log_MB"] = static_cast<double>(log.size()) / (1 << 20);
}
BENCHMARK(BM_ImportTrafficLog)->Unit(benchmark::kMillisecond)->Iterations(3);

// About 100 MB of input in one of four shapes; the peak resident size of
// the process (run each alone, --benchmark_filter) tells what it took.
// 0: a log of many small messages; 1: one message of tiny items (refused
// at kMaxMessageItems); 2: one string that never ends (an error at the
// end); 3: many messages of 10^5 tiny items (refused at kMaxImportNodes).
void BM_Import100MB(benchmark::State& state) {
    const qsizetype size = qsizetype(100) << 20;
    QByteArray text;
    text.reserve(size + 64);
    switch (state.range(0)) {
    case 0:
        while (text.size() < size)
            text += "S6F11 W <L [3] <U4 1> <U4 100> <L [1] <L [2] <U4 10> <A \"abc\">>>>.\n";
        break;
    case 1:
        text += "S1F1 <L\n";
        while (text.size() < size) {
            text += "<L";
            for (int i = 0; i < 1000; ++i)
                text += " <U1>";
            text += ">\n";
        }
        text += ">.\n";
        break;
    case 2:
        text += "S1F1 <A \"";
        text.append(size, 'x');
        break;
    default:
        for (int m = 0; text.size() < size; ++m) {
            text +=
                "S" + QByteArray::number(m / 256 % 128) + "F" + QByteArray::number(m % 256) + " <L";
            for (int i = 0; i < 100000; ++i)
                text += " <U1>";
            text += ">.\n";
        }
        break;
    }
    qint64 nodes = 0;
    bool error = false;
    for (auto _ : state)
        nodes = ImportIntoDocument(text, &error);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["input_MB"] = static_cast<double>(text.size()) / (1 << 20);
    state.counters["peak_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024;
    state.counters["nodes"] = static_cast<double>(nodes);
    state.counters["error"] = error;
}
BENCHMARK(BM_Import100MB)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Arg(3)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
