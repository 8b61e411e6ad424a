// SPDX-License-Identifier: GPL-3.0-or-later
// Per-word cost of a dictionary fetch: ReadCurl against parvenna-dictionary on 127.0.0.1, next to a bare shell
// loop of "curl -s -o FILE URL" on the same addresses, in the same run. Prints both medians and their ratio.
#include "common/DataFiles.h"
#include "dictionary/CurlFunctions.h"
#include "dictionary/LocalDictionaryService.h"
#include "dictionary/ToolFiles.h"

#include "BenchSupport.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTextStream>

namespace {

constexpr int kWords = 200;
constexpr int kWarmUp = 10;
constexpr int kRound = 20;

QStringList benchWords() {
    QFile file(DataFiles::path(QStringLiteral("words.txt")));
    QStringList words;
    if (file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        while (!file.atEnd() && words.size() < kWords) {
            const QString line = QString::fromUtf8(file.readLine()).trimmed();
            if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
                words << line.section(QLatin1Char('|'), 0, 0);
        }
    }
    return words;
}

// Starts the service executable on a free port; returns its address, or the empty text.
QString startService(QProcess& service, const QString& key) {
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/../parvenna-dictionary");
    service.start(program, {QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--key"), key});
    if (!service.waitForStarted(5000) || !service.waitForReadyRead(5000))
        return {};
    const QString line = QString::fromUtf8(service.readLine());
    return QRegularExpression(QStringLiteral("^(http://127\\.0\\.0\\.1:\\d+) ")).match(line).captured(1);
}

// Milliseconds of each curl run of a bash loop, timed with bash's own clock (no extra processes).
QList<double> shellLoop(const QStringList& addresses, const QString& file) {
    QString script = QStringLiteral("for url in \"$@\"; do s=$EPOCHREALTIME; curl -s -o \"$F\" \"$url\"; "
                                    "e=$EPOCHREALTIME; echo \"$s $e\"; done");
    QProcess shell;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("F"), file);
    shell.setProcessEnvironment(environment);
    shell.start(QStringLiteral("bash"), QStringList{QStringLiteral("-c"), script, QStringLiteral("loop")} + addresses);
    shell.waitForFinished(300000);
    QList<double> times;
    for (const QByteArray& line : shell.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> pair = line.split(' ');
        if (pair.size() == 2)
            times << (pair[1].toDouble() - pair[0].toDouble()) * 1000.0;
    }
    return times;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QString key = LocalDictionaryService::newKey();
    QProcess service;
    const QString address = startService(service, key);
    const QStringList words = benchWords();
    if (address.isEmpty() || words.size() < kWords) {
        out << "parvenna-dictionary could not be started, or the word data is short" << Qt::endl;
        return 1;
    }
    ToolFiles tools;
    tools.ExtractToolFiles();
    FakeDialogs dialogs;
    SystemClock clock;
    CurlFunctions curl(dialogs, clock, nullptr);
    const DictionaryEndpoint endpoint{address, [&] { return key; }};

    QStringList addresses;
    for (const QString& word : words)
        addresses << CurlFunctions::RequestAddress(address, word, key);
    const QString file = tools.runFolder() + QStringLiteral("/bare.txt");

    // Both ways in alternating rounds over the same words, so that a busy moment of the machine hits both.
    QList<double> fetchTimes;
    QList<double> shellTimes;
    int wrong = 0;
    const auto fetch = [&](const QString& word) {
        QElapsedTimer timer;
        timer.start();
        const QString answer = curl.ReadCurl(word, tools, endpoint);
        const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        if (!answer.contains(QStringLiteral("<entry id=\"%1\"").arg(word.toHtmlEscaped())) || curl.lastRunCount() != 1)
            ++wrong;
        return ms;
    };
    for (int i = 0; i < kWarmUp; ++i)
        fetch(words[i]);
    shellLoop(addresses.mid(0, kWarmUp), file);
    wrong = 0;
    for (int first = 0; first < words.size(); first += kRound) {
        for (int i = first; i < std::min<int>(first + kRound, words.size()); ++i)
            fetchTimes << fetch(words[i]);
        shellTimes << shellLoop(addresses.mid(first, kRound), file);
    }
    QFile::remove(file);
    tools.DeleteToolFiles();
    service.kill();
    service.waitForFinished(5000);

    const double fetchMedian = median(fetchTimes);
    const double shellMedian = median(shellTimes);
    out << "words: " << fetchTimes.size() << " fetched (" << wrong << " wrong or retried), " << shellTimes.size()
        << " bare curl runs" << Qt::endl;
    out << QStringLiteral("ReadCurl median:       %1 ms").arg(fetchMedian, 0, 'f', 2) << Qt::endl;
    out << QStringLiteral("bare curl loop median: %1 ms").arg(shellMedian, 0, 'f', 2) << Qt::endl;
    out << QStringLiteral("ratio:                 %1").arg(shellMedian > 0 ? fetchMedian / shellMedian : 0.0, 0, 'f', 3)
        << Qt::endl;
    out << "error reports: " << dialogs.boxes.size() << Qt::endl;
    return 0;
}
