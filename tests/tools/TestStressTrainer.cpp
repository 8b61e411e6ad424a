// SPDX-License-Identifier: GPL-3.0-or-later
#include "lexicon/StressEstimator.h"

#include "TestEnvironment.h"
#include "ToolRun.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

// Divisions with GCIDE's stress marks, in the data file's format ("abridge|a*bridge\"").
const QString kSmallStress = QStringLiteral(PARVENNA_FIXTURES "/syllables/stress.txt");

ToolRun runTrainer(const QStringList& arguments) {
    return ToolRun::of(QStringLiteral(PARVENNA_STRESS_TRAINER), arguments);
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestStressTrainer : public QObject {
    Q_OBJECT
private slots:
    // The same words give the same model, which the estimator reads; held out, it is scored next to the rules.
    void trainsReproduciblyAndScoresTheHeldOutWords() {
        QTemporaryDir dir;
        QStringList models;
        for (const QStringList& options :
             {QStringList(), QStringList{QStringLiteral("--hold-out"), QStringLiteral("2")}}) {
            models << dir.filePath(QStringLiteral("model%1.dat").arg(models.size()));
            const ToolRun run = runTrainer(QStringList{QStringLiteral("--table-bits"), QStringLiteral("12")} + options +
                                           QStringList{kSmallStress, models.last()});
            QVERIFY2(run.exitCode == 0 && run.output.contains(QStringLiteral("epoch 10:")), qPrintable(run.output));
            QCOMPARE(options.isEmpty(), !run.output.contains(QStringLiteral("rule 'first syllable': primary stress")));
        }
        QCOMPARE(contents(models[0]).size(), 15 + (1 << 12) + 8);
        const ToolRun again = runTrainer({QStringLiteral("--table-bits"), QStringLiteral("12"), kSmallStress,
                                          dir.filePath(QStringLiteral("again.dat"))});
        QCOMPARE(again.exitCode, 0);
        QVERIFY(contents(models[0]) == contents(dir.filePath(QStringLiteral("again.dat"))));
        QVERIFY(contents(models[0]) != contents(models[1]));
        StressEstimator estimator;
        QString error;
        QVERIFY2(estimator.load(models[0], &error), qPrintable(error));
        QCOMPARE(estimator.stress(u"a*bridge").size(), 2);
    }

    void refusesBadArguments_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("table too large") << QStringList{QStringLiteral("--table-bits"), QStringLiteral("30")} << 2;
        QTest::newRow("fold out of range") << QStringList{QStringLiteral("--hold-out"), QStringLiteral("10")} << 2;
        QTest::newRow("no words with stress") << QStringList{QStringLiteral(PARVENNA_FIXTURES "/gcide/README.md")} << 1;
    }
    void refusesBadArguments() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QTemporaryDir dir;
        const QString model = dir.filePath(QStringLiteral("model.dat"));
        if (arguments.size() != 1)
            arguments << kSmallStress;
        const ToolRun run = runTrainer(arguments << model);
        QVERIFY2(run.exitCode == exitCode, qPrintable(run.output));
        QVERIFY(!QFile::exists(model));
    }
};

PARVENNA_TEST_MAIN(TestStressTrainer)
#include "TestStressTrainer.moc"
