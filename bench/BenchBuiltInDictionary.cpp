// SPDX-License-Identifier: GPL-3.0-or-later
// The built-in dictionary: loading (with and without the data check; with the argument "load", only that), memory,
// lookups a second in this process and through parvenna-dictionary --split, coverage of the 20,000 most frequent
// English words, and a 100,000-word splitting run in the window next to its floor (the same lookups in a plain loop
// plus the rows added in one block). Prints; asserts nothing.
#include "BenchSupport.h"
#include "app/Form1.h"
#include "lexicon/BuiltInDictionary.h"
#include "output/SpreadsheetApplication.h"

#include <QApplication>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

namespace {

class NoSpreadsheet : public SpreadsheetProvider {
public:
    std::unique_ptr<SpreadsheetApplication> create() override { return nullptr; }
};

long residentMb() {
    return statusMb("VmRSS:");
}

QStringList frequentWords() {
    QFile file(QStringLiteral(PARVENNA_BENCH_DATA "/frequent-words.txt"));
    file.open(QIODevice::ReadOnly);
    QStringList words;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (!line.isEmpty() && !line.startsWith('#'))
            words << QString::fromUtf8(line);
    return words;
}

QStringList repeated(const QStringList& words, qsizetype count) {
    QStringList list;
    list.reserve(count);
    while (list.size() < count)
        list << words[list.size() % words.size()];
    return list;
}

double msTaken(const std::function<void()>& action) {
    QElapsedTimer timer;
    timer.start();
    action();
    return double(timer.nsecsElapsed()) / 1e6;
}

// Reading the data files, the estimator's model included: as the program does (each file checked against the
// manifest first), and without the check.
void loading() {
    const long before = residentMb();
    QList<double> checked;
    QList<double> unchecked;
    for (int i = 0; i < 5; ++i) {
        checked << msTaken([] { BuiltInDictionary().loadInstalled(); });
        unchecked << msTaken([] {
            BuiltInDictionary().load(BuiltInDictionary::defaultFiles(), nullptr,
                                     BuiltInDictionary::defaultEstimatorFile());
        });
    }
    const double sharedMs = msTaken([] { BuiltInDictionary::shared(); });
    const BuiltInDictionary& shared = BuiltInDictionary::shared();
    std::printf("load: %.1f ms with the data check, %.1f ms without it (medians of 5; the shared one %.1f ms), %lld "
                "headwords, %lld forms; resident memory %ld MB before, %ld MB after (+%ld MB)\n",
                median(checked), median(unchecked), sharedMs, static_cast<long long>(shared.lexicon().headwordCount()),
                static_cast<long long>(shared.lexicon().formCount()), before, residentMb(), residentMb() - before);
}

void coverage(const QStringList& frequent) {
    const BuiltInDictionary& dictionary = BuiltInDictionary::shared();
    int counts[4] = {};
    QStringList missing;
    for (const QString& word : frequent) {
        const BuiltInDictionary::Answer answer = dictionary.lookUp(word);
        ++counts[int(answer.source)];
        if (answer.source == BuiltInDictionary::Source::NotFound ||
            answer.source == BuiltInDictionary::Source::Estimated)
            missing << word;
    }
    const double n = frequent.size();
    std::printf("coverage of the %lld most frequent words: dictionary %d, derived %d (together %.2f %%), estimated %d, "
                "not found %d\n",
                static_cast<long long>(frequent.size()), counts[0], counts[1], 100.0 * (counts[0] + counts[1]) / n,
                counts[2], counts[3]);
    std::printf("  first words without a dictionary or derived division: %s\n",
                qPrintable(missing.mid(0, 40).join(QLatin1Char(' '))));
}

void lookupsInProcess(const QStringList& words) {
    const BuiltInDictionary& dictionary = BuiltInDictionary::shared();
    QElapsedTimer timer;
    timer.start();
    qsizetype characters = 0;
    for (const QString& word : words)
        characters += dictionary.lookUp(word).splitText().size();
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    std::printf("in-process lookups: %lld words in %.3f s = %.2f million words a second (%lld characters)\n",
                static_cast<long long>(words.size()), seconds, double(words.size()) / seconds / 1e6,
                static_cast<long long>(characters));
}

// Lookups a second for the words of each source alone, 200,000 of each (the group repeated), by this thread's
// processor time: which kind of answer the time goes to.
void lookupsBySource(const QStringList& frequent) {
    const BuiltInDictionary& dictionary = BuiltInDictionary::shared();
    QStringList groups[4];
    for (const QString& word : frequent)
        groups[int(dictionary.lookUp(word).source)] << word;
    QStringList rates;
    for (int source = 0; source < 3; ++source) {
        if (groups[source].isEmpty())
            continue;
        const QStringList words = repeated(groups[source], 200000);
        const double started = threadSeconds();
        qsizetype characters = 0;
        for (const QString& word : words)
            characters += dictionary.lookUp(word).division.size();
        const double seconds = threadSeconds() - started;
        rates << QStringLiteral("%1 %2 (%3 words)")
                     .arg(BuiltInDictionary::sourceName(BuiltInDictionary::Source(source)))
                     .arg(double(words.size()) / seconds / 1e6, 0, 'f', 2)
                     .arg(groups[source].size());
        Q_UNUSED(characters);
    }
    std::printf("lookups by source, million words a second of processor time: %s\n", qPrintable(rates.join(", ")));
}

double splitCommandMs(const QString& input) {
    QProcess tool;
    tool.setStandardInputFile(input);
    tool.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    tool.start(QCoreApplication::applicationDirPath() + QStringLiteral("/../parvenna-dictionary"),
               {QStringLiteral("--split")});
    tool.waitForFinished(120000);
    return double(timer.nsecsElapsed()) / 1e6;
}

void splitCommand(const QStringList& words, const QString& folder) {
    const QString input = folder + QStringLiteral("/words.txt");
    const QString empty = folder + QStringLiteral("/empty.txt");
    QFile file(input);
    file.open(QIODevice::WriteOnly);
    file.write(words.join(QLatin1Char('\n')).toUtf8());
    file.close();
    QFile(empty).open(QIODevice::WriteOnly);
    QList<double> bare;
    QList<double> full;
    for (int i = 0; i < 3; ++i) {
        bare << splitCommandMs(empty);
        full << splitCommandMs(input);
    }
    const double afterLoading = median(full) - median(bare);
    std::printf("parvenna-dictionary --split: empty input %.0f ms (start and load), %lld words %.0f ms: %.2f million "
                "words a second after loading (medians of 3)\n",
                median(bare), static_cast<long long>(words.size()), median(full),
                double(words.size()) / afterLoading * 1000.0 / 1e6);
}

void windowRun(const QStringList& words) {
    FakePlatformTools tools;
    NoSpreadsheet spreadsheets;
    Form1 form(tools, spreadsheets);
    form.Form_Load();
    form.context().wordList().addRows(words);
    BuiltInDictionary::shared();
    QList<double> runs;
    QList<double> floors;
    for (int i = 0; i < 3; ++i) {
        tools.fakeDialogs.boxes.clear();
        QElapsedTimer timer;
        timer.start();
        form.findChild<QPushButton*>(QStringLiteral("PushButton17"))->click();
        runs << double(timer.nsecsElapsed()) / 1e6;
        const qsizetype rows = form.context().resultsList().rowCount();
        form.context().resultsList().clear();
        timer.restart();
        QStringList texts;
        texts.reserve(words.size());
        for (const QString& word : words)
            texts << BuiltInDictionary::shared().lookUp(word).splitText();
        form.context().resultsList().addRows(texts);
        floors << double(timer.nsecsElapsed()) / 1e6;
        form.context().resultsList().clear();
        if (i == 0)
            std::printf("window run: %lld rows, closing \"%s\"\n", static_cast<long long>(rows),
                        qPrintable(tools.fakeDialogs.texts().value(0)));
    }
    std::printf("window run of %lld words, press to closing box: %.0f ms; floor (plain lookup loop + one-block "
                "append): %.0f ms; ratio %.2f (medians of 3)\n",
                static_cast<long long>(words.size()), median(runs), median(floors), median(runs) / median(floors));
}

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir profile;
    useQuietEnvironment(profile.path());
    qputenv("PARVENNA_SERVICE_ADDRESS", ""); // the built-in dictionary
    QApplication app(argc, argv);
    const QStringList frequent = frequentWords();
    loading();
    if (argc > 1 && QByteArrayView(argv[1]) == "load")
        return 0;
    coverage(frequent);
    lookupsInProcess(repeated(frequent, 1000000));
    lookupsBySource(frequent);
    splitCommand(repeated(frequent, 1000000), profile.path());
    windowRun(repeated(frequent, 100000));
    std::printf("peak memory %ld MB\n", peakMemoryMb());
    return 0;
}
