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
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

namespace {

void measureModel(const QString& path, const QStringList& divisions) {
    // 1. Size and load time (median of 21 loads).
    QList<double> loads;
    StressEstimator estimator;
    for (int i = 0; i < 21; ++i) {
        QElapsedTimer timer;
        timer.start();
        if (!estimator.load(path)) {
            std::printf("cannot load %s\n", qPrintable(path));
            return;
        }
        loads << double(timer.nsecsElapsed()) / 1e6;
    }
    std::printf("data file %s: %lld bytes, load %.2f ms (median of 21)\n", qPrintable(path),
                static_cast<long long>(QFileInfo(path).size()), median(loads));
    // 2. Divisions a second, best of 5 passes, by the wall clock and by this thread's processor time.
    double bestWall = 0;
    double bestProcessor = 0;
    qsizetype characters = 0;
    for (int pass = 0; pass < 5; ++pass) {
        QElapsedTimer timer;
        timer.start();
        const double started = threadSeconds();
        for (const QString& division : divisions)
            characters += estimator.stress(division).size();
        bestProcessor = std::max(bestProcessor, double(divisions.size()) / (threadSeconds() - started));
        bestWall = std::max(bestWall, double(divisions.size()) / (double(timer.nsecsElapsed()) / 1e9));
    }
    std::printf("stress: %.0f words a second of processor time, %.0f by the wall clock (%lld divided words of the "
                "dictionary, best of 5 passes; %lld characters out)\n",
                bestProcessor, bestWall, static_cast<long long>(divisions.size()), static_cast<long long>(characters));
}

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
    const QString dictionary =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(PARVENNA_DATA_SOURCE_DIR "/dictionary.txt");
    SyllableTrainingSet set;
    QString error;
    if (!set.read(dictionary, &error)) {
        std::printf("%s\n", qPrintable(error));
        return 1;
    }
    QStringList divisions;
    for (const auto& word : set.words())
        divisions << QString::fromStdString(word.divisions.front());
    measureModel(QCoreApplication::applicationDirPath() + QStringLiteral("/../data/stress-estimator.dat"), divisions);
    crossValidation(dictionary);
    return 0;
}
