// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "lexicon/StressModel.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

// Estimates which syllables of a divided word are stressed, for words whose stress the dictionary does not give,
// from a model learned from the dictionary's own stress marks (tools/stress-trainer writes it; StressModel.h says
// what it holds). Until a model is loaded, stress() gives nothing. stress() may be called from several threads.
//
// The file, little-endian:
//   8 bytes  "PVSTRESS"
//   u16      format version (1)
//   u8       table bits
//   u32      number of weights (2^table bits)
//   i8 × n   the weights
//   u64      FNV-1a hash of every byte before it
class StressEstimator {
public:
    static constexpr std::uint16_t kFormatVersion = 1;

    bool load(const QString& path, QString* error = nullptr); // false with a clear error text on any bad file
    bool isLoaded() const { return m_loaded; }

    // The stress of a division ("*" at each boundary, as the dictionary and SyllableEstimator::divide write it):
    // a character per syllable as Division::markedSyllables counts them, '1' primary, '2' secondary, '0' none
    // (StressMarks.h): "dem*on*stra*tion" -> "2010". Each word of the division (the parts between blanks and
    // hyphens) gets one primary stress, a word of one syllable "1"; a part without letters is unstressed. Empty
    // when no model is loaded or the division has no letters.
    QString stress(QStringView division) const;

    // The model file's bytes for these weights (what the trainer writes).
    static QByteArray serialize(const StressModel::Shape& shape, const std::vector<std::int8_t>& weights);
    // A division folded to ASCII lower case ("ba*by") as the model sees it.
    static StressModel::Word modelWord(std::string_view division);

private:
    bool parse(const QByteArray& bytes, QString* problem);
    void stressWord(QStringView word, QString& out) const;

    StressModel::Shape m_shape;
    std::vector<std::int8_t> m_weights;
    bool m_loaded = false;
};
