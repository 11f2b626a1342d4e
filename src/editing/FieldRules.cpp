#include "editing/FieldRules.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

#include "platform/AnsiText.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QVariant>

namespace pravik {

namespace {
const char* const kOriginalBytes = "pravikOriginalBytes";
const char* const kOriginalText = "pravikOriginalText";
} // namespace

namespace FieldRules {

bool NumberFieldAccepts(QChar c) {
    const char16_t u = c.unicode();
    if (u < 32 || u >= 128)
        return true;
    return u >= '0' && u <= '9';
}

bool DescriptionAccepts(QChar c) {
    return c != u'<' && c != u'>';
}

QString WithoutAngleBrackets(QString text) {
    text.remove(u'<');
    text.remove(u'>');
    return text;
}

void SetLimitedText(QLineEdit* edit, const QString& text, int usualLimit) {
    edit->setMaxLength(std::max<int>(usualLimit, static_cast<int>(text.size())));
    edit->setText(text);
}

void ResetLimit(QLineEdit* edit, int usualLimit) {
    if (edit->maxLength() != usualLimit)
        edit->setMaxLength(usualLimit);
}

void SetAnsiText(QLineEdit* edit, const QByteArray& bytes) {
    const QString text = AnsiText::Decode(bytes);
    edit->setText(text);
    edit->setProperty(kOriginalBytes, bytes);
    edit->setProperty(kOriginalText, text);
}

QByteArray AnsiBytes(const QLineEdit* edit) {
    const QVariant original = edit->property(kOriginalText);
    if (original.isValid() && original.toString() == edit->text())
        return edit->property(kOriginalBytes).toByteArray();
    return AnsiText::Encode(edit->text());
}

void SetCheckedIndex(QButtonGroup* group, int index) {
    if (QAbstractButton* button = group->button(index)) {
        button->setChecked(true);
        return;
    }
    group->setExclusive(false);
    for (QAbstractButton* b : group->buttons())
        b->setChecked(false);
    group->setExclusive(true);
}

void AddOkCancelRow(QDialog* dialog, QBoxLayout* layout, QPushButton*& ok, QPushButton*& cancel) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    ok = new QPushButton(QStringLiteral("OK"), dialog);
    ok->setObjectName(QStringLiteral("btnOk"));
    ok->setDefault(true);
    cancel = new QPushButton(QStringLiteral("Cancel"), dialog);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    row->addWidget(ok);
    row->addWidget(cancel);
    layout->addLayout(row);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
}

} // namespace FieldRules

bool KeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        return false;
    for (QChar c : key->text()) {
        const bool accepted = m_kind == Kind::Number ? FieldRules::NumberFieldAccepts(c)
                                                     : FieldRules::DescriptionAccepts(c);
        if (!accepted)
            return true; // swallowed: the field never sees it
    }
    return false;
}

void InstallDescriptionRules(QLineEdit* edit) {
    edit->installEventFilter(new KeyFilter(KeyFilter::Kind::Description, edit));
    // textEdited fires for every change the user makes (typing, pasting,
    // dropping, undo) and never for the program's own setText.
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
        if (!text.contains(u'<') && !text.contains(u'>'))
            return;
        const int cursor = edit->cursorPosition();
        const int removedBefore =
            static_cast<int>(text.left(cursor).count(u'<') + text.left(cursor).count(u'>'));
        edit->setText(FieldRules::WithoutAngleBrackets(text));
        edit->setCursorPosition(cursor - removedBefore);
    });
}

void InstallNumberRules(QLineEdit* edit, int limit) {
    edit->setMaxLength(limit);
    edit->installEventFilter(new KeyFilter(KeyFilter::Kind::Number, edit));
}

} // namespace pravik
