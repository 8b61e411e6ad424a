// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/DictionaryLocation.h"

#include "common/Settings.h"
#include "dictionary/CurlFunctions.h"
#include "lookup/BuiltInLookup.h"
#include "lookup/ServiceLookup.h"

#include <QUrl>

namespace DictionaryLocation {
namespace {

QString configured(const char* variable, const QString& settingsKey, const char* buildDefault) {
    if (qEnvironmentVariableIsSet(variable))
        return qEnvironmentVariable(variable).trimmed();
    const QString stored = Settings::get(settingsKey).trimmed();
    return stored.isEmpty() ? QString::fromUtf8(buildDefault) : stored;
}

} // namespace

QString normalisedAddress(const QString& configuredAddress) {
    QString address = configuredAddress.trimmed();
    while (address.endsWith(QLatin1Char('/')))
        address.chop(1);
    if (address.isEmpty())
        return {};
    if (!address.contains(QStringLiteral("://")))
        address.prepend(QStringLiteral("https://"));
    QUrl url(address);
    if (url.scheme().compare(QStringLiteral("http"), Qt::CaseInsensitive) == 0 &&
        !CurlFunctions::IsLoopbackHost(url.host())) {
        url.setScheme(QStringLiteral("https"));
        address = url.toString();
    }
    return address;
}

QString assembleKey(const QString& reversedPieces) {
    QString digits;
    for (const QString& piece : reversedPieces.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        QString forward = piece.trimmed();
        std::reverse(forward.begin(), forward.end());
        digits += forward;
    }
    if (digits.size() != 32)
        return digits;
    return digits.left(8) + QLatin1Char('-') + digits.mid(8, 4) + QLatin1Char('-') + digits.mid(12, 4) +
           QLatin1Char('-') + digits.mid(16, 4) + QLatin1Char('-') + digits.mid(20);
}

DictionaryEndpoint effectiveEndpoint() {
    const QString address =
        normalisedAddress(configured("PARVENNA_SERVICE_ADDRESS", kAddressKey, PARVENNA_DEFAULT_SERVICE_ADDRESS));
    if (address.isEmpty())
        return {};
    if (qEnvironmentVariableIsSet("PARVENNA_SERVICE_KEY"))
        return {address, [] { return qEnvironmentVariable("PARVENNA_SERVICE_KEY"); }};
    if (!Settings::get(kKeyKey).trimmed().isEmpty())
        return {address, [] { return Settings::get(kKeyKey); }};
    return {address, [] { return assembleKey(QStringLiteral(PARVENNA_DEFAULT_SERVICE_KEY_PIECES)); }};
}

bool serviceConfigured() {
    return !effectiveEndpoint().address.isEmpty();
}

std::unique_ptr<WordLookup> lookupForRun(WindowContext& window, ToolFiles& tools, int attemptLimitMs) {
    DictionaryEndpoint endpoint = effectiveEndpoint();
    if (endpoint.address.isEmpty())
        return std::make_unique<BuiltInLookup>();
    return std::make_unique<ServiceLookup>(window, tools, std::move(endpoint), attemptLimitMs);
}

} // namespace DictionaryLocation
