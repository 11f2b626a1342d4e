#include "app/LinkStateMark.h"

namespace pravik {

LinkStateMark::LinkStateMark(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("LinkStateMark"));
    setTextFormat(Qt::RichText);
    setState(LinkState::NotConnected);
}

QColor LinkStateMark::ColorOf(LinkState state) {
    switch (state) {
    case LinkState::NotConnected:
        return QColor(0xc6, 0x28, 0x28);
    case LinkState::NotSelected:
        return QColor(0xe0, 0x8a, 0x00);
    case LinkState::Selected:
        return QColor(0x2e, 0x7d, 0x32);
    }
    return QColor(Qt::gray);
}

QString LinkStateMark::Meaning(LinkState state) {
    switch (state) {
    case LinkState::NotConnected:
        return QStringLiteral("연결되어 있지 않습니다.");
    case LinkState::NotSelected:
        return QStringLiteral("연결되었지만 선택되지 않았습니다.");
    case LinkState::Selected:
        return QStringLiteral("선택되었습니다. 메시지를 주고받을 수 있습니다.");
    }
    return QString();
}

void LinkStateMark::setState(LinkState state) {
    m_state = state;
    setText(QStringLiteral("<span style=\"color:%1\">&#9679;</span>&nbsp;%2")
                .arg(ColorOf(state).name(), QLatin1String(LinkStateName(state))));
    setToolTip(QStringLiteral("통신 상태: ") + Meaning(state));
}

} // namespace pravik
