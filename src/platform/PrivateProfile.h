#pragma once

#include <QByteArray>
#include <optional>
#include <vector>

namespace pravik {

// The text of an INI-style file, read and changed the way the driver's own
// Windows profile functions see it:
// - section and key names match without regard to ASCII letter case; only the
//   first section of a name counts, and in it the first line of the key;
// - blanks around names and values are ignored, and a value enclosed in a
//   pair of double or single quotes is read without them;
// - a value is cut to 2047 bytes when read;
// - setting a value replaces the key's line in place, adds a missing key after
//   the last line of its section and a missing section at the end, and leaves
//   every other line (comments, unknown keys and sections) byte for byte.
// Names and values are bytes in the ANSI code page; nothing is transcoded.
class PrivateProfile {
public:
    static constexpr int kMaxValueLength = 2047;

    PrivateProfile() = default;
    explicit PrivateProfile(const QByteArray& content);

    // The value of key in section, or std::nullopt when either is missing.
    std::optional<QByteArray> value(const QByteArray& section, const QByteArray& key) const;
    QByteArray value(const QByteArray& section, const QByteArray& key,
                     const QByteArray& fallback) const;

    // Stores value under key in section. Line breaks in value are replaced by
    // blanks, so a value can never split into lines of its own.
    void setValue(const QByteArray& section, const QByteArray& key, const QByteArray& value);

    // The whole text; lines keep their own line ends, new lines end in CR LF.
    QByteArray content() const;

private:
    struct Line {
        QByteArray text; // without its line end
        QByteArray end;  // "\r\n", "\n" or empty for an unterminated last line
    };
    struct KeyLine {
        QByteArray name;
        QByteArray value;
    };

    static std::optional<QByteArray> SectionName(const QByteArray& text);
    static std::optional<KeyLine> ParseKeyLine(const QByteArray& text);
    // Index of the first line of the section's header, or -1.
    qsizetype findSection(const QByteArray& section) const;
    // Index one past the last line belonging to the section at header.
    qsizetype sectionEnd(qsizetype header) const;

    std::vector<Line> m_lines;
};

} // namespace pravik
