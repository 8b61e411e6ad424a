// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

// Where a dictionary request goes: the service's scheme and host (and port), and the key. The key is not
// held here: assembleKey builds it on demand, and the fetch asks for it only while the request address is built.
struct DictionaryEndpoint {
    QString address;                      // scheme://host[:port], e.g. http://127.0.0.1:8123
    std::function<QString()> assembleKey; // may be empty: the request then carries an empty key
};
