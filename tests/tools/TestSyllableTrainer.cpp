// SPDX-License-Identifier: GPL-3.0-or-later
#include "lexicon/SyllableEstimator.h"
#include "lexicon/SyllableTrainingSet.h"

#include "TestEnvironment.h"
#include "ToolRun.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

const QString kSmallDictionary = QStringLiteral(PARVENNA_FIXTURES "/syllables/dictionary.txt");
const QString kSmallStress = QStringLiteral(PARVENNA_FIXTURES "/syllables/stress.txt");

ToolRun runTrainer(const QStringList& arguments) {
    return ToolRun::of(QStringLiteral(PARVENNA_SYLLABLE_TRAINER), arguments);
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestSyllableTrainer : public QObject {
    Q_OBJECT
private slots:
    void trainingIsReproducible() {
        QTemporaryDir dir;
        const QString first = dir.filePath(QStringLiteral("first.dat"));
        const QString second = dir.filePath(QStringLiteral("second.dat"));
        for (const QString& path : {first, second}) {
            const ToolRun run =
                runTrainer({QStringLiteral("--table-bits"), QStringLiteral("14"), kSmallDictionary, path});
            QVERIFY2(run.exitCode == 0, qPrintable(run.output));
        }
        const QByteArray bytes = contents(first);
        QCOMPARE(bytes.size(), 22 + (1 << 14) + 8);
        QVERIFY(bytes == contents(second));
    }

    void readsStressAsTheConverterWritesIt() {
        // gcide-convert --stress writes the words as GCIDE spells them ("Abridge|A*bridge\""); they are folded as
        // the training words are, so the marks reach the same words as in the folded file.
        QTemporaryDir dir;
        const QString capitalised = dir.filePath(QStringLiteral("stress.txt"));
        QFile file(capitalised);
        QVERIFY(file.open(QIODevice::WriteOnly));
        for (const QString& line : QString::fromUtf8(contents(kSmallStress)).split(u'\n')) {
            QStringList fields = line.split(u'|');
            for (QString& field : fields)
                field = line.startsWith(u'#') ? field : field.left(1).toUpper() + field.mid(1);
            file.write(fields.join(u'|').toUtf8() + '\n');
        }
        file.close();
        QStringList models;
        for (const QStringList& stress : {QStringList{QStringLiteral("--stress-file"), kSmallStress},
                                          QStringList{QStringLiteral("--stress-file"), capitalised}, QStringList()}) {
            models << dir.filePath(QStringLiteral("model%1.dat").arg(models.size()));
            const ToolRun run = runTrainer(QStringList{QStringLiteral("--table-bits"), QStringLiteral("14"),
                                                       QStringLiteral("--stress"), QStringLiteral("2")} +
                                           stress + QStringList{kSmallDictionary, models.last()});
            QVERIFY2(run.exitCode == 0, qPrintable(run.output));
        }
        QVERIFY(contents(models[0]) == contents(models[1]));
        QVERIFY(contents(models[0]) != contents(models[2])); // the marks do make a difference
    }

    void theModelLearnsItsWords_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("stressLevels");
        QTest::newRow("letters") << QStringList() << 1;
        QTest::newRow("word ends") << QStringList{QStringLiteral("--suffix"), QStringLiteral("4"),
                                                  QStringLiteral("--prefix"), QStringLiteral("2")}
                                   << 1;
        QTest::newRow("stress learned from the marks") << QStringList{QStringLiteral("--stress"), QStringLiteral("2"),
                                                                      QStringLiteral("--stress-file"), kSmallStress}
                                                       << 2;
        QTest::newRow("stress guessed without marks")
            << QStringList{QStringLiteral("--stress"), QStringLiteral("3")} << 3;
    }
    void theModelLearnsItsWords() {
        // Trainer and estimator must agree on every feature: a model applied to the words it learned from gives
        // back nearly all of their divisions, whatever features the file says it has.
        QFETCH(QStringList, options);
        QFETCH(int, stressLevels);
        QTemporaryDir dir;
        const QString model = dir.filePath(QStringLiteral("model.dat"));
        const ToolRun run = runTrainer(options + QStringList{kSmallDictionary, model});
        QVERIFY2(run.exitCode == 0, qPrintable(run.output));
        QCOMPARE(int(contents(model).at(17)), stressLevels);
        SyllableEstimator estimator;
        QString error;
        QVERIFY2(estimator.load(model, &error), qPrintable(error));
        SyllableTrainingSet set;
        QVERIFY(set.read(kSmallDictionary));
        std::vector<const SyllableTrainingSet::Word*> all;
        for (const auto& word : set.words())
            all.push_back(&word);
        const auto figures = SyllableTrainingSet::score(all, [&](const std::string& letters) {
            return estimator.divide(QString::fromStdString(letters)).toStdString();
        });
        QVERIFY(figures.words > 400);
        QVERIFY2(figures.exact >= figures.words * 95 / 100, qPrintable(QString::number(figures.exact)));
    }

    void holdOutReportsFiguresOnTheOtherWords() {
        QTemporaryDir dir;
        const ToolRun run = runTrainer({QStringLiteral("--hold-out"), QStringLiteral("3"), QStringLiteral("--epochs"),
                                        QStringLiteral("2"), kSmallDictionary, dir.filePath(QStringLiteral("m.dat"))});
        QVERIFY2(run.exitCode == 0, qPrintable(run.output));
        SyllableTrainingSet set;
        QVERIFY(set.read(kSmallDictionary));
        const auto heldOut = set.select(3, true).size();
        QVERIFY(heldOut > 20);
        QVERIFY2(run.output.contains(QStringLiteral("training on %1\n").arg(set.words().size() - heldOut)),
                 qPrintable(run.output));
        QVERIFY2(run.output.contains(QStringLiteral("held-out words: %1\n").arg(heldOut)), qPrintable(run.output));
        QVERIFY(run.output.contains(QStringLiteral("estimator:  exact division ")));
        QVERIFY(run.output.contains(QStringLiteral("vowel-group rule: exact division ")));
        // Two epochs for each of the four orders averaged.
        QCOMPARE(run.output.count(QStringLiteral("epoch ")), 8);
        QVERIFY(run.output.contains(QStringLiteral("order 4, epoch 2:")));
    }

    void badArgumentsWriteNothing_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("fold out of range") << QStringList{QStringLiteral("--hold-out"), QStringLiteral("10")} << 2;
        QTest::newRow("table too small") << QStringList{QStringLiteral("--table-bits"), QStringLiteral("4")} << 2;
        QTest::newRow("no epochs") << QStringList{QStringLiteral("--epochs"), QStringLiteral("0")} << 2;
        QTest::newRow("no orders") << QStringList{QStringLiteral("--orders"), QStringLiteral("0")} << 2;
        QTest::newRow("missing dictionary") << QStringList{QStringLiteral("--dictionary-missing")} << 1;
        QTest::newRow("too many stress levels") << QStringList{QStringLiteral("--stress"), QStringLiteral("4")} << 2;
        QTest::newRow("word end too long") << QStringList{QStringLiteral("--suffix"), QStringLiteral("9")} << 2;
        QTest::newRow("missing stress file")
            << QStringList{QStringLiteral("--stress"), QStringLiteral("2"), QStringLiteral("--stress-file"),
                           QStringLiteral(PARVENNA_FIXTURES "/syllables/none.txt")}
            << 1;
    }
    void badArgumentsWriteNothing() {
        QFETCH(QStringList, options);
        QFETCH(int, exitCode);
        QTemporaryDir dir;
        const QString model = dir.filePath(QStringLiteral("m.dat"));
        QStringList arguments = options;
        if (options.first() == QStringLiteral("--dictionary-missing"))
            arguments = {dir.filePath(QStringLiteral("none.txt")), model};
        else
            arguments << kSmallDictionary << model;
        QCOMPARE(runTrainer(arguments).exitCode, exitCode);
        QVERIFY(!QFile::exists(model));
    }
};

PARVENNA_TEST_MAIN(TestSyllableTrainer)
#include "TestSyllableTrainer.moc"
