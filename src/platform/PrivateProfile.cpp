#include "platform/PrivateProfile.h"

namespace pravik {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

QByteArray Trimmed(const QByteArray& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

char FoldCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(const QByteArray& a, const QByteArray& b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (FoldCase(a[i]) != FoldCase(b[i]))
            return false;
    }
    return true;
}

const QByteArray kNewLineEnd = QByteArrayLiteral("\r\n");

} // namespace

PrivateProfile::PrivateProfile(const QByteArray& content) {
    qsizetype start = 0;
    // A UTF-8 mark left by an editor is kept as it is but hides no section.
    if (content.startsWith("\xEF\xBB\xBF")) {
        m_lines.push_back({content.left(3), QByteArray()});
        start = 3;
    }
    while (start < content.size()) {
        const qsizetype nl = content.indexOf('\n', start);
        if (nl < 0) {
            m_lines.push_back({content.mid(start), QByteArray()});
            break;
        }
        qsizetype textEnd = nl;
        if (textEnd > start && content[textEnd - 1] == '\r')
            --textEnd;
        m_lines.push_back(
            {content.mid(start, textEnd - start), content.mid(textEnd, nl + 1 - textEnd)});
        start = nl + 1;
    }
}

std::optional<QByteArray> PrivateProfile::SectionName(const QByteArray& text) {
    const QByteArray t = Trimmed(text);
    if (!t.startsWith('['))
        return std::nullopt;
    qsizetype close = t.lastIndexOf(']');
    if (close < 0)
        close = t.size();
    return Trimmed(t.mid(1, close - 1));
}

std::optional<PrivateProfile::KeyLine> PrivateProfile::ParseKeyLine(const QByteArray& text) {
    const qsizetype eq = text.indexOf('=');
    if (eq < 0)
        return std::nullopt;
    KeyLine line{Trimmed(text.left(eq)), Trimmed(text.mid(eq + 1))};
    if (line.name.startsWith(';'))
        return std::nullopt; // a comment that happens to hold "="
    const QByteArray& v = line.value;
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        line.value = v.mid(1, v.size() - 2);
    return line;
}

qsizetype PrivateProfile::findSection(const QByteArray& section) const {
    for (qsizetype i = 0; i < static_cast<qsizetype>(m_lines.size()); ++i) {
        const auto name = SectionName(m_lines[i].text);
        if (name && SameName(*name, section))
            return i;
    }
    return -1;
}

qsizetype PrivateProfile::sectionEnd(qsizetype header) const {
    qsizetype i = header + 1;
    while (i < static_cast<qsizetype>(m_lines.size()) && !SectionName(m_lines[i].text))
        ++i;
    return i;
}

std::optional<QByteArray> PrivateProfile::value(const QByteArray& section,
                                                const QByteArray& key) const {
    const qsizetype header = findSection(section);
    if (header < 0)
        return std::nullopt;
    const qsizetype end = sectionEnd(header);
    for (qsizetype i = header + 1; i < end; ++i) {
        const auto line = ParseKeyLine(m_lines[i].text);
        if (line && SameName(line->name, key))
            return line->value.left(kMaxValueLength);
    }
    return std::nullopt;
}

QByteArray PrivateProfile::value(const QByteArray& section, const QByteArray& key,
                                 const QByteArray& fallback) const {
    return value(section, key).value_or(fallback);
}

void PrivateProfile::setValue(const QByteArray& section, const QByteArray& key,
                              const QByteArray& rawValue) {
    QByteArray value = rawValue;
    value.replace('\r', ' ').replace('\n', ' ');

    // A new line goes after `after`; that line must end before it.
    auto insertLine = [this](qsizetype at, const QByteArray& text) {
        if (at > 0 && m_lines[at - 1].end.isEmpty())
            m_lines[at - 1].end = kNewLineEnd;
        m_lines.insert(m_lines.begin() + at, Line{text, kNewLineEnd});
    };

    const qsizetype header = findSection(section);
    if (header < 0) {
        qsizetype at = static_cast<qsizetype>(m_lines.size());
        if (at > 0 && !Trimmed(m_lines[at - 1].text).isEmpty())
            insertLine(at++, QByteArray()); // a blank line between sections
        insertLine(at, '[' + section + ']');
        insertLine(at + 1, key + '=' + value);
        return;
    }
    const qsizetype end = sectionEnd(header);
    qsizetype lastFilled = header;
    for (qsizetype i = header + 1; i < end; ++i) {
        const QByteArray& text = m_lines[i].text;
        const auto line = ParseKeyLine(text);
        if (line && SameName(line->name, key)) {
            // An unchanged value keeps its line as written (quotes, blanks).
            if (line->value != value)
                m_lines[i].text = line->name + '=' + value;
            return;
        }
        if (!Trimmed(text).isEmpty())
            lastFilled = i;
    }
    insertLine(lastFilled + 1, key + '=' + value);
}

QByteArray PrivateProfile::content() const {
    QByteArray out;
    qsizetype size = 0;
    for (const Line& line : m_lines)
        size += line.text.size() + line.end.size();
    out.reserve(size);
    for (const Line& line : m_lines)
        out += line.text + line.end;
    return out;
}

} // namespace pravik
