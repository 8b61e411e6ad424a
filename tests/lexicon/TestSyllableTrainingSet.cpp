// SPDX-License-Identifier: GPL-3.0-or-later
#include "lexicon/SyllableTrainingSet.h"
#include "lexicon/VowelGroupRule.h"

#include "TestEnvironment.h"

#include <QFile>
#include <QTemporaryDir>

class TestSyllableTrainingSet : public QObject {
    Q_OBJECT
private slots:
    void readsDividedSingleWords() {
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("dictionary.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("# a comment line|x*y\n"
                   "\n"
                   "Acid process|Ac*id proc*ess:n.\n"  // blank
                   "Well-being|Well-be*ing:n.\n"       // hyphen
                   "Adam's|Ad*am's\n"                  // apostrophe
                   "B52|B5*2\n"                        // digits
                   "Cat|Cat:n.\n"                      // no mark
                   "Babied|=Baby\n"                    // form line
                   "Baby|ba*by:n.|ba*by:v. t.|bab*y\n" // homographs, one division twice
                   "Polish|Pol*ish:a.\n"
                   "polish|pol*ish:v. t.|po*lish\n"   // meets Polish once folded
                   "\xc3\x86neid|\xc3\x86*ne*id:n.\n" // Æneid: a ligature folds to two letters
                   "Abb\xc3\xa9|Ab*b\xc3\xa9:n.\n"    // Abbé
                   "Dvergr|Dver*gr\n"                 // a syllable without a vowel
                   "Typo|Ty*po*x\n");                 // letters differ from the headword
        file.close();
        SyllableTrainingSet set;
        QVERIFY(set.read(file.fileName()));
        QStringList seen;
        for (const auto& word : set.words()) {
            QString line = QString::fromStdString(word.letters);
            for (const std::string& division : word.divisions)
                line += u'|' + QString::fromStdString(division);
            seen << line;
        }
        QCOMPARE(seen, QStringList({QStringLiteral("abbe|ab*be"), QStringLiteral("aeneid|ae*ne*id"),
                                    QStringLiteral("baby|ba*by|bab*y"), QStringLiteral("polish|pol*ish|po*lish")}));
        QCOMPARE(set.skippedDivisions(), 2);
    }

    void foldsSplitTheWordsByHash() {
        // Every word is in exactly one fold, and the folds are of about equal size.
        std::vector<int> sizes(SyllableTrainingSet::kFolds, 0);
        for (int i = 0; i < 5000; ++i)
            ++sizes[SyllableTrainingSet::foldOf("word" + std::to_string(i))];
        for (const int size : sizes)
            QVERIFY2(size > 400 && size < 600, qPrintable(QString::number(size)));
        QCOMPARE(SyllableTrainingSet::foldOf("baby"), SyllableTrainingSet::foldOf("baby"));
    }

    void scoresExactAndCount() {
        const SyllableTrainingSet::Word baby{"baby", {"ba*by", "bab*y"}};
        const SyllableTrainingSet::Word polish{"polish", {"pol*ish"}};
        const SyllableTrainingSet::Word cat{"catalog", {"cat*a*log"}};
        const auto figures = SyllableTrainingSet::score({&baby, &polish, &cat}, [](const std::string& letters) {
            return letters == "baby" ? std::string("bab*y") : letters == "polish" ? "po*lish" : "cata*log";
        });
        QCOMPARE(figures.words, 3);
        QCOMPARE(figures.exact, 1);
        QCOMPARE(figures.count, 2);
    }

    void vowelGroupRule_data() {
        QTest::addColumn<QString>("letters");
        QTest::addColumn<QString>("division");
        QTest::newRow("single consonant goes on") << "baby"
                                                  << "ba*by";
        QTest::newRow("cluster splits after its first") << "hundred"
                                                        << "hun*dred";
        QTest::newRow("vowel group is one syllable") << "rain"
                                                     << "rain";
        QTest::newRow("silent final e") << "bake"
                                        << "bake";
        QTest::newRow("consonant le is heard") << "table"
                                               << "ta*ble";
        QTest::newRow("cluster before le") << "candle"
                                           << "can*dle";
        QTest::newRow("lone e is heard") << "be"
                                         << "be";
        QTest::newRow("y at the start is a consonant") << "yellow"
                                                       << "yel*low";
        QTest::newRow("y inside is a vowel") << "rhythm"
                                             << "rhythm";
        QTest::newRow("no vowel") << "brr"
                                  << "brr";
    }
    void vowelGroupRule() {
        QFETCH(QString, letters);
        QFETCH(QString, division);
        QCOMPARE(QString::fromStdString(VowelGroupRule::divide(letters.toStdString())), division);
    }
};

PARVENNA_TEST_MAIN(TestSyllableTrainingSet)
#include "TestSyllableTrainingSet.moc"
