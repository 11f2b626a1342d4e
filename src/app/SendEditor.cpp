#include "app/SendEditor.h"

#include "app/TextPane.h"
#include "hsms/DefinitionIndex.h"
#include "hsms/ReceivedCheck.h"
#include "secs/CommonSmlEncoding.h"
#include "secs/CommonSmlReader.h"
#include "secs/CommonSmlWriter.h"
#include "secs/ExampleInstance.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace pravik {

namespace {

QString KeyText(const CommonSmlMessage& m) {
    return QStringLiteral("S%1F%2").arg(m.stream).arg(m.function);
}

} // namespace

SendEditor::SendEditor(const SmlDocument& doc, QWidget* parent) : QWidget(parent), m_doc(doc) {
    m_index = new DefinitionIndex(&doc, this);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    m_edit = new QPlainTextEdit(this);
    m_edit->setObjectName(QStringLiteral("SendEditorText"));
    m_edit->setFont(TextPane::monospaceFont());
    m_edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_edit->setPlaceholderText(
        QStringLiteral("트리에서 메시지를 선택하면 그 예제가 공통 SML로 여기에 나타납니다."));
    column->addWidget(m_edit, 1);
    auto* row = new QHBoxLayout;
    m_checkLabel = new QLabel(this);
    m_checkLabel->setObjectName(QStringLiteral("SendEditorCheck"));
    m_checkLabel->setWordWrap(true);
    m_checkLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_reset = new QPushButton(QStringLiteral("예제로 되돌리기"), this);
    m_send = new QPushButton(QStringLiteral("편집한 메시지 보내기"), this);
    m_send->setToolTip(QStringLiteral("편집한 내용을 그대로 보냅니다. (Ctrl+Enter)"));
    row->addWidget(m_checkLabel, 1);
    row->addWidget(m_reset);
    row->addWidget(m_send);
    column->addLayout(row);

    m_timer.setSingleShot(true);
    m_timer.setInterval(kCheckDelayMs);
    connect(&m_timer, &QTimer::timeout, this, &SendEditor::checkNow);
    connect(m_edit, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_filling)
            m_edited = true;
        scheduleCheck();
    });
    connect(m_send, &QPushButton::clicked, this, &SendEditor::sendRequested);
    connect(m_reset, &QPushButton::clicked, this, &SendEditor::resetRequested);
    for (const QKeySequence& keys :
         {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)}) {
        auto* shortcut = new QShortcut(keys, m_edit, nullptr, nullptr, Qt::WidgetShortcut);
        connect(shortcut, &QShortcut::activated, this, &SendEditor::sendRequested);
    }
    // A definition edited, deleted or brought back by undo: check again.
    connect(&doc, &QAbstractItemModel::dataChanged, this, &SendEditor::scheduleCheck);
    connect(&doc, &QAbstractItemModel::rowsInserted, this, &SendEditor::scheduleCheck);
    connect(&doc, &QAbstractItemModel::rowsRemoved, this, &SendEditor::scheduleCheck);
    connect(&doc, &QAbstractItemModel::rowsMoved, this, &SendEditor::scheduleCheck);
    connect(&doc, &QAbstractItemModel::layoutChanged, this, &SendEditor::scheduleCheck);
    connect(&doc, &QAbstractItemModel::modelReset, this, &SendEditor::scheduleCheck);
    showCheck(Check::Empty, QString());
}

SendEditor::~SendEditor() = default;

QString SendEditor::text() const {
    return m_edit->toPlainText();
}

void SendEditor::setText(const QString& text) {
    m_edit->setPlainText(text);
}

void SendEditor::showExample(const SmlNode* message, int count, bool force) {
    if (m_edited && !force)
        return;
    QString text, problem;
    if (message) {
        ExampleOptions options;
        options.variableCount = count;
        const Example example = BuildExample(*message, options);
        if (!example.problems.empty()) {
            problem = example.problems.front().text();
        } else {
            QByteArray sml;
            WriteCommonSml(example.message, sml, "\n");
            // Shown as the one encoding rule writes common SML: UTF-8.
            text = QString::fromUtf8(EncodeSmlFile(sml, SmlEncoding::Utf8).bytes);
        }
    }
    m_filling = true;
    m_edit->setPlainText(text);
    m_filling = false;
    m_edited = false;
    if (!problem.isEmpty())
        showCheck(Check::Unreadable, QStringLiteral("예제를 만들 수 없습니다: ") + problem);
    else
        checkNow();
}

std::optional<CommonSmlMessage> SendEditor::parse(QString* error) const {
    auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return std::nullopt;
    };
    const DecodedSml decoded = DecodeSmlFile(m_edit->toPlainText().toUtf8(), SmlEncoding::Utf8);
    // A character the driver cannot send would go out as "?": not silently.
    if (decoded.issueCount > 0)
        return fail(decoded.issues.front().text());
    CommonSmlReader reader(decoded.text);
    CommonSmlMessage message;
    if (!reader.next(message)) {
        if (reader.error())
            return fail(reader.error()->text());
        if (!reader.refusals().empty())
            return fail(reader.refusals().front().text());
        return fail(QStringLiteral("보낼 메시지가 없습니다."));
    }
    CommonSmlMessage more;
    if (reader.next(more) || reader.error())
        return fail(QStringLiteral("메시지는 하나만 보낼 수 있습니다 (줄 %1에 또 있습니다).")
                        .arg(more.line > 0 ? more.line : reader.error()->line));
    return message;
}

void SendEditor::scheduleCheck() {
    m_timer.start();
}

void SendEditor::checkNow() {
    m_timer.stop();
    if (m_edit->toPlainText().trimmed().isEmpty()) {
        showCheck(Check::Empty, QString());
        return;
    }
    QString error;
    const std::optional<CommonSmlMessage> message = parse(&error);
    if (!message) {
        showCheck(Check::Unreadable, QStringLiteral("읽을 수 없습니다: ") + error);
        return;
    }
    const QString key = KeyText(*message);
    // Looked up anew each time: the document may have changed since.
    const SmlNode* definition = m_index->find(message->stream, message->function);
    if (!definition) {
        showCheck(Check::NoDefinition,
                  QStringLiteral("%1의 정의가 없어 확인하지 않고 보냅니다.").arg(key));
        return;
    }
    const Verdict v = VerdictFor(*definition, message->body);
    if (v.kind == Verdict::Kind::Conforms)
        showCheck(Check::Conforms, QStringLiteral("%1: 정의와 일치합니다.").arg(key));
    else
        showCheck(Check::Differs,
                  QStringLiteral("%1: 정의와 다릅니다: %2 [%3]").arg(key, v.message, v.path));
}

void SendEditor::showCheck(Check check, const QString& text) {
    m_check = check;
    const char* color = check == Check::Conforms       ? "#2e7d32"
                        : check == Check::NoDefinition ? "#a06000"
                                                       : "#c62828";
    m_checkLabel->setStyleSheet(QStringLiteral("color: %1").arg(QLatin1String(color)));
    m_checkLabel->setText(text);
}

QString SendEditor::checkText() const {
    return m_checkLabel->text();
}

} // namespace pravik
