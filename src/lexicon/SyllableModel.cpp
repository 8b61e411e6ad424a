// SPDX-License-Identifier: GPL-3.0-or-later
#include "lexicon/SyllableModel.h"

namespace SyllableModel {

QString foldLetter(QChar letter) {
    // Letters that do not decompose into a base letter and marks.
    switch (letter.unicode()) {
    case u'æ':
    case u'Æ':
        return QStringLiteral("ae");
    case u'œ':
    case u'Œ':
        return QStringLiteral("oe");
    case u'ß':
        return QStringLiteral("ss");
    case u'ø':
    case u'Ø':
        return QStringLiteral("o");
    case u'ł':
    case u'Ł':
        return QStringLiteral("l");
    case u'đ':
    case u'Đ':
    case u'ð':
    case u'Ð':
        return QStringLiteral("d");
    case u'þ':
    case u'Þ':
        return QStringLiteral("th");
    case u'ı':
        return QStringLiteral("i");
    default:
        break;
    }
    const char16_t code = letter.toLower().unicode();
    if (code < 128)
        return code >= u'a' && code <= u'z' ? QString(QChar(code)) : QString();
    // Otherwise: the base letters of its full decomposition, the marks dropped ("é" -> "e", "ﬁ" -> "fi").
    QString folded;
    for (const QChar part : QString(letter).normalized(QString::NormalizationForm_KD)) {
        if (part.isMark())
            continue;
        const char16_t c = part.toLower().unicode();
        if (c < u'a' || c > u'z')
            return {};
        folded += QChar(c);
    }
    return folded;
}

} // namespace SyllableModel
