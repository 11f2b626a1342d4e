#include "app/ProblemsPane.h"

#include "check/DefinitionChecker.h"
#include "document/SmlDocument.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

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

} // namespace

// --- the model ---------------------------------------------------------------

ProblemsModel::ProblemsModel(QObject* parent) : QAbstractTableModel(parent) {}

void ProblemsModel::setDiagnostics(const std::vector<Diagnostic>& diagnostics) {
    beginResetModel();
    m_rows.clear();
    const size_t kept = std::min(diagnostics.size(), static_cast<size_t>(kMaxRows));
    m_rows.reserve(kept + 1);
    for (size_t i = 0; i < kept; ++i) {
        const Diagnostic& d = diagnostics[i];
        Row r;
        r.severity = d.severity;
        r.rule = QLatin1String(d.rule);
        r.key = DiagnosticKey(d);
        r.path = d.node() ? DiagnosticPath(d) : QStringLiteral("(문서 전체)");
        r.message = d.text();
        r.node = d.node();
        m_rows.push_back(std::move(r));
    }
    if (diagnostics.size() > kept) {
        Row more;
        more.more = true;
        more.message =
            QStringLiteral("표시하지 않은 문제가 %1개 더 있습니다.").arg(diagnostics.size() - kept);
        m_rows.push_back(std::move(more));
    }
    endResetModel();
}

void ProblemsModel::forgetNodes() {
    for (Row& r : m_rows)
        r.node = nullptr;
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
    if (role == Qt::ToolTipRole && index.column() != SeverityColumn)
        return r.more ? r.message : r.path + QLatin1Char('\n') + r.message;
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case SeverityColumn:
        return r.more                          ? QString()
               : r.severity == Severity::Error ? QStringLiteral("오류")
                                               : QStringLiteral("경고");
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

    m_model = new ProblemsModel(this);
    m_view = new ProblemsView(this);
    m_view->setObjectName(QStringLiteral("ProblemsView"));
    m_view->setModel(m_model);
    m_view->setRootIsDecorated(false);
    m_view->setUniformRowHeights(true);
    m_view->setAlternatingRowColors(true);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setTextElideMode(Qt::ElideMiddle);
    QHeaderView* header = m_view->header();
    header->setStretchLastSection(true);
    header->resizeSection(ProblemsModel::SeverityColumn, 60);
    header->resizeSection(ProblemsModel::KeyColumn, 70);
    header->resizeSection(ProblemsModel::PathColumn, 300);
    setWidget(m_view);
    connect(m_view, &QAbstractItemView::activated, this,
            [this](const QModelIndex& index) { activateRow(index.row()); });

    m_status = new QToolButton;
    m_status->setObjectName(QStringLiteral("ProblemsStatus"));
    m_status->setAutoRaise(true);
    m_status->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_status->setToolTip(QStringLiteral("문제 목록을 보여주거나 감춥니다."));
    showCounts();

    m_timer = new QTimer(this);
    m_timer->setSingleShot(true);
    m_timer->setInterval(kDelay);
    connect(m_timer, &QTimer::timeout, this, [this] { refreshNow(); });

    // Every change of the document: check again once it is quiet.
    connect(&m_doc, &QAbstractItemModel::rowsInserted, this, &ProblemsPane::documentChanged);
    connect(&m_doc, &QAbstractItemModel::rowsRemoved, this, &ProblemsPane::documentChanged);
    connect(&m_doc, &QAbstractItemModel::rowsMoved, this, &ProblemsPane::documentChanged);
    connect(&m_doc, &QAbstractItemModel::dataChanged, this, &ProblemsPane::documentChanged);
    connect(&m_doc, &QAbstractItemModel::layoutChanged, this, &ProblemsPane::documentChanged);
    connect(&m_doc, &QAbstractItemModel::modelReset, this, &ProblemsPane::documentChanged);
    // Nodes about to leave: no row may point at them any more.
    connect(&m_doc, &SmlDocument::nodesAboutToBeRemoved, this, &ProblemsPane::nodesLeaving);
    connect(&m_doc, &SmlDocument::documentAboutToBeReset, this, &ProblemsPane::nodesLeaving);
}

ProblemsPane::~ProblemsPane() {
    // The status button lives in the window's status bar once it is put there.
    if (m_status && !m_status->parent())
        delete m_status.data();
}

DiagnosticCounts ProblemsPane::refreshNow() {
    m_timer->stop();
    const std::vector<Diagnostic> found = CheckDefinitions(m_doc);
    m_model->setDiagnostics(found);
    m_counts = CountDiagnostics(found);
    m_stale = false;
    showCounts();
    emit countsChanged(m_counts.errors, m_counts.warnings);
    return m_counts;
}

void ProblemsPane::scheduleRefresh() {
    m_timer->start();
}

void ProblemsPane::documentChanged() {
    m_stale = true;
    scheduleRefresh();
}

void ProblemsPane::nodesLeaving() {
    m_model->forgetNodes();
    documentChanged();
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
