// SPDX-License-Identifier: GPL-3.0-or-later
// syllable-trainer: learns the syllable estimator's model from the built-in dictionary's divided headwords.
//     syllable-trainer [--epochs E] [--table-bits B] [--left L] [--right R] [--gram G]
//                      [--syllable S] [--suffix K] [--prefix K] [--margin M]
//                      [--stress L --stress-file FILE] [--orders N] [--hold-out N [--list-misses]]
//                      DICTIONARY OUTPUT
// With --hold-out N the words of fold N (a tenth of them, chosen by a hash of the word) are kept out of the
// training and the written model is scored on them, next to the vowel-group rule of thumb; --list-misses lists
// the held-out words it divides otherwise than the dictionary. --stress L learns L stress levels with the
// division; --stress-file gives divisions with stress marks, a line "Caper|Ca\"per|..." with " after a syllable
// of primary and ` after one of secondary stress, * after an unstressed one, as gcide-convert --stress writes
// them (without it the labels are latent).
// --orders N trains N models, each going through the words in its own fixed order, and writes their average.
#include "SyllablePerceptron.h"
#include "TrainerConsole.h"
#include "lexicon/SyllableEstimator.h"
#include "lexicon/SyllableTrainingSet.h"
#include "lexicon/VowelGroupRule.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <QFile>

#include <algorithm>
#include <unordered_map>

namespace {

using TrainerConsole::err;
using TrainerConsole::out;
using TrainerConsole::percent;
using TrainerConsole::readNumber;
using TrainerConsole::writeModel;

// Models averaged by default: a few tenths of a point more held-out words right than one, at the same size.
constexpr int kDefaultOrders = 4;

void reportHeldOut(const QString& modelPath, const std::vector<const SyllableTrainingSet::Word*>& heldOut,
                   bool listMisses) {
    SyllableEstimator estimator;
    QString error;
    if (!estimator.load(modelPath, &error)) {
        err() << "syllable-trainer: " << error << "\n";
        return;
    }
    const auto model = SyllableTrainingSet::score(heldOut, [&](const std::string& letters) {
        return estimator.divide(QString::fromStdString(letters)).toStdString();
    });
    if (listMisses)
        for (const SyllableTrainingSet::Word* word : heldOut) {
            const std::string guess = estimator.divide(QString::fromStdString(word->letters)).toStdString();
            if (std::find(word->divisions.begin(), word->divisions.end(), guess) == word->divisions.end())
                out() << "miss: " << QString::fromStdString(guess) << " dictionary "
                      << QString::fromStdString(word->divisions.front()) << "\n";
        }
    const auto rule =
        SyllableTrainingSet::score(heldOut, [](const std::string& letters) { return VowelGroupRule::divide(letters); });
    out() << "held-out words: " << model.words << "\n"
          << "estimator:  exact division " << percent(model.exact, model.words) << ", count "
          << percent(model.count, model.words) << "\n"
          << "vowel-group rule: exact division " << percent(rule.exact, rule.words) << ", count "
          << percent(rule.count, rule.words) << "\n";
}

// Divisions with stress marks, a line "word|division|division..." (as gcide-convert --stress writes them), folded
// as the training words are; lines that are empty or start with "#" are skipped.
bool readStress(const QString& path, std::unordered_map<std::string, std::vector<std::string>>* stressed) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        err() << "syllable-trainer: cannot read " << path << ": " << file.errorString() << "\n";
        return false;
    }
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QStringList fields = QString::fromUtf8(line).split(u'|');
        const std::string letters = SyllableTrainingSet::foldMarked(fields[0]);
        for (qsizetype i = 1; i < fields.size() && !letters.empty(); ++i)
            (*stressed)[letters].push_back(SyllableTrainingSet::foldMarked(fields[i]));
    }
    return true;
}

// The stress label of each syllable ("ca"per" -> 1 0; 2 for a secondary stress with three levels) from the marked
// division whose boundaries are these; empty when none is.
std::vector<int> stressLabels(const std::vector<std::string>& marked, const std::string& letters,
                              const std::vector<int>& boundaries, int levels) {
    for (const std::string& division : marked) {
        std::vector<int> found;
        std::vector<int> labels;
        int letter = 0;
        for (const char c : division) {
            if (c != '*' && c != '"' && c != '`') {
                ++letter;
                continue;
            }
            labels.push_back(c == '*' ? 0 : (c == '`' && levels == 3) ? 2 : 1);
            if (letter < int(letters.size()))
                found.push_back(letter);
        }
        if (division.empty() || (division.back() != '"' && division.back() != '`'))
            labels.push_back(0); // the last syllable, unmarked
        if (found == boundaries && labels.size() == boundaries.size() + 1)
            return labels;
    }
    return {};
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("syllable-trainer"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Learns the syllable estimator from a dictionary data file."));
    parser.addHelpOption();
    const SyllableModel::Shape defaults;
    const QCommandLineOption holdOutOption(QStringLiteral("hold-out"),
                                           QStringLiteral("Keep fold N (0-9) out of training and score on it."),
                                           QStringLiteral("N"));
    const QCommandLineOption epochsOption(QStringLiteral("epochs"), QStringLiteral("Passes over the words."),
                                          QStringLiteral("E"), QString::number(SyllablePerceptron::Options().epochs));
    const QCommandLineOption bitsOption(QStringLiteral("table-bits"),
                                        QStringLiteral("The model holds 2^B one-byte weights."), QStringLiteral("B"),
                                        QString::number(defaults.tableBits));
    const QCommandLineOption leftOption(QStringLiteral("left"), QStringLiteral("Most letters left of a gap."),
                                        QStringLiteral("L"), QString::number(defaults.maxLeft));
    const QCommandLineOption rightOption(QStringLiteral("right"), QStringLiteral("Most letters right of a gap."),
                                         QStringLiteral("R"), QString::number(defaults.maxRight));
    const QCommandLineOption gramOption(QStringLiteral("gram"), QStringLiteral("Most letters in a gap feature."),
                                        QStringLiteral("G"), QString::number(defaults.maxGram));
    const QCommandLineOption syllableOption(QStringLiteral("syllable"),
                                            QStringLiteral("Most letters in a syllable feature."), QStringLiteral("S"),
                                            QString::number(defaults.maxSyllable));
    const QCommandLineOption suffixOption(QStringLiteral("suffix"),
                                          QStringLiteral("Most letters of the word's end seen with each gap."),
                                          QStringLiteral("K"), QString::number(defaults.maxSuffix));
    const QCommandLineOption prefixOption(QStringLiteral("prefix"),
                                          QStringLiteral("Most letters of the word's start seen with each gap."),
                                          QStringLiteral("K"), QString::number(defaults.maxPrefix));
    const QCommandLineOption stressOption(QStringLiteral("stress"), QStringLiteral("Stress levels learned (1-3)."),
                                          QStringLiteral("L"), QString::number(defaults.stressLevels));
    const QCommandLineOption stressFileOption(QStringLiteral("stress-file"),
                                              QStringLiteral("Divisions with stress marks."), QStringLiteral("FILE"));
    const QCommandLineOption marginOption(QStringLiteral("margin"), QStringLiteral("Training margin."),
                                          QStringLiteral("M"), QString::number(SyllablePerceptron::Options().margin));
    const QCommandLineOption ordersOption(QStringLiteral("orders"),
                                          QStringLiteral("Models trained in different word orders and averaged."),
                                          QStringLiteral("N"), QString::number(kDefaultOrders));
    const QCommandLineOption missesOption(QStringLiteral("list-misses"),
                                          QStringLiteral("With --hold-out: list the held-out words guessed wrong."));
    parser.addOptions({missesOption, holdOutOption, epochsOption, bitsOption, leftOption, rightOption, gramOption,
                       syllableOption, suffixOption, prefixOption, marginOption, stressOption, stressFileOption,
                       ordersOption});
    const QStringList files = TrainerConsole::dictionaryAndOutput(parser, app);
    if (files.isEmpty())
        return 2;

    // 1. Options.
    SyllablePerceptron::Options options;
    int holdOut = -1;
    int orders = kDefaultOrders;
    if (!readNumber(parser, epochsOption, 1, 100, &options.epochs) ||
        !readNumber(parser, ordersOption, 1, 16, &orders) ||
        !readNumber(parser, bitsOption, SyllableModel::kMinTableBits, SyllableModel::kMaxTableBits,
                    &options.shape.tableBits) ||
        !readNumber(parser, leftOption, 1, SyllableModel::kMaxContext, &options.shape.maxLeft) ||
        !readNumber(parser, rightOption, 1, SyllableModel::kMaxContext, &options.shape.maxRight) ||
        !readNumber(parser, gramOption, 1, SyllableModel::kMaxGram, &options.shape.maxGram) ||
        !readNumber(parser, syllableOption, 1, SyllableModel::kMaxSyllable, &options.shape.maxSyllable) ||
        !readNumber(parser, suffixOption, 0, SyllableModel::kMaxAffix, &options.shape.maxSuffix) ||
        !readNumber(parser, prefixOption, 0, SyllableModel::kMaxAffix, &options.shape.maxPrefix) ||
        !readNumber(parser, marginOption, 0, 100, &options.margin) ||
        !readNumber(parser, stressOption, 1, SyllableModel::kMaxStressLevels, &options.shape.stressLevels) ||
        (parser.isSet(holdOutOption) &&
         !readNumber(parser, holdOutOption, 0, SyllableTrainingSet::kFolds - 1, &holdOut)))
        return 2;

    // 2. The divided words.
    SyllableTrainingSet set;
    QString error;
    if (!set.read(files[0], &error)) {
        err() << "syllable-trainer: " << error << "\n";
        return 1;
    }
    const auto training = set.select(holdOut, false);
    out() << "divided words: " << set.words().size() << " (divisions left out: " << set.skippedDivisions()
          << "), training on " << training.size() << "\n";
    if (training.empty()) {
        err() << "syllable-trainer: no divided single-word headwords in " << files[0] << "\n";
        return 1;
    }

    // 3. Training.
    std::unordered_map<std::string, std::vector<std::string>> stressed;
    if (parser.isSet(stressFileOption) && !readStress(parser.value(stressFileOption), &stressed))
        return 1;
    const int levels = options.shape.stressLevels;
    std::vector<double> summed(std::size_t(1) << options.shape.tableBits, 0.0);
    for (int order = 0; order < orders; ++order) {
        options.order = order;
        SyllablePerceptron perceptron(options);
        perceptron.train(
            training,
            [&](int epoch, double wrong) {
                out() << (orders > 1 ? QStringLiteral("order %1, ").arg(order + 1) : QString()) << "epoch " << epoch
                      << ": " << QString::number(100 * wrong, 'f', 2) << " % of divisions guessed wrong\n";
                out().flush();
            },
            [&](const std::string& letters, const std::vector<int>& boundaries) {
                const auto found = stressed.find(letters);
                return found == stressed.end() ? std::vector<int>()
                                               : stressLabels(found->second, letters, boundaries, levels);
            });
        const std::vector<double> averaged = perceptron.averagedWeights();
        for (std::size_t i = 0; i < summed.size(); ++i)
            summed[i] += averaged[i];
    }

    // 4. The model file, and its score on the held-out words.
    if (!writeModel(files[1], SyllableEstimator::serialize(options.shape, AveragedWeights::quantise(summed))))
        return 1;
    if (holdOut >= 0)
        reportHeldOut(files[1], set.select(holdOut, true), parser.isSet(missesOption));
    return 0;
}
