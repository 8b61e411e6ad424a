// SPDX-License-Identifier: GPL-3.0-or-later
#include "BatchSplit.h"

#include "lexicon/BuiltInDictionary.h"
#include "lexicon/Division.h"

#include <QByteArray>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qsizetype kFlushAt = 1 << 16;
constexpr qsizetype kReadSize = 1 << 20;

QChar* writeNumber(int number, QChar* out) {
    char digits[12];
    int length = 0;
    do {
        digits[length++] = char('0' + number % 10);
        number /= 10;
    } while (number > 0);
    while (length > 0)
        *out++ = QLatin1Char(digits[--length]);
    return out;
}

QString reasonOf(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

BatchSplit::BatchSplit(const BuiltInDictionary& dictionary, std::FILE* out, std::FILE* err, Options options)
    : m_dictionary(dictionary), m_out(out), m_err(err), m_options(options) {
    m_buffer.reserve(kFlushAt + kFlushAt / 4);
}

int BatchSplit::run(const QStringList& files) {
    bool allRead = true;
    for (const QString& path : files.isEmpty() ? QStringList{QStringLiteral("-")} : files) {
        allRead = splitInput(path) && allRead;
        if (m_writeFailed)
            break;
    }
    const bool written = flush();
    if (m_options.summary) {
        std::fprintf(m_err, "%s\n", m_summary.text().toUtf8().constData());
        std::fflush(m_err);
    }
    return written && allRead ? 0 : 1;
}

// One input: a file, pipe or device by its name, "-" for standard input. A folder is refused.
bool BatchSplit::splitInput(const QString& path) {
    if (path == QLatin1String("-")) {
        if (m_options.standardInputClosed) {
            complain(QStringLiteral("standard input"), reasonOf(EBADF));
            return false;
        }
        return splitDescriptor(STDIN_FILENO, QStringLiteral("standard input"));
    }
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        complain(path, reasonOf(errno));
        return false;
    }
    const bool read = splitDescriptor(fd, path);
    ::close(fd);
    return read;
}

bool BatchSplit::splitDescriptor(int fd, const QString& name) {
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        complain(name, reasonOf(errno));
        return false;
    }
    if (S_ISDIR(status.st_mode)) {
        complain(name, reasonOf(EISDIR));
        return false;
    }
    WordStream stream(m_options.rules, [this](QStringView word) { splitWord(word); });
    QByteArray piece(kReadSize, Qt::Uninitialized);
    while (!m_writeFailed) {
        const ssize_t got = ::read(fd, piece.data(), size_t(piece.size()));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int error = errno;
            stream.finish();
            complain(name, reasonOf(error));
            return false;
        }
        if (got == 0)
            break;
        stream.feed(QByteArrayView(piece.constData(), got));
    }
    stream.finish();
    return true;
}

void BatchSplit::splitWord(QStringView word) {
    if (m_writeFailed)
        return;
    const BuiltInDictionary::Answer answer = m_dictionary.lookUp(word, false, m_options.stress);
    writeLine(word, answer);
    ++m_words;
    if (m_options.summary)
        m_summary.add(answer.found(), answer.source == BuiltInDictionary::Source::Estimated, answer.syllables());
    if (m_buffer.size() >= kFlushAt)
        flush();
}

// word TAB split text TAB count TAB source, written straight into the buffer.
void BatchSplit::writeLine(QStringView word, const BuiltInDictionary::Answer& answer) {
    const QString source = BuiltInDictionary::sourceName(answer.source);
    const qsizetype at = m_buffer.size();
    m_buffer.resize(at + word.size() + answer.division.size() + source.size() + 17);
    QChar* const begin = m_buffer.data() + at;
    QChar* out = std::copy(word.begin(), word.end(), begin);
    *out++ = QLatin1Char('\t');
    if (answer.found()) {
        QChar* const split = out;
        for (const QChar c : answer.division)
            *out++ = c == Division::kMark || c == QLatin1Char(' ') ? Division::kMiddleDot : c;
        const int count = Division::countSyllables(QStringView(split, out));
        *out++ = QLatin1Char('\t');
        out = writeNumber(count, out);
    } else {
        *out++ = QLatin1Char('\t');
    }
    *out++ = QLatin1Char('\t');
    out = std::copy(source.begin(), source.end(), out);
    m_buffer.truncate(at + (out - begin));
    if (m_options.stress)
        m_buffer += QLatin1Char('\t') + (answer.found() ? answer.stressedText() : QString());
    m_buffer += QLatin1Char('\n');
}

// Writes what is buffered; the first failure is told once, with its reason, and ends the run.
bool BatchSplit::flush() {
    if (m_writeFailed)
        return false;
    const QByteArray bytes = m_buffer.toUtf8();
    m_buffer.truncate(0);
    errno = 0;
    const bool written =
        (bytes.isEmpty() || std::fwrite(bytes.constData(), 1, size_t(bytes.size()), m_out) == size_t(bytes.size())) &&
        std::fflush(m_out) == 0;
    if (!written) {
        m_writeFailed = true;
        complain(QStringLiteral("the output"), errno != 0 ? reasonOf(errno) : QStringLiteral("could not be written"));
    }
    return written;
}

void BatchSplit::complain(const QString& name, const QString& reason) {
    std::fprintf(m_err, "parvenna-dictionary: %s: %s\n", qPrintable(name), qPrintable(reason));
    std::fflush(m_err);
}
