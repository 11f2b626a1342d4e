#pragma once

#include "support/TempDir.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace pravik::test {

struct CliRun {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

// Runs pravik-cli; stdoutFile, when given, receives its standard output.
inline CliRun Cli(const QStringList& args, const QString& stdoutFile = {}) {
    QProcess p;
    if (!stdoutFile.isEmpty())
        p.setStandardOutputFile(stdoutFile);
    p.start(QStringLiteral(PRAVIK_CLI), args);
    EXPECT_TRUE(p.waitForFinished(120000));
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

inline const QString kExample = QStringLiteral(PRAVIK_EXAMPLES "/host.sml");

} // namespace pravik::test
