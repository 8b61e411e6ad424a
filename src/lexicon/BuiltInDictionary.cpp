// SPDX-License-Identifier: GPL-3.0-or-later
#include "lexicon/BuiltInDictionary.h"

#include "common/AppError.h"
#include "common/DataFiles.h"
#include "common/Trim.h"
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
        division.size() > 2 && division[2] != Division::kMark) {
        answer.division.insert(2, Division::kMark);
        if (!answer.stress.isEmpty())
            answer.stress.prepend(u'0');
    }
    return answer;
}

BuiltInDictionary::Answer answerOf(BuiltInDictionary::Source source, QString division) {
    BuiltInDictionary::Answer answer;
    answer.source = source;
    answer.division = std::move(division);
    return answer;
}

BuiltInDictionary::Answer reading(BuiltInDictionary::Source source, const QString& spoken) {
    BuiltInDictionary::Answer answer = answerOf(source, spoken);
    answer.reading = true;
    return answer;
}

// A written abbreviation, or the letter W, as it is spoken; empty for other words.
QString readAloud(QStringView written) {
    if (written.size() == 1)
        return written[0].toLower() == u'w' ? SpokenForms::letters(written) : QString();
    return SpokenForms::abbreviation(written);
}

} // namespace

QString BuiltInDictionary::Answer::splitText() const {
    return Division::splitText(division);
}

QString BuiltInDictionary::Answer::stressedText() const {
    return Division::stressedSplitText(division, stress);
}

int BuiltInDictionary::Answer::syllables() const {
    return Division::countSyllables(splitText());
}

bool BuiltInDictionary::load(const QStringList& files, QString* error, const QString& estimatorFile,
                             const QString& stressEstimatorFile) {
    return m_lexicon.load(files, error) && (estimatorFile.isEmpty() || m_estimator.load(estimatorFile, error)) &&
           (stressEstimatorFile.isEmpty() || m_stressEstimator.load(stressEstimatorFile, error));
}

bool BuiltInDictionary::loadInstalled(QString* error) {
    try {
        for (const QString& name : kDataNames) {
            const DataFiles::Checked data = DataFiles::readChecked(name);
            if (!m_lexicon.loadText(QString::fromUtf8(data.bytes), data.path, error))
                return false;
        }
        return m_estimator.load(DataFiles::readChecked(kEstimatorName).path, error) &&
               m_stressEstimator.load(DataFiles::readChecked(kStressEstimatorName).path, error);
    } catch (const AppError& failure) {
        if (error)
            *error = failure.description();
        return false;
    }
}

BuiltInDictionary::Answer BuiltInDictionary::lookUp(QStringView word, bool withHomographs, bool withStress) const {
    Answer answer = find(TrimSpacesView(word), withHomographs, withStress);
    if (withStress && answer.found() && answer.stress.size() != Division::markedSyllables(answer.division))
        answer.stress = answer.reading ? stressOfReading(answer.division) : m_stressEstimator.stress(answer.division);
    return answer;
}

BuiltInDictionary::Answer BuiltInDictionary::find(QStringView written, bool withHomographs, bool withStress) const {
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
    if (listedAnswer(written, key, {plain, withHomographs, withStress}, answer))
        return withMcApart(answer, written);
    // 5. Letters of an initialism with a plural or possessive s (IDs, TV's), and a word without a vowel letter the
    //    dictionary does not list (fsck, pwd): read letter by letter.
    if (QString spelt = SpokenForms::lettersWithEnding(written); !spelt.isEmpty())
        return reading(Source::Derived, spelt);
    // 6. A form derived from listed words, unless it rests on a compound the estimator doubts.
    DerivedForms::Context context;
    context.writtenPlain = plain;
    context.withStress = withStress;
    if (const QString derived = m_derived.derive(key, context); !derived.isEmpty()) {
        answer = answerOf(Source::Derived, Division::onto(derived, written));
        answer.stress = context.stress;
        Division::joinVowellessPieces(answer.division, &answer.stress);
        const int doubt = (context.compounded || context.movedStress) && m_estimator.isLoaded()
                              ? m_estimator.doubt(answer.division)
                              : 0;
        if (doubt == 0 || (!context.movedStress && doubt <= DerivedForms::kCompoundDoubt))
            return answer;
    }
    // 7. A name after a prefix of its own (O'Brien, McGee), 8. the estimate.
    if (Answer named = prefixedName(written, withStress); named.found())
        return named;
    if (m_estimator.isLoaded())
        return answerOf(Source::Estimated, EstimateMends::mend(m_estimator.divide(written))); // stressed by the model
    return answer;
}

// The dictionary's division: a homograph spelt as written when the word has accents or capitals, else the key's,
// laid onto the user's letters. A regular plural, third person or past of a listed word is read as such before
// an entry of the dictionary that sounds the ending (comes, not the Latin co·mes; picked, not pick·ed, "pointed"):
// the hand-made supplement, read after the dictionary, keeps the words whose ending is sounded (crook·ed).
bool BuiltInDictionary::listedAnswer(QStringView written, QStringView key, Asked asked, Answer& answer) const {
    QString spelt;
    QString speltStress;
    QStringView listedStress;
    if (!Lexicon::isPlainSpelling(written))
        spelt = m_lexicon.divisionSpeltAs(key, written, asked.stress ? &speltStress : nullptr);
    const QStringView listed = spelt.isEmpty()
                                   ? m_lexicon.usableDivisionView(key, nullptr, asked.stress ? &listedStress : nullptr)
                                   : QStringView(spelt);
    if (listed.isEmpty())
        return false;
    if (soundsEnding(listed) && m_lexicon.isFromDictionary(key)) {
        DerivedForms::Context context;
        context.writtenPlain = asked.plain;
        context.withStress = asked.stress;
        const QString regular = m_derived.regularInflection(key, context);
        if (!regular.isEmpty() && Division::markedSyllables(regular) < Division::markedSyllables(listed)) {
            answer = answerOf(Source::Derived, Division::onto(regular, written));
            answer.stress = context.stress;
            return true;
        }
    }
    answer.source = Source::Dictionary;
    answer.division = Division::onto(listed, written);
    if (asked.stress)
        answer.stress = spelt.isEmpty() ? listedStress.toString() : speltStress;
    Division::joinVowellessPieces(answer.division, &answer.stress);
    if (asked.homographs) {
        answer.homographs = m_lexicon.usableHomographs(key);
        for (Lexicon::Homograph& homograph : answer.homographs) {
            homograph.division = Division::onto(homograph.division, written);
            Division::joinVowellessPieces(homograph.division, &homograph.stress);
        }
    }
    return true;
}

// The stress of a number, abbreviation or letters read aloud: each word as the dictionary stresses it (or as the
// model guesses), letters spelt out with the last one stressed most (ˌF·ˌB·ˈI).
QString BuiltInDictionary::stressOfReading(QStringView division) const {
    QString stress;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= division.size(); ++i) {
        if (i < division.size() && division[i] != u' ' && division[i] != u'-')
            continue;
        const QStringView word = division.mid(start, i - start);
        start = i + 1;
        if (word.isEmpty())
            continue;
        WordKey::Buffer buffer;
        QStringView listedStress;
        const QStringView listed = m_lexicon.usableDivisionView(
            WordKey::fold(word.toString().remove(Division::kMark), buffer), nullptr, &listedStress);
        if (!listed.isEmpty() && listed.compare(word, Qt::CaseInsensitive) == 0 &&
            listedStress.size() == Division::markedSyllables(word))
            stress += listedStress;
        else if (SpokenForms::isLetterRun(word))
            stress += QString(Division::markedSyllables(word) - 1, u'2') + u'1';
        else
            stress += m_stressEstimator.stress(word);
    }
    return stress;
}

// O'Brien, D'Angelo, McGee, MacArthur: the name after the prefix, looked up on its own. O' is a syllable of its
// own, Mc and Mac are, a consonant and an apostrophe joins the name's first syllable.
BuiltInDictionary::Answer BuiltInDictionary::prefixedName(QStringView written, bool withStress) const {
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
    Answer name = find(written.mid(at), false, withStress);
    if (!name.found() || name.source == Source::Number)
        return {};
    name.division = written.left(at).toString() + (ownSyllable ? QStringLiteral("*") : QString()) + name.division;
    if (ownSyllable && !name.stress.isEmpty())
        name.stress.prepend(u'0'); // O'·ˈBri·en, Mc·ˈGee
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

QString BuiltInDictionary::defaultStressEstimatorFile() {
    return DataFiles::path(kStressEstimatorName);
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
