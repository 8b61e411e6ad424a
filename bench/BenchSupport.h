#pragma once

#include "ui/PlatformTools.h"

#include <QElapsedTimer>
#include <QFile>
#include <QStringList>

// Quiet seams for benchmarks: boxes are counted, never shown.
class BenchDialogs : public Dialogs {
public:
    void messageBox(const QString& text, const QString&, MessageIcon) override { texts << text; }
    QString inputBox(const QString&, const QString&) override { return {}; }
    void showOpen(CommonDialog& dialog) override { dialog.fileName.clear(); }
    void showSave(CommonDialog& dialog) override { dialog.fileName.clear(); }
    QStringList texts;
};

class BenchShell : public Shell {
public:
    void openAddress(const QString&) override {}
    void startDetached(const QString&, const QStringList&) override {}
};

class BenchTools : public PlatformTools {
public:
    Dialogs& dialogs() override { return m_dialogs; }
    Clock& clock() override { return m_clock; }
    Random& random() override { return m_random; }
    Shell& shell() override { return m_shell; }
    BenchDialogs m_dialogs;
    SystemClock m_clock;
    SystemRandom m_random;
    BenchShell m_shell;
};

// The high-water mark of this process's resident memory (VmHWM; unlike getrusage it starts anew at exec).
inline long peakMemoryMb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong() / 1024;
    return -1;
}

inline double median(QList<double> values) {
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0.0 : values[values.size() / 2];
}
