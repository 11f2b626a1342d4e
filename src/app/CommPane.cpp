#include "app/CommPane.h"

#include "app/HexHighlight.h"
#include "app/LinkStateMark.h"
#include "app/SendEditor.h"
#include "app/TextPane.h"
#include "app/TrafficModel.h"
#include "app/TrafficText.h"
#include "app/UserSettings.h"
#include "check/DefinitionChecker.h"
#include "document/NodeHeader.h"
#include "document/SmlDocument.h"
#include "gui/GuiPrompter.h"
#include "hsms/DefinitionIndex.h"
#include "hsms/ReceivedCheck.h"
#include "platform/AnsiText.h"
#include "platform/FileSystem.h"
#include "platform/PlatformError.h"
#include "secs/CommonSmlWriter.h"
#include "secs/ExampleInstance.h"
#include "secs/MessagePreview.h"
#include "session/DocumentSession.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QTime>
#include <QVBoxLayout>

namespace pravik {

namespace {

const QString kVisibleKey = QStringLiteral("CommPane/visible");
const QString kLimitKey = QStringLiteral("CommPane/rowLimit");
constexpr int kReportsKept = 30;

QPushButton* Button(const char* name, const QString& text, const QString& hint, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(hint);
    return b;
}

// A label whose text may be longer than the room it is given: it never
// widens the pane (and so the window); the part cut off is in its tooltip.
QLabel* ShrinkingLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    return label;
}

// Enter on a row activates it, as a double-click does, also where the
// style does not say so.
class TrafficView : public QTableView {
public:
    using QTableView::QTableView;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
            currentIndex().isValid()) {
            emit activated(currentIndex());
            return;
        }
        QTableView::keyPressEvent(event);
    }
};

} // namespace

CommPane::CommPane(DocumentSession& session, GuiPrompter& prompter, QWidget* parent)
    : QDockWidget(QStringLiteral("통신"), parent), m_session(session), m_doc(session.document()),
      m_prompter(prompter) {
    setObjectName(QStringLiteral("CommPane"));
    m_model = new TrafficModel(this);
    m_link = new CommLink(m_doc, *m_model, this);
    m_index = new DefinitionIndex(&m_doc, this);
    m_toggle = new QAction(QStringLiteral("통신"), this);
    m_toggle->setObjectName(QStringLiteral("ToolComm"));
    m_toggle->setCheckable(true);
    const QString toggleHint =
        QStringLiteral("문서의 설정으로 상대와 연결해 메시지를 주고받는 창을 보여주거나 감춥니다.");
    m_toggle->setToolTip(toggleHint);
    m_toggle->setStatusTip(toggleHint);
    m_sendAction = new QAction(QStringLiteral("선택한 메시지 보내기"), this);
    m_sendAction->setObjectName(QStringLiteral("CommSend"));
    m_sendAction->setShortcut(QKeySequence(Qt::Key_F5));
    m_sendAction->setToolTip(
        QStringLiteral("트리에서 선택한 메시지를 예제로 만들어 보냅니다. (F5)"));
    // F5 works wherever the focus is in the window.
    if (parent)
        parent->addAction(m_sendAction);
    m_statusMark = new LinkStateMark;
    m_statusMark->setObjectName(QStringLiteral("StatusLinkStateMark"));
    m_statusMark->hide();

    auto* body = new QWidget(this);
    auto* column = new QVBoxLayout(body);
    column->setContentsMargins(4, 2, 4, 4);
    column->setSpacing(3);
    column->addWidget(buildControls());
    column->addWidget(buildViews(), 1);
    setWidget(body);
    auto settings = OpenUserSettings();
    m_limit->setValue(settings->value(kLimitKey, TrafficModel::kDefaultLimit).toInt());
    m_model->setLimit(m_limit->value());
    connectControls();
    connectDocument();
    stateChanged(LinkState::NotConnected);
    updateCount();
}

CommPane::~CommPane() {
    m_link->disconnect(this);
    if (m_statusMark && !m_statusMark->parent())
        delete m_statusMark.data();
}

QWidget* CommPane::buildControls() {
    auto* box = new QWidget(this);
    auto* rows = new QVBoxLayout(box);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(3);
    rows->addLayout(buildLinkRow(box));
    rows->addLayout(buildListRow(box));
    auto* third = new QHBoxLayout;
    m_message = ShrinkingLabel("CommMessage", box);
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_countLabel = new QLabel(box);
    m_countLabel->setObjectName(QStringLiteral("CommCount"));
    third->addWidget(m_message, 1);
    third->addWidget(m_countLabel);
    rows->addLayout(third);
    return box;
}

QLayout* CommPane::buildLinkRow(QWidget* box) {
    auto* top = new QHBoxLayout;
    m_mark = new LinkStateMark(box);
    m_connect =
        Button("CommConnect", QStringLiteral("연결"),
               QStringLiteral("문서의 설정 파일(.cfg)대로 연결하거나 접속을 기다립니다."), box);
    m_disconnect = Button("CommDisconnect", QStringLiteral("연결 끊기"),
                          QStringLiteral("separate.req를 보내고 연결을 닫습니다."), box);
    m_linktest = Button("CommLinktest", QStringLiteral("링크 테스트"),
                        QStringLiteral("linktest.req를 보내 상대가 응답하는지 봅니다."), box);
    m_configuration = ShrinkingLabel("CommConfiguration", box);
    m_configButton = Button("CommConfig", QStringLiteral("설정..."),
                            QStringLiteral("통신 설정(.cfg)을 고칩니다."), box);
    m_autoReply = new QCheckBox(QStringLiteral("자동 응답"), box);
    m_autoReply->setObjectName(QStringLiteral("CommAutoReply"));
    m_autoReply->setChecked(true);
    m_autoReply->setToolTip(
        QStringLiteral("W가 붙은 메시지에 응답의 정의로 만든 예제를 자동으로 보냅니다."));
    for (QWidget* w : {static_cast<QWidget*>(m_mark), static_cast<QWidget*>(m_connect),
                       static_cast<QWidget*>(m_disconnect), static_cast<QWidget*>(m_linktest)})
        top->addWidget(w);
    top->addSpacing(8);
    top->addWidget(m_configuration, 1);
    top->addWidget(m_configButton);
    top->addWidget(m_autoReply);
    return top;
}

QLayout* CommPane::buildListRow(QWidget* box) {
    auto* row = new QHBoxLayout;
    m_sendButton =
        Button("CommSendButton", QStringLiteral("보내기 (F5)"), m_sendAction->toolTip(), box);
    m_selectedLabel = ShrinkingLabel("CommSelected", box);
    m_keyFilter = new QLineEdit(box);
    m_keyFilter->setObjectName(QStringLiteral("CommKeyFilter"));
    m_keyFilter->setPlaceholderText(QStringLiteral("메시지 (S6F11, S6)"));
    m_keyFilter->setClearButtonEnabled(true);
    m_keyFilter->setMaximumWidth(140);
    m_verdictFilter = new QComboBox(box);
    m_verdictFilter->setObjectName(QStringLiteral("CommVerdictFilter"));
    m_verdictFilter->addItems({QStringLiteral("모든 판정"), QStringLiteral("일치"),
                               QStringLiteral("다름, S9, 응답 없음"),
                               QStringLiteral("확인 안 함")});
    m_clear = Button("CommClear", QStringLiteral("지우기"),
                     QStringLiteral("목록을 비웁니다. 로그 파일은 그대로입니다."), box);
    m_save =
        Button("CommSave", QStringLiteral("저장..."),
               QStringLiteral("목록에 보이는 메시지를 공통 SML 파일(UTF-8)로 저장합니다."), box);
    m_limit = new QSpinBox(box);
    m_limit->setObjectName(QStringLiteral("CommRowLimit"));
    m_limit->setRange(TrafficModel::kMinLimit, TrafficModel::kMaxLimit);
    m_limit->setSingleStep(10000);
    m_limit->setGroupSeparatorShown(true);
    m_limit->setToolTip(
        QStringLiteral("목록에 둘 행의 최대 수. 넘으면 오래된 행부터 뺍니다 (로그에는 남습니다)."));
    auto* limitLabel = new QLabel(QStringLiteral("최대 행 수:"), box);
    limitLabel->setBuddy(m_limit);
    row->addWidget(m_sendButton);
    row->addWidget(m_selectedLabel, 1);
    for (QWidget* w : std::initializer_list<QWidget*>{m_keyFilter, m_verdictFilter, m_clear, m_save,
                                                      limitLabel, m_limit})
        row->addWidget(w);
    return row;
}

QWidget* CommPane::buildViews() {
    auto* split = new QSplitter(Qt::Horizontal, this);
    m_view = new TrafficView(split);
    m_view->setObjectName(QStringLiteral("CommTraffic"));
    m_view->setModel(m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setWordWrap(false);
    m_view->setShowGrid(false);
    m_view->verticalHeader()->hide();
    // Uniform rows: the view never measures them.
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 4);
    QHeaderView* header = m_view->horizontalHeader();
    header->setStretchLastSection(true);
    const int widths[] = {90, 40, 80, 24, 90, 56, 56};
    for (int c = 0; c < TrafficModel::VerdictColumn; ++c)
        header->resizeSection(c, widths[c]);
    m_tabs = new QTabWidget(split);
    m_tabs->setObjectName(QStringLiteral("CommTabs"));
    auto* shown = new QSplitter(Qt::Vertical, m_tabs);
    m_sml = new TextPane(shown);
    m_sml->setObjectName(QStringLiteral("CommSml"));
    m_bytes = new TextPane(shown);
    m_bytes->setObjectName(QStringLiteral("CommBytes"));
    for (TextPane* view : {m_sml, m_bytes})
        view->setFont(TextPane::monospaceFont());
    m_tabs->addTab(shown, QStringLiteral("메시지"));
    m_editor = new SendEditor(m_doc, m_tabs);
    m_tabs->addTab(m_editor, QStringLiteral("보낼 메시지 편집"));
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    return split;
}

void CommPane::connectControls() {
    connect(m_toggle, &QAction::triggered, this, [this](bool on) { showPane(on); });
    connect(this, &QDockWidget::visibilityChanged, this, [this] {
        m_toggle->setChecked(!isHidden());
        if (m_statusMark)
            m_statusMark->setVisible(!isHidden() || m_link->isRunning());
    });
    connect(m_sendAction, &QAction::triggered, this, &CommPane::sendSelected);
    connect(m_sendButton, &QPushButton::clicked, this, &CommPane::sendSelected);
    connect(m_connect, &QPushButton::clicked, this, &CommPane::connectLink);
    connect(m_disconnect, &QPushButton::clicked, this, &CommPane::disconnectLink);
    connect(m_linktest, &QPushButton::clicked, this, &CommPane::linktest);
    connect(m_configButton, &QPushButton::clicked, this, &CommPane::configRequested);
    connect(m_autoReply, &QCheckBox::toggled, m_link, &CommLink::setAutoReply);
    connect(m_clear, &QPushButton::clicked, this, &CommPane::clearTraffic);
    connect(m_save, &QPushButton::clicked, this, &CommPane::saveTraffic);
    connect(m_keyFilter, &QLineEdit::textChanged, this, &CommPane::applyFilter);
    connect(m_verdictFilter, &QComboBox::currentIndexChanged, this, &CommPane::applyFilter);
    connect(m_limit, &QSpinBox::valueChanged, this, [this](int rows) {
        m_model->setLimit(rows);
        OpenUserSettings()->setValue(kLimitKey, rows);
        updateCount();
    });
    connect(m_link, &CommLink::stateChanged, this, &CommPane::stateChanged);
    connect(m_link, &CommLink::stopped, this, [this] { stateChanged(m_link->state()); });
    connect(m_link, &CommLink::report, this, &CommPane::showReport);
    connect(m_view, &QAbstractItemView::activated, this,
            [this](const QModelIndex& index) { activateRow(index.row()); });
    connect(m_view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &CommPane::showRow);
    // The list follows the newest row while the user looks at the end.
    QScrollBar* bar = m_view->verticalScrollBar();
    connect(bar, &QScrollBar::valueChanged, this,
            [this, bar](int value) { m_followNewest = value >= bar->maximum(); });
    connect(m_model, &TrafficModel::rowsShown, this, [this] {
        if (m_followNewest)
            m_view->scrollToBottom();
        updateCount();
    });
    connect(m_model, &QAbstractItemModel::modelReset, this, &CommPane::updateCount);
    connect(m_editor, &SendEditor::sendRequested, this, &CommPane::sendEdited);
    connect(m_editor, &SendEditor::resetRequested, this, [this] { showEditorExample(true); });
    connect(m_tabs, &QTabWidget::currentChanged, this, [this] {
        if (m_editorStale)
            showEditorExample(false);
    });
}

void CommPane::connectDocument() {
    connect(&m_session, &DocumentSession::documentReplaced, this, &CommPane::documentReplaced);
    connect(&m_session, &DocumentSession::captionChanged, this, [this] {
        if (!m_link->isRunning())
            showConfiguration(CommLink::Read(configurationPath()));
        updateControls();
    });
    connect(&m_doc, &SmlDocument::nodesAboutToBeRemoved, this, [this](SmlNode* root) {
        if (m_selected && root->isAncestorOf(m_selected))
            m_selected = nullptr;
    });
    connect(&m_doc, &SmlDocument::documentAboutToBeReset, this, [this] { m_selected = nullptr; });
}

void CommPane::documentReplaced() {
    if (m_link->isRunning()) {
        showReport(QStringLiteral("다른 문서가 되어 연결을 끊습니다."), false);
        m_link->stop();
    }
    showConfiguration(CommLink::Read(configurationPath()));
    setSelectedNode(nullptr);
    // The pane comes back with the first document when the user left it shown.
    if (!m_restored) {
        m_restored = true;
        if (OpenUserSettings()->value(kVisibleKey, false).toBool())
            showPane(true, false);
    }
    updateControls();
}

QString CommPane::configurationPath() const {
    return DriverConfigPathFor(m_session.fileName());
}

void CommPane::showConfiguration(const CommLink::Configuration& c) {
    m_configuration->setText(c.summary());
    m_configuration->setToolTip(c.summary() + QLatin1Char('\n') + QDir::toNativeSeparators(c.path));
    m_configuration->setStyleSheet(c.settings ? QString() : QStringLiteral("color: #c62828"));
}

QString CommPane::configurationText() const {
    return m_configuration->text();
}

void CommPane::updateControls() {
    const bool document = m_session.hasDocument();
    const bool running = m_link->isRunning();
    m_toggle->setEnabled(document);
    m_sendAction->setEnabled(document);
    m_sendButton->setEnabled(document);
    m_connect->setEnabled(document && !running);
    m_disconnect->setEnabled(running);
    m_linktest->setEnabled(running && m_link->state() != LinkState::NotConnected);
    m_configButton->setEnabled(document);
    m_editor->sendButton()->setEnabled(document);
    if (m_statusMark)
        m_statusMark->setVisible(!isHidden() || running);
}

void CommPane::stateChanged(LinkState state) {
    m_mark->setState(state);
    if (m_statusMark)
        m_statusMark->setState(state);
    updateControls();
}

void CommPane::showReport(const QString& text, bool failure) {
    const QString line = QTime::currentTime().toString(QStringLiteral("HH:mm:ss ")) + text;
    m_reports.prepend(line);
    if (m_reports.size() > kReportsKept)
        m_reports.removeLast();
    m_message->setText(line);
    m_message->setStyleSheet(failure ? QStringLiteral("color: #c62828") : QString());
    m_message->setToolTip(m_reports.join(QLatin1Char('\n')));
    if (failure)
        emit statusMessage(text);
}

QString CommPane::messageText() const {
    return m_message->text();
}

void CommPane::showPane(bool show, bool remember) {
    setVisible(show);
    if (show)
        raise(); // in front of a pane that shares its place
    // Shown the first time, it takes two fifths of the window's height, not
    // the height its lists and texts would like: the tree keeps its rows.
    auto* window = qobject_cast<QMainWindow*>(parentWidget());
    if (show && !m_placed && window && !isFloating()) {
        m_placed = true;
        window->resizeDocks({this}, {window->height() * 2 / 5}, Qt::Vertical);
    }
    m_toggle->setChecked(show);
    if (remember)
        OpenUserSettings()->setValue(kVisibleKey, show);
    updateControls();
}

void CommPane::closeEvent(QCloseEvent* event) {
    QDockWidget::closeEvent(event);
    // Closed with its own button: remembered as the menu entry would be.
    OpenUserSettings()->setValue(kVisibleKey, false);
    m_toggle->setChecked(false);
}

// --- the link --------------------------------------------------------------------

void CommPane::connectLink() {
    if (!m_session.hasDocument() || m_link->isRunning())
        return;
    const CommLink::Configuration c = CommLink::Read(configurationPath());
    showConfiguration(c);
    m_link->start(c);
    updateControls();
}

void CommPane::disconnectLink() {
    m_link->stop();
}

void CommPane::closeLink() {
    m_link->stopAndWait(kCloseWaitMs);
}

void CommPane::linktest() {
    m_link->linktest();
}

void CommPane::configurationEdited() {
    const CommLink::Configuration now = CommLink::Read(configurationPath());
    if (!m_link->isRunning()) {
        showConfiguration(now);
        return;
    }
    const CommLink::Configuration& running = m_link->configuration();
    // The values decide: a file saved with the defaults it was run with is no change.
    if (now.path == running.path && now.config == running.config)
        return;
    const auto answer = m_prompter.messageBox(
        Prompter::Icon::Question, m_session.caption(),
        QStringLiteral("통신 설정이 바뀌었습니다.\n연결을 끊고 새 설정으로 다시 연결하겠습니까?"),
        Prompter::Buttons::YesNo);
    if (answer == Prompter::Answer::Yes) {
        showConfiguration(now);
        m_link->restart(now);
    } else {
        showReport(QStringLiteral("연결은 바뀌기 전의 설정으로 계속됩니다."), false);
    }
}

// --- sending ---------------------------------------------------------------------

void CommPane::setSelectedNode(SmlNode* node) {
    m_selected = node;
    const SmlNode* message = selectedMessage();
    m_selectedLabel->setText(
        message ? QStringLiteral("보낼 메시지: ") + AnsiText::Decode(message->Text())
                : QStringLiteral("보낼 메시지: (트리에서 메시지를 선택하십시오)"));
    m_selectedLabel->setToolTip(m_selectedLabel->text());
    m_editorStale = true;
    if (isVisible() && m_tabs->currentWidget() == m_editor)
        showEditorExample(false);
}

void CommPane::setCountSource(QSpinBox* count) {
    m_count = count;
    if (count)
        connect(count, &QSpinBox::valueChanged, this, [this] {
            m_editorStale = true;
            if (isVisible() && m_tabs->currentWidget() == m_editor)
                showEditorExample(false);
        });
}

int CommPane::exampleCount() const {
    return m_count ? m_count->value() : 1;
}

const SmlNode* CommPane::selectedMessage() const {
    return (m_selected ? m_selected->message() : nullptr);
}

void CommPane::showEditorExample(bool force) {
    m_editorStale = false;
    m_editor->showExample(selectedMessage(), exampleCount(), force);
}

QString CommPane::sendRefusal(const SmlNode& message) const {
    // The checker's errors that change what goes on the wire (structure,
    // message header, types, lengths, counts); names do not.
    DefinitionChecker checker;
    const MessageFindings found = checker.checkMessage(message);
    for (const Diagnostic& d : found.diagnostics) {
        const char kind = d.rule[1];
        if (d.isError() && (kind == '1' || kind == '3' || qstrcmp(d.rule, "E203") == 0 ||
                            qstrcmp(d.rule, "E205") == 0))
            return DiagnosticPath(d) + QStringLiteral(": ") + d.text();
    }
    ExampleOptions options;
    options.variableCount = exampleCount();
    const Example example = BuildExample(message, options);
    return example.problems.empty() ? QString() : example.problems.front().text();
}

void CommPane::sendSelected() {
    const SmlNode* message = selectedMessage();
    if (!message) {
        showReport(QStringLiteral("보낼 메시지를 트리에서 선택하십시오."), true);
        return;
    }
    const QString name = AnsiText::Decode(NodeHeader::Read(*message).head.toByteArray());
    if (const QString why = sendRefusal(*message); !why.isEmpty()) {
        showReport(QStringLiteral("%1을(를) 보낼 수 없습니다: %2").arg(name, why), true);
        return;
    }
    ExampleOptions options;
    options.variableCount = exampleCount();
    const Example example = BuildExample(*message, options);
    m_link->send(example.message, VerdictFor(*message, example.message.body));
}

void CommPane::sendEdited() {
    QString error;
    const std::optional<CommonSmlMessage> message = m_editor->parse(&error);
    if (!message) {
        showReport(QStringLiteral("편집한 메시지를 보낼 수 없습니다: ") + error, true);
        return;
    }
    Verdict checked;
    if (const SmlNode* definition = m_index->find(message->stream, message->function))
        checked = VerdictFor(*definition, message->body);
    m_link->send(*message, checked);
}

// --- the traffic list ------------------------------------------------------------

void CommPane::applyFilter() {
    m_model->flush();
    m_model->setFilter(m_keyFilter->text(),
                       static_cast<TrafficModel::VerdictFilter>(m_verdictFilter->currentIndex()));
    updateCount();
}

void CommPane::updateCount() {
    QString text = QStringLiteral("행 %1개").arg(m_model->rowCount());
    if (m_model->rowCount() != m_model->keptRows())
        text += QStringLiteral(" (전체 %1개 중)").arg(m_model->keptRows());
    if (m_model->droppedRows() > 0)
        text += QStringLiteral(", 최대 행 수를 넘어 뺀 행 %1개 (로그에는 남아 있습니다)")
                    .arg(m_model->droppedRows());
    m_countLabel->setText(text);
}

QString CommPane::countText() const {
    return m_countLabel->text();
}

void CommPane::clearTraffic() {
    m_model->clear();
    m_sml->setPlainText(QString());
    m_bytes->setPlainText(QString());
    updateCount();
}

void CommPane::showRow(const QModelIndex& index) {
    const TrafficModel::Row* row = m_model->rowAt(index.row());
    std::vector<TextPane::Range> text, bytes;
    if (!row) {
        m_sml->setPlainText(QString());
        m_bytes->setPlainText(QString());
        return;
    }
    const TrafficRecord& r = row->record;
    if (row->bodyReleased) {
        m_sml->setPlainText(QStringLiteral("(이 메시지의 본문은 목록이 쓰는 메모리의 한도를 넘어 "
                                           "목록에서 뺐습니다. 링크의 로그에 있습니다.)"));
        m_bytes->setPlainText(QString());
        return;
    }
    CommonSmlSpans spans;
    const QByteArray sml = RecordSml(r, "\n", &spans);
    std::vector<ByteSpan> itemBytes;
    const QByteArray body = RecordBody(r, &itemBytes);
    m_sml->setPlainText(
        r.decoded
            ? AnsiText::Decode(sml)
            : QStringLiteral("(공통 SML로 보일 수 없습니다: %1)").arg(VerdictText(r.verdict)));
    m_bytes->setPlainText(QString::fromLatin1(HexDump(body)));
    // The received item where it leaves its definition.
    const qint64 item = r.verdict.item;
    if (r.decoded && item >= 0 && size_t(item) < spans.items.size() &&
        size_t(item) < itemBytes.size()) {
        const ByteSpan s = spans.items[size_t(item)];
        text.push_back(
            {AnsiText::Decode(sml.left(s.begin)).size(), AnsiText::Decode(sml.left(s.end)).size()});
        bytes = HexHighlights({itemBytes[size_t(item)]}, 2000);
    }
    m_sml->setHighlights(text);
    m_bytes->setHighlights(bytes);
}

SmlNode* CommPane::nodeAtRows(const std::vector<int>& rows) const {
    if (rows.empty() || rows[0] < 0 || rows[0] >= m_doc.topLevelCount())
        return nullptr;
    SmlNode* node = m_doc.topLevel(rows[0]);
    for (size_t i = 1; i < rows.size(); ++i) {
        if (rows[i] < 0 || rows[i] >= node->childCount())
            return node;
        node = node->child(rows[i]);
    }
    return node;
}

void CommPane::activateRow(int row) {
    const TrafficModel::Row* shown = m_model->rowAt(row);
    if (!shown)
        return;
    const TrafficRecord& r = shown->record;
    int stream = r.stream, function = r.function;
    if (r.s9Mhead.size() >= 4) {
        // An S9 message: the message it speaks of.
        stream = static_cast<quint8>(r.s9Mhead[2]) & 0x7F;
        function = static_cast<quint8>(r.s9Mhead[3]);
    }
    const SmlNode* definition = m_index->find(stream, function);
    if (!definition) {
        showReport(QStringLiteral("S%1F%2의 정의가 문서에 없습니다.").arg(stream).arg(function),
                   true);
        return;
    }
    SmlNode* target = m_doc.topLevel(definition->row());
    if (shown->bodyReleased && r.verdict.kind == Verdict::Kind::Differs &&
        !r.verdict.rows.empty() && r.verdict.rows.front() == definition->row()) {
        // No body to check again: the node the check found, if it is still there.
        if (SmlNode* differing = nodeAtRows(r.verdict.rows))
            target = differing;
    } else if (r.decoded && r.s9Mhead.isEmpty()) {
        // By the definition as it is now: it may have been edited since.
        const Verdict now = VerdictFor(*definition, r.body);
        if (now.kind == Verdict::Kind::Differs) {
            if (SmlNode* differing = nodeAtRows(now.rows))
                target = differing;
        } else if (r.verdict.kind == Verdict::Kind::Differs) {
            showReport(QStringLiteral("이 메시지는 지금의 정의와는 일치합니다."), false);
        }
    }
    emit nodeActivated(target);
}

void CommPane::saveTraffic() {
    m_model->flush();
    std::vector<const TrafficModel::Row*> rows;
    for (int i = 0; i < m_model->rowCount(); ++i)
        rows.push_back(m_model->rowAt(i));
    if (rows.empty()) {
        showReport(QStringLiteral("저장할 메시지가 없습니다."), false);
        return;
    }
    const QString folder = m_session.isUntitled() ? m_session.initialDir()
                                                  : QFileInfo(m_session.fileName()).absolutePath();
    Prompter::FileRequest request{QStringLiteral("통신 기록 저장"),
                                  QStringLiteral("Text File|*.txt|All File|*.*"),
                                  folder,
                                  QStringLiteral("traffic.txt"),
                                  QStringLiteral("txt"),
                                  true};
    const std::optional<QString> path = m_prompter.saveFileName(request);
    if (!path)
        return;
    try {
        FileSystem::SafeSave(*path, TrafficFileText(rows), kCannotCreateFile);
        QString done =
            QStringLiteral("메시지 %1개를 %2에 저장했습니다.").arg(rows.size()).arg(*path);
        const auto released =
            std::count_if(rows.begin(), rows.end(), [](const auto* r) { return r->bodyReleased; });
        if (released > 0)
            done += QStringLiteral(" 본문을 목록에서 뺀 %1개는 주석 줄만 있습니다.").arg(released);
        showReport(done, false);
    } catch (const PlatformError& e) {
        m_prompter.messageBox(Prompter::Icon::Error, m_session.caption(), e.message(),
                              Prompter::Buttons::Ok);
    }
}

} // namespace pravik
