// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/Settings.h"

#include "common/AppError.h"

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

} // namespace

QString GetSetting(const QString& application, const QString& section, const QString& key,
                   const QString& defaultValue) {
    QSettings store(application, section);
    const QVariant value = store.value(key);
    return value.isValid() ? asText(value) : defaultValue;
}

void SaveSetting(const QString& application, const QString& section, const QString& key, const QString& text) {
    QSettings store(application, section);
    store.setValue(key, text);
    store.sync();
    switch (store.status()) {
    case QSettings::NoError:
        return;
    case QSettings::AccessError:
        throw AppError(
            AppError::PermissionDenied,
            QStringLiteral("Permission denied: the settings file %1 cannot be written").arg(store.fileName()));
    case QSettings::FormatError:
        throw AppError(AppError::DeviceIOError,
                       QStringLiteral("The settings file %1 is not in a readable format").arg(store.fileName()));
    }
}

} // namespace Settings
