#include "CellEditDelegate.h"

#include <QLineEdit>

namespace {
constexpr char kStartText[] = "pagemillStartText";
}

QWidget *CellEditDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                        const QModelIndex &) const
{
    auto *editor = new QLineEdit(parent);
    editor->setObjectName(QStringLiteral("cellEditor"));
    editor->setFrame(false);
    return editor;
}

void CellEditDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *line = qobject_cast<QLineEdit *>(editor);
    if (!line)
        return;
    const QString text = index.data(Qt::EditRole).toString();
    // The view hands the data over again when the row repaints; the start text stays the first.
    if (!line->property(kStartText).isValid())
        line->setProperty(kStartText, text);
    line->setText(text);
}

void CellEditDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    auto *line = qobject_cast<QLineEdit *>(editor);
    if (!line || line->text() == line->property(kStartText).toString())
        return;
    model->setData(index, line->text(), Qt::EditRole);
}
