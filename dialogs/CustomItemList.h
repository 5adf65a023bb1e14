// The rows of the custom ranges list. Each row owns one working copy of a custom output; the
// model keeps no text of its own and asks its text function for every cell when it is drawn.
#pragma once

#include "Data_unit1.h"

#include <QAbstractTableModel>

#include <functional>
#include <memory>
#include <vector>

class CustomItemList : public QAbstractTableModel {
    Q_OBJECT
public:
    using TextFunction = std::function<QString(const CustomPDFItemInfo &item, int column)>;
    // Called with the edited row and column and the editor's text when an edit is committed.
    using NewTextFunction = std::function<void(int row, int column, const QString &text)>;

    explicit CustomItemList(QObject *parent = nullptr);

    void setTextFunction(TextFunction function) { m_getText = std::move(function); }
    void setNewTextFunction(NewTextFunction function) { m_newText = std::move(function); }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    CustomPDFItemInfo *item(int row) const;
    int count() const { return static_cast<int>(m_rows.size()); }

    void append(const CustomPDFItemInfo &item);
    // Rows in any order; each is removed once.
    void removeRowsAt(std::vector<int> rows);
    void removeAll();
    // Repaints the cells of row after its entry changed.
    void rowChanged(int row);

private:
    std::vector<std::unique_ptr<CustomPDFItemInfo>> m_rows;
    TextFunction m_getText;
    NewTextFunction m_newText;
};
