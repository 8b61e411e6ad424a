// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

// Mends the estimator's divisions of words the dictionary does not have, mostly names and new words, where English
// spelling says more than the model learned from a dictionary full of Latin and Greek (BenchEstimator measures the
// mended estimates on held-out dictionary words beside the model's own):
// - a final e after consonants is silent: Ma·lone, Bo·na·parte, vape (not Ma·lo·ne, va·pe); but not the syllabic
//   -le and -re after a consonant (ta·ble);
// - outside names, -ed is spoken only after t and d: ogged, im·mixed (but want·ed, and Mo·ham·med);
// - in a name (a word with a capital), -es is spoken only after the sounds that need it (Hughes, Jones; but
//   Fox·es), and ei is one vowel (Klein, Hein·lein, not Kle·in);
// - Mc is a syllable of its own: Mc·Gee.
namespace EstimateMends {

QString mend(QStringView division);

} // namespace EstimateMends
