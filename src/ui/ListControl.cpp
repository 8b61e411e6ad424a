// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ListControl.h"

#include "common/AppError.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>

// A table view lays out only the rows in sight: every row is as high as the font's line, so a list of millions of
// rows costs no more to show than a short one (a tree view makes an item of every row first).
ListControl::ListControl(QWidget* parent) : QTableView(parent), m_model(new ListModel(this)) {
    setModel(m_model);
    setShowGrid(false);
    setWordWrap(false);
    setTabKeyNavigation(false); // Tab moves on to the next control
    setCornerButtonEnabled(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setMouseTracking(true);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setSectionsMovable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    fitRowHeight();
}

// As high as the style makes a row of text with a check box in this font.
void ListControl::fitRowHeight() {
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.features |= QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    option.text = QStringLiteral("Xg");
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(
        style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, {}, this).height());
}

void ListControl::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        fitRowHeight();
}

void ListControl::addColumn(const QString& title) {
    m_model->addColumn(title);
}

void ListControl::setColumnWidthTwips(int column, int twips) {
    if (column < 1 || column > columnCount())
        throw AppError::subscriptOutOfRange();
    setColumnWidth(column - 1, twips / 15);
}

int ListControl::columnCount() const {
    return static_cast<int>(m_model->titles().size());
}

QString ListControl::columnTitle(int column) const {
    if (column < 1 || column > columnCount())
        throw AppError::subscriptOutOfRange();
    return m_model->titles()[column - 1];
}

int ListControl::addRow(const QString& text) {
    m_model->appendRows({text});
    return static_cast<int>(m_model->size());
}

void ListControl::addRows(const QStringList& texts) {
    m_model->appendRows(texts);
}

void ListControl::addRows(WordBlock words) {
    if (!m_model->appendBlock(std::move(words)))
        throw AppError::subscriptOutOfRange();
}

void ListControl::addRows(const std::vector<ListModel::NewRow>& rows) {
    m_model->appendRows(rows);
}

qsizetype ListControl::rowCount() const {
    return m_model->size();
}

void ListControl::checkRow(qsizetype row) const {
    if (row < 1 || row > m_model->size())
        throw AppError::subscriptOutOfRange();
}

QString ListControl::text(qsizetype row) const {
    checkRow(row);
    return m_model->text(row - 1);
}

QString ListControl::subItem(qsizetype row, int k) const {
    checkRow(row);
    if (k < 1)
        throw AppError::subscriptOutOfRange();
    const QStringList& subItems = m_model->subItems(row - 1);
    return k <= subItems.size() ? subItems[k - 1] : QString();
}

void ListControl::setSubItem(qsizetype row, int k, const QString& text) {
    checkRow(row);
    if (k < 1 || k >= std::max(columnCount(), 2))
        throw AppError::subscriptOutOfRange();
    m_model->setSubItem(row - 1, k, text);
}

bool ListControl::checked(qsizetype row) const {
    checkRow(row);
    return m_model->checked(row - 1);
}

void ListControl::setChecked(qsizetype row, bool checked) {
    checkRow(row);
    m_model->setChecked(row - 1, checked);
}

void ListControl::ensureRowVisible(qsizetype row) {
    checkRow(row);
    scrollTo(m_model->index(static_cast<int>(row - 1), 0));
}

qsizetype ListControl::currentRow() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

void ListControl::setCurrentRow(qsizetype row) {
    checkRow(row);
    setCurrentIndex(m_model->index(static_cast<int>(row - 1), 0));
}

void ListControl::removeRow(qsizetype row) {
    checkRow(row);
    m_model->removeRowAt(row - 1);
}

void ListControl::clear() {
    m_model->clearRows();
}

QString ListControl::cell(qsizetype row, int column) const {
    if (column < 1)
        throw AppError::subscriptOutOfRange();
    return column == 1 ? text(row) : subItem(row, column - 1);
}

QStringList ListControl::texts() const {
    QStringList result;
    result.reserve(m_model->size());
    for (qsizetype i = 0; i < m_model->size(); ++i)
        result << m_model->text(i);
    return result;
}

void ListControl::keyPressEvent(QKeyEvent* event) {
    emit keyDown(event->key(), event->modifiers());
    QTableView::keyPressEvent(event);
}

void ListControl::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    emit rowDoubleClicked();
}

bool ListControl::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::MouseMove)
        emit mouseMoved();
    return QTableView::viewportEvent(event);
}
