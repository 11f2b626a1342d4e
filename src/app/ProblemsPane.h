#pragma once

#include "check/Diagnostic.h"
#include "check/IncrementalCheck.h"

#include <QAbstractTableModel>
#include <QDockWidget>
#include <QPointer>
#include <QToolButton>
#include <vector>

class QThreadPool;
class QTimer;
class QTreeView;

namespace pravik {

class SmlDocument;
class SmlNode;

// The rows of the problems pane: the checker's findings as texts, each with
// the node it names while the document is unchanged.
class ProblemsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { SeverityColumn, KeyColumn, PathColumn, MessageColumn, ColumnCount };
    // Rows kept at most; the rest are counted in one closing row. Nobody
    // reads further, and the texts are made at once for every row kept.
    static constexpr int kMaxRows = 10000;

    struct Row {
        Severity severity = Severity::Error;
        QString rule;
        QString key;
        QString path;
        QString message;               // with the rule id
        const SmlNode* node = nullptr; // nullptr: the document, or gone
        bool more = false;             // the closing row that counts the rows left out
    };

    explicit ProblemsModel(QObject* parent = nullptr);

    // The row of a finding, its texts made from the nodes as they are now.
    static Row RowOf(const Diagnostic& d);
    // The closing row that counts the findings left out.
    static Row MoreRow(size_t leftOut);
    // Rows made beforehand (at most kMaxRows and the closing row).
    void setRows(std::vector<Row> rows);
    void setDiagnostics(const std::vector<Diagnostic>& diagnostics);
    // The nodes may be gone: the rows keep their texts, not their nodes.
    void forgetNodes();
    const Row& row(int r) const { return m_rows[static_cast<size_t>(r)]; }
    // The row showing the same finding as r, or -1.
    int find(const Row& r) const;
    // "오류" or "경고" (nothing for the closing row).
    static QString SeverityText(const Row& r);
    // A row in full, its columns tab-separated, as a copy holds it.
    static QString RowText(const Row& r);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    std::vector<Row> m_rows;
};

// "문제 목록": a dock under the tree listing the definition checker's
// findings. It checks again a moment after the document last changed, and
// never holds up the window for long: only the messages an edit touched are
// checked again, in slices between the window's events (IncrementalCheck),
// and the rules of the whole document run on a worker thread over what was
// found per message, which reads no node. Double-click or Enter on a row
// selects the node; Ctrl+C copies the selected rows in full. Node pointers
// are never used after a change before the check has run again.
class ProblemsPane : public QDockWidget {
    Q_OBJECT
public:
    // Milliseconds between the last change and the check.
    static constexpr int kDelay = 400;
    // The longest slice of checking between two turns of the event loop.
    static constexpr int kSliceMs = 10;

    ProblemsPane(SmlDocument& doc, QWidget* parent = nullptr);
    ~ProblemsPane() override;

    // Checks now, at once; returns the counts of the whole document.
    DiagnosticCounts refreshNow();
    // Checks once the document has been quiet for kDelay.
    void scheduleRefresh();
    // The pause after the last change (kDelay); tests shorten it.
    void setDelay(int ms);
    // The rows describe an earlier state of the document.
    bool isStale() const { return m_stale; }
    DiagnosticCounts counts() const { return m_counts; }

    ProblemsModel* model() const { return m_model; }
    QTreeView* view() const { return m_view; }
    // The counts for the status bar; a click shows or hides the pane.
    QToolButton* statusButton() const { return m_status.data(); }
    // Selects the node of a row (refreshing first when the rows are stale).
    void activateRow(int row);
    // The selected rows (or the current one) as text, every column in full,
    // tab-separated, one line per row: what Ctrl+C puts on the clipboard.
    QString selectedRowsText() const;
    void copySelectedRows();

signals:
    void nodeActivated(pravik::SmlNode* node);
    void countsChanged(int errors, int warnings);

private:
    // What the pane does after a change, in slices between the window's events.
    enum class Phase {
        Idle,       // up to date, or waiting for the pause after a change
        Checking,   // the messages that changed, on this thread
        Assembling, // the rules of the whole document, on the worker
        Preparing,  // the rows' texts, from the nodes, on this thread
    };
    // What the worker hands back: the findings the rows show, and the counts
    // of them all.
    struct Assembled {
        std::vector<Diagnostic> kept; // at most ProblemsModel::kMaxRows
        size_t total = 0;
        DiagnosticCounts counts;
    };

    void buildView();
    void documentChanged();
    void nodesLeaving();
    void step();
    void assembled(quint64 request, Assembled found);
    void showRows(std::vector<ProblemsModel::Row> rows, DiagnosticCounts counts);
    void showCounts();

    SmlDocument& m_doc;
    IncrementalCheck* m_check = nullptr;
    ProblemsModel* m_model = nullptr;
    QTreeView* m_view = nullptr;
    QPointer<QToolButton> m_status; // owned by the status bar it is put in
    QTimer* m_timer = nullptr;      // the pause after the last change
    QTimer* m_slice = nullptr;      // the next slice
    QThreadPool* m_worker = nullptr;
    Phase m_phase = Phase::Idle;
    quint64 m_request = 0; // the latest check asked for; older answers are dropped
    Assembled m_found;     // being turned into rows
    std::vector<ProblemsModel::Row> m_rows;
    DiagnosticCounts m_counts;
    bool m_stale = true;
};

} // namespace pravik
