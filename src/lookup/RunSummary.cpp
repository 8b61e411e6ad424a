// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/RunSummary.h"

#include <QLocale>
#include <QStringList>

namespace {

const QLocale& english() {
    static const QLocale locale(QLocale::English, QLocale::UnitedStates);
    return locale;
}

QString counted(std::int64_t number, const QString& one, const QString& many) {
    return english().toString(static_cast<qlonglong>(number)) + QLatin1Char(' ') + (number == 1 ? one : many);
}

} // namespace

void RunSummary::add(bool found, bool estimated, int syllables) {
    ++m_words;
    if (!found)
        return;
    ++m_found;
    m_syllables += syllables;
    if (estimated)
        ++m_estimated;
}

double RunSummary::syllablesPerWord() const {
    return m_found == 0 ? 0.0 : static_cast<double>(m_syllables) / static_cast<double>(m_found);
}

QString RunSummary::text() const {
    const QStringList parts{
        counted(m_words, QStringLiteral("word"), QStringLiteral("words")),
        counted(m_syllables, QStringLiteral("syllable"), QStringLiteral("syllables")),
        english().toString(syllablesPerWord(), 'f', 2) + QStringLiteral(" a word"),
        counted(m_estimated, QStringLiteral("estimated"), QStringLiteral("estimated")),
        counted(notFound(), QStringLiteral("not found"), QStringLiteral("not found")),
    };
    return parts.join(QStringLiteral(" \u00B7 "));
}
