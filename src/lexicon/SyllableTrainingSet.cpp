// SPDX-License-Identifier: GPL-3.0-or-later
#include "lexicon/SyllableTrainingSet.h"

#include "lexicon/StressMarks.h"
#include "lexicon/SyllableModel.h"

#include <QFile>
#include <QStringList>

#include <algorithm>
#include <map>

namespace {

// The word folded to ASCII lower case, the given marks kept. Empty when any other character is in it.
std::string fold(QStringView text, QStringView marks = {}) {
    std::string out;
    for (const QChar c : text) {
        if (marks.contains(c)) {
            out += char(c.unicode());
            continue;
        }
        if (!c.isLetter())
            return {};
        const QString folded = SyllableModel::foldLetter(c);
        if (folded.isEmpty())
            return {};
        out += folded.toStdString();
    }
    return out;
}

bool everySyllableHasVowel(const std::string& division) {
    bool vowel = false;
    for (const char c : division + '*') {
        if (c == '*') {
            if (!vowel)
                return false;
            vowel = false;
        } else {
            vowel = vowel || SyllableModel::isVowel(c);
        }
    }
    return true;
}

template <typename T> void addOnce(std::vector<T>& list, T item) {
    if (std::find(list.begin(), list.end(), item) == list.end())
        list.push_back(std::move(item));
}

int marks(const std::string& division) {
    return int(std::count(division.begin(), division.end(), '*'));
}

} // namespace

bool SyllableTrainingSet::read(const QString& dictionaryPath, QString* error) {
    m_words.clear();
    m_skippedDivisions = 0;
    QFile file(dictionaryPath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        if (error)
            *error = QStringLiteral("Cannot read %1: %2").arg(dictionaryPath, file.errorString());
        return false;
    }
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        QStringList fields = line.split(u'|');
        if (fields.size() < 2 || fields[1].startsWith(u'='))
            continue; // a form line, or not an entry
        const QString headword = fields.takeFirst();
        addEntry(headword, fields);
    }
    // Entries whose folded spellings meet ("Polish", "polish") are one word, in the order of their letters.
    std::sort(m_words.begin(), m_words.end(), [](const Word& a, const Word& b) { return a.letters < b.letters; });
    std::vector<Word> merged;
    for (Word& word : m_words) {
        if (merged.empty() || merged.back().letters != word.letters) {
            merged.push_back(std::move(word));
            continue;
        }
        for (std::string& division : word.divisions)
            addOnce(merged.back().divisions, std::move(division));
        for (Stressed& stressed : word.stressed)
            addOnce(merged.back().stressed, std::move(stressed));
    }
    m_words = std::move(merged);
    return true;
}

void SyllableTrainingSet::addEntry(QStringView headword, const QStringList& divisions) {
    const std::string letters = fold(headword);
    if (letters.empty())
        return; // blanks, hyphens, digits, apostrophes or a letter without an ASCII form
    Word word{letters, {}, {}};
    for (const QString& field : divisions) {
        StressMarks::Buffer divisionBuffer;
        StressMarks::Buffer stressBuffer;
        StressMarks::Read read;
        if (!StressMarks::read(QStringView(field).left(field.indexOf(u':')), divisionBuffer, stressBuffer, &read)) {
            ++m_skippedDivisions;
            continue;
        }
        const QStringView division = read.division;
        const std::string stress = read.stress.toString().toStdString();
        if (!division.contains(u'*'))
            continue;
        const std::string folded = fold(division, u"*");
        std::string bare = folded;
        std::erase(bare, '*');
        if (bare != letters || folded.front() == '*' || folded.back() == '*' ||
            folded.find("**") != std::string::npos || !everySyllableHasVowel(folded)) {
            ++m_skippedDivisions;
            continue;
        }
        addOnce(word.divisions, folded);
        if (!stress.empty())
            addOnce(word.stressed, Stressed{folded, stress});
    }
    if (!word.divisions.empty())
        m_words.push_back(std::move(word));
}

std::string SyllableTrainingSet::foldMarked(QStringView text) {
    return fold(text, u"*\"`");
}

int SyllableTrainingSet::foldOf(std::string_view letters) {
    std::uint64_t h = 1469598103934665603ull;
    for (const char c : letters)
        h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    return int(h % kFolds);
}

std::vector<const SyllableTrainingSet::Word*> SyllableTrainingSet::select(int fold, bool inFold) const {
    std::vector<const Word*> chosen;
    for (const Word& word : m_words)
        if ((foldOf(word.letters) == fold) == inFold)
            chosen.push_back(&word);
    return chosen;
}

SyllableTrainingSet::Figures SyllableTrainingSet::score(const std::vector<const Word*>& words,
                                                        const std::function<std::string(const std::string&)>& divide) {
    Figures figures;
    for (const Word* word : words) {
        const std::string guess = divide(word->letters);
        ++figures.words;
        bool exact = false;
        bool count = false;
        for (const std::string& division : word->divisions) {
            exact = exact || division == guess;
            count = count || marks(division) == marks(guess);
        }
        figures.exact += exact;
        figures.count += count;
    }
    return figures;
}
