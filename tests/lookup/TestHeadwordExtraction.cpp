// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/HeadwordExtraction.h"

#include "TestEnvironment.h"

namespace {
QString entryAnswer(const QString& id, const QString& headwordElement) {
    return QStringLiteral("<?xml version=\"1.0\"?><entry_list version=\"1.0\"><entry id=\"%1\">%2"
                          "<fl>noun</fl></entry></entry_list>")
        .arg(id, headwordElement);
}
} // namespace

class TestHeadwordExtraction : public QObject {
    Q_OBJECT
private slots:
    void extraction_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("split");
        QTest::addColumn<int>("count");
        const QString dot = QString(QChar(0x00B7));
        QTest::newRow("baby") << entryAnswer("baby", "<hw>ba*by</hw>") << "baby" << true << "ba" + dot + "by" << 2;
        QTest::newRow("demonstration") << entryAnswer("demonstration", "<hw>dem*on*stra*tion</hw>") << "demonstration"
                                       << true << QString("dem·on·stra·tion") << 4;
        QTest::newRow("blank inside headword") << entryAnswer("New Hampshire", "<hw>New Hamp*shire</hw>")
                                               << "New Hampshire" << true << QString("New·Hamp·shire") << 3;
        QTest::newRow("one syllable") << entryAnswer("cat", "<hw>cat</hw>") << "cat" << true << "cat" << 1;
        QTest::newRow("hyphen between letters parts syllables")
            << entryAnswer("well-being", "<hw>well-be*ing</hw>") << "well-being" << true << QString("well-be·ing") << 3;
        QTest::newRow("hyphen at an end does not") << entryAnswer("ex-", "<hw>ex-</hw>") << "ex-" << true << "ex-" << 1;
        QTest::newRow("empty headword") << entryAnswer("x", "<hw></hw>") << "x" << true << "" << 0;
        QTest::newRow("capitals in tag and id")
            << QString("<ENTRY ID=\"Baby\"><HW>ba*by</HW></ENTRY>") << "baby" << true << QString("ba·by") << 2;
        QTest::newRow("word with blanks around")
            << entryAnswer("baby", "<hw>ba*by</hw>") << "  baby " << true << QString("ba·by") << 2;
        QTest::newRow("homograph id") << entryAnswer("run[1]", "<hw>run</hw>") << "run" << true << "run" << 1;
        QTest::newRow("id only begins with word")
            << entryAnswer("runaway", "<hw>run*away</hw>") << "run" << true << QString("run·away") << 2;
        QTest::newRow("first headword of the document")
            << QString("<entry id=\"other\"><hw>oth*er</hw></entry><entry id=\"baby\"><hw>ba*by</hw></entry>") << "baby"
            << true << QString("oth·er") << 2;
        QTest::newRow("blanks inside tags trimmed first")
            << entryAnswer("baby", "<hw>  ba*by </hw>") << "baby" << true << QString("ba·by") << 2;
        QTest::newRow("attributes on start tag")
            << entryAnswer("baby", "<hw hindex=\"1\">ba*by</hw>") << "baby" << true << QString("ba·by") << 2;
        QTest::newRow("markup stays") << entryAnswer("baby", "<hw>ba*<it>by</it></hw>") << "baby" << true
                                      << QString("ba·<it>by</it>") << 2;
        QTest::newRow("ampersand word") << entryAnswer("r&b", "<hw>r&amp;b</hw>") << "r&b" << true << "r&amp;b" << 1;
        QTest::newRow("entity in headword")
            << entryAnswer("rb", "<hw>r&amp;*b</hw>") << "rb" << true << QString("r&amp;·b") << 2;
        QTest::newRow("a syllable without a vowel letter")
            << entryAnswer("rhythm", "<hw>rhythm</hw>") << "rhythm" << true << QString("rhythm") << 2;
        QTest::newRow("-ism") << entryAnswer("racism", "<hw>rac*ism</hw>") << "racism" << true << QString("rac·ism")
                              << 3;
        QTest::newRow("double boundary counts empty piece")
            << entryAnswer("ab", "<hw>a**b</hw>") << "ab" << true << QString("a··b") << 3;
        QTest::newRow("not found: suggestions")
            << QString("<entry_list><suggestion>babe</suggestion></entry_list>") << "bbay" << false << "" << 0;
        QTest::newRow("could not connect") << QString("Could not connect") << "baby" << false << "" << 0;
        QTest::newRow("empty file") << QString("empty file") << "baby" << false << "" << 0;
        QTest::newRow("empty answer") << QString() << "baby" << false << "" << 0;
        QTest::newRow("html error page") << QString("<html><body><h1>500 Internal Server Error</h1></body></html>")
                                         << "baby" << false << "" << 0;
        QTest::newRow("middle dot in word")
            << entryAnswer("ba·by", "<hw>ba*by</hw>") << QString("ba·by") << true << QString("ba·by") << 2;
        QTest::newRow("quote in word never matches oddly")
            << entryAnswer("baby", "<hw>ba*by</hw>") << "ba\"by" << false << "" << 0;
        QTest::newRow("long word") << entryAnswer("baby", "<hw>ba*by</hw>") << QString(1000, 'a') << false << "" << 0;
    }
    // The row's stress comes from the entry's pronunciation, only where its syllables are the headword's.
    void stressOfThePronunciation_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("stressed");
        QTest::newRow("primary") << entryAnswer("baby", "<hw>ba*by</hw><pr>\u02C8b\u0101-b\u0113</pr>")
                                 << QString("\u02C8ba·by");
        QTest::newRow("primary and secondary")
            << entryAnswer("demonstration",
                           "<hw>dem*on*stra*tion</hw><pr>\u02CCde-m\u0259n-\u02C8str\u0101-sh\u0259n</pr>")
            << QString("\u02CCdem·on·\u02C8stra·tion");
        QTest::newRow("first of several")
            << entryAnswer("record", "<hw>re*cord</hw><pr>ri-\u02C8k\u022Frd, \u02C8re-k\u0259rd</pr>")
            << QString("re·\u02C8cord");
        QTest::newRow("no pronunciation: no guess") << entryAnswer("baby", "<hw>ba*by</hw>") << QString();
        QTest::newRow("other syllables: no marks")
            << entryAnswer("fire", "<hw>fire</hw><pr>\u02C8f\u012B-\u0259r</pr>") << QString();
        QTest::newRow("another entry's pronunciation")
            << QString("<entry id=\"baby\"><hw>ba*by</hw></entry><entry id=\"x\"><pr>\u02C8ba-by</pr></entry>")
            << QString();
    }
    void stressOfThePronunciation() {
        QFETCH(QString, answer);
        QFETCH(QString, stressed);
        const QString word = answer.mid(answer.indexOf(QStringLiteral("id=\"")) + 4).section(QLatin1Char('"'), 0, 0);
        QCOMPARE(HeadwordExtraction::extract(answer, word).stressedText, stressed);
    }

    void extraction() {
        QFETCH(QString, answer);
        QFETCH(QString, word);
        QFETCH(bool, found);
        QFETCH(QString, split);
        QFETCH(int, count);
        const HeadwordExtraction::Result result = HeadwordExtraction::extract(answer, word);
        QCOMPARE(result.found, found);
        QCOMPARE(result.splitText, split);
        QCOMPARE(result.syllables, count);
        QCOMPARE(result.failedStep, 0);
    }

    void malformedAnswers_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("step");
        QTest::newRow("no headword element") << entryAnswer("baby", "<fl>noun</fl>") << 146;
        QTest::newRow("unfinished start tag") << QString("<entry id=\"baby\"><hw") << 146;
        QTest::newRow("no end tag") << entryAnswer("baby", "<hw>ba*by") << 150;
    }
    void malformedAnswers() {
        QFETCH(QString, answer);
        QFETCH(int, step);
        const HeadwordExtraction::Result result = HeadwordExtraction::extract(answer, QStringLiteral("baby"));
        QVERIFY(!result.found);
        QCOMPARE(result.failedStep, step);
        QVERIFY(!result.failure.isEmpty());
    }
};

PARVENNA_TEST_MAIN(TestHeadwordExtraction)
#include "TestHeadwordExtraction.moc"
