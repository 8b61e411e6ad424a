// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// The curl tool and its certificate bundle, placed for one splitting run in a private run folder (mode 0700)
// made inside the temporary folder: TEMP when set and not empty, else the system's. Two copies of the program
// never share a folder, and nobody else can plant the tool that is run. The run folder goes with its files;
// an owner file in it names the process it belongs to.
class ToolFiles {
public:
    static inline const QString kToolName = QStringLiteral("curl.exe");
    static inline const QString kBundleName = QStringLiteral("curl-ca-bundle.crt");
    static inline const QString kOutputName = QStringLiteral("message.txt");
    static inline const QString kOwnerName = QStringLiteral("owner"); // which process the run folder belongs to
    static inline const QString kRunFolderPrefix = QStringLiteral("parvenna-run-"); // then PID-XXXXXX
    static inline const QString kDefaultBundle = QStringLiteral("/etc/ssl/certs/ca-certificates.crt");

    ToolFiles() = default;
    ~ToolFiles();
    ToolFiles(const ToolFiles&) = delete;
    ToolFiles& operator=(const ToolFiles&) = delete;

    // Makes a new run folder and writes the tool and the bundle into it, then sets the paths. Throws AppError
    // with a description the user can act on when curl or the bundle is missing or a file cannot be written;
    // the paths are then empty until an extraction succeeds.
    void ExtractToolFiles();
    // Deletes the tool, the bundle, the answer file and the owner file, then the run folder. Never reports.
    void DeleteToolFiles();

    // Removes the run folders in the temporary folder that copies of this program left behind when they were
    // killed: folders of this user named like run folders whose owning process has ended, and only when they
    // hold nothing but the files a run makes. Returns how many were removed. Never reports.
    static int RemoveAbandonedRunFolders();

    QString toolPath() const;    // the tool's path in double quotes, as the first token of a command line
    QString toolProgram() const; // the same path unquoted, for starting the program
    QString caBundlePath() const;
    QString outputPath() const; // run folder + "/message.txt"
    QString runFolder() const { return m_runFolder; }

    // The temporary folder the run folders are made in.
    static QString temporaryFolder();
    // The installed curl ($PATH), or the empty text.
    static QString installedCurl();
    // The system's CA bundle: $PARVENNA_CA_BUNDLE when set and not empty, else kDefaultBundle.
    static QString systemCaBundle();

private:
    QString m_runFolder;  // the folder made by the last extraction, until it is deleted
    QString m_pathFolder; // the folder the paths point into: set once the extraction has finished
};

// Makes the file at path hold exactly the given bytes, creating or replacing it. Throws AppError.
void WriteBytesToFile(const QByteArray& bytes, const QString& path);
// Deletes one file, read-only or not, after one pass of the message loop. A missing file or any failure is
// ignored.
void DeleteFileForced(const QString& path);
