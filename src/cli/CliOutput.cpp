#include "cli/CliOutput.h"

#include "cli/CliCommands.h"
#include "platform/AnsiText.h"
#include "platform/PlatformError.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <cstdio>

namespace pravik::cli {

namespace {
constexpr qsizetype kFlushSize = 1 << 20;
}

void StdoutWriter::write(const QByteArray& bytes) {
    m_buffer += bytes;
    if (m_buffer.size() > kFlushSize)
        flush();
}

void StdoutWriter::flush() {
    if (!m_buffer.isEmpty() &&
        std::fwrite(m_buffer.constData(), 1, static_cast<size_t>(m_buffer.size()), stdout) !=
            static_cast<size_t>(m_buffer.size()))
        m_failed = true;
    m_buffer.clear();
}

void StdoutWriter::finish() {
    flush();
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        m_failed = true;
    if (m_failed)
        throw PlatformError::ForPath(kUnableToWriteTo, QStringLiteral("standard output"));
}

NodeFormat ReadNodeFormat(const QCommandLineParser& options) {
    NodeFormat f;
    f.raw = options.isSet(QStringLiteral("raw"));
    const QString format = options.value(QStringLiteral("format"));
    if (format == QLatin1String("json"))
        f.json = true;
    else if (!format.isEmpty() && format != QLatin1String("text"))
        throw UsageError(QStringLiteral("unknown format '%1' (text or json)").arg(format));
    if (f.json && f.raw)
        throw UsageError(QStringLiteral("--raw applies to text output only"));
    return f;
}

QByteArray PrintedText(const QByteArray& text, bool raw) {
    if (raw)
        return text;
    // ASCII is the same in CP949 and UTF-8, and most node texts are ASCII.
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return AnsiText::Decode(text).toUtf8();
    return text;
}

QByteArray JsonString(const QByteArray& utf8) {
    QByteArray out;
    out.reserve(utf8.size() + 2);
    out += '"';
    for (const char c : utf8) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            switch (c) {
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += "\\u00";
                out += "0123456789abcdef"[u >> 4];
                out += "0123456789abcdef"[u & 0xF];
            }
        } else {
            out += c;
        }
    }
    out += '"';
    return out;
}

void CheckOutputPath(const QString& path, const char* failureFormat) {
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    if (path.isEmpty() || file.isDir() || !folder.isDir() || !folder.isWritable())
        throw PlatformError::ForPath(failureFormat, path);
}

} // namespace pravik::cli
