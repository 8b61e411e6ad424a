// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dictionary/ChildProcess.h"
#include "dictionary/DictionaryEndpoint.h"
#include "dictionary/FetchFailure.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

class Clock;
class MessageSink;
class ProgressBar;
class ToolFiles;

// Fetches the dictionary's XML answer for one word: curl writes the answer to the run folder's answer file,
// the file is read back and deleted. Each numbered step that fails is reported as "CurlFunctions.ReadCurl"
// and the fetch goes on with its next step.
class CurlFunctions {
public:
    static inline const QString kLocation = QStringLiteral("CurlFunctions.ReadCurl");
    static inline const QString kServicePath = QStringLiteral("/api/v1/references/collegiate/xml/");
    static inline const QString kCouldNotConnect = QStringLiteral("Could not connect");
    static inline const QString kEmptyFile = QStringLiteral("empty file");
    static inline const QString kDictionaryMark = QStringLiteral("<entry_list");
    static constexpr int kRunLimit = 6;

    // What one fetch brought: the text ReadCurl returns, and why the service gave no dictionary answer.
    struct Fetch {
        QString text;
        FetchFailure failure;
    };

    // stop() returning true (the window is closing) ends a running curl, a pause and further runs at once.
    // Each run of curl may take attemptLimitMs, one word twice that in all (runs and pauses); only tests
    // shorten it.
    CurlFunctions(MessageSink& sink, Clock& clock, ProgressBar* progress, std::function<bool()> stop = {},
                  int attemptLimitMs = ChildProcess::kTimeLimitMs);

    // The answer file's text as ReadWholeFile reads it, or "Could not connect" when no answer file appeared
    // after six runs of curl, each followed by a 1-second pause. The runs end early after a time-out, and when
    // the word's time is used up.
    QString ReadCurl(const QString& word, const ToolFiles& tools, const DictionaryEndpoint& endpoint);
    // ReadCurl's text, and the failure when the fetch got no answer from the service: nothing sent, no
    // connection, time-out, a dropped connection, an HTTP status other than 200, an answer without "<entry_list",
    // an answer larger than FetchFailure::kMaxAnswerBytes (not read; its file is removed), or an answer that could
    // not be written. A fetch that stop() ended is no failure.
    Fetch FetchAnswer(const QString& word, const ToolFiles& tools, const DictionaryEndpoint& endpoint);

    // Returns after the given seconds, or earlier once stop() returns true. Waits on a timer in a local event
    // loop, so the window stays alive and the processor idle.
    void WaitSeconds(double seconds);

    // Missing: the empty text. Length 0: "empty file". First byte FF or FE: UTF-16 little-endian (a byte-order
    // mark stays as the first character, an odd last byte is dropped). Otherwise UTF-8 when valid, else
    // Windows-1252. Throws AppError when the file exists but cannot be read.
    static QString ReadWholeFile(const QString& path);

    // The request address: service address, service path, the word and the key (both trimmed of spaces and
    // percent-encoded). Throws AppError for an address that is not http(s)://host, and for a key that would
    // travel over plain http to a host outside this computer.
    static QString RequestAddress(const QString& serviceAddress, const QString& word, const QString& key);

    // localhost or an address in 127.0.0.0/8 (or ::1): the only hosts a key may reach over plain http.
    static bool IsLoopbackHost(const QString& host);

    // curl's arguments for one request: --disable (the user's .curlrc is not read), -X GET, the request read from
    // standard input (--config -), the answer file, the CA bundle, the HTTP status written on standard output, a
    // time limit that matches the one the child is given and the largest answer taken. The address is not among them:
    // it holds the key, and every user of the computer can read a process's arguments.
    static QStringList CurlArguments(const QString& outputPath, const QString& bundlePath,
                                     int timeLimitMs = ChildProcess::kTimeLimitMs);
    // What curl reads on its standard input: the request address as curl's configuration, quoted and escaped.
    static QByteArray CurlConfig(const QString& address);

    // How many times curl ran in the last ReadCurl.
    int lastRunCount() const { return m_runs; }

private:
    // What the last run of curl told.
    struct Run {
        qint32 exitCode = 0;
        QByteArray statusText; // "200", "000" when no answer came
        bool timedOut = false;
        int limitMs = 0; // the time the run was given
    };
    bool stopped() const { return m_stop && m_stop(); }
    Run runCurl(const ToolFiles& tools, const QStringList& arguments, const QByteArray& config, int limitMs);
    FetchFailure failureOf(const Run& run, bool answered, const QString& text, const QString& host) const;

    MessageSink& m_sink;
    Clock& m_clock;
    ProgressBar* m_progress;
    std::function<bool()> m_stop;
    int m_attemptLimitMs;
    int m_runs = 0;
};
