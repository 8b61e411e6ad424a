// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

class Lexicon;
class StressEstimator;
class SyllableEstimator;

// Divisions of words the dictionary does not list as headwords, made from the ones it does: plurals and verb
// forms (-s, -es, -ies, -ed, -ing), comparatives (-er, -est), -ly, -ness, -ment, -ful, -less, -able, the
// possessive 's and the contractions n't, 'll, 'd, 've and 're, the prefixes un- and re-, closed compounds of two
// listed words, and words joined by blanks or hyphens; British spellings of listed words (hon·our, re·al·ise,
// cen·tre); and irregular forms the dictionary lists under an entry (be·gan from be·gin). English spelling is undone
// to find the stem (hop·ping, hop·ing, ba·bies), and a suffix adds a syllable only where it is spoken as one
// (want·ed, but walked; judge·'s, but man's; could·n't; it·'ll, but she'll).
class DerivedForms {
public:
    // How far the estimator may prefer its own division of a word to a guessed compound's before its own is taken
    // (SyllableEstimator::doubt). Dividing held-out dictionary words shows the estimator right more often than the
    // compound rule, which also splits names and words that only look like compounds (and·rew, matt·hew); a small
    // allowance keeps true compounds it is unsure of (week·end). bench/BenchEstimator measures both.
    static constexpr int kCompoundDoubt = 50;

    // With an estimator, a word that cuts into two listed words in more than one way is cut where the first word
    // is longest, unless the estimator doubts that cut by more than kCompoundDoubt over another (hand·shake, not
    // hands·hake; but lift·off, not lif·toff).
    explicit DerivedForms(const Lexicon& lexicon, const SyllableEstimator* estimator = nullptr,
                          const StressEstimator* stressEstimator = nullptr)
        : m_lexicon(lexicon), m_estimator(estimator), m_stressEstimator(stressEstimator) {}

    // What one derivation goes by and what it finds out on the way, passed down its calls.
    struct Context {
        // The word was written without accents: a stem that needs an accent the user did not type (massé, couché,
        // attaché) is no stem of it. A diaeresis or a ligature (coöperate, Cæsar) writes the same letters.
        bool writtenPlain = true;
        // Out: the division rests on a guessed closed compound (some·one from some and one), the least certain of
        // the rules: hands·hake is as much a compound of listed words as hand·shake.
        bool compounded = false;
        // Out: it rests on a suffix that moves the stress (pho·to·graph·ic). Such a suffix changes how the word is
        // divided in ways the rules do not follow (-cian, -tial): the division stands only where the estimator
        // divides the word alike, and the rule gives its stress.
        bool movedStress = false;
        int lookupsLeft = 0; // the dictionary lookups it may still make
        // Whether the stress is wanted too; out: the stress of the division derived (Lexicon::Homograph::stress),
        // empty when it is not wanted or not known.
        bool withStress = false;
        QString stress;
    };

    // The division of a key (see WordKey), in the dictionary's letters; empty when it cannot be derived.
    QString derive(QStringView key, Context& context) const;
    QString derive(QStringView key) const;

    // The key as the regular plural, third person or past of a listed word (comes from come, picked from pick),
    // with the stem's boundaries; empty when it is none. A word the dictionary also lists as another word (Co*mes,
    // a Latin term; Pick*ed, "pointed") is read as such a form in everyday text.
    QString regularInflection(QStringView key, Context& context) const;

    // The division of a key that the dictionary lists with a usable division (marked, or of one vowel group);
    // empty otherwise.
    QString listed(QStringView key) const;

private:
    // A division and its stress (empty unless the context wants it).
    struct Form {
        QString division;
        QString stress;
        bool isEmpty() const { return division.isEmpty(); }
    };

    Form listedStem(QStringView key, const Context& c, bool* isForm = nullptr) const;
    QString verbStress(QStringView key, const QString& otherwise) const;
    Form resolve(QStringView key, int depth, Context& c) const;
    Form bySuffix(QStringView key, int depth, Context& c) const;
    // The suffix rules on the given stems only (on any stem when there are none).
    Form bySuffixOn(QStringView key, int depth, const QStringList& stems, Context& c) const;
    Form suffixRules(QStringView key, int stemDepth, const QStringList& stems, Context& c) const;
    Form byContraction(QStringView key, int depth, Context& c) const;
    Form byPrefix(QStringView key, int depth, Context& c) const;
    Form byMovingSuffix(QStringView key, int depth, Context& c) const;
    Form byCompound(QStringView key, int depth, Context& c) const;
    Form byParts(QStringView key, int depth, Context& c) const;
    Form byRespelling(QStringView key, int depth, Context& c) const;
    Form byListedForm(QStringView key, const Context& c) const;

    const Lexicon& m_lexicon;
    const SyllableEstimator* m_estimator;
    const StressEstimator* m_stressEstimator;
};
