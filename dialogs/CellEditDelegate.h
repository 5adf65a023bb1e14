// In-place editing of the custom ranges list. A commit reaches the model only when the editor's
// text differs from the cell's text at the start of the edit, so an untouched edit changes and
// shows nothing.
#pragma once

#include <QStyledItemDelegate>

class CellEditDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
};
