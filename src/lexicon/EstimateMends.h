// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

// Mends the estimator's divisions of words the dictionary does not have, mostly names and new words, where English
// spelling says more than the model learned from a dictionary of common words (BenchEstimator measures both ways
// on held-out dictionary words):
// - a final e after consonants is silent: Ma·lone, Bo·na·parte, vape (not Ma·lo·ne, va·pe); but not the syllabic
//   -le and -re after a consonant (ta·ble);
// - -es and -ed are spoken only after the sounds that need them: bytes, Hughes, pes·ti·cides, ogged (but box·es,
//   pag·es, want·ed);
// - ei is one vowel: Klein, Hein·lein (not Kle·in);
// - Mc is a syllable of its own: Mc·Gee.
namespace EstimateMends {

QString mend(QStringView division);

} // namespace EstimateMends
