// SPDX-License-Identifier: GPL-3.0-or-later
// Reading one GCIDE division (marks, character markup, the three kinds of apostrophe) and one grammar part.
#include "GcideDivision.h"
#include "GcideGrammar.h"

#include <QStringList>
#include <QTest>

namespace {

QStringList toStringList(const std::vector<std::string>& list) {
    QStringList out;
    for (const std::string& item : list)
        out << QString::fromStdString(item);
    return out;
}

} // namespace

class TestGcideDivision : public QObject {
    Q_OBJECT

private slots:
    void readsDivision_data();
    void readsDivision();
    void keepsStressMarks_data();
    void keepsStressMarks();
    void rejectsStrayCharacters_data();
    void rejectsStrayCharacters();
    void readsGrammar_data();
    void readsGrammar();
};

void TestGcideDivision::readsDivision_data() {
    QTest::addColumn<QString>("raw");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("division");
    QTest::addColumn<QString>("letters");
    QTest::addColumn<bool>("marked");
    auto row = [](const char* name, const char* raw, const char* word, const char* division, const char* letters,
                  bool marked) {
        QTest::newRow(name) << QString::fromUtf8(raw) << QString::fromUtf8(word) << QString::fromUtf8(division)
                            << QString::fromUtf8(letters) << marked;
    };
    // Marks
    row("stress mark", "Ba\"by", "Baby", "Ba*by", "Baby", true);
    row("all three marks", "Dem`on*stra\"tion", "Demonstration", "Dem*on*stra*tion", "Demonstration", true);
    row("vowel alone", "I*de\"a", "Idea", "I*de*a", "Idea", true);
    row("blank between words", "Ac\"id proc\"ess", "Acid process", "Ac*id proc*ess", "Acidprocess", true);
    row("hyphen between words", "Well\"-be`ing", "Well-being", "Well-be*ing", "Wellbeing", true);
    row("marks at word ends only", "Abb\" wool", "Abb wool", "Abb wool", "Abbwool", true);
    row("unmarked", "baby-faced", "baby-faced", "baby-faced", "babyfaced", false);
    row("division over two lines", "A*mer\"i*can Pro*tect\"ive  As*so`ci*a\"tion", "American Protective Association",
        "A*mer*i*can Pro*tect*ive As*so*ci*a*tion", "AmericanProtectiveAssociation", true);
    row("blanks at the ends", " Hell\"-cat ` ", "Hell-cat", "Hell-cat", "Hellcat", true);
    row("digits and slash", "24/7", "24/7", "24/7", "247", false);
    row("parentheses", "Abidjan (administrative)", "Abidjan (administrative)", "Abidjan (administrative)",
        "Abidjanadministrative", false);
    // Character markup
    row("acute", "Ab\"b['e]`", "Abbé", "Ab*bé", "Abbe", true);
    row("capital acute", "['E]`car`t['e]\"", "Écarté", "É*car*té", "Ecarte", true);
    row("ligature AE", "[AE]*ne\"id", "Æneid", "Æ*ne*id", "AEneid", true);
    row("ligature oe", "A*m[oe]\"ba", "Amœba", "A*mœ*ba", "Amoeba", true);
    row("diaeresis", "A\"[\"e]r*ate", "Aërate", "A*ër*ate", "Aerate", true);
    row("umlaut written aum", "Fr[aum]u\"lein", "Fräulein", "Fräu*lein", "Fraumulein", true);
    row("cedilla", "A`per`[,c]u\"", "Aperçu", "A*per*çu", "Apercu", true);
    row("tilde", "Ca*[~n]on\"", "Cañon", "Ca*ñon", "Canon", true);
    row("circumflex and grave", "Fl[^u]te` [`a] bec\"", "Flûte à bec", "Flûte à bec", "Fluteabec", true);
    // Apostrophes used as stress marks
    row("stress apostrophe", "A*lec`try*om'a*chy", "Alectryomachy", "A*lec*try*om*a*chy", "Alectryomachy", true);
    row("stress apostrophe, only mark", "Fruit'y", "Fruity", "Fruit*y", "Fruity", true);
    row("stress apostrophes, word ends", "Fres'nel' lan'tern", "Fresnel lantern", "Fres*nel lan*tern", "Fresnellantern",
        true);
    row("final apostrophe after marks", "Fri\"seur'", "Friseur", "Fri*seur", "Friseur", true);
    // Apostrophes that belong to the word
    row("possessive", "Ad\"am's ap\"ple", "Adam's apple", "Ad*am's ap*ple", "Adamsapple", true);
    row("contraction", "Ain't", "Ain't", "Ain't", "Aint", false);
    row("plural possessive", "A*chil\"les' ten\"don", "Achilles' tendon", "A*chil*les' ten*don", "Achillestendon",
        true);
    row("elision after first letter", "Bois\" d'arc\"", "Bois d'arc", "Bois d'arc", "Boisdarc", true);
    row("elision at word start", "'Twixt\"-brain`", "'Twixt-brain", "'Twixt-brain", "Twixtbrain", true);
    row("apostrophe before a mark", "Ha'\"pen*ny", "Ha'penny", "Ha'*pen*ny", "Hapenny", true);
    row("clitic e'er", "Wher*e'er\"", "Where'er", "Wher*e'er", "Whereer", true);
    row("clitic ma'am", "School\"ma'am", "Schoolma'am", "School*ma'am", "Schoolmaam", true);
    row("two syllables after it", "nor'easter", "nor'easter", "nor'easter", "noreaster", false);
    row("no vowel between", "fo'c'sle", "fo'c'sle", "fo'c'sle", "focsle", false);
    row("no vowel since the last mark", "En`tr'acte\"", "Entr'acte", "En*tr'acte", "Entracte", true);
    row("final, word without marks", "Thro'", "Thro'", "Thro'", "Thro", false);
}

void TestGcideDivision::readsDivision() {
    QFETCH(QString, raw);
    const GcideDivision parsed = GcideDivision::parse(raw.toStdString());
    QVERIFY(parsed.valid());
    QFETCH(QString, word);
    QCOMPARE(QString::fromStdString(parsed.word()), word);
    QFETCH(QString, division);
    QCOMPARE(QString::fromStdString(parsed.division()), division);
    QFETCH(QString, letters);
    QCOMPARE(QString::fromStdString(parsed.letters()), letters);
    QFETCH(bool, marked);
    QCOMPARE(parsed.marked(), marked);
}

void TestGcideDivision::keepsStressMarks_data() {
    QTest::addColumn<QString>("raw");
    QTest::addColumn<QString>("stressed");
    QTest::newRow("primary") << "Ba\"by"
                             << "Ba\"by";
    QTest::newRow("all three marks") << "Dem`on*stra\"tion"
                                     << "Dem`on*stra\"tion";
    QTest::newRow("stressed last syllable") << "Ba*bool\""
                                            << "Ba*bool\"";
    QTest::newRow("stress apostrophe") << "A*lec`try*om'a*chy"
                                       << "A*lec`try*om\"a*chy";
    QTest::newRow("two words, the second apostrophe of a word secondary") << "Fres'nel' lan'tern"
                                                                          << "Fres\"nel` lan\"tern";
    QTest::newRow("stress apostrophe beside a primary mark") << "Xy*la'ri*a\"ce*ae"
                                                             << "Xy*la`ri*a\"ce*ae";
    QTest::newRow("hyphen and blanks at the ends") << " Hell\"-cat ` "
                                                   << "Hell\"-cat`";
    QTest::newRow("the word's apostrophe before a mark") << "Ha'\"pen*ny"
                                                         << "Ha'\"pen*ny";
    QTest::newRow("stress over a plain boundary") << "Ab*\"b['e]"
                                                  << "Ab\"bé";
    QTest::newRow("unmarked") << "baby-faced"
                              << "baby-faced";
}

void TestGcideDivision::keepsStressMarks() {
    QFETCH(QString, raw);
    QFETCH(QString, stressed);
    QCOMPARE(QString::fromStdString(GcideDivision::parse(raw.toStdString()).stressed()), stressed);
}

void TestGcideDivision::rejectsStrayCharacters_data() {
    QTest::addColumn<QString>("raw");
    QTest::addColumn<QString>("letters");
    QTest::newRow("slash inside a word") << "Tra\"cer/y"
                                         << "Tracery";
    QTest::newRow("slash at the end") << "Ad\"der fly/"
                                      << "Adderfly";
    QTest::newRow("unknown markup") << "Ba[xx]by"
                                    << "Baby";
    QTest::newRow("pronunciation markup") << "b[=a]\"by"
                                          << "bby";
    QTest::newRow("semicolon") << "Ba;by"
                               << "Baby";
    QTest::newRow("no letters") << " "
                                << "";
    QTest::newRow("marks only") << ". . ."
                                << "";
}

void TestGcideDivision::rejectsStrayCharacters() {
    QFETCH(QString, raw);
    const GcideDivision division = GcideDivision::parse(raw.toStdString());
    QVERIFY(!division.valid());
    QFETCH(QString, letters);
    QCOMPARE(QString::fromStdString(division.letters()), letters);
}

void TestGcideDivision::readsGrammar_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QStringList>("forms");
    QTest::newRow("plural, definitions after it")
        << ", n.; pl. {Babies} (-b[i^]z). [Dim. of babe.] An infant. {Babies in the eyes}, the minute reflection"
        << "n." << QStringList{"Babies"};
    QTest::newRow("verb forms in brackets")
        << ", v. t. [imp. & p. p. {Babied} (b[=a]\"b[=e]d); p. pr. & vb. n. {Babying}.] To treat like a child"
        << "v. t." << QStringList{"Babied", "Babying"};
    QTest::newRow("comparison") << ", a. [Compar. {Angrier}; superl. {Angriest}.] [See {Anger}.]"
                                << "a." << QStringList{"Angrier", "Angriest"};
    QTest::newRow("several forms and obsolete ones")
        << ", v. i. [imp. {Awoke}, {Awaked}; p. p. {Awaked}; (Obs.) {Awaken}; p. pr. & vb. n. {Awaking}. The form]"
        << "v. i." << QStringList{"Awoke", "Awaked", "Awaked", "Awaken", "Awaking"};
    QTest::newRow("plural by language") << ", n.; pl. L. {Alumni}, E. {Alumnuses}."
                                        << "n." << QStringList{"Alumni", "Alumnuses"};
    QTest::newRow("singular of a plural") << ", n. pl.; sing. {Acanthopterus}."
                                          << "n. pl." << QStringList{"Acanthopterus"};
    QTest::newRow("markup in a form") << ", v. t. [imp. & p. p. {Moir['e]ed}; p. pr. & vb. n. {Moir['e]eing}.]"
                                      << "v. t." << QStringList{"Moiréed", "Moiréeing"};
    QTest::newRow("period inside the braces") << ", v. i. [imp. & p. p. {Bereaved}; p. pr. & vb. n. {Bereaving.}]"
                                              << "v. i." << QStringList{"Bereaved", "Bereaving"};
    QTest::newRow("form of another word") << ", obs. p. p. of {Go}. Gone."
                                          << "obs. p. p." << QStringList{};
    QTest::newRow("variant spelling") << ", n. [Written also {Aum}.] (Bot.) See {Awm}."
                                      << "n." << QStringList{};
    QTest::newRow("run-on derivatives") << ", a. Like a baby. -- {Ba\"by*ish*ly}, adv."
                                        << "a." << QStringList{};
    QTest::newRow("pronunciation first") << " (k[a^]t), n. [AS. cat.]"
                                         << "n." << QStringList{};
    QTest::newRow("WordNet label, no comma") << " adj. 1. having a face like a baby"
                                             << "adj." << QStringList{};
    QTest::newRow("label without blank") << "prop. n. (Buddhism) A female Bodhisattva"
                                         << "prop. n." << QStringList{};
    QTest::newRow("label list") << ", a., adv., & n. Foo."
                                << "a., adv., & n." << QStringList{};
    QTest::newRow("no label") << " See {Shittim}."
                              << "" << QStringList{};
}

void TestGcideDivision::readsGrammar() {
    QFETCH(QString, text);
    const GcideGrammar::Part part = GcideGrammar::read(text.toStdString());
    QFETCH(QString, label);
    QCOMPARE(QString::fromStdString(part.label), label);
    QFETCH(QStringList, forms);
    QCOMPARE(toStringList(part.forms), forms);
}

QTEST_GUILESS_MAIN(TestGcideDivision)
#include "TestGcideDivision.moc"
