// SPDX-License-Identifier: GPL-3.0-or-later
#include "KnownWords.h"

#include "common/DataFiles.h"
#include "lexicon/BuiltInDictionary.h"

#include <QFile>
#include <algorithm>

namespace KnownWords {

QStringList sample(int wanted) {
    const BuiltInDictionary& dictionary = BuiltInDictionary::shared();
    QFile file(DataFiles::path(QStringLiteral("dictionary.txt")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    QStringList words;
    const qsizetype step = std::max<qsizetype>(1, lines.size() / wanted / 2);
    static const QStringList endings{QString(), QStringLiteral("s"), QStringLiteral("ing"), QStringLiteral("ed"),
                                     QStringLiteral("ly")};
    for (qsizetype i = 0; i < lines.size() && words.size() < wanted; i += step) {
        const QString word = lines[i].section(QLatin1Char('|'), 0, 0) + endings[words.size() % endings.size()];
        const BuiltInDictionary::Answer answer = dictionary.lookUp(word);
        if (!lines[i].startsWith(QLatin1Char('#')) && answer.found() && !answer.reading &&
            answer.source != BuiltInDictionary::Source::Estimated)
            words.append(word);
    }
    return words;
}

} // namespace KnownWords
