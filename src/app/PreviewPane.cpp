#include "app/PreviewPane.h"

#include "app/HexHighlight.h"
#include "app/TextPane.h"
#include "document/SmlDocument.h"
#include "platform/AnsiText.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QSplitter>
#include <QVBoxLayout>
#include <algorithm>

namespace pravik {

namespace {

// Highlights beyond these are not drawn: a node an "n" list repeats
// thousands of times is seen well enough in its first occurrences.
constexpr size_t kMaxHighlightedSpans = 2000;
constexpr size_t kMaxHighlightRanges = 20000;
// Changes are gathered this long before the pane catches up with them.
constexpr int kRefreshDelayMs = 20;

} // namespace

PreviewPane::PreviewPane(SmlDocument& doc, QWidget* parent)
    : QDockWidget(QStringLiteral("미리 보기"), parent), m_doc(doc) {
    setObjectName(QStringLiteral("PreviewPane"));
    buildControls();

    m_timer.setSingleShot(true);
    m_timer.setInterval(kRefreshDelayMs);
    connect(&m_timer, &QTimer::timeout, this, &PreviewPane::refresh);
    connect(m_count, &QSpinBox::valueChanged, this, [this] {
        m_stale = true;
        scheduleRefresh();
    });

    // Every change of the document, whatever made it (an edit, undo, redo,
    // a file read), brings the pane up to date.
    connect(&m_doc, &QAbstractItemModel::rowsInserted, this, &PreviewPane::documentChanged);
    connect(&m_doc, &QAbstractItemModel::rowsRemoved, this, &PreviewPane::documentChanged);
    connect(&m_doc, &QAbstractItemModel::rowsMoved, this, &PreviewPane::documentChanged);
    connect(&m_doc, &QAbstractItemModel::dataChanged, this, &PreviewPane::documentChanged);
    connect(&m_doc, &QAbstractItemModel::layoutChanged, this, &PreviewPane::documentChanged);
    connect(&m_doc, &QAbstractItemModel::modelReset, this, &PreviewPane::documentChanged);
    connect(&m_doc, &SmlDocument::nodesAboutToBeRemoved, this, &PreviewPane::nodesLeaving);
    connect(&m_doc, &SmlDocument::documentAboutToBeReset, this, [this] {
        m_selected = nullptr;
        m_message = nullptr;
        m_stale = true;
    });
    refresh();
}

// The count of an "n" list's elements and the size above the SML and the
// bytes.
void PreviewPane::buildControls() {
    auto* body = new QWidget(this);
    auto* column = new QVBoxLayout(body);
    column->setContentsMargins(4, 2, 4, 4);
    column->setSpacing(4);

    auto* row = new QHBoxLayout;
    auto* countLabel = new QLabel(QStringLiteral("n 목록의 요소 수:"), body);
    m_count = new QSpinBox(body);
    m_count->setObjectName(QStringLiteral("PreviewCount"));
    m_count->setRange(0, kMaxVariableCount);
    m_count->setValue(1);
    m_count->setToolTip(QStringLiteral("길이가 정해지지 않은 목록(n)마다 넣을 요소의 수"));
    countLabel->setBuddy(m_count);
    m_size = new QLabel(body);
    m_size->setObjectName(QStringLiteral("PreviewSize"));
    row->addWidget(countLabel);
    row->addWidget(m_count);
    row->addStretch(1);
    row->addWidget(m_size);
    column->addLayout(row);

    auto* split = new QSplitter(Qt::Vertical, body);
    m_sml = new TextPane(split);
    m_sml->setObjectName(QStringLiteral("PreviewSml"));
    m_bytes = new TextPane(split);
    m_bytes->setObjectName(QStringLiteral("PreviewBytes"));
    for (TextPane* view : {m_sml, m_bytes})
        view->setFont(TextPane::monospaceFont());
    split->addWidget(m_sml);
    split->addWidget(m_bytes);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    column->addWidget(split, 1);
    setWidget(body);
}

void PreviewPane::setSelectedNode(SmlNode* node) {
    m_selected = node;
    if (!m_stale && (node ? node->message() : nullptr) == m_message) {
        highlight(); // the same message: only the marks move
        return;
    }
    m_stale = true;
    scheduleRefresh();
}

void PreviewPane::documentChanged() {
    m_stale = true;
    scheduleRefresh();
}

void PreviewPane::nodesLeaving(SmlNode* subtreeRoot) {
    if (m_selected && subtreeRoot->isAncestorOf(m_selected))
        m_selected = nullptr;
    if (m_message && subtreeRoot->isAncestorOf(m_message))
        m_message = nullptr;
    m_stale = true;
}

void PreviewPane::scheduleRefresh() {
    if (isVisible())
        m_timer.start();
}

void PreviewPane::showEvent(QShowEvent* event) {
    QDockWidget::showEvent(event);
    if (m_stale)
        m_timer.start();
}

void PreviewPane::closeEvent(QCloseEvent* event) {
    QDockWidget::closeEvent(event);
    emit closedByUser();
}

void PreviewPane::refreshNow() {
    m_timer.stop();
    refresh();
}

int PreviewPane::preferredWidth() const {
    const QFontMetrics fm(m_bytes->font());
    const int line =
        fm.horizontalAdvance(QString(HexTextColumn(kHexBytesPerLine), QLatin1Char('0')));
    // The view's margins and scroll bar, the pane's own margins.
    return line + 48;
}

QString PreviewPane::sizeText() const {
    return m_size->text();
}

void PreviewPane::refresh() {
    m_timer.stop();
    m_stale = false;
    m_message = m_selected ? m_selected->message() : nullptr;
    m_lineBytes.clear();
    m_lineChars.clear();
    m_lineAscii.clear();
    if (!m_message) {
        m_preview = MessagePreview();
        m_sml->setPlainText(QString());
        m_bytes->setPlainText(QString());
        m_size->setText(QStringLiteral("선택된 메시지가 없습니다"));
        return;
    }
    m_preview = PreviewMessage(*m_message, m_count->value());
    if (!m_preview.ok()) {
        showProblems();
        return;
    }
    // Where each line starts, in bytes and in characters: a highlight's
    // byte offsets become positions in the decoded text.
    const QByteArray& sml = m_preview.sml;
    const QString text = AnsiText::Decode(sml);
    bool ascii = true;
    m_lineBytes.push_back(0);
    for (qsizetype i = 0; i < sml.size(); ++i) {
        const char c = sml[i];
        if (static_cast<quint8>(c) >= 0x80)
            ascii = false;
        if (c == '\n') {
            m_lineAscii.push_back(ascii);
            m_lineBytes.push_back(i + 1);
            ascii = true;
        }
    }
    m_lineAscii.push_back(ascii);
    m_lineChars.push_back(0);
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text.at(i) == QLatin1Char('\n'))
            m_lineChars.push_back(i + 1);

    m_sml->setPlainText(text);
    m_bytes->setPlainText(QString::fromLatin1(HexDump(m_preview.body)));
    m_size->setText(QStringLiteral("%1 전체 크기: %2 바이트")
                        .arg(QString::fromLatin1(m_preview.key))
                        .arg(m_preview.body.size()));
    highlight();
}

void PreviewPane::showProblems() {
    QStringList lines{QStringLiteral("인코딩할 수 없습니다:")};
    for (const DefinitionProblem& p : m_preview.problems)
        lines << QStringLiteral("  ") + p.text();
    m_sml->setPlainText(QStringLiteral("(예제를 만들 수 없습니다)"));
    m_bytes->setPlainText(lines.join(QLatin1Char('\n')));
    m_size->setText(QStringLiteral("%1 인코딩할 수 없음").arg(QString::fromLatin1(m_preview.key)));
}

qsizetype PreviewPane::smlPosition(qint64 byteOffset) const {
    const auto it = std::upper_bound(m_lineBytes.begin(), m_lineBytes.end(), byteOffset);
    const size_t line = static_cast<size_t>(it - m_lineBytes.begin()) - 1;
    const qint64 column = byteOffset - m_lineBytes[line];
    if (m_lineAscii[line] || line >= m_lineChars.size())
        return m_lineChars[std::min(line, m_lineChars.size() - 1)] + column;
    const QByteArray prefix = m_preview.sml.mid(m_lineBytes[line], column);
    return m_lineChars[line] + AnsiText::Decode(prefix).size();
}

void PreviewPane::highlight() {
    std::vector<TextPane::Range> text, bytes;
    if (m_preview.ok() && m_message && m_selected) {
        std::vector<ByteSpan> textSpans, byteSpans;
        if (m_selected == m_message) {
            textSpans.push_back(m_preview.header);
            if (!m_preview.body.isEmpty())
                byteSpans.push_back({0, m_preview.body.size()});
        } else {
            for (const PreviewSpan& s : m_preview.spans) {
                if (s.node != m_selected)
                    continue;
                textSpans.push_back(s.text);
                byteSpans.push_back(s.bytes);
                if (textSpans.size() >= kMaxHighlightedSpans)
                    break;
            }
        }
        for (const ByteSpan& s : textSpans)
            text.push_back({smlPosition(s.begin), smlPosition(s.end)});
        // A byte range covers its hex pairs and its characters, line by line.
        bytes = HexHighlights(byteSpans, kMaxHighlightRanges);
    }
    m_sml->setHighlights(text);
    m_bytes->setHighlights(bytes);
    // The first highlighted place comes into view.
    if (!text.empty()) {
        m_sml->setCaretPosition(text.front().first);
        m_sml->ensureCaretVisible();
    }
    if (!bytes.empty()) {
        m_bytes->setCaretPosition(bytes.front().first);
        m_bytes->ensureCaretVisible();
    }
}

} // namespace pravik
