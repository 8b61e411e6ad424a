// SPDX-License-Identifier: GPL-3.0-or-later
#include "dictionary/FetchFailure.h"

#include <QUrl>

namespace {

// curl's exit codes that the kinds stand for.
constexpr int kCouldNotResolveProxy = 5;
constexpr int kCouldNotResolveHost = 6;
constexpr int kCouldNotConnect = 7;
constexpr int kPartialFile = 18;
constexpr int kWriteError = 23;
constexpr int kTimedOut = 28;
constexpr int kSecureConnectError = 35;
constexpr int kPeerFailedVerification = 60;
constexpr int kEmptyReply = 52;
constexpr int kSendError = 55;
constexpr int kReceiveError = 56;
constexpr int kCertificateProblem = 58;
constexpr int kFileTooLarge = 63;
constexpr int kCaCertificateBad = 77;

} // namespace

FetchFailure::Kind FetchFailure::kindOfCurlExit(int exitCode) {
    switch (exitCode) {
    case 0:
        return Kind::None;
    case kCouldNotResolveProxy:
    case kCouldNotResolveHost:
    case kCouldNotConnect:
    case kSecureConnectError:
    case kPeerFailedVerification:
    case kCertificateProblem:
    case kCaCertificateBad:
        return Kind::NoConnection;
    case kTimedOut:
        return Kind::TimedOut;
    case kPartialFile:
    case kEmptyReply:
    case kSendError:
    case kReceiveError:
        return Kind::Dropped;
    case kFileTooLarge:
        return Kind::TooLarge;
    case kWriteError:
        return Kind::NotWritten;
    default:
        return Kind::ToolFailed;
    }
}

QString FetchFailure::hostOf(const QString& serviceAddress) {
    const QUrl url(serviceAddress.trimmed());
    if (url.host().isEmpty())
        return serviceAddress.trimmed();
    return url.port() < 0 ? url.host() : QStringLiteral("%1:%2").arg(url.host()).arg(url.port());
}

QString FetchFailure::describe() const {
    const QString service = QStringLiteral("The dictionary service at %1").arg(host);
    switch (kind) {
    case Kind::None:
        return {};
    case Kind::NotSent:
        return QStringLiteral("No request could be sent to the dictionary service at %1.").arg(host);
    case Kind::NoConnection:
        if (curlExit == kCouldNotConnect)
            return service + QStringLiteral(" could not be reached: the connection was refused or failed.");
        if (curlExit == kCouldNotResolveHost || curlExit == kCouldNotResolveProxy)
            return service + QStringLiteral(" could not be reached: its host name was not found.");
        return service + QStringLiteral(" could not be reached: no secure connection could be made (curl error %1).")
                             .arg(curlExit);
    case Kind::TimedOut:
        return service + QStringLiteral(" did not answer within %1 seconds.").arg(QString::number(limitSeconds));
    case Kind::Dropped:
        return service + QStringLiteral(" closed the connection without a complete answer.");
    case Kind::KeyRefused:
        return service + QStringLiteral(" refused the service key (HTTP 403).");
    case Kind::HttpError:
        return service + QStringLiteral(" answered with an error (HTTP %1).").arg(httpStatus);
    case Kind::NotDictionary:
        return service + QStringLiteral(" answered, but not with the dictionary's XML.");
    case Kind::TooLarge:
        return service + QStringLiteral(" answered with more than %1 MB for one word, which is no dictionary answer.")
                             .arg(kMaxAnswerBytes / 1'000'000);
    case Kind::NotWritten:
        return QStringLiteral("The answer of the dictionary service at %1 could not be written into the temporary "
                              "folder %2: the disk is full, or the folder cannot be written.")
            .arg(host, folder);
    case Kind::ToolFailed:
        return QStringLiteral("The request to the dictionary service at %1 failed: curl ended with error %2.")
            .arg(host)
            .arg(curlExit);
    }
    return {};
}
