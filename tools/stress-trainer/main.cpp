// SPDX-License-Identifier: GPL-3.0-or-later
// stress-trainer: learns the stress estimator's model from the built-in dictionary's stress marks.
//     stress-trainer [--epochs E] [--table-bits B] [--hold-out N [--syllable-model FILE]] DICTIONARY OUTPUT
// It learns from the divided single-word headwords of two or more syllables whose division carries one primary
// stress. With --hold-out N the words of fold N (a tenth, chosen by the FNV-1a hash of the folded word, as
// syllable-trainer does) are kept out of the training, and the written model is scored on them: the share whose
// primary stress falls on the dictionary's syllable, given the dictionary's division, next to rules of thumb.
// --syllable-model adds the same score with the divisions that syllable estimator model makes.
#include "StressPerceptron.h"
#include "TrainerConsole.h"
#include "lexicon/StressEstimator.h"
#include "lexicon/SyllableEstimator.h"
#include "lexicon/SyllableTrainingSet.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <algorithm>
#include <array>

namespace {

using TrainerConsole::err;
using TrainerConsole::out;
using TrainerConsole::percent;
using TrainerConsole::readNumber;
using TrainerConsole::writeModel;

// The syllable of primary stress: its index, or -1 when the stress has none or more than one.
int primaryOf(std::string_view stress) {
    const auto first = stress.find('1');
    return first == std::string_view::npos || stress.find('1', first + 1) != std::string_view::npos ? -1 : int(first);
}

// A word's first division of two or more syllables with one primary stress, and every stress given for it.
struct Scored {
    std::string division;
    std::vector<std::string> stresses;
};

bool scoredDivision(const SyllableTrainingSet::Word& word, Scored* scored) {
    for (const SyllableTrainingSet::Stressed& s : word.stressed) {
        if (s.stress.size() < 2 || primaryOf(s.stress) < 0 ||
            (!scored->division.empty() && s.division != scored->division))
            continue;
        scored->division = s.division;
        scored->stresses.push_back(s.stress);
    }
    return !scored->division.empty();
}

std::vector<StressPerceptron::Example> examplesOf(const std::vector<const SyllableTrainingSet::Word*>& words) {
    std::vector<StressPerceptron::Example> examples;
    for (const SyllableTrainingSet::Word* word : words)
        for (const SyllableTrainingSet::Stressed& s : word->stressed) {
            if (s.stress.size() < 2 || primaryOf(s.stress) < 0)
                continue;
            StressPerceptron::Example example{StressEstimator::modelWord(s.division), {}};
            for (const char c : s.stress)
                example.labels.push_back(c - '0');
            examples.push_back(std::move(example));
        }
    return examples;
}

// Rules of thumb for the primary stress of a divided word, to set the model's figure against.
int firstSyllable(const std::vector<std::string_view>&) {
    return 0;
}
int secondToLast(const std::vector<std::string_view>& syllables) {
    return int(syllables.size()) - 2;
}
int secondAfterAPrefix(const std::vector<std::string_view>& syllables) {
    static const std::array<std::string_view, 25> prefixes{"a",   "ab",  "ac",  "ad",  "af", "ap",  "as", "at", "be",
                                                           "com", "con", "de",  "dis", "e",  "ef",  "em", "en", "ex",
                                                           "im",  "in",  "mis", "ob",  "re", "sub", "un"};
    return std::find(prefixes.begin(), prefixes.end(), syllables[0]) != prefixes.end() ? 1 : 0;
}

std::vector<std::string_view> syllablesOf(std::string_view division) {
    std::vector<std::string_view> syllables;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= division.size(); ++i)
        if (i == division.size() || division[i] == '*') {
            syllables.push_back(division.substr(start, i - start));
            start = i + 1;
        }
    return syllables;
}

struct Tally {
    int words = 0;
    int primary = 0; // on the dictionary's syllable
    int whole = 0;   // every syllable's stress as the dictionary's
    void add(const Scored& scored, const std::string& guessed) {
        ++words;
        bool primaryRight = false;
        bool wholeRight = false;
        for (const std::string& stress : scored.stresses) {
            primaryRight = primaryRight || primaryOf(stress) == primaryOf(guessed);
            wholeRight = wholeRight || stress == guessed;
        }
        primary += primaryRight;
        whole += wholeRight;
    }
};

void reportHeldOut(const QString& modelPath, const QString& syllableModelPath,
                   const std::vector<const SyllableTrainingSet::Word*>& heldOut) {
    StressEstimator estimator;
    SyllableEstimator divider;
    QString error;
    if (!estimator.load(modelPath, &error) ||
        (!syllableModelPath.isEmpty() && !divider.load(syllableModelPath, &error))) {
        err() << "stress-trainer: " << error << "\n";
        return;
    }
    using Rule = int (*)(const std::vector<std::string_view>&);
    const std::array<std::pair<const char*, Rule>, 3> rules{{{"first syllable", firstSyllable},
                                                             {"second to last syllable", secondToLast},
                                                             {"first, second after a prefix", secondAfterAPrefix}}};
    Tally model;
    Tally divided;
    std::array<Tally, 3> ruled;
    for (const SyllableTrainingSet::Word* word : heldOut) {
        Scored scored;
        if (!scoredDivision(*word, &scored))
            continue;
        model.add(scored, estimator.stress(QString::fromStdString(scored.division)).toStdString());
        const auto syllables = syllablesOf(scored.division);
        for (std::size_t r = 0; r < rules.size(); ++r) {
            std::string guessed(syllables.size(), '0');
            guessed[rules[r].second(syllables)] = '1';
            ruled[r].add(scored, guessed);
        }
        if (divider.isLoaded()) {
            const QString own = divider.divide(QString::fromStdString(word->letters));
            const std::string guessed = estimator.stress(own).toStdString();
            divided.add(scored, guessed.size() == syllables.size() ? guessed : std::string());
        }
    }
    out() << "held-out words with stress: " << model.words << " (two or more syllables, one primary stress)\n"
          << "estimator: primary stress " << percent(model.primary, model.words) << ", every syllable "
          << percent(model.whole, model.words) << "\n";
    for (std::size_t r = 0; r < rules.size(); ++r)
        out() << "rule '" << rules[r].first << "': primary stress " << percent(ruled[r].primary, ruled[r].words)
              << "\n";
    if (divider.isLoaded())
        out() << "estimator on the syllable estimator's divisions: primary stress "
              << percent(divided.primary, divided.words) << " (a different count of syllables counts as wrong)\n";
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("stress-trainer"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Learns the stress estimator from a dictionary data file."));
    parser.addHelpOption();
    const QCommandLineOption holdOutOption(QStringLiteral("hold-out"),
                                           QStringLiteral("Keep fold N (0-9) out of training and score on it."),
                                           QStringLiteral("N"));
    const QCommandLineOption epochsOption(QStringLiteral("epochs"), QStringLiteral("Passes over the words."),
                                          QStringLiteral("E"), QString::number(StressPerceptron::Options().epochs));
    const QCommandLineOption bitsOption(QStringLiteral("table-bits"),
                                        QStringLiteral("The model holds 2^B one-byte weights."), QStringLiteral("B"),
                                        QString::number(StressModel::Shape().tableBits));
    const QCommandLineOption syllableOption(QStringLiteral("syllable-model"),
                                            QStringLiteral("With --hold-out: also score on this model's divisions."),
                                            QStringLiteral("FILE"));
    parser.addOptions({holdOutOption, epochsOption, bitsOption, syllableOption});
    const QStringList files = TrainerConsole::dictionaryAndOutput(parser, app);
    if (files.isEmpty())
        return 2;
    // 1. Options.
    StressPerceptron::Options options;
    int holdOut = -1;
    if (!readNumber(parser, epochsOption, 1, 100, &options.epochs) ||
        !readNumber(parser, bitsOption, StressModel::kMinTableBits, StressModel::kMaxTableBits,
                    &options.shape.tableBits) ||
        (parser.isSet(holdOutOption) &&
         !readNumber(parser, holdOutOption, 0, SyllableTrainingSet::kFolds - 1, &holdOut)))
        return 2;
    // 2. The words with stress.
    SyllableTrainingSet set;
    QString error;
    if (!set.read(files[0], &error)) {
        err() << "stress-trainer: " << error << "\n";
        return 1;
    }
    std::vector<StressPerceptron::Example> examples = examplesOf(set.select(holdOut, false));
    out() << "words with stress: training on " << examples.size() << " divisions\n";
    if (examples.empty()) {
        err() << "stress-trainer: no divided words with stress marks in " << files[0] << "\n";
        return 1;
    }
    // 3. Training, the model file, and its score on the held-out words.
    StressPerceptron perceptron(options);
    perceptron.train(std::move(examples), [](int epoch, double wrong) {
        out() << "epoch " << epoch << ": " << QString::number(100 * wrong, 'f', 2) << " % of words guessed wrong\n";
        out().flush();
    });
    if (!writeModel(files[1],
                    StressEstimator::serialize(options.shape, AveragedWeights::quantise(perceptron.averagedWeights()))))
        return 1;
    if (holdOut >= 0)
        reportHeldOut(files[1], parser.value(syllableOption), set.select(holdOut, true));
    return 0;
}
