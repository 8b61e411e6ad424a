// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/Settings.h"

#include "common/AppError.h"
#include "common/SettingsFileGuard.h"
#include "common/SettingsFileWriter.h"

#include <QSettings>

namespace Settings {

namespace {

// A hand-edited value with an unquoted comma comes back from the store as a list of texts; joined by ", " it
// is the text the user wrote.
QString asText(const QVariant& value) {
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

// Takes object values out of the store's file before a store reads it (a store reads its file when it is made).
void guardStoreFile(const QString& application, const QString& section) {
    const QString path = QSettings(application, section).fileName();
    SettingsFileGuard::clean(path);
}

} // namespace

QString GetSetting(const QString& application, const QString& section, const QString& key,
                   const QString& defaultValue) {
    try {
        guardStoreFile(application, section);
    } catch (const AppError&) {
        return defaultValue; // a file that holds an object value and cannot be mended is not read
    }
    QSettings store(application, section);
    const QVariant value = store.value(key);
    return value.isValid() ? asText(value) : defaultValue;
}

void SaveSetting(const QString& application, const QString& section, const QString& key, const QString& text) {
    guardStoreFile(application, section);
    SettingsFileWriter::setValue(QSettings(application, section).fileName(), key, text);
}

} // namespace Settings
