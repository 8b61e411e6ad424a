// SPDX-License-Identifier: GPL-3.0-or-later
// Restore and save of a 1,000,000-word list, and the time from process start to the window shown, next to a
// minimal Qt window program measured in the same run. Prints figures; asserts nothing.
#include "BenchSupport.h"
#include "app/Form1.h"
#include "common/Settings.h"
#include "output/SpreadsheetApplication.h"

#include <QApplication>
#include <QDateTime>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

namespace {

class NoSpreadsheet : public SpreadsheetProvider {
public:
    std::unique_ptr<SpreadsheetApplication> create() override { return nullptr; }
};

QString randomWord(QRandomGenerator& random) {
    const int length = 3 + int(random.bounded(13));
    QString word(length, Qt::Uninitialized);
    for (QChar& c : word)
        c = QChar(u'a' + random.bounded(26));
    return word;
}

// Child mode: show a window, wait until it is exposed, quit.
int showAndQuit(bool parvenna) {
    FakePlatformTools tools;
    NoSpreadsheet spreadsheets;
    std::unique_ptr<QWidget> window;
    if (parvenna) {
        auto form = std::make_unique<Form1>(tools, spreadsheets);
        form->Form_Load();
        window = std::move(form);
    } else {
        window = std::make_unique<QWidget>();
        window->resize(536, 670);
    }
    window->show();
    // The moment the window is shown, on the clock the parent reads too: the time to exit (which waits for
    // background work such as reading the built-in dictionary) is not the user's wait.
    QTimer::singleShot(0, [] {
        std::printf("%lld\n", static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
        std::fflush(stdout);
        QCoreApplication::quit();
    });
    return QApplication::exec();
}

double timeChild(const QString& mode) {
    QProcess child;
    const qint64 started = QDateTime::currentMSecsSinceEpoch();
    child.start(QCoreApplication::applicationFilePath(), {mode});
    child.waitForFinished(60000);
    return double(child.readAllStandardOutput().trimmed().toLongLong() - started);
}

void storeMillionWords() {
    QRandomGenerator random(42);
    QStringList words;
    words.reserve(1000000);
    for (int i = 0; i < 1000000; ++i)
        words << randomWord(random);
    Settings::save(QStringLiteral("Zip Codes"), words.join(QLatin1Char(';')));
}

// Child mode, in a fresh process so that its peak memory is the program's own.
int listRestoreAndSave() {
    const long before = peakMemoryMb();
    FakePlatformTools tools;
    NoSpreadsheet spreadsheets;
    Form1 form(tools, spreadsheets);
    QElapsedTimer timer;
    timer.start();
    form.Form_Load();
    const double restoreMs = double(timer.nsecsElapsed()) / 1e6;
    timer.restart();
    form.Form_QueryUnload();
    const double saveMs = double(timer.nsecsElapsed()) / 1e6;
    std::printf("1,000,000-word list: restore %.0f ms, save %.0f ms, %lld rows, peak memory %ld MB (%ld MB before)\n",
                restoreMs, saveMs, static_cast<long long>(form.context().wordList().rowCount()), peakMemoryMb(),
                before);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    QTemporaryDir bigProfile;
    QTemporaryDir emptyProfile;
    if (mode.isEmpty()) {
        qputenv("XDG_CONFIG_HOME", bigProfile.path().toUtf8());
        qputenv("XDG_RUNTIME_DIR", emptyProfile.path().toUtf8());
        qputenv("PARVENNA_PING_HOST", "127.0.0.1");
        qputenv("PARVENNA_HOME_PAGE", "");
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    if (mode == QStringLiteral("--restore-save"))
        return listRestoreAndSave();
    if (mode == QStringLiteral("--parvenna-window"))
        return showAndQuit(true);
    if (mode == QStringLiteral("--minimal-window"))
        return showAndQuit(false);

    storeMillionWords();
    QProcess::execute(QCoreApplication::applicationFilePath(), {QStringLiteral("--restore-save")});
    qputenv("XDG_CONFIG_HOME", emptyProfile.path().toUtf8()); // the window timing starts from a fresh account
    QList<double> parvenna;
    QList<double> minimal;
    for (int i = 0; i < 7; ++i) {
        parvenna << timeChild(QStringLiteral("--parvenna-window"));
        minimal << timeChild(QStringLiteral("--minimal-window"));
    }
    std::printf("process start to window shown (offscreen, median of 7): Parvenna %.0f ms, minimal Qt window "
                "%.0f ms\n",
                median(parvenna), median(minimal));
    return 0;
}
