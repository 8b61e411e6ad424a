// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <cstdlib>

namespace {

QString makeRoot() {
    QString root = QDir::tempPath() + QStringLiteral("/parvenna-test-%1").arg(QCoreApplication::applicationPid());
    if (root.isEmpty() || root == QStringLiteral("/"))
        std::abort();
    QDir(root).removeRecursively();
    QDir().mkpath(root);
    return root;
}

} // namespace

TestEnvironment::TestEnvironment() : m_root(makeRoot()) {
    QDir().mkpath(settingsFolder());
    QDir().mkpath(tempFolder());
    qputenv("XDG_CONFIG_HOME", settingsFolder().toUtf8());
    qputenv("TEMP", tempFolder().toUtf8());
    qputenv("PARVENNA_PING_HOST", "127.0.0.1");
    qputenv("PARVENNA_HOME_PAGE", "");
    // A loopback port nobody listens on: a test that forgets to start its service fails fast, locally.
    qputenv("PARVENNA_SERVICE_ADDRESS", "http://127.0.0.1:9");
    qputenv("PARVENNA_SERVICE_KEY", "00000000-0000-0000-0000-000000000000");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsFolder());
    QStandardPaths::setTestModeEnabled(true);
}

TestEnvironment::~TestEnvironment() {
    if (qEnvironmentVariableIsEmpty("PARVENNA_KEEP_TEST_FILES"))
        QDir(m_root).removeRecursively();
}

QString TestEnvironment::settingsFolder() const {
    return m_root + QStringLiteral("/config");
}

QString TestEnvironment::tempFolder() const {
    return m_root + QStringLiteral("/tmp");
}

void TestEnvironment::useService(const QString& address, const QString& key) {
    qputenv("PARVENNA_SERVICE_ADDRESS", address.toUtf8());
    qputenv("PARVENNA_SERVICE_KEY", key.toUtf8());
}

void TestEnvironment::clearSettings() {
    QSettings store(QStringLiteral("Orvanta"), QStringLiteral("Parvenna"));
    store.clear();
    store.sync();
}

void TestEnvironment::writeSettingsFile(const QByteArray& content) {
    const QString fileName = QSettings(QStringLiteral("Orvanta"), QStringLiteral("Parvenna")).fileName();
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size() ||
        !file.flush())
        qFatal("The settings file %s cannot be written", qPrintable(fileName));
}

UnwritableSettings::UnwritableSettings() {
    QSettings probe(QStringLiteral("Orvanta"), QStringLiteral("Parvenna"));
    m_file = probe.fileName();
    QFile::remove(m_file);
    m_active = QDir().mkpath(m_file);
}

UnwritableSettings::~UnwritableSettings() {
    QDir(m_file).removeRecursively();
}

QString TestEnvironment::writeTempFile(const QString& name, const QByteArray& content) {
    const QString path = qEnvironmentVariable("TEMP") + QLatin1Char('/') + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}
