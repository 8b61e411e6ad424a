// SPDX-License-Identifier: GPL-3.0-or-later
// The stress estimator: size of its data file, load time, divisions stressed a second, and cross-validation on the
// dictionary's stress marks: stress-trainer learns from nine tenths of the divided single-word headwords (fold 0,
// chosen by the FNV-1a hash of the folded word as BenchEstimator holds it out, is left out) and scores the
// held-out tenth: the share whose primary stress falls on GCIDE's syllable, given GCIDE's division, next to rules
// of thumb; then the same with the divisions of a syllable estimator also trained without fold 0 (the path of a
// word the dictionary lacks). Prints figures; asserts nothing.
//     BenchStressEstimator [DICTIONARY]   (default: the source tree's data/dictionary.txt)
#include "lexicon/StressEstimator.h"
#include "lexicon/SyllableTrainingSet.h"

#include "BenchSupport.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

namespace {

// Runs a trainer with its arguments; its standard output, or empty (with the reason printed) when it fails.
QByteArray train(const QString& program, const QStringList& arguments) {
    QProcess trainer;
    trainer.start(program, arguments);
    if (!trainer.waitForFinished(600000) || trainer.exitStatus() != QProcess::NormalExit || trainer.exitCode() != 0) {
        trainer.kill();
        std::printf("%s failed: %s\n", qPrintable(program), trainer.readAllStandardError().constData());
        return {};
    }
    return trainer.readAllStandardOutput();
}

void crossValidation(const QString& dictionary) {
    QTemporaryDir dir;
    const QString syllables = dir.filePath(QStringLiteral("syllables-held-out.dat"));
    const QString stress = dir.filePath(QStringLiteral("stress-held-out.dat"));
    const QStringList holdOut{QStringLiteral("--hold-out"), QStringLiteral("0")};
    if (train(QStringLiteral(PARVENNA_SYLLABLE_TRAINER), holdOut + QStringList{dictionary, syllables}).isEmpty())
        return;
    const QByteArray report =
        train(QStringLiteral(PARVENNA_STRESS_TRAINER),
              holdOut + QStringList{QStringLiteral("--syllable-model"), syllables, dictionary, stress});
    std::printf("cross-validation, fold 0 of 10 by word hash held out of both trainers:\n");
    for (const QByteArray& line : report.split('\n'))
        if (!line.startsWith("epoch") && !line.isEmpty())
            std::printf("  %s\n", line.constData());
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QString dictionary;
    SyllableTrainingSet set;
    if (!readTrainingSet(argc, argv, QStringLiteral(PARVENNA_DATA_SOURCE_DIR "/dictionary.txt"), &dictionary, &set))
        return 1;
    QStringList divisions;
    for (const auto& word : set.words())
        divisions << QString::fromStdString(word.divisions.front());
    measureModelFile<StressEstimator>(
        QCoreApplication::applicationDirPath() + QStringLiteral("/../data/stress-estimator.dat"), divisions, "stress",
        [](const StressEstimator& estimator, const QString& division) { return estimator.stress(division); });
    crossValidation(dictionary);
    return 0;
}
