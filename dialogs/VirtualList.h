// The report-mode list of the custom ranges dialog. A double click is reported after the view
// has handled it, so that an edit started from the report is not cancelled by the view's own
// pending single-click edit.
#pragma once

#include <QTreeView>

class TVirtualList : public QTreeView {
    Q_OBJECT
public:
    using QTreeView::QTreeView;

signals:
    void columnDblClick(int column);

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};
