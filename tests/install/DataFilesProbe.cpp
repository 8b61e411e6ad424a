// SPDX-License-Identifier: GPL-3.0-or-later
// Prints DataFiles::path(NAME) for each NAME given, one a line. TestInstalledCopy copies it into an installed
// copy's bin folder and runs it there, to see where the installed programs find their data.
#include "common/DataFiles.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    for (const QString& name : QCoreApplication::arguments().mid(1))
        out << DataFiles::path(name) << '\n';
    return 0;
}
