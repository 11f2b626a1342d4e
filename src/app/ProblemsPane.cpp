#include "app/ProblemsPane.h"

#include "check/DefinitionChecker.h"
#include "document/SmlDocument.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QThreadPool>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <algorithm>

namespace pravik {

namespace {

QIcon SeverityIcon(Severity s) {
    return QApplication::style()->standardIcon(s == Severity::Error ? QStyle::SP_MessageBoxCritical
                                                                    : QStyle::SP_MessageBoxWarning);
}

// Enter on a row activates it, also where the style does not say so.
class ProblemsView : public QTreeView {
public:
    using QTreeView::QTreeView;
    // A few rows high, so that the tree above keeps most of the window.
    QSize sizeHint() const override { return QSize(600, 150); }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
            currentIndex().isValid()) {
            emit activated(currentIndex());
            return;
        }
        QTreeView::keyPressEvent(event);
    }
};

// The path column cuts long paths in the middle, where the levels between
// the message and the node are; the other columns cut at the end.
class PathDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->textElideMode = Qt::ElideMiddle;
    }
};

} // namespace

// --- the model ---------------------------------------------------------------

ProblemsModel::ProblemsModel(QObject* parent) : QAbstractTableModel(parent) {}

ProblemsModel::Row ProblemsModel::RowOf(const Diagnostic& d) {
    Row r;
    r.severity = d.severity;
    r.rule = QLatin1String(d.rule);
    r.key = DiagnosticKey(d);
    r.path = d.node() ? DiagnosticPath(d) : QStringLiteral("(문서 전체)");
    r.message = d.text();
    r.node = d.node();
    return r;
}

ProblemsModel::Row ProblemsModel::MoreRow(size_t leftOut) {
    Row more;
    more.more = true;
    more.message = QStringLiteral("표시하지 않은 문제가 %1개 더 있습니다.").arg(leftOut);
    return more;
}

void ProblemsModel::setRows(std::vector<Row> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void ProblemsModel::setDiagnostics(const std::vector<Diagnostic>& diagnostics) {
    const size_t kept = std::min(diagnostics.size(), static_cast<size_t>(kMaxRows));
    std::vector<Row> rows;
    rows.reserve(kept + 1);
    for (size_t i = 0; i < kept; ++i)
        rows.push_back(RowOf(diagnostics[i]));
    if (diagnostics.size() > kept)
        rows.push_back(MoreRow(diagnostics.size() - kept));
    setRows(std::move(rows));
}

void ProblemsModel::forgetNodes() {
    for (Row& r : m_rows)
        r.node = nullptr;
}

QString ProblemsModel::SeverityText(const Row& r) {
    return r.more                          ? QString()
           : r.severity == Severity::Error ? QStringLiteral("오류")
                                           : QStringLiteral("경고");
}

QString ProblemsModel::RowText(const Row& r) {
    if (r.more)
        return r.message;
    return QStringList{SeverityText(r), r.key, r.path, r.message}.join(QLatin1Char('\t'));
}

int ProblemsModel::find(const Row& wanted) const {
    for (size_t i = 0; i < m_rows.size(); ++i) {
        const Row& r = m_rows[i];
        if (!r.more && r.rule == wanted.rule && r.key == wanted.key && r.path == wanted.path &&
            r.message == wanted.message)
            return static_cast<int>(i);
    }
    return -1;
}

int ProblemsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int ProblemsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ProblemsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Row& r = m_rows[static_cast<size_t>(index.row())];
    if (role == Qt::DecorationRole && index.column() == SeverityColumn && !r.more)
        return SeverityIcon(r.severity);
    // A cell too narrow for its text shows the start; the tip shows it all.
    if (role == Qt::ToolTipRole)
        return index.column() == SeverityColumn ? QVariant() : data(index, Qt::DisplayRole);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case SeverityColumn:
        return SeverityText(r);
    case KeyColumn:
        return r.key;
    case PathColumn:
        return r.path;
    case MessageColumn:
        return r.message;
    default:
        return {};
    }
}

QVariant ProblemsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case SeverityColumn:
        return QStringLiteral("구분");
    case KeyColumn:
        return QStringLiteral("메시지");
    case PathColumn:
        return QStringLiteral("위치");
    case MessageColumn:
        return QStringLiteral("내용");
    default:
        return {};
    }
}

// --- the pane ------------------------------------------------------------------

ProblemsPane::ProblemsPane(SmlDocument& doc, QWidget* parent)
    : QDockWidget(QStringLiteral("문제 목록"), parent), m_doc(doc) {
    setObjectName(QStringLiteral("ProblemsPane"));
    setAllowedAreas(Qt::BottomDockWidgetArea | Qt::TopDockWidgetArea);
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);

    buildView();

    m_status = new QToolButton;
    m_status->setObjectName(QStringLiteral("ProblemsStatus"));
    m_status->setAutoRaise(true);
    m_status->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_status->setToolTip(QStringLiteral("문제 목록을 보여주거나 감춥니다."));
    showCounts();

    m_check = new IncrementalCheck(m_doc, this);
    m_worker = new QThreadPool(this);
    m_worker->setMaxThreadCount(1);

    m_timer = new QTimer(this);
    m_timer->setSingleShot(true);
    m_timer->setInterval(kDelay);
    connect(m_timer, &QTimer::timeout, this, &ProblemsPane::step);
    m_slice = new QTimer(this);
    m_slice->setSingleShot(true);
    m_slice->setInterval(0);
    connect(m_slice, &QTimer::timeout, this, &ProblemsPane::step);

    // Every change of the document that can change the findings: check
    // again once it is quiet.
    connect(m_check, &IncrementalCheck::changed, this, &ProblemsPane::documentChanged);
    // Nodes about to leave: no row may point at them any more.
    connect(&m_doc, &SmlDocument::nodesAboutToBeRemoved, this, &ProblemsPane::nodesLeaving);
    connect(&m_doc, &SmlDocument::documentAboutToBeReset, this, &ProblemsPane::nodesLeaving);
}

// The list and its columns: the message takes what the short columns
// leave; the path a fair share.
void ProblemsPane::buildView() {
    m_model = new ProblemsModel(this);
    m_view = new ProblemsView(this);
    m_view->setObjectName(QStringLiteral("ProblemsView"));
    m_view->setModel(m_model);
    m_view->setRootIsDecorated(false);
    m_view->setUniformRowHeights(true);
    m_view->setAlternatingRowColors(true);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setTextElideMode(Qt::ElideRight);
    m_view->setItemDelegateForColumn(ProblemsModel::PathColumn, new PathDelegate(m_view));
    QHeaderView* header = m_view->header();
    header->setStretchLastSection(true);
    const QFontMetrics metrics = m_view->fontMetrics();
    const int margins = 2 * m_view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 16;
    const int icon = m_view->style()->pixelMetric(QStyle::PM_SmallIconSize);
    header->resizeSection(ProblemsModel::SeverityColumn,
                          icon + metrics.horizontalAdvance(QStringLiteral("오류")) + margins);
    header->resizeSection(ProblemsModel::KeyColumn,
                          metrics.horizontalAdvance(QStringLiteral("S127F255")) + margins);
    header->resizeSection(ProblemsModel::PathColumn, metrics.averageCharWidth() * 30);
    setWidget(m_view);

    // The rows in full, for a report or a mail: Ctrl+C and the context menu.
    auto* copy = new QAction(QStringLiteral("복사(&C)"), m_view);
    copy->setObjectName(QStringLiteral("ProblemsCopy"));
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, this, &ProblemsPane::copySelectedRows);
    m_view->addAction(copy);
    m_view->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(m_view, &QAbstractItemView::activated, this,
            [this](const QModelIndex& index) { activateRow(index.row()); });
}

ProblemsPane::~ProblemsPane() {
    // A check on the worker ends before the pane goes; its answer goes
    // with the pane's posted events.
    m_worker->waitForDone();
    // The status button lives in the window's status bar once it is put there.
    if (m_status && !m_status->parent())
        delete m_status.data();
}

DiagnosticCounts ProblemsPane::refreshNow() {
    m_timer->stop();
    m_slice->stop();
    m_phase = Phase::Idle;
    ++m_request; // an answer on its way is dropped
    const std::vector<Diagnostic> found = m_check->diagnostics();
    m_model->setDiagnostics(found);
    m_counts = CountDiagnostics(found);
    m_stale = false;
    showCounts();
    emit countsChanged(m_counts.errors, m_counts.warnings);
    return m_counts;
}

void ProblemsPane::scheduleRefresh() {
    m_slice->stop();
    m_phase = Phase::Idle;
    m_timer->start();
}

void ProblemsPane::setDelay(int ms) {
    m_timer->setInterval(ms);
}

void ProblemsPane::documentChanged() {
    m_stale = true;
    ++m_request;
    scheduleRefresh();
}

void ProblemsPane::nodesLeaving() {
    m_model->forgetNodes();
}

// One slice of the work after a change. Any change in between sets the
// phase back to Idle, so the nodes read here are those the findings name.
void ProblemsPane::step() {
    const QDeadlineTimer deadline(kSliceMs);
    if (m_phase == Phase::Idle)
        m_phase = Phase::Checking; // the pause is over
    if (m_phase == Phase::Checking) {
        if (!m_check->checkPending(deadline)) {
            m_slice->start();
            return;
        }
        m_phase = Phase::Assembling;
        const quint64 request = ++m_request;
        auto findings =
            std::make_shared<std::vector<IncrementalCheck::Findings>>(m_check->takeFindings());
        m_worker->start([this, request, findings] {
            std::vector<const MessageFindings*> messages;
            messages.reserve(findings->size());
            for (const IncrementalCheck::Findings& f : *findings)
                messages.push_back(f.get());
            std::vector<Diagnostic> all = AssembleFindings(messages);
            // The rest of the findings go here, on the worker.
            auto found = std::make_shared<Assembled>();
            found->total = all.size();
            found->counts = CountDiagnostics(all);
            all.resize(std::min(all.size(), static_cast<size_t>(ProblemsModel::kMaxRows)));
            found->kept = std::move(all);
            QMetaObject::invokeMethod(
                this, [this, request, found] { assembled(request, std::move(*found)); },
                Qt::QueuedConnection);
        });
        return;
    }
    if (m_phase == Phase::Preparing) {
        const std::vector<Diagnostic>& kept = m_found.kept;
        constexpr size_t kStretch = 64; // rows between two looks at the clock
        while (m_rows.size() < kept.size()) {
            if (m_rows.size() % kStretch == kStretch - 1 && deadline.hasExpired()) {
                m_slice->start();
                return;
            }
            m_rows.push_back(ProblemsModel::RowOf(kept[m_rows.size()]));
        }
        if (m_found.total > kept.size())
            m_rows.push_back(ProblemsModel::MoreRow(m_found.total - kept.size()));
        m_phase = Phase::Idle;
        m_found.kept.clear();
        showRows(std::move(m_rows), m_found.counts);
        m_rows.clear();
    }
}

// The worker's answer, when the document has not changed since it was asked.
void ProblemsPane::assembled(quint64 request, Assembled found) {
    if (request != m_request || m_phase != Phase::Assembling)
        return;
    m_found = std::move(found);
    m_rows.clear();
    m_rows.reserve(m_found.kept.size() + 1);
    m_phase = Phase::Preparing;
    step();
}

void ProblemsPane::showRows(std::vector<ProblemsModel::Row> rows, DiagnosticCounts counts) {
    m_model->setRows(std::move(rows));
    m_counts = counts;
    m_stale = false;
    showCounts();
    emit countsChanged(m_counts.errors, m_counts.warnings);
}

void ProblemsPane::activateRow(int row) {
    if (row < 0 || row >= m_model->rowCount())
        return;
    if (m_stale) {
        // The row describes an earlier document: find the same finding in
        // a fresh check, or nothing.
        const ProblemsModel::Row wanted = m_model->row(row);
        refreshNow();
        row = m_model->find(wanted);
        if (row < 0)
            return;
        m_view->setCurrentIndex(m_model->index(row, 0));
    }
    // The model hands out the document's own nodes; the window selects them.
    if (const SmlNode* node = m_model->row(row).node)
        emit nodeActivated(const_cast<SmlNode*>(node));
}

QString ProblemsPane::selectedRowsText() const {
    QList<int> rows;
    for (const QModelIndex& index : m_view->selectionModel()->selectedRows())
        rows << index.row();
    if (rows.isEmpty() && m_view->currentIndex().isValid())
        rows << m_view->currentIndex().row();
    std::sort(rows.begin(), rows.end());
    QStringList lines;
    for (int row : std::as_const(rows))
        lines << ProblemsModel::RowText(m_model->row(row));
    return lines.join(QLatin1Char('\n'));
}

void ProblemsPane::copySelectedRows() {
    const QString text = selectedRowsText();
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
}

void ProblemsPane::showCounts() {
    const QIcon icon = m_counts.errors > 0 ? SeverityIcon(Severity::Error)
                       : m_counts.warnings > 0
                           ? SeverityIcon(Severity::Warning)
                           : QApplication::style()->standardIcon(QStyle::SP_DialogApplyButton);
    m_status->setIcon(icon);
    m_status->setText(
        QStringLiteral("오류 %1개, 경고 %2개").arg(m_counts.errors).arg(m_counts.warnings));
}

} // namespace pravik
