#pragma once

#include "hsms/LinkRecords.h"

#include <QAbstractTableModel>
#include <QTimer>
#include <deque>
#include <utility>
#include <vector>

namespace pravik {

// The traffic list of the communication pane: one row per message that went
// over the link, in the order it went, except that the reply to a message
// sent from the pane stands right under that message. Rows are uniform and
// their texts are made only when a row is drawn, so the list keeps up with
// thousands of messages a second: what arrives is gathered and shown at most
// every kGatherMs, and past the row limit the oldest rows go (the link's log
// keeps every message). The bodies the rows keep (to show a message's SML and
// bytes) are bounded too: past kBodyBudget bytes the oldest rows let go of
// theirs and keep only what their columns show. A filter by message key and
// by verdict shows a part of the rows kept.
class TrafficModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        TimeColumn,
        DirectionColumn,
        KeyColumn,
        WColumn,
        SystemBytesColumn,
        DeviceColumn,
        SizeColumn,
        VerdictColumn,
        ColumnCount
    };
    // What the verdict filter lets through.
    enum class VerdictFilter {
        All,
        Conforms,   // conforms to its definition, and its transaction (if ours) ended well
        Findings,   // differs, S9 sent or received, no reply
        NotChecked, // sent by the link itself, or the check is off
    };
    static constexpr int kDefaultLimit = 100000;
    static constexpr int kMinLimit = 100;
    static constexpr int kMaxLimit = 1000000;
    static constexpr int kGatherMs = 15;
    static constexpr qint64 kBodyBudget = qint64(256) << 20;

    struct Row {
        quint64 group = 0; // the id of the row it stands under; its own id otherwise
        quint64 id = 0;
        TrafficRecord record;
        // A message sent from the pane: how its transaction ended (the
        // reply's verdict, or why no reply came).
        QString note;
        bool failed = false; // the note tells of a failure
        // The body was let go of for the memory budget: record.body and
        // record.raw are empty, the columns still tell what it was.
        bool bodyReleased = false;
        bool isReply() const { return group != id; }
    };

    explicit TrafficModel(QObject* parent = nullptr);

    // Adds a message; under is the id of the row it answers (0: none).
    // Returns the new row's id. The row is shown a moment later (flush).
    quint64 add(TrafficRecord record, quint64 under = 0);
    // Sets the note of a row (shown or still waiting to be).
    void setNote(quint64 id, const QString& note, bool failed);
    // Shows what was added at once.
    void flush();
    bool hasPending() const { return !m_pending.empty(); }
    void clear();

    // The most rows kept; older ones are dropped (whole groups).
    void setLimit(int rows);
    int limit() const { return m_limit; }
    qint64 keptRows() const { return static_cast<qint64>(m_rows.size()); }
    qint64 droppedRows() const { return m_dropped; }
    // The bytes the kept bodies take, and the most they may (tests lower it).
    qint64 bodyBytes() const { return m_bodyBytes; }
    void setBodyBudget(qint64 bytes) { m_bodyBudget = bytes; }

    // key: "S6F11" one message, "S6" one stream, any other text a part of
    // the key; empty for all.
    void setFilter(const QString& key, VerdictFilter verdict);
    bool passes(const Row& row) const;
    static VerdictFilter CategoryOf(const Row& row);

    // The row shown at a place of the list, or nullptr.
    const Row* rowAt(int row) const;
    // The place of the row with this id, or -1 (not shown, gone or waiting).
    int rowOfId(quint64 id) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

signals:
    // Rows were added to the list shown (the view may follow the newest).
    void rowsShown();

private:
    using Key = std::pair<quint64, quint64>; // group, id: the order of the rows
    static Key KeyOf(const Row& r) { return {r.group, r.id}; }
    bool filtering() const { return m_filtering; }
    // Where a key is (or would go) among the rows kept.
    qsizetype storageIndex(const Key& key) const;
    int shownIndex(const Key& key) const;
    void appendRun(std::vector<Row>& rows, size_t first, size_t last);
    void insertReply(Row row);
    void dropPastLimit();
    void releaseBodies();
    static qint64 BodyBytes(const TrafficRecord& r);
    void rebuildShown();

    std::deque<Row> m_rows;  // kept, by (group, id)
    std::deque<Key> m_shown; // while filtering: the keys of the rows that pass
    std::vector<Row> m_pending;
    quint64 m_nextId = 0;
    int m_limit = kDefaultLimit;
    qint64 m_dropped = 0;
    qint64 m_bodyBytes = 0;
    qint64 m_bodyBudget = kBodyBudget;
    size_t m_released = 0; // the rows from the front that have let go of their bodies
    bool m_filtering = false;
    QString m_keyText;
    int m_keyStream = -1, m_keyFunction = -1; // for "S6" and "S6F11"
    VerdictFilter m_verdict = VerdictFilter::All;
    QTimer m_timer;
};

} // namespace pravik
