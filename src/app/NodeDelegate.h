#pragma once

#include <QIcon>
#include <QStyledItemDelegate>
#include <array>

namespace pravik {

// Draws a document node: one of the six icons by its image (its kind, or
// the kind marked in error by the structure check), and the greyed look
// while it waits to be pasted after a cut. The document model
// stays free of QtGui; only this delegate turns its roles into pictures.
class NodeDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit NodeDelegate(QObject* parent = nullptr);

    // The icon for an image value (0 to 5); a null icon outside.
    const QIcon& nodeIcon(int imageIndex) const;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    std::array<QIcon, 6> m_icons;
    QIcon m_none;
};

} // namespace pravik
