// Reading and writing driver ".cfg" files: a typical file, and files carrying
// many foreign lines that the in-place update has to keep.
#include "driverconfig/DriverConfig.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QByteArray ForeignFile(int lines) {
    QByteArray text = "[General]\r\nHost=true\r\n\r\n[Vendor]\r\n";
    for (int i = 0; i < lines; ++i)
        text +=
            "Key" + QByteArray::number(i) + "=some vendor value " + QByteArray::number(i) + "\r\n";
    return text;
}

void BM_ReadTypicalFile(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Tool.cfg");
    pravik::WriteDriverConfig(path, pravik::DefaultDriverConfig(path));
    for (auto _ : state) {
        pravik::DriverConfig c;
        benchmark::DoNotOptimize(pravik::ReadDriverConfig(path, c));
    }
}
BENCHMARK(BM_ReadTypicalFile);

void BM_WriteTypicalFileInPlace(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Tool.cfg");
    pravik::DriverConfig c = pravik::DefaultDriverConfig(path);
    pravik::WriteDriverConfig(path, c);
    pravik::WriteDriverConfig(path, c); // the backup exists from here on
    int i = 0;
    for (auto _ : state) {
        c.timeouts[2] = QString::number(++i);
        pravik::WriteDriverConfig(path, c);
    }
}
BENCHMARK(BM_WriteTypicalFileInPlace);

void BM_ComposeOverForeignLines(benchmark::State& state) {
    const QByteArray base = ForeignFile(static_cast<int>(state.range(0)));
    const pravik::DriverConfig c = pravik::DefaultDriverConfig(QStringLiteral("/w/Tool.cfg"));
    for (auto _ : state)
        benchmark::DoNotOptimize(
            pravik::ComposeDriverConfig(base, QStringLiteral("/w/Tool.cfg"), c));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ComposeOverForeignLines)
    ->RangeMultiplier(10)
    ->Range(100, 100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

void BM_ReadFileWithForeignLines(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Tool.cfg");
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(ForeignFile(static_cast<int>(state.range(0))));
    f.close();
    for (auto _ : state) {
        pravik::DriverConfig c;
        benchmark::DoNotOptimize(pravik::ReadDriverConfig(path, c));
    }
}
BENCHMARK(BM_ReadFileWithForeignLines)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
