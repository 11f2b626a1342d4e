// The traffic list's model without a window: replies under the messages they
// answer, the row limit, the filters, notes; Qt's model tester watches every
// insertion and removal it announces.

#include "app/TrafficModel.h"
#include "app/TrafficText.h"

#include <QAbstractItemModelTester>
#include <gtest/gtest.h>

namespace pravik::test {
namespace {

TrafficRecord Record(int stream, int function, Direction direction,
                     Verdict::Kind verdict = Verdict::Kind::Conforms) {
    static quint32 systemBytes = 0;
    TrafficRecord r;
    r.stream = stream;
    r.function = function;
    r.direction = direction;
    r.systemBytes = ++systemBytes;
    r.verdict.kind = verdict;
    return r;
}

QStringList Keys(const TrafficModel& m) {
    QStringList keys;
    for (int r = 0; r < m.rowCount(); ++r)
        keys << m.index(r, TrafficModel::KeyColumn).data().toString();
    return keys;
}

// Two primaries sent from the pane and messages between them and their
// replies; ids in the order of arrival.
struct Traffic {
    TrafficModel model;
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};
    Traffic() {
        const quint64 s1f1 = model.add(Record(1, 1, Direction::Sent));
        model.add(Record(6, 11, Direction::Received, Verdict::Kind::Differs));
        model.flush(); // the reply comes after its message is shown
        model.add(Record(1, 2, Direction::Received), s1f1);
        model.add(Record(2, 17, Direction::Received, Verdict::Kind::NotChecked));
        const quint64 s1f3 = model.add(Record(1, 3, Direction::Sent));
        model.add(Record(5, 1, Direction::Received));
        model.add(Record(1, 4, Direction::Received, Verdict::Kind::UnknownFunction), s1f3);
        model.flush();
    }
};

TEST(TrafficModel, RepliesStandUnderTheMessagesTheyAnswer) {
    Traffic t;
    EXPECT_EQ(Keys(t.model),
              QStringList({"S1F1", "  └ S1F2", "S6F11", "S2F17", "S1F3", "  └ S1F4", "S5F1"}));
    // A reply to a message no longer kept stands alone at the end.
    t.model.clear();
    t.model.add(Record(1, 2, Direction::Received), 3);
    t.model.flush();
    EXPECT_EQ(Keys(t.model), QStringList({"S1F2"}));
}

TEST(TrafficModel, FiltersShowPartsOfTheRowsKept) {
    using F = TrafficModel::VerdictFilter;
    const struct {
        const char* key;
        F verdict;
        QStringList keys;
    } cases[] = {
        {"", F::All, {"S1F1", "  └ S1F2", "S6F11", "S2F17", "S1F3", "  └ S1F4", "S5F1"}},
        {"S1", F::All, {"S1F1", "  └ S1F2", "S1F3", "  └ S1F4"}},
        {" s1f3 ", F::All, {"S1F3"}},
        {"F1", F::All, {"S1F1", "S6F11", "S2F17", "S5F1"}},
        {"", F::Findings, {"S6F11", "  └ S1F4"}},
        {"", F::NotChecked, {"S2F17"}},
        {"S1", F::Conforms, {"S1F1", "  └ S1F2", "S1F3"}},
        {"S9", F::All, {}},
    };
    Traffic t;
    for (const auto& c : cases) {
        t.model.setFilter(QString::fromLatin1(c.key), c.verdict);
        EXPECT_EQ(Keys(t.model), c.keys) << c.key << " " << int(c.verdict);
    }
    // While filtering, new rows and replies take their places among those shown.
    t.model.setFilter("S1", F::All);
    const quint64 s1f13 = t.model.add(Record(1, 13, Direction::Sent));
    t.model.add(Record(7, 1, Direction::Received));
    t.model.flush();
    t.model.add(Record(1, 14, Direction::Received), s1f13);
    t.model.flush();
    EXPECT_EQ(Keys(t.model),
              QStringList({"S1F1", "  └ S1F2", "S1F3", "  └ S1F4", "S1F13", "  └ S1F14"}));
    EXPECT_EQ(t.model.rowOfId(s1f13), 4);
    t.model.setFilter("", F::All);
    EXPECT_EQ(Keys(t.model), QStringList({"S1F1", "  └ S1F2", "S6F11", "S2F17", "S1F3", "  └ S1F4",
                                          "S5F1", "S1F13", "  └ S1F14", "S7F1"}));
    EXPECT_EQ(t.model.rowOfId(s1f13), 7);
}

TEST(TrafficModel, PastTheLimitTheOldestRowsGoWithTheirReplies) {
    using F = TrafficModel::VerdictFilter;
    // The seven rows of Traffic, then S9F9 rows to pass the smallest limit.
    const struct {
        int fillers;
        const char* key;
        qint64 kept;
        QStringList first; // the first rows shown
    } cases[] = {
        {93, "", 100, {"S1F1", "  └ S1F2"}},
        {94, "", 99, {"S6F11", "S2F17"}}, // S1F1 goes with its reply
        {94, "S1", 99, {"S1F3", "  └ S1F4"}},
        {96, "", 100, {"S2F17", "S1F3"}},
        {98, "", 99, {"S5F1", "S9F9"}}, // S1F3 and its reply go together
        {98, "S1", 99, {}},
    };
    for (const auto& c : cases) {
        Traffic t;
        t.model.setFilter(QString::fromLatin1(c.key), F::All);
        t.model.setLimit(1); // the floor: kMinLimit
        ASSERT_EQ(t.model.limit(), TrafficModel::kMinLimit);
        for (int i = 0; i < c.fillers; ++i)
            t.model.add(Record(9, 9, Direction::Received));
        t.model.flush();
        EXPECT_EQ(t.model.keptRows(), c.kept) << c.fillers << c.key;
        EXPECT_EQ(t.model.droppedRows(), 7 + c.fillers - c.kept);
        if (c.first.isEmpty())
            EXPECT_EQ(t.model.rowCount(), 0) << c.fillers << c.key;
        else
            EXPECT_EQ(Keys(t.model).mid(0, int(c.first.size())), c.first) << c.fillers << c.key;
    }
}

TEST(TrafficModel, ANoteOnASentMessageShowsAndMovesItBetweenVerdicts) {
    using F = TrafficModel::VerdictFilter;
    TrafficModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    const quint64 sent = model.add(Record(1, 1, Direction::Sent));
    // A note before the row is shown is kept for it.
    model.setNote(sent, "응답 S1F2: 정의와 일치", false);
    model.flush();
    EXPECT_EQ(model.index(0, TrafficModel::VerdictColumn).data().toString(),
              "정의와 일치 / 응답 S1F2: 정의와 일치");
    model.setFilter("", F::Conforms);
    EXPECT_EQ(model.rowCount(), 1);
    model.setNote(sent, "응답 없음: T3", true);
    EXPECT_EQ(model.rowCount(), 0);
    model.setFilter("", F::Findings);
    ASSERT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.index(0, TrafficModel::VerdictColumn).data().toString(),
              "정의와 일치 / 응답 없음: T3");
    // A note for a row that is gone changes nothing.
    model.clear();
    model.setNote(sent, "x", true);
    EXPECT_EQ(model.keptRows(), 0);
}

// The bodies the rows keep, by the model's own count and by adding them up.
qint64 KeptBodyBytes(const TrafficModel& m) {
    qint64 bytes = 0;
    for (int r = 0; r < m.rowCount(); ++r) {
        const TrafficRecord& rec = m.rowAt(r)->record;
        bytes += rec.body.data.size() + qint64(rec.body.items.size() * sizeof(SecsItem)) +
                 rec.raw.size();
    }
    return bytes;
}

TEST(TrafficModel, PastTheBodyBudgetTheOldestRowsLetGoOfTheirBodies) {
    TrafficModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.setLimit(TrafficModel::kMinLimit);
    const auto withBody = [](int i) {
        TrafficRecord r = Record(6, 11, Direction::Received);
        r.decoded = true;
        r.body.addItem(1, QByteArray(1000, char('a' + i % 26))); // A, 1000 bytes
        return r;
    };
    const qint64 one = 1000 + qint64(sizeof(SecsItem));
    model.setBodyBudget(5 * one);
    for (int i = 0; i < 8; ++i)
        model.add(withBody(i));
    model.flush();
    ASSERT_EQ(model.rowCount(), 8);
    EXPECT_EQ(model.bodyBytes(), 5 * one);
    EXPECT_EQ(KeptBodyBytes(model), model.bodyBytes());
    for (int r = 0; r < 8; ++r) {
        EXPECT_EQ(model.rowAt(r)->bodyReleased, r < 3) << r;
        // The columns still tell what it was.
        EXPECT_EQ(model.index(r, TrafficModel::SizeColumn).data().toString(), "0");
        EXPECT_EQ(model.index(r, TrafficModel::KeyColumn).data().toString(), "S6F11");
    }
    EXPECT_EQ(model.rowAt(7)->record.body.data, QByteArray(1000, 'h'));
    // Saved: a comment line for a body let go of, the message for the others.
    std::vector<const TrafficModel::Row*> rows;
    for (int r = 0; r < 8; ++r)
        rows.push_back(model.rowAt(r));
    const QByteArray file = TrafficFileText(rows);
    EXPECT_EQ(file.count("// body not kept by the list; see the link's log"), 3);
    EXPECT_EQ(file.count("\r\nS6F11\r\n<A [1000]"), 5) << file.left(600).constData();
    // Rows past the limit take their bodies' bytes with them.
    for (int i = 0; i < TrafficModel::kMinLimit; ++i)
        model.add(withBody(i));
    model.flush();
    EXPECT_EQ(model.keptRows(), TrafficModel::kMinLimit);
    EXPECT_EQ(model.bodyBytes(), 5 * one);
    EXPECT_EQ(KeptBodyBytes(model), model.bodyBytes());
    model.clear();
    EXPECT_EQ(model.bodyBytes(), 0);
}

TEST(TrafficModel, VerdictTexts) {
    TrafficModel::Row row;
    const QByteArray mhead("\x00\x00\x86\x0b\x00\x00\x00\x00\x00\x2a", 10);
    const struct {
        Direction direction;
        bool automatic;
        Verdict::Kind kind;
        QByteArray mhead;
        QString text;
    } cases[] = {
        {Direction::Received, false, Verdict::Kind::Conforms, {}, "정의와 일치"},
        {Direction::Received, false, Verdict::Kind::NotChecked, {}, "확인 안 함"},
        {Direction::Received, false, Verdict::Kind::Differs, {}, "S9F7: why [S6F11 > U4 1 CEID]"},
        {Direction::Sent, true, Verdict::Kind::NotChecked, {}, "자동 응답"},
        {Direction::Sent, true, Verdict::Kind::NotChecked, mhead,
         "S9F5 보냄: S6F11 W, 시스템 바이트 0x0000002a"},
        {Direction::Received, false, Verdict::Kind::UnknownStream, mhead,
         "S9F5 받음: S6F11 W, 시스템 바이트 0x0000002a"},
        {Direction::Sent,
         false,
         Verdict::Kind::Differs,
         {},
         "정의와 다름: why [S6F11 > U4 1 CEID]"},
        {Direction::Sent, false, Verdict::Kind::NotChecked, {}, ""},
    };
    for (const auto& c : cases) {
        row.record = TrafficRecord();
        row.record.direction = c.direction;
        row.record.automatic = c.automatic;
        row.record.stream = c.mhead.isEmpty() ? 6 : 9;
        row.record.function = c.mhead.isEmpty() ? 11 : 5;
        row.record.verdict.kind = c.kind;
        row.record.s9Mhead = c.mhead;
        if (c.kind == Verdict::Kind::Differs) {
            row.record.verdict.message = "why";
            row.record.verdict.path = "S6F11 > U4 1 CEID";
        }
        EXPECT_EQ(VerdictColumnText(row), c.text);
    }
}

} // namespace
} // namespace pravik::test
