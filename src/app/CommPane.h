#pragma once

#include "app/CommLink.h"
#include "app/LinkStateMark.h"
#include "hsms/LinkRecords.h"

#include <QDockWidget>
#include <QPointer>
#include <QStringList>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableView;

namespace pravik {

class DefinitionIndex;
class DocumentSession;
class GuiPrompter;
class LinkStateMark;
class SendEditor;
class SmlDocument;
class SmlNode;
class TextPane;
class TrafficModel;

// "통신": the document's definitions tried on a live HSMS connection made as
// the ".cfg" beside the document says. Connect and disconnect, the state as
// a coloured mark (here and in the status bar), linktest on demand; the
// configuration's role, mode, address, port and device IDs with a button to
// the configuration dialog. F5 sends the selected message as its example
// (the preview's "n" count); the send editor sends it as the user edited it.
// The traffic list shows every message with its verdict (a reply to a
// message sent here right under it), the selected one as common SML and
// bytes; a double-click selects its definition, or the node that differs.
// Failures are told in the pane and the status bar, never in a box that
// would hold up the traffic. The pane keeps its own state; whether it is
// shown and the row limit are remembered (UserSettings).
class CommPane : public QDockWidget {
    Q_OBJECT
public:
    // How long closing the window waits for the separate to go out.
    static constexpr int kCloseWaitMs = 2000;

    CommPane(DocumentSession& session, GuiPrompter& prompter, QWidget* parent = nullptr);
    ~CommPane() override;

    // --- wiring
    // The tree's selection changed (nullptr: none).
    void setSelectedNode(SmlNode* node);
    // The preview's count of elements per "n" list, for the examples sent.
    void setCountSource(QSpinBox* count);
    // Tool > "통신" (checkable) and "선택한 메시지 보내기" (F5, window-wide).
    QAction* toggleAction() const { return m_toggle; }
    QAction* sendAction() const { return m_sendAction; }
    // The mark for the status bar.
    LinkStateMark* statusMark() const { return m_statusMark; }
    // The configuration dialog has closed: shows what the ".cfg" says now,
    // and asks before reconnecting a running link whose settings changed.
    void configurationEdited();
    // The window closes: separates, waits for it (bounded), flushes the log.
    void closeLink();
    // Shows or hides the pane, remembering it when the user asked.
    void showPane(bool show, bool remember = true);

    // --- commands
    void connectLink();
    void disconnectLink();
    void sendSelected();
    void sendEdited();
    void linktest();
    // Selects the definition of the row's message: the node that differs
    // from it by the definition as it is now, or the message.
    void activateRow(int row);
    void clearTraffic();
    void saveTraffic();

    // --- for the program's tests and benchmarks
    CommLink& link() { return *m_link; }
    TrafficModel* model() const { return m_model; }
    QTableView* view() const { return m_view; }
    SendEditor* editor() const { return m_editor; }
    LinkStateMark* mark() const { return m_mark; }
    TextPane* smlView() const { return m_sml; }
    TextPane* bytesView() const { return m_bytes; }
    QString configurationText() const;
    QString messageText() const;
    QString countText() const;
    QCheckBox* autoReplyBox() const { return m_autoReply; }
    QSpinBox* limitBox() const { return m_limit; }
    QLineEdit* keyFilter() const { return m_keyFilter; }
    QComboBox* verdictFilter() const { return m_verdictFilter; }
    QPushButton* connectButton() const { return m_connect; }
    QPushButton* disconnectButton() const { return m_disconnect; }
    QPushButton* linktestButton() const { return m_linktest; }
    QPushButton* configButton() const { return m_configButton; }
    QTabWidget* tabs() const { return m_tabs; }
    void setTimerSource(const TimerSource& timers) { m_link->setTimerSource(timers); }
    // The ".cfg" of the document.
    QString configurationPath() const;

signals:
    void nodeActivated(pravik::SmlNode* node);
    // A failure for the status bar.
    void statusMessage(const QString& text);
    // "설정...": the configuration dialog is wanted.
    void configRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildControls();
    QLayout* buildLinkRow(QWidget* box);
    QLayout* buildListRow(QWidget* box);
    QWidget* buildViews();
    void connectControls();
    void connectDocument();
    void documentReplaced();
    void updateControls();
    void stateChanged(LinkState state);
    void showReport(const QString& text, bool failure);
    void showConfiguration(const CommLink::Configuration& configuration);
    void showRow(const QModelIndex& index);
    void showEditorExample(bool force);
    void applyFilter();
    void updateCount();
    int exampleCount() const;
    const SmlNode* selectedMessage() const;
    // Why the definition of message cannot be sent, or nothing.
    QString sendRefusal(const SmlNode& message) const;
    SmlNode* nodeAtRows(const std::vector<int>& rows) const;

    DocumentSession& m_session;
    SmlDocument& m_doc;
    GuiPrompter& m_prompter;
    TrafficModel* m_model = nullptr;
    CommLink* m_link = nullptr;
    DefinitionIndex* m_index = nullptr;
    SmlNode* m_selected = nullptr;
    QPointer<QSpinBox> m_count;
    bool m_editorStale = true;
    bool m_restored = false;
    bool m_placed = false; // given its first height in the window
    bool m_followNewest = true;
    QStringList m_reports; // the latest, for the message line's tooltip

    QAction* m_toggle = nullptr;
    QAction* m_sendAction = nullptr;
    LinkStateMark* m_mark = nullptr;
    QPointer<LinkStateMark> m_statusMark; // owned by the status bar it is put in
    QPushButton* m_connect = nullptr;
    QPushButton* m_disconnect = nullptr;
    QPushButton* m_linktest = nullptr;
    QPushButton* m_configButton = nullptr;
    QPushButton* m_sendButton = nullptr;
    QPushButton* m_clear = nullptr;
    QPushButton* m_save = nullptr;
    QLabel* m_configuration = nullptr;
    QLabel* m_selectedLabel = nullptr;
    QLabel* m_message = nullptr;
    QLabel* m_countLabel = nullptr;
    QCheckBox* m_autoReply = nullptr;
    QLineEdit* m_keyFilter = nullptr;
    QComboBox* m_verdictFilter = nullptr;
    QSpinBox* m_limit = nullptr;
    QTableView* m_view = nullptr;
    QTabWidget* m_tabs = nullptr;
    TextPane* m_sml = nullptr;
    TextPane* m_bytes = nullptr;
    SendEditor* m_editor = nullptr;
};

} // namespace pravik
