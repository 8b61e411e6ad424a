// SPDX-License-Identifier: GPL-3.0-or-later
#include "BatchSplit.h"

#include "lexicon/BuiltInDictionary.h"
#include "lexicon/Division.h"
#include "lists/WordTokenizer.h"

#include <QFile>
#include <QFileInfo>

namespace {

constexpr qsizetype kFlushAt = 1 << 16;

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
    static const QString sources[] = {QStringLiteral("dictionary\n"), QStringLiteral("derived\n"),
                                      QStringLiteral("estimated\n"), QStringLiteral("not found\n")};
    // The words stay in the block's pool: each is looked up and written as a view, never copied out.
    const WordBlock words = WordTokenizer::wordBlockOfFile(bytes);
    for (const TextSpan& span : words.spans) {
        const QStringView word = QStringView(words.pool).mid(span.offset, span.length);
        const BuiltInDictionary::Answer answer = m_dictionary.lookUp(word);
        m_buffer += word;
        m_buffer += QLatin1Char('\t');
        if (answer.found()) {
            const qsizetype start = m_buffer.size();
            m_buffer += answer.division;
            for (qsizetype i = start; i < m_buffer.size(); ++i) {
                if (m_buffer[i] == Division::kMark || m_buffer[i] == QLatin1Char(' '))
                    m_buffer[i] = Division::kMiddleDot;
            }
            const int count = Division::countSyllables(QStringView(m_buffer).mid(start));
            m_buffer += QLatin1Char('\t');
            m_buffer += QString::number(count);
        } else {
            m_buffer += QLatin1Char('\t');
        }
        m_buffer += QLatin1Char('\t');
        m_buffer += sources[int(answer.source)];
        ++m_words;
        if (m_buffer.size() >= kFlushAt)
            flush();
    }
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
