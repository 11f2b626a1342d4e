#pragma once

#include "hsms/LinkRecords.h"

#include <QColor>
#include <QLabel>

namespace pravik {

// The link's state as our users know it (NOT_CONNECTED, NOT_SELECTED,
// SELECTED) behind a coloured dot: red, amber, green. One sits in the
// communication pane, one in the status bar.
class LinkStateMark : public QLabel {
    Q_OBJECT
public:
    explicit LinkStateMark(QWidget* parent = nullptr);

    void setState(LinkState state);
    LinkState state() const { return m_state; }

    static QColor ColorOf(LinkState state);
    // What the state means, for the tooltip.
    static QString Meaning(LinkState state);

private:
    LinkState m_state = LinkState::NotConnected;
};

} // namespace pravik
