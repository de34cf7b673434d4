#include "stepweave/sequencer/ui/elided_name_tips.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QToolTip>

namespace stepweave {

QStyleOptionViewItem ElidedNameTips::Fitted(const QStyleOptionViewItem& option) {
    QStyleOptionViewItem fitted = option;
    if (const auto* view = qobject_cast<const QAbstractItemView*>(option.widget)) {
        fitted.rect.setRight(std::min(fitted.rect.right(), view->viewport()->rect().right()));
    }
    return fitted;
}

void ElidedNameTips::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QStyledItemDelegate::paint(painter, Fitted(option), index);
}

// The text's room as the style lays the entry out, less the margins the
// style keeps on both sides of the text when drawing it.
bool ElidedNameTips::CutShort(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QStyleOptionViewItem item = Fitted(option);
    initStyleOption(&item, index);
    const QWidget* widget = item.widget;
    const QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const int room = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget).width() - 2 * margin;
    return item.fontMetrics.horizontalAdvance(item.text) > room;
}

bool ElidedNameTips::helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                               const QModelIndex& index) {
    if (event->type() == QEvent::ToolTip && index.isValid() && CutShort(option, index)) {
        QToolTip::showText(event->globalPos(), index.data(Qt::DisplayRole).toString(), view->viewport(), option.rect);
        return true;
    }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}

}  // namespace stepweave
