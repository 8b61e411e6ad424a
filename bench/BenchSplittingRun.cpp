// SPDX-License-Identifier: GPL-3.0-or-later
// One splitting run over 100 different words against parvenna-dictionary on loopback, from the button press to
// the closing message, next to a bare shell loop of `curl -s -o FILE URL` over the same 100 addresses in the same
// run. Prints figures; asserts nothing.
#include "BenchSupport.h"
#include "app/Form1.h"
#include "common/DataFiles.h"
#include "output/SpreadsheetApplication.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>
#include <cstdio>

namespace {

class NoSpreadsheet : public SpreadsheetProvider {
public:
    std::unique_ptr<SpreadsheetApplication> create() override { return nullptr; }
};

QStringList hundredWords() {
    QFile data(DataFiles::path(QStringLiteral("words.txt")));
    data.open(QIODevice::ReadOnly);
    QStringList words;
    for (const QByteArray& line : data.readAll().split('\n')) {
        if (line.isEmpty() || line.startsWith('#') || line.contains(' '))
            continue;
        words << QString::fromUtf8(line.left(line.indexOf('|')));
        if (words.size() == 100)
            break;
    }
    return words;
}

// Starts the dictionary tool on a free port and returns its address; the key is fixed for the run.
QString startDictionary(QProcess& tool, const QString& key) {
    tool.setProgram(QCoreApplication::applicationDirPath() + QStringLiteral("/../parvenna-dictionary"));
    tool.setArguments({QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--key"), key});
    tool.start();
    tool.waitForReadyRead(10000);
    const QString banner = QString::fromUtf8(tool.readLine());
    return banner.section(QLatin1Char(' '), 0, 0);
}

double bareCurlLoopMs(const QString& address, const QString& key, const QStringList& words, const QString& file) {
    QString script;
    for (const QString& word : words)
        script += QStringLiteral("curl -s -o '%1' '%2/api/v1/references/collegiate/xml/%3?key=%4'\n")
                      .arg(file, address, QString::fromUtf8(QUrl::toPercentEncoding(word)), key);
    QElapsedTimer timer;
    timer.start();
    QProcess::execute(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script});
    return double(timer.nsecsElapsed()) / 1e6;
}

double splittingRunMs(const QStringList& words, int& rows, QString& closing) {
    FakePlatformTools tools;
    NoSpreadsheet spreadsheets;
    Form1 form(tools, spreadsheets);
    form.Form_Load();
    form.context().quota().count = 0;
    form.context().wordList().clear();
    form.context().wordList().addRows(words);
    tools.fakeDialogs.boxes.clear();
    QElapsedTimer timer;
    timer.start();
    form.findChild<QPushButton*>(QStringLiteral("PushButton17"))->click();
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    rows = int(form.context().resultsList().rowCount());
    closing = tools.fakeDialogs.texts().value(0);
    return ms;
}

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir profile;
    useQuietEnvironment(profile.path());
    QApplication app(argc, argv);

    const QString key = QStringLiteral("0123abcd-0123-4567-89ab-0123456789ab");
    QProcess tool;
    const QString address = startDictionary(tool, key);
    if (!address.startsWith(QStringLiteral("http://127.0.0.1:"))) {
        std::fprintf(stderr, "parvenna-dictionary did not start\n");
        return 1;
    }
    qputenv("PARVENNA_SERVICE_ADDRESS", address.toUtf8());
    qputenv("PARVENNA_SERVICE_KEY", key.toUtf8());
    const QStringList words = hundredWords();

    QList<double> runs;
    QList<double> loops;
    int rows = 0;
    QString closing;
    for (int i = 0; i < 3; ++i) {
        loops << bareCurlLoopMs(address, key, words, profile.path() + QStringLiteral("/bare.xml"));
        runs << splittingRunMs(words, rows, closing);
    }
    std::printf("%lld words: splitting run %.0f ms (%d rows, closing \"%s\"), bare curl loop %.0f ms, ratio %.2f "
                "(medians of 3)\n",
                static_cast<long long>(words.size()), median(runs), rows, qPrintable(closing.left(5)), median(loops),
                median(runs) / median(loops));
    tool.terminate();
    tool.waitForFinished(3000);
    return 0;
}
