#pragma once

#include <QString>

// Where the program's data files are: beside an installed program in ../share/parvenna, else in the build
// folder's data/ (beside the executable, or one folder up for the tests). Never in the source tree, so that a
// copy moved elsewhere does not silently read a checkout's files.
class DataFiles {
public:
    // The path of the data file NAME; the installed place when none exists (for the error message).
    static QString path(const QString& name);
};
