// SPDX-License-Identifier: GPL-3.0-or-later
// The syllable estimator: size of its data file, load time, words divided a second, and cross-validation on
// the dictionary: trained by syllable-trainer on nine tenths of the divided single-word headwords (the tenth
// held out is fold 0, chosen by the FNV-1a hash of the folded word), scored on the held-out tenth, next to the
// vowel-group rule of thumb on the same words. Prints figures; asserts nothing.
//     BenchEstimator [DICTIONARY [TRAINER OPTION...]]   (default: the source tree's data/dictionary.txt)
// Trainer options (such as --table-bits 22 --gram 7) try another model shape in the cross-validation; its model
// is then measured like the shipped one.
// The held-out words are then also looked up as the program does, in the dictionary without them (their entry
// lines left out, forms kept) with the held-out model: listed forms, derived forms and estimates together; and their
// stress, with a stress model trained without them too, is scored against GCIDE's marks by where it came from.
#include "lexicon/BuiltInDictionary.h"
#include "lexicon/EstimateMends.h"
#include "lexicon/StressEstimator.h"
#include "lexicon/SyllableEstimator.h"
#include "lexicon/SyllableTrainingSet.h"
#include "lexicon/VowelGroupRule.h"

#include "BenchSupport.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>
#include <unordered_set>

namespace {

double percent(int part, int whole) {
    return whole > 0 ? 100.0 * part / whole : 0.0;
}

void measureModel(const QString& path, const QStringList& words) {
    measureModelFile<SyllableEstimator>(
        path, words, "divide",
        [](const SyllableEstimator& estimator, const QString& word) { return estimator.divide(word); });
}

// The dictionary file without the entry lines of these words (folded as the training set folds them).
bool writeWithout(const QString& dictionary, const std::vector<const SyllableTrainingSet::Word*>& words,
                  const QString& out) {
    std::unordered_set<std::string> left;
    for (const auto* word : words)
        left.insert(word->letters);
    QFile in(dictionary);
    QFile file(out);
    if (!in.open(QIODevice::ReadOnly) || !file.open(QIODevice::WriteOnly))
        return false;
    while (!in.atEnd()) {
        const QByteArray line = in.readLine();
        const bool entry = !line.startsWith('#') && !line.contains("|=");
        std::string folded;
        for (const QChar c : QString::fromUtf8(line.left(line.indexOf('|'))))
            folded += entry ? SyllableModel::foldLetter(c).toStdString() + (c.isLetter() ? "" : "|") : "|";
        if (!entry || !left.count(folded))
            file.write(line);
    }
    return true;
}

// 4. The held-out words as the program looks them up, by where the answer came from: the estimator's doubts on
//    guessed compounds heeded (as the program does), and without the estimator until nothing else answers.
// The syllable (from 0) of a stress's primary, -1 when it has none.
qsizetype primaryOf(QStringView stress) {
    return stress.indexOf(u'1');
}

// A stress model trained without fold 0; empty when the trainer fails.
QString heldOutStressModel(const QString& dictionary, const QTemporaryDir& dir) {
    const QString path = dir.filePath(QStringLiteral("stress-held-out.dat"));
    QProcess trainer;
    trainer.start(QStringLiteral(PARVENNA_STRESS_TRAINER),
                  {QStringLiteral("--hold-out"), QStringLiteral("0"), dictionary, path});
    if (!trainer.waitForFinished(600000) || trainer.exitCode() != 0) {
        std::printf("stress-trainer failed: %s\n", trainer.readAllStandardError().constData());
        return {};
    }
    return path;
}

// 5. The held-out words' primary stress as the lookup gives it, derived or estimated, against GCIDE's marks (a word
//    whose division has another number of syllables counts as wrong).
void stressByLookup(const BuiltInDictionary& dictionary, const std::vector<const SyllableTrainingSet::Word*>& heldOut) {
    int tally[2][2] = {}; // derived, estimated: words, right
    for (const auto* word : heldOut) {
        if (word->stressed.empty() || word->stressed.front().stress.size() < 2)
            continue;
        const BuiltInDictionary::Answer answer = dictionary.lookUp(QString::fromStdString(word->letters), false, true);
        const int source = answer.source == BuiltInDictionary::Source::Derived     ? 0
                           : answer.source == BuiltInDictionary::Source::Estimated ? 1
                                                                                   : -1;
        if (source < 0)
            continue;
        bool right = false;
        for (const SyllableTrainingSet::Stressed& marked : word->stressed) {
            const QString stress = QString::fromStdString(marked.stress);
            right = right || (stress.size() == answer.stress.size() && primaryOf(stress) == primaryOf(answer.stress));
        }
        ++tally[source][0];
        tally[source][1] += right;
    }
    std::printf("  primary stress as the lookup gives it, against GCIDE's: derived %.2f %% of %d, estimated %.2f %% of "
                "%d\n",
                percent(tally[0][1], tally[0][0]), tally[0][0], percent(tally[1][1], tally[1][0]), tally[1][0]);
}

void wholeLookUp(const QString& dictionary, const std::vector<const SyllableTrainingSet::Word*>& heldOut,
                 const QString& model, const QTemporaryDir& dir) {
    const QString without = dir.filePath(QStringLiteral("without-held-out.txt"));
    BuiltInDictionary withEstimator;
    BuiltInDictionary alone;
    SyllableEstimator estimator;
    const QString stressModel = heldOutStressModel(dictionary, dir);
    if (!writeWithout(dictionary, heldOut, without) || !withEstimator.load({without}, nullptr, model, stressModel) ||
        !alone.load({without}) || !estimator.load(model)) {
        std::printf("cannot load the dictionary without the held-out words\n");
        return;
    }
    stressByLookup(withEstimator, heldOut);
    for (const bool heeded : {true, false}) {
        int words = 0;
        int exact = 0;
        int count = 0;
        int bySource[4][2] = {};
        int estimatorOnDerived = 0; // the estimator alone on the words the rules derive
        for (const auto* word : heldOut) {
            const QString letters = QString::fromStdString(word->letters);
            BuiltInDictionary::Answer answer = (heeded ? withEstimator : alone).lookUp(letters);
            if (!answer.found()) {
                answer.source = BuiltInDictionary::Source::Estimated;
                answer.division = estimator.divide(letters);
            }
            const std::string division = answer.division.toLower().toStdString();
            const auto syllables = std::count(division.begin(), division.end(), '*');
            const std::string estimate =
                answer.source == BuiltInDictionary::Source::Derived ? estimator.divide(letters).toStdString() : "";
            bool right = false;
            bool sameCount = false;
            bool estimateRight = false;
            for (const std::string& listed : word->divisions) {
                right = right || listed == division;
                sameCount = sameCount || std::count(listed.begin(), listed.end(), '*') == syllables;
                estimateRight = estimateRight || listed == estimate;
            }
            estimatorOnDerived += estimateRight;
            ++words;
            exact += right;
            count += sameCount;
            ++bySource[int(answer.source)][0];
            bySource[int(answer.source)][1] += right;
        }
        std::printf("  whole lookup, %s: exact division %.2f %%, count %.2f %%; dictionary %d (%.2f %% "
                    "exact), derived %d (%.2f %%), estimated %d (%.2f %%)\n",
                    heeded ? "compounds the estimator doubts estimated" : "derived forms before estimates",
                    percent(exact, words), percent(count, words), bySource[0][0],
                    percent(bySource[0][1], bySource[0][0]), bySource[1][0], percent(bySource[1][1], bySource[1][0]),
                    bySource[2][0], percent(bySource[2][1], bySource[2][0]));
        std::printf("    the estimator alone on those derived words: %.2f %% exact\n",
                    percent(estimatorOnDerived, bySource[1][0]));
    }
}

void crossValidation(const QString& dictionary, const SyllableTrainingSet& set, const QStringList& options,
                     const QStringList& words) {
    // 3. Train without fold 0 (with the shipped settings unless options are given), then score the written model
    //    and the rule on fold 0.
    QTemporaryDir dir;
    const QString model = dir.filePath(QStringLiteral("held-out.dat"));
    QProcess trainer;
    trainer.start(QStringLiteral(PARVENNA_SYLLABLE_TRAINER),
                  options + QStringList{QStringLiteral("--hold-out"), QStringLiteral("0"), dictionary, model});
    if (!trainer.waitForFinished(600000) || trainer.exitCode() != 0) {
        std::printf("syllable-trainer failed: %s\n", trainer.readAllStandardError().constData());
        return;
    }
    SyllableEstimator estimator;
    if (!estimator.load(model))
        return;
    const auto heldOut = set.select(0, true);
    const auto mine = SyllableTrainingSet::score(heldOut, [&](const std::string& letters) {
        return estimator.divide(QString::fromStdString(letters)).toStdString();
    });
    const auto mended = SyllableTrainingSet::score(heldOut, [&](const std::string& letters) {
        return EstimateMends::mend(estimator.divide(QString::fromStdString(letters))).toStdString();
    });
    const auto rule =
        SyllableTrainingSet::score(heldOut, [](const std::string& letters) { return VowelGroupRule::divide(letters); });
    std::printf("cross-validation: %zu divided words, trained on %zu, held out %d (fold 0 of 10 by word hash)\n",
                set.words().size(), set.words().size() - heldOut.size(), mine.words);
    std::printf("  estimator:        exact division %.2f %%, count %.2f %%\n", percent(mine.exact, mine.words),
                percent(mine.count, mine.words));
    std::printf("  estimator, mended (EstimateMends): exact division %.2f %%, count %.2f %%\n",
                percent(mended.exact, mended.words), percent(mended.count, mended.words));
    std::printf("  vowel-group rule: exact division %.2f %%, count %.2f %%\n", percent(rule.exact, rule.words),
                percent(rule.count, rule.words));
    wholeLookUp(dictionary, heldOut, model, dir);
    if (!options.isEmpty()) {
        std::printf("held-out model trained with: %s\n", qPrintable(options.join(QLatin1Char(' '))));
        measureModel(model, words);
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QString dictionary;
    SyllableTrainingSet set;
    if (!readTrainingSet(argc, argv, QStringLiteral(PARVENNA_DATA_SOURCE_DIR "/dictionary.txt"), &dictionary, &set))
        return 1;
    QStringList words;
    for (const auto& word : set.words())
        words << QString::fromStdString(word.letters);
    QStringList options;
    for (int i = 2; i < argc; ++i)
        options << QString::fromLocal8Bit(argv[i]);
    measureModel(QCoreApplication::applicationDirPath() + QStringLiteral("/../data/syllable-estimator.dat"), words);
    crossValidation(dictionary, set, options, words);
    return 0;
}
