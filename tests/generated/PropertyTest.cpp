// Random documents that the checker passes without errors always give code
// that compiles against the stand-in driver header and whose Send ->
// Receive round trip is equal and clean under AddressSanitizer and UBSan.
//
// In the test run it tries kDocuments documents. PRAVIK_PROPERTY_SECONDS=N
// runs it for N seconds instead (the long run), PRAVIK_PROPERTY_SEED picks
// the first seed; both runs print how many documents were tried and how
// many the checker passed.
#include "GeneratedHarness.h"
#include "RandomDefinitions.h"

#include "check/DefinitionChecker.h"
#include "document/SmlDocument.h"
#include "sml/SmlReader.h"
#include "support/TempDir.h"

#include <QElapsedTimer>
#include <QFile>
#include <gtest/gtest.h>

namespace pravik::test {
namespace {

constexpr int kDocuments = 800;
// Documents the checker passed, compiled into one program: the compiler's
// start and the standard headers are paid once per batch.
constexpr size_t kBatch = 40;

bool PassesTheChecker(const QByteArray& sml) {
    SmlDocument doc;
    ParsedSml parsed = ParseSml(sml);
    doc.resetTo(std::move(parsed.root), parsed.counts.nodes);
    return CountDiagnostics(CheckDefinitions(doc)).errors == 0;
}

TEST(Property, CheckedDocumentsCompileAndRoundTripClean) {
    const qint64 seconds = qEnvironmentVariableIntValue("PRAVIK_PROPERTY_SECONDS");
    const quint64 firstSeed =
        static_cast<quint64>(qEnvironmentVariableIntValue("PRAVIK_PROPERTY_SEED"));
    QElapsedTimer clock;
    clock.start();
    TempDir dir;
    int tried = 0, passed = 0, compiledClean = 0, batches = 0;
    std::vector<CompileCase> batch;
    auto runBatch = [&] {
        const QString work = dir.path(QStringLiteral("batch%1").arg(batches++));
        const std::vector<CaseOutcome> outcomes = RunCompileCases(batch, work);
        for (size_t i = 0; i < batch.size(); ++i) {
            if (outcomes[i].passed) {
                ++compiledClean;
                continue;
            }
            // Keep the document for whoever looks into it.
            const QString keep =
                QStringLiteral(PRAVIK_BINARY_DIR "/property-failure-%1.sml").arg(batch[i].name);
            QFile f(keep);
            if (f.open(QIODevice::WriteOnly))
                f.write(batch[i].sml);
            ADD_FAILURE() << "document " << batch[i].name.toStdString() << " (kept in "
                          << keep.toStdString() << "):\n"
                          << outcomes[i].log.toStdString();
        }
        batch.clear();
    };
    for (quint64 seed = firstSeed;; ++seed) {
        const bool more = seconds > 0 ? clock.elapsed() < seconds * 1000 : tried < kDocuments;
        if (!more)
            break;
        const QByteArray sml = RandomDefinitions(seed);
        ++tried;
        if (!PassesTheChecker(sml))
            continue;
        ++passed;
        batch.push_back({QStringLiteral("seed%1").arg(seed), sml, {}});
        if (batch.size() == kBatch)
            runBatch();
    }
    if (!batch.empty())
        runBatch();
    std::printf("property: %d documents tried, %d passed the checker, %d of them compiled and "
                "round-tripped clean (%d batches, %.0f s)\n",
                tried, passed, compiledClean, batches, clock.elapsed() / 1000.0);
    EXPECT_EQ(compiledClean, passed);
    // The documents are made to pass often and to fail often.
    EXPECT_GT(passed, tried / 5);
    EXPECT_LT(passed, tried * 4 / 5);
}

} // namespace
} // namespace pravik::test
