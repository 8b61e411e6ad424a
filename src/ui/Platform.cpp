#include "ui/Platform.h"

#include "common/AppError.h"
#include "common/Numbers.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

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

void DesktopShell::startDetached(const QString& program, const QStringList& arguments) {
    if (!QProcess::startDetached(program, arguments))
        throw AppError(AppError::FileNotFound, QStringLiteral("File not found: %1").arg(program));
}
