// Check-mark tree view: the mouse-down on a mark selects the node and toggles it.
#include "widgets/checktreeview.h"

#include <QMouseEvent>
#include <QStyledItemDelegate>

class CheckMarkDelegate : public QStyledItemDelegate
{
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QRect MarkRect(const QStyleOptionViewItem& option, const QModelIndex& index,
                   const QWidget* widget) const
    {
        QStyleOptionViewItem opt(option);
        initStyleOption(&opt, index);
        if (!(opt.features & QStyleOptionViewItem::HasCheckIndicator))
            return {};
        const QStyle* style = widget ? widget->style() : opt.widget->style();
        return style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &opt, widget);
    }
};

CheckTreeView::CheckTreeView(QWidget* parent)
    : QTreeView(parent), m_model(new CheckTreeModel(this)), m_delegate(new CheckMarkDelegate(this))
{
    setModel(m_model);
    setItemDelegate(m_delegate);
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAllColumnsShowFocus(true);
}

QRect CheckTreeView::MarkRect(const QModelIndex& index) const
{
    if (!index.isValid())
        return {};
    QStyleOptionViewItem opt;
    initViewItemOption(&opt);
    opt.rect = visualRect(index);
    return m_delegate->MarkRect(opt, index, this);
}

QModelIndex CheckTreeView::MarkAt(const QPoint& pos) const
{
    QModelIndex index = indexAt(pos);
    return MarkRect(index).contains(pos) ? index : QModelIndex();
}

void CheckTreeView::mousePressEvent(QMouseEvent* event)
{
    QTreeView::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    QModelIndex mark = MarkAt(event->position().toPoint());
    if (!mark.isValid())
        return;
    m_lastMarkPress = event->timestamp();
    m_model->ToggleMark(mark);
    emit MarkClicked(mark);
}

void CheckTreeView::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click on a mark is a mouse-down on it like the first; it must
    // not expand or collapse the node. Some platforms send it as a press and a double click with
    // the same time stamp: it counts once.
    QModelIndex mark =
        event->button() == Qt::LeftButton ? MarkAt(event->position().toPoint()) : QModelIndex();
    if (!mark.isValid()) {
        QTreeView::mouseDoubleClickEvent(event);
        return;
    }
    if (event->timestamp() == m_lastMarkPress)
        return;
    m_lastMarkPress = event->timestamp();
    m_model->ToggleMark(mark);
    emit MarkClicked(mark);
}
