// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QMap>
#include <QPair>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>

// Reads back the first sheet of an .xlsx file as a test sees it: unpacked with `unzip -p`, its cells and
// shared strings parsed with QXmlStreamReader.
struct XlsxSheet {
    struct Cell {
        QString type; // "n" number, "s" string
        QString value;
        bool operator==(const Cell& other) const = default;
    };
    QMap<QPair<int, int>, Cell> cells; // (row, column) counted from 1
    QMap<int, double> widths;          // column -> width
    int formulas = 0;                  // <f> elements anywhere in the sheet
    QString error;                     // empty when the file could be read
};

namespace XlsxReader {

inline QByteArray unzipEntry(const QString& file, const QString& entry, QString& error) {
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), file, entry});
    if (!unzip.waitForFinished(10000)) {
        unzip.kill();
        unzip.waitForFinished(1000);
        error = QStringLiteral("unzip did not finish");
        return {};
    }
    if (unzip.exitCode() != 0)
        error = QStringLiteral("unzip failed for %1: %2").arg(entry, QString::fromUtf8(unzip.readAllStandardError()));
    return unzip.readAllStandardOutput();
}

// The _xHHHH_ escapes that spreadsheet files use for control characters.
inline QString unescape(const QString& text) {
    QString result;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (i + 6 < text.size() && text.mid(i, 2) == QStringLiteral("_x") && text[i + 6] == QLatin1Char('_')) {
            bool ok = false;
            const ushort code = text.mid(i + 2, 4).toUShort(&ok, 16);
            if (ok) {
                result += QChar(code);
                i += 6;
                continue;
            }
        }
        result += text[i];
    }
    return result;
}

// All <t> texts of one <si> or <is>, joined (rich text has several).
inline QString readTexts(QXmlStreamReader& xml, const QString& end) {
    QString text;
    while (!xml.atEnd() && !(xml.readNext() == QXmlStreamReader::EndElement && xml.name() == end))
        if (xml.isStartElement() && xml.name() == QStringLiteral("t"))
            text += xml.readElementText();
    return unescape(text);
}

inline QStringList sharedStrings(const QByteArray& bytes) {
    QStringList strings;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QStringLiteral("si"))
            strings << readTexts(xml, QStringLiteral("si"));
    return strings;
}

inline QPair<int, int> position(const QString& reference) {
    int column = 0;
    qsizetype i = 0;
    for (; i < reference.size() && reference[i].isLetter(); ++i)
        column = column * 26 + (reference[i].unicode() - 'A' + 1);
    return {reference.mid(i).toInt(), column};
}

inline void readCell(QXmlStreamReader& xml, const QStringList& strings, XlsxSheet& sheet) {
    const QPair<int, int> at = position(xml.attributes().value(QStringLiteral("r")).toString());
    const QString type = xml.attributes().value(QStringLiteral("t")).toString();
    XlsxSheet::Cell cell{type == QStringLiteral("s") || type == QStringLiteral("inlineStr") ||
                                 type == QStringLiteral("str")
                             ? QStringLiteral("s")
                             : QStringLiteral("n"),
                         {}};
    while (!xml.atEnd() && !(xml.readNext() == QXmlStreamReader::EndElement && xml.name() == QStringLiteral("c"))) {
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QStringLiteral("f")) {
            ++sheet.formulas;
        } else if (xml.name() == QStringLiteral("v")) {
            const QString value = xml.readElementText();
            cell.value = type == QStringLiteral("s") ? strings.value(value.toInt()) : value;
        } else if (xml.name() == QStringLiteral("is")) {
            cell.value = readTexts(xml, QStringLiteral("is"));
        }
    }
    sheet.cells.insert(at, cell);
}

inline XlsxSheet read(const QString& file) {
    XlsxSheet sheet;
    const QByteArray sheetXml = unzipEntry(file, QStringLiteral("xl/worksheets/sheet1.xml"), sheet.error);
    QString ignored; // a workbook without strings has no sharedStrings.xml
    const QStringList strings = sharedStrings(unzipEntry(file, QStringLiteral("xl/sharedStrings.xml"), ignored));
    QXmlStreamReader xml(sheetXml);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QStringLiteral("col")) {
            const int min = xml.attributes().value(QStringLiteral("min")).toInt();
            const int max = xml.attributes().value(QStringLiteral("max")).toInt();
            for (int c = min; c <= max; ++c)
                sheet.widths[c] = xml.attributes().value(QStringLiteral("width")).toDouble();
        } else if (xml.name() == QStringLiteral("c")) {
            readCell(xml, strings, sheet);
        } else if (xml.name() == QStringLiteral("f")) {
            ++sheet.formulas;
        }
    }
    if (xml.hasError() && sheet.error.isEmpty())
        sheet.error = xml.errorString();
    return sheet;
}

} // namespace XlsxReader
