// The traffic log: its files, its lines, and reading it back with the
// importer.

#include "HsmsTestSupport.h"

#include "hsms/DefinitionIndex.h"
#include "hsms/LinkLog.h"
#include "hsms/ReceivedCheck.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "secs/CommonSmlEncoding.h"
#include "secs/CommonSmlImport.h"
#include "secs/CommonSmlReader.h"
#include "secs/ExampleInstance.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace pravik::test {
namespace {

class LogTest : public ::testing::Test {
protected:
    void SetUp() override {
        Clock::SetFixed(QDateTime(QDate(2026, 12, 9), QTime(18, 30)));
        defs = Definitions(kLinkSml);
    }
    void TearDown() override {
        FileSystem::InjectWriteFailure(std::nullopt);
        Clock::SetFixed(std::nullopt);
    }
    LinkSettings logged(LinkSettings s) {
        s.logFolder = dir.path(QString());
        s.logPrefix = "trace";
        s.secsLog = s.hexLog = s.eventLog = s.alarmLog = true;
        s.everyHour = true;
        s.keepDays = 7;
        return s;
    }
    // Runs an equipment with a log and a host without one; the host sends
    // the given messages' examples.
    void run(const std::vector<std::pair<int, int>>& keys, int count = 2) {
        LinkSettings e = logged(TestSettings(false, false, 0));
        log = std::make_unique<LinkLog>(e, Fast());
        equipment = std::make_unique<HsmsLink>(e, Fast());
        equipment->setDefinitions(defs.get());
        equipment->setLog(log.get());
        eq = std::make_unique<Recorder>(*equipment);
        equipment->start();
        host = std::make_unique<HsmsLink>(TestSettings(true, true, equipment->listeningPort()),
                                          Fast());
        Recorder ho(*host);
        host->start();
        ASSERT_TRUE(WaitFor([&] { return host->state() == LinkState::Selected; }));
        for (const auto& [s, f] : keys) {
            const SmlNode* def = DefinitionIndex(defs.get()).find(s, f);
            ExampleOptions options;
            options.variableCount = count;
            const SecsBody body = def ? BuildExample(*def, options).message.body : SecsBody();
            const size_t before = ho.outcomes.size();
            host->send(s, f, true, body);
            ASSERT_TRUE(WaitFor([&] { return ho.outcomes.size() > before; }));
        }
        host->stop();
        ASSERT_TRUE(WaitFor([&] { return equipment->state() == LinkState::NotConnected; }));
        log->flush();
    }

    TempDir dir;
    std::unique_ptr<SmlDocument> defs;
    std::unique_ptr<LinkLog> log;
    std::unique_ptr<HsmsLink> equipment, host;
    std::unique_ptr<Recorder> eq;
};

TEST_F(LogTest, WritesEveryKindIntoTheFileOfTheHour) {
    run({{1, 13}, {6, 11}, {99, 1}});
    EXPECT_EQ(log->pathAt(Clock::Now()), dir.path(QStringLiteral("trace2026120918.log")));
    const QByteArray text = dir.read(QStringLiteral("trace2026120918.log"));
    for (const char* part :
         {"// 2026-12-09 18:30:00.000 EVENT NOT_SELECTED", "EVENT SELECTED", "HEX RECV 14 bytes",
          "// 00000000  00 00 00 0a ff ff 00 00 00 01", "RECV S1F13 W device=0 system=0x0000000",
          "verdict: conforms\r\nS1F13 W\r\n<L [2]", "SEND S1F14 device=0",
          " auto verdict: not checked", "RECV S99F1 W device=0", "verdict: S9F3 ",
          "ALARM S9F3 S99F1", "SEND S9F3 device=0", "EVENT NOT_CONNECTED"})
        EXPECT_TRUE(text.contains(part)) << part;
    // Hourly files: none for the day.
    EXPECT_FALSE(dir.exists(QStringLiteral("trace20261209.log")));
}

// What the log holds reads back into definitions that every logged message
// conforms to.
TEST_F(LogTest, ReadsBackIntoDefinitionsItsMessagesConformTo) {
    run({{1, 1}, {1, 13}, {6, 11}, {1, 3}});
    const QByteArray text = dir.read(QStringLiteral("trace2026120918.log"));
    SmlDocument imported;
    ImportResult r = ImportCommonSml(text, NewMessageIn(imported));
    ASSERT_FALSE(r.error) << r.error->text().toStdString();
    EXPECT_TRUE(r.conflicts.empty());
    QStringList keys;
    for (const ImportedMessage& m : r.messages)
        keys << KeyText(m.key);
    EXPECT_EQ(keys,
              QStringList({"S1F1", "S1F2", "S1F13", "S1F14", "S6F11", "S6F12", "S1F3", "S1F4"}));
    AddImportedMessages(imported, r.messages);
    DefinitionIndex index(&imported);
    int checked = 0;
    for (const TrafficRecord& t : eq->traffic) {
        const SmlNode* def = index.find(t.stream, t.function);
        ASSERT_NE(def, nullptr) << t.key().constData();
        EXPECT_EQ(VerdictFor(*def, t.body).kind, Verdict::Kind::Conforms) << t.key().constData();
        ++checked;
    }
    EXPECT_EQ(checked, 8);
}

// The log is UTF-8, as every common-SML file the program writes, and a
// Korean value reads back to the bytes that went over the wire (CP949).
TEST_F(LogTest, IsUtf8AndReadsBackToTheWireBytes) {
    LinkLog own(logged(TestSettings(false, false, 0)), Fast());
    const QByteArray value("\xC7\xA5\xBD\xC3 ok"); // "표시 ok" in CP949
    TrafficRecord r;
    r.time = Clock::NowUtc();
    r.stream = 1;
    r.function = 2;
    r.decoded = true;
    r.body.addItem(1, value); // A
    own.message(r);
    own.flush();
    const QByteArray text = dir.read(QStringLiteral("trace2026120918.log"));
    EXPECT_TRUE(IsValidUtf8(text));
    EXPECT_TRUE(text.contains("<A [7] \"\xED\x91\x9C\xEC\x8B\x9C ok\">")) << text.constData();
    const DecodedSml decoded = DecodeSmlFile(text);
    EXPECT_EQ(decoded.encoding, SmlEncoding::Utf8);
    CommonSmlReader reader(decoded.text);
    CommonSmlMessage m;
    ASSERT_TRUE(reader.next(m));
    ASSERT_EQ(m.body.items.size(), 1u);
    EXPECT_EQ(m.body.dataOf(m.body.items[0]), value);
}

TEST_F(LogTest, RemovesOnlyItsOwnFilesOlderThanKeepDays) {
    for (const char* name : {"trace20261101.log", "trace2026110123.log", "trace20261205.log",
                             "other20261101.log", "trace-notes.log", "trace20261101.txt"})
        dir.write(QString::fromLatin1(name), "old");
    LinkLog l(logged(TestSettings(false, false, 0)), Fast());
    EXPECT_EQ(l.removeOldFiles(), 2);
    EXPECT_FALSE(dir.exists(QStringLiteral("trace20261101.log")));
    EXPECT_FALSE(dir.exists(QStringLiteral("trace2026110123.log")));
    for (const char* kept :
         {"trace20261205.log", "other20261101.log", "trace-notes.log", "trace20261101.txt"})
        EXPECT_TRUE(dir.exists(QString::fromLatin1(kept))) << kept;
}

TEST_F(LogTest, ALogThatCannotBeWrittenIsReportedOnceAndTheLinkGoesOn) {
    FileSystem::InjectWriteFailure(FileSystem::WriteFailure{FileSystem::WriteStep::Write, 0});
    run({{1, 1}, {1, 13}, {1, 3}});
    int reported = 0;
    for (const LinkAlarm& a : eq->alarms)
        reported += a.name == QLatin1String("LOG");
    EXPECT_EQ(reported, 1);
    EXPECT_NE(eq->received(1, 3), nullptr);
    // Nothing was written after the failure.
    EXPECT_TRUE(dir.read(QStringLiteral("trace2026120918.log")).isEmpty());
}

} // namespace
} // namespace pravik::test
