// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The divided single-word headwords of the built-in dictionary's data file, folded to ASCII lower case: what
// the syllable and stress estimators learn from and are scored on. An entry is used when its headword is letters
// only (no blank, hyphen, digit or apostrophe) and at least one of its divisions has a mark; a division whose
// letters differ from the headword's, or with a syllable that holds no vowel letter, is left out. Stress marks
// (StressMarks.h) are read beside the divisions.
class SyllableTrainingSet {
public:
    struct Stressed {
        std::string division; // "ba*by"
        std::string stress;   // "10", a character per syllable
        bool operator==(const Stressed&) const = default;
    };
    struct Word {
        std::string letters;                 // "baby"
        std::vector<std::string> divisions;  // "ba*by"; several when homographs are divided differently
        std::vector<Stressed> stressed = {}; // each division the dictionary marks stress on, with each of its stresses
    };
    struct Figures {
        int words = 0;
        int exact = 0; // the division is one of the dictionary's
        int count = 0; // the number of syllables is that of one of the dictionary's divisions
    };

    static constexpr int kFolds = 10;

    bool read(const QString& dictionaryPath, QString* error = nullptr);
    const std::vector<Word>& words() const { return m_words; }
    int skippedDivisions() const { return m_skippedDivisions; }

    // A word or division folded as the words are ("Ab\"bé" -> "ab\"be"), with the marks *, " and ` kept; empty
    // when it holds any other character that is no letter.
    static std::string foldMarked(QStringView text);
    // Which of the ten folds a word belongs to, from the FNV-1a hash of its folded letters.
    static int foldOf(std::string_view letters);
    // The words of one fold (inFold) or of all the others.
    std::vector<const Word*> select(int fold, bool inFold) const;
    // How often divide(letters) gives the dictionary's division, and its count.
    static Figures score(const std::vector<const Word*>& words,
                         const std::function<std::string(const std::string&)>& divide);

private:
    void addEntry(QStringView headword, const QStringList& divisions);

    std::vector<Word> m_words;
    int m_skippedDivisions = 0;
};
