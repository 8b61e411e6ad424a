// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/XlsxSpreadsheet.h"

#include "common/AppError.h"
#include "common/AtomicFile.h"
#include "output/WorkbookFolder.h"

#include <QDir>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <xlsxwriter.h>

namespace {

AppError objectNotSet() {
    return {91, QStringLiteral("Object variable or With block variable not set")};
}

AppError objectDefined() {
    return {1004, QStringLiteral("Application-defined or object-defined error")};
}

AppError workbookError(const QString& what, lxw_error error) {
    return {AppError::DeviceIOError, what + QStringLiteral(": ") + QString::fromUtf8(lxw_strerror(error))};
}

// East Asian wide and full-width characters take two columns.
bool isWide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x1F300 && c <= 0x1FAFF) || (c >= 0x20000 && c <= 0x3FFFD);
}

qsizetype displayLength(QStringView line) {
    qsizetype length = 0;
    for (const char32_t c : line.toUcs4())
        length += isWide(c) ? 2 : 1;
    return length;
}

} // namespace

XlsxSpreadsheet::XlsxSpreadsheet(OfficeSuite& suite) : m_suite(&suite) {}

XlsxSpreadsheet::XlsxSpreadsheet(const QString& savePath) : m_savePath(savePath) {}

void XlsxSpreadsheet::addWorkbook() {
    m_workbook = Workbook{}; // not emplace(): clang takes the nested type for not default-constructible here
}

XlsxSpreadsheet::Workbook& XlsxSpreadsheet::workbook() {
    if (!m_workbook)
        throw objectNotSet();
    return *m_workbook;
}

void XlsxSpreadsheet::setCell(int row, int column, const QString& text) {
    Workbook& book = workbook();
    if (row < 1 || row > kMaxRows || column < 1 || column > kMaxColumns || text.size() > kMaxTextLength)
        throw objectDefined();
    if (text.isEmpty())
        book.cells.erase({row, column});
    else
        book.cells[{row, column}] = text;
}

void XlsxSpreadsheet::autoFitColumn(int column) {
    if (column < 1 || column > kMaxColumns)
        throw objectDefined();
    workbook();
    fit(column, longestPerColumn(column));
}

void XlsxSpreadsheet::autoFitAllColumns() {
    workbook();
    const std::map<int, double> longest = longestPerColumn(std::nullopt);
    for (const auto& entry : longest)
        fit(entry.first, longest);
}

// A column without text goes back to the default width.
void XlsxSpreadsheet::fit(int column, const std::map<int, double>& longest) {
    const auto found = longest.find(column);
    if (found == longest.end() || found->second <= 0.0)
        m_workbook->widths.erase(column);
    else
        m_workbook->widths[column] = found->second;
}

std::map<int, double> XlsxSpreadsheet::longestPerColumn(std::optional<int> onlyColumn) const {
    std::map<int, double> longest;
    for (const auto& [position, text] : m_workbook->cells) {
        const int column = position.second;
        if (onlyColumn && column != *onlyColumn)
            continue;
        double& width = longest[column];
        width = std::max(width, fittedWidth(text));
    }
    return longest;
}

void XlsxSpreadsheet::setVisible(bool visible) {
    if (!visible || !m_workbook || m_workbook->shown)
        return;
    const QString path = WorkbookFolder::create();
    writeFile(path, *m_workbook);
    m_workbook->shown = true;
    if (m_suite)
        m_suite->show(path);
    else
        saveAs(path);
}

// The library writes only to a file name: the workbook is written privately first, then its bytes replace the
// chosen file in one step, and the private copy goes.
void XlsxSpreadsheet::saveAs(const QString& workbookFile) const {
    const QString folder = QFileInfo(workbookFile).absolutePath();
    QFile written(workbookFile);
    try {
        if (!written.open(QIODevice::ReadOnly))
            throw AppError(AppError::DeviceIOError, QStringLiteral("Device I/O error: %1").arg(written.errorString()));
        AtomicFile target(m_savePath);
        target.open();
        target.write(written.readAll());
        target.commit();
    } catch (...) {
        QDir(folder).removeRecursively();
        throw;
    }
    QDir(folder).removeRecursively();
}

bool XlsxSpreadsheet::isPlainDecimal(const QString& text) {
    static const QRegularExpression plain(QStringLiteral("^-?(0|[1-9][0-9]*)(\\.[0-9]*[1-9])?$"));
    if (text.isEmpty() || text.size() > 11 || text == QStringLiteral("-0"))
        return false;
    return plain.match(text).hasMatch();
}

double XlsxSpreadsheet::fittedWidth(const QString& text) {
    qsizetype longest = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == QLatin1Char('\r') || text[i] == QLatin1Char('\n')) {
            longest = std::max(longest, displayLength(QStringView(text).mid(start, i - start)));
            start = i + 1;
        }
    }
    if (longest == 0)
        return 0.0;
    return std::min(kMaxWidth, static_cast<double>(longest) * 1.1 + 1.0);
}

void XlsxSpreadsheet::writeFile(const QString& path, const Workbook& book) {
    const QByteArray pathBytes = QFile::encodeName(path);
    QByteArray tmpdir = QFile::encodeName(QFileInfo(path).absolutePath());
    lxw_workbook_options options{};
    options.tmpdir = tmpdir.data();
    lxw_workbook* workbook = workbook_new_opt(pathBytes.constData(), &options);
    if (!workbook)
        throw AppError(AppError::OutOfMemory, QStringLiteral("Out of memory"));
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, nullptr);
    lxw_error error = sheet ? LXW_NO_ERROR : LXW_ERROR_MEMORY_MALLOC_FAILED;
    for (auto width = book.widths.begin(); error == LXW_NO_ERROR && width != book.widths.end(); ++width) {
        const auto column = static_cast<lxw_col_t>(width->first - 1);
        error = worksheet_set_column(sheet, column, column, width->second, nullptr);
    }
    for (auto cell = book.cells.begin(); error == LXW_NO_ERROR && cell != book.cells.end(); ++cell) {
        const auto row = static_cast<lxw_row_t>(cell->first.first - 1);
        const auto column = static_cast<lxw_col_t>(cell->first.second - 1);
        const QString& text = cell->second;
        if (isPlainDecimal(text))
            error = worksheet_write_number(sheet, row, column, text.toDouble(), nullptr);
        else
            error = worksheet_write_string(sheet, row, column, text.toUtf8().constData(), nullptr);
    }
    const lxw_error closed = workbook_close(workbook); // writes the file and frees the workbook
    if (error != LXW_NO_ERROR || closed != LXW_NO_ERROR) {
        QDir(QFileInfo(path).absolutePath()).removeRecursively();
        throw workbookError(QStringLiteral("The workbook could not be written"),
                            error != LXW_NO_ERROR ? error : closed);
    }
}

XlsxSpreadsheetProvider::XlsxSpreadsheetProvider(Shell& shell)
    : m_ownSuite(std::make_unique<DesktopOfficeSuite>(shell)), m_suite(*m_ownSuite) {}

XlsxSpreadsheetProvider::XlsxSpreadsheetProvider(OfficeSuite& suite) : m_suite(suite) {}

std::unique_ptr<SpreadsheetApplication> XlsxSpreadsheetProvider::create() {
    if (!m_suite.installed())
        return nullptr;
    return std::make_unique<XlsxSpreadsheet>(m_suite);
}

std::unique_ptr<SpreadsheetApplication> XlsxSpreadsheetProvider::createForFile(const QString& path) {
    return std::make_unique<XlsxSpreadsheet>(path);
}
