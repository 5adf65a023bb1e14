#include "CustomItemList.h"

#include <algorithm>

CustomItemList::CustomItemList(QObject *parent) : QAbstractTableModel(parent) {}

int CustomItemList::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

int CustomItemList::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant CustomItemList::data(const QModelIndex &index, int role) const
{
    const CustomPDFItemInfo *entry = item(index.row());
    if (!entry || !index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return m_getText ? m_getText(*entry, index.column()) : QString();
}

bool CustomItemList::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !item(index.row()))
        return false;
    if (m_newText)
        m_newText(index.row(), index.column(), value.toString());
    return true;
}

QVariant CustomItemList::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    if (section == 0)
        return QStringLiteral("File Name");
    if (section == 1)
        return QStringLiteral("Range(e.g.1,3,5,7-10)");
    return {};
}

Qt::ItemFlags CustomItemList::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemNeverHasChildren;
}

CustomPDFItemInfo *CustomItemList::item(int row) const
{
    if (row < 0 || row >= count())
        return nullptr;
    return m_rows[static_cast<size_t>(row)].get();
}

void CustomItemList::append(const CustomPDFItemInfo &entry)
{
    const int row = count();
    beginInsertRows({}, row, row);
    m_rows.push_back(std::make_unique<CustomPDFItemInfo>(entry));
    endInsertRows();
}

void CustomItemList::removeRowsAt(std::vector<int> rows)
{
    std::sort(rows.begin(), rows.end(), std::greater<>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (const int row : rows) {
        if (row < 0 || row >= count())
            continue;
        beginRemoveRows({}, row, row);
        m_rows.erase(m_rows.begin() + row);
        endRemoveRows();
    }
}

void CustomItemList::removeAll()
{
    if (m_rows.empty())
        return;
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

void CustomItemList::rowChanged(int row)
{
    if (item(row))
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}
