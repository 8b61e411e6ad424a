#include "ui/ListModel.h"

int ListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(std::min<size_t>(m_rows.size(), INT32_MAX));
}

int ListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_titles.size());
}

QVariant ListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Row& r = m_rows[static_cast<size_t>(index.row())];
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        if (index.column() == 0)
            return r.text;
        const qsizetype k = index.column() - 1;
        return k < r.subItems.size() ? r.subItems[k] : QString();
    }
    if (role == Qt::CheckStateRole && index.column() == 0)
        return r.checked ? Qt::Checked : Qt::Unchecked;
    return {};
}

bool ListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::CheckStateRole || index.column() != 0)
        return false;
    setChecked(index.row(), value.toInt() == Qt::Checked);
    return true;
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < m_titles.size())
        return m_titles[section];
    return {};
}

Qt::ItemFlags ListModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (index.column() == 0)
        result |= Qt::ItemIsUserCheckable;
    return result;
}

void ListModel::addColumn(const QString& title) {
    const int column = static_cast<int>(m_titles.size());
    beginInsertColumns({}, column, column);
    m_titles << title;
    endInsertColumns();
}

void ListModel::appendRows(const QStringList& texts) {
    if (texts.isEmpty())
        return;
    const int first = rowCount();
    beginInsertRows({}, first, first + static_cast<int>(texts.size()) - 1);
    // Grow by at least half, so that adding rows one at a time stays linear over the whole list.
    const size_t needed = m_rows.size() + static_cast<size_t>(texts.size());
    if (needed > m_rows.capacity())
        m_rows.reserve(std::max(needed, m_rows.capacity() + m_rows.capacity() / 2));
    for (const QString& text : texts)
        m_rows.push_back(Row{text, {}, false});
    endInsertRows();
}

void ListModel::removeRowAt(qsizetype row) {
    beginRemoveRows({}, static_cast<int>(row), static_cast<int>(row));
    m_rows.erase(m_rows.begin() + row);
    endRemoveRows();
}

void ListModel::clearRows() {
    beginResetModel();
    m_rows.clear();
    m_rows.shrink_to_fit();
    endResetModel();
}

void ListModel::setSubItem(qsizetype row, qsizetype k, const QString& text) {
    QStringList& subItems = m_rows[static_cast<size_t>(row)].subItems;
    while (subItems.size() < k)
        subItems << QString();
    subItems[k - 1] = text;
    const QModelIndex cell = index(static_cast<int>(row), static_cast<int>(k));
    emit dataChanged(cell, cell, {Qt::DisplayRole});
}

void ListModel::setChecked(qsizetype row, bool checked) {
    m_rows[static_cast<size_t>(row)].checked = checked;
    const QModelIndex cell = index(static_cast<int>(row), 0);
    emit dataChanged(cell, cell, {Qt::CheckStateRole});
}
