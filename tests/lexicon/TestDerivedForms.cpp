// SPDX-License-Identifier: GPL-3.0-or-later
#include "lexicon/BuiltInDictionary.h"

#include "TestEnvironment.h"

namespace {

// Stems as the dictionary lists them: capitalised headwords, "*" between syllables, part-of-speech labels.
const char* const kStems = R"(# Source: GCIDE (stems for the derivation rules)
Walk|Walk:v. i.
Want|Want:v. t.
Need|Need:v. t.
Hop|Hop:v. i.
Hope|Hope:v. t.|Hope:n.
Hate|Hate:v. t.
Pat|Pat:v. t.
Play|Play:v. i.
Stop|Stop:v. t.
Baby|Ba*by:n.|Ba*by:v. t.
Page|Page:n.
Box|Box:n.
Wish|Wish:n.
Church|Church:n.
Kiss|Kiss:n.
Potato|Po*ta*to:n.
Quiz|Quiz:n.
Horse|Horse:n.
Go|Go:v. i.
Fast|Fast:a.
Nice|Nice:a.
Simple|Sim*ple:a.
Big|Big:a.
Happy|Hap*py:a.
Free|Free:a.
Quick|Quick:a.
True|True:a.
Kind|Kind:a.
Move|Move:v. t.
Argue|Ar*gue:v. i.
Beauty|Beau*ty:n.
Penny|Pen*ny:n.
Read|Read:v. t.
Love|Love:v. t.
Rely|Re*ly:v. i.
Forget|For*get:v. t.
Handle|Han*dle:v. t.
Die|Die:v. i.
See|See:v. t.
Face|Face:n.
Cat|Cat:n.
Boss|Boss:n.
Some|Some:a.
One|One:a.
Air|Air:n.
Port|Port:n.
Suit|Suit:n.
Case|Case:n.
Court|Court:n.
Room|Room:n.
Do|Do:v. t.
Open|O*pen:v. t.
Hopeful|Hopeful:a.
Mouse|Mouse:n.
Mice|=Mouse
Ing|Ing:n.
Abbé|Ab*bé:n.
Æneid|Æ*ne*id:n.
Stay|Stay:v. i.
Staying|=Stay
Stayed|=Stay
Create|Cre*ate:v. t.
Created|=Create
Creating|=Create
Study|Stud*y:v. t.
Studying|=Study
Let|Let:v. t.
Letting|=Let
Mate|Ma*te:n.|Mate:n.|Mate:v. t.
Mating|=Mate
Begin|Be*gin:v. t.
Began|=Begin
Glacé|Gla*cé:a.
Curé|Cu*ré:n.
Cure|Cure:n.|Cure:v. t.
Cured|=Cure
MASH|MASH:n.|M*A*S*H:n.
Mash|Mash:n.
Rally|Ral*ly:v. t.
Ralliés|Ral*liés:n. pl.
Rallies|=Rally
Sake|Sake:n.|Sa*ke:n.
Gamble|Gam*ble:v. i.|Gamble:v. t.|Gam*ble:n.
Wicked|Wicked:a.|Wick*ed:a.
Operate|Op*er*ate:v. i.
Ope|Ope:a.
Rat|Rat:n.
Massé|Mas*sé:n.
Mass|Mass:n.
Pass|Pass:v. i.
Passe|Pas*se:n.
Class|Class:n.
Classis|Clas*sis:n.
Classes|=Classis
)";

// Compounds of listed words, true and false, for a dictionary with the estimator.
const char* const kCompoundParts = R"(# parts of compounds
Some|Some:a.
One|One:a.
Week|Week:n.
End|End:n.
Hand|Hand:n.
Hands|Hands:n.
Shake|Shake:v. t.
Hake|Hake:n.
Matt|Matt:a.
Hew|Hew:v. t.
Lift|Lift:v. t.
Off|Off:adv.
Lif|Lif:n.
Toff|Toff:n.
)";

} // namespace

class TestDerivedForms : public QObject {
    Q_OBJECT

    BuiltInDictionary m_dictionary;

private slots:
    void initTestCase() {
        QString error;
        QVERIFY2(m_dictionary.load({TestEnvironment::writeTempFile(QStringLiteral("stems.txt"), kStems)}, &error),
                 qPrintable(error));
    }

    void forms_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("split");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("source");
        const auto row = [](const char* word, const char* split, int count, const char* source = "derived") {
            QTest::newRow(word) << QString::fromUtf8(word) << QString::fromUtf8(split) << count
                                << QString::fromLatin1(source);
        };
        // plurals and third persons
        row("walks", "walks", 1);
        row("babies", "ba·bies", 2);
        row("pages", "pa·ges", 2);
        row("horses", "hor·ses", 2);
        row("boxes", "box·es", 2);
        row("wishes", "wish·es", 2);
        row("churches", "church·es", 2);
        row("kisses", "kiss·es", 2);
        row("potatoes", "po·ta·toes", 3);
        row("goes", "goes", 1);
        row("quizzes", "quiz·zes", 2);
        row("courtrooms", "court·rooms", 2);
        // -ed: a syllable only after t or d
        row("walked", "walked", 1);
        row("played", "played", 1);
        row("wanted", "want·ed", 2);
        row("needed", "need·ed", 2);
        row("hoped", "hoped", 1);
        row("hated", "hat·ed", 2);
        row("hopped", "hopped", 1);
        row("stopped", "stopped", 1);
        row("patted", "pat·ted", 2);
        row("babied", "ba·bied", 2);
        row("handled", "han·dled", 2);
        // -ing
        row("walking", "walk·ing", 2);
        row("hopping", "hop·ping", 2);
        row("hoping", "hop·ing", 2);
        row("babying", "ba·by·ing", 3);
        row("handling", "han·dling", 2);
        row("dying", "dy·ing", 2);
        row("seeing", "see·ing", 2);
        // comparatives and doers
        row("faster", "fast·er", 2);
        row("fastest", "fast·est", 2);
        row("nicer", "nic·er", 2);
        row("simpler", "sim·pler", 2);
        row("bigger", "big·ger", 2);
        row("biggest", "big·gest", 2);
        row("happier", "hap·pi·er", 3);
        row("happiest", "hap·pi·est", 3);
        row("freer", "fre·er", 2);
        row("walker", "walk·er", 2);
        // -ly, -ness, -ment, -ful, -less, -able
        row("quickly", "quick·ly", 2);
        row("happily", "hap·pi·ly", 3);
        row("simply", "sim·ply", 2);
        row("truly", "tru·ly", 2);
        row("kindness", "kind·ness", 2);
        row("happiness", "hap·pi·ness", 3);
        row("movement", "move·ment", 2);
        row("argument", "ar·gu·ment", 3);
        row("beautiful", "beau·ti·ful", 3);
        row("hopeless", "hope·less", 2);
        row("penniless", "pen·ni·less", 3);
        row("readable", "read·a·ble", 3);
        row("lovable", "lov·a·ble", 3);
        row("reliable", "re·li·a·ble", 4);
        row("forgettable", "for·get·ta·ble", 4);
        // possessives
        row("cat's", "cat's", 1);
        row("boss's", "boss·'s", 2);
        row("babies'", "ba·bies'", 2);
        // prefixes and compounds
        row("unhappy", "un·hap·py", 3);
        row("redo", "re·do", 2);
        row("reopen", "re·o·pen", 3);
        row("unhappiness", "un·hap·pi·ness", 4);
        row("someone", "some·one", 2);
        row("airport", "air·port", 2);
        row("suitcase", "suit·case", 2);
        row("courtroom", "court·room", 2);
        row("baby-faced", "ba·by-faced", 3);
        row("happy kind", "hap·py·kind", 3);
        // an unmarked headword of several vowel groups is derived, not counted as one syllable
        row("hopeful", "hope·ful", 2);
        // an irregular form the dictionary lists under its entry
        row("mice", "mice", 1);
        row("began", "be·gan", 2);
        // a regular form listed under its entry is made by the suffix rules, which know where its syllables are
        row("staying", "stay·ing", 2);
        row("stayed", "stayed", 1);
        row("created", "cre·at·ed", 3);
        row("creating", "cre·at·ing", 3);
        row("studying", "stud·y·ing", 3);
        row("letting", "let·ting", 2);
        row("rallies", "ral·lies", 2);
        // an undivided homograph of one vowel group before one that sounds its silent e, in either order
        row("sake", "sake", 1, "dictionary");
        row("mate", "mate", 1, "dictionary");
        row("gamble", "gam·ble", 2, "dictionary");
        row("wicked", "wick·ed", 2, "dictionary");
        // a listed stem before one that is itself a compound (ope + rat)
        row("operating", "op·er·at·ing", 4);
        row("operated", "op·er·at·ed", 4);
        // a dropped silent e that was its syllable's only vowel takes its syllable with it
        row("mating", "mat·ing", 2);
        // a plural of a stem whose last syllable is already apart
        row("glacés", "gla·cés", 2);
        row("glaces", "", 0, "not found"); // no stem needs an accent the user did not type: glacé is no stem
        // -sses: the plural of a word in -ss before one in -sse
        row("masses", "mass·es", 2);
        row("MASSES", "MASS·ES", 2);
        row("massés", "mas·sés", 2);
        row("passes", "pass·es", 2);
        row("classes", "class·es", 2); // listed as the plural of classis
        // a plain spelling is not divided as an accented or capital one of the same letters; those still are
        row("cure", "cure", 1, "dictionary");
        row("cured", "cured", 1);
        row("curé", "cu·ré", 2, "dictionary");
        row("CURÉ", "CU·RÉ", 2, "dictionary");
        row("mash", "mash", 1, "dictionary");
        // the user's letters, the dictionary's accents
        row("Walking", "Walk·ing", 2);
        row("WALKED", "WALKED", 1);
        row("abbes", "", 0, "not found");
        // listed words stay the dictionary's
        row("baby", "ba·by", 2, "dictionary");
        row("BABY", "BA·BY", 2, "dictionary");
        row("abbe", "ab·be", 2, "dictionary"); // in the user's letters
        row("aeneid", "ae·ne·id", 3, "dictionary");
        row("  cat ", "cat", 1, "dictionary");
        // nothing to go on
        row("xyzzyq", "", 0, "not found");
        row("12x4", "", 0, "not found");
        row("---", "", 0, "not found");
    }
    void forms() {
        QFETCH(QString, word);
        QFETCH(QString, split);
        QFETCH(int, count);
        QFETCH(QString, source);
        const BuiltInDictionary::Answer answer = m_dictionary.lookUp(word);
        QCOMPARE(BuiltInDictionary::sourceName(answer.source), source);
        QCOMPARE(answer.found() ? answer.splitText() : QString(), split);
        QCOMPARE(answer.found() ? answer.syllables() : 0, count);
    }

    void compoundsTheEstimatorDoubtsAreEstimated_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("split");
        QTest::addColumn<QString>("source");
        QTest::newRow("someone") << "someone"
                                 << "some·one"
                                 << "derived";
        QTest::newRow("weekend") << "weekend"
                                 << "week·end"
                                 << "derived";
        // of two cuts, the one the estimator doubts least: hand + shake, not hands + hake
        QTest::newRow("handshake") << "handshake"
                                   << "hand·shake"
                                   << "derived";
        QTest::newRow("handshakes") << "handshakes"
                                    << "hand·shakes"
                                    << "derived";
        // but the longest first word where the estimator prefers another cut only a little (lif + toff)
        QTest::newRow("liftoff") << "liftoff"
                                 << "lift·off"
                                 << "derived";
        QTest::newRow("matthew") << "matthew"
                                 << "mat·thew"
                                 << "estimated"; // not matt + hew
    }
    void compoundsTheEstimatorDoubtsAreEstimated() {
        QFETCH(QString, word);
        QFETCH(QString, split);
        QFETCH(QString, source);
        static BuiltInDictionary dictionary;
        static const bool loaded =
            dictionary.load({TestEnvironment::writeTempFile(QStringLiteral("parts.txt"), kCompoundParts)}, nullptr,
                            QStringLiteral(PARVENNA_BINARY_DIR "/data/syllable-estimator.dat"));
        QVERIFY(loaded);
        const BuiltInDictionary::Answer answer = dictionary.lookUp(word);
        QCOMPARE(answer.splitText(), split);
        QCOMPARE(BuiltInDictionary::sourceName(answer.source), source);
    }

    void homographsKeepTheirLabels() {
        const BuiltInDictionary::Answer hope = m_dictionary.lookUp(QStringLiteral("hope"), true);
        QCOMPARE(hope.homographs.size(), std::size_t(2));
        QCOMPARE(hope.homographs[0].label, QStringLiteral("v. t."));
        QCOMPARE(hope.homographs[1].label, QStringLiteral("n."));
        QCOMPARE(hope.homographs[1].division, QStringLiteral("hope"));
    }
};

PARVENNA_TEST_MAIN(TestDerivedForms)
#include "TestDerivedForms.moc"
