// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// The manifest that the build writes beside the data files (build/data, PREFIX/share/parvenna; tools/data-manifest):
// one line a file with its BLAKE2b-256, its size in bytes and its name. A data file that does not match it was damaged
// after the build (a changed byte, a file cut short or emptied) and is not read.
namespace DataManifest {

inline const QString kFileName = QStringLiteral("manifest");
inline const QByteArray kHeader =
    QByteArrayLiteral("# BLAKE2b-256, size in bytes and name of each data file, as the build made them\n");

// The manifest's line for one file: "<BLAKE2b-256 in hex> <size> <name>".
QByteArray lineFor(const QString& name, const QByteArray& bytes);

// What is wrong with the bytes read from the data file at path, measured against the manifest in the same folder:
// the empty text when they match, else one sentence that names the file.
QString problemWith(const QString& path, const QByteArray& bytes);

} // namespace DataManifest
