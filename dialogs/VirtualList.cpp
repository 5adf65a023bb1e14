#include "VirtualList.h"

#include <QMouseEvent>

void TVirtualList::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    const bool left = event->button() == Qt::LeftButton;
    QTreeView::mouseDoubleClickEvent(event);
    if (left && index.isValid())
        emit columnDblClick(index.column());
}
