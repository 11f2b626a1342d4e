// Two links in one process on 127.0.0.1: the host active, the equipment
// passive, with timers made short.

#include "HsmsTestSupport.h"

#include "document/DocumentEditor.h"
#include "document/ItemTypes.h"
#include "secs/ExampleInstance.h"

#include <gtest/gtest.h>

namespace pravik::test {
namespace {

// A host and an equipment, both on the definitions of kLinkSml.
class LinkPair : public ::testing::Test {
protected:
    void SetUp() override { defs = Definitions(kLinkSml); }

    void start(LinkSettings hostSettings = {}, LinkSettings eqSettings = {}, bool select = true) {
        if (eqSettings.addressText.isEmpty())
            eqSettings = TestSettings(false, false, 0);
        equipment = std::make_unique<HsmsLink>(eqSettings, Fast());
        equipment->setDefinitions(defs.get());
        eq = std::make_unique<Recorder>(*equipment);
        equipment->start();
        ASSERT_NE(equipment->listeningPort(), 0);
        if (hostSettings.addressText.isEmpty())
            hostSettings = TestSettings(true, true, 0);
        hostSettings.port = equipment->listeningPort();
        host = std::make_unique<HsmsLink>(hostSettings, Fast());
        host->setDefinitions(defs.get());
        ho = std::make_unique<Recorder>(*host);
        host->start();
        if (select) {
            ASSERT_TRUE(WaitFor([&] {
                return host->state() == LinkState::Selected &&
                       equipment->state() == LinkState::Selected;
            }));
        }
    }

    // Sends SxFy's example (n lists with count elements) from the host and
    // waits for the outcome.
    SendOutcome exchange(int stream, int function, int count = 1) {
        const SmlNode* def = nullptr;
        for (int row = 0; row < defs->topLevelCount(); ++row)
            if (defs->topLevel(row)->Text().startsWith(
                    QStringLiteral("S%1F%2 ").arg(stream).arg(function).toLatin1()))
                def = defs->topLevel(row);
        EXPECT_NE(def, nullptr);
        ExampleOptions options;
        options.variableCount = count;
        const Example ex = BuildExample(*def, options);
        return sendBody(stream, function, true, ex.message.body);
    }

    SendOutcome sendBody(int stream, int function, bool w, const SecsBody& body) {
        const size_t before = ho->outcomes.size();
        const quint64 id = host->send(stream, function, w, body);
        EXPECT_TRUE(WaitFor([&] { return ho->outcomes.size() > before; }));
        if (ho->outcomes.size() <= before)
            return {};
        EXPECT_EQ(ho->outcomes.back().id, id);
        return ho->outcomes.back();
    }

    std::unique_ptr<SmlDocument> defs;
    std::unique_ptr<HsmsLink> equipment, host;
    std::unique_ptr<Recorder> eq, ho;
};

TEST_F(LinkPair, SelectsAndAnswersTheDefinedMessages) {
    start();
    EXPECT_EQ(ho->states, (std::vector<LinkState>{LinkState::NotSelected, LinkState::Selected}));
    EXPECT_EQ(eq->states, (std::vector<LinkState>{LinkState::NotSelected, LinkState::Selected}));
    struct Exchange {
        int stream, function, count;
    };
    for (const Exchange x : {Exchange{1, 13, 1}, Exchange{1, 1, 1}, Exchange{6, 11, 3},
                             Exchange{1, 3, 0}, Exchange{1, 3, 5}}) {
        const SendOutcome o = exchange(x.stream, x.function, x.count);
        ASSERT_TRUE(o.ok) << x.stream << "/" << x.function << " " << o.failure.toStdString();
        ASSERT_TRUE(o.hasReply);
        EXPECT_EQ(o.reply.stream, x.stream);
        EXPECT_EQ(o.reply.function, x.function + 1);
        EXPECT_EQ(o.reply.verdict.kind, Verdict::Kind::Conforms)
            << o.reply.verdict.text().toStdString();
        // The equipment checked the primary too.
        const TrafficRecord* got = eq->received(x.stream, x.function);
        ASSERT_NE(got, nullptr);
        EXPECT_EQ(got->verdict.kind, Verdict::Kind::Conforms);
        EXPECT_EQ(got->systemBytes, o.reply.systemBytes);
    }
    // The S6F11 with three reports of one value each came whole.
    const TrafficRecord* s6f11 = eq->received(6, 11);
    ASSERT_NE(s6f11, nullptr);
    EXPECT_EQ(s6f11->body.items[3].length, 3u);
    EXPECT_TRUE(eq->alarms.empty());
    EXPECT_TRUE(ho->alarms.empty());
}

TEST_F(LinkPair, SystemBytesAreUniqueAmongOpenTransactions) {
    start();
    equipment->setAutoReply(false);
    const Example ex = BuildExample(*defs->topLevel(0));
    std::vector<quint64> ids;
    for (int i = 0; i < 50; ++i)
        ids.push_back(host->send(1, 1, true, ex.message.body));
    ASSERT_TRUE(WaitFor([&] { return eq->traffic.size() >= 50; }));
    QSet<quint32> seen;
    for (const TrafficRecord& r : eq->traffic)
        seen.insert(r.systemBytes);
    EXPECT_EQ(seen.size(), 50);
    EXPECT_EQ(host->openTransactions(), 50);
}

TEST_F(LinkPair, ATransactionWithoutReplyEndsAtT3) {
    start();
    equipment->setAutoReply(false);
    const SendOutcome o = exchange(1, 1);
    EXPECT_FALSE(o.ok);
    EXPECT_EQ(o.failure, QStringLiteral("T3"));
    ASSERT_TRUE(ho->hasAlarm(QStringLiteral("T3")));
    EXPECT_EQ(host->openTransactions(), 0);
    // The link goes on.
    equipment->setAutoReply(true);
    EXPECT_TRUE(exchange(1, 1).ok);
}

// A timeout of 0 in the configuration is none: nothing expires.
TEST_F(LinkPair, ZeroTimeoutsNeverExpire) {
    LinkSettings h = TestSettings(true, true, 0);
    h.t3 = 0;
    h.t6 = 0;
    start(h);
    equipment->setAutoReply(false);
    host->send(1, 1, true, SecsBody());
    RunFor(20);
    EXPECT_EQ(host->openTransactions(), 1);
    EXPECT_TRUE(ho->alarms.empty());
    equipment->stop();
    ASSERT_TRUE(WaitFor([&] { return host->state() == LinkState::NotConnected; }));
    // The connection ended: so did the transaction.
    EXPECT_EQ(host->openTransactions(), 0);
}

TEST_F(LinkPair, LinktestDeselectAndSeparate) {
    start();
    host->linktest();
    ASSERT_TRUE(WaitFor([&] {
        return std::find(ho->events.begin(), ho->events.end(),
                         QStringLiteral("linktest.rsp를 받았습니다")) != ho->events.end();
    }));
    equipment->linktest();
    ASSERT_TRUE(WaitFor([&] {
        return std::find(eq->events.begin(), eq->events.end(),
                         QStringLiteral("linktest.rsp를 받았습니다")) != eq->events.end();
    }));
    host->deselect();
    ASSERT_TRUE(WaitFor([&] {
        return host->state() == LinkState::NotSelected &&
               equipment->state() == LinkState::NotSelected;
    }));
    // A data message now is rejected by the equipment, and cannot be sent.
    const SendOutcome refused = exchange(1, 1);
    EXPECT_FALSE(refused.ok);
    host->separate();
    ASSERT_TRUE(WaitFor([&] { return equipment->state() == LinkState::NotConnected; }));
    EXPECT_EQ(host->state(), LinkState::NotConnected);
    EXPECT_TRUE(ho->alarms.empty() || !ho->hasAlarm(QStringLiteral("T6")));
}

TEST_F(LinkPair, TheEquipmentDeselectsAndSeparatesToo) {
    start();
    equipment->deselect();
    ASSERT_TRUE(WaitFor([&] { return host->state() == LinkState::NotSelected; }));
    equipment->stop();
    ASSERT_TRUE(WaitFor([&] { return host->state() == LinkState::NotConnected; }));
    // The host connects again after T5, but nobody listens any more.
    RunFor(3);
    EXPECT_EQ(host->state(), LinkState::NotConnected);
}

TEST_F(LinkPair, PeriodicLinktest) {
    LinkSettings h = TestSettings(true, true, 0);
    h.linkTest = 1;
    start(h);
    ASSERT_TRUE(WaitFor([&] {
        return std::count(ho->events.begin(), ho->events.end(),
                          QStringLiteral("linktest.rsp를 받았습니다")) >= 3;
    }));
}

TEST_F(LinkPair, TheActiveSideRetriesAfterT5) {
    const quint16 port = FreePort();
    LinkSettings h = TestSettings(true, true, port);
    host = std::make_unique<HsmsLink>(h, Fast());
    ho = std::make_unique<Recorder>(*host);
    host->start();
    // Nobody listens: each attempt fails, and the next follows T5 later.
    ASSERT_TRUE(WaitFor([&] {
        return std::count_if(ho->events.begin(), ho->events.end(), [](const QString& e) {
                   return e.contains(QStringLiteral("접속할 수 없습니다"));
               }) >= 2;
    }));
    LinkSettings e = TestSettings(false, false, port);
    equipment = std::make_unique<HsmsLink>(e, Fast());
    eq = std::make_unique<Recorder>(*equipment);
    equipment->start();
    ASSERT_TRUE(WaitFor([&] { return host->state() == LinkState::Selected; }));
    EXPECT_TRUE(ho->failures.empty());
}

TEST_F(LinkPair, GivesUpAfterTheAttemptsAllowed) {
    LinkSettings h = TestSettings(true, true, FreePort());
    host = std::make_unique<HsmsLink>(h, Fast());
    host->setConnectAttempts(2);
    ho = std::make_unique<Recorder>(*host);
    host->start();
    ASSERT_TRUE(WaitFor([&] { return !ho->failures.empty(); }));
    EXPECT_TRUE(
        ho->failures[0].contains(QStringLiteral("[HSMS] IP=127.0.0.1, Port=%1").arg(h.port)));
}

TEST_F(LinkPair, APortInUseIsNamed) {
    LinkSettings e = TestSettings(false, false, 0);
    equipment = std::make_unique<HsmsLink>(e, Fast());
    equipment->start();
    LinkSettings second = TestSettings(false, false, equipment->listeningPort());
    HsmsLink other(second, Fast());
    Recorder rec(other);
    other.start();
    ASSERT_EQ(rec.failures.size(), 1u);
    EXPECT_TRUE(rec.failures[0].startsWith(
        QStringLiteral("[HSMS] IP=127.0.0.1, Port=%1:").arg(second.port)));
}

// --- S9 findings --------------------------------------------------------------

// The equipment's S9 message carries the offending header as MHEAD.
void ExpectS9(const Recorder& host, const Recorder& eq, int function, const TrafficRecord& sent) {
    const TrafficRecord* s9 = host.received(9, function);
    ASSERT_NE(s9, nullptr) << "S9F" << function;
    ASSERT_EQ(s9->body.items.size(), 1u);
    EXPECT_EQ(s9->body.items[0].itemType().smlName, std::string("B"));
    EXPECT_EQ(s9->s9Mhead, sent.headerBytes);
    EXPECT_EQ(s9->s9Mhead.size(), 10);
    EXPECT_TRUE(eq.hasAlarm(QStringLiteral("S9F%1").arg(function)));
}

TEST_F(LinkPair, TheEquipmentAnswersFindingsWithS9) {
    LinkSettings e = TestSettings(false, false, 0);
    e.queue = 300;
    start({}, e);
    struct Finding {
        const char* message; // what the host sends
        int s9;
    };
    const Finding findings[] = {
        {"S99F1 W.", 3},                                       // no stream 99
        {"S1F99 W.", 5},                                       // stream 1 has no function 99
        {"S1F3 W <L <A \"x\">>.", 7},                          // A where U4 is
        {"S1F13 W <L <A \"MDL-01-TOO-LONG\"> <A \"1\">>.", 7}, // longer than A 6
        {"S6F11 W <L <U4 1> <U4 2> <L>>.", 0},                 // conforms: no S9
    };
    for (const Finding& f : findings) {
        const CommonSmlMessage m = Sml(f.message);
        const SendOutcome o = sendBody(m.stream, m.function, true, m.body);
        const TrafficRecord* sent = ho->sent(m.stream, m.function);
        ASSERT_NE(sent, nullptr);
        if (f.s9 == 0) {
            EXPECT_TRUE(o.ok);
            continue;
        }
        EXPECT_FALSE(o.ok) << f.message;
        EXPECT_EQ(o.failure, QStringLiteral("S9F%1").arg(f.s9));
        ExpectS9(*ho, *eq, f.s9, *sent);
        ho->traffic.clear();
    }
    // A body longer than "Queue": S9F11, and the link goes on.
    SecsBody big;
    big.addItem(1, QByteArray(400, 'x'));
    const SendOutcome o = sendBody(1, 13, true, big);
    EXPECT_EQ(o.failure, QStringLiteral("S9F11"));
    ExpectS9(*ho, *eq, 11, *ho->sent(1, 13));
    const TrafficRecord* dropped = eq->received(1, 13);
    ASSERT_NE(dropped, nullptr);
    EXPECT_EQ(dropped->verdict.kind, Verdict::Kind::TooLong);
    EXPECT_TRUE(dropped->raw.isEmpty());
    EXPECT_TRUE(exchange(1, 1).ok);
}

TEST_F(LinkPair, AnUnknownDeviceGetsS9F1) {
    LinkSettings h = TestSettings(true, true, 0);
    h.deviceIds = {5};
    start(h);
    const SendOutcome o = exchange(1, 1);
    EXPECT_EQ(o.failure, QStringLiteral("S9F1"));
    ExpectS9(*ho, *eq, 1, *ho->sent(1, 1));
}

TEST_F(LinkPair, SwitchedOffS9RepliesAreOnlyReported) {
    LinkSettings e = TestSettings(false, false, 0);
    e.s9f3 = false;
    start({}, e);
    const CommonSmlMessage m = Sml("S99F1 W.");
    const SendOutcome o = sendBody(99, 1, true, m.body);
    EXPECT_EQ(o.failure, QStringLiteral("T3"));
    EXPECT_EQ(ho->received(9, 3), nullptr);
    EXPECT_TRUE(eq->hasAlarm(QStringLiteral("S9F3")));
}

// S9 messages are the equipment's: the host reports what it finds.
TEST_F(LinkPair, TheHostReportsFindingsInsteadOfSendingS9) {
    start();
    const CommonSmlMessage m = Sml("S1F3 W <L <A \"x\">>.");
    const size_t before = eq->traffic.size();
    equipment->send(m.stream, m.function, false, m.body);
    ASSERT_TRUE(WaitFor([&] { return ho->hasAlarm(QStringLiteral("S9F7")); }));
    RunFor(1);
    for (size_t i = before; i < eq->traffic.size(); ++i)
        EXPECT_NE(eq->traffic[i].stream, 9);
    const TrafficRecord* got = ho->received(1, 3);
    ASSERT_NE(got, nullptr);
    EXPECT_EQ(got->verdict.kind, Verdict::Kind::Differs);
    EXPECT_EQ(got->verdict.path, QStringLiteral("S1F3 P Status Request > L n SVIDs > U4 1 SVID"));
}

TEST_F(LinkPair, NoReplyIsInventedForAMessageWithoutDefinedReply) {
    auto extra = Definitions(QByteArray(kLinkSml) + "<S2F17 P Date and Time Request\n>\n");
    defs = std::move(extra);
    start();
    // S2F17 is defined, S2F18 is not: no reply, T3.
    const SendOutcome o = sendBody(2, 17, true, SecsBody());
    EXPECT_EQ(o.failure, QStringLiteral("T3"));
    EXPECT_EQ(eq->sent(2, 18), nullptr);
}

TEST_F(LinkPair, TheCheckFollowsEditsWhileConnected) {
    start();
    EXPECT_EQ(exchange(1, 3).reply.verdict.kind, Verdict::Kind::Conforms);
    // The user changes the reply's definition: A 40 -> A 4, while connected.
    SmlNode* sv = defs->topLevel(3)->child(0)->child(0);
    defs->perform(QStringLiteral("edit"), [&](DocumentEditor& e) { e.setText(sv, "A 4 SV"); });
    const SendOutcome o = exchange(1, 3);
    // The equipment's reply is now built from A 4 and conforms to it.
    EXPECT_EQ(o.reply.verdict.kind, Verdict::Kind::Conforms);
    EXPECT_EQ(o.reply.body.items[1].length, 4u);
    defs->perform(QStringLiteral("delete"),
                  [&](DocumentEditor& e) { e.removeNode(defs->topLevel(3)); });
    EXPECT_EQ(exchange(1, 3).failure, QStringLiteral("T3"));
}

TEST_F(LinkPair, SkipSmlCheckChecksNothing) {
    LinkSettings e = TestSettings(false, false, 0);
    e.skipSmlCheck = true;
    start({}, e);
    const CommonSmlMessage m = Sml("S1F3 W <L <A \"x\">>.");
    const SendOutcome o = sendBody(1, 3, true, m.body);
    EXPECT_TRUE(o.ok);
    EXPECT_EQ(eq->received(1, 3)->verdict.kind, Verdict::Kind::NotChecked);
}

} // namespace
} // namespace pravik::test
