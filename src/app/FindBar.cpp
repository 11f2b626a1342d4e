#include "app/FindBar.h"

#include "document/NodeSearch.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace pravik {

FindBar::FindBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FindBar"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 2, 2, 2);
    row->setSpacing(4);

    auto* label = new QLabel(QStringLiteral("찾기:"), this);
    m_field = new QLineEdit(this);
    m_field->setObjectName(QStringLiteral("FindText"));
    m_field->setClearButtonEnabled(true);
    m_field->setPlaceholderText(QStringLiteral("텍스트 또는 S6F11"));
    label->setBuddy(m_field);
    m_field->installEventFilter(this);

    m_next = new QPushButton(QStringLiteral("다음"), this);
    m_next->setObjectName(QStringLiteral("FindNext"));
    m_next->setToolTip(QStringLiteral("다음 아이템을 찾습니다. (F3)"));
    m_previous = new QPushButton(QStringLiteral("이전"), this);
    m_previous->setObjectName(QStringLiteral("FindPrevious"));
    m_previous->setToolTip(QStringLiteral("이전 아이템을 찾습니다. (Shift + F3)"));
    for (QPushButton* b : {m_next, m_previous}) {
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::TabFocus);
    }
    m_case = new QCheckBox(QStringLiteral("대소문자 구분"), this);
    m_case->setObjectName(QStringLiteral("FindCaseSensitive"));
    m_close = new QToolButton(this);
    m_close->setObjectName(QStringLiteral("FindClose"));
    m_close->setText(QStringLiteral("✕"));
    m_close->setAutoRaise(true);
    m_close->setToolTip(QStringLiteral("닫기 (Esc)"));

    row->addWidget(label);
    row->addWidget(m_field, 1);
    row->addWidget(m_next);
    row->addWidget(m_previous);
    row->addWidget(m_case);
    row->addWidget(m_close);

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
