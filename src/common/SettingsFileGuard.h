// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The settings store turns a value written "@Variant(...)" or "@DateTime(...)" back into an object by decoding the
// bytes in it, and a damaged or hand-edited file can make that decoding allocate without bound. This program
// stores texts only, and the store writes a text that starts with "@" with the "@" doubled, so such a value never
// comes from the program: the guard takes its line out of the file before the store reads any value.
namespace SettingsFileGuard {

// The line (a key, "=", its value; continued lines joined) holds such a value, as the store would read it:
// escapes (\x40, \100) decoded, quotes taken out, each piece of a list (split at commas) on its own.
bool holdsObjectValue(QByteArrayView line);

// The file's bytes without the lines that hold such a value; the bytes as they are when none does.
QByteArray withoutObjectValues(const QByteArray& bytes);

// Rewrites the file at path without those lines (whole or not at all); leaves it alone when it has none or does
// not exist. Throws AppError when the file cannot be read or rewritten.
void clean(const QString& path);

} // namespace SettingsFileGuard
