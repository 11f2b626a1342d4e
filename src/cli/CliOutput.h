#pragma once

#include <QByteArray>
#include <QString>

class QCommandLineParser;

namespace pravik::cli {

// Writes to stdout through a buffer. finish() reports a write that failed
// (a full disk, a closed pipe) instead of letting it pass as success.
class StdoutWriter {
public:
    void write(const QByteArray& bytes);
    // Throws PlatformError("Unable to write to standard output").
    void finish();

private:
    void flush();
    QByteArray m_buffer;
    bool m_failed = false;
};

// How the commands that print nodes print them (--format, --raw).
struct NodeFormat {
    bool json = false;
    bool raw = false; // the node texts' own bytes (CP949) instead of UTF-8
};
// Throws UsageError for a format other than text or json, and for --raw
// with json (JSON text is Unicode).
NodeFormat ReadNodeFormat(const QCommandLineParser& options);

// A node text for printing: its bytes when raw, else decoded from CP949 to UTF-8.
QByteArray PrintedText(const QByteArray& text, bool raw);

// A JSON string literal, quotes included, for UTF-8 text.
QByteArray JsonString(const QByteArray& utf8);

// Refuses an output path that cannot be written before anything is written:
// a folder, or a file in a folder that is missing or not writable (the file
// itself is replaced, never written in place). Throws
// PlatformError built from failureFormat, as the writer itself would.
void CheckOutputPath(const QString& path, const char* failureFormat);

} // namespace pravik::cli
