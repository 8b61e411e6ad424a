// SPDX-License-Identifier: GPL-3.0-or-later
// data-manifest: writes the manifest of the built-in dictionary's data files, as the build makes it.
//     data-manifest OUTPUT FILE...
// One line a file: its BLAKE2b-256, its size in bytes and its name. The programs refuse a data file that does not
// match it. The output is written whole or not at all.
#include "common/DataManifest.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QFile::decodeName(argv[i]);
    QTextStream err(stderr);
    if (arguments.size() < 2) {
        err << "usage: data-manifest OUTPUT FILE...\n";
        return 2;
    }
    QByteArray manifest = DataManifest::kHeader;
    for (const QString& path : arguments.mid(1)) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            err << "data-manifest: " << path << ": " << file.errorString() << "\n";
            return 1;
        }
        manifest += DataManifest::lineFor(QFileInfo(path).fileName(), file.readAll()) + '\n';
    }
    QSaveFile output(arguments.first());
    // Checked: a save file may put a cut-short file in place when only its last write failed.
    if (!output.open(QIODevice::WriteOnly) || output.write(manifest) != manifest.size() || !output.flush() ||
        !output.commit()) {
        err << "data-manifest: " << arguments.first() << ": " << output.errorString() << "\n";
        return 1;
    }
    return 0;
}
