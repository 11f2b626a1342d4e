#include "app/TextPane.h"

#include <QApplication>
#include <QClipboard>
#include <QFont>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace pravik {

namespace {
constexpr int kMargin = 4;
}

QFont TextPane::monospaceFont() {
    QFont font;
    font.setFamilies({QStringLiteral("NanumGothicCoding"), QStringLiteral("DejaVu Sans Mono"),
                      QStringLiteral("Courier New"), QStringLiteral("Monospace")});
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSize(9);
    return font;
}

TextPane::TextPane(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void TextPane::setPlainText(const QString& text) {
    m_text = text;
    m_lineStarts.assign(1, 0);
    qsizetype longest = 0, longestLine = 0;
    const QChar* data = m_text.constData();
    const qsizetype n = m_text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (data[i] == QLatin1Char('\n')) {
            const qsizetype len = i - m_lineStarts.back();
            if (len > longest) {
                longest = len;
                longestLine = static_cast<qsizetype>(m_lineStarts.size()) - 1;
            }
            m_lineStarts.push_back(i + 1);
        }
    }
    if (n - m_lineStarts.back() > longest)
        longestLine = static_cast<qsizetype>(m_lineStarts.size()) - 1;
    m_longestLine = longestLine;
    m_widest = fontMetrics().horizontalAdvance(lineText(longestLine));
    m_caret = m_anchor = 0;
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    updateScrollBars();
    viewport()->update();
}

qsizetype TextPane::lineEnd(qsizetype line) const {
    return line + 1 < lineCount() ? lineStart(line + 1) - 1 : m_text.size();
}

QString TextPane::lineText(qsizetype line) const {
    return m_text.mid(lineStart(line), lineEnd(line) - lineStart(line));
}

qsizetype TextPane::lineOf(qsizetype pos) const {
    const auto it = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), pos);
    return static_cast<qsizetype>(it - m_lineStarts.begin()) - 1;
}

int TextPane::lineHeight() const {
    return std::max(1, fontMetrics().lineSpacing());
}

int TextPane::visibleLines() const {
    return std::max(1, (viewport()->height() - kMargin) / lineHeight());
}

qsizetype TextPane::firstVisibleLine() const {
    return verticalScrollBar()->value();
}

void TextPane::updateScrollBars() {
    const qsizetype maxFirst = std::max<qsizetype>(0, lineCount() - visibleLines());
    verticalScrollBar()->setRange(0, static_cast<int>(std::min<qsizetype>(maxFirst, INT_MAX)));
    verticalScrollBar()->setPageStep(visibleLines());
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setRange(0, std::max(0, m_widest + 2 * kMargin - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(fontMetrics().averageCharWidth());
}

void TextPane::setCaretPosition(qsizetype pos) {
    moveCaret(pos, false);
}

void TextPane::moveCaret(qsizetype pos, bool keepAnchor) {
    m_caret = std::clamp<qsizetype>(pos, 0, m_text.size());
    if (!keepAnchor)
        m_anchor = m_caret;
    viewport()->update();
}

QString TextPane::selectedText() const {
    const qsizetype from = std::min(m_anchor, m_caret), to = std::max(m_anchor, m_caret);
    return m_text.mid(from, to - from);
}

void TextPane::copy() const {
    if (hasSelection())
        QApplication::clipboard()->setText(selectedText());
}

void TextPane::selectAll() {
    m_anchor = 0;
    m_caret = m_text.size();
    viewport()->update();
}

void TextPane::setHighlights(std::vector<Range> ranges) {
    m_highlights = std::move(ranges);
    viewport()->update();
}

void TextPane::setHighlightColor(const QColor& color) {
    m_highlightColor = color;
    viewport()->update();
}

void TextPane::ensureCaretVisible() {
    const qsizetype line = lineOf(m_caret);
    const qsizetype first = firstVisibleLine();
    const int rows = visibleLines();
    if (line < first)
        verticalScrollBar()->setValue(static_cast<int>(line));
    else if (line >= first + rows)
        verticalScrollBar()->setValue(static_cast<int>(line - rows + 1));
    const int x =
        fontMetrics().horizontalAdvance(m_text.mid(lineStart(line), m_caret - lineStart(line)));
    QScrollBar* h = horizontalScrollBar();
    const int width = viewport()->width() - 2 * kMargin;
    if (x < h->value())
        h->setValue(x);
    else if (x > h->value() + width)
        h->setValue(x - width + fontMetrics().averageCharWidth());
    viewport()->update();
}

qsizetype TextPane::positionAt(const QPoint& pos) const {
    const qsizetype line = std::clamp<qsizetype>(
        firstVisibleLine() + (pos.y() - kMargin) / lineHeight(), 0, lineCount() - 1);
    const QString text = lineText(line);
    const QFontMetrics fm = fontMetrics();
    const int x = pos.x() - kMargin + horizontalScrollBar()->value();
    int advance = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int w = fm.horizontalAdvance(text.at(i));
        if (x < advance + w / 2)
            return lineStart(line) + i;
        advance += w;
    }
    return lineEnd(line);
}

void TextPane::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    const QPalette& pal = palette();
    p.fillRect(viewport()->rect(), pal.color(QPalette::Base));
    const QFontMetrics fm = fontMetrics();
    const int h = lineHeight();
    const int x0 = kMargin - horizontalScrollBar()->value();
    const qsizetype first = firstVisibleLine();
    const qsizetype last = std::min(lineCount() - 1, first + visibleLines());
    const qsizetype selFrom = std::min(m_anchor, m_caret), selTo = std::max(m_anchor, m_caret);
    int widest = m_widest;
    for (qsizetype line = first; line <= last; ++line) {
        const int y = kMargin + static_cast<int>(line - first) * h;
        const QString text = lineText(line);
        const qsizetype start = lineStart(line), end = lineEnd(line);
        // The highlights that reach into this line.
        auto range = std::upper_bound(m_highlights.begin(), m_highlights.end(), start,
                                      [](qsizetype pos, const Range& r) { return pos < r.second; });
        for (; range != m_highlights.end() && range->first <= end; ++range) {
            const qsizetype a = std::max(range->first, start) - start;
            const qsizetype b = std::min(range->second, end) - start;
            const int xa = fm.horizontalAdvance(text.left(a));
            const int xb = fm.horizontalAdvance(text.left(b));
            p.fillRect(QRect(x0 + xa, y, std::max(xb - xa, 1), h), m_highlightColor);
        }
        if (selFrom < selTo && selFrom <= end && selTo >= start) {
            const qsizetype a = std::max(selFrom, start) - start, b = std::min(selTo, end) - start;
            const int xa = fm.horizontalAdvance(text.left(a));
            const int xb =
                fm.horizontalAdvance(text.left(b)) + (selTo > end ? fm.averageCharWidth() : 0);
            p.fillRect(QRect(x0 + xa, y, xb - xa, h), pal.color(QPalette::Highlight));
        }
        p.setPen(pal.color(QPalette::Text));
        p.drawText(x0, y + fm.ascent(), text);
        if (m_caret >= start && m_caret <= end) {
            const int xc = x0 + fm.horizontalAdvance(text.left(m_caret - start));
            QColor caret = pal.color(QPalette::Text);
            if (!hasFocus())
                caret.setAlpha(140);
            p.fillRect(QRect(xc, y, 2, h), caret);
        }
        widest = std::max(widest, fm.horizontalAdvance(text));
    }
    if (widest > m_widest) {
        m_widest = widest;
        updateScrollBars();
    }
}

void TextPane::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void TextPane::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        m_widest = fontMetrics().horizontalAdvance(lineText(m_longestLine));
        updateScrollBars();
    }
}

void TextPane::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy) ||
        (event->key() == Qt::Key_Insert && event->modifiers() == Qt::ControlModifier)) {
        copy();
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
        return;
    }
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const qsizetype line = lineOf(m_caret);
    const qsizetype column = m_caret - lineStart(line);
    const auto toLine = [&](qsizetype target) {
        target = std::clamp<qsizetype>(target, 0, lineCount() - 1);
        return std::min(lineStart(target) + column, lineEnd(target));
    };
    qsizetype pos = m_caret;
    switch (event->key()) {
    case Qt::Key_Left:
        pos = m_caret - 1;
        break;
    case Qt::Key_Right:
        pos = m_caret + 1;
        break;
    case Qt::Key_Up:
        pos = toLine(line - 1);
        break;
    case Qt::Key_Down:
        pos = toLine(line + 1);
        break;
    case Qt::Key_PageUp:
        pos = toLine(line - visibleLines());
        break;
    case Qt::Key_PageDown:
        pos = toLine(line + visibleLines());
        break;
    case Qt::Key_Home:
        pos = ctrl ? 0 : lineStart(line);
        break;
    case Qt::Key_End:
        pos = ctrl ? m_text.size() : lineEnd(line);
        break;
    default:
        // Read-only: nothing is typed, Enter inserts no line.
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    moveCaret(pos, shift);
    ensureCaretVisible();
}

void TextPane::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        moveCaret(positionAt(event->position().toPoint()), event->modifiers() & Qt::ShiftModifier);
        return;
    }
    QAbstractScrollArea::mousePressEvent(event);
}

void TextPane::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) {
        moveCaret(positionAt(event->position().toPoint()), true);
        ensureCaretVisible();
    }
}

void TextPane::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void TextPane::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

} // namespace pravik
