#pragma once

#include "check/Diagnostic.h"

#include <QAbstractTableModel>
#include <QDockWidget>
#include <QPointer>
#include <QToolButton>
#include <vector>

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

    void setDiagnostics(const std::vector<Diagnostic>& diagnostics);
    // The nodes may be gone: the rows keep their texts, not their nodes.
    void forgetNodes();
    const Row& row(int r) const { return m_rows[static_cast<size_t>(r)]; }
    // The row showing the same finding as r, or -1.
    int find(const Row& r) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    std::vector<Row> m_rows;
};

// "문제 목록": a dock under the tree listing the definition checker's
// findings. It checks again a moment after the document last changed (one
// check of a million nodes takes about a quarter of a second, so it runs
// once typing and editing pause, not on every change); double-click or
// Enter on a row selects the node. Node pointers are never used after a
// change before the check has run again.
class ProblemsPane : public QDockWidget {
    Q_OBJECT
public:
    // Milliseconds between the last change and the check.
    static constexpr int kDelay = 400;

    ProblemsPane(SmlDocument& doc, QWidget* parent = nullptr);
    ~ProblemsPane() override;

    // Checks now; returns the counts of the whole document.
    DiagnosticCounts refreshNow();
    // Checks once the document has been quiet for kDelay.
    void scheduleRefresh();
    // The rows describe an earlier state of the document.
    bool isStale() const { return m_stale; }
    DiagnosticCounts counts() const { return m_counts; }

    ProblemsModel* model() const { return m_model; }
    QTreeView* view() const { return m_view; }
    // The counts for the status bar; a click shows or hides the pane.
    QToolButton* statusButton() const { return m_status.data(); }
    // Selects the node of a row (refreshing first when the rows are stale).
    void activateRow(int row);

signals:
    void nodeActivated(pravik::SmlNode* node);
    void countsChanged(int errors, int warnings);

private:
    void documentChanged();
    void nodesLeaving();
    void showCounts();

    SmlDocument& m_doc;
    ProblemsModel* m_model = nullptr;
    QTreeView* m_view = nullptr;
    QPointer<QToolButton> m_status; // owned by the status bar it is put in
    QTimer* m_timer = nullptr;
    DiagnosticCounts m_counts;
    bool m_stale = true;
};

} // namespace pravik
