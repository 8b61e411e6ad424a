// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/AtomicFile.h"

#include "common/AppError.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kDiskFull = 61;
constexpr int kNameAttempts = 100;

AppError errorFor(int error) {
    switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return {kDiskFull, QStringLiteral("Disk full")};
    case ENOENT:
    case ENOTDIR:
        return AppError::pathNotFound();
    case EACCES:
    case EPERM:
    case EROFS:
        return AppError::permissionDenied();
    default:
        return {AppError::DeviceIOError, QStringLiteral("Device I/O error")};
    }
}

// The folder of the target, opened only to make the rename itself durable.
void syncFolder(const QString& target) {
    const int folder =
        ::open(QFile::encodeName(QFileInfo(target).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return;
    ::fsync(folder); // the file is in place already; a folder that cannot be synced changes nothing
    ::close(folder);
}

} // namespace

AtomicFile::SystemCalls AtomicFile::SystemCalls::real() {
    return {[](int fd, const void* data, size_t size) { return ::write(fd, data, size); },
            [](int fd) { return ::fsync(fd); }, [](const char* from, const char* to) { return std::rename(from, to); }};
}

AtomicFile::AtomicFile(const QString& path, SystemCalls calls) : m_target(path), m_calls(std::move(calls)) {
    const QFileInfo info(path);
    if (info.isSymLink())
        m_target = info.symLinkTarget();
}

AtomicFile::~AtomicFile() {
    cancel();
}

void AtomicFile::open() {
    cancel();
    createTemporary();
    // The replacement keeps the permissions of the file it replaces.
    struct stat existing {};
    if (::stat(QFile::encodeName(m_target).constData(), &existing) == 0 && S_ISREG(existing.st_mode))
        ::fchmod(m_fd, existing.st_mode & 07777);
    m_synced = false;
}

// A hidden name beside the target; created anew (never an existing file), with the usual permissions.
void AtomicFile::createTemporary() {
    const QFileInfo target(m_target);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const QString name = QStringLiteral(".%1.%2")
                                 .arg(target.fileName())
                                 .arg(QRandomGenerator::global()->generate() & 0xFFFFFF, 6, 16, QLatin1Char('0'));
        const QString path = target.absolutePath() + QLatin1Char('/') + name;
        const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            m_fd = fd;
            m_temporary = path;
            return;
        }
        if (errno != EEXIST)
            throw errorFor(errno);
    }
    throw errorFor(EEXIST);
}

void AtomicFile::write(const QByteArray& bytes) {
    if (m_fd < 0)
        throw errorFor(EBADF);
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = m_calls.write(m_fd, data, static_cast<size_t>(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            fail(written < 0 ? errno : EIO);
        data += written;
        left -= written;
    }
    m_synced = false;
}

void AtomicFile::sync() {
    if (m_fd < 0)
        throw errorFor(EBADF);
    if (m_calls.fsync(m_fd) != 0)
        fail(errno);
    m_synced = true;
}

void AtomicFile::commit() {
    if (!m_synced)
        sync();
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0)
        fail(errno);
    if (m_calls.rename(QFile::encodeName(m_temporary).constData(), QFile::encodeName(m_target).constData()) != 0)
        fail(errno);
    m_temporary.clear();
    syncFolder(m_target);
}

void AtomicFile::cancel() {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_temporary.isEmpty())
        ::unlink(QFile::encodeName(m_temporary).constData());
    m_temporary.clear();
}

// Removes the new file and throws the failure; errno is read before anything else can change it.
void AtomicFile::fail(int error) {
    const AppError failure = errorFor(error);
    cancel();
    throw failure;
}
