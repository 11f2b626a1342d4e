#pragma once

#include "MainWindowFixture.h"
#include "hsms/HsmsTestSupport.h"

#include "app/CommPane.h"
#include "app/LinkStateMark.h"
#include "app/SendEditor.h"
#include "app/TextPane.h"
#include "app/TrafficModel.h"
#include "driverconfig/DriverConfig.h"
#include "hsms/HsmsLink.h"

#include <QDirIterator>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>

namespace pravik::test {

// The window's communication pane against a second link of the test process
// on 127.0.0.1, both with timers made short (a configured second lasts
// kMsPerSecond milliseconds). The window's document holds kLinkSml; its
// ".cfg" is written by each test.
class CommPaneTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        pane()->setTimerSource(Fast());
        defsPath = open("defs.sml", kLinkSml);
        ASSERT_EQ(w->session().fileName(), defsPath);
    }
    void TearDown() override {
        peer.reset();
        MainWindowTest::TearDown();
    }

    CommPane* pane() const { return w->commPane(); }
    TrafficModel* model() const { return pane()->model(); }
    QString cfgPath() const { return DriverConfigPathFor(defsPath); }

    // The window's configuration: its role, where it connects or listens, the
    // timers in configured seconds, and every log but the hex one.
    DriverConfig windowConfig(bool host, bool active, quint16 port) const {
        DriverConfig c = DefaultDriverConfig(cfgPath());
        c.host = host;
        c.active = active;
        c.ip = "127.0.0.1";
        c.port = QString::number(port);
        c.timeouts = {"1", "10", "10", "30", "2", "10", "25", "10"};
        c.linkTest = "0";
        c.prefix = "comm";
        c.secsLog = c.eventLog = c.alarmLog = true;
        c.everyHour = false;
        return c;
    }
    void writeConfig(const DriverConfig& c) const { WriteDriverConfig(cfgPath(), c); }

    // A peer link on the definitions of kLinkSml.
    void startPeer(const LinkSettings& settings) {
        peerDefs = Definitions(kLinkSml);
        peer = std::make_unique<HsmsLink>(settings, Fast());
        peer->setDefinitions(peerDefs.get());
        rec = std::make_unique<Recorder>(*peer);
        peer->start();
    }
    // The window as host (active), connected to an equipment peer.
    void connectAsHost() {
        startPeer(TestSettings(false, false, 0));
        ASSERT_NE(peer->listeningPort(), 0);
        writeConfig(windowConfig(true, true, peer->listeningPort()));
        pane()->showPane(true);
        pane()->connectButton()->click();
        ASSERT_TRUE(WaitFor([&] { return selected(); }));
    }
    // The window as equipment (passive), a host peer connected to it.
    void connectAsEquipment() {
        const quint16 port = FreePort();
        writeConfig(windowConfig(false, false, port));
        pane()->showPane(true);
        pane()->connectButton()->click();
        ASSERT_TRUE(pane()->link().isRunning()) << pane()->messageText().toStdString();
        startPeer(TestSettings(true, true, port));
        ASSERT_TRUE(WaitFor([&] { return selected(); }));
    }
    bool selected() const {
        return pane()->link().state() == LinkState::Selected && peer &&
               peer->state() == LinkState::Selected;
    }
    // Waits until the list shows n rows (what arrived is shown at once).
    bool rowsShown(int n) {
        return WaitFor([&] {
            model()->flush();
            return model()->rowCount() >= n;
        });
    }
    const TrafficModel::Row& row(int r) const {
        const TrafficModel::Row* found = model()->rowAt(r);
        EXPECT_NE(found, nullptr) << "row " << r;
        static const TrafficModel::Row none;
        return found ? *found : none;
    }
    QString cell(int r, int column) const { return model()->index(r, column).data().toString(); }
    // The top-level message whose text begins with key and a blank.
    SmlNode* message(const char* key) const {
        for (int r = 0; r < w->document().topLevelCount(); ++r)
            if (top(r)->Text().startsWith(QByteArray(key) + ' '))
                return top(r);
        ADD_FAILURE() << "no message " << key;
        return nullptr;
    }
    // A body in common SML.
    static SecsBody Body(const QByteArray& sml) { return Sml(sml).body; }
    // The link's log files in the document's folder, read whole.
    QByteArray logText() const {
        QByteArray all;
        QDirIterator it(QFileInfo(defsPath).absolutePath(), {"comm*.log"}, QDir::Files);
        while (it.hasNext())
            all += TempDir::ReadPath(it.next());
        return all;
    }
    QString statusText() const { return w->statusBar()->currentMessage(); }

    QString defsPath;
    std::unique_ptr<SmlDocument> peerDefs;
    std::unique_ptr<HsmsLink> peer;
    std::unique_ptr<Recorder> rec;
};

} // namespace pravik::test
