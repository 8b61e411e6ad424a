// SPDX-License-Identifier: GPL-3.0-or-later
#include "lexicon/Division.h"
#include "lexicon/SpokenForms.h"

#include "TestEnvironment.h"

namespace {

// One row: the word, the reading expected (empty: not of the kind) and the syllables the row will show.
void row(const QString& word, const char* division, int syllables) {
    QTest::newRow(word.isEmpty() ? "(empty)" : qPrintable(word.left(24)))
        << word << QString::fromUtf8(division) << syllables;
}

void columns() {
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("division");
    QTest::addColumn<int>("syllables");
}

void none(std::initializer_list<const char*> words) {
    for (const char* word : words)
        row(QString::fromUtf8(word), "", 0);
}

// The reading and the count shown for it.
void check(const QString& reading) {
    QFETCH(QString, division);
    QFETCH(int, syllables);
    QCOMPARE(reading, division);
    QCOMPARE(Division::countSyllables(Division::splitText(reading)), syllables);
}

} // namespace

class TestSpokenForms : public QObject {
    Q_OBJECT

private slots:
    void numbers_data() {
        columns();
        // Cardinals, commas and bounds
        row("0", "ze*ro", 2);
        row("7", "sev*en", 2);
        row("66", "six*ty-six", 3);
        row("80", "eight*y", 2);
        row("101", "one hun*dred one", 4);
        row("1,000", "one thou*sand", 3);
        row("1,990", "one thou*sand nine hun*dred nine*ty", 8);
        row("4096", "four thou*sand nine*ty-six", 6);
        row("2100", "two thou*sand one hun*dred", 6);
        row("2,500,000", "two mil*lion five hun*dred thou*sand", 8);
        row("12,345,678", "twelve mil*lion three hun*dred for*ty-five thou*sand six hun*dred sev*en*ty-eight", 18);
        row("1000000001", "one bil*lion one", 4);
        row("999,999,999,999",
            "nine hun*dred nine*ty-nine bil*lion nine hun*dred nine*ty-nine mil*lion nine hun*dred nine*ty-nine "
            "thou*sand nine hun*dred nine*ty-nine",
            30);
        none({"1000000000000", "1,000,000,000,000", "007", "0123", "00", "0,100", "1,00", "12,3456", "1,000,00",
              "1234,567", ",100", "100,", "1,,000"});
        // Years
        row("1000", "one thou*sand", 3);
        row("1005", "ten oh five", 3);
        row("1066", "ten six*ty-six", 4);
        row("1900", "nine*teen hun*dred", 4);
        row("1905", "nine*teen oh five", 4);
        row("1990", "nine*teen nine*ty", 4);
        row("2000", "two thou*sand", 3);
        row("2005", "two thou*sand five", 4);
        row("2010", "twen*ty ten", 3);
        row("2024", "twen*ty twen*ty-four", 5);
        // Decades
        row("1980s", "nine*teen eight*ies", 4);
        row("1900s", "nine*teen hun*dreds", 4);
        row("2000s", "two thou*sands", 3);
        row("1910s", "nine*teen tens", 3);
        row("2010s", "twen*ty tens", 3);
        row("1960’s", "nine*teen six*ties", 4);
        row("'80s", "eight*ies", 2);
        row("’70s", "sev*en*ties", 3);
        row("20S", "twen*ties", 2);
        row("10s", "tens", 1);
        none({"1985s", "2100s", "100s", "0s", "'00s", "'1980s", "'80", "'8s", "80ss", "s", "'s", "'"});
        // Ordinals
        row("0th", "ze*roth", 2);
        row("1st", "first", 1);
        row("2nd", "sec*ond", 2);
        row("3RD", "third", 1);
        row("11th", "e*lev*enth", 3);
        row("12th", "twelfth", 1);
        row("13th", "thir*teenth", 2);
        row("20th", "twen*ti*eth", 3);
        row("21St", "twen*ty-first", 3);
        row("80th", "eight*i*eth", 3);
        row("100th", "one hun*dredth", 3);
        row("101st", "one hun*dred first", 4);
        row("111th", "one hun*dred e*lev*enth", 6);
        row("1990th", "one thou*sand nine hun*dred nine*ti*eth", 9);
        row("1,000,000th", "one mil*lionth", 3);
        none({"1nd", "11st", "12nd", "113rd", "1th", "'80th", "2n", "2nds", "01st"});
        // Nothing else with digits
        none({"", "3.14", "4x4", "1-2", "A4", "+5", "-5", "1 000", "seven", "\u0666\u0666", "\uFF16\uFF16"});
        row(QString(100000, QLatin1Char('9')), "", 0);
        row(QStringLiteral("1,") + QString(3000, QLatin1Char(',')), "", 0);
    }

    void numbers() {
        QFETCH(QString, word);
        check(SpokenForms::number(word));
    }

    void onlyAsciiDigitsMakeANumber() {
        QVERIFY(SpokenForms::hasDigit(u"A4"));
        QVERIFY(SpokenForms::hasDigit(u"’80s"));
        QVERIFY(!SpokenForms::hasDigit(u""));
        QVERIFY(!SpokenForms::hasDigit(u"sixty"));
        QVERIFY(!SpokenForms::hasDigit(u"\u0666\uFF16"));
    }

    void letters_data() {
        columns();
        row("TV", "T*V", 2);
        row("FBI", "F*B*I", 3);
        row("Html", "H*t*m*l", 4);
        row("a", "a", 1);
        row("W", "dou*ble-u", 3);
        row("www", "dou*ble-u dou*ble-u dou*ble-u", 9);
        row("WHO", "dou*ble-u H*O", 5);
        row("AWS", "A dou*ble-u S", 5);
        row("ABCDEFGH", "A*B*C*D*E*F*G*H", 8);
        none({"", "ABCDEFGHI", "F.B.I", "A1", "É", "TV'", "U S"});
    }

    void letters() {
        QFETCH(QString, word);
        check(SpokenForms::letters(word));
    }

    void abbreviations_data() {
        columns();
        row("Mr", "Mis*ter", 2);
        row("mr", "mis*ter", 2);
        row("Mrs", "Mis*sus", 2);
        row("Ms", "Miz", 1);
        row("Dr", "Doc*tor", 2);
        row("St", "Saint", 1);
        row("vs", "ver*sus", 2);
        row("Vs", "Ver*sus", 2);
        row("etc", "et cet*e*ra", 4);
        row("Etc", "Et cet*e*ra", 4);
        row("Prof", "Pro*fess*or", 3);
        row("Lt", "Lieu*ten*ant", 3);
        row("approx", "ap*prox*i*mate*ly", 5);
        row("Corp", "Cor*po*ra*tion", 4);
        row("Feb", "Feb*ru*a*ry", 4);
        none({"", "MR", "VS", "ETC", "prof", "gov", "feb", "dec", "mR", "Mr.", "Mister", "No", "Inc", "Rep", "M"});
    }

    void abbreviations() {
        QFETCH(QString, word);
        check(SpokenForms::abbreviation(word));
    }
};

PARVENNA_TEST_MAIN(TestSpokenForms)
#include "TestSpokenForms.moc"
