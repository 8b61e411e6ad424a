// SPDX-License-Identifier: GPL-3.0-or-later
#include "lexicon/Division.h"
#include "lexicon/ModelFile.h"
#include "lexicon/StressEstimator.h"
#include "lexicon/SyllableTrainingSet.h"

#include "RefusedModelFile.h"
#include "TestEnvironment.h"

#include <QFile>

namespace {

QString shippedModel() {
    return QStringLiteral(PARVENNA_BINARY_DIR "/data/stress-estimator.dat");
}

QByteArray shippedBytes() {
    QFile file(shippedModel());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The bytes with a byte changed and the check sum made to match again.
QByteArray changed(const QByteArray& bytes, qsizetype at, char value) {
    QByteArray body = bytes.left(bytes.size() - 8);
    body[at] = value;
    ModelFile::appendChecksum(body);
    return body;
}

} // namespace

class TestStressEstimator : public QObject {
    Q_OBJECT
    StressEstimator m_estimator;

private slots:
    void initTestCase() {
        QString error;
        QVERIFY2(m_estimator.load(shippedModel(), &error), qPrintable(error));
    }

    // Divisions of words the dictionary lacks, with the stress the shipped model gives them (kept where the primary
    // stress is that of American usage); a retrained model that stresses them otherwise shows here. Then the shapes
    // a division can have.
    void estimates_data() {
        QTest::addColumn<QString>("division");
        QTest::addColumn<QString>("stress");
        const std::pair<const char*, const char*> rows[] = {
            {"flib*ber*y", "100"},
            {"stay*ca*tion", "010"},
            {"blorp*tas*tic", "010"},
            {"mon*e*tize", "100"},
            {"glob*al*i*za*tion", "20010"},
            {"un*friend*ly", "010"},
            {"pho*to*graph*ic", "2010"},
            {"sus*tain*a*bil*i*ty", "020100"},
            {"vol*un*teer", "201"},
            {"cat", "1"},              // one syllable
            {"New Hamp*shire", "110"}, // each word its own primary stress
            {"well-be*ing", "110"},    // a hyphen between letters parts words
            {"X-15", "1"},             // one between a letter and a digit does not
            {"rock 'n' roll", "111"},  // each word of one syllable is stressed
            {"24 hours", "01"},        // a part without letters is unstressed
            {"Ca*f\u00e9", "21"},      // accents are folded
            {"", ""},
            {"1914", ""},
        };
        for (const auto& [division, stress] : rows)
            QTest::newRow(division) << QString::fromUtf8(division) << QString::fromUtf8(stress);
    }
    void estimates() {
        QFETCH(QString, division);
        QFETCH(QString, stress);
        QCOMPARE(m_estimator.stress(division), stress);
    }

    // Over every divided word of the dictionary: a character a syllable, and one primary stress.
    void everyWordGetsOnePrimaryStress() {
        SyllableTrainingSet set;
        QVERIFY(set.read(QStringLiteral(PARVENNA_SOURCE_DIR "/data/dictionary.txt")));
        QVERIFY(set.words().size() > 80000);
        for (const SyllableTrainingSet::Word& word : set.words()) {
            const QString division = QString::fromStdString(word.divisions.front());
            const QString stress = m_estimator.stress(division);
            QVERIFY2(stress.size() == Division::markedSyllables(division) && stress.count(u'1') == 1,
                     qPrintable(division + u' ' + stress));
        }
    }

    // Without a model, or when the file is not there, nothing is stressed; the message names the file.
    void withoutAModelNothingIsStressed() {
        StressEstimator estimator;
        QVERIFY(!estimator.isLoaded());
        QCOMPARE(estimator.stress(u"ba*by"), QString());
        QString error;
        QVERIFY(!estimator.load(QStringLiteral("/nonexistent/stress-estimator.dat"), &error));
        QVERIFY2(error.contains(QStringLiteral("/nonexistent/stress-estimator.dat")), qPrintable(error));
        QCOMPARE(estimator.stress(u"ba*by"), QString());
    }

    void badFilesAreRefused_data() {
        const QByteArray good = shippedBytes();
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        QTest::newRow("empty") << QByteArray() << "not a stress estimator file";
        QTest::newRow("the syllable estimator's")
            << QByteArray("PVSYLEST").append(good.mid(8)) << "not a stress estimator file";
        QTest::newRow("truncated") << good.left(good.size() - 1) << "truncated";
        QTest::newRow("extra byte") << good + 'x' << "truncated";
        QByteArray flipped = good;
        flipped[1000] = char(flipped[1000] ^ 0x40);
        QTest::newRow("damaged weight") << flipped << "check sum";
        QTest::newRow("newer version") << changed(good, 8, char(StressEstimator::kFormatVersion + 1))
                                       << QStringLiteral("format version %1").arg(StressEstimator::kFormatVersion + 1);
        QTest::newRow("table too large") << changed(good, 10, 30) << "out of range";
        StressModel::Shape small;
        small.tableBits = 10;
        QTest::newRow("count differs from the table")
            << StressEstimator::serialize(small, std::vector<std::int8_t>(512)) << "truncated";
    }
    void badFilesAreRefused() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        checkModelFileRefused<StressEstimator>(bytes, reason, shippedModel());
    }
};

PARVENNA_TEST_MAIN(TestStressEstimator)
#include "TestStressEstimator.moc"
