// SPDX-License-Identifier: GPL-3.0-or-later
#include "lexicon/BuiltInDictionary.h"
#include "lexicon/Division.h"
#include "lexicon/Lexicon.h"
#include "lexicon/WordKey.h"

#include <QFile>

#include "TestEnvironment.h"

class TestLexicon : public QObject {
    Q_OBJECT
private slots:
    void keys_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("key");
        QTest::newRow("case") << "BaBy"
                              << "baby";
        QTest::newRow("accents") << "Abbé Éclair"
                                 << "abbe eclair";
        QTest::newRow("ligatures") << "Æneid Œuvre"
                                   << "aeneid oeuvre";
        QTest::newRow("typographic apostrophe") << "Ain\u2019t"
                                                << "ain't";
        QTest::newRow("combining mark dropped") << "cafe\u0301"
                                                << "cafe";
        QTest::newRow("digits and hyphens kept") << "X-15"
                                                 << "x-15";
        QTest::newRow("ligatures ahead of plain letters") << "ÆæŒabc"
                                                          << "aeaeoeabc";
        QTest::newRow("longer than the key buffer")
            << QString(70, u'æ') + QStringLiteral("X") << QStringLiteral("ae").repeated(70) + QStringLiteral("x");
        QTest::newRow("marks and ligatures mixed") << "e\u0301\u0301ææa\u0301b"
                                                   << "eaeaeab";
    }
    void keys() {
        QFETCH(QString, text);
        QFETCH(QString, key);
        QCOMPARE(WordKey::fold(text), key);
        WordKey::Buffer buffer;
        QCOMPARE(WordKey::fold(text, buffer).toString(), key);
    }

    void divisionsLaidOntoTheWord_data() {
        QTest::addColumn<QString>("division");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("laid");
        QTest::newRow("user's case") << "Ba*by"
                                     << "baby"
                                     << "ba*by";
        QTest::newRow("capitals") << "ba*by"
                                  << "BABY"
                                  << "BA*BY";
        // The user's spelling stays: no accent, diaeresis or ligature the user did not type.
        QTest::newRow("no accent the user did not type") << "Ab*bé"
                                                         << "ABBE"
                                                         << "AB*BE";
        QTest::newRow("no diaeresis the user did not type") << "Co*öp*er*ate"
                                                            << "cooperate"
                                                            << "co*op*er*ate";
        QTest::newRow("two letters for a ligature") << "Æ*ne*id"
                                                    << "aeneid"
                                                    << "ae*ne*id";
        QTest::newRow("the user's ligature") << "Cæ*sar"
                                             << "CÆSAR"
                                             << "CÆ*SAR";
        QTest::newRow("blank between words") << "New Hamp*shire"
                                             << "new hampshire"
                                             << "new hamp*shire";
        QTest::newRow("other letters: the division as it is") << "Ba*by"
                                                              << "babe"
                                                              << "Ba*by";
        QTest::newRow("longer word: the division as it is") << "Ba*by"
                                                            << "babys"
                                                            << "Ba*by";
        QTest::newRow("shorter word: the division as it is") << "Ba*by"
                                                             << "bab"
                                                             << "Ba*by";
        QTest::newRow("accented letter of the user's on a plain one") << "ca*fe"
                                                                      << "CAFÉ"
                                                                      << "CA*FÉ";
        // Accents typed as combining marks (text in decomposed form) stay with their letter.
        QTest::newRow("combining accent on an accented letter") << "É*lan"
                                                                << "e\u0301lan"
                                                                << "e\u0301*lan";
        QTest::newRow("combining accents inside the word") << "na*ïve*té"
                                                           << "nai\u0308vete\u0301"
                                                           << "na*i\u0308ve*te\u0301";
        QTest::newRow("combining accent on a plain letter before a boundary") << "caf*e*te*ri*a"
                                                                              << "cafe\u0301teria"
                                                                              << "caf*e\u0301*te*ri*a";
        QTest::newRow("combining accent ahead of every letter") << "ba*by"
                                                                << "\u0301baby"
                                                                << "\u0301ba*by";
    }
    void divisionsLaidOntoTheWord() {
        QFETCH(QString, division);
        QFETCH(QString, word);
        QFETCH(QString, laid);
        QCOMPARE(Division::onto(division, word), laid);
    }

    // Pieces marked, vowel groups of the letters (the rule of thumb for undivided entries), syllables spoken.
    void counts_data() {
        QTest::addColumn<QString>("division");
        QTest::addColumn<int>("marked");
        QTest::addColumn<int>("vowelGroups");
        QTest::addColumn<int>("spoken");
        QTest::newRow("baby") << "ba*by" << 2 << 2 << 2;
        QTest::newRow("words") << "New Hamp*shire" << 3 << 3 << 3;
        QTest::newRow("inner hyphen") << "well-be*ing" << 3 << 2 << 3;
        QTest::newRow("silent e") << "cake" << 1 << 1 << 1;
        QTest::newRow("one e is no silent e") << "the" << 1 << 1 << 1;
        QTest::newRow("two vowels in a row are one group") << "i*de*a" << 3 << 2 << 3;
        QTest::newRow("no vowel") << "nth" << 1 << 0 << 1;
        QTest::newRow("no letters") << "1234" << 0 << 0 << 1;
        QTest::newRow("y before a vowel ends its group") << "pay*ing" << 2 << 2 << 2;
        QTest::newRow("y between vowels") << "be*yond" << 2 << 2 << 2;
        QTest::newRow("y starting a word") << "yes" << 1 << 1 << 1;
        QTest::newRow("y before a final e") << "eye" << 1 << 1 << 1;
        QTest::newRow("consonant and le") << "han*dle" << 2 << 2 << 2;
        QTest::newRow("consonant and led") << "dou*bled" << 2 << 2 << 2;
        QTest::newRow("consonant and les") << "mar*bles" << 2 << 2 << 2;
        QTest::newRow("consonant and re") << "a*cre" << 2 << 2 << 2;
        QTest::newRow("vowel and le") << "whole" << 1 << 1 << 1;
        QTest::newRow("r and led") << "curled" << 1 << 1 << 1;
        QTest::newRow("rhythm") << "rhythm" << 1 << 1 << 2;
        QTest::newRow("prism's") << "prism's" << 1 << 1 << 2;
        QTest::newRow("rhythms") << "rhythms" << 1 << 1 << 2;
        QTest::newRow("-ism") << "crit*i*cism" << 3 << 3 << 4;
        QTest::newRow("-asm before a hyphen") << "chasm-like" << 2 << 2 << 3;
        QTest::newRow("a vowel after -sm") << "Is*lam" << 2 << 2 << 2;
    }
    void counts() {
        QFETCH(QString, division);
        QFETCH(int, marked);
        QFETCH(int, vowelGroups);
        QFETCH(int, spoken);
        QCOMPARE(Division::markedSyllables(division), marked);
        QCOMPARE(Division::countSyllables(Division::splitText(division)), spoken);
        QString key = division;
        key.remove(QLatin1Char('*'));
        QCOMPARE(Division::vowelGroups(WordKey::fold(key)), vowelGroups);
    }

    void vowellessPiecesJoin_data() {
        QTest::addColumn<QString>("division");
        QTest::addColumn<QString>("joined");
        QTest::newRow("last piece") << "cap*i*tal*is*m"
                                    << "cap*i*tal*ism";
        QTest::newRow("inner piece") << "Aba*t*tis"
                                     << "Abat*tis";
        QTest::newRow("first piece") << "X*mas"
                                     << "X*mas";
        QTest::newRow("first lower-case piece") << "x*mas"
                                                << "xmas";
        QTest::newRow("apostrophe piece stays") << "could*n't"
                                                << "could*n't";
        QTest::newRow("capitals spelt out stay") << "M*A*S*H"
                                                 << "M*A*S*H";
        QTest::newRow("accented vowel") << "Con*som*m*é"
                                        << "Con*somm*é";
        QTest::newRow("in the second word") << "big cap*i*tal*is*m"
                                            << "big cap*i*tal*ism";
    }
    void vowellessPiecesJoin() {
        QFETCH(QString, division);
        QFETCH(QString, joined);
        Division::joinVowellessPieces(division);
        QCOMPARE(division, joined);
    }

    // A later file replaces what earlier ones say of a word; lines of one key in one file add up.
    void laterFilesWin() {
        Lexicon lexicon;
        QVERIFY(lexicon.loadText(u"Mark|Mark:n.\nmark|mark:v. t.\nBaby|Ba*by:n.|Ba*by:a.\nBabies|=Baby\n", "one"));
        QVERIFY(lexicon.loadText(u"# supplement\nbaby|ba*by:noun\n", "two"));
        QCOMPARE(lexicon.homographs(u"mark").size(), std::size_t(2));
        const auto baby = lexicon.homographs(u"baby");
        QCOMPARE(baby.size(), std::size_t(1));
        QCOMPARE(baby[0].division, QStringLiteral("ba*by"));
        QCOMPARE(baby[0].label, QStringLiteral("noun"));
        QCOMPARE(lexicon.stemsOf(u"babies"), QStringList{"baby"});
        QCOMPARE(lexicon.headwordCount(), 2);
        QCOMPARE(lexicon.formCount(), 1);
        QVERIFY(!lexicon.hasHeadword(u"babies"));
    }

    // GCIDE leaves words undivided that have several syllables; a hand-made file means what it writes.
    void unmarkedWordsOfSeveralVowelGroupsAreNotDivided() {
        Lexicon lexicon;
        QVERIFY(lexicon.loadText(u"# Source: GCIDE\nCake|Cake:n.\nbaby-faced|baby-faced:adj.\n"
                                 u"Present|Present:n.|Pre*sent:v. t.\npaying|paying:n.\n",
                                 "x"));
        QCOMPARE(lexicon.usableDivision(u"cake"), QStringLiteral("Cake"));
        QCOMPARE(lexicon.usableDivision(u"baby-faced"), QString());
        QCOMPARE(lexicon.usableDivision(u"paying"), QString());
        QCOMPARE(lexicon.usableDivision(u"present"), QStringLiteral("Pre*sent"));
        QCOMPARE(lexicon.usableHomographs(u"present").size(), std::size_t(1));
        QVERIFY(lexicon.isFromDictionary(u"cake"));
        QVERIFY(lexicon.loadText(u"New York|New York\nx-ray|x-ray\naren|aren\n", "y"));
        QCOMPARE(lexicon.usableDivision(u"new york"), QStringLiteral("New York"));
        QCOMPARE(lexicon.usableDivision(u"x-ray"), QStringLiteral("x-ray"));
        QCOMPARE(lexicon.usableDivision(u"aren"), QStringLiteral("aren"));
        QVERIFY(!lexicon.isFromDictionary(u"aren"));
    }

    // The usable division can come from a later line of the key, or from a later file, or sit beside a key too long
    // for the index to hold: the answer, the homographs and the forms stay right in each case.
    void usableDivisionFromAnyLine() {
        Lexicon lexicon;
        QVERIFY(lexicon.loadText(u"Present|Present:n.\nzebra|ze*bra\npresent|pre*sent:v. t.\nPresents|=present\n"
                                 u"Wicked|Wicked:a.\nwicked|Wick*ed:a.\n",
                                 "one"));
        QCOMPARE(lexicon.usableDivision(u"present"), QStringLiteral("pre*sent"));
        QCOMPARE(lexicon.homographs(u"present").size(), std::size_t(2));
        QCOMPARE(lexicon.usableDivision(u"wicked"), QStringLiteral("Wick*ed"));
        QCOMPARE(lexicon.usableDivision(u"zebra"), QStringLiteral("ze*bra"));
        bool isForm = false;
        QCOMPARE(lexicon.usableDivisionView(u"presents", &isForm), QStringView());
        QVERIFY(isForm);
        QCOMPARE(lexicon.usableDivisionView(u"zebra", &isForm), QStringView(u"ze*bra"));
        QVERIFY(!isForm);
        QVERIFY(lexicon.loadText(u"wicked|wicked\n", "two"));
        QCOMPARE(lexicon.usableDivision(u"wicked"), QStringLiteral("wicked"));
        const QString longKey(70000, u'a');
        const QString longDivision = QString(40000, u'b') + u'*' + QString(40000, u'b');
        const QString text = longKey + u'|' + longKey + QStringLiteral("*a\n") + QString(80001, u'b') + u'|' +
                             longDivision + QStringLiteral("\nb|=") + QString(80001, u'b') + u'\n';
        QVERIFY(lexicon.loadText(text, "three"));
        QCOMPARE(lexicon.usableDivision(longKey), longKey + QStringLiteral("*a"));
        QCOMPARE(lexicon.usableDivision(QString(80001, u'b')), longDivision);
        QCOMPARE(lexicon.stemsOf(u"b"), QStringList{QString(80001, u'b')});
        QCOMPARE(lexicon.usableDivision(u"zebra"), QStringLiteral("ze*bra"));
    }

    // A division with stress marks is kept as it divides, with a character a syllable beside it.
    void readsStressMarks_data() {
        QTest::addColumn<QString>("marked");
        QTest::addColumn<QString>("division");
        QTest::addColumn<QString>("stress");
        const char* rows[][3] = {
            {"Ba\"by", "Ba*by", "10"},
            {"Dem`on*stra\"tion", "Dem*on*stra*tion", "2010"},
            {"Re*cord\"", "Re*cord", "01"},
            {"Rec\"ord", "Rec*ord", "10"},
            {"Cat\"", "Cat", "1"},
            {"ba*by", "ba*by", ""},
            {"Ba\"by farm`", "Ba*by farm", "102"},
            {"Well\"-be`ing", "Well-be*ing", "120"},
            {"Ha'\"pen*ny", "Ha'*pen*ny", "100"},
            {"New` Hamp\"shire", "New Hamp*shire", "210"},
            {"Cat\" o' nine\" tails`", "Cat o' nine tails", "1012"},
            {"X\"-15", "X-15", "1"},              // a hyphen before a digit parts no syllables
            {"Ab\"b\u00e9`", "Ab*b\u00e9", "12"}, // a mark after an accented letter
            {"Ral\"li\u00e9s\"", "Ral*li\u00e9s", "11"},
        };
        for (const auto& row : rows)
            QTest::newRow(row[0]) << QString::fromUtf8(row[0]) << QString::fromUtf8(row[1])
                                  << QString::fromUtf8(row[2]);
        const QString longer(300, u'b'); // longer than a division's buffer
        QTest::newRow("long") << longer + QStringLiteral("a\"ba`") << longer + QStringLiteral("a*ba") << "12";
    }
    void readsStressMarks() {
        QFETCH(QString, marked);
        QFETCH(QString, division);
        QFETCH(QString, stress);
        Lexicon lexicon;
        QVERIFY(lexicon.loadText(QStringLiteral("w|%1:n.\n").arg(marked), QStringLiteral("data")));
        const auto homographs = lexicon.homographs(u"w");
        QCOMPARE(homographs.size(), std::size_t(1));
        QCOMPARE(homographs[0].division, division);
        QCOMPARE(homographs[0].stress, stress);
        QCOMPARE(homographs[0].label, QStringLiteral("n."));
    }

    // The stress goes with its division: the usable one's in the same probe, each homograph's and each spelling's
    // own, and an earlier file's to a later file's unmarked division of the same key.
    void stressBesideTheDivision() {
        Lexicon lexicon;
        QVERIFY(lexicon.loadText(u"Record|Re*cord\":v. t.|Rec\"ord:n.\nPresent|Present:n.|Pre*sent\":v.\n"
                                 u"Cur\u00e9|Cu\"r\u00e9:n.\ncure|Cure:n.\nBaby|Ba\"by:n.\nZebra|Ze\"bra\n"
                                 u"Object|Ob\"ject:n.|Ob*ject\":v.\n",
                                 "one"));
        QStringView stress;
        bool isForm = true;
        QCOMPARE(lexicon.usableDivisionView(u"record", &isForm, &stress), QStringView(u"Re*cord"));
        QCOMPARE(stress, QStringView(u"01"));
        QCOMPARE(lexicon.homographs(u"record")[1].stress, QStringLiteral("10"));
        QCOMPARE(lexicon.usableDivisionView(u"present", nullptr, &stress), QStringView(u"Pre*sent"));
        QCOMPARE(stress, QStringView(u"01"));
        QCOMPARE(lexicon.usableDivisionView(u"cure", nullptr, &stress), QStringView(u"Cure"));
        QCOMPARE(stress, QStringView());
        QString spelt;
        QCOMPARE(lexicon.divisionSpeltAs(u"cure", u"cur\u00e9", &spelt), QStringLiteral("Cu*r\u00e9"));
        QCOMPARE(spelt, QStringLiteral("10"));
        QCOMPARE(lexicon.usableDivisionView(u"nothing", nullptr, &stress), QStringView());
        QCOMPARE(stress, QStringView());
        QVERIFY(lexicon.loadText(u"baby|ba*by:noun\nzebra|zeb*ra\nobject|ob*ject:noun|ob*ject\":verb\n", "two"));
        QCOMPARE(lexicon.usableDivisionView(u"baby", nullptr, &stress), QStringView(u"ba*by"));
        QCOMPARE(stress, QStringView(u"10"));
        QCOMPARE(lexicon.usableHomographs(u"zebra")[0].stress, QString());
        const auto object = lexicon.homographs(u"object");
        QCOMPARE(object[0].stress + object[1].stress, QStringLiteral("1001"));
    }

    // Every stress in the shipped data has a character a syllable, and every word of several syllables in the
    // hand-made supplement has one.
    void shippedStressFitsItsDivisions() {
        Lexicon lexicon;
        QString error;
        const QStringList files = BuiltInDictionary::defaultFiles();
        QVERIFY2(lexicon.load(files, &error), qPrintable(error));
        int stressed = 0;
        for (const QString& path : files) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
            while (!file.atEnd()) {
                const QString line = QString::fromUtf8(file.readLine());
                for (const Lexicon::Homograph& h : lexicon.homographs(WordKey::fold(line.section(u'|', 0, 0)))) {
                    const int syllables = Division::markedSyllables(h.division);
                    QVERIFY2(h.stress.isEmpty() ? syllables < 2 || !path.endsWith(u"words.txt")
                                                : h.stress.size() == syllables,
                             qPrintable(line));
                    stressed += h.stress.isEmpty() ? 0 : 1;
                }
            }
        }
        QVERIFY2(stressed > 100000, qPrintable(QString::number(stressed)));
    }

    void badData_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error");
        QTest::newRow("no bar") << "baby|ba*by\nbroken line\n"
                                << "Line 2 of data is not of the form";
        QTest::newRow("empty division") << "# c\nbaby||ba*by\n"
                                        << "Line 2 of data has an empty division";
        QTest::newRow("nothing after the bar") << "baby|\n"
                                               << "Line 1 of data is not of the form";
        QTest::newRow("form of nothing") << "babies|=\n"
                                         << "Line 1 of data names no entry";
        for (const char* division : {"\"ba*by", "ba*\"by", "ba\"`by", "New \"York", "ba-\"by"})
            QTest::newRow(division) << QStringLiteral("baby|%1:n.\n").arg(QString::fromUtf8(division))
                                    << "Line 1 of data has a stress mark that follows no syllable";
    }
    void badData() {
        QFETCH(QString, text);
        QFETCH(QString, error);
        Lexicon lexicon;
        QString reason;
        QVERIFY(!lexicon.loadText(text, QStringLiteral("data"), &reason));
        QVERIFY2(reason.startsWith(error), qPrintable(reason));
        QVERIFY(!lexicon.load({qEnvironmentVariable("TEMP") + QStringLiteral("/missing.txt")}, &reason));
        QVERIFY2(reason.contains(QStringLiteral("missing.txt")), qPrintable(reason));
    }

    void manyWordsStayFindable() {
        Lexicon lexicon;
        QString text;
        for (int i = 0; i < 20000; ++i)
            text += QStringLiteral("w%1|w*%1\n").arg(i);
        QVERIFY(lexicon.loadText(text, QStringLiteral("many")));
        QCOMPARE(lexicon.headwordCount(), 20000);
        for (int i = 0; i < 20000; i += 997)
            QCOMPARE(lexicon.usableDivision(QStringLiteral("w%1").arg(i)), QStringLiteral("w*%1").arg(i));
        QVERIFY(!lexicon.hasHeadword(u"w20000"));
        QCOMPARE(lexicon.closestKeys(u"w12", 1), QStringList{"w12"});
        QCOMPARE(lexicon.closestKeys(u"w12x", 2), (QStringList{"w120", "w121"}));
        QCOMPARE(lexicon.closestKeys(u"zzz", 3), QStringList{});
    }
};

PARVENNA_TEST_MAIN(TestLexicon)
#include "TestLexicon.moc"
