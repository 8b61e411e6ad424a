// SPDX-License-Identifier: GPL-3.0-or-later
#include "GzipFile.h"

#include <cerrno>
#include <cstring>
#include <zlib.h>

bool GzipFile::read(const std::string& path, std::string& contents, std::string& error) {
    gzFile file = gzopen(path.c_str(), "rb");
    if (!file) {
        error = path + ": " + (errno ? std::strerror(errno) : "cannot open");
        return false;
    }
    constexpr unsigned kChunk = 1U << 20;
    gzbuffer(file, kChunk);
    contents.clear();
    std::string chunk(kChunk, '\0');
    for (;;) {
        const int got = gzread(file, chunk.data(), kChunk);
        if (got < 0) {
            int code = 0;
            error = path + ": " + gzerror(file, &code);
            gzclose(file);
            return false;
        }
        if (got == 0)
            break;
        contents.append(chunk.data(), static_cast<std::size_t>(got));
    }
    if (gzclose(file) != Z_OK) {
        error = path + ": the compressed data ends early or is damaged";
        return false;
    }
    return true;
}
