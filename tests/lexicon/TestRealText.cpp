// SPDX-License-Identifier: GPL-3.0-or-later
// Words as real English text has them, looked up in the shipped built-in dictionary the way the splitting run and
// parvenna-dictionary --split look them up: the row's division, its count of spoken syllables, and its source.
#include "lexicon/BuiltInDictionary.h"

#include "TestEnvironment.h"

namespace {

void row(const char* word, const char* split, int count, const char* source) {
    QTest::newRow(word) << QString::fromUtf8(word) << QString::fromUtf8(split) << count << QString::fromUtf8(source);
}

} // namespace

class TestRealText : public QObject {
    Q_OBJECT
private slots:
    void words_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("split");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("source");
        // contractions: one word, the ending a syllable where it is spoken as one
        row("don't", "don't", 1, "dictionary");
        row("couldn't", "could·n't", 2, "derived");
        row("isn't", "is·n't", 2, "derived");
        row("doesn't", "does·n't", 2, "derived");
        row("haven't", "have·n't", 2, "derived");
        row("aren't", "aren't", 1, "dictionary");
        row("won't", "won't", 1, "dictionary");
        row("I'm", "I'm", 1, "dictionary");
        row("it's", "it's", 1, "derived");
        row("you're", "you're", 1, "derived");
        row("we're", "we're", 1, "derived");
        row("they've", "they've", 1, "derived");
        row("could've", "could·'ve", 2, "derived");
        row("I'll", "I'll", 1, "derived");
        row("it'll", "it·'ll", 2, "derived");
        row("that'd", "that·'d", 2, "derived");
        row("o'clock", "o'·clock", 2, "dictionary");
        row("ma'am", "ma'am", 1, "dictionary");
        row("y'all", "y'all", 1, "dictionary");
        row("shouldn't've", "should·n't·'ve", 3, "derived");
        row("don’t", "don’t", 1, "dictionary"); // the typographic apostrophe
        // possessives: 's is a syllable after a hissing sound only
        row("James's", "James·'s", 2, "derived");
        row("church's", "church·'s", 2, "derived");
        row("judge's", "judge·'s", 2, "derived");
        row("boss's", "boss·'s", 2, "derived");
        row("man's", "man's", 1, "derived");
        row("child's", "child's", 1, "derived");
        // syllables spoken without a vowel letter; the division has no piece without a vowel
        row("rhythm", "rhythm", 2, "dictionary");
        row("rhythms", "rhythms", 2, "derived");
        row("prism", "prism", 2, "dictionary");
        row("prism's", "prism's", 2, "derived");
        row("criticism", "crit·i·cism", 4, "dictionary");
        row("algorithm", "al·go·rithm", 4, "dictionary");
        row("enthusiasm", "en·thu·si·asm", 5, "dictionary");
        row("racism", "rac·ism", 3, "dictionary");
        row("baptism", "bap·tism", 3, "dictionary");
        row("capitalism", "cap·i·tal·ism", 5, "dictionary");
        row("spasm", "spasm", 2, "dictionary");
        // initialisms: letter by letter, unless they read as a word or the dictionary lists the word
        row("TV", "T·V", 2, "derived");
        row("FBI", "F·B·I", 3, "derived");
        row("IBM", "I·B·M", 3, "derived");
        row("PC", "P·C", 2, "derived");
        row("CD", "C·D", 2, "derived");
        row("DNA", "D·N·A", 3, "derived");
        row("HTML", "H·T·M·L", 4, "derived");
        row("USA", "U·S·A", 3, "derived");
        row("CEO", "C·E·O", 3, "derived");
        row("NCAA", "N·C·A·A", 4, "derived");
        row("NAACP", "N·A·A·C·P", 5, "derived");
        row("W", "dou·ble-u", 3, "derived");
        row("IDs", "I·Ds", 2, "derived");
        row("TV's", "T·V's", 2, "derived");
        row("fsck", "f·s·c·k", 4, "derived"); // no vowel letter, not listed
        row("psst", "psst", 1, "dictionary");
        row("NASA", "NA·SA", 2, "estimated");
        row("UNESCO", "UN·ES·CO", 3, "estimated");
        row("AIDS", "AIDS", 1, "derived");
        row("US", "US", 1, "dictionary");
        row("THE", "THE", 1, "dictionary");
        // written abbreviations, read as the words they stand for
        row("Mr", "Mis·ter", 2, "derived");
        row("Mrs", "Mis·sus", 2, "derived");
        row("Dr", "Doc·tor", 2, "derived");
        row("Jr", "Jun·ior", 2, "derived");
        row("St", "Saint", 1, "derived");
        row("vs", "ver·sus", 2, "derived");
        row("etc", "et·cet·e·ra", 4, "derived");
        row("www", "dou·ble-u·dou·ble-u·dou·ble-u", 9, "derived");
        row("Feb", "Feb·ru·a·ry", 4, "derived");
        // entries the dictionary lists without a division, of more than one syllable
        row("paying", "pay·ing", 2, "derived");
        row("buying", "buy·ing", 2, "derived");
        row("doubled", "dou·bled", 2, "derived");
        row("handled", "han·dled", 2, "derived");
        row("baffled", "baf·fled", 2, "derived");
        row("coupled", "cou·pled", 2, "derived");
        row("marbles", "mar·bles", 2, "derived");
        row("hassle", "has·sle", 2, "derived");
        row("waffle", "waf·fle", 2, "estimated");
        row("teaches", "teach·es", 2, "derived");
        row("niches", "ni·ches", 2, "derived");
        row("payoff", "pay·off", 2, "derived");
        // the everyday reading over a Latin or archaic entry or an obscure base word
        row("comes", "comes", 1, "derived");
        row("tales", "tales", 1, "derived");
        row("picked", "picked", 1, "derived");
        row("learned", "learned", 1, "derived");
        row("crooked", "crook·ed", 2, "dictionary");
        row("wicked", "wick·ed", 2, "dictionary");
        row("naked", "na·ked", 2, "dictionary");
        row("Charles", "Charles", 1, "dictionary");
        row("Forbes", "Forbes", 1, "dictionary");
        row("Reid", "Reid", 1, "dictionary");
        row("laser", "la·ser", 2, "dictionary");
        row("Unix", "U·nix", 2, "dictionary");
        row("Arkansas", "Ar·kan·sas", 3, "dictionary");
        row("allegedly", "al·leg·ed·ly", 4, "derived");
        row("supposedly", "sup·pos·ed·ly", 4, "derived");
        row("markedly", "mark·ed·ly", 3, "derived");
        // the user's spelling kept
        row("cooperate", "co·op·er·ate", 4, "dictionary");
        row("coordinate", "co·or·di·nate", 4, "dictionary");
        row("preexisting", "pre·ex·ist·ing", 4, "derived");
        row("Caesar", "Cae·sar", 2, "dictionary");
        row("daemon", "dae·mon", 2, "dictionary");
        row("elite", "e·lite", 2, "dictionary");
        row("anime", "a·ni·me", 3, "dictionary");
        row("undesirable", "un·de·sir·a·ble", 5, "derived");
        row("couches", "couch·es", 2, "derived");
        row("attaches", "at·tach·es", 3, "derived");
        row("café", "ca·fé", 2, "dictionary");
        row("Pokémon", "Po·ké·mon", 3, "dictionary");
        row("naïve", "na·ïve", 2, "dictionary");
        // modern usage over the 1913 divisions
        row("caffeine", "caf·feine", 2, "dictionary");
        row("cocaine", "co·caine", 2, "dictionary");
        row("protein", "pro·tein", 2, "dictionary");
        row("syndrome", "syn·drome", 2, "dictionary");
        row("aerobic", "aer·o·bic", 3, "dictionary");
        row("everlasting", "ev·er·last·ing", 4, "dictionary");
        row("hygiene", "hy·giene", 2, "dictionary");
        row("rabies", "ra·bies", 2, "dictionary");
        // numbers read aloud
        row("66", "six·ty-six", 3, "number");
        row("1990", "nine·teen·nine·ty", 4, "number");
        row("1066", "ten·six·ty-six", 4, "number");
        row("2024", "twen·ty·twen·ty-four", 5, "number");
        row("2005", "two·thou·sand·five", 4, "number");
        row("2nd", "sec·ond", 2, "number");
        row("21st", "twen·ty-first", 3, "number");
        row("100th", "one·hun·dredth", 3, "number");
        row("1980s", "nine·teen·eight·ies", 4, "number");
        row("'80s", "eight·ies", 2, "number");
        row("1,000", "one·thou·sand", 3, "number");
        row("0", "ze·ro", 2, "number");
        row("3.14", "", 0, "not found");
        row("4x4", "", 0, "not found");
        // names and new words
        row("O'Brien", "O'·Bri·en", 3, "estimated");
        row("D'Angelo", "D'An·ge·lo", 3, "estimated");
        row("McGee", "Mc·Gee", 2, "derived");
        row("McDonald", "Mc·Don·ald", 3, "dictionary");
        row("MacArthur", "Mac·Ar·thur", 3, "derived");
        row("Malone", "Ma·lone", 2, "estimated");
        row("Aliens", "A·li·ens", 3, "derived");
        row("Bonaparte", "Bo·na·parte", 3, "estimated");
        row("vape", "vape", 1, "estimated");
        row("bytes", "bytes", 1, "derived");
        row("pesticides", "pes·ti·cides", 3, "derived");
        row("ogged", "ogged", 1, "estimated");
        row("Hughes", "Hughes", 1, "estimated");
        row("Klein", "Klein", 1, "estimated");
        row("Heinlein", "Hein·lein", 2, "estimated");
        row("nonetheless", "none·the·less", 3, "dictionary");
        row("Leah", "Le·ah", 2, "dictionary");
        row("Saeed", "Sa·eed", 2, "dictionary");
        row("Obama", "O·ba·ma", 3, "dictionary");
        row("emoji", "e·mo·ji", 3, "dictionary");
        row("tsunami", "tsu·na·mi", 3, "dictionary");
        row("coronavirus", "co·ro·na·vi·rus", 5, "dictionary");
        // what was right stays right
        row("baby", "ba·by", 2, "dictionary");
        row("diamond", "di·a·mond", 3, "dictionary");
        row("demonstration", "dem·on·stra·tion", 4, "dictionary");
        row("walking", "walk·ing", 2, "dictionary");
        row("someone", "some·one", 2, "derived");
        row("rhythmical", "rhyth·mic·al", 3, "dictionary");
    }
    void words() {
        QFETCH(QString, word);
        QFETCH(QString, split);
        QFETCH(int, count);
        QFETCH(QString, source);
        const BuiltInDictionary::Answer answer = BuiltInDictionary::shared().lookUp(word);
        QCOMPARE(answer.found() ? answer.splitText() : QString(), split);
        QCOMPARE(answer.found() ? answer.syllables() : 0, count);
        QCOMPARE(BuiltInDictionary::sourceName(answer.source), source);
    }

    // The row's stress marks (ˈ primary, ˌ secondary), from the dictionary, the derivation or the stress model.
    void stress_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("stressed");
        // listed words with one stress
        QTest::newRow("baby") << QStringLiteral("baby") << QStringLiteral("ˈba·by");
        QTest::newRow("about") << QStringLiteral("about") << QStringLiteral("a·ˈbout");
        QTest::newRow("banana") << QStringLiteral("banana") << QStringLiteral("ba·ˈnan·a");
        QTest::newRow("happy") << QStringLiteral("happy") << QStringLiteral("ˈhap·py");
        QTest::newRow("sister") << QStringLiteral("sister") << QStringLiteral("ˈsis·ter");
        QTest::newRow("computer") << QStringLiteral("computer") << QStringLiteral("com·ˈput·er");
        QTest::newRow("photography") << QStringLiteral("photography") << QStringLiteral("pho·ˈtog·ra·phy");
        QTest::newRow("electric") << QStringLiteral("electric") << QStringLiteral("e·ˈlec·tric");
        QTest::newRow("music") << QStringLiteral("music") << QStringLiteral("ˈmu·sic");
        QTest::newRow("creation") << QStringLiteral("creation") << QStringLiteral("cre·ˈa·tion");
        QTest::newRow("division") << QStringLiteral("division") << QStringLiteral("di·ˈvi·sion");
        QTest::newRow("symbolic") << QStringLiteral("symbolic") << QStringLiteral("sym·ˈbol·ic");
        QTest::newRow("Canadian") << QStringLiteral("Canadian") << QStringLiteral("Ca·ˈna·di·an");
        QTest::newRow("mysterious") << QStringLiteral("mysterious") << QStringLiteral("mys·ˈte·ri·ous");
        QTest::newRow("Obama") << QStringLiteral("Obama") << QStringLiteral("O·ˈba·ma");
        QTest::newRow("emoji") << QStringLiteral("emoji") << QStringLiteral("e·ˈmo·ji");
        // listed words with two
        QTest::newRow("demonstration") << QStringLiteral("demonstration") << QStringLiteral("ˌdem·on·ˈstra·tion");
        QTest::newRow("university") << QStringLiteral("university") << QStringLiteral("ˌu·ni·ˈver·si·ty");
        QTest::newRow("examination") << QStringLiteral("examination") << QStringLiteral("ex·ˌam·i·ˈna·tion");
        QTest::newRow("understand") << QStringLiteral("understand") << QStringLiteral("ˌun·der·ˈstand");
        QTest::newRow("electricity") << QStringLiteral("electricity") << QStringLiteral("ˌe·lec·ˈtric·i·ty");
        QTest::newRow("nationality") << QStringLiteral("nationality") << QStringLiteral("ˌna·tion·ˈal·i·ty");
        QTest::newRow("presidential") << QStringLiteral("presidential") << QStringLiteral("ˌpres·i·ˈden·tial");
        QTest::newRow("employee") << QStringLiteral("employee") << QStringLiteral("ˌem·ploy·ˈee");
        QTest::newRow("engineer") << QStringLiteral("engineer") << QStringLiteral("ˌen·gi·ˈneer");
        QTest::newRow("Japanese") << QStringLiteral("Japanese") << QStringLiteral("ˌJap·a·ˈnese");
        QTest::newRow("kitchenette") << QStringLiteral("kitchenette") << QStringLiteral("ˌkitch·en·ˈette");
        QTest::newRow("photographic") << QStringLiteral("photographic") << QStringLiteral("ˌpho·to·ˈgraph·ic");
        QTest::newRow("unemployment") << QStringLiteral("unemployment") << QStringLiteral("ˌun·em·ˈploy·ment");
        // homographs: the first listed
        QTest::newRow("record") << QStringLiteral("record") << QStringLiteral("re·ˈcord");
        QTest::newRow("present") << QStringLiteral("present") << QStringLiteral("ˈpres·ent");
        QTest::newRow("object") << QStringLiteral("object") << QStringLiteral("ˈob·ject");
        QTest::newRow("permit") << QStringLiteral("permit") << QStringLiteral("per·ˈmit");
        QTest::newRow("contract") << QStringLiteral("contract") << QStringLiteral("ˈcon·tract");
        QTest::newRow("desert") << QStringLiteral("desert") << QStringLiteral("ˈdes·ert");
        QTest::newRow("minute") << QStringLiteral("minute") << QStringLiteral("ˈmin·ute");
        // words of one syllable (and rhythm, one piece) get no mark
        QTest::newRow("cat") << QStringLiteral("cat") << QStringLiteral("cat");
        QTest::newRow("dog") << QStringLiteral("dog") << QStringLiteral("dog");
        QTest::newRow("walks") << QStringLiteral("walks") << QStringLiteral("walks");
        QTest::newRow("walked") << QStringLiteral("walked") << QStringLiteral("walked");
        QTest::newRow("hoped") << QStringLiteral("hoped") << QStringLiteral("hoped");
        QTest::newRow("rhythm") << QStringLiteral("rhythm") << QStringLiteral("rhythm");
        // suffixes that leave the stem's stress alone; verbs' suffixes take the verb's (re·ˈcord)
        QTest::newRow("babies") << QStringLiteral("babies") << QStringLiteral("ˈba·bies");
        QTest::newRow("emojis") << QStringLiteral("emojis") << QStringLiteral("e·ˈmo·jis");
        QTest::newRow("tsunamis") << QStringLiteral("tsunamis") << QStringLiteral("tsu·ˈna·mis");
        QTest::newRow("happiest") << QStringLiteral("happiest") << QStringLiteral("ˈhap·pi·est");
        QTest::newRow("computerless") << QStringLiteral("computerless") << QStringLiteral("com·ˈput·er·less");
        QTest::newRow("computerful") << QStringLiteral("computerful") << QStringLiteral("com·ˈput·er·ful");
        QTest::newRow("laserness") << QStringLiteral("laserness") << QStringLiteral("ˈla·ser·ness");
        QTest::newRow("reopening") << QStringLiteral("reopening") << QStringLiteral("re·ˈo·pen·ing");
        QTest::newRow("employees") << QStringLiteral("employees") << QStringLiteral("ˌem·ploy·ˈees");
        QTest::newRow("engineered") << QStringLiteral("engineered") << QStringLiteral("ˌen·gi·ˈneered");
        QTest::newRow("Obamas") << QStringLiteral("Obamas") << QStringLiteral("O·ˈba·mas");
        QTest::newRow("couldn't") << QStringLiteral("couldn't") << QStringLiteral("ˈcould·n't");
        QTest::newRow("James's") << QStringLiteral("James's") << QStringLiteral("ˈJames·'s");
        QTest::newRow("recorded") << QStringLiteral("recorded") << QStringLiteral("re·ˈcord·ed");
        QTest::newRow("recordable") << QStringLiteral("recordable") << QStringLiteral("re·ˈcord·a·ble");
        QTest::newRow("records") << QStringLiteral("records") << QStringLiteral("re·ˈcords");
        QTest::newRow("record's") << QStringLiteral("record's") << QStringLiteral("re·ˈcord's");
        // prefixes
        QTest::newRow("unkindness") << QStringLiteral("unkindness") << QStringLiteral("un·ˈkind·ness");
        QTest::newRow("rethinking") << QStringLiteral("rethinking") << QStringLiteral("ˌre·ˈthink·ing");
        QTest::newRow("redoing") << QStringLiteral("redoing") << QStringLiteral("ˌre·ˈdo·ing");
        QTest::newRow("unbreakable") << QStringLiteral("unbreakable") << QStringLiteral("ˌun·ˈbreak·a·ble");
        QTest::newRow("reprinted") << QStringLiteral("reprinted") << QStringLiteral("re·ˈprint·ed");
        // suffixes that move the stress
        QTest::newRow("interviewee") << QStringLiteral("interviewee") << QStringLiteral("ˌin·ter·view·ˈee");
        QTest::newRow("attendee") << QStringLiteral("attendee") << QStringLiteral("at·ˌtend·ˈee");
        QTest::newRow("detainee") << QStringLiteral("detainee") << QStringLiteral("de·ˌtain·ˈee");
        QTest::newRow("Congolese") << QStringLiteral("Congolese") << QStringLiteral("ˌCon·go·ˈlese");
        QTest::newRow("Islamic") << QStringLiteral("Islamic") << QStringLiteral("ˌIs·ˈlam·ic");
        // compounds: the first word's primary, the second's secondary
        QTest::newRow("handshake") << QStringLiteral("handshake") << QStringLiteral("ˈhand·ˌshake");
        QTest::newRow("courtroom") << QStringLiteral("courtroom") << QStringLiteral("ˈcourt·ˌroom");
        QTest::newRow("someone") << QStringLiteral("someone") << QStringLiteral("ˈsome·ˌone");
        QTest::newRow("airport") << QStringLiteral("airport") << QStringLiteral("ˈair·ˌport");
        QTest::newRow("laserlike") << QStringLiteral("laserlike") << QStringLiteral("ˈla·ser·ˌlike");
        QTest::newRow("skateboards") << QStringLiteral("skateboards") << QStringLiteral("ˈskate·ˌboards");
        // estimates: the stress model's
        QTest::newRow("flibbery") << QStringLiteral("flibbery") << QStringLiteral("ˈflib·ber·y");
        QTest::newRow("zorbulate") << QStringLiteral("zorbulate") << QStringLiteral("ˈzor·bu·late");
        QTest::newRow("Malone") << QStringLiteral("Malone") << QStringLiteral("Ma·ˈlone");
        QTest::newRow("robotics") << QStringLiteral("robotics") << QStringLiteral("ro·ˈbot·ics");
        QTest::newRow("O'Brien") << QStringLiteral("O'Brien") << QStringLiteral("O'·ˈBri·en");
        // readings aloud
        QTest::newRow("66") << QStringLiteral("66") << QStringLiteral("ˈsix·ty-ˈsix");
        QTest::newRow("FBI") << QStringLiteral("FBI") << QStringLiteral("ˌF·ˌB·ˈI");
        QTest::newRow("Mr") << QStringLiteral("Mr") << QStringLiteral("ˈMis·ter");
        QTest::newRow("McGee") << QStringLiteral("McGee") << QStringLiteral("Mc·ˈGee");
    }
    void stress() {
        QFETCH(QString, word);
        QFETCH(QString, stressed);
        const BuiltInDictionary::Answer answer = BuiltInDictionary::shared().lookUp(word, false, true);
        QCOMPARE(answer.stressedText(), stressed);
        QCOMPARE(BuiltInDictionary::shared().lookUp(word).stressedText(), answer.splitText()); // asked for none
    }
};

PARVENNA_TEST_MAIN(TestRealText)
#include "TestRealText.moc"
