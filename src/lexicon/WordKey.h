// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>
#include <QVarLengthArray>

// The form under which the built-in dictionary files a word: lower case, accents dropped (é → e), ligatures
// spelled out (æ → ae, œ → oe), typographic apostrophes and hyphens made plain. "Abbé", "ABBE" and "abbe" share
// one key, so a user finds a word however they typed its letters.
namespace WordKey {

// The key of a whole text.
QString fold(QStringView text);

// The same, written into the caller's buffer (no allocation for a word of ordinary length); the view is the
// buffer's and lives as long as it does.
using Buffer = QVarLengthArray<QChar, 64>;
QStringView fold(QStringView text, Buffer& buffer);

// The key of one character: none for a combining mark, two letters for a ligature.
struct Folded {
    char16_t letters[2] = {};
    int size = 0;
    bool operator==(const Folded& other) const {
        return size == other.size && letters[0] == other.letters[0] && letters[1] == other.letters[1];
    }
};
Folded foldChar(QChar c);

// The key of one character appended to out.
void appendFolded(QChar c, QString& out);

// True for the letters a, e, i, o, u and y of a key.
inline bool isVowel(QChar c) {
    switch (c.unicode()) {
    case 'a':
    case 'e':
    case 'i':
    case 'o':
    case 'u':
    case 'y':
        return true;
    default:
        return false;
    }
}

} // namespace WordKey
