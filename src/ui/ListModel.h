#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>
#include <vector>

// Rows of a list control: a main text, sub-item texts and a check mark, in one contiguous vector.
class ListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Row {
        QString text;
        QStringList subItems;
        bool checked = false;
    };

    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void addColumn(const QString& title);
    const QStringList& titles() const { return m_titles; }
    void appendRows(const QStringList& texts);
    void removeRowAt(qsizetype row);
    void clearRows();
    const Row& row(qsizetype row) const { return m_rows[static_cast<size_t>(row)]; }
    qsizetype size() const { return static_cast<qsizetype>(m_rows.size()); }
    void setSubItem(qsizetype row, qsizetype k, const QString& text);
    void setChecked(qsizetype row, bool checked);

private:
    QStringList m_titles;
    std::vector<Row> m_rows;
};
