#include "editing/FieldRules.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

#include <QKeyEvent>
#include <QLineEdit>
#include <QVariant>
#include <algorithm>

namespace pravik {

namespace {
const char* const kTextBeforeEdit = "pravikTextBeforeEdit";
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
    // The text before each user edit, so that only what the edit brought in
    // is filtered: brackets read from a file stay until the user removes them.
    // Taken from the field itself, since textChanged may carry a text that a
    // handler of textEdited has already replaced.
    edit->setProperty(kTextBeforeEdit, edit->text());
    QObject::connect(edit, &QLineEdit::textChanged, edit,
                     [edit] { edit->setProperty(kTextBeforeEdit, edit->text()); });
    // textEdited fires for every change the user makes (typing, pasting,
    // dropping, undo) and never for the program's own setText.
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
        const QString before = edit->property(kTextBeforeEdit).toString();
        // The inserted part lies between what the texts share at both ends.
        qsizetype head = 0;
        while (head < before.size() && head < text.size() && before[head] == text[head])
            ++head;
        qsizetype tail = 0;
        while (tail < before.size() - head && tail < text.size() - head &&
               before[before.size() - 1 - tail] == text[text.size() - 1 - tail])
            ++tail;
        const QString inserted = text.mid(head, text.size() - head - tail);
        if (!inserted.contains(u'<') && !inserted.contains(u'>'))
            return;
        const qsizetype cursor = edit->cursorPosition();
        // Brackets removed in front of the caret move it back.
        const QString beforeCaret =
            inserted.left(std::clamp<qsizetype>(cursor - head, 0, inserted.size()));
        const qsizetype removedBefore = beforeCaret.count(u'<') + beforeCaret.count(u'>');
        edit->setText(text.left(head) + FieldRules::WithoutAngleBrackets(inserted) +
                      text.right(tail));
        edit->setCursorPosition(static_cast<int>(cursor - removedBefore));
    });
}

void InstallNumberRules(QLineEdit* edit, int limit) {
    edit->setMaxLength(limit);
    edit->installEventFilter(new KeyFilter(KeyFilter::Kind::Number, edit));
}

} // namespace pravik
