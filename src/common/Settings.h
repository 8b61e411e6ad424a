// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The per-user settings store: texts under an application name and a section, one key each.
// Backed by QSettings (organization = application name, application = section), synced at every write.
namespace Settings {

inline const QString kApplication = QStringLiteral("Orvanta");
inline const QString kSection = QStringLiteral("Parvenna");

// The stored text, or defaultValue when the key has never been written. A value the store reads as a list
// (a hand-edited file with an unquoted comma) is given as its pieces joined by ", ".
QString GetSetting(const QString& application, const QString& section, const QString& key,
                   const QString& defaultValue = QString());

// Stores the text at once. Throws AppError when the store rejects the write (read-only folder, full disk).
void SaveSetting(const QString& application, const QString& section, const QString& key, const QString& text);

// The program's own place in the store.
inline QString get(const QString& key, const QString& defaultValue = QString()) {
    return GetSetting(kApplication, kSection, key, defaultValue);
}
inline void save(const QString& key, const QString& text) {
    SaveSetting(kApplication, kSection, key, text);
}

} // namespace Settings
