// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

// The private folders in the temporary folder that exported workbooks are written to for the office program:
// TEMP/parvenna-sheet-XXXXXX/Results.xlsx. The office program reads the file some time after the export, so
// it stays; later start-ups remove the ones older than a day.
namespace WorkbookFolder {

inline const QString kPrefix = QStringLiteral("parvenna-sheet-");
inline const QString kFileName = QStringLiteral("Results.xlsx");

// TEMP when set and not empty, else the system's temporary folder.
QString temporaryBase();

// Makes a new folder (owner only) and returns the workbook's path in it. Throws AppError when it cannot.
QString create();

// Removes the workbook folders of this user whose workbook (or, without one, the folder itself) was last
// changed before now minus a day. A folder is removed only when it is a real folder of this user with the
// workbook's name and nothing but the workbook, a plain file, in it. Never fails; returns how many went.
int removeOld(const QDateTime& now = QDateTime::currentDateTime());

} // namespace WorkbookFolder
