// SPDX-License-Identifier: GPL-3.0-or-later
// syllable-trainer: learns the syllable estimator's model from the built-in dictionary's divided headwords.
//     syllable-trainer [--hold-out N] [--epochs E] [--table-bits B] [--left L] [--right R] [--gram G]
//                      [--syllable S] DICTIONARY OUTPUT
// With --hold-out N the words of fold N (a tenth of them, chosen by a hash of the word) are kept out of the
// training and the written model is scored on them, next to the vowel-group rule of thumb.
#include "SyllablePerceptron.h"
#include "lexicon/SyllableEstimator.h"
#include "lexicon/SyllableTrainingSet.h"
#include "lexicon/VowelGroupRule.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSaveFile>
#include <QTextStream>

namespace {

QTextStream& out() {
    static QTextStream stream(stdout);
    return stream;
}

QTextStream& err() {
    static QTextStream stream(stderr);
    return stream;
}

bool readNumber(const QCommandLineParser& parser, const QCommandLineOption& option, int low, int high, int* value) {
    bool ok = false;
    const int number = parser.value(option).toInt(&ok);
    if (!ok || number < low || number > high) {
        err() << "syllable-trainer: --" << option.names().first() << " needs a number from " << low << " to " << high
              << "\n";
        return false;
    }
    *value = number;
    return true;
}

QString percent(int part, int whole) {
    return QString::number(whole > 0 ? 100.0 * part / whole : 0.0, 'f', 2) + QStringLiteral(" %");
}

bool writeModel(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        err() << "syllable-trainer: cannot write " << path << ": " << file.errorString() << "\n";
        return false;
    }
    return true;
}

void reportHeldOut(const QString& modelPath, const std::vector<const SyllableTrainingSet::Word*>& heldOut) {
    SyllableEstimator estimator;
    QString error;
    if (!estimator.load(modelPath, &error)) {
        err() << "syllable-trainer: " << error << "\n";
        return;
    }
    const auto model = SyllableTrainingSet::score(heldOut, [&](const std::string& letters) {
        return estimator.divide(QString::fromStdString(letters)).toStdString();
    });
    const auto rule =
        SyllableTrainingSet::score(heldOut, [](const std::string& letters) { return VowelGroupRule::divide(letters); });
    out() << "held-out words: " << model.words << "\n"
          << "estimator:  exact division " << percent(model.exact, model.words) << ", count "
          << percent(model.count, model.words) << "\n"
          << "vowel-group rule: exact division " << percent(rule.exact, rule.words) << ", count "
          << percent(rule.count, rule.words) << "\n";
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("syllable-trainer"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Learns the syllable estimator from a dictionary data file."));
    parser.addHelpOption();
    const QCommandLineOption holdOutOption(QStringLiteral("hold-out"),
                                           QStringLiteral("Keep fold N (0-9) out of training and score on it."),
                                           QStringLiteral("N"));
    const QCommandLineOption epochsOption(QStringLiteral("epochs"), QStringLiteral("Passes over the words."),
                                          QStringLiteral("E"), QStringLiteral("6"));
    const QCommandLineOption bitsOption(QStringLiteral("table-bits"),
                                        QStringLiteral("The model holds 2^B one-byte weights."), QStringLiteral("B"),
                                        QStringLiteral("18"));
    const SyllableModel::Shape defaults;
    const QCommandLineOption leftOption(QStringLiteral("left"), QStringLiteral("Most letters left of a gap."),
                                        QStringLiteral("L"), QString::number(defaults.maxLeft));
    const QCommandLineOption rightOption(QStringLiteral("right"), QStringLiteral("Most letters right of a gap."),
                                         QStringLiteral("R"), QString::number(defaults.maxRight));
    const QCommandLineOption gramOption(QStringLiteral("gram"), QStringLiteral("Most letters in a gap feature."),
                                        QStringLiteral("G"), QString::number(defaults.maxGram));
    const QCommandLineOption syllableOption(QStringLiteral("syllable"),
                                            QStringLiteral("Most letters in a syllable feature."), QStringLiteral("S"),
                                            QString::number(defaults.maxSyllable));
    parser.addOptions({holdOutOption, epochsOption, bitsOption, leftOption, rightOption, gramOption, syllableOption});
    parser.addPositionalArgument(QStringLiteral("dictionary"), QStringLiteral("The dictionary data file."));
    parser.addPositionalArgument(QStringLiteral("output"), QStringLiteral("The model file to write."));
    parser.process(app);
    const QStringList files = parser.positionalArguments();
    if (files.size() != 2) {
        err() << "syllable-trainer: needs the dictionary file and the output file\n";
        return 2;
    }

    // 1. Options.
    SyllablePerceptron::Options options;
    int holdOut = -1;
    if (!readNumber(parser, epochsOption, 1, 100, &options.epochs) ||
        !readNumber(parser, bitsOption, SyllableModel::kMinTableBits, SyllableModel::kMaxTableBits,
                    &options.shape.tableBits) ||
        !readNumber(parser, leftOption, 1, SyllableModel::kMaxContext, &options.shape.maxLeft) ||
        !readNumber(parser, rightOption, 1, SyllableModel::kMaxContext, &options.shape.maxRight) ||
        !readNumber(parser, gramOption, 1, SyllableModel::kMaxGram, &options.shape.maxGram) ||
        !readNumber(parser, syllableOption, 1, SyllableModel::kMaxSyllable, &options.shape.maxSyllable) ||
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
    SyllablePerceptron perceptron(options);
    perceptron.train(training, [](int epoch, double wrong) {
        out() << "epoch " << epoch << ": " << QString::number(100 * wrong, 'f', 2) << " % of divisions guessed wrong\n";
        out().flush();
    });

    // 4. The model file, and its score on the held-out words.
    if (!writeModel(files[1], SyllableEstimator::serialize(options.shape, perceptron.quantisedWeights())))
        return 1;
    if (holdOut >= 0)
        reportHeldOut(files[1], set.select(holdOut, true));
    return 0;
}
