// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// How the program turns bytes from files and child processes into text, and text into file bytes.
namespace TextCodec {

// Windows-1252, one character per byte (undefined bytes map to the same code point, as Windows does).
QString fromWindows1252(QByteArrayView bytes);

// UTF-8 one sequence at a time: every well-formed UTF-8 sequence is its character, and every byte that does not
// begin one is read on its own as Windows-1252. So one stray byte spoils no other character of the text.
QString fromUtf8OrWindows1252(QByteArrayView bytes);

// The same into out, which has room for bytes.size() units (no byte gives more than one unit); returns the
// number of units written.
qsizetype fromUtf8OrWindows1252(QByteArrayView bytes, char16_t* out);

// True when the bytes begin with a UTF-16 byte-order mark, little- or big-endian.
bool hasUtf16ByteOrderMark(QByteArrayView bytes);

// The bytes without a leading UTF-8 byte-order mark.
QByteArrayView withoutUtf8ByteOrderMark(QByteArrayView bytes);

// One character read from the start of bytes (not empty): a well-formed UTF-8 sequence, else the first byte as
// Windows-1252. Writes one or two units to out; tells how many bytes it read and how many units it wrote.
struct Decoded {
    int bytes;
    int units;
};
Decoded decodeOneUtf8OrWindows1252(QByteArrayView bytes, char16_t* out);

// A text file's bytes as text. A byte-order mark tells UTF-16 little- or big-endian (an odd last byte then
// becomes U+FFFD); otherwise it is fromUtf8OrWindows1252, a leading UTF-8 byte-order mark dropped.
QString decodeText(QByteArrayView bytes);

// Bytes taken two at a time as UTF-16 little-endian code units; an odd last byte is dropped.
QString fromUtf16Le(QByteArrayView bytes);

} // namespace TextCodec
