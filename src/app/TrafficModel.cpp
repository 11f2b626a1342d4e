#include "app/TrafficModel.h"

#include "app/TrafficText.h"

#include <QBrush>
#include <QColor>
#include <QRegularExpression>
#include <algorithm>
#include <limits>

namespace pravik {

TrafficModel::TrafficModel(QObject* parent) : QAbstractTableModel(parent) {
    m_timer.setSingleShot(true);
    m_timer.setInterval(kGatherMs);
    connect(&m_timer, &QTimer::timeout, this, &TrafficModel::flush);
}

quint64 TrafficModel::add(TrafficRecord record, quint64 under) {
    Row row;
    row.id = ++m_nextId;
    row.group = under ? under : row.id;
    row.record = std::move(record);
    m_pending.push_back(std::move(row));
    if (!m_timer.isActive())
        m_timer.start();
    return m_nextId;
}

qsizetype TrafficModel::storageIndex(const Key& key) const {
    const auto it = std::lower_bound(m_rows.begin(), m_rows.end(), key,
                                     [](const Row& r, const Key& k) { return KeyOf(r) < k; });
    return it - m_rows.begin();
}

int TrafficModel::shownIndex(const Key& key) const {
    if (!filtering())
        return static_cast<int>(storageIndex(key));
    return static_cast<int>(std::lower_bound(m_shown.begin(), m_shown.end(), key) -
                            m_shown.begin());
}

void TrafficModel::setNote(quint64 id, const QString& note, bool failed) {
    for (Row& r : m_pending) {
        if (r.id == id) {
            r.note = note;
            r.failed = failed;
            return;
        }
    }
    const Key key{id, id};
    const qsizetype at = storageIndex(key);
    if (at >= qsizetype(m_rows.size()) || KeyOf(m_rows[size_t(at)]) != key)
        return; // dropped, or cleared
    Row& row = m_rows[size_t(at)];
    const bool wasShown = passes(row);
    row.note = note;
    row.failed = failed;
    if (passes(row) != wasShown) {
        rebuildShown(); // the verdict filter now judges it otherwise
        return;
    }
    const int shown = rowOfId(id);
    if (shown >= 0)
        emit dataChanged(index(shown, VerdictColumn), index(shown, VerdictColumn));
}

void TrafficModel::flush() {
    m_timer.stop();
    if (m_pending.empty())
        return;
    std::vector<Row> pending;
    pending.swap(m_pending);
    size_t i = 0;
    while (i < pending.size()) {
        if (pending[i].isReply()) {
            insertReply(std::move(pending[i]));
            ++i;
            continue;
        }
        size_t j = i;
        while (j < pending.size() && !pending[j].isReply())
            ++j;
        appendRun(pending, i, j);
        i = j;
    }
    dropPastLimit();
    releaseBodies();
    emit rowsShown();
}

qint64 TrafficModel::BodyBytes(const TrafficRecord& r) {
    return r.body.data.size() + qint64(r.body.items.size() * sizeof(SecsItem)) + r.raw.size();
}

void TrafficModel::releaseBodies() {
    // Oldest first; a row shown keeps its texts, so nothing is announced.
    while (m_bodyBytes > m_bodyBudget && m_released < m_rows.size()) {
        Row& row = m_rows[m_released++];
        if (row.bodyReleased)
            continue;
        m_bodyBytes -= BodyBytes(row.record);
        row.record.body = SecsBody();
        row.record.raw = QByteArray();
        row.bodyReleased = true;
    }
}

void TrafficModel::appendRun(std::vector<Row>& rows, size_t first, size_t last) {
    int passing = 0;
    for (size_t i = first; i < last; ++i)
        passing += passes(rows[i]) ? 1 : 0;
    const int at = rowCount();
    if (passing > 0)
        beginInsertRows(QModelIndex(), at, at + passing - 1);
    for (size_t i = first; i < last; ++i) {
        if (filtering() && passes(rows[i]))
            m_shown.push_back(KeyOf(rows[i]));
        m_bodyBytes += BodyBytes(rows[i].record);
        m_rows.push_back(std::move(rows[i]));
    }
    if (passing > 0)
        endInsertRows();
}

void TrafficModel::insertReply(Row row) {
    const Key parent{row.group, row.group};
    const qsizetype parentAt = storageIndex(parent);
    if (parentAt >= qsizetype(m_rows.size()) || KeyOf(m_rows[size_t(parentAt)]) != parent) {
        // What it answers is gone (past the limit, or cleared): it stands alone.
        row.group = row.id;
        std::vector<Row> one;
        one.push_back(std::move(row));
        appendRun(one, 0, 1);
        return;
    }
    // After its group: the message it answers and the replies before it.
    const Key key = KeyOf(row);
    const qsizetype at = storageIndex(key);
    if (size_t(at) < m_released) {
        // Among the rows that have let go of their bodies already: so does it.
        row.record.body = SecsBody();
        row.record.raw = QByteArray();
        row.bodyReleased = true;
        ++m_released;
    } else {
        m_bodyBytes += BodyBytes(row.record);
    }
    if (!passes(row)) {
        m_rows.insert(m_rows.begin() + at, std::move(row));
        return;
    }
    const int shown = shownIndex(key);
    beginInsertRows(QModelIndex(), shown, shown);
    if (filtering())
        m_shown.insert(m_shown.begin() + shown, key);
    m_rows.insert(m_rows.begin() + at, std::move(row));
    endInsertRows();
}

void TrafficModel::dropPastLimit() {
    if (qsizetype(m_rows.size()) <= m_limit)
        return;
    size_t excess = m_rows.size() - size_t(m_limit);
    // A reply goes with the message it answers.
    while (excess < m_rows.size() && m_rows[excess].group == m_rows[excess - 1].group)
        ++excess;
    const Key last = KeyOf(m_rows[excess - 1]);
    const int shown =
        filtering() ? static_cast<int>(std::upper_bound(m_shown.begin(), m_shown.end(), last) -
                                       m_shown.begin())
                    : static_cast<int>(excess);
    if (shown > 0)
        beginRemoveRows(QModelIndex(), 0, shown - 1);
    for (size_t i = 0; i < excess; ++i)
        if (!m_rows[i].bodyReleased)
            m_bodyBytes -= BodyBytes(m_rows[i].record);
    m_released = m_released > excess ? m_released - excess : 0;
    m_rows.erase(m_rows.begin(), m_rows.begin() + qsizetype(excess));
    if (filtering())
        m_shown.erase(m_shown.begin(), m_shown.begin() + shown);
    m_dropped += qint64(excess);
    if (shown > 0)
        endRemoveRows();
}

void TrafficModel::clear() {
    beginResetModel();
    m_rows.clear();
    m_shown.clear();
    m_pending.clear();
    m_dropped = 0;
    m_bodyBytes = 0;
    m_released = 0;
    m_timer.stop();
    endResetModel();
}

void TrafficModel::setLimit(int rows) {
    m_limit = std::clamp(rows, kMinLimit, kMaxLimit);
    dropPastLimit();
}

void TrafficModel::setFilter(const QString& key, VerdictFilter verdict) {
    m_keyText = key.trimmed().toUpper();
    m_keyStream = m_keyFunction = -1;
    static const QRegularExpression kKey(QStringLiteral("^S(\\d{1,3})(?:F(\\d{1,3}))?$"));
    const QRegularExpressionMatch m = kKey.match(m_keyText);
    if (m.hasMatch()) {
        m_keyStream = m.captured(1).toInt();
        m_keyFunction = m.captured(2).isEmpty() ? -1 : m.captured(2).toInt();
    }
    m_verdict = verdict;
    rebuildShown();
}

void TrafficModel::rebuildShown() {
    beginResetModel();
    m_shown.clear();
    m_filtering = !m_keyText.isEmpty() || m_verdict != VerdictFilter::All;
    if (m_filtering)
        for (const Row& r : m_rows)
            if (passes(r))
                m_shown.push_back(KeyOf(r));
    endResetModel();
}

TrafficModel::VerdictFilter TrafficModel::CategoryOf(const Row& row) {
    const TrafficRecord& r = row.record;
    if (row.failed || r.verdict.isFinding() || !r.s9Mhead.isEmpty() || r.stream == 9 ||
        r.verdict.kind == Verdict::Kind::Differs)
        return VerdictFilter::Findings;
    return r.verdict.kind == Verdict::Kind::Conforms ? VerdictFilter::Conforms
                                                     : VerdictFilter::NotChecked;
}

bool TrafficModel::passes(const Row& row) const {
    if (m_verdict != VerdictFilter::All && CategoryOf(row) != m_verdict)
        return false;
    if (m_keyText.isEmpty())
        return true;
    const TrafficRecord& r = row.record;
    if (m_keyStream >= 0)
        return r.stream == m_keyStream && (m_keyFunction < 0 || r.function == m_keyFunction);
    return QString::fromLatin1(r.key()).contains(m_keyText);
}

const TrafficModel::Row* TrafficModel::rowAt(int row) const {
    if (row < 0 || row >= rowCount())
        return nullptr;
    if (!filtering())
        return &m_rows[size_t(row)];
    const qsizetype at = storageIndex(m_shown[size_t(row)]);
    return &m_rows[size_t(at)];
}

int TrafficModel::rowOfId(quint64 id) const {
    // Only a message that stands alone is looked up by id (the pane's sends).
    const Key key{id, id};
    const int shown = shownIndex(key);
    const Row* r = rowAt(shown);
    return r && KeyOf(*r) == key ? shown : -1;
}

int TrafficModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return static_cast<int>(filtering() ? m_shown.size() : m_rows.size());
}

int TrafficModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

namespace {

QString CellText(const TrafficModel::Row& row, int column) {
    const TrafficRecord& r = row.record;
    switch (column) {
    case TrafficModel::TimeColumn:
        return TrafficTimeText(r.time);
    case TrafficModel::DirectionColumn:
        return DirectionText(r.direction);
    case TrafficModel::KeyColumn:
        // The reply to a message sent from the pane, under that message.
        return row.isReply() ? QStringLiteral("  └ ") + QString::fromLatin1(r.key())
                             : QString::fromLatin1(r.key());
    case TrafficModel::WColumn:
        return r.wbit ? QStringLiteral("W") : QString();
    case TrafficModel::SystemBytesColumn:
        return SystemBytesText(r.systemBytes);
    case TrafficModel::DeviceColumn:
        return QString::number(r.deviceId);
    case TrafficModel::SizeColumn:
        return QString::number(r.size);
    case TrafficModel::VerdictColumn:
        return VerdictColumnText(row);
    default:
        return QString();
    }
}

} // namespace

QVariant TrafficModel::data(const QModelIndex& index, int role) const {
    const Row* row = index.isValid() ? rowAt(index.row()) : nullptr;
    if (!row)
        return {};
    const int column = index.column();
    if (role == Qt::DisplayRole || (role == Qt::ToolTipRole && column == VerdictColumn))
        return CellText(*row, column);
    if (role == Qt::TextAlignmentRole && (column == DeviceColumn || column == SizeColumn))
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role == Qt::ForegroundRole && column == VerdictColumn) {
        switch (CategoryOf(*row)) {
        case VerdictFilter::Findings:
            return QBrush(QColor(0xc6, 0x28, 0x28));
        case VerdictFilter::Conforms:
            return QBrush(QColor(0x2e, 0x7d, 0x32));
        default:
            break;
        }
    }
    return {};
}

QVariant TrafficModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const kTitles[ColumnCount] = {"시각",          "방향",    "메시지", "W",
                                                     "시스템 바이트", "장치 ID", "크기",   "판정"};
    return section >= 0 && section < ColumnCount ? QString::fromUtf8(kTitles[section]) : QVariant();
}

} // namespace pravik
