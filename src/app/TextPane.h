#pragma once

#include <QAbstractScrollArea>
#include <QColor>
#include <QString>
#include <utility>
#include <vector>

namespace pravik {

// The read-only SML text pane (Memo1). A whole document can run to millions
// of lines, more than a rich text document handles quickly, so the pane keeps
// the plain text with the start of each line and draws only the visible lines.
// Positions count characters from 0, one per line end, like a text cursor.
class TextPane : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TextPane(QWidget* parent = nullptr);
    // The fixed-width font of the panes that show SML and bytes.
    static QFont monospaceFont();

    // Lines are separated by '\n'; the caret goes to the start.
    void setPlainText(const QString& text);
    const QString& toPlainText() const { return m_text; }
    qsizetype lineCount() const { return static_cast<qsizetype>(m_lineStarts.size()); }

    qsizetype caretPosition() const { return m_caret; }
    // Puts the caret at pos with an empty selection.
    void setCaretPosition(qsizetype pos);
    bool hasSelection() const { return m_anchor != m_caret; }
    QString selectedText() const;
    // Scrolls so that the caret's line and column are in view.
    void ensureCaretVisible();
    // The line holding pos, from 0.
    qsizetype lineOf(qsizetype pos) const;
    qsizetype firstVisibleLine() const;

    void copy() const;
    void selectAll();

    // Character ranges [first, second) drawn on a background of their own
    // under the text (the preview marks a node's text and bytes so). Sorted,
    // not overlapping.
    using Range = std::pair<qsizetype, qsizetype>;
    void setHighlights(std::vector<Range> ranges);
    const std::vector<Range>& highlights() const { return m_highlights; }
    void setHighlightColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QString lineText(qsizetype line) const;
    qsizetype lineStart(qsizetype line) const { return m_lineStarts[static_cast<size_t>(line)]; }
    qsizetype lineEnd(qsizetype line) const; // position of its '\n' (or the text's end)
    qsizetype positionAt(const QPoint& viewportPos) const;
    void moveCaret(qsizetype pos, bool keepAnchor);
    void updateScrollBars();
    int lineHeight() const;
    int visibleLines() const;

    QString m_text;
    std::vector<qsizetype> m_lineStarts{0};
    qsizetype m_caret = 0;
    qsizetype m_anchor = 0;
    qsizetype m_longestLine = 0; // in characters
    int m_widest = 0;            // widest line met so far, in pixels
    std::vector<Range> m_highlights;
    QColor m_highlightColor{255, 226, 110};
};

} // namespace pravik
