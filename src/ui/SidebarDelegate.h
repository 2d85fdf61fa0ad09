#pragma once

#include <QStyledItemDelegate>

// Draws a sidebar row as a desktop sidebar does: symbol then text, the
// selection a rounded band inset from the sidebar's edges.
class SidebarDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    static constexpr int rowHeight = 28;
    static constexpr int iconSide = 16;
};
