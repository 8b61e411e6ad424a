#include "common/Settings.h"

#include "common/AppError.h"

#include <QSettings>

namespace Settings {

QString GetSetting(const QString& application, const QString& section, const QString& key,
                   const QString& defaultValue) {
    QSettings store(application, section);
    const QVariant value = store.value(key);
    return value.isValid() ? value.toString() : defaultValue;
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
