// The communication pane in the real window, against a second link of the
// test process on 127.0.0.1.

#include "CommPaneFixture.h"

#include "app/PreviewPane.h"
#include "app/StartupArguments.h"
#include "app/TrafficText.h"
#include "document/DocumentEditor.h"
#include "hsms/HsmsFrame.h"
#include "secs/CommonSmlEncoding.h"
#include "secs/CommonSmlReader.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QProcess>
#include <QSpinBox>
#include <QTabWidget>
#include <QTcpSocket>
#include <QTest>
#include <QtEndian>

namespace pravik::test {
namespace {

TEST_F(CommPaneTest, ConnectsSendsS1F1AndShowsTheCheckedS1F2UnderIt) {
    EXPECT_FALSE(pane()->isVisible()); // off until asked for
    w->show();
    pane()->toggleAction()->trigger();
    EXPECT_TRUE(pane()->isVisible());
    EXPECT_TRUE(pane()->statusMark()->isVisible());
    EXPECT_EQ(pane()->mark()->state(), LinkState::NotConnected);
    connectAsHost();
    for (LinkStateMark* mark : {pane()->mark(), pane()->statusMark()}) {
        EXPECT_EQ(mark->state(), LinkState::Selected);
        EXPECT_TRUE(mark->text().contains("SELECTED"));
        EXPECT_TRUE(mark->text().contains(LinkStateMark::ColorOf(LinkState::Selected).name()));
    }
    EXPECT_EQ(pane()->statusMark()->parentWidget(), w->statusBar());
    EXPECT_EQ(pane()->configurationText(),
              QStringLiteral("호스트, Active, 127.0.0.1:%1, 장치 ID 0").arg(peer->listeningPort()));
    EXPECT_FALSE(pane()->connectButton()->isEnabled());
    EXPECT_TRUE(pane()->disconnectButton()->isEnabled());

    // F5 sends the message of the selected node as its example.
    w->selectNode(message("S1F1"));
    EXPECT_EQ(pane()->sendAction()->shortcut(), QKeySequence(Qt::Key_F5));
    EXPECT_TRUE(w->actions().contains(pane()->sendAction())); // F5 anywhere in the window
    pane()->sendAction()->trigger();
    ASSERT_TRUE(rowsShown(2));
    ASSERT_TRUE(WaitFor([&] { return pane()->link().openSends() == 0; }));
    model()->flush();
    EXPECT_EQ(cell(0, TrafficModel::DirectionColumn), "보냄");
    EXPECT_EQ(cell(0, TrafficModel::KeyColumn), "S1F1");
    EXPECT_EQ(cell(0, TrafficModel::WColumn), "W");
    EXPECT_EQ(cell(0, TrafficModel::VerdictColumn), "정의와 일치 / 응답 S1F2: 정의와 일치");
    EXPECT_EQ(cell(1, TrafficModel::DirectionColumn), "받음");
    EXPECT_EQ(cell(1, TrafficModel::KeyColumn), "  └ S1F2");
    EXPECT_EQ(cell(1, TrafficModel::VerdictColumn), "정의와 일치");
    EXPECT_EQ(row(1).record.systemBytes, row(0).record.systemBytes);
    EXPECT_EQ(cell(1, TrafficModel::SystemBytesColumn), SystemBytesText(row(0).record.systemBytes));
    EXPECT_EQ(cell(1, TrafficModel::SizeColumn), QString::number(row(1).record.size));
    // The peer got our S1F1 and checked it.
    ASSERT_NE(rec->received(1, 1), nullptr);
    EXPECT_EQ(rec->received(1, 1)->verdict.kind, Verdict::Kind::Conforms);

    // A row selected: its common SML and its bytes.
    pane()->view()->setCurrentIndex(model()->index(1, 0));
    EXPECT_TRUE(pane()->smlView()->toPlainText().startsWith("S1F2\n<L [2]"))
        << pane()->smlView()->toPlainText().toStdString();
    EXPECT_TRUE(pane()->bytesView()->toPlainText().startsWith("00000000  01 02 41 14"))
        << pane()->bytesView()->toPlainText().toStdString();

    // The example has as many elements per "n" list as the preview shows.
    w->previewPane()->countBox()->setValue(3);
    w->selectNode(message("S1F3")->child(0)->child(0)); // the item: its message goes
    showAndFocus(); // F5 is a shortcut of the active window, wherever its focus is
    QTest::keyClick(w->tree(), Qt::Key_F5);
    ASSERT_TRUE(WaitFor([&] { return rec->received(1, 3) != nullptr; }));
    EXPECT_EQ(rec->received(1, 3)->body.items[0].length, 3u);
    EXPECT_TRUE(prompter.boxes.empty());
}

TEST_F(CommPaneTest, ANonConformingS6F11IsFlaggedAndADoubleClickSelectsTheDifferingNode) {
    w->show();
    connectAsHost();
    // CEID sent as text where the definition has U4.
    peer->send(6, 11, false, Body("S6F11 <L [3] <U4 7> <A \"CE\"> <L [0]>>."));
    ASSERT_TRUE(rowsShown(1));
    const TrafficModel::Row& r = row(0);
    EXPECT_EQ(r.record.verdict.kind, Verdict::Kind::Differs);
    EXPECT_TRUE(cell(0, TrafficModel::VerdictColumn).startsWith("S9F7: "));
    EXPECT_TRUE(cell(0, TrafficModel::VerdictColumn)
                    .endsWith("[S6F11 P Event Report Send > L 3 Report > U4 1 CEID]"))
        << cell(0, TrafficModel::VerdictColumn).toStdString();
    // As the host the window sends no S9; the finding is told in the pane and the status bar.
    EXPECT_TRUE(statusText().startsWith("S9F7: S6F11")) << statusText().toStdString();
    EXPECT_TRUE(pane()->messageText().contains("S9F7")) << pane()->messageText().toStdString();
    // The received item where it differs is marked in both views.
    pane()->view()->setCurrentIndex(model()->index(0, 0));
    ASSERT_EQ(pane()->smlView()->highlights().size(), 1u);
    const auto [from, to] = pane()->smlView()->highlights().front();
    EXPECT_EQ(pane()->smlView()->toPlainText().mid(from, to - from), "<A [2] \"CE\">");
    EXPECT_FALSE(pane()->bytesView()->highlights().empty());
    w->resize(1100, 800);
    QDir().mkpath(QStringLiteral(PRAVIK_BINARY_DIR "/screenshots"));
    EXPECT_TRUE(
        w->grab().save(QStringLiteral(PRAVIK_BINARY_DIR "/screenshots/comm-pane-difference.png")));

    QTableView* view = pane()->view();
    const QRect cellRect = view->visualRect(model()->index(0, TrafficModel::KeyColumn));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cellRect.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cellRect.center());
    ASSERT_NE(w->selectedNode(), nullptr);
    EXPECT_EQ(w->selectedNode()->Text(), "U4 1 CEID");

    // The definition edited to fit: the same row leads to the message, and says so.
    SmlNode* ceid = w->selectedNode();
    Edit(w->document(), [&](DocumentEditor& ed) { ed.setText(ceid, "A 10 CEID"); });
    pane()->activateRow(0);
    EXPECT_EQ(w->selectedNode(), message("S6F11"));
    EXPECT_EQ(pane()->messageText().mid(9), "이 메시지는 지금의 정의와는 일치합니다.");
    // Undo while connected: the definition is back, and so is the difference.
    w->action("ItemUndo")->trigger();
    pane()->activateRow(0);
    EXPECT_EQ(w->selectedNode()->Text(), "U4 1 CEID");
    EXPECT_FALSE(w->isModified());
    EXPECT_EQ(pane()->link().state(), LinkState::Selected);
}

TEST_F(CommPaneTest, AsTheEquipmentItAnswersAnUnknownStreamWithS9F3) {
    connectAsEquipment();
    EXPECT_TRUE(pane()->configurationText().startsWith("장비, Passive, 127.0.0.1:"));
    peer->send(99, 1, true, SecsBody());
    ASSERT_TRUE(WaitFor([&] { return rec->received(9, 3) != nullptr; }));
    ASSERT_TRUE(rowsShown(2));
    EXPECT_EQ(cell(0, TrafficModel::KeyColumn), "S99F1");
    EXPECT_EQ(cell(0, TrafficModel::VerdictColumn), "S9F3: 정의에 스트림 99이(가) 없습니다");
    EXPECT_EQ(cell(1, TrafficModel::DirectionColumn), "보냄");
    EXPECT_EQ(cell(1, TrafficModel::KeyColumn), "S9F3");
    EXPECT_EQ(cell(1, TrafficModel::VerdictColumn),
              "S9F3 보냄: S99F1 W, 시스템 바이트 " + SystemBytesText(row(0).record.systemBytes));
    // The S9F3 carries the header of the message it speaks of.
    EXPECT_EQ(rec->received(9, 3)->s9Mhead, row(0).record.headerBytes);
    // Both rows are findings for the verdict filter; a double-click on the
    // S9F3 looks for the message it speaks of, which has no definition.
    for (int r : {0, 1})
        EXPECT_EQ(TrafficModel::CategoryOf(row(r)), TrafficModel::VerdictFilter::Findings);
    pane()->activateRow(1);
    EXPECT_EQ(pane()->messageText().mid(9), "S99F1의 정의가 문서에 없습니다.");
    // Turned off, the automatic replies stop: S1F1 W gets no S1F2 from the window.
    pane()->autoReplyBox()->setChecked(false);
    EXPECT_FALSE(pane()->link().link()->autoReply());
    peer->send(1, 1, true, SecsBody());
    ASSERT_TRUE(rowsShown(3));
    RunFor(5);
    model()->flush();
    EXPECT_EQ(model()->rowCount(), 3);
    pane()->autoReplyBox()->setChecked(true);
    peer->send(1, 1, true, SecsBody());
    ASSERT_TRUE(rowsShown(5));
    EXPECT_EQ(cell(4, TrafficModel::KeyColumn), "S1F2");
    EXPECT_EQ(cell(4, TrafficModel::VerdictColumn), "자동 응답");
}

TEST_F(CommPaneTest, DisconnectSeparatesAndClosingWhileConnectedSeparatesFirstAndFlushesTheLog) {
    connectAsHost();
    pane()->disconnectButton()->click();
    ASSERT_TRUE(WaitFor(
        [&] { return peer->state() == LinkState::NotConnected && !pane()->link().isRunning(); }));
    EXPECT_EQ(pane()->mark()->state(), LinkState::NotConnected);
    EXPECT_EQ(rec->events.back(), "separate.req를 받아 연결을 닫습니다");
    EXPECT_TRUE(pane()->connectButton()->isEnabled());

    // Another document (another .cfg beside it): the link of the first one ends.
    pane()->connectButton()->click();
    ASSERT_TRUE(WaitFor([&] { return selected(); }));
    open("other.sml", kThreeMessages);
    ASSERT_TRUE(WaitFor([&] { return !pane()->link().isRunning(); }));
    // Among the latest reports (the message line's tooltip): the link's own follow it.
    EXPECT_TRUE(pane()
                    ->findChild<QLabel*>("CommMessage")
                    ->toolTip()
                    .contains("다른 문서가 되어 연결을 끊습니다."));
    EXPECT_TRUE(pane()->configurationText().endsWith("(설정 파일이 없어 기본값)"));
    open("defs.sml", kLinkSml);

    // Connected again, with unsaved changes: the question comes first, and
    // Cancel keeps window and link.
    pane()->connectButton()->click();
    ASSERT_TRUE(WaitFor([&] { return selected(); }));
    w->selectNode(message("S1F13"));
    pane()->sendSelected();
    ASSERT_TRUE(WaitFor([&] { return rec->received(1, 13) && pane()->link().openSends() == 0; }));
    addMessage("S2F1 P Added");
    prompter.answerBox(Prompter::Answer::Cancel);
    EXPECT_FALSE(w->close());
    EXPECT_EQ(pane()->link().state(), LinkState::Selected);
    // No: the link separates, then the window closes; nothing was saved.
    prompter.answerBox(Prompter::Answer::No);
    const size_t events = rec->events.size();
    EXPECT_TRUE(w->close());
    EXPECT_FALSE(pane()->link().isRunning());
    ASSERT_TRUE(WaitFor([&] { return peer->state() == LinkState::NotConnected; }));
    ASSERT_GT(rec->events.size(), events);
    EXPECT_EQ(rec->events[events], "separate.req를 받아 연결을 닫습니다");
    EXPECT_EQ(dir.read("defs.sml"), kLinkSml);
    // The log has every message, flushed when the link stopped.
    const QByteArray log = logText();
    EXPECT_TRUE(log.contains(" SEND S1F13 W device=0 ")) << log.constData();
    EXPECT_TRUE(log.contains(" RECV S1F14 device=0 "));
    EXPECT_GT(log.lastIndexOf("EVENT separate.req 보냄"), log.indexOf(" SEND S1F13 W"));
}

TEST_F(CommPaneTest, FailuresAreToldInThePaneAndTheStatusBarNeverInABox) {
    const QString failure = QStringLiteral("color: #c62828");
    // Not connected.
    w->selectNode(message("S1F1"));
    pane()->sendSelected();
    EXPECT_EQ(statusText(),
              "S1F1 W을(를) 보낼 수 없습니다: 연결되어 있지 않습니다 (NOT_CONNECTED)");
    EXPECT_EQ(pane()->messageText().mid(9), statusText());
    // Nothing selected.
    w->selectNode(nullptr);
    pane()->sendSelected();
    EXPECT_EQ(statusText(), "보낼 메시지를 트리에서 선택하십시오.");
    // A configuration the link cannot run: named by its setting and value.
    DriverConfig bad = windowConfig(true, true, 1);
    bad.ip = "no-such-address";
    writeConfig(bad);
    pane()->connectLink();
    EXPECT_FALSE(pane()->link().isRunning());
    EXPECT_EQ(statusText(), "연결할 수 없습니다: [HSMS] IP=no-such-address: IP 주소가 아닙니다");
    EXPECT_EQ(pane()->configurationText(), "[HSMS] IP=no-such-address: IP 주소가 아닙니다");

    connectAsHost();
    // A definition the checker rejects (a list that says 3 and holds 1): not sent.
    SmlNode* bad2 = Append(w->document(), nullptr, "S2F1 P Bad", NodeKind::Message);
    SmlNode* list = Append(w->document(), bad2, "L 3 X", NodeKind::List);
    Append(w->document(), list, "U1 1 A", NodeKind::Item);
    w->selectNode(list);
    pane()->sendSelected();
    EXPECT_TRUE(statusText().startsWith("S2F1을(를) 보낼 수 없습니다: "))
        << statusText().toStdString();
    EXPECT_TRUE(statusText().endsWith("[E102]")) << statusText().toStdString();
    // T3: the peer does not answer.
    peer->setAutoReply(false);
    w->selectNode(message("S1F1"));
    pane()->sendSelected();
    ASSERT_TRUE(WaitFor([&] { return pane()->link().openSends() == 0; }));
    model()->flush();
    EXPECT_EQ(statusText(), "S1F1 W: 응답 없음: T3 10초가 지났습니다");
    EXPECT_TRUE(row(0).failed);
    EXPECT_EQ(cell(0, TrafficModel::VerdictColumn),
              "정의와 일치 / 응답 없음: T3 10초가 지났습니다");
    EXPECT_EQ(pane()->messageText().mid(9), statusText());
    EXPECT_TRUE(pane()->findChild<QLabel*>("CommMessage")->styleSheet().contains(failure));
    EXPECT_TRUE(prompter.boxes.empty());
    EXPECT_EQ(rec->traffic.size(), 1u); // the S2F1 never went
}

// A peer of our own that selects and then misbehaves: T6 on a linktest it
// leaves unanswered, and a frame cut off by its end.
TEST_F(CommPaneTest, APeerThatStopsAnsweringOrLeavesMidMessageLosesNeitherDocumentNorLog) {
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    writeConfig(windowConfig(true, true, server.serverPort()));
    pane()->connectLink();
    ASSERT_TRUE(WaitFor([&] { return server.hasPendingConnections(); }));
    QTcpSocket* raw = server.nextPendingConnection();
    ASSERT_TRUE(WaitFor([&] { return raw->bytesAvailable() >= 14; }));
    const QByteArray select = raw->read(14);
    ASSERT_EQ(static_cast<quint8>(select[9]), 1); // select.req
    // Not selected yet: the message is refused, and said so.
    w->selectNode(message("S1F1"));
    pane()->sendSelected();
    ASSERT_TRUE(WaitFor([&] { return pane()->link().openSends() == 0; }));
    EXPECT_EQ(statusText(),
              "S1F1 W을(를) 보내지 못했습니다: 선택된 연결이 없습니다 (NOT_SELECTED)");
    HsmsHeader rsp =
        HsmsHeader::Control(SType::SelectRsp, qFromBigEndian<quint32>(select.constData() + 10));
    raw->write(EncodeFrame(rsp, {}));
    ASSERT_TRUE(WaitFor([&] { return pane()->link().state() == LinkState::Selected; }));
    pane()->linktestButton()->click();
    ASSERT_TRUE(WaitFor([&] { return statusText().startsWith("T6: "); }));
    // T6 closed the connection; the host connects again (T5) and selects.
    QTcpSocket* again = nullptr;
    ASSERT_TRUE(WaitFor([&] { return server.hasPendingConnections(); }));
    again = server.nextPendingConnection();
    ASSERT_TRUE(WaitFor([&] { return again->bytesAvailable() >= 14; }));
    const QByteArray select2 = again->read(14);
    again->write(EncodeFrame(
        HsmsHeader::Control(SType::SelectRsp, qFromBigEndian<quint32>(select2.constData() + 10)),
        {}));
    ASSERT_TRUE(WaitFor([&] { return pane()->link().state() == LinkState::Selected; }));
    // Half of an S6F11 frame, then the peer is gone.
    HsmsHeader h;
    h.stream = 6;
    h.function = 11;
    h.systemBytes = 7;
    const QByteArray frame = EncodeFrame(h, QByteArray(40, '\x01'));
    again->write(frame.left(20));
    again->flush();
    RunFor(1);
    server.close(); // the host's next attempt finds nobody
    again->abort();
    ASSERT_TRUE(WaitFor([&] { return pane()->link().state() == LinkState::NotConnected; }));
    pane()->disconnectLink();
    ASSERT_TRUE(WaitFor([&] { return !pane()->link().isRunning(); }));
    model()->flush();
    EXPECT_EQ(model()->rowCount(), 0); // nothing half-read is shown
    EXPECT_FALSE(w->isModified());
    EXPECT_EQ(w->document().topLevelCount(), 8);
    const QByteArray log = logText();
    EXPECT_TRUE(log.contains("ALARM T6 linktest.req")) << log.constData();
    EXPECT_TRUE(log.contains("EVENT 상대가 연결을 닫았습니다")) << log.constData();
    EXPECT_TRUE(prompter.boxes.empty());
}

TEST_F(CommPaneTest, ADefinitionDeletedWhileItsReplyIsInFlightThenBroughtBackByUndo) {
    connectAsHost();
    w->selectNode(message("S1F1"));
    pane()->sendSelected();
    // Gone before the reply can have arrived (it comes in a later turn of the loop).
    SmlNode* s1f2 = message("S1F2");
    w->selectNode(s1f2);
    prompter.answerBox(Prompter::Answer::Yes);
    w->action("ItemDelete")->trigger();
    ASSERT_EQ(w->document().topLevelCount(), 7);
    ASSERT_TRUE(WaitFor([&] { return pane()->link().openSends() == 0; }));
    ASSERT_TRUE(rowsShown(2));
    EXPECT_EQ(row(1).record.verdict.kind, Verdict::Kind::UnknownFunction);
    EXPECT_EQ(cell(0, TrafficModel::VerdictColumn),
              "정의와 일치 / 응답 S1F2: S9F5: 스트림 1의 정의에 기능 2이(가) 없습니다");
    EXPECT_TRUE(row(0).failed);
    pane()->activateRow(1);
    EXPECT_EQ(pane()->messageText().mid(9), "S1F2의 정의가 문서에 없습니다.");
    // Undo while connected: the definition is back where it was, the row finds it.
    w->action("ItemUndo")->trigger();
    EXPECT_FALSE(w->isModified());
    pane()->activateRow(1);
    EXPECT_EQ(w->selectedNode(), message("S1F2"));
    // The link goes on with the definitions as they are now.
    w->selectNode(message("S1F1"));
    pane()->sendSelected();
    ASSERT_TRUE(rowsShown(4));
    ASSERT_TRUE(WaitFor([&] { return pane()->link().openSends() == 0; }));
    EXPECT_EQ(cell(3, TrafficModel::VerdictColumn), "정의와 일치");
    EXPECT_EQ(w->document().topLevelCount(), 8);
}

TEST_F(CommPaneTest, ABurstPastTheRowLimitKeepsTheNewestRowsAndTheLogKeepsThemAll) {
    pane()->limitBox()->setValue(500);
    connectAsEquipment();
    constexpr int kMessages = 3000;
    const SecsBody body =
        Body("S6F11 <L [3] <U4 1> <U4 2> <L [1] <L [2] <U4 3> <L [1] <A \"v\">>>>>.");
    quint32 lastSystemBytes = 0;
    // Sent in bursts, the loop turning between them as the peer's socket allows.
    for (int sent = 0; sent < kMessages;) {
        for (int i = 0; i < 200 && sent < kMessages; ++i, ++sent)
            peer->send(6, 11, false, body);
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    ASSERT_TRUE(WaitFor([&] {
        model()->flush();
        return model()->keptRows() + model()->droppedRows() >= kMessages;
    }));
    lastSystemBytes = rec->sent(6, 11)->systemBytes;
    EXPECT_EQ(model()->keptRows(), 500);
    EXPECT_EQ(model()->droppedRows(), kMessages - 500);
    EXPECT_EQ(row(499).record.systemBytes, lastSystemBytes);
    EXPECT_EQ(row(0).record.systemBytes, lastSystemBytes - 499);
    EXPECT_TRUE(pane()->countText().contains("뺀 행 2500개")) << pane()->countText().toStdString();
    pane()->closeLink();
    EXPECT_EQ(logText().count(" RECV S6F11 device=0 "), kMessages);
    // The limit is remembered by the next window, which starts without the pane.
    w->document().setSaved();
    w.reset();
    w = std::make_unique<TfmMain>(prompter);
    EXPECT_EQ(w->commPane()->limitBox()->value(), 500);
    EXPECT_EQ(w->commPane()->model()->limit(), 500);
}

TEST_F(CommPaneTest, ThePaneIsRememberedShownAndComesBackWithTheFirstDocument) {
    // Shown by the user (menu), remembered; shown by --connect, not.
    pane()->toggleAction()->trigger();
    EXPECT_TRUE(pane()->toggleAction()->isChecked());
    w->document().setSaved();
    w.reset();
    w = std::make_unique<TfmMain>(prompter);
    EXPECT_FALSE(w->commPane()->toggleAction()->isEnabled()); // no document yet
    EXPECT_TRUE(w->commPane()->isHidden());
    open("defs.sml", kLinkSml);
    EXPECT_FALSE(w->commPane()->isHidden());
    EXPECT_TRUE(w->commPane()->toggleAction()->isChecked());
    // Closed with its own button: remembered too.
    w->show();
    w->commPane()->close();
    EXPECT_FALSE(w->commPane()->toggleAction()->isChecked());
    w->document().setSaved();
    w.reset();
    w = std::make_unique<TfmMain>(prompter);
    open("defs.sml", kLinkSml);
    EXPECT_TRUE(w->commPane()->isHidden());
}

TEST_F(CommPaneTest, TheSendEditorChecksAsOneTypesAndSendsWhatWasTyped) {
    connectAsHost();
    w->selectNode(message("S1F13")->child(0)->child(1)); // SOFTREV: its message is meant
    pane()->tabs()->setCurrentWidget(pane()->editor());
    SendEditor* editor = pane()->editor();
    EXPECT_EQ(editor->text(), "S1F13 W /* Establish Communications Request */\n"
                              "<L [2] /* Request */\n"
                              "  <A [6] \"MDLN  \"> /* MDLN */\n"
                              "  <A [6] \"SOFTRE\"> /* SOFTREV */\n"
                              ">.\n");
    EXPECT_EQ(editor->check(), SendEditor::Check::Conforms);
    const struct {
        const char* text;
        SendEditor::Check check;
        const char* says;
    } cases[] = {
        {"S1F13 W <L [2] <A \"MDL-01\"> <A \"1.0\">>.", SendEditor::Check::Conforms,
         "S1F13: 정의와 일치합니다."},
        {"S1F13 W <L [2] <A \"MDL-0001\"> <A \"1.0\">>.", SendEditor::Check::Differs,
         "[S1F13 P Establish Communications Request > L 2 Request > A 6 MDLN]"},
        {"S1F13 W <L [2] <A \"MDL\">>.", SendEditor::Check::Differs, "S1F13: 정의와 다릅니다: "},
        {"S1F13 W <L [2] <A \"MDL\"> <A", SendEditor::Check::Unreadable, "읽을 수 없습니다: 줄 1"},
        {"S1F13 W <A \"모델🙂\">.", SendEditor::Check::Unreadable,
         "읽을 수 없습니다: 줄 1, 열 "},
        {"S1F13 W <A \"a\">. S1F1 W.", SendEditor::Check::Unreadable, "하나만"},
        {"S77F1 W <A \"x\">.", SendEditor::Check::NoDefinition, "S77F1의 정의가 없어"},
        {"   ", SendEditor::Check::Empty, ""},
    };
    for (const auto& c : cases) {
        editor->setText(QString::fromUtf8(c.text));
        // Checked a moment after the change.
        EXPECT_TRUE(WaitFor([&] {
            return editor->check() == c.check &&
                   editor->checkText().contains(QString::fromUtf8(c.says));
        })) << c.text
            << " -> " << editor->checkText().toStdString();
    }
    // Edited text stays when the selection moves; the reset brings the example.
    editor->setText("S1F13 W <L [2] <A \"모델-1\"> <A \"1.0\">>.");
    EXPECT_TRUE(editor->isEdited());
    w->selectNode(message("S1F1"));
    EXPECT_TRUE(editor->text().startsWith("S1F13 W <L [2] <A \"모델-1\">"));
    editor->sendButton()->click();
    ASSERT_TRUE(WaitFor([&] { return rec->received(1, 13) != nullptr; }));
    // The Korean text went as its CP949 bytes: 6 of them, as the driver sends.
    const TrafficRecord* got = rec->received(1, 13);
    EXPECT_EQ(got->body.dataOf(got->body.items[1]).toByteArray(), QByteArray("\xB8\xF0\xB5\xA8-1"));
    EXPECT_EQ(got->verdict.kind, Verdict::Kind::Conforms);
    editor->resetButton()->click();
    EXPECT_TRUE(editor->text().startsWith("S1F1 W /* Are You There */"));
    EXPECT_FALSE(editor->isEdited());
    // A text that cannot be read is not sent, and says why.
    editor->setText("S1F13 W <L");
    editor->sendButton()->click();
    EXPECT_TRUE(statusText().startsWith("편집한 메시지를 보낼 수 없습니다: 줄 1"))
        << statusText().toStdString();
    EXPECT_TRUE(prompter.boxes.empty());
}

TEST_F(CommPaneTest, TheListFiltersClearsAndSavesWhatItShowsAsCommonSml) {
    connectAsHost();
    for (const char* key : {"S1F1", "S1F13"}) {
        w->selectNode(message(key));
        pane()->sendSelected();
        ASSERT_TRUE(WaitFor([&] { return pane()->link().openSends() == 0; }));
    }
    peer->send(6, 11, false, Body("S6F11 <L [3] <U4 1> <A \"x\"> <L [0]>>."));
    peer->send(6, 11, false, Body("S6F11 <L [3] <U4 1> <U4 2> <L [0]>>."));
    ASSERT_TRUE(rowsShown(6));
    const struct {
        const char* key;
        int verdict;
        std::vector<const char*> keys;
    } cases[] = {
        {"", 0, {"S1F1", "  └ S1F2", "S1F13", "  └ S1F14", "S6F11", "S6F11"}},
        {"s1", 0, {"S1F1", "  └ S1F2", "S1F13", "  └ S1F14"}},
        {"S1F13", 0, {"S1F13"}},
        {"F1", 0, {"S1F1", "S1F13", "  └ S1F14", "S6F11", "S6F11"}},
        {"", 1, {"S1F1", "  └ S1F2", "S1F13", "  └ S1F14", "S6F11"}},
        {"S6", 2, {"S6F11"}},
        {"", 3, {}},
    };
    for (const auto& c : cases) {
        pane()->keyFilter()->setText(c.key);
        pane()->verdictFilter()->setCurrentIndex(c.verdict);
        QStringList shown;
        for (int r = 0; r < model()->rowCount(); ++r)
            shown << cell(r, TrafficModel::KeyColumn);
        QStringList expected;
        for (const char* k : c.keys)
            expected << QString::fromUtf8(k);
        EXPECT_EQ(shown, expected) << c.key << " / " << c.verdict;
    }
    // Saved: the rows the filter shows, in the log's form, which import reads.
    pane()->keyFilter()->setText("S1");
    pane()->verdictFilter()->setCurrentIndex(0);
    prompter.answerSave(dir.path("traffic.txt"));
    pane()->saveTraffic();
    ASSERT_EQ(prompter.saveRequests.size(), 1u);
    EXPECT_EQ(prompter.saveRequests[0].proposedName, "traffic.txt");
    const QByteArray saved = dir.read("traffic.txt");
    EXPECT_TRUE(IsValidUtf8(saved));
    EXPECT_EQ(saved.count(" SEND S1F"), 2);
    EXPECT_EQ(saved.count(" RECV S1F"), 2);
    EXPECT_EQ(saved.count(" RECV S6F11"), 0);
    const DecodedSml decoded = DecodeSmlFile(saved);
    CommonSmlReader reader(decoded.text);
    CommonSmlMessage m;
    QStringList read;
    while (reader.next(m))
        read << QStringLiteral("S%1F%2").arg(m.stream).arg(m.function);
    EXPECT_FALSE(reader.error().has_value());
    EXPECT_EQ(read, QStringList({"S1F1", "S1F2", "S1F13", "S1F14"}));
    EXPECT_TRUE(pane()->messageText().contains("메시지 4개를"));

    pane()->keyFilter()->clear();
    pane()->clearTraffic();
    EXPECT_EQ(model()->rowCount(), 0);
    EXPECT_EQ(model()->keptRows(), 0);
}

TEST_F(CommPaneTest, ChangingTheConfigurationWhileConnectedAsksBeforeReconnecting) {
    connectAsHost();
    // The dialog closed without a change: nothing to ask.
    prompter.answerDialog([](QDialog*) { return int(QDialog::Rejected); });
    pane()->configButton()->click();
    EXPECT_TRUE(prompter.boxes.empty());
    // Another equipment on another port.
    const std::unique_ptr<HsmsLink> first = std::move(peer);
    const std::unique_ptr<Recorder> firstRec = std::move(rec);
    startPeer(TestSettings(false, false, 0));
    writeConfig(windowConfig(true, true, peer->listeningPort()));
    // No: the link goes on with the settings it has.
    prompter.answerDialog([](QDialog*) { return int(QDialog::Rejected); });
    prompter.answerBox(Prompter::Answer::No);
    w->action("OptionConfig")->trigger();
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].text,
              "통신 설정이 바뀌었습니다.\n연결을 끊고 새 설정으로 다시 연결하겠습니까?");
    EXPECT_EQ(pane()->messageText().mid(9), "연결은 바뀌기 전의 설정으로 계속됩니다.");
    EXPECT_EQ(first->state(), LinkState::Selected);
    // Yes: separated from the first, selected by the second.
    prompter.answerDialog([](QDialog*) { return int(QDialog::Rejected); });
    prompter.answerBox(Prompter::Answer::Yes);
    w->action("OptionConfig")->trigger();
    ASSERT_TRUE(WaitFor([&] { return selected() && first->state() == LinkState::NotConnected; }));
    EXPECT_EQ(firstRec->events.back(), "separate.req를 받아 연결을 닫습니다");
    EXPECT_EQ(pane()->configurationText(),
              QStringLiteral("호스트, Active, 127.0.0.1:%1, 장치 ID 0").arg(peer->listeningPort()));
}

TEST_F(CommPaneTest, ConnectOnTheCommandLineOpensShowsAndConnects) {
    startPeer(TestSettings(false, false, 0));
    writeConfig(windowConfig(true, true, peer->listeningPort()));
    w->document().setSaved();
    w.reset();
    w = std::make_unique<TfmMain>(prompter);
    w->commPane()->setTimerSource(Fast());
    const StartupArguments args = ParseStartupArguments({"pravik", "--connect", defsPath});
    ASSERT_EQ(args.outcome, StartupArguments::Outcome::Start);
    EXPECT_TRUE(args.connect);
    OpenStartupFile(*w, args.file, args.connect);
    EXPECT_EQ(w->session().fileName(), defsPath);
    EXPECT_FALSE(w->commPane()->isHidden());
    ASSERT_TRUE(WaitFor([&] { return w->commPane()->link().state() == LinkState::Selected; }));
    // Not remembered: the next window starts without the pane.
    EXPECT_FALSE(OpenUserSettings()->value("CommPane/visible", false).toBool());
    // A file that cannot be opened: its error box, and no link.
    w->commPane()->closeLink();
    prompter.answerBox(Prompter::Answer::Ok);
    OpenStartupFile(*w, dir.path("missing.sml"), true);
    EXPECT_FALSE(w->commPane()->link().isRunning());
    const StartupArguments alone = ParseStartupArguments({"pravik", "--connect"});
    EXPECT_EQ(alone.outcome, StartupArguments::Outcome::Error);
    EXPECT_EQ(alone.error, "option '--connect' needs a FILE");
    // The real program says so, and tells of the option in its help.
    QProcess p;
    p.start(QStringLiteral(PRAVIK_GUI), {"--connect"});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 2);
    // (after what Qt may say as the application object starts)
    EXPECT_TRUE(p.readAllStandardError().endsWith(
        "pravik: option '--connect' needs a FILE\nusage: pravik [OPTIONS] [FILE]\n"));
    p.start(QStringLiteral(PRAVIK_GUI), {"--help"});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_TRUE(p.readAllStandardOutput().contains(
        "  --connect      with FILE: show the communication pane"));
}

} // namespace
} // namespace pravik::test
