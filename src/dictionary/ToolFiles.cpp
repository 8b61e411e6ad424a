// SPDX-License-Identifier: GPL-3.0-or-later
#include "dictionary/ToolFiles.h"

#include "common/AppError.h"
#include "common/MessageLoop.h"
#include "dictionary/ProcessIdentity.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <unistd.h>

namespace {

constexpr QFileDevice::Permissions kPrivateFolder =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

QByteArray readWhole(const QString& path, const QString& missingText) {
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        throw AppError::withText(missingText);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw AppError::withText(missingText);
    return bytes;
}

AppError writeError(const QFile& file, const QString& path) {
    if (!QFileInfo(path).absoluteDir().exists())
        return AppError::pathNotFound();
    if (file.error() == QFileDevice::OpenError || file.error() == QFileDevice::PermissionsError)
        return AppError::permissionDenied();
    return {AppError::DeviceIOError, QStringLiteral("Device I/O error")};
}

// The files a run makes in its folder; nothing else is ever removed from a folder left behind.
QStringList runFileNames() {
    return {ToolFiles::kToolName, ToolFiles::kBundleName, ToolFiles::kOutputName, ToolFiles::kOwnerName};
}

// Whether the folder of a run is left behind: its owner, named in the owner file, has ended. Without an owner
// file (the run was ended in the moment between making the folder and writing the file) the id in the name
// is all there is; it is trusted only for a folder untouched for an hour, as it may belong to another
// namespace.
bool abandoned(const QFileInfo& folder, qint64 pidInName) {
    QFile owner(folder.filePath() + QLatin1Char('/') + ToolFiles::kOwnerName);
    if (owner.open(QIODevice::ReadOnly)) {
        const std::optional<ProcessIdentity> identity = ProcessIdentity::parse(owner.read(256));
        return identity && identity->pid == pidInName && identity->state() == ProcessIdentity::State::Ended;
    }
    if (owner.exists())
        return false;
    const bool old = folder.lastModified().secsTo(QDateTime::currentDateTime()) > 3600;
    return old && ProcessIdentity::ofPid(pidInName).startTime.isEmpty();
}

// Removes a left-behind run folder with its files, only when it holds nothing but files a run makes.
bool removeRunFolder(const QString& path) {
    const QDir folder(path);
    const QFileInfoList entries =
        folder.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QFileInfo& entry : entries) {
        if (!runFileNames().contains(entry.fileName()) || !entry.isFile() || entry.isSymLink())
            return false;
    }
    for (const QFileInfo& entry : entries) {
        QFile::setPermissions(entry.filePath(), entry.permissions() | QFileDevice::WriteOwner);
        QFile::remove(entry.filePath());
    }
    return QDir().rmdir(path);
}

} // namespace

ToolFiles::~ToolFiles() {
    DeleteToolFiles();
}

QString ToolFiles::temporaryFolder() {
    const QString temp = qEnvironmentVariable("TEMP");
    return temp.isEmpty() ? QDir::tempPath() : temp;
}

QString ToolFiles::installedCurl() {
    return QStandardPaths::findExecutable(QStringLiteral("curl"));
}

QString ToolFiles::systemCaBundle() {
    const QString bundle = qEnvironmentVariable("PARVENNA_CA_BUNDLE");
    return bundle.isEmpty() ? kDefaultBundle : bundle;
}

void ToolFiles::ExtractToolFiles() {
    // The paths of an earlier run point into a folder that is gone: until this extraction succeeds, none are set.
    m_pathFolder.clear();
    const QString curl = installedCurl();
    if (curl.isEmpty())
        throw AppError::withText(QStringLiteral("curl was not found on this computer. Install curl (for example "
                                                "the package \"curl\") and start splitting again."));
    const QString bundle = systemCaBundle();
    const QByteArray tool = readWhole(curl, QStringLiteral("curl was found at %1 but could not be read.").arg(curl));
    const QByteArray certificates = readWhole(
        bundle, QStringLiteral("The CA certificate bundle was not found or could not be read at %1. Install the "
                               "package \"ca-certificates\" or name a bundle in PARVENNA_CA_BUNDLE.")
                    .arg(bundle));

    DeleteToolFiles();
    // The folder's name and its owner file say which process made it, so that a folder left behind by a
    // process that was killed can be told from one in use (RemoveAbandonedRunFolders).
    QTemporaryDir folder(
        QDir(temporaryFolder()).filePath(kRunFolderPrefix + QString::number(::getpid()) + QStringLiteral("-XXXXXX")));
    if (!folder.isValid())
        throw AppError::withText(
            QStringLiteral("No private folder could be made in the temporary folder %1.").arg(temporaryFolder()));
    folder.setAutoRemove(false);
    m_runFolder = folder.path();
    QFile::setPermissions(m_runFolder, kPrivateFolder);
    WriteBytesToFile(ProcessIdentity::current().record(), m_runFolder + QLatin1Char('/') + kOwnerName);

    const QString toolFile = m_runFolder + QLatin1Char('/') + kToolName;
    WriteBytesToFile(tool, toolFile);
    QFile::setPermissions(toolFile, kPrivateFolder);
    WriteBytesToFile(certificates, m_runFolder + QLatin1Char('/') + kBundleName);
    m_pathFolder = m_runFolder;
}

void ToolFiles::DeleteToolFiles() {
    if (m_runFolder.isEmpty())
        return;
    DeleteFileForced(m_runFolder + QLatin1Char('/') + kToolName);
    DeleteFileForced(m_runFolder + QLatin1Char('/') + kBundleName);
    DeleteFileForced(m_runFolder + QLatin1Char('/') + kOutputName);
    DeleteFileForced(m_runFolder + QLatin1Char('/') + kOwnerName);
    QDir().rmdir(m_runFolder);
    m_runFolder.clear();
}

int ToolFiles::RemoveAbandonedRunFolders() {
    static const QRegularExpression runFolderName(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(kRunFolderPrefix) + QStringLiteral("([0-9]{1,10})-[A-Za-z0-9]{6}")));
    const QFileInfoList candidates =
        QDir(temporaryFolder())
            .entryInfoList({kRunFolderPrefix + QLatin1Char('*')}, QDir::Dirs | QDir::NoSymLinks | QDir::NoDotAndDotDot);
    int removed = 0;
    for (const QFileInfo& folder : candidates) {
        const QRegularExpressionMatch name = runFolderName.match(folder.fileName());
        if (!name.hasMatch() || folder.isSymLink() || folder.ownerId() != ::geteuid())
            continue;
        if (abandoned(folder, name.captured(1).toLongLong()) && removeRunFolder(folder.filePath()))
            ++removed;
    }
    return removed;
}

QString ToolFiles::toolProgram() const {
    return m_pathFolder.isEmpty() ? QString() : m_pathFolder + QLatin1Char('/') + kToolName;
}

QString ToolFiles::toolPath() const {
    return m_pathFolder.isEmpty() ? QString() : QLatin1Char('"') + toolProgram() + QLatin1Char('"');
}

QString ToolFiles::caBundlePath() const {
    return m_pathFolder.isEmpty() ? QString() : m_pathFolder + QLatin1Char('/') + kBundleName;
}

QString ToolFiles::outputPath() const {
    return m_pathFolder.isEmpty() ? QString() : m_pathFolder + QLatin1Char('/') + kOutputName;
}

void WriteBytesToFile(const QByteArray& bytes, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw writeError(file, path);
    if (file.write(bytes) != bytes.size() || !file.flush())
        throw writeError(file, path);
    file.close();
    if (file.error() != QFileDevice::NoError)
        throw writeError(file, path);
}

void DeleteFileForced(const QString& path) {
    MessageLoop::DoEvents();
    if (path.isEmpty() || QFile::remove(path))
        return;
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return;
    QFile::setPermissions(path, info.permissions() | QFileDevice::WriteOwner | QFileDevice::WriteUser);
    QFile::remove(path);
}
