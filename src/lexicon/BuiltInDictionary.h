// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "lexicon/DerivedForms.h"
#include "lexicon/Lexicon.h"
#include "lexicon/StressEstimator.h"
#include "lexicon/SyllableEstimator.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <memory>
#include <vector>

// Parvenna's own dictionary of syllable divisions: the GCIDE headwords (data/dictionary.txt) with the project's
// hand-made supplement read after them (data/words.txt), the forms derived from them, and estimates for the
// words neither gives. Words of real text are read as they are spoken: numbers (66 six·ty-six), written
// abbreviations (Mr Mis·ter), initialisms (FBI F·B·I), contractions and possessives (could·n't, judge·'s). Every
// division is laid onto the letters the user typed. Used in-process by the splitting run, by the local dictionary
// service and by parvenna-dictionary --split.
class BuiltInDictionary {
public:
    enum class Source { Dictionary, Derived, Estimated, Number, NotFound };

    struct Answer {
        Source source = Source::NotFound;
        QString division;                           // laid onto the word as written: "ba*by", "New Hamp*shire"
        std::vector<Lexicon::Homograph> homographs; // the dictionary's own entries, when asked for
        // The word read aloud rather than divided: a number, an abbreviation, letters (six·ty-six, Mis·ter, F·B·I).
        // No dictionary has such an entry; the local dictionary service does not answer it.
        bool reading = false;
        // With stress asked for: a character a syllable of the division, '1' primary, '2' secondary, '0' none
        // ("10"); the dictionary's own marks, carried through a derivation, or the stress model's guess.
        QString stress;

        bool found() const { return source != Source::NotFound; }
        QString splitText() const;    // "ba·by"
        QString stressedText() const; // "ˈba·by": the split text with stress marks, as far as the stress is known
        int syllables() const;        // 2
    };

    // Reads the data files in order (later ones win), and the estimator's model when one is named (without it,
    // words that are neither listed nor derived are not found). False, with the reason in *error, when a file
    // cannot be read.
    bool load(const QStringList& files, QString* error = nullptr, const QString& estimatorFile = {},
              const QString& stressEstimatorFile = {});
    // Reads the data files of the installed or built program (defaultFiles() and the estimator's model), each
    // checked first against the manifest the build wrote beside it. False, with one message in *error that names
    // the file and asks to reinstall, when a file is missing, empty or damaged.
    bool loadInstalled(QString* error = nullptr);

    // The answer for a word as the user wrote it (surrounding blanks ignored). With homographs, a listed word's
    // answer holds all its divided entries with their labels (a service lists them all); with stress, its stress.
    Answer lookUp(QStringView word, bool withHomographs = false, bool withStress = false) const;

    const Lexicon& lexicon() const { return m_lexicon; }

    static QString sourceName(Source source); // "dictionary", "derived", "estimated", "number", "not found"

    // The data files of an installed or built program, in the order they are read, and the estimator's model.
    static QStringList defaultFiles();
    static QString defaultEstimatorFile();
    static QString defaultStressEstimatorFile();
    static inline const QStringList kDataNames{QStringLiteral("dictionary.txt"), QStringLiteral("words.txt")};
    static inline const QString kEstimatorName = QStringLiteral("syllable-estimator.dat");
    static inline const QString kStressEstimatorName = QStringLiteral("stress-estimator.dat");
    // The program's shared dictionary, read by loadInstalled() on first use (from any thread; later callers wait
    // for the first). Throws AppError when its data cannot be read.
    static const BuiltInDictionary& shared();

private:
    struct Asked {
        bool plain;      // written without accents
        bool homographs; // all of a listed word's entries
        bool stress;
    };
    Answer find(QStringView written, bool withHomographs, bool withStress) const;
    bool listedAnswer(QStringView written, QStringView key, Asked asked, Answer& answer) const;
    Answer prefixedName(QStringView written, bool withStress) const;
    QString stressOfReading(QStringView division) const;

    Lexicon m_lexicon;
    DerivedForms m_derived{m_lexicon, &m_estimator, &m_stressEstimator};
    SyllableEstimator m_estimator;
    StressEstimator m_stressEstimator;
};
