#pragma once

#include "dictionary/DictionaryEndpoint.h"

#include <QString>

// Where the dictionary is. In order: the environment (PARVENNA_SERVICE_ADDRESS, PARVENNA_SERVICE_KEY), the
// settings "Service address" and "Service key", then the build's defaults. With no address at all, the
// program's built-in local dictionary is started on 127.0.0.1 on first need, with a key made up for this process.
namespace DictionaryLocation {

inline const QString kAddressKey = QStringLiteral("Service address");
inline const QString kKeyKey = QStringLiteral("Service key");

// The configured address with a scheme: none given means https, and plain http is kept only for loopback
// hosts, so a key never travels unencrypted to another machine. Empty when nothing is configured.
QString normalisedAddress(const QString& configured);

// A key compiled in as reversed four-character pieces ("dcba,hgfe,...") assembled into the textual form of a
// UUID: the pieces reversed back, groups of 8, 4, 4, 4 and 12 characters joined by hyphens.
QString assembleKey(const QString& reversedPieces);

// The endpoint for the next lookups; throws AppError when the built-in dictionary cannot be started.
DictionaryEndpoint effectiveEndpoint();

} // namespace DictionaryLocation
