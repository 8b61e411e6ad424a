// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Reads a whole file through zlib: gzip and dictzip files are decompressed, plain text is read as it is.
class GzipFile {
public:
    // False with a message in `error` when the file cannot be opened or read.
    static bool read(const std::string& path, std::string& contents, std::string& error);
};
