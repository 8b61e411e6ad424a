// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Why a dictionary fetch brought no answer from the service. Such a fetch says nothing about the word: the
// service is down, hanging, refusing the key or answering something else than the dictionary.
struct FetchFailure {
    enum class Kind {
        None,          // the dictionary's XML answer arrived
        NotSent,       // no request left this computer: no request address could be made, or no tool to send it
        NoConnection,  // no connection to the service (refused, unknown host, no secure connection)
        TimedOut,      // no complete answer within the time limit
        Dropped,       // the connection closed or broke off before a complete answer
        KeyRefused,    // HTTP 403: the service refused the key
        HttpError,     // any other HTTP status than 200
        NotDictionary, // HTTP 200, but not the dictionary's XML
        TooLarge,      // an answer larger than any dictionary answer (kMaxAnswerBytes)
        NotWritten,    // the answer could not be written into the temporary folder (full, or not writable)
        ToolFailed,    // curl ended with another error
    };

    // The largest answer taken from a service: a dictionary answer is a few kilobytes.
    static constexpr qint64 kMaxAnswerBytes = 5'000'000;

    Kind kind = Kind::None;
    QString host;            // host[:port] of the service
    int curlExit = 0;        // curl's exit code, when it tells the kind
    int httpStatus = 0;      // the answer's HTTP status, when one arrived
    double limitSeconds = 0; // the time limit that ran out
    QString folder;          // the temporary folder the answer was to be written into

    bool failed() const { return kind != Kind::None; }

    // The kind of failure curl's exit code stands for (not 0).
    static Kind kindOfCurlExit(int exitCode);
    // host[:port] of a service address such as "https://dictionary.example:8443".
    static QString hostOf(const QString& serviceAddress);

    // One sentence for the user: what happened, and with which host.
    QString describe() const;
};
