// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

// Today's date and the time of day, as the quota and the waits read them.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::int32_t today() const = 0;          // day number of the current local date
    virtual double secondsSinceMidnight() const = 0; // local time of day
};

// Uniform draws 0 <= r < 1 after a seed.
class Random {
public:
    virtual ~Random() = default;
    virtual void seed(double seed) = 0;
    virtual double next() = 0;
};

// Starting programs and opening addresses on the desktop.
class Shell {
public:
    virtual ~Shell() = default;
    // Opens an address in the user's browser. Throws AppError when it cannot be handed over.
    virtual void openAddress(const QString& address) = 0;
    // Starts a program detached: it keeps running after this one ends. Throws AppError when it cannot be
    // started, or when within a moment (two seconds at most) it ends with an error or on a signal; a program
    // that is still running then, or ended well, is not waited for any longer.
    virtual void startDetached(const QString& program, const QStringList& arguments) = 0;
};

class SystemClock : public Clock {
public:
    std::int32_t today() const override;
    double secondsSinceMidnight() const override;
};

class SystemRandom : public Random {
public:
    void seed(double seed) override;
    double next() override;

private:
    std::uint64_t m_state = 0x9E3779B97F4A7C15ull;
};

class DesktopShell : public Shell {
public:
    void openAddress(const QString& address) override;
    void startDetached(const QString& program, const QStringList& arguments) override;
};
