// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Platform.h"

#include "common/AppError.h"
#include "common/Numbers.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <QUrl>
#include <cerrno>
#include <cstring>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

std::int32_t SystemClock::today() const {
    return Numbers::dayNumber(QDate::currentDate());
}

double SystemClock::secondsSinceMidnight() const {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

void SystemRandom::seed(double seed) {
    m_state = static_cast<std::uint64_t>(seed * 1000.0) ^ 0x9E3779B97F4A7C15ull;
    next();
}

double SystemRandom::next() {
    // splitmix64: small, fast and evenly spread; good enough for a one-in-a-hundred draw.
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<double>(z >> 11) / static_cast<double>(1ull << 53);
}

void DesktopShell::openAddress(const QString& address) {
    if (!QDesktopServices::openUrl(QUrl(address)))
        throw AppError::withText(QStringLiteral("The address %1 could not be opened").arg(address));
}

namespace {

constexpr int kStartWaitMs = 2000;
constexpr int kStartPollMs = 20;

// Starts the program (looked up on PATH when it names no folder) in a session of its own, so that it outlives
// this one, with no signal blocked or ignored. Returns its process id.
pid_t spawn(const QString& program, const QStringList& arguments) {
    QList<QByteArray> texts{QFile::encodeName(program)};
    for (const QString& argument : arguments)
        texts << argument.toLocal8Bit();
    std::vector<char*> argv;
    for (QByteArray& text : texts)
        argv.push_back(text.data());
    argv.push_back(nullptr);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigset_t all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    pid_t pid = 0;
    const int error = ::posix_spawnp(&pid, argv.front(), nullptr, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    if (error != 0)
        throw AppError(
            AppError::FileNotFound,
            QStringLiteral("%1 could not be started (%2)").arg(program, QString::fromLocal8Bit(std::strerror(error))));
    return pid;
}

// Waits a moment for the program to end. Ended well (it handed its work to a copy already running): fine.
// Ended with an error or on a signal: throws. Still running: it is left to run and reaped when it ends.
void checkStarted(pid_t pid, const QString& program) {
    QElapsedTimer waited;
    waited.start();
    int status = 0;
    for (;;) {
        const pid_t ended = ::waitpid(pid, &status, WNOHANG);
        if (ended == pid)
            break;
        if (ended < 0 && errno != EINTR)
            return; // already reaped elsewhere: nothing to tell
        if (waited.elapsed() >= kStartWaitMs) {
            std::thread([pid] {
                int ignored = 0;
                while (::waitpid(pid, &ignored, 0) < 0 && errno == EINTR) {
                }
            }).detach();
            return;
        }
        QThread::msleep(kStartPollMs);
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
        return;
    if (WIFEXITED(status))
        throw AppError::withText(
            QStringLiteral("%1 ended at once with exit code %2").arg(program).arg(WEXITSTATUS(status)));
    throw AppError::withText(QStringLiteral("%1 ended at once on signal %2").arg(program).arg(WTERMSIG(status)));
}

} // namespace

void DesktopShell::startDetached(const QString& program, const QStringList& arguments) {
    checkStarted(spawn(program, arguments), program);
}
