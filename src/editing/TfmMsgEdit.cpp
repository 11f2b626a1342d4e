#include "editing/TfmMsgEdit.h"

#include "document/NodeHeader.h"
#include "editing/FieldRules.h"
#include "gui/AnsiField.h"
#include "platform/AnsiText.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace pravik {

namespace {
QLineEdit* LabelledEdit(QVBoxLayout* layout, const QString& caption, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    auto* edit = new QLineEdit(parent);
    label->setBuddy(edit);
    layout->addWidget(label);
    layout->addWidget(edit);
    return edit;
}
} // namespace

TfmMsgEdit::TfmMsgEdit(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Message"));
    setObjectName(QStringLiteral("fmMsgEdit"));

    auto* layout = new QVBoxLayout(this);
    auto* numbers = new QHBoxLayout;
    auto* streamBox = new QVBoxLayout;
    auto* functionBox = new QVBoxLayout;
    numbers->addLayout(streamBox);
    numbers->addLayout(functionBox);
    layout->addLayout(numbers);

    lStream = LabelledEdit(streamBox, QStringLiteral("Stream"), this);
    lStream->setObjectName(QStringLiteral("lStream"));
    InstallNumberRules(lStream, kNumberLimit);
    lFunction = LabelledEdit(functionBox, QStringLiteral("Function"), this);
    lFunction->setObjectName(QStringLiteral("lFunction"));
    InstallNumberRules(lFunction, kNumberLimit);

    rMsgType = new QGroupBox(QStringLiteral("Message Type"), this);
    rMsgType->setObjectName(QStringLiteral("rMsgType"));
    auto* typeLayout = new QVBoxLayout(rMsgType);
    m_msgTypes = new QButtonGroup(this);
    const QString choices[] = {QStringLiteral("Primary Message"),
                               QStringLiteral("Secondary Message"),
                               QStringLiteral("Need no reply")};
    for (int i = 0; i < kMessageTypeCount; ++i) {
        auto* button = new QRadioButton(choices[i], rMsgType);
        typeLayout->addWidget(button);
        m_msgTypes->addButton(button, i);
    }
    layout->addWidget(rMsgType);

    auto* descBox = new QVBoxLayout;
    layout->addLayout(descBox);
    lMsgDesc = LabelledEdit(descBox, QStringLiteral("Message Description"), this);
    lMsgDesc->setObjectName(QStringLiteral("lMsgDesc"));
    InstallDescriptionRules(lMsgDesc);

    FieldRules::AddOkCancelRow(this, layout, btnOk, btnCancel);
    layout->setSizeConstraint(QLayout::SetFixedSize); // a fixed dialog border

    connect(lFunction, &QLineEdit::textChanged, this, [this] { lFunctionChange(); });

    setTabOrder(lStream, lFunction);
    setTabOrder(lFunction, m_msgTypes->button(0));
    setTabOrder(m_msgTypes->button(0), lMsgDesc);
    setTabOrder(lMsgDesc, btnOk);
    setTabOrder(btnOk, btnCancel);

    setMsgTypeIndex(0);
}

int TfmMsgEdit::msgTypeIndex() const {
    return m_msgTypes->checkedId();
}

void TfmMsgEdit::setMsgTypeIndex(int index) {
    FieldRules::SetCheckedIndex(m_msgTypes, index);
}

void TfmMsgEdit::lFunctionChange() {
    // Odd functions are primary messages, even ones their replies. The
    // truncating remainder gives -1 (no choice) for some negative numbers.
    const qint64 f = ParseDecimal(AnsiText::Encode(lFunction->text()), 0);
    setMsgTypeIndex(static_cast<int>((f + 1) % 2));
}

void TfmMsgEdit::FormShow() {
    if (!m_editMode) {
        FieldRules::ResetLimit(lStream, kNumberLimit);
        FieldRules::ResetLimit(lFunction, kNumberLimit);
        lStream->setText(QStringLiteral("1"));
        lFunction->setText(QStringLiteral("1"));
        setMsgTypeIndex(0);
        AnsiField::SetText(lMsgDesc, {});
    }
    lStream->setFocus(Qt::OtherFocusReason);
}

void TfmMsgEdit::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TfmMsgEdit::prefill(const QByteArray& text) {
    const NodeHeader header = NodeHeader::Read(text, NodeKind::Message);
    FieldRules::SetLimitedText(lStream, QString::number(header.stream()), kNumberLimit);
    // Setting the function proposes a type; the text's own type decides below.
    FieldRules::SetLimitedText(lFunction, QString::number(header.function()), kNumberLimit);
    setMsgTypeIndex(-1);
    setMsgTypeIndex(header.messageType);
    AnsiField::SetText(lMsgDesc, header.messageDescription.toByteArray());
}

MessageFields TfmMsgEdit::fields() const {
    MessageFields f;
    f.stream = AnsiText::Encode(lStream->text());
    f.function = AnsiText::Encode(lFunction->text());
    f.messageType = msgTypeIndex();
    f.description = AnsiField::Bytes(lMsgDesc);
    return f;
}

} // namespace pravik
