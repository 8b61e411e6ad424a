// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <sys/types.h>

// A file that replaces its target whole or not at all. The bytes go to a new file beside the target (hidden,
// with the target's permissions when it exists); every write is checked, and only once all of them are on
// the disk does the new file take the target's name. A failure leaves the target exactly as it was and
// removes the new file. A target that is a symbolic link is replaced where the link points.
//
// Failures throw AppError: "Disk full" when the disk has no room, "Device I/O error" for any other failed
// write, sync or close; for the creation "Path not found" or "Permission denied".
class AtomicFile {
public:
    // The system calls the bytes go through; tests replace one to make it fail.
    struct SystemCalls {
        std::function<ssize_t(int fd, const void* data, size_t size)> write;
        std::function<int(int fd)> fsync;
        std::function<int(const char* from, const char* to)> rename;
        static SystemCalls real();
    };

    explicit AtomicFile(const QString& path, SystemCalls calls = SystemCalls::real());
    ~AtomicFile(); // a file never committed is removed
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    void open();
    void write(const QByteArray& bytes);
    // Every byte written so far is on the disk.
    void sync();
    // Syncs what is not synced yet, then the new file takes the target's name.
    void commit();
    // Removes the new file; the target stays as it was.
    void cancel();

    bool isOpen() const { return m_fd >= 0; }
    // The new file's path while it is open (for tests and messages).
    const QString& temporaryPath() const { return m_temporary; }

private:
    void fail(int error);
    void createTemporary();

    QString m_target;
    QString m_temporary;
    SystemCalls m_calls;
    int m_fd = -1;
    bool m_synced = false;
};
