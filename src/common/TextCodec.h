// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// How the program turns bytes from files and child processes into text, and text into file bytes.
namespace TextCodec {

bool isValidUtf8(QByteArrayView bytes);

// Windows-1252, one character per byte (undefined bytes map to the same code point, as Windows does).
QString fromWindows1252(QByteArrayView bytes);

// UTF-8 when the bytes are valid UTF-8 (a leading byte-order mark dropped), else Windows-1252.
QString decodeText(QByteArrayView bytes);

// Bytes taken two at a time as UTF-16 little-endian code units; an odd last byte is dropped.
QString fromUtf16Le(QByteArrayView bytes);

} // namespace TextCodec
