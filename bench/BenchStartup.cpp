// SPDX-License-Identifier: GPL-3.0-or-later
// Restore and save of a 1,000,000-word list next to their floors (medians of five processes), and the time from
// process start to the window shown, next to a minimal Qt window program measured in the same run. Prints figures;
// asserts nothing.
#include "BenchSupport.h"
#include "app/Form1.h"
#include "common/Settings.h"
#include "output/SpreadsheetApplication.h"

#include <QApplication>
#include <QDateTime>
#include <QProcess>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <unistd.h>
#include <vector>

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

double msSince(QElapsedTimer& timer) {
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    timer.restart();
    return ms;
}

// The floors of the restore and the save: the settings file read and its text cut at every ";" (as spans, nothing
// else), and the same text written to a new file beside it and synced.
std::pair<double, double> restoreAndSaveFloors() {
    const QString path = QSettings(Settings::kApplication, Settings::kSection).fileName();
    QElapsedTimer timer;
    timer.start();
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    const QString text = QString::fromUtf8(file.readAll());
    std::vector<qsizetype> ends;
    for (qsizetype at = text.indexOf(QLatin1Char(';')); at >= 0; at = text.indexOf(QLatin1Char(';'), at + 1))
        ends.push_back(at);
    const double readMs = msSince(timer);
    QFile copy(path + QStringLiteral(".floor"));
    copy.open(QIODevice::WriteOnly);
    copy.write(text.toUtf8());
    copy.flush();
    ::fsync(copy.handle());
    copy.close();
    const double writeMs = msSince(timer);
    copy.remove();
    return {readMs, writeMs};
}

// Child mode, in a fresh process so that its peak memory is the program's own. Prints restore and save times, the
// rows, the peak memory and the memory before, then the two floors.
int listRestoreAndSave() {
    const long before = peakMemoryMb();
    FakePlatformTools tools;
    NoSpreadsheet spreadsheets;
    Form1 form(tools, spreadsheets);
    QElapsedTimer timer;
    timer.start();
    form.Form_Load();
    const double restoreMs = msSince(timer);
    form.Form_QueryUnload();
    const double saveMs = msSince(timer);
    const long peak = peakMemoryMb();
    const auto [readFloorMs, writeFloorMs] = restoreAndSaveFloors();
    std::printf("%.1f %.1f %lld %ld %ld %.1f %.1f\n", restoreMs, saveMs,
                static_cast<long long>(form.context().wordList().rowCount()), peak, before, readFloorMs, writeFloorMs);
    return 0;
}

// Five fresh processes restore and save the list; medians of each figure.
void restoreAndSave() {
    QList<QList<double>> figures(7);
    for (int run = 0; run < 5; ++run) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--restore-save")});
        child.waitForFinished(120000);
        const QList<QByteArray> fields = child.readAllStandardOutput().trimmed().split(' ');
        for (qsizetype i = 0; i < fields.size() && i < figures.size(); ++i)
            figures[i] << fields[i].toDouble();
    }
    std::printf("1,000,000-word list (medians of 5 processes): restore %.0f ms (floor: read and cut at \";\" %.0f ms), "
                "save %.0f ms (floor: write and sync %.0f ms), %.0f rows, peak memory %.0f MB (%.0f MB before)\n",
                median(figures[0]), median(figures[5]), median(figures[1]), median(figures[6]), median(figures[2]),
                median(figures[3]), median(figures[4]));
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
    restoreAndSave();
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
