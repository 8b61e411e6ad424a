// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ListModel.h"

QModelIndex ListModel::index(int row, int column, const QModelIndex& parent) const {
    // The view asks for every row when it lays out the list: the bounds checked here, without virtual calls.
    if (parent.isValid() || row < 0 || column < 0 || row >= static_cast<qsizetype>(m_spans.size()) ||
        column >= m_titles.size())
        return {};
    return createIndex(row, column);
}

int ListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(std::min<size_t>(m_spans.size(), INT32_MAX));
}

int ListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_titles.size());
}

QVariant ListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const qsizetype row = index.row();
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        if (index.column() == 0) {
            const TextSpan& span = m_spans[static_cast<size_t>(row)];
            return WordLimit::shown(QStringView(m_pool).sliced(span.offset, span.length), kLongestShown);
        }
        const QStringList& items = subItems(row);
        const qsizetype k = index.column() - 1;
        return k < items.size() ? WordLimit::shown(items[k], kLongestShown) : QString();
    }
    if (role == Qt::CheckStateRole && index.column() == 0)
        return checked(row) ? Qt::Checked : Qt::Unchecked;
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

void ListModel::beginAppend(qsizetype count) {
    const int first = rowCount();
    beginInsertRows({}, first, first + static_cast<int>(count) - 1);
    // Grow by at least half, so that adding rows one at a time stays linear over the whole list.
    const size_t needed = m_spans.size() + static_cast<size_t>(count);
    if (needed > m_spans.capacity())
        m_spans.reserve(std::max(needed, m_spans.capacity() + m_spans.capacity() / 2));
}

void ListModel::appendRows(const QStringList& texts) {
    if (texts.isEmpty())
        return;
    qsizetype characters = 0;
    for (const QString& text : texts)
        characters += text.size();
    const qsizetype needed = m_pool.size() + characters;
    if (needed > m_pool.capacity())
        m_pool.reserve(std::max(needed, m_pool.capacity() + m_pool.capacity() / 2));
    beginAppend(texts.size());
    for (const QString& text : texts) {
        m_spans.push_back({m_pool.size(), text.size()});
        m_pool.append(text);
    }
    m_usedChars += characters;
    endInsertRows();
}

void ListModel::appendRows(const std::vector<NewRow>& rows) {
    if (rows.empty())
        return;
    qsizetype characters = 0;
    for (const NewRow& row : rows)
        characters += row.text.size();
    const qsizetype needed = m_pool.size() + characters;
    if (needed > m_pool.capacity())
        m_pool.reserve(std::max(needed, m_pool.capacity() + m_pool.capacity() / 2));
    beginAppend(static_cast<qsizetype>(rows.size()));
    for (const NewRow& row : rows) {
        const qsizetype position = size();
        m_spans.push_back({m_pool.size(), row.text.size()});
        m_pool.append(row.text);
        if (!row.subItems.isEmpty() || row.checked) {
            Extras& added = extras(position);
            added.subItems = row.subItems;
            added.checked = row.checked;
        }
    }
    m_usedChars += characters;
    endInsertRows();
}

bool ListModel::appendBlock(WordBlock block) {
    const qsizetype characters = block.coveredCharacters();
    if (characters < 0)
        return false;
    if (block.spans.empty())
        return true;
    const qsizetype count = block.size();
    if (m_spans.empty() && m_pool.isEmpty()) {
        // The first words of an empty list: the block becomes the list's storage as it is.
        beginInsertRows({}, 0, static_cast<int>(count) - 1);
        m_pool = std::move(block.pool);
        m_spans = std::move(block.spans);
    } else {
        beginAppend(count);
        const qsizetype base = m_pool.size();
        const qsizetype needed = base + block.pool.size();
        if (needed > m_pool.capacity())
            m_pool.reserve(std::max(needed, m_pool.capacity() + m_pool.capacity() / 2));
        m_pool.append(block.pool);
        for (const TextSpan& span : block.spans)
            m_spans.push_back({base + span.offset, span.length});
    }
    m_usedChars += characters;
    endInsertRows();
    compactIfMostlyUnused();
    return true;
}

void ListModel::removeRowAt(qsizetype row) {
    beginRemoveRows({}, static_cast<int>(row), static_cast<int>(row));
    m_usedChars -= m_spans[static_cast<size_t>(row)].length;
    m_spans.erase(m_spans.begin() + row);
    if (row < static_cast<qsizetype>(m_extras.size()))
        m_extras.erase(m_extras.begin() + row);
    endRemoveRows();
    compactIfMostlyUnused();
}

void ListModel::clearRows() {
    beginResetModel();
    m_spans.clear();
    m_spans.shrink_to_fit();
    m_extras.clear();
    m_extras.shrink_to_fit();
    m_pool = QString();
    m_usedChars = 0;
    endResetModel();
}

// Rebuilds the pool from the rows' texts when less than half of it is still in use. The texts stay the
// same, so the view is not told.
void ListModel::compactIfMostlyUnused() {
    if (m_pool.size() - m_usedChars <= m_usedChars)
        return;
    QString pool;
    pool.reserve(m_usedChars);
    for (TextSpan& span : m_spans) {
        const qsizetype offset = pool.size();
        pool.append(QStringView(m_pool).sliced(span.offset, span.length));
        span.offset = offset;
    }
    m_pool = std::move(pool);
}

QString ListModel::text(qsizetype row) const {
    const TextSpan& span = m_spans[static_cast<size_t>(row)];
    return QString(m_pool.constData() + span.offset, span.length);
}

QString ListModel::joinedTexts(QChar separator) const {
    if (m_spans.empty())
        return {};
    QString joined;
    joined.reserve(m_usedChars + static_cast<qsizetype>(m_spans.size()) - 1);
    for (std::size_t i = 0; i < m_spans.size(); ++i) {
        if (i > 0)
            joined.append(separator);
        joined.append(QStringView(m_pool).sliced(m_spans[i].offset, m_spans[i].length));
    }
    return joined;
}

const QStringList& ListModel::subItems(qsizetype row) const {
    static const QStringList none;
    return row < static_cast<qsizetype>(m_extras.size()) ? m_extras[static_cast<size_t>(row)].subItems : none;
}

bool ListModel::checked(qsizetype row) const {
    return row < static_cast<qsizetype>(m_extras.size()) && m_extras[static_cast<size_t>(row)].checked;
}

ListModel::Extras& ListModel::extras(qsizetype row) {
    if (row >= static_cast<qsizetype>(m_extras.size()))
        m_extras.resize(static_cast<size_t>(row) + 1);
    return m_extras[static_cast<size_t>(row)];
}

void ListModel::setSubItem(qsizetype row, qsizetype k, const QString& text) {
    QStringList& items = extras(row).subItems;
    while (items.size() < k)
        items << QString();
    items[k - 1] = text;
    const QModelIndex cell = index(static_cast<int>(row), static_cast<int>(k));
    emit dataChanged(cell, cell, {Qt::DisplayRole});
}

void ListModel::setChecked(qsizetype row, bool checked) {
    extras(row).checked = checked;
    const QModelIndex cell = index(static_cast<int>(row), 0);
    emit dataChanged(cell, cell, {Qt::CheckStateRole});
}
