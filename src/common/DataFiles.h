// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Where the program's data files (the built-in dictionary and what was learned from it) are at run time,
// found relative to the executable so that an installed copy works wherever its prefix was moved:
//   <program folder>/../share/parvenna/NAME   an installed copy (PREFIX/bin beside PREFIX/share)
//   <program folder>/data/NAME                the build folder's programs
//   <program folder>/../data/NAME             the build folder's tests and benchmarks (build/tests, build/bench)
// The source tree is never looked at.
class DataFiles {
public:
    // The first of the places above where NAME exists, as a canonical path; when none holds it, the installed
    // place, so that a message about the missing file names where it belongs.
    static QString path(const QString& name);
    static QString path(const QString& name, const QString& programFolder);

    // The folders searched, in order, for a program in programFolder.
    static QStringList folders(const QString& programFolder);

    // A data file read whole and checked against the manifest that the build wrote beside it.
    struct Checked {
        QString path;
        QByteArray bytes;
    };
    // NAME from the first folder that holds it, read whole and checked against that folder's manifest. Throws
    // AppError with one message that names the file (or, when no folder holds it, every folder searched, in order),
    // says what is wrong with it and asks to reinstall: a file that is missing, a folder, empty, unreadable, or not
    // what the build made.
    static Checked readChecked(const QString& name);
    static Checked readChecked(const QString& name, const QString& programFolder);

private:
    // The first of the folders that holds NAME as a file; empty when none does.
    static QString folderHolding(const QString& name, const QStringList& searched);
    static QString missingText(const QString& name, const QStringList& searched);
};
