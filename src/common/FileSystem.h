// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace FileSystem {

// True when the modification date and time of the path can be read (a folder counts); never reports.
bool FileExists(const QString& path);

// The text after the last backslash or slash; the whole text when it holds neither.
QString FileNameFromPath(const QString& path);

} // namespace FileSystem
