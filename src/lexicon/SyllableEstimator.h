// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "lexicon/SyllableModel.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <limits>
#include <vector>

// Estimates the syllable division of a word the dictionary does not have, from a model learned from the
// dictionary's own divisions (tools/syllable-trainer writes it; SyllableModel.h says what it holds). Until a
// model is loaded, divide() gives every word back unchanged. divide() may be called from several threads.
//
// The file, little-endian:
//   8 bytes  "PVSYLEST"
//   u16      format version (2)
//   8 × u8   table bits, most letters left of a gap, right of a gap, letters in a gap feature, letters in a
//            syllable feature, letters of the word's end and of its start seen with each gap (0: none), stress
//            levels (1: no stress)
//   u32      number of weights (2^table bits)
//   i8 × n   the weights
//   u64      FNV-1a hash of every byte before it
class SyllableEstimator {
public:
    static constexpr std::uint16_t kFormatVersion = 2;

    bool load(const QString& path, QString* error = nullptr); // false with a clear error text on any bad file
    bool isLoaded() const;
    // The word with "*" inserted at every estimated syllable boundary ("flibbery" -> "flib*ber*y"). Letters
    // keep their case and accents (fold for the model only); a blank or hyphen is kept and starts a new piece;
    // apostrophes and digits stay where they are without a boundary of their own. A word with no letters
    // comes back unchanged.
    QString divide(QStringView word) const;

    // How far the model's own best division of the word scores above this division of it ("*" at each
    // boundary, as divide() writes them): 0 when it is the model's own or no model is loaded, kRuledOut when
    // the model does not allow it. The scale is the model's; see BuiltInDictionary for the use.
    int doubt(QStringView division) const;
    static constexpr int kRuledOut = std::numeric_limits<int>::max();

    // The model file's bytes for these weights (what the trainer writes).
    static QByteArray serialize(const SyllableModel::Shape& shape, const std::vector<std::int8_t>& weights);

private:
    bool parse(const QByteArray& bytes, QString* problem);
    void dividePiece(QStringView piece, QString& out) const;
    int pieceDoubt(QStringView division) const;
    auto weightOf() const {
        return [this](std::uint32_t slot) {
            const int w = m_weights[SyllableModel::slotIndex(slot)];
            return SyllableModel::slotNegative(slot) ? -w : w;
        };
    }

    SyllableModel::Shape m_shape;
    std::vector<std::int8_t> m_weights;
    bool m_loaded = false;
};
