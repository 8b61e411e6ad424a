// SPDX-License-Identifier: GPL-3.0-or-later
#include "lexicon/WordKey.h"

#include <algorithm>

namespace WordKey {
namespace {

Folded one(char16_t c) {
    return {{c, 0}, 1};
}

Folded two(char16_t a, char16_t b) {
    return {{a, b}, 2};
}

// Letters whose key is not their first decomposed letter.
bool special(char16_t c, Folded& out) {
    switch (c) {
    case u'æ':
    case u'Æ':
        out = two(u'a', u'e');
        return true;
    case u'œ':
    case u'Œ':
        out = two(u'o', u'e');
        return true;
    case u'ß':
        out = two(u's', u's');
        return true;
    case u'ø':
    case u'Ø':
        out = one(u'o');
        return true;
    case u'ð':
    case u'Ð':
        out = one(u'd');
        return true;
    case u'þ':
    case u'Þ':
        out = two(u't', u'h');
        return true;
    case u'ı':
        out = one(u'i');
        return true;
    case u'\u2018':
    case u'\u2019':
    case u'\u02BC':
    case u'`':
        out = one(u'\'');
        return true;
    case u'\u2010':
    case u'\u2011':
        out = one(u'-');
        return true;
    default:
        return false;
    }
}

} // namespace

Folded foldChar(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80 && u != u'`')
        return one(u >= u'A' && u <= u'Z' ? char16_t(u + (u'a' - u'A')) : u);
    Folded folded;
    if (special(u, folded))
        return folded;
    if (c.category() == QChar::Mark_NonSpacing)
        return {};
    const QString decomposed = c.decomposition();
    const QChar base = decomposed.isEmpty() ? c : decomposed.front();
    return one(base.toLower().unicode());
}

void appendFolded(QChar c, QString& out) {
    const Folded folded = foldChar(c);
    out.append(reinterpret_cast<const QChar*>(folded.letters), folded.size);
}

QStringView fold(QStringView text, Buffer& buffer) {
    buffer.resize(text.size());
    qsizetype length = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (u < 0x80 && u != u'`') {
            buffer[length++] = QChar(u >= u'A' && u <= u'Z' ? char16_t(u + (u'a' - u'A')) : u);
            continue;
        }
        const Folded folded = foldChar(text[i]);
        // A ligature makes the key longer than the text: keep room for the rest of the text, a letter each.
        buffer.resize(std::max(buffer.size(), length + folded.size + (text.size() - i - 1)));
        for (int k = 0; k < folded.size; ++k)
            buffer[length++] = QChar(folded.letters[k]);
    }
    buffer.resize(length);
    return QStringView(buffer.constData(), length);
}

QString fold(QStringView text) {
    Buffer buffer;
    return fold(text, buffer).toString();
}

} // namespace WordKey
