#include "ui/SidebarDelegate.h"

#include <QPainter>

namespace {

constexpr int bandInset = 8;   // from the sidebar's edges to the selection band
constexpr int bandPadding = 8; // from the band's edge to the symbol
constexpr int iconGap = 8;     // from the symbol to the text
constexpr qreal bandRadius = 6;

} // namespace

void SidebarDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const bool selected = item.state.testFlag(QStyle::State_Selected);
    const QPalette::ColorGroup group =
        item.state.testFlag(QStyle::State_Active) ? QPalette::Active : QPalette::Inactive;
    const QRect band = item.rect.adjusted(bandInset, 1, -bandInset, -1);

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    if (selected) {
        painter->setPen(Qt::NoPen);
        painter->setBrush(item.palette.brush(group, QPalette::Highlight));
        painter->drawRoundedRect(band, bandRadius, bandRadius);
    }
    const QRect icon(band.left() + bandPadding, band.center().y() - iconSide / 2 + 1, iconSide,
                     iconSide);
    item.icon.paint(painter, icon, Qt::AlignCenter, selected ? QIcon::Selected : QIcon::Normal);
    const QRect text = band.adjusted(bandPadding + iconSide + iconGap, 0, -bandPadding, 0);
    painter->setFont(item.font);
    painter->setPen(
        item.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(text, Qt::AlignVCenter | Qt::AlignLeft,
                      item.fontMetrics.elidedText(item.text, Qt::ElideRight, text.width()));
    painter->restore();
}

QSize SidebarDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    return {QStyledItemDelegate::sizeHint(option, index).width(), rowHeight};
}
