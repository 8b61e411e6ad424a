// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TestWindow.h"
#include "ui/ListControl.h"
#include "ui/ProgressBar.h"
#include "ui/WindowContext.h"

#include <QCheckBox>
#include <QList>
#include <QString>
#include <QStringList>

using OutputTestWindow = TestWindow;

// Fills a list from rows written as "cell1|cell2|..." with a leading "+" for a checked row.
inline void fillList(ListControl& list, const QStringList& rows) {
    QStringList texts;
    QList<QStringList> subItems;
    QList<bool> checks;
    for (QString row : rows) {
        checks << row.startsWith(QLatin1Char('+'));
        if (checks.last())
            row.remove(0, 1);
        QStringList cells = row.split(QLatin1Char('|'));
        texts << cells.takeFirst();
        subItems << cells;
    }
    const qsizetype first = list.rowCount() + 1;
    list.addRows(texts); // all at once: adding rows one by one to a large view is slow
    for (qsizetype i = 0; i < texts.size(); ++i) {
        for (int k = 1; k <= subItems[i].size(); ++k)
            list.setSubItem(first + i, k, subItems[i][k - 1]);
        list.setChecked(first + i, checks[i]);
    }
}

// A list with the given column titles and rows (see fillList).
inline void setUpList(ListControl& list, const QStringList& titles, const QStringList& rows) {
    for (const QString& title : titles)
        list.addColumn(title);
    fillList(list, rows);
}
