// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/ClipboardCopy.h"

#include "common/MessageLoop.h"
#include "common/StepTrap.h"
#include "output/CellYield.h"
#include "output/PaddedField.h"
#include "ui/ListControl.h"
#include "ui/WindowContext.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <algorithm>

namespace {

constexpr int kAttempts = 1000;

QString mimeTypeOf(int format) {
    if (format == 0 || format == 1 || format == 7 || format == 13)
        return QStringLiteral("text/plain");
    return QStringLiteral("application/x-clipboard-format-%1").arg(format);
}

bool holds(const QMimeData* data, const QString& type, const QByteArray& bytes) {
    return data && data->hasFormat(type) && data->data(type) == bytes;
}

} // namespace

ClipboardCopy::ClipboardCopy(WindowContext& window) : m_window(window) {}

void ClipboardCopy::PushButton5_Click() {
    if (m_window.busy())
        return;
    StepTrap trap{m_window.dialogs(), QStringLiteral("Form1.PushButton5_Click")};
    trap.step(106, [&] { CopyListviewProperlySpaced(m_window.resultsList()); });
}

void ClipboardCopy::CopyListviewProperlySpaced(ListControl& list) {
    const qsizetype rows = list.rowCount();
    if (rows == 0)
        return;
    const QList<qsizetype> widths = columnWidths(list);
    const QString text = clipboardText(list, widths);
    ClipboardClearRetry();
    ClipboardSetTextRetry(text, 0);
}

QList<qsizetype> ClipboardCopy::columnWidths(ListControl& list) {
    QList<qsizetype> widths;
    CellYield slice;
    const int columns = list.columnCount();
    for (int c = 1; c <= columns; ++c) {
        qsizetype width = 0;
        const qsizetype rows = list.rowCount();
        for (qsizetype r = 1; r <= rows; ++r) {
            slice.tick();
            width = std::max(width, list.cell(r, c).size()); // throws when the row vanished meanwhile
        }
        widths.append(width);
    }
    return widths;
}

// Each line: the padded fields with their tabs, less the last tab, less the spaces then at its end, CR LF.
QString ClipboardCopy::clipboardText(ListControl& list, const QList<qsizetype>& widths) {
    QString text;
    CellYield slice;
    const int columns = list.columnCount();
    const qsizetype rows = list.rowCount();
    for (qsizetype r = 1; r <= rows; ++r) {
        slice.tick();
        if (!list.checked(r))
            continue;
        const qsizetype lineStart = text.size();
        for (int c = 1; c <= columns; ++c) {
            slice.tick();
            PaddedField::append(text, list.cell(r, c), widths.value(c - 1));
        }
        if (text.size() > lineStart)
            text.chop(1);
        while (text.size() > lineStart && text.endsWith(QLatin1Char(' ')))
            text.chop(1);
        text += QStringLiteral("\r\n");
    }
    return text;
}

void ClipboardCopy::ClipboardClearRetry() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        clipboard->clear();
        const QMimeData* data = clipboard->mimeData();
        if (!data || data->formats().isEmpty())
            return;
    }
}

bool ClipboardCopy::ClipboardSetTextRetry(const QString& text, int format) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QString type = mimeTypeOf(format);
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (type == QStringLiteral("text/plain")) {
            clipboard->setText(text);
            if (clipboard->text() == text)
                return true;
        } else {
            const QByteArray bytes = text.toUtf8();
            auto* data = new QMimeData;
            data->setData(type, bytes);
            clipboard->setMimeData(data); // the clipboard takes ownership
            if (holds(clipboard->mimeData(), type, bytes))
                return true;
        }
    }
    return false;
}
