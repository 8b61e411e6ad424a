// SPDX-License-Identifier: GPL-3.0-or-later
#include "lexicon/BuiltInDictionary.h"

#include "common/AppError.h"
#include "common/DataFiles.h"
#include "lexicon/Division.h"
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
    Answer answer;
    if (!hasLetter(written))
        return answer;
    WordKey::Buffer buffer;
    const QStringView key = WordKey::fold(written, buffer);
    // 1. The dictionary: a homograph spelt as written when the word has accents or capitals, else the key's.
    QString spelt;
    if (!Lexicon::isPlainSpelling(written))
        spelt = m_lexicon.divisionSpeltAs(key, written);
    if (const QStringView listed = spelt.isEmpty() ? m_lexicon.usableDivisionView(key) : QStringView(spelt);
        !listed.isEmpty()) {
        answer.source = Source::Dictionary;
        answer.division = Division::onto(listed, written);
        if (withHomographs) {
            answer.homographs = m_lexicon.usableHomographs(key);
            for (Lexicon::Homograph& homograph : answer.homographs)
                homograph.division = Division::onto(homograph.division, written);
        }
        return answer;
    }
    // 2. A form derived from listed words, unless it rests on a compound the estimator doubts; 3. the estimate.
    bool compounded = false;
    const bool ascii = std::all_of(written.begin(), written.end(), [](QChar c) { return c.unicode() < 128; });
    if (const QString derived = m_derived.derive(key, &compounded, ascii); !derived.isEmpty()) {
        answer.source = Source::Derived;
        answer.division = Division::onto(derived, written);
        if (!compounded || !m_estimator.isLoaded() ||
            m_estimator.doubt(answer.division) <= DerivedForms::kCompoundDoubt)
            return answer;
    }
    if (m_estimator.isLoaded()) {
        answer.source = Source::Estimated;
        answer.division = m_estimator.divide(written);
    }
    return answer;
}

QString BuiltInDictionary::sourceName(Source source) {
    switch (source) {
    case Source::Dictionary:
        return QStringLiteral("dictionary");
    case Source::Derived:
        return QStringLiteral("derived");
    case Source::Estimated:
        return QStringLiteral("estimated");
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
