// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>

// The totals of one splitting run, one looked-up word at a time, and the line that tells them:
//     5,705 words · 9,874 syllables · 1.73 a word · 212 estimated · 3 not found
// "words" counts every word that was looked up, found or not (a word the run never reached is not counted);
// "syllables" adds up the counts of the found words, estimates included; "a word" is that sum over the found
// words only (a word without a division has no count to average), 0.00 when none was found; "estimated" is
// how many of the found words have the built-in dictionary's estimate. Numbers are grouped in thousands with
// commas, the average has two decimals, and one word or syllable is singular. Needs no window: the window's
// run and the command line both use it.
class RunSummary {
public:
    void add(bool found, bool estimated, int syllables);
    void clear() { *this = RunSummary(); }

    std::int64_t words() const { return m_words; }
    std::int64_t foundWords() const { return m_found; }
    std::int64_t syllables() const { return m_syllables; }
    std::int64_t estimated() const { return m_estimated; }
    std::int64_t notFound() const { return m_words - m_found; }
    double syllablesPerWord() const;

    QString text() const;

private:
    std::int64_t m_words = 0;
    std::int64_t m_found = 0;
    std::int64_t m_syllables = 0;
    std::int64_t m_estimated = 0;
};
