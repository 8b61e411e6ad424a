// SPDX-License-Identifier: GPL-3.0-or-later
#include "dictionary/CurlFunctions.h"

#include "common/AppError.h"
#include "common/FileSystem.h"
#include "common/StepTrap.h"
#include "common/TextCodec.h"
#include "common/Trim.h"
#include "dictionary/ChildProcess.h"
#include "dictionary/ToolFiles.h"
#include "ui/Platform.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QTimer>
#include <QUrl>
#include <utility>

namespace {

constexpr double kSecondsPerDay = 86400.0;
constexpr int kWaitSliceMs = 50;

// Every byte but letters, digits, "-", "_" and "~" is encoded; dots too, so that a word like ".." stays a word
// and is never taken for a path step.
QString encodePart(const QString& text) {
    return QString::fromLatin1(QUrl::toPercentEncoding(text, QByteArray(), QByteArrayLiteral(".")));
}

// Overwrites the text's characters before it is emptied, so the key does not linger in freed memory.
void wipe(QString& text) {
    text.fill(QLatin1Char('\0'));
    text.clear();
    text.squeeze();
}

} // namespace

CurlFunctions::CurlFunctions(MessageSink& sink, Clock& clock, ProgressBar* progress, std::function<bool()> stop,
                             int attemptLimitMs)
    : m_sink(sink), m_clock(clock), m_progress(progress), m_stop(std::move(stop)),
      m_attemptLimitMs(std::max(1, attemptLimitMs)) {}

bool CurlFunctions::IsLoopbackHost(const QString& host) {
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        return true;
    const QHostAddress address(host);
    return !address.isNull() && address.isLoopback();
}

QString CurlFunctions::RequestAddress(const QString& serviceAddress, const QString& word, const QString& key) {
    QString base = serviceAddress.trimmed();
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    const QUrl url(base, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (base.isEmpty() || !url.isValid() || url.host().isEmpty() ||
        (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
        throw AppError::withText(
            QStringLiteral("The dictionary service address \"%1\" is not of the form https://host.").arg(base));
    if (scheme == QLatin1String("http") && !IsLoopbackHost(url.host()) && !key.isEmpty())
        throw AppError::withText(
            QStringLiteral("The service key is sent to %1 only over https, not over plain http.").arg(url.host()));
    return base + kServicePath + encodePart(TrimSpaces(word)) + QStringLiteral("?key=") + encodePart(TrimSpaces(key));
}

QStringList CurlFunctions::CurlArguments(const QString& outputPath, const QString& bundlePath, int timeLimitMs) {
    // "--disable" must come first: curl then leaves the user's own .curlrc aside, which could otherwise add
    // headers to the answer file, follow or divert the request, or keep the file from being written.
    return QStringList{QStringLiteral("--disable")} + QStringList{QStringLiteral("-X"),
                                                                  QStringLiteral("GET"),
                                                                  QStringLiteral("--config"),
                                                                  QStringLiteral("-"),
                                                                  QStringLiteral("--output"),
                                                                  outputPath,
                                                                  QStringLiteral("--cacert"),
                                                                  bundlePath,
                                                                  QStringLiteral("--write-out"),
                                                                  QStringLiteral("%{http_code}"),
                                                                  QStringLiteral("--max-time"),
                                                                  QString::number(timeLimitMs / 1000.0),
                                                                  QStringLiteral("--max-filesize"),
                                                                  QString::number(FetchFailure::kMaxAnswerBytes)};
}

QByteArray CurlFunctions::CurlConfig(const QString& address) {
    // A quoted value in curl's configuration: backslash escapes, so no character can end the value or the line.
    QByteArray quoted;
    for (const char c : address.toUtf8()) {
        switch (c) {
        case '\\':
        case '"':
            quoted += '\\';
            quoted += c;
            break;
        case '\n':
            quoted += "\\n";
            break;
        case '\r':
            quoted += "\\r";
            break;
        case '\t':
            quoted += "\\t";
            break;
        default:
            quoted += c;
        }
    }
    return "url = \"" + quoted + "\"\n";
}

QString CurlFunctions::ReadCurl(const QString& word, const ToolFiles& tools, const DictionaryEndpoint& endpoint) {
    return FetchAnswer(word, tools, endpoint).text;
}

CurlFunctions::Fetch CurlFunctions::FetchAnswer(const QString& word, const ToolFiles& tools,
                                                const DictionaryEndpoint& endpoint) {
    StepTrap trap{m_sink, kLocation};
    const QString output = tools.outputPath();
    QString key;
    QString address;
    QStringList arguments;
    QByteArray config;
    int attempts = 0;
    int limit = 0;
    QString result;
    m_runs = 0;

    trap.step(100, [&] { DeleteFileForced(output); });
    trap.step(102, [&] { key.clear(); });
    trap.step(104, [&] { key = endpoint.assembleKey ? endpoint.assembleKey() : QString(); });
    trap.step(106, [&] { key = TrimSpaces(key); });
    trap.step(108, [&] { address = RequestAddress(endpoint.address, word, key); });
    trap.step(110, [&] { wipe(key); });
    wipe(key); // also when an earlier step failed
    trap.step(112, [&] {
        arguments = CurlArguments(output, tools.caBundlePath(), m_attemptLimitMs);
        config = CurlConfig(address);
    });
    trap.step(114, [&] { attempts = 0; });
    trap.step(116, [&] { limit = kRunLimit; });

    // Without an address or a tool there is nothing that could ever write the answer: no runs, no pauses.
    const bool runnable =
        !address.isEmpty() && !config.isEmpty() && !output.isEmpty() && FileSystem::FileExists(tools.toolProgram());
    // One word may take two runs' time in all, pauses included: a hanging service costs a minute, not six.
    const qint64 wordLimitMs = 2 * qint64(m_attemptLimitMs);
    QElapsedTimer wordTime;
    wordTime.start();
    Run run;
    while (runnable && !stopped()) {
        trap.step(118, [&] {
            ++m_runs;
            run = runCurl(tools, arguments, config,
                          int(std::min<qint64>(m_attemptLimitMs, wordLimitMs - wordTime.elapsed())));
        });
        if (run.timedOut || FetchFailure::kindOfCurlExit(run.exitCode) == FetchFailure::Kind::TooLarge)
            break; // a service that let one run time out (or announced a huge answer) does so again
        if (trap.test(120, [&] { return !FileSystem::FileExists(output); })) {
            trap.step(122, [&] { WaitSeconds(1); });
            trap.step(124, [&] { ++attempts; });
        }
        if (stopped() || !trap.test(126, [&] { return !FileSystem::FileExists(output) && attempts < limit; }))
            break;
        if (wordTime.elapsed() >= wordLimitMs)
            break; // the word's time is used up: its last run tells what went wrong
    }
    const bool answered = FileSystem::FileExists(output);
    // An answer larger than any dictionary answer is not read: it is no answer, and it could fill the memory.
    const bool tooLarge = answered && QFileInfo(output).size() > FetchFailure::kMaxAnswerBytes;
    if (trap.test(128, [&] { return FileSystem::FileExists(output); })) {
        QString text;
        if (!tooLarge) {
            trap.step(130, [&] { text = ReadWholeFile(output); });
            trap.step(132, [&] { result = text; });
        }
        trap.step(134, [&] { DeleteFileForced(output); });
    } else {
        trap.step(136, [&] { result = kCouldNotConnect; });
    }
    FetchFailure failure = failureOf(run, answered, result, FetchFailure::hostOf(endpoint.address));
    if (tooLarge && !stopped())
        failure.kind = FetchFailure::Kind::TooLarge;
    return {result, failure};
}

CurlFunctions::Run CurlFunctions::runCurl(const ToolFiles& tools, const QStringList& arguments,
                                          const QByteArray& config, int limitMs) {
    Run run;
    QElapsedTimer time;
    time.start();
    std::optional<int> hidden = 0;
    // curl may not write a larger answer than the bound (one byte more tells that it was larger), whatever length
    // the service announces or leaves unannounced.
    run.exitCode = ChildProcess::RunAndWait(tools.toolProgram(), arguments, hidden, m_progress, m_stop, limitMs, config,
                                            &run.statusText, FetchFailure::kMaxAnswerBytes + 1);
    // curl's own limit ends it with its time-out code; when it does not end by itself, the child's limit ends it.
    run.timedOut = FetchFailure::kindOfCurlExit(run.exitCode) == FetchFailure::Kind::TimedOut ||
                   (run.exitCode == -1 && !stopped() && time.elapsed() >= limitMs);
    run.limitMs = limitMs;
    return run;
}

FetchFailure CurlFunctions::failureOf(const Run& run, bool answered, const QString& text, const QString& host) const {
    FetchFailure failure;
    failure.host = host;
    failure.curlExit = run.exitCode;
    failure.httpStatus = run.statusText.trimmed().toInt();
    failure.folder = ToolFiles::temporaryFolder();
    // A fetch that the window's closing stopped is no failure of the service: the run ends with the window, and
    // the request that went out counts as a lookup made.
    if (stopped())
        return failure;
    if (m_runs == 0)
        failure.kind = FetchFailure::Kind::NotSent;
    else if (run.timedOut) {
        failure.kind = FetchFailure::Kind::TimedOut;
        failure.limitSeconds = run.limitMs / 1000.0;
    } else if (run.exitCode != 0)
        failure.kind = run.exitCode > 0 ? FetchFailure::kindOfCurlExit(run.exitCode) : FetchFailure::Kind::ToolFailed;
    else if (failure.httpStatus == 403)
        failure.kind = FetchFailure::Kind::KeyRefused;
    else if (failure.httpStatus != 200)
        failure.kind = FetchFailure::Kind::HttpError;
    else if (!answered || !text.contains(kDictionaryMark, Qt::CaseInsensitive))
        failure.kind = FetchFailure::Kind::NotDictionary;
    return failure;
}

void CurlFunctions::WaitSeconds(double seconds) {
    if (!(seconds > 0.0) || stopped())
        return;
    seconds = std::min(seconds, kSecondsPerDay);
    const double start = m_clock.secondsSinceMidnight();
    const QDeadlineTimer deadline(static_cast<qint64>(seconds * 1000.0));
    // The time of day wraps at midnight: a reading below the start means the day has turned.
    const auto clockElapsed = [&] {
        const double now = m_clock.secondsSinceMidnight();
        return now >= start ? now - start : now + kSecondsPerDay - start;
    };
    QEventLoop loop;
    QTimer slice;
    QObject::connect(&slice, &QTimer::timeout, &loop, [&] {
        if (deadline.hasExpired() || clockElapsed() >= seconds || stopped())
            loop.quit();
        else
            slice.start(static_cast<int>(std::min<qint64>(deadline.remainingTime(), kWaitSliceMs)));
    });
    slice.setSingleShot(true);
    slice.start(static_cast<int>(std::min<qint64>(deadline.remainingTime(), kWaitSliceMs)));
    loop.exec();
}

QString CurlFunctions::ReadWholeFile(const QString& path) {
    if (!FileSystem::FileExists(path))
        return {};
    QFile file(path);
    if (file.size() <= 0 && QFileInfo(path).isFile())
        return kEmptyFile;
    if (!file.open(QIODevice::ReadOnly))
        throw AppError{AppError::PathFileAccessError, QStringLiteral("Path/File access error")};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw AppError{AppError::DeviceIOError, QStringLiteral("Device I/O error")};
    if (bytes.isEmpty())
        return kEmptyFile;
    const auto first = static_cast<unsigned char>(bytes.front());
    if (first == 0xFF || first == 0xFE)
        return TextCodec::fromUtf16Le(bytes);
    return TextCodec::decodeText(bytes);
}
