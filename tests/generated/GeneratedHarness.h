#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

namespace pravik::test {

// One document to generate, compile and run: every message is filled with
// values, sent through the stand-in driver, received into a fresh object
// and compared, directly and through the clsSF dispatchers.
struct CompileCase {
    QString name;
    QByteArray sml;
    // C++ statements run after the round trips, in the case's namespace
    // (its classes and hsms are in scope, and a TeZorv `z`); they set `bad`
    // nonzero on failure.
    QByteArray extra;
};

struct CaseOutcome {
    bool passed = false;
    QString log; // what the compiler or the program said about it
};

// Generates every case's files into workDir, finishes them as their user
// would (the AutoReply condition, Value_DeviceID, the Max_ bounds, here 3),
// and compiles all of them into one program under AddressSanitizer and
// UBSan, each case in a namespace of its own, then runs it. When the batch
// does not compile or the program dies, every case is compiled and run on
// its own, so that each outcome names its case.
std::vector<CaseOutcome> RunCompileCases(const std::vector<CompileCase>& cases,
                                         const QString& workDir);

// The C++ that fills, round-trips and compares one document's messages
// (exposed for its own test).
QByteArray HarnessFor(const QByteArray& sml, const QString& caseName, quint64 seed,
                      const QByteArray& extra = {});

} // namespace pravik::test
