#include "dictionary/ToolFiles.h"

#include "common/AppError.h"
#include "common/MessageLoop.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

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
    QTemporaryDir folder(QDir(temporaryFolder()).filePath(QStringLiteral("parvenna-XXXXXX")));
    if (!folder.isValid())
        throw AppError::withText(
            QStringLiteral("No private folder could be made in the temporary folder %1.").arg(temporaryFolder()));
    folder.setAutoRemove(false);
    m_runFolder = folder.path();
    QFile::setPermissions(m_runFolder, kPrivateFolder);

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
    QDir().rmdir(m_runFolder);
    m_runFolder.clear();
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
