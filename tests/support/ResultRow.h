// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/ListControl.h"

#include <QList>
#include <QString>
#include <QTest>

// One row of the results list as the user sees it: its text, its count and its tick.
struct ResultRow {
    QString text;
    QString count;
    bool checked = false;
    bool operator==(const ResultRow& other) const {
        return text == other.text && count == other.count && checked == other.checked;
    }

    // Every row of a results list, in order.
    static QList<ResultRow> allOf(const ListControl& list) {
        QList<ResultRow> rows;
        for (qsizetype i = 1; i <= list.rowCount(); ++i)
            rows.append({list.text(i), list.subItem(i, 1), list.checked(i)});
        return rows;
    }
};

namespace QTest {
template <> inline char* toString(const ResultRow& row) {
    return qstrdup(qPrintable(QStringLiteral("{%1 | %2 | %3}").arg(row.text, row.count, row.checked ? "x" : " ")));
}
} // namespace QTest
