// SPDX-License-Identifier: GPL-3.0-or-later
#include "lexicon/EstimateMends.h"
#include "lexicon/SyllableEstimator.h"

#include "RefusedModelFile.h"
#include "TestEnvironment.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <cstring>
#include <limits>
#include <string_view>

namespace {

QString shippedModel() {
    return QStringLiteral(PARVENNA_BINARY_DIR "/data/syllable-estimator.dat");
}

QByteArray shippedBytes() {
    QFile file(shippedModel());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The FNV-1a hash the file ends with, for files that are damaged on purpose but carry a matching hash.
QByteArray withHash(QByteArray body) {
    std::uint64_t h = 1469598103934665603ull;
    for (const char c : body)
        h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    for (int i = 0; i < 8; ++i)
        body.append(char((h >> (8 * i)) & 0xFF));
    return body;
}

// Whether each syllable of the word divided at these gaps holds one or two vowel groups (the divisions the
// estimator may give).
bool everySyllableHasOneOrTwoGroups(std::string_view word, const std::vector<int>& boundaries) {
    int begin = 0;
    for (std::size_t k = 0; k <= boundaries.size(); ++k) {
        const int end = k < boundaries.size() ? boundaries[k] : int(word.size());
        int groups = 0;
        for (int i = begin; i < end; ++i)
            groups += SyllableModel::isVowel(word[i]) && (i == begin || !SyllableModel::isVowel(word[i - 1]));
        if (groups < 1 || groups > 2)
            return false;
        begin = end;
    }
    return true;
}

// Every sequence of stress labels (0 .. levels-1) for this many syllables.
std::vector<std::vector<int>> labelSequences(int syllables, int levels) {
    int sequences = 1;
    for (int k = 0; k < syllables; ++k)
        sequences *= levels;
    std::vector<std::vector<int>> all;
    for (int code = 0; code < sequences; ++code) {
        std::vector<int>& labels = all.emplace_back();
        for (int k = 0, c = code; k < syllables; ++k, c /= levels)
            labels.push_back(c % levels);
    }
    return all;
}

// Writes a model of this shape and these weights into the folder and loads it; false when it does not load.
bool loadModel(SyllableEstimator& estimator, const QTemporaryDir& dir, const SyllableModel::Shape& shape,
               const std::vector<std::int8_t>& weights) {
    QFile file(dir.filePath(QStringLiteral("model.dat")));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(SyllableEstimator::serialize(shape, weights));
    file.close();
    return estimator.load(file.fileName());
}

} // namespace

class TestSyllableEstimator : public QObject {
    Q_OBJECT
    SyllableEstimator m_estimator;

    // The headwords and forms of the built-in dictionary, folded to lower case; empty when the data is absent.
    static const QSet<QString>& dictionaryHeadwords() {
        static const QSet<QString> words = [] {
            QSet<QString> found;
            QFile file(QStringLiteral(PARVENNA_SOURCE_DIR "/data/dictionary.txt"));
            if (file.open(QIODevice::ReadOnly | QIODevice::Text))
                while (!file.atEnd())
                    found.insert(QString::fromUtf8(file.readLine()).section(u'|', 0, 0).toLower());
            return found;
        }();
        return words;
    }

private slots:
    void initTestCase() {
        QString error;
        QVERIFY2(m_estimator.load(shippedModel(), &error), qPrintable(error));
        QVERIFY(m_estimator.isLoaded());
    }

    void estimates_data() {
        // Words the dictionary lacks, with what the shipped model makes of them (kept where that is a sound
        // division); a retrained model that divides them otherwise shows here.
        const std::pair<const char*, const char*> rows[] = {
            // coined words and blends
            {"flibbery", "flib*ber*y"},
            {"blorptastic", "blorp*tas*tic"},
            {"staycation", "stay*ca*tion"},
            {"mansplain", "man*splain"},
            {"chillax", "chil*lax"},
            {"glamping", "glamp*ing"},
            {"selfie", "sel*fie"},
            {"covid", "cov*id"},
            {"yotta", "yot*ta"},
            // names
            {"zuckerberg", "zuck*er*berg"},
            {"kardashian", "kar*dash*i*an"},
            {"nakamura", "na*ka*mu*ra"},
            // new compounds
            {"podcast", "pod*cast"},
            {"bitcoin", "bit*coin"},
            {"smartphone", "smart*phone"},
            {"blockchain", "block*chain"},
            {"hashtag", "hash*tag"},
            {"software", "soft*ware"},
            {"hyperlink", "hy*per*link"},
            // technical terms
            {"polymerase", "pol*y*mer*ase"},
            {"mitochondrial", "mi*to*chon*dri*al"},
            {"microprocessor", "mi*cro*pro*ces*sor"},
            {"cryptocurrency", "cryp*to*cur*ren*cy"},
            {"deoxyribonucleic", "de*ox*y*rib*o*nu*cle*ic"},
            {"electroencephalography", "e*lec*tro*en*ceph*a*log*ra*phy"},
            {"immunohistochemistry", "im*mu*no*his*to*chem*is*try"},
        };
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("division");
        for (const auto& [word, division] : rows)
            QTest::newRow(word) << QString::fromLatin1(word) << QString::fromLatin1(division);
    }
    void estimates() {
        QFETCH(QString, word);
        QFETCH(QString, division);
        QVERIFY2(!dictionaryHeadwords().contains(word), "the table is for words the dictionary lacks");
        QCOMPARE(m_estimator.divide(word), division);
    }

    // What English spelling says that the model did not learn: which endings are silent, in names and other words.
    void estimatesAreMended_data() {
        QTest::addColumn<QString>("estimate");
        QTest::addColumn<QString>("mended");
        QTest::newRow("silent final e") << "Ma*lo*ne"
                                        << "Ma*lone";
        QTest::newRow("silent e after two consonants") << "Bo*na*par*te"
                                                       << "Bo*na*parte";
        QTest::newRow("syllabic le stays") << "tab*le"
                                           << "tab*le";
        QTest::newRow("le after a vowel") << "whi*le"
                                          << "while";
        QTest::newRow("-ed after a doubled consonant") << "og*ged"
                                                       << "ogged";
        QTest::newRow("-ed after t") << "pat*ted"
                                     << "pat*ted";
        QTest::newRow("a word ending in bed") << "bride*bed"
                                              << "bride*bed";
        QTest::newRow("-es in a name") << "Hugh*es"
                                       << "Hughes";
        QTest::newRow("-es after a hissing sound") << "Fox*es"
                                                   << "Fox*es";
        QTest::newRow("-es in a Latin plural") << "ap*si*des"
                                               << "ap*si*des";
        QTest::newRow("ei in a name") << "Hein*le*in"
                                      << "Hein*lein";
        QTest::newRow("ei in chemistry") << "pro*te*in"
                                         << "pro*te*in";
        QTest::newRow("Mc") << "McGee"
                            << "Mc*Gee";
        QTest::newRow("each word of several") << "Ma*lo*ne Hugh*es"
                                              << "Ma*lone Hughes";
    }
    void estimatesAreMended() {
        QFETCH(QString, estimate);
        QFETCH(QString, mended);
        QCOMPARE(EstimateMends::mend(estimate), mended);
    }

    void keepsTheWordsOwnCharacters_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("division");
        QTest::newRow("capitals") << "FlibBery"
                                  << "Flib*Ber*y";
        QTest::newRow("accents") << "Nakamurá"
                                 << "Na*ka*mu*rá";
        QTest::newRow("ligature folds to two letters") << "Mitochondriæ"
                                                       << "Mi*to*chon*dri*æ";
        QTest::newRow("blank starts a new piece") << "podcast hashtag"
                                                  << "pod*cast hash*tag";
        QTest::newRow("hyphen starts a new piece") << "Zuckerberg-Kardashian"
                                                   << "Zuck*er*berg-Kar*dash*i*an";
        QTest::newRow("separators at the ends") << "-selfie "
                                                << "-sel*fie ";
        QTest::newRow("apostrophe stays") << "podcast's"
                                          << "pod*cast's";
        QTest::newRow("digit stays") << "bit2coin"
                                     << "bit2*coin";
        QTest::newRow("no vowel stays whole") << "brrr"
                                              << "brrr";
    }
    void keepsTheWordsOwnCharacters() {
        QFETCH(QString, word);
        QFETCH(QString, division);
        QCOMPARE(m_estimator.divide(word), division);
    }

    void longWordsKeepTheirLetters() {
        // A long run without vowels inside a long word still divides, and only "*" is added.
        const QString word = QStringLiteral("ab").repeated(2000) + QString(300, u'z') + QStringLiteral("ao");
        const QString division = m_estimator.divide(word);
        QVERIFY(division.count(u'*') >= 1000);
        QCOMPARE(QString(division).remove(u'*'), word);
    }

    void wordsWithoutLettersComeBackUnchanged_data() {
        QTest::addColumn<QString>("word");
        for (const char* word : {"", "1234", "---", " ", "' '", "3-4 5"})
            QTest::newRow(word) << QString::fromLatin1(word);
        QTest::newRow("symbols") << QStringLiteral("\u00A7\u2014\u20AC");
    }
    void wordsWithoutLettersComeBackUnchanged() {
        QFETCH(QString, word);
        QCOMPARE(m_estimator.divide(word), word);
    }

    void badFilesAreRefused_data() {
        const QByteArray good = shippedBytes();
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        QTest::newRow("empty") << QByteArray() << "not a syllable estimator file";
        QTest::newRow("text") << QByteArray("baby|ba*by\n") << "not a syllable estimator file";
        QTest::newRow("header only") << good.left(20) << "not a syllable estimator file";
        QTest::newRow("truncated") << good.left(good.size() - 1) << "truncated";
        QTest::newRow("extra byte") << good + 'x' << "truncated";
        QByteArray flipped = good;
        flipped[1000] = char(flipped[1000] ^ 0x40);
        QTest::newRow("damaged weight") << flipped << "check sum";
        QByteArray newer = good.left(good.size() - 8);
        newer[8] = char(SyllableEstimator::kFormatVersion + 1);
        QTest::newRow("newer version")
            << withHash(newer) << QStringLiteral("format version %1").arg(SyllableEstimator::kFormatVersion + 1);
        QByteArray wide = good.left(good.size() - 8);
        wide[10] = 30;
        QTest::newRow("table too large") << withHash(wide) << "out of range";
        QByteArray noContext = good.left(good.size() - 8);
        noContext[11] = 0;
        QTest::newRow("no left context") << withHash(noContext) << "out of range";
        QByteArray noStress = good.left(good.size() - 8);
        noStress[17] = 0;
        QTest::newRow("no stress level") << withHash(noStress) << "out of range";
        QByteArray longSuffix = good.left(good.size() - 8);
        longSuffix[15] = 9;
        QTest::newRow("word end too long") << withHash(longSuffix) << "out of range";
        SyllableModel::Shape small;
        small.tableBits = 10;
        QTest::newRow("count differs from the table")
            << SyllableEstimator::serialize(small, std::vector<std::int8_t>(512)) << "truncated";
    }
    void badFilesAreRefused() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        checkModelFileRefused<SyllableEstimator>(bytes, reason, shippedModel());
    }

    void missingFileIsRefused() {
        SyllableEstimator estimator;
        QString error;
        QVERIFY(!estimator.load(QStringLiteral("/nonexistent/syllable-estimator.dat"), &error));
        QVERIFY(!estimator.isLoaded());
        QVERIFY2(error.contains(QStringLiteral("/nonexistent/syllable-estimator.dat")), qPrintable(error));
    }

    void wordFeaturesComeFromTheFile_data() {
        QTest::addColumn<int>("suffix");
        QTest::addColumn<int>("prefix");
        QTest::addColumn<int>("levels");
        QTest::newRow("word end") << 3 << 0 << 1;
        QTest::newRow("word start") << 0 << 3 << 1;
        QTest::newRow("word end with stress") << 3 << 0 << 2;
    }
    void wordFeaturesComeFromTheFile() {
        // Only the word-level features of one gap carry weight: the file's shape must bring them to the
        // estimator, for each gap of the word that shares the gap's place.
        QFETCH(int, suffix);
        QFETCH(int, prefix);
        QFETCH(int, levels);
        SyllableModel::Shape shape;
        shape.tableBits = 16;
        shape.maxLeft = 1;
        shape.maxRight = 1;
        shape.maxGram = 1;
        shape.maxSyllable = 1;
        shape.maxSuffix = suffix;
        shape.maxPrefix = prefix;
        shape.stressLevels = levels;
        SyllableModel::Shape lettersOnly = shape;
        lettersOnly.maxSuffix = 0;
        lettersOnly.maxPrefix = 0;
        std::vector<std::int8_t> plain(1u << 16, 0);
        SyllableModel::forEachGapFeature(lettersOnly, "^abab$", [&](int, std::uint32_t slot) {
            plain[SyllableModel::slotIndex(slot)] = 1; // the letter features, to be left out
        });
        std::vector<std::int8_t> weights(1u << 16, 0);
        SyllableModel::forEachWordContextFeature(shape, "abab", [&](int gap, std::uint32_t slot) {
            if (gap == 2 && !plain[SyllableModel::slotIndex(slot)])
                weights[SyllableModel::slotIndex(slot)] = SyllableModel::slotNegative(slot) ? -100 : 100;
        });
        QTemporaryDir dir;
        SyllableEstimator estimator;
        QVERIFY(loadModel(estimator, dir, shape, weights));
        QCOMPARE(estimator.divide(u"abab"), QStringLiteral("ab*ab"));
        QVERIFY(loadModel(estimator, dir, lettersOnly, weights));
        QVERIFY(estimator.divide(u"abab") != QStringLiteral("ab*ab")); // without them no gap is preferred
    }

    void bestDivisionScoresItsOwnFeatures_data() {
        QTest::addColumn<int>("levels");
        QTest::addColumn<int>("suffix");
        QTest::newRow("letters only") << 1 << 0;
        QTest::newRow("word ends") << 1 << 4;
        QTest::newRow("two stress levels") << 2 << 4;
        QTest::newRow("three stress levels") << 3 << 2;
    }
    void bestDivisionScoresItsOwnFeatures() {
        // The trainer learns from the features of a division; the search must score a division by exactly
        // those, or the learned weights mean something else to it. Random weights: the best score found must
        // equal the sum over the features of the division it returns, and no other division may score higher.
        QFETCH(int, levels);
        QFETCH(int, suffix);
        SyllableModel::Shape shape;
        shape.tableBits = 12;
        shape.maxSuffix = suffix;
        shape.maxPrefix = suffix;
        shape.stressLevels = levels;
        std::vector<int> weights(1u << 12);
        std::uint32_t state = 7;
        for (int& w : weights) {
            state = state * 1664525u + 1013904223u;
            w = int(state >> 27) - 16;
        }
        const auto weight = [&](std::uint32_t slot) {
            const int w = weights[SyllableModel::slotIndex(slot)];
            return SyllableModel::slotNegative(slot) ? -w : w;
        };
        SyllableModel::Workspace<int> work;
        for (const char* word : {"caper", "ability", "strengths", "aeiou", "abracadabra", "queueing", "a"}) {
            const std::vector<int> boundaries = SyllableModel::bestDivision<int>(shape, word, weight, work);
            const std::vector<int> labels = work.labels;
            QCOMPARE(labels.size(), boundaries.size() + 1);
            const auto scoreOf = [&](const std::vector<int>& b, const std::vector<int>& l) {
                int sum = 0;
                SyllableModel::forEachDivisionFeature(shape, word, b, l,
                                                      [&](std::uint32_t slot) { sum += weight(slot); });
                return sum;
            };
            const int found = scoreOf(boundaries, labels);
            QCOMPARE(work.score, found);
            // Every other division into syllables that each hold a vowel, with every label sequence.
            const int n = int(std::strlen(word));
            for (int mask = 0; mask < (1 << std::max(n - 1, 0)); ++mask) {
                std::vector<int> b;
                for (int g = 1; g < n; ++g)
                    if (mask & (1 << (g - 1)))
                        b.push_back(g);
                if (!everySyllableHasOneOrTwoGroups(word, b))
                    continue;
                for (const std::vector<int>& l : labelSequences(int(b.size()) + 1, levels))
                    QVERIFY2(scoreOf(b, l) <= found, word);
            }
        }
    }

    void doubtIsHowFarADivisionScoresBelowTheBest_data() {
        QTest::addColumn<int>("levels");
        QTest::newRow("no stress") << 1;
        QTest::newRow("two stress levels") << 2;
    }
    void doubtIsHowFarADivisionScoresBelowTheBest() {
        // Random weights again: for every division the search allows, the doubt is the best score less the
        // division's own (its best over the stress labels); a syllable without a vowel is ruled out.
        QFETCH(int, levels);
        SyllableModel::Shape shape;
        shape.tableBits = 12;
        shape.maxSuffix = 2;
        shape.stressLevels = levels;
        std::vector<std::int8_t> weights(1u << 12);
        std::uint32_t state = 11;
        for (std::int8_t& w : weights) {
            state = state * 1664525u + 1013904223u;
            w = std::int8_t(int(state >> 27) - 16);
        }
        QTemporaryDir dir;
        SyllableEstimator estimator;
        QVERIFY(loadModel(estimator, dir, shape, weights));
        const auto weight = [&](std::uint32_t slot) {
            const int w = weights[SyllableModel::slotIndex(slot)];
            return SyllableModel::slotNegative(slot) ? -w : w;
        };
        const auto bestOver = [&](const std::string& word, const std::vector<int>& b) {
            int best = std::numeric_limits<int>::min();
            for (const std::vector<int>& l : labelSequences(int(b.size()) + 1, levels)) {
                int sum = 0;
                SyllableModel::forEachDivisionFeature(shape, word, b, l,
                                                      [&](std::uint32_t slot) { sum += weight(slot); });
                best = std::max(best, sum);
            }
            return best;
        };
        for (const std::string word : {"caper", "ability", "strengths", "banana"}) {
            const QString own = estimator.divide(QString::fromStdString(word));
            QCOMPARE(estimator.doubt(own), 0);
            int top = std::numeric_limits<int>::min();
            std::vector<std::pair<QString, int>> divisions; // each allowed division with its best score
            const int n = int(word.size());
            for (int mask = 0; mask < (1 << (n - 1)); ++mask) {
                std::vector<int> b;
                QString text;
                for (int i = 0; i < n; ++i) {
                    if (i > 0 && (mask & (1 << (i - 1)))) {
                        b.push_back(i);
                        text += u'*';
                    }
                    text += QLatin1Char(word[i]);
                }
                if (!everySyllableHasOneOrTwoGroups(word.c_str(), b)) {
                    QCOMPARE(estimator.doubt(text), SyllableEstimator::kRuledOut);
                    continue;
                }
                divisions.emplace_back(text, bestOver(word, b));
                top = std::max(top, divisions.back().second);
            }
            for (const auto& [text, score] : divisions)
                QCOMPARE(estimator.doubt(text), top - score);
        }
        // Pieces add up, and the word's own letters and case do not matter.
        const int ca = estimator.doubt(QStringLiteral("cap*er"));
        const int ban = estimator.doubt(QStringLiteral("ba*nan*a"));
        QCOMPARE(estimator.doubt(QStringLiteral("Cap*er-ba*nan*a")), ca + ban);
    }

    void aWrittenModelReadsBack() {
        // A model of its own shape: every weight zero but one, which the file must carry to the same slot.
        SyllableModel::Shape shape;
        shape.tableBits = 12;
        shape.maxLeft = 1;
        shape.maxRight = 1;
        shape.maxGram = 2;
        shape.maxSyllable = 1;
        std::vector<std::int8_t> weights(4096, 0);
        bool found = false;
        SyllableModel::forEachGapFeature(shape, "^abab$", [&](int gap, std::uint32_t slot) {
            if (gap != 2 || found)
                return;
            weights[SyllableModel::slotIndex(slot)] = SyllableModel::slotNegative(slot) ? -100 : 100;
            found = true;
        });
        QVERIFY(found);
        QTemporaryDir dir;
        SyllableEstimator estimator;
        QVERIFY(loadModel(estimator, dir, shape, weights));
        QCOMPARE(estimator.divide(u"abab"), QStringLiteral("ab*ab"));
    }
};

PARVENNA_TEST_MAIN(TestSyllableEstimator)
#include "TestSyllableEstimator.moc"
