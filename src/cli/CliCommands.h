#pragma once

#include <QStringList>

namespace pravik::cli {

// Exit statuses of pravik-cli.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFaults = 1; // check found faulty nodes
inline constexpr int kExitError = 2;  // bad usage or a file error

// Each subcommand takes its arguments after the subcommand's name, prints
// to stdout, and lets PlatformError travel to the dispatcher.
int RunCounts(const QStringList& args);
int RunDump(const QStringList& args);
int RunResave(const QStringList& args);
int RunCheck(const QStringList& args);
int RunConfig(const QStringList& args);
int RunGenerate(const QStringList& args);

// Writes a usage error to stderr and returns kExitError.
int UsageError(const char* usage);

} // namespace pravik::cli
