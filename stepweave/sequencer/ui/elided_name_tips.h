#pragma once
// How the pattern library and the play list draw their names: a name too long
// for the list's column is cut short with an ellipsis at the column's edge
// (the list lays its entries out as wide as the longest name, which would
// only be clipped), and when the pointer rests on it the whole name shows as
// a tooltip. Names that fit show the list's own tooltip, if it has one.
#include <QStyledItemDelegate>

namespace stepweave {

class ElidedNameTips : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

private:
    // The entry's place, ending at the list's visible edge.
    static QStyleOptionViewItem Fitted(const QStyleOptionViewItem& option);
    // Whether the entry's name is drawn cut short there.
    bool CutShort(const QStyleOptionViewItem& option, const QModelIndex& index) const;
};

}  // namespace stepweave
