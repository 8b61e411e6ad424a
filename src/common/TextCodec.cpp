// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/TextCodec.h"

#include <QStringDecoder>
#include <array>

namespace TextCodec {
namespace {

// Code points of the bytes 0x80 to 0x9F; the five undefined bytes keep their own value.
constexpr std::array<char16_t, 32> kHighControls = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                                    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t windows1252(unsigned char byte) {
    return (byte >= 0x80 && byte < 0xA0) ? kHighControls[byte - 0x80] : byte;
}

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length of the well-formed UTF-8 sequence of two or more bytes that starts at p (no overlong forms, no
// surrogates, nothing above U+10FFFF), or 0 when none starts there.
int sequenceLength(const unsigned char* p, const unsigned char* end) {
    const unsigned char lead = p[0];
    const qsizetype left = end - p;
    if (lead >= 0xC2 && lead <= 0xDF)
        return left >= 2 && isContinuation(p[1]) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        // After E0 the second byte is A0..BF (no overlong form), after ED it is 80..9F (no surrogate).
        const unsigned char low = lead == 0xE0 ? 0xA0 : 0x80;
        const unsigned char high = lead == 0xED ? 0x9F : 0xBF;
        return left >= 3 && p[1] >= low && p[1] <= high && isContinuation(p[2]) ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        // After F0 the second byte is 90..BF (no overlong form), after F4 it is 80..8F (nothing past U+10FFFF).
        const unsigned char low = lead == 0xF0 ? 0x90 : 0x80;
        const unsigned char high = lead == 0xF4 ? 0x8F : 0xBF;
        return left >= 4 && p[1] >= low && p[1] <= high && isContinuation(p[2]) && isContinuation(p[3]) ? 4 : 0;
    }
    return 0;
}

// Writes the character of a well-formed sequence of length bytes; returns the units written (1 or 2).
int writeSequence(const unsigned char* p, int length, char16_t* out) {
    char32_t c = 0;
    if (length == 2)
        c = (char32_t(p[0] & 0x1F) << 6) | (p[1] & 0x3F);
    else if (length == 3)
        c = (char32_t(p[0] & 0x0F) << 12) | (char32_t(p[1] & 0x3F) << 6) | (p[2] & 0x3F);
    else
        c = (char32_t(p[0] & 0x07) << 18) | (char32_t(p[1] & 0x3F) << 12) | (char32_t(p[2] & 0x3F) << 6) |
            (p[3] & 0x3F);
    if (c < 0x10000) {
        out[0] = static_cast<char16_t>(c);
        return 1;
    }
    out[0] = QChar::highSurrogate(c);
    out[1] = QChar::lowSurrogate(c);
    return 2;
}

// The bytes after the byte-order mark: a second mark is a character of the text, as it is in UTF-8.
QString fromUtf16(QByteArrayView bytes, QStringDecoder::Encoding encoding) {
    QStringDecoder decoder(encoding, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

} // namespace

QString fromWindows1252(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (const char byte : bytes)
        *out++ = windows1252(static_cast<unsigned char>(byte));
    return text;
}

Decoded decodeOneUtf8OrWindows1252(QByteArrayView bytes, char16_t* out) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    if (*p < 0x80) {
        *out = *p;
        return {1, 1};
    }
    const int length = sequenceLength(p, p + bytes.size());
    if (length == 0) {
        *out = windows1252(*p);
        return {1, 1};
    }
    return {length, writeSequence(p, length, out)};
}

qsizetype fromUtf8OrWindows1252(QByteArrayView bytes, char16_t* out) {
    char16_t* const first = out;
    while (!bytes.isEmpty()) {
        const Decoded one = decodeOneUtf8OrWindows1252(bytes, out);
        bytes = bytes.sliced(one.bytes);
        out += one.units;
    }
    return out - first;
}

QString fromUtf8OrWindows1252(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    text.truncate(fromUtf8OrWindows1252(bytes, reinterpret_cast<char16_t*>(text.data())));
    return text;
}

bool hasUtf16ByteOrderMark(QByteArrayView bytes) {
    return bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
}

QByteArrayView withoutUtf8ByteOrderMark(QByteArrayView bytes) {
    return bytes.startsWith("\xEF\xBB\xBF") ? bytes.sliced(3) : bytes;
}

QString decodeText(QByteArrayView bytes) {
    if (bytes.startsWith("\xFF\xFE"))
        return fromUtf16(bytes.sliced(2), QStringDecoder::Utf16LE);
    if (bytes.startsWith("\xFE\xFF"))
        return fromUtf16(bytes.sliced(2), QStringDecoder::Utf16BE);
    return fromUtf8OrWindows1252(withoutUtf8ByteOrderMark(bytes));
}

QString fromUtf16Le(QByteArrayView bytes) {
    const qsizetype units = bytes.size() / 2;
    QString text(units, Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < units; ++i) {
        const auto low = static_cast<unsigned char>(bytes[2 * i]);
        const auto high = static_cast<unsigned char>(bytes[2 * i + 1]);
        out[i] = QChar(static_cast<char16_t>(low | (high << 8)));
    }
    return text;
}

} // namespace TextCodec
