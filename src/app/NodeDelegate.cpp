#include "app/NodeDelegate.h"

#include "document/SmlDocument.h"

#include <QPalette>

namespace pravik {

namespace {

// Rendered once: a plain pixmap icon draws faster than the SVG engine for
// every visible row.
QIcon Rendered(const QString& resource) {
    QIcon svg(resource);
    QIcon icon;
    icon.addPixmap(svg.pixmap(QSize(16, 16)));
    return icon;
}

} // namespace

NodeDelegate::NodeDelegate(QObject* parent) : QStyledItemDelegate(parent) {
    static const char* const kNames[6] = {"tree-message",    "tree-list",
                                          "tree-item",       "tree-message-error",
                                          "tree-list-error", "tree-item-error"};
    for (int i = 0; i < 6; ++i)
        m_icons[static_cast<size_t>(i)] =
            Rendered(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(kNames[i])));
}

const QIcon& NodeDelegate::nodeIcon(int imageIndex) const {
    if (imageIndex < 0 || imageIndex >= 6)
        return m_none;
    return m_icons[static_cast<size_t>(imageIndex)];
}

void NodeDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    const QIcon& icon = nodeIcon(index.data(SmlDocument::ImageIndexRole).toInt());
    if (!icon.isNull()) {
        option->icon = icon;
        option->features |= QStyleOptionViewItem::HasDecoration;
        option->decorationSize = QSize(16, 16);
    }
    if (index.data(SmlDocument::CutRole).toBool()) {
        const QColor grey = option->palette.color(QPalette::Disabled, QPalette::Text);
        option->palette.setColor(QPalette::Text, grey);
        option->palette.setColor(QPalette::HighlightedText, grey);
    }
}

} // namespace pravik
