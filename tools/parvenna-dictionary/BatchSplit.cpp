// SPDX-License-Identifier: GPL-3.0-or-later
#include "BatchSplit.h"

#include "lexicon/BuiltInDictionary.h"
#include "lexicon/Division.h"
#include "lists/WordTokenizer.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace {

constexpr qsizetype kFlushAt = 1 << 16;

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

} // namespace

BatchSplit::BatchSplit(const BuiltInDictionary& dictionary, std::FILE* out, std::FILE* err)
    : m_dictionary(dictionary), m_out(out), m_err(err) {}

int BatchSplit::run(const QStringList& files) {
    bool allRead = true;
    if (files.isEmpty()) {
        QFile input;
        if (!input.open(stdin, QIODevice::ReadOnly)) {
            std::fprintf(m_err, "parvenna-dictionary: standard input cannot be read\n");
            return 1;
        }
        splitBytes(input.readAll());
    }
    for (const QString& path : files)
        allRead = splitFile(path) && allRead;
    return flush() && allRead ? 0 : 1;
}

bool BatchSplit::splitFile(const QString& path) {
    QFile file(path);
    const QFileInfo info(path);
    // A folder, or a pipe or device that would never end, is refused before it is opened.
    const bool plain = info.isFile() || path == QLatin1String("/dev/stdin");
    if (!plain || !file.open(QIODevice::ReadOnly)) {
        const QString why = !info.exists() ? QStringLiteral("no such file")
                            : !plain       ? QStringLiteral("not a regular file")
                                           : file.errorString();
        std::fprintf(m_err, "parvenna-dictionary: %s: %s\n", qPrintable(path), qPrintable(why));
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        std::fprintf(m_err, "parvenna-dictionary: %s: %s\n", qPrintable(path), qPrintable(file.errorString()));
        return false;
    }
    splitBytes(bytes);
    return true;
}

void BatchSplit::splitBytes(const QByteArray& bytes) {
    // The words stay in the block's pool: each is looked up and written as a view, never copied out.
    const WordBlock words = WordTokenizer::wordBlockOfFile(bytes);
    m_buffer.reserve(kFlushAt + kFlushAt / 4);
    for (const TextSpan& span : words.spans) {
        const QStringView word = QStringView(words.pool).mid(span.offset, span.length);
        writeLine(word, m_dictionary.lookUp(word));
        ++m_words;
        if (m_buffer.size() >= kFlushAt)
            flush();
    }
}

// word TAB split text TAB count TAB source, written straight into the buffer.
void BatchSplit::writeLine(QStringView word, const BuiltInDictionary::Answer& answer) {
    static const QStringView sources[] = {u"dictionary\n", u"derived\n", u"estimated\n", u"not found\n"};
    const QStringView source = sources[int(answer.source)];
    const qsizetype at = m_buffer.size();
    m_buffer.resize(at + word.size() + answer.division.size() + source.size() + 16);
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
}

bool BatchSplit::flush() {
    const QByteArray bytes = m_buffer.toUtf8();
    if (!bytes.isEmpty() && std::fwrite(bytes.constData(), 1, bytes.size(), m_out) != size_t(bytes.size()))
        m_writeFailed = true;
    m_buffer.truncate(0);
    if (std::fflush(m_out) != 0)
        m_writeFailed = true;
    if (m_writeFailed)
        std::fprintf(m_err, "parvenna-dictionary: the output could not be written\n");
    return !m_writeFailed;
}
