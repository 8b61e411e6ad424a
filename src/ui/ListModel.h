// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/WordLimit.h"
#include "ui/WordBlock.h"

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>
#include <vector>

// Rows of a list control. The main texts of all rows live back to back in one pool string, each row holding
// only its span in it, so that a list of a million words is not a million strings. A removed row leaves its
// characters behind in the pool until more than half of the pool is unused; then the pool is rebuilt.
// Sub-items and check marks are kept per row, only for rows up to the last one that has any.
class ListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void addColumn(const QString& title);
    const QStringList& titles() const { return m_titles; }
    void appendRows(const QStringList& texts);
    // Rows with their sub-items and check marks, told to the views as one insertion.
    struct NewRow {
        QString text;
        QStringList subItems;
        bool checked = false;
    };
    void appendRows(const std::vector<NewRow>& rows);
    bool appendBlock(WordBlock block); // false, adding nothing, when a span leaves the block's pool
    void removeRowAt(qsizetype row);
    void clearRows();
    qsizetype size() const { return static_cast<qsizetype>(m_spans.size()); }

    // The longest text a cell shows: the view is never handed more to draw (a file without separators can make a
    // "word" of a hundred megabytes). A longer text shows cut, with an ellipsis; the row keeps it whole.
    static constexpr qsizetype kLongestShown = 4 * WordLimit::kLongestWord;

    // Rows counted from 0.
    QString text(qsizetype row) const;
    // The main texts of all rows joined by the separator, made in one allocation.
    QString joinedTexts(QChar separator) const;
    const QStringList& subItems(qsizetype row) const;
    bool checked(qsizetype row) const;
    void setSubItem(qsizetype row, qsizetype k, const QString& text);
    void setChecked(qsizetype row, bool checked);

    // Characters held in the pool, used or not (for tests of the pool's upkeep).
    qsizetype poolSize() const { return m_pool.size(); }

private:
    struct Extras {
        QStringList subItems;
        bool checked = false;
    };

    void beginAppend(qsizetype count);
    void compactIfMostlyUnused();
    Extras& extras(qsizetype row);

    QStringList m_titles;
    QString m_pool;
    std::vector<TextSpan> m_spans;
    qsizetype m_usedChars = 0;    // characters of the pool that some row's span covers
    std::vector<Extras> m_extras; // never longer than m_spans; rows past its end have neither
};
