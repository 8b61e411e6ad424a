// SPDX-License-Identifier: GPL-3.0-or-later
#include "lexicon/BuiltInDictionary.h"

#include "common/AppError.h"
#include "common/DataFiles.h"
#include "common/WordLimit.h"
#include "lexicon/Division.h"
#include "lexicon/EstimateMends.h"
#include "lexicon/SpokenForms.h"
#include "lexicon/WordKey.h"

#include <algorithm>
#include <mutex>

namespace {

bool hasLetter(QStringView text) {
    for (const QChar c : text) {
        if (c.isLetter())
            return true;
    }
    return false;
}

bool isAscii(QStringView text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

// The last piece of a division is an ending -es or -ed after consonants, spoken as a syllable (Co*mes, Pick*ed).
bool soundsEnding(QStringView division) {
    const qsizetype mark = division.lastIndexOf(Division::kMark);
    const QStringView last = division.mid(mark + 1);
    if (mark < 0 || last.size() < 2)
        return false;
    const QChar end = last.back().toLower();
    return last[last.size() - 2].toLower() == u'e' && (end == u's' || end == u'd') &&
           !Division::hasVowel(last.chopped(2));
}

// The dictionary has an entry spelt in these very capitals (an abbreviation's: DNA, PC), not only the word (Us).
bool listsInCapitals(const Lexicon& lexicon, QStringView key, QStringView capitals) {
    const auto homographs = lexicon.homographs(key);
    return std::any_of(homographs.begin(), homographs.end(), [&](const Lexicon::Homograph& homograph) {
        return QString(homograph.division).remove(Division::kMark) == capitals;
    });
}

// Mc is a syllable of its own in a name, however the dictionary divides it: Mc·Don·ald.
BuiltInDictionary::Answer withMcApart(BuiltInDictionary::Answer answer, QStringView written) {
    const QString& division = answer.division;
    if (written.size() > 3 && written.startsWith(u"Mc") && written[2].isUpper() && division.startsWith(u"Mc") &&
        division.size() > 2 && division[2] != Division::kMark)
        answer.division.insert(2, Division::kMark);
    return answer;
}

BuiltInDictionary::Answer reading(BuiltInDictionary::Source source, const QString& spoken) {
    BuiltInDictionary::Answer answer{source, spoken, {}};
    answer.reading = true;
    return answer;
}

// A written abbreviation, or the letter W, as it is spoken; empty for other words.
QString readAloud(QStringView written) {
    if (written.size() == 1)
        return written[0].toLower() == u'w' ? SpokenForms::letters(written) : QString();
    return SpokenForms::abbreviation(written);
}

QStringView trimmedOfSpaces(QStringView word) {
    while (word.startsWith(u' '))
        word = word.mid(1);
    while (word.endsWith(u' '))
        word.chop(1);
    return word;
}

} // namespace

QString BuiltInDictionary::Answer::splitText() const {
    return Division::splitText(division);
}

int BuiltInDictionary::Answer::syllables() const {
    return Division::countSyllables(splitText());
}

bool BuiltInDictionary::load(const QStringList& files, QString* error, const QString& estimatorFile) {
    return m_lexicon.load(files, error) && (estimatorFile.isEmpty() || m_estimator.load(estimatorFile, error));
}

bool BuiltInDictionary::loadInstalled(QString* error) {
    try {
        for (const QString& name : kDataNames) {
            const DataFiles::Checked data = DataFiles::readChecked(name);
            if (!m_lexicon.loadText(QString::fromUtf8(data.bytes), data.path, error))
                return false;
        }
        return m_estimator.load(DataFiles::readChecked(kEstimatorName).path, error);
    } catch (const AppError& failure) {
        if (error)
            *error = failure.description();
        return false;
    }
}

BuiltInDictionary::Answer BuiltInDictionary::lookUp(QStringView word, bool withHomographs) const {
    const QStringView written = trimmedOfSpaces(word);
    if (written.isEmpty() || WordLimit::isTooLong(written))
        return {};
    // 1. Numbers are read aloud; nothing else that holds a digit is a word.
    if (SpokenForms::hasDigit(written)) {
        const QString spoken = SpokenForms::number(written);
        return spoken.isEmpty() ? Answer{} : reading(Source::Number, spoken);
    }
    if (!hasLetter(written))
        return {};
    // 2. A written abbreviation, and W (the one letter whose name has more than one syllable), as they are spoken.
    if (const QString spoken = readAloud(written); !spoken.isEmpty())
        return reading(Source::Derived, spoken);
    WordKey::Buffer buffer;
    const QStringView key = WordKey::fold(written, buffer);
    const bool plain = isAscii(written);
    // 3. Capitals that read as no word are read letter by letter, unless the dictionary lists them as a word (US
    //    is us, THE is the; but it lists DNA and PC in capitals, as abbreviations).
    Answer answer;
    const bool initialism = SpokenForms::isInitialism(written);
    if (initialism && (m_lexicon.usableDivisionView(key).isEmpty() || listsInCapitals(m_lexicon, key, written)))
        return reading(Source::Derived, SpokenForms::letters(written));
    // 4. The dictionary.
    if (listedAnswer(written, key, plain, withHomographs, answer))
        return withMcApart(answer, written);
    // 5. Letters of an initialism with a plural or possessive s (IDs, TV's), and a word without a vowel letter the
    //    dictionary does not list (fsck, pwd): read letter by letter.
    if (QString spelt = SpokenForms::lettersWithEnding(written); !spelt.isEmpty())
        return reading(Source::Derived, spelt);
    // 6. A form derived from listed words, unless it rests on a compound the estimator doubts.
    DerivedForms::Context context;
    context.writtenPlain = plain;
    if (const QString derived = m_derived.derive(key, context); !derived.isEmpty()) {
        answer = {Source::Derived, Division::onto(derived, written), {}};
        Division::joinVowellessPieces(answer.division);
        if (!context.compounded || !m_estimator.isLoaded() ||
            m_estimator.doubt(answer.division) <= DerivedForms::kCompoundDoubt)
            return answer;
    }
    // 7. A name after a prefix of its own (O'Brien, McGee), 8. the estimate.
    if (Answer named = prefixedName(written); named.found())
        return named;
    if (m_estimator.isLoaded())
        return {Source::Estimated, EstimateMends::mend(m_estimator.divide(written)), {}};
    return answer;
}

// The dictionary's division: a homograph spelt as written when the word has accents or capitals, else the key's,
// laid onto the user's letters. A regular plural, third person or past of a listed word is read as such before
// an entry of the dictionary that sounds the ending (comes, not the Latin co·mes; picked, not pick·ed, "pointed"):
// the hand-made supplement, read after the dictionary, keeps the words whose ending is sounded (crook·ed).
bool BuiltInDictionary::listedAnswer(QStringView written, QStringView key, bool plain, bool withHomographs,
                                     Answer& answer) const {
    QString spelt;
    if (!Lexicon::isPlainSpelling(written))
        spelt = m_lexicon.divisionSpeltAs(key, written);
    const QStringView listed = spelt.isEmpty() ? m_lexicon.usableDivisionView(key) : QStringView(spelt);
    if (listed.isEmpty())
        return false;
    if (soundsEnding(listed) && m_lexicon.isFromDictionary(key)) {
        const QString regular = m_derived.regularInflection(key, plain);
        if (!regular.isEmpty() && Division::markedSyllables(regular) < Division::markedSyllables(listed)) {
            answer = {Source::Derived, Division::onto(regular, written), {}};
            return true;
        }
    }
    answer.source = Source::Dictionary;
    answer.division = Division::onto(listed, written);
    Division::joinVowellessPieces(answer.division);
    if (withHomographs) {
        answer.homographs = m_lexicon.usableHomographs(key);
        for (Lexicon::Homograph& homograph : answer.homographs) {
            homograph.division = Division::onto(homograph.division, written);
            Division::joinVowellessPieces(homograph.division);
        }
    }
    return true;
}

// O'Brien, D'Angelo, McGee, MacArthur: the name after the prefix, looked up on its own. O' is a syllable of its
// own, Mc and Mac are, a consonant and an apostrophe joins the name's first syllable.
BuiltInDictionary::Answer BuiltInDictionary::prefixedName(QStringView written) const {
    qsizetype at = 0;
    bool ownSyllable = true;
    if (written.size() > 3 && QStringView(u"OoDdLl").contains(written[0]) &&
        (written[1] == u'\'' || written[1] == u'\u2019') && written[2].isUpper()) {
        at = 2;
        ownSyllable = written[0].toLower() == u'o';
    } else if (written.size() > 3 && written.startsWith(u"Mc") && written[2].isUpper()) {
        at = 2;
    } else if (written.size() > 4 && written.startsWith(u"Mac") && written[3].isUpper()) {
        at = 3;
    } else {
        return {};
    }
    Answer name = lookUp(written.mid(at));
    if (!name.found() || name.source == Source::Number)
        return {};
    name.division = written.left(at).toString() + (ownSyllable ? QStringLiteral("*") : QString()) + name.division;
    if (name.source == Source::Dictionary)
        name.source = Source::Derived;
    name.homographs.clear();
    return name;
}

QString BuiltInDictionary::sourceName(Source source) {
    switch (source) {
    case Source::Dictionary:
        return QStringLiteral("dictionary");
    case Source::Derived:
        return QStringLiteral("derived");
    case Source::Estimated:
        return QStringLiteral("estimated");
    case Source::Number:
        return QStringLiteral("number");
    case Source::NotFound:
        break;
    }
    return QStringLiteral("not found");
}

QStringList BuiltInDictionary::defaultFiles() {
    QStringList files;
    for (const QString& name : kDataNames)
        files << DataFiles::path(name);
    return files;
}

QString BuiltInDictionary::defaultEstimatorFile() {
    return DataFiles::path(kEstimatorName);
}

const BuiltInDictionary& BuiltInDictionary::shared() {
    static std::once_flag once;
    static std::unique_ptr<BuiltInDictionary> dictionary;
    static QString failure;
    std::call_once(once, [] {
        auto loaded = std::make_unique<BuiltInDictionary>();
        if (loaded->loadInstalled(&failure))
            dictionary = std::move(loaded);
    });
    if (!dictionary)
        throw AppError::withText(QStringLiteral("The built-in dictionary could not be read. ") + failure);
    return *dictionary;
}
