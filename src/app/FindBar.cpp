#include "app/FindBar.h"

#include "document/NodeSearch.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace pravik {

FindBar::FindBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FindBar"));
    // Two rows, so that the bar fits the narrowest tree: the text with the
    // close button, then the buttons and the case switch.
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(4, 2, 2, 2);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);

    auto* label = new QLabel(QStringLiteral("찾기:"), this);
    m_field = new QLineEdit(this);
    m_field->setObjectName(QStringLiteral("FindText"));
    m_field->setClearButtonEnabled(true);
    m_field->setPlaceholderText(QStringLiteral("텍스트 또는 S6F11"));
    label->setBuddy(m_field);
    m_field->installEventFilter(this);
    // Room for twenty characters at least.
    m_field->setMinimumWidth(m_field->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 20 +
                             m_field->sizeHint().height());

    m_next = new QPushButton(QStringLiteral("다음"), this);
    m_next->setObjectName(QStringLiteral("FindNext"));
    m_next->setToolTip(QStringLiteral("다음 아이템을 찾습니다. (F3)"));
    m_previous = new QPushButton(QStringLiteral("이전"), this);
    m_previous->setObjectName(QStringLiteral("FindPrevious"));
    m_previous->setToolTip(QStringLiteral("이전 아이템을 찾습니다. (Shift + F3)"));
    for (QPushButton* b : {m_next, m_previous}) {
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::TabFocus);
        // As wide as their words, not the style's wide default.
        b->setMinimumWidth(b->fontMetrics().horizontalAdvance(b->text()) + 24);
        b->setMaximumWidth(b->minimumWidth() + 24);
    }
    m_case = new QCheckBox(QStringLiteral("대소문자 구분"), this);
    m_case->setObjectName(QStringLiteral("FindCaseSensitive"));
    m_close = new QToolButton(this);
    m_close->setObjectName(QStringLiteral("FindClose"));
    m_close->setText(QStringLiteral("✕"));
    m_close->setAutoRaise(true);
    m_close->setToolTip(QStringLiteral("닫기 (Esc)"));

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(4);
    buttons->addWidget(m_next);
    buttons->addWidget(m_previous);
    buttons->addWidget(m_case);
    buttons->addStretch(1);
    grid->addWidget(label, 0, 0);
    grid->addWidget(m_field, 0, 1);
    grid->addWidget(m_close, 0, 2);
    grid->addLayout(buttons, 1, 1, 1, 2);
    grid->setColumnStretch(1, 1);

    connect(m_next, &QPushButton::clicked, this, [this] { emit findRequested(false); });
    connect(m_previous, &QPushButton::clicked, this, [this] { emit findRequested(true); });
    connect(m_close, &QToolButton::clicked, this, &FindBar::close);
    setVisible(false);
}

QString FindBar::query() const {
    return m_field->text();
}

bool FindBar::caseSensitive() const {
    return m_case->isChecked();
}

void FindBar::open() {
    setVisible(true);
    m_field->setFocus(Qt::ShortcutFocusReason);
    m_field->selectAll();
}

FindBar::Found FindBar::findNext(const SmlDocument& doc, const SmlNode* from, bool backward) {
    if (!isVisible() || query().isEmpty()) {
        open();
        if (query().isEmpty())
            return {};
    }
    const NodeSearch search(query(), caseSensitive());
    const NodeSearch::Result result = search.find(doc, from, backward);
    if (!result.node)
        return {nullptr, QStringLiteral("'%1'을(를) 찾을 수 없습니다.").arg(query())};
    if (!result.wrapped)
        return {result.node, {}};
    return {result.node, backward ? QStringLiteral("끝에서부터 다시 찾았습니다.")
                                  : QStringLiteral("처음부터 다시 찾았습니다.")};
}

void FindBar::close() {
    setVisible(false);
    emit closed();
}

void FindBar::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool FindBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_field && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            emit findRequested(key->modifiers() & Qt::ShiftModifier);
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            close();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace pravik
