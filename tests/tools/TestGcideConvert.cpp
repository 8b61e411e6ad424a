// SPDX-License-Identifier: GPL-3.0-or-later
// Entry heads, finding the entries, the whole conversion of a GCIDE extract, and the gcide-convert tool.
#include "GcideConverter.h"
#include "GcideEntrySplitter.h"
#include "GcideHead.h"
#include "GzipFile.h"

#include <QFile>
#include <QHash>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <zlib.h>

namespace {

const QString kExtract = QStringLiteral(PARVENNA_FIXTURES "/gcide/gcide-extract.txt");

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct ToolRun {
    int exitCode = -1; // -1: the tool crashed or did not end within a minute
    QString errors;
};

ToolRun runTool(const QStringList& arguments) {
    QProcess tool;
    tool.start(QStringLiteral(GCIDE_CONVERT_EXECUTABLE), arguments);
    if (!tool.waitForFinished(60000)) {
        tool.kill();
        tool.waitForFinished(5000);
        return {};
    }
    return {tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1,
            QString::fromUtf8(tool.readAllStandardError())};
}

QStringList spellingSummary(const GcideHead::Result& result) {
    QStringList out;
    for (const GcideHead::Spelling& spelling : result.spellings) {
        QStringList forms;
        for (const std::string& form : spelling.forms)
            forms << QString::fromStdString(form);
        out << QString::fromStdString(spelling.word + "|" + spelling.division + "|" + spelling.label) + "|" +
                   forms.join(',');
    }
    return out;
}

// The data lines (no comments) of a converted text, keyed by their first field.
QHash<QString, QString> linesByKey(const QString& text) {
    QHash<QString, QString> lines;
    for (const QString& line : text.split('\n', Qt::SkipEmptyParts)) {
        if (!line.startsWith('#'))
            lines.insert(line.section('|', 0, 0), line);
    }
    return lines;
}

std::string convert(std::string_view text) {
    GcideConverter converter;
    converter.add(text);
    return converter.dictionaryText({});
}

} // namespace

class TestGcideConvert : public QObject {
    Q_OBJECT

private slots:
    void readsHead_data();
    void readsHead();
    void countsMismatches();
    void findsEntries();
    void convertsExtract_data();
    void convertsExtract();
    void sortsAndHeadsTheFile();
    void countsExtract();
    void mergesHomographs();
    void leavesOutFormsThatAreHeadwords();
    void readsCompressedAndPlainFiles();
    void reportsDamagedFiles();
    void toolWritesDataFile();
    void toolWritesStressFile();
    void toolKeepsOutputOnFailure();
};

void TestGcideConvert::readsHead_data() {
    QTest::addColumn<QString>("head");
    QTest::addColumn<QStringList>("spellings"); // word|division|label|forms
    QTest::newRow("homograph with forms")
        << "Baby \\Ba\"by\\ (b[=a]\"b[y^]), n.; pl. {Babies} (-b[i^]z). [Dim. of babe.] An infant."
        << QStringList{"Baby|Ba*by|n.|Babies"};
    QTest::newRow("two spellings share a label")
        << "Babul \\Ba*bul\"\\, Babool \\Ba*bool\"\\, n. [See {Bablah}.] (Bot.) Any one of several species"
        << QStringList{"Babul|Ba*bul|n.|", "Babool|Ba*bool|n.|"};
    QTest::newRow("a label each") << "Archeology \\Ar`che*ol\"o*gy\\, n., Archeological \\Ar`che*o*log`ic*al\\, a."
                                  << QStringList{"Archeology|Ar*che*ol*o*gy|n.|",
                                                 "Archeological|Ar*che*o*log*ic*al|a.|"};
    QTest::newRow("spelling after the forms")
        << "Jib \\Jib\\, v. t. & i. [imp. & p. p. {Jibbed}; p. pr. & vb. n. {Jibbing}.] Also Jibb \\Jibb\\ [Cf. {Jib}.]"
        << QStringList{"Jib|Jib|v. t. & i.|Jibbed,Jibbing", "Jibb|Jibb|v. t. & i.|"};
    QTest::newRow("forms shared by two stems")
        << "Accouter \\Ac*cou\"ter\\, Accoutre \\Ac*cou\"tre\\, v. t. [imp. & p. p. {Accoutered} or {Accoutred}.]"
        << QStringList{"Accouter|Ac*cou*ter|v. t.|Accoutered,Accoutred",
                       "Accoutre|Ac*cou*tre|v. t.|Accoutered,Accoutred"};
    QTest::newRow("headword after a pronunciation")
        << "Haemadrometer \\H[ae]m`a*drom\"e*ter\\ (h[e^]m`[.a]*dr[o^]m\"[-e]*t[~e]r), Haemadromometer "
           "\\H[ae]m`a*dro*mom\"e*ter\\, n."
        << QStringList{"Hæmadrometer|Hæm*a*drom*e*ter|n.|", "Hæmadromometer|Hæm*a*dro*mom*e*ter|n.|"};
    QTest::newRow("headword after other text") << "Abysm \\A*bysm\"\\, n. [OF. abisme.] An abyss. or Abyme \\A*byme\"\\"
                                               << QStringList{"Abysm|A*bysm|n.|", "Abyme|A*byme|n.|"};
    QTest::newRow("faulty division: headword kept unmarked")
        << "Tracery \\Tra\"cer/y\\, n.; pl. {Traceries} (Arch.)" << QStringList{"Tracery|Tracery|n.|Traceries"};
    QTest::newRow("stray backslashes") << "Amenorrhoea \\A*men`or*rhoe\"a\\, Amenorrhea \\A*men`or*rhe\"a\\ \\ \\"
                                       << QStringList{"Amenorrhoea|A*men*or*rhoe*a||", "Amenorrhea|A*men*or*rhe*a||"};
}

void TestGcideConvert::readsHead() {
    QFETCH(QString, head);
    QFETCH(QStringList, spellings);
    QCOMPARE(spellingSummary(GcideHead::parse(head.toStdString())), spellings);
}

void TestGcideConvert::countsMismatches() {
    const GcideHead::Result kept = GcideHead::parse("Tracery \\Tra\"cer/y\\, n.");
    QCOMPARE(kept.mismatchesKept, 1);
    QCOMPARE(kept.spellings.at(0).marked, false);
    const GcideHead::Result dropped = GcideHead::parse("Amenorrhea \\A*men`or*rhe\"a\\ \\ \\");
    QCOMPARE(dropped.mismatchesKept, 0);
    QCOMPARE(dropped.mismatchesDropped, 1);
    // A division whose letters are not the headword's: the headword stays, without a division.
    const GcideHead::Result typo = GcideHead::parse("Cabbage \\Cab\"age\\, n.");
    QCOMPARE(spellingSummary(typo), QStringList{"Cabbage|Cabbage|n.|"});
    QCOMPARE(typo.mismatchesKept, 1);
}

void TestGcideConvert::findsEntries() {
    const std::string text = "Addle-brain \\Ad\"dle-brain`\\, Addle-head \\Ad\"dle-head`\\,\n"
                             "Addle-pate \\Ad\"dle-pate\\, n.\n"
                             "   A foolish fellow.\n"
                             "         Quoted.                 --Locke.\n"
                             "0 \\0\\ adj.\n"
                             "   (pron),\n"
                             "Nought \\Nought\\, n.\n"
                             "\n"
                             "{Molluscoidea}, including Brachiopoda \\not\\ an entry.\n"
                             "   [PJC] Palkee \\Pal\"kee\\, n. [Hind.]\n"
                             "   A palanquin.\n"
                             "\n"
                             "antidisestablishmentarianism\n"
                             "\\an`ti*dis`es*tab`lish*men*ta\"ri*an*ism\\\n"
                             "\n"
                             "ankylostomiasis \\an`ky*los*to*mi\"a*sis\\, ancylostomiasis\n"
                             "\n"
                             "\\an`cy*los*to*mi\"a*sis\\, n.\n"
                             "   [NL.]\n"
                             "\n"
                             "\\. . .\\\n"
                             "   [PJC]\n";
    QStringList heads;
    GcideEntrySplitter::split(text, [&](std::string_view head) { heads << QString::fromStdString(std::string(head)); });
    const QStringList expected{
        "Addle-brain \\Ad\"dle-brain`\\, Addle-head \\Ad\"dle-head`\\, Addle-pate \\Ad\"dle-pate\\, n. "
        "A foolish fellow. Quoted.                 --Locke.",
        "0 \\0\\ adj. (pron), Nought \\Nought\\, n.",
        "Palkee \\Pal\"kee\\, n. [Hind.] A palanquin.",
        "antidisestablishmentarianism \\an`ti*dis`es*tab`lish*men*ta\"ri*an*ism\\",
        "ankylostomiasis \\an`ky*los*to*mi\"a*sis\\, ancylostomiasis \\an`cy*los*to*mi\"a*sis\\, n. [NL.]",
    };
    QCOMPARE(heads, expected);
}

void TestGcideConvert::convertsExtract_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("line");
    auto row = [](const char* key, const char* line) {
        QTest::newRow(key) << QString::fromUtf8(key) << QString::fromUtf8(line);
    };
    // GCIDE's stress marks kept: " after a syllable of primary stress, ` after one of secondary stress, in place of
    // the boundary or after a word's last syllable.
    row("Baby", "Baby|Ba\"by:n.|Ba\"by:a.|Ba\"by:v. t.");
    row("Babies", "Babies|=Baby");
    row("Babying", "Babying|=Baby");
    row("baby-faced", "baby-faced|baby-faced:adj.");
    row("Babul", "Babul|Ba*bul\":n.");
    row("Babool", "Babool|Ba*bool\":n.");
    row("Abbé", "Abbé|Ab\"bé`:n.");
    row("Æneid", "Æneid|Æ*ne\"id:n.");
    row("Aërated", "Aërated|=Aërate");
    row("Alectryomachy", "Alectryomachy|A*lec`try*om\"a*chy:n.");   // a stress apostrophe, the word's only primary
    row("Xylariaceae", "Xylariaceae|Xy*la`ri*a\"ce*ae:pr. n.");     // one beside a primary mark
    row("Fresnel lantern", "Fresnel lantern|Fres\"nel` lan\"tern"); // two in one word
    row("Adam's apple", "Adam's apple|Ad\"am's ap\"ple");
    row("Ain't", "Ain't|Ain't");
    row("Ha'penny", "Ha'penny|Ha'\"pen*ny:n.");
    row("Acid process", "Acid process|Ac\"id proc\"ess");
    row("Well-being", "Well-being|Well\"-be`ing:n.");
    row("Demonstration", "Demonstration|Dem`on*stra\"tion:n.");
    row("Record", "Record|Re*cord\":v. t.|Re*cord\":v. i.|Rec\"ord:n."); // homographs keep their own stress
    row("Idea", "Idea|I*de\"a:n.");
    row("Archeological", "Archeological|Ar`che*o*log`ic*al:a.");
    row("Dos-à-dos", "Dos-à-dos|Dos`-à-dos\":adv.|Dos`-à-dos\":n.");
    row("Go", "Go|Go:obs. p. p.|Go:v. i.");
    row("Going", "Going|=Go");
    row("Alumnæ", "Alumnæ|=Alumna");
    row("Angriest", "Angriest|=Angry");
    row("Jibb", "Jibb|Jibb:v. t. & i.");
    row("Tracery", "Tracery|Tracery:n.");
    row("American Protective Association",
        "American Protective Association|A*mer\"i*can Pro*tect\"ive As*so`ci*a\"tion"); // division over two lines
    row("Ampèremeter", "Ampèremeter|Am`père\"me`ter:n.");
    row("Palkee", "Palkee|Pal\"kee:n.");
    row("antidisestablishmentarianism", "antidisestablishmentarianism|an`ti*dis`es*tab`lish*men*ta\"ri*an*ism");
    row("ancylostomiasis", "ancylostomiasis|an`cy*los*to*mi\"a*sis:n.");
    row("nor'easter", "nor'easter|nor'easter:n.");
    row("24/7", "24/7|24/7:adj. & adv.");
}

void TestGcideConvert::convertsExtract() {
    static const QHash<QString, QString> lines =
        linesByKey(QString::fromStdString(convert(readAll(kExtract).toStdString())));
    QFETCH(QString, key);
    QFETCH(QString, line);
    QCOMPARE(lines.value(key), line);
}

void TestGcideConvert::sortsAndHeadsTheFile() {
    GcideConverter converter;
    converter.add(readAll(kExtract).toStdString());
    const QString text = QString::fromStdString(converter.dictionaryText({"first comment", "", "last"}));
    QVERIFY(text.startsWith("# first comment\n#\n# last\n"));
    QVERIFY(text.endsWith('\n'));
    QCOMPARE(QString::fromStdString(converter.sourceName()),
             QStringLiteral("The Collaborative International Dictionary of English v.0.48"));
    QByteArray previous;
    int lines = 0;
    for (const QString& line : text.split('\n', Qt::SkipEmptyParts)) {
        if (line.startsWith('#'))
            continue;
        const QByteArray key = line.section('|', 0, 0).toUtf8();
        QVERIFY2(previous < key, qPrintable(line));
        QVERIFY2(!line.contains('\\') && !line.contains('['), qPrintable(line));
        previous = key;
        ++lines;
    }
    QCOMPARE(lines, converter.stats().headwords + converter.stats().forms);
}

void TestGcideConvert::countsExtract() {
    GcideConverter converter;
    converter.add(readAll(kExtract).toStdString());
    const GcideConverter::Stats stats = converter.stats();
    QCOMPARE(stats.entries, 61);
    QCOMPARE(stats.spellings, 74);
    QCOMPARE(stats.headwords, 65);
    QCOMPARE(stats.marked + stats.unmarked, stats.headwords);
    QCOMPARE(stats.unmarked, 20); // Tracery, WordNet entries, Ain't, Cat ...
    QCOMPARE(stats.forms, 18);
    QCOMPARE(stats.mismatchesKept, 1);
    QCOMPARE(stats.mismatchesDropped, 0);
}

void TestGcideConvert::mergesHomographs() {
    const std::string text = "Bird's-eye \\Bird's\"-eye`\\, a.\n   Seen from above.\n\n"
                             "Bird's-eye \\Bird's\"-eye`\\, a.\n   Marked with spots.\n\n"
                             "Bird's-eye \\Bird's\"-eye`\\, n.\n   A plant.\n\n"
                             "bird's-eye \\bird's-eye\\ adj.\n   seen from above\n";
    const QHash<QString, QString> lines = linesByKey(QString::fromStdString(convert(text)));
    QCOMPARE(lines.value("Bird's-eye"), QStringLiteral("Bird's-eye|Bird's\"-eye`:a.|Bird's\"-eye`:n."));
    QCOMPARE(lines.value("bird's-eye"), QStringLiteral("bird's-eye|bird's-eye:adj."));
}

void TestGcideConvert::leavesOutFormsThatAreHeadwords() {
    const std::string text = "Go \\Go\\, v. i. [imp. {Went}; p. p. {Gone}; p. pr. & vb. n. {Going}.]\n   To pass.\n\n"
                             "went \\went\\ n.\n   a path\n\n"
                             "Gone \\Gone\\,\n   p. p. of {Go}.\n\n"
                             "Wend \\Wend\\, v. i. [imp. & p. p. {Went}, {Wended}; p. pr. & vb. n. {Wending}.]\n";
    const QHash<QString, QString> lines = linesByKey(QString::fromStdString(convert(text)));
    QVERIFY(!lines.contains("Went"));
    QCOMPARE(lines.value("Gone"), QStringLiteral("Gone|Gone:p. p."));
    QCOMPARE(lines.value("Going"), QStringLiteral("Going|=Go"));
    QCOMPARE(lines.value("Wended"), QStringLiteral("Wended|=Wend"));
    QCOMPARE(lines.size(), 7); // four headwords, three forms
}

void TestGcideConvert::readsCompressedAndPlainFiles() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray plain = readAll(kExtract);
    QVERIFY(plain.size() > 1000);
    const QString compressed = dir.filePath("gcide.dict.dz");
    gzFile out = gzopen(compressed.toLocal8Bit().constData(), "wb9");
    QVERIFY(out);
    QCOMPARE(gzwrite(out, plain.constData(), static_cast<unsigned>(plain.size())), static_cast<int>(plain.size()));
    QCOMPARE(gzclose(out), Z_OK);
    QVERIFY(QFile(compressed).size() < plain.size() / 2);
    for (const QString& path : {compressed, kExtract}) {
        std::string contents;
        std::string error;
        QVERIFY2(GzipFile::read(path.toStdString(), contents, error), error.c_str());
        QCOMPARE(QByteArray::fromStdString(contents), plain);
    }
}

void TestGcideConvert::reportsDamagedFiles() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    std::string contents;
    std::string error;
    QVERIFY(!GzipFile::read(dir.filePath("missing.dz").toStdString(), contents, error));
    QVERIFY(error.find("missing.dz") != std::string::npos);
    // A compressed file cut short is an error, not a short dictionary.
    const QByteArray plain = readAll(kExtract);
    const QString compressed = dir.filePath("cut.dz");
    gzFile out = gzopen(compressed.toLocal8Bit().constData(), "wb");
    QVERIFY(out);
    gzwrite(out, plain.constData(), static_cast<unsigned>(plain.size()));
    gzclose(out);
    QFile file(compressed);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.resize(file.size() / 2));
    file.close();
    error.clear();
    QVERIFY(!GzipFile::read(compressed.toStdString(), contents, error));
    QVERIFY(!error.empty());
}

void TestGcideConvert::toolWritesDataFile() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString output = dir.filePath("dictionary.txt");
    const ToolRun run =
        runTool({"--package", "dict-gcide 0.48.5+nmu2", "--command", "scripts/update-dictionary", kExtract, output});
    QCOMPARE(run.exitCode, 0);
    const QString& report = run.errors;
    QVERIFY2(report.contains("distinct headwords 65\n") && report.contains("forms 18\n"), qPrintable(report));
    const QString text = QString::fromUtf8(readAll(output));
    QVERIFY(text.contains("# Source: GCIDE, The Collaborative International Dictionary of English v.0.48 "
                          "(Debian package dict-gcide 0.48.5+nmu2)\n"));
    QVERIFY(text.contains("# Licence of the data: GPL-2.0-or-later"));
    QVERIFY(text.contains("# Made by: scripts/update-dictionary\n"));
    QVERIFY(text.contains("\nBaby|Ba\"by:n.|Ba\"by:a.|Ba\"by:v. t.\n"));
    QVERIFY(!QFile::exists(output + ".partial"));
}

void TestGcideConvert::toolWritesStressFile() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString stress = dir.filePath("stress.txt");
    QCOMPARE(runTool({"--stress", stress, kExtract, dir.filePath("dictionary.txt")}).exitCode, 0);
    const QStringList lines = QString::fromUtf8(readAll(stress)).split(u'\n', Qt::SkipEmptyParts);
    QVERIFY(lines.size() > 2 && lines[0].startsWith(u'#') && lines[1].startsWith(u'#'));
    // GCIDE's marks, a stress apostrophe read as primary stress, a stressed last syllable; single words only.
    for (const char* line : {"Baby|Ba\"by", "Alectryomachy|A*lec`try*om\"a*chy", "Babool|Ba*bool\"",
                             "Demonstration|Dem`on*stra\"tion", "Abbé|Ab\"bé`"})
        QVERIFY2(lines.contains(QString::fromUtf8(line)), line);
    for (const QString& line : lines.mid(2))
        QVERIFY2(!line.contains(u' ') && !line.contains(u'-') && line.contains(u'|'), qPrintable(line));
}

void TestGcideConvert::toolKeepsOutputOnFailure() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString output = dir.filePath("dictionary.txt");
    QFile old(output);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old data\n");
    old.close();
    const QString notGcide = dir.filePath("notes.txt");
    QFile notes(notGcide);
    QVERIFY(notes.open(QIODevice::WriteOnly));
    notes.write("Some text\nwithout any entry.\n");
    notes.close();
    for (const QStringList& arguments : {QStringList{dir.filePath("missing.dz"), output}, QStringList{notGcide, output},
                                         QStringList{kExtract}, QStringList{"--bogus", kExtract, output}}) {
        const ToolRun run = runTool(arguments);
        QVERIFY2(run.exitCode > 0, qPrintable(arguments.join(' ')));
        QVERIFY(!run.errors.isEmpty());
        QCOMPARE(readAll(output), QByteArray("old data\n"));
    }
}

QTEST_GUILESS_MAIN(TestGcideConvert)
#include "TestGcideConvert.moc"
