// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>

// Points everything a test could touch outside itself at private places: settings (XDG_CONFIG_HOME and
// QSettings' own path), the temporary folder (TEMP), the ping host (127.0.0.1) and the home page (never).
// The dictionary service address points at a closed loopback port until a test starts its own service.
class TestEnvironment {
public:
    TestEnvironment();
    ~TestEnvironment();
    TestEnvironment(const TestEnvironment&) = delete;
    TestEnvironment& operator=(const TestEnvironment&) = delete;
    const QString& root() const { return m_root; }
    QString settingsFolder() const;
    QString tempFolder() const;
    // Sends lookups to this dictionary service (empty: the built-in dictionary).
    static void useService(const QString& address, const QString& key);
    // Removes every stored setting.
    static void clearSettings();
    // Replaces the settings file with these bytes, as a user editing it by hand would.
    static void writeSettingsFile(const QByteArray& content);
    // Writes a file of that name into the private temporary folder and returns its path.
    static QString writeTempFile(const QString& name, const QByteArray& content);

private:
    QString m_root;
};

// While alive, the settings file is a folder: no user, not even root, can write the settings.
class UnwritableSettings {
public:
    UnwritableSettings();
    ~UnwritableSettings();
    UnwritableSettings(const UnwritableSettings&) = delete;
    UnwritableSettings& operator=(const UnwritableSettings&) = delete;
    bool active() const { return m_active; }

private:
    QString m_file;
    bool m_active = false;
};

// Like QTEST_MAIN, with the test environment in place before the application object exists.
#define PARVENNA_TEST_MAIN(TestObject)                                                                                 \
    int main(int argc, char** argv) {                                                                                  \
        TestEnvironment environment;                                                                                   \
        QApplication app(argc, argv);                                                                                  \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                                       \
        TestObject tc;                                                                                                 \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        return QTest::qExec(&tc, argc, argv);                                                                          \
    }
