// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// A run of one of the build's command-line tools, bounded: the tool is killed when it has not ended in time.
struct ToolRun {
    int exitCode = -1; // -1: the tool crashed or did not end in time
    QString output;    // standard output and standard error together

    static ToolRun of(const QString& program, const QStringList& arguments, int milliseconds = 120000);
};
