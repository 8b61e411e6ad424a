// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/SettingsFileGuard.h"

#include "common/AppError.h"
#include "common/AtomicFile.h"

#include <QFile>
#include <QFileInfo>
#include <QList>

#include <algorithm>

namespace SettingsFileGuard {

namespace {

int digitValue(char c, int base) {
    const int value = (c >= '0' && c <= '9')   ? c - '0'
                      : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                      : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                               : 99;
    return value < base ? value : -1;
}

// The character an escape such as \n or \" stands for; 0 for one the store drops.
char escaped(char c) {
    switch (c) {
    case '"':
    case '\'':
    case '?':
    case '\\':
        return c;
    case 'a':
    case 'b':
    case 'f':
    case 'n':
    case 'r':
    case 't':
    case 'v':
        return ' '; // a control character: nothing that can start "@Variant("
    default:
        return 0;
    }
}

// Only a piece's beginning tells whether it is an object value: no more of it is kept.
constexpr qsizetype kTelling = 10; // "@DateTime("

void keep(QByteArray& piece, char c) {
    if (piece.size() < kTelling)
        piece += c;
}

// Decodes the escape whose character (after the backslash) is value[at] onto piece: \x and hexadecimal digits,
// octal digits, or one character; a line break and the one of the other kind after it are dropped. Returns the
// index of the escape's last character.
qsizetype escape(QByteArrayView value, qsizetype at, QByteArray& piece) {
    const char e = value[at];
    const int base = e == 'x' ? 16 : digitValue(e, 8) >= 0 ? 8 : 0;
    if (base == 0) {
        const bool lineBreak = e == '\n' || e == '\r';
        if (lineBreak && at + 1 < value.size() && (value[at + 1] == '\n' || value[at + 1] == '\r') &&
            value[at + 1] != e)
            return at + 1;
        if (const char plain = lineBreak ? 0 : escaped(e))
            keep(piece, plain);
        return at;
    }
    unsigned code = 0;
    qsizetype j = base == 16 ? at + 1 : at;
    const qsizetype first = j;
    for (; j < value.size() && digitValue(value[j], base) >= 0; ++j)
        code = (code * unsigned(base) + unsigned(digitValue(value[j], base))) & 0xFFFFu;
    if (j > first)
        keep(piece, code < 0x80 ? char(code) : '?');
    return j - 1;
}

// The pieces of a value as the store reads them: quotes out, escapes decoded, split at commas outside quotes, and
// blanks skipped at the start, after a comma and after a closing quote. Letters outside ASCII do not matter here
// and become '?'.
QList<QByteArray> pieces(QByteArrayView value) {
    QList<QByteArray> out{QByteArray()};
    bool quoted = false;
    bool skipping = true;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (skipping && (c == ' ' || c == '\t'))
            continue;
        skipping = false;
        if (c == '"') {
            quoted = !quoted;
            skipping = !quoted;
        } else if (c == ',' && !quoted) {
            out.append(QByteArray());
            skipping = true;
        } else if (c != '\\') {
            keep(out.last(), c);
        } else if (++i < value.size()) {
            i = escape(value, i, out.last());
        }
    }
    return out;
}

bool startsAnObject(const QByteArray& piece) {
    return piece.startsWith("@Variant(") || piece.startsWith("@DateTime(");
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// One line as the store cuts the file into them: from start to end, with the first '=' outside quotes (or -1). A line
// ends at a line break or a ';' outside quotes; a backslash takes the character after it (a line break too) into the
// line; a line that starts with ';' is a comment and is skipped.
struct IniLine {
    qsizetype start = 0;
    qsizetype end = 0;
    qsizetype equals = -1;
};

bool nextLine(QByteArrayView data, qsizetype& pos, IniLine& line) {
    const qsizetype n = data.size();
    qsizetype start = pos;
    while (start < n && isSpace(data[start]))
        ++start;
    qsizetype i = start;
    qsizetype equals = -1;
    bool quoted = false;
    for (; i < n; ++i) {
        const char c = data[i];
        if (c == '=') {
            if (!quoted && equals < 0)
                equals = i;
        } else if (c == '\n' || c == '\r') {
            if (i == start)
                ++start;
            else if (!quoted)
                break;
        } else if (c == '\\' && i + 1 < n) {
            ++i;
            if (i + 1 < n && (data[i] == '\n' || data[i] == '\r') && (data[i + 1] == '\n' || data[i + 1] == '\r') &&
                data[i] != data[i + 1])
                ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ';' && i == start) {
            while (i < n && data[i] != '\n' && data[i] != '\r')
                ++i;
            while (i < n && isSpace(data[i]))
                ++i;
            start = i--;
        } else if (c == ';' && !quoted) {
            break;
        }
    }
    pos = i;
    line = {start, i, equals};
    return i > start;
}

// The line has a value that the store would decode into an object. (A section line is checked too: the store may
// not take a line for one where this does, and such a line is no section the program wrote.)
bool holdsObject(QByteArrayView data, const IniLine& line) {
    if (line.equals < 0)
        return false;
    return std::ranges::any_of(pieces(data.sliced(line.equals + 1, line.end - line.equals - 1)), startsAnObject);
}

} // namespace

bool holdsObjectValue(QByteArrayView line) {
    qsizetype pos = 0;
    IniLine found;
    while (nextLine(line, pos, found)) {
        if (holdsObject(line, found))
            return true;
    }
    return false;
}

QByteArray withoutObjectValues(const QByteArray& bytes) {
    // Without an "@" (plain or escaped) no value can be an object: the usual file is passed at memory speed.
    if (!bytes.contains('@') && !bytes.contains('\\'))
        return bytes;
    QByteArray kept;
    qsizetype copied = 0;
    qsizetype pos = 0;
    IniLine line;
    while (nextLine(bytes, pos, line)) {
        if (holdsObject(bytes, line)) {
            kept += QByteArrayView(bytes).sliced(copied, line.start - copied);
            copied = line.end;
            // with its line break
            if (copied < bytes.size() && (bytes[copied] == '\r' || bytes[copied] == '\n'))
                copied += bytes.sliced(copied).startsWith("\r\n") ? 2 : 1;
        }
    }
    if (copied == 0)
        return bytes;
    kept += QByteArrayView(bytes).sliced(copied);
    return kept;
}

void clean(const QString& path) {
    QFile file(path);
    if (!file.exists())
        return;
    if (QFileInfo(path).isDir())
        throw AppError(AppError::PathFileAccessError,
                       QStringLiteral("The settings file %1 is a folder, not a file").arg(path));
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(AppError::PermissionDenied,
                       QStringLiteral("Permission denied: the settings file %1 cannot be read").arg(path));
    const QByteArray bytes = file.readAll();
    file.close();
    const QByteArray kept = withoutObjectValues(bytes);
    if (kept.size() == bytes.size())
        return;
    AtomicFile rewritten(path);
    rewritten.open();
    rewritten.write(kept);
    rewritten.commit();
}

} // namespace SettingsFileGuard
