// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Writes the settings file with one value changed, whole or not at all. The settings store writes its file through
// a save file that, in the Qt this program is built with, takes the old file's place even when its last bytes could
// not be written (a full disk, a quota): the settings, the word list among them, would be left cut short or empty.
// So the new file is made by a store of its own in a private folder beside the old one, read back as a store reads it
// and compared with what was meant, and only then put in the old file's place, whole (AtomicFile). Any failure
// leaves the old file exactly as it was.
namespace SettingsFileWriter {

// The file at path (in the settings store's format) with key set to text. Throws AppError when it cannot be done.
void setValue(const QString& path, const QString& key, const QString& text);

} // namespace SettingsFileWriter
