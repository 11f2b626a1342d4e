#include "editing/TfmItemEdit.h"

#include "document/ItemTypes.h"
#include "document/NodeHeader.h"
#include "editing/FieldRules.h"
#include "gui/AnsiField.h"
#include "platform/AnsiText.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace pravik {

namespace {
constexpr int kColumns = 4;
} // namespace

TfmItemEdit::TfmItemEdit(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Item"));
    setObjectName(QStringLiteral("fmItemEdit"));
    auto* layout = new QVBoxLayout(this);
    createTypeGroup(layout);
    createFields(layout);
    FieldRules::AddOkCancelRow(this, layout, btnOk, btnCancel);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    lItemLength->installEventFilter(this);
    cLengthNotFixed->installEventFilter(this);
    lItemDesc->installEventFilter(this);

    // clicked comes from the user only (mouse or space), not from setChecked.
    connect(cLengthNotFixed, &QCheckBox::clicked, this, [this] { cLengthNotFixedClick(); });

    setTabOrder(m_itemTypes->button(0), lItemLength);
    setTabOrder(lItemLength, cLengthNotFixed);
    setTabOrder(cLengthNotFixed, lItemDesc);
    setTabOrder(lItemDesc, btnOk);
    setTabOrder(btnOk, btnCancel);

    setItemTypeIndex(0);
    lItemLength->setText(QStringLiteral("0"));
}

void TfmItemEdit::createTypeGroup(QVBoxLayout* layout) {
    rItemType = new QGroupBox(QStringLiteral("Item Type"), this);
    rItemType->setObjectName(QStringLiteral("rItemType"));
    auto* grid = new QGridLayout(rItemType);
    m_itemTypes = new QButtonGroup(this);
    // Filled column by column, like a radio group with four columns.
    const int rows = (ItemTypes::kCount + kColumns - 1) / kColumns;
    for (const ItemType& type : ItemTypes::all()) {
        const int i = type.index;
        auto* button = new QRadioButton(QString::fromLatin1(type.caption), rItemType);
        grid->addWidget(button, i % rows, i / rows);
        m_itemTypes->addButton(button, i);
        button->installEventFilter(this);
    }
    layout->addWidget(rItemType);
}

void TfmItemEdit::createFields(QVBoxLayout* layout) {
    auto* lengthRow = new QHBoxLayout;
    auto* lengthBox = new QVBoxLayout;
    auto* lengthLabel = new QLabel(QStringLiteral("Length"), this);
    lItemLength = new QLineEdit(this);
    lItemLength->setObjectName(QStringLiteral("lItemLength"));
    lengthLabel->setBuddy(lItemLength);
    lengthBox->addWidget(lengthLabel);
    lengthBox->addWidget(lItemLength);
    lengthRow->addLayout(lengthBox);
    InstallNumberRules(lItemLength, kLengthLimit);
    cLengthNotFixed = new QCheckBox(QStringLiteral("Not fixed"), this);
    cLengthNotFixed->setObjectName(QStringLiteral("cLengthNotFixed"));
    lengthRow->addWidget(cLengthNotFixed, 0, Qt::AlignBottom);
    lengthRow->addStretch();
    layout->addLayout(lengthRow);

    auto* descLabel = new QLabel(QStringLiteral("Description"), this);
    lItemDesc = new QLineEdit(this);
    lItemDesc->setObjectName(QStringLiteral("lItemDesc"));
    descLabel->setBuddy(lItemDesc);
    layout->addWidget(descLabel);
    layout->addWidget(lItemDesc);
    InstallDescriptionRules(lItemDesc);
}

int TfmItemEdit::itemTypeIndex() const {
    return m_itemTypes->checkedId();
}

void TfmItemEdit::setItemTypeIndex(int index) {
    FieldRules::SetCheckedIndex(m_itemTypes, index);
}

void TfmItemEdit::applyNotFixed(bool notFixed) {
    FieldRules::ResetLimit(lItemLength, kLengthLimit);
    // The length held before the box was ticked is not restored.
    lItemLength->setText(notFixed ? QStringLiteral("n") : QStringLiteral("0"));
    lItemLength->setEnabled(!notFixed);
}

void TfmItemEdit::cLengthNotFixedClick() {
    applyNotFixed(cLengthNotFixed->isChecked());
}

void TfmItemEdit::rItemTypeExit() {
    if (itemTypeIndex() == 0)
        return; // a list may count 0 children
    const QString length = lItemLength->text();
    if (length == QStringLiteral("n"))
        return;
    if (ParseDecimal(AnsiText::Encode(length), 0) == 0)
        lItemLength->setText(QStringLiteral("1"));
}

void TfmItemEdit::done(int result) {
    // OK by Enter leaves the focus where it is; the minimum length holds all
    // the same.
    if (result == QDialog::Accepted)
        rItemTypeExit();
    QDialog::done(result);
}

bool TfmItemEdit::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        // Only a move of the focus inside the dialog counts; a context menu
        // or a switch to another window leaves the fields alone.
        // Moving between the type choices does not leave the type group.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        QWidget* next = QApplication::focusWidget();
        const bool withinTypes =
            watched->parent() == rItemType && next && next->parentWidget() == rItemType;
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason && !withinTypes)
            rItemTypeExit();
    } else if (event->type() == QEvent::KeyPress && watched == cLengthNotFixed) {
        // Any character key on the box applies the rule for its current
        // state; a toggle by the space bar then runs the click rule.
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (!text.isEmpty() && text.at(0).unicode() >= 32)
            applyNotFixed(cLengthNotFixed->isChecked());
    }
    return QDialog::eventFilter(watched, event);
}

void TfmItemEdit::FormShow() {
    if (!m_editMode) {
        setItemTypeIndex(0);
        FieldRules::ResetLimit(lItemLength, kLengthLimit);
        lItemLength->setText(QStringLiteral("0"));
        lItemLength->setEnabled(true);
        cLengthNotFixed->setChecked(false);
        AnsiField::SetText(lItemDesc, {});
    }
    QAbstractButton* chosen = m_itemTypes->checkedButton();
    (chosen ? chosen : m_itemTypes->button(0))->setFocus(Qt::OtherFocusReason);
}

void TfmItemEdit::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TfmItemEdit::prefill(const QByteArray& text) {
    const NodeHeader header = NodeHeader::Read(text, NodeKind::Item);
    // Unknown codes show as a list.
    setItemTypeIndex(header.type ? header.type->index : ItemTypes::kListIndex);

    // Length, box and enabling are set together; the box's click rule does
    // not run for a programmatic change.
    const bool notFixed = header.variableLength;
    const QString shown = notFixed ? QStringLiteral("n") : QString::number(header.lengthValue);
    FieldRules::SetLimitedText(lItemLength, shown, kLengthLimit);
    lItemLength->setEnabled(!notFixed);
    cLengthNotFixed->setChecked(notFixed);
    AnsiField::SetText(lItemDesc, header.description.toByteArray());
}

ItemFields TfmItemEdit::fields() const {
    ItemFields f;
    f.itemType = itemTypeIndex();
    f.length = AnsiText::Encode(lItemLength->text());
    f.lengthNotFixed = cLengthNotFixed->isChecked();
    f.description = AnsiField::Bytes(lItemDesc);
    return f;
}

} // namespace pravik
