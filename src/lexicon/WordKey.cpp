#include "lexicon/WordKey.h"

namespace WordKey {
namespace {

// Letters whose key is not their first decomposed letter.
bool appendSpecial(char16_t c, QString& out) {
    switch (c) {
    case u'æ':
    case u'Æ':
        out += QLatin1String("ae");
        return true;
    case u'œ':
    case u'Œ':
        out += QLatin1String("oe");
        return true;
    case u'ß':
        out += QLatin1String("ss");
        return true;
    case u'ø':
    case u'Ø':
        out += QLatin1Char('o');
        return true;
    case u'ð':
    case u'Ð':
        out += QLatin1Char('d');
        return true;
    case u'þ':
    case u'Þ':
        out += QLatin1String("th");
        return true;
    case u'ı':
        out += QLatin1Char('i');
        return true;
    case u'\u2018':
    case u'\u2019':
    case u'\u02BC':
    case u'`':
        out += QLatin1Char('\'');
        return true;
    case u'\u2010':
    case u'\u2011':
        out += QLatin1Char('-');
        return true;
    default:
        return false;
    }
}

} // namespace

void appendFolded(QChar c, QString& out) {
    const char16_t u = c.unicode();
    if (u < 0x80) {
        out += QChar(u >= 'A' && u <= 'Z' ? u + ('a' - 'A') : u);
        return;
    }
    if (appendSpecial(u, out) || c.category() == QChar::Mark_NonSpacing)
        return;
    const QString decomposed = c.decomposition();
    const QChar base = decomposed.isEmpty() ? c : decomposed.front();
    out += base.toLower();
}

QString fold(QStringView text) {
    QString key;
    key.reserve(text.size());
    for (const QChar c : text)
        appendFolded(c, key);
    return key;
}

} // namespace WordKey
