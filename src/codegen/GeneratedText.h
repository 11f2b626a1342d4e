#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <algorithm>
#include <initializer_list>

namespace pravik {

// Largest text a writer builds (1 GiB). Indents and member paths grow with
// depth, so a document nested many thousands of levels deep asks for a
// text of quadratic size; rather than exhaust memory the writer stops with
// "Cannot create file %s".
inline constexpr qint64 kDefaultMaxGeneratedBytes = qint64(1) << 30;

// The lines of one generated file (or one part of it), each ended by CR LF,
// built in memory.
class GeneratedText {
public:
    // path only names the file in the error raised when the text would
    // grow beyond maxBytes.
    explicit GeneratedText(QString path = {}, qint64 maxBytes = kDefaultMaxGeneratedBytes)
        : m_path(std::move(path)), m_maxBytes(maxBytes) {}

    // One line made of pieces, written as they are.
    void line(std::initializer_list<QByteArrayView> pieces) {
        for (QByteArrayView piece : pieces)
            m_bytes.append(piece);
        endLine();
    }
    void line(QByteArrayView piece) {
        m_bytes.append(piece);
        endLine();
    }
    // A line that starts with blanks.
    void indented(qsizetype blanks, std::initializer_list<QByteArrayView> pieces) {
        m_bytes.append(blanks, ' ');
        line(pieces);
    }
    void append(const GeneratedText& other) {
        m_bytes.append(other.m_bytes);
        checkSize();
    }

    // Room for about bytes, so that a large text is not copied as it grows.
    void reserve(qint64 bytes) {
        m_bytes.reserve(static_cast<qsizetype>(std::min(bytes, m_maxBytes)));
    }

    const QByteArray& bytes() const { return m_bytes; }
    QByteArray take() { return std::move(m_bytes); }
    const QString& path() const { return m_path; }
    qint64 maxBytes() const { return m_maxBytes; }

private:
    void endLine() {
        m_bytes.append("\r\n", 2);
        checkSize();
    }
    void checkSize() const {
        if (m_bytes.size() > m_maxBytes)
            throwTooLarge();
    }
    [[noreturn]] void throwTooLarge() const;

    QByteArray m_bytes;
    QString m_path;
    qint64 m_maxBytes;
};

} // namespace pravik
