// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dictionary/DictionaryEndpoint.h"

#include <QString>
#include <memory>

class ToolFiles;
class WindowContext;
class WordLookup;

// Where the dictionary is. In order: the environment (PARVENNA_SERVICE_ADDRESS, PARVENNA_SERVICE_KEY), the
// settings "Service address" and "Service key", then the build's defaults. With no address at all, words are
// looked up in the program's built-in dictionary, in this process.
namespace DictionaryLocation {

inline const QString kAddressKey = QStringLiteral("Service address");
inline const QString kKeyKey = QStringLiteral("Service key");

// The configured address with a scheme: none given means https, and plain http is kept only for loopback
// hosts, so a key never travels unencrypted to another machine. Empty when nothing is configured.
QString normalisedAddress(const QString& configured);

// A key compiled in as reversed four-character pieces ("dcba,hgfe,...") assembled into the textual form of a
// UUID: the pieces reversed back, groups of 8, 4, 4, 4 and 12 characters joined by hyphens.
QString assembleKey(const QString& reversedPieces);

// The configured service; its address is empty when none is configured.
DictionaryEndpoint effectiveEndpoint();
bool serviceConfigured();

// How the next run looks its words up: the configured service through curl (placing the tool files in tools,
// each run of curl limited to attemptLimitMs), else the built-in dictionary.
std::unique_ptr<WordLookup> lookupForRun(WindowContext& window, ToolFiles& tools, int attemptLimitMs);

} // namespace DictionaryLocation
