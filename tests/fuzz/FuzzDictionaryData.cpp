// SPDX-License-Identifier: GPL-3.0-or-later
// The built-in dictionary's data reader on any text: it reads or refuses with a reason, never faults; every word
// it then holds is looked up (derived forms and all), a division laid onto the word spells the word, and a stress
// has a character a syllable.

#include "FuzzCheck.h"

#include "common/TextCodec.h"
#include "lexicon/DerivedForms.h"
#include "lexicon/Division.h"
#include "lexicon/Lexicon.h"
#include "lexicon/WordKey.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = TextCodec::decodeText(fuzzBytes(data, size));
    Lexicon lexicon;
    QString error;
    if (!lexicon.loadText(text, QStringLiteral("fuzz"), &error)) {
        fuzzCheck(error.startsWith(QStringLiteral("Line ")), "a refusal names the line");
        return 0;
    }
    const DerivedForms derived(lexicon);
    for (const QStringView line : QStringView(text).tokenize(u'\n')) {
        const QStringView word = line.left(line.indexOf(u'|')).trimmed();
        const QString key = WordKey::fold(word);
        const QString division = lexicon.usableDivision(key);
        [[maybe_unused]] const QString form = derived.derive(key);
        const QString laid = Division::onto(division, word);
        QString letters = laid;
        letters.remove(Division::kMark);
        fuzzCheck(laid == division || WordKey::fold(letters) == key, "a division laid onto a word spells the word");
        fuzzCheck(Division::countSyllables(Division::splitText(laid)) >= (laid.isEmpty() ? 0 : 1),
                  "a division that is not empty has a syllable");
        for (const Lexicon::Homograph& homograph : lexicon.homographs(key))
            fuzzCheck(homograph.stress.isEmpty() ||
                          homograph.stress.size() == Division::markedSyllables(homograph.division),
                      "a stress has a character a syllable of its division");
    }
    return 0;
}
