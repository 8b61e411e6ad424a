// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/ListModel.h"

#include <QTableView>

// One list control for both lists of the main window: a table with column headers whose rows hold a main
// text, sub-item texts and a check mark. Positions and column numbers are counted from 1; an index that
// does not exist throws AppError ("Subscript out of range"). Never keep a row across a yield: the user can
// clear the list in the middle of any long operation, so address rows by position and re-check the count.
class ListControl : public QTableView {
    Q_OBJECT
public:
    explicit ListControl(QWidget* parent = nullptr);

    void addColumn(const QString& title);
    void setColumnWidthTwips(int column, int twips);
    int columnCount() const;
    QString columnTitle(int column) const;

    int addRow(const QString& text); // returns the new row's position
    void addRows(const QStringList& texts);
    void addRows(WordBlock words); // throws AppError, adding nothing, when a span leaves the pool
    void addRows(const std::vector<ListModel::NewRow>& rows); // with their sub-items and check marks
    qsizetype rowCount() const;
    QString text(qsizetype row) const;
    QString subItem(qsizetype row, int k) const; // empty until set
    void setSubItem(qsizetype row, int k, const QString& text);
    bool checked(qsizetype row) const;
    void setChecked(qsizetype row, bool checked);
    void ensureRowVisible(qsizetype row);
    qsizetype currentRow() const; // 0 when no row is current
    void setCurrentRow(qsizetype row);
    void removeRow(qsizetype row);
    void clear();

    // The cell of column c: the main text for c = 1, else sub-item c - 1.
    QString cell(qsizetype row, int column) const;

    // All main texts in order.
    QStringList texts() const;
    // All main texts joined by the separator (for saving the word list).
    QString joinedTexts(QChar separator) const { return m_model->joinedTexts(separator); }

signals:
    void rowDoubleClicked();
    void keyDown(int key, Qt::KeyboardModifiers modifiers);
    void mouseMoved();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void checkRow(qsizetype row) const;
    void fitRowHeight();
    ListModel* m_model;
};
