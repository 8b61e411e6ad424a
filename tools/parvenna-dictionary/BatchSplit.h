// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "lexicon/BuiltInDictionary.h"

#include <QByteArray>
#include <QStringList>
#include <cstdio>

// parvenna-dictionary --split: cuts files (or standard input) into words as the word-file import does and
// writes one line a word, UTF-8:  word TAB division TAB count TAB source  (division and count empty for a word
// that is not found). Reports files that cannot be read on standard error and goes on with the next.
class BatchSplit {
public:
    BatchSplit(const BuiltInDictionary& dictionary, std::FILE* out, std::FILE* err);

    // Splits every file in order, standard input when there is none. Returns the process exit code: 0, or 1
    // when a file could not be read or the output could not be written.
    int run(const QStringList& files);

    qsizetype wordsWritten() const { return m_words; }

private:
    bool splitFile(const QString& path);
    void splitBytes(const QByteArray& bytes);
    void writeLine(QStringView word, const BuiltInDictionary::Answer& answer);
    bool flush();

    const BuiltInDictionary& m_dictionary;
    std::FILE* m_out;
    std::FILE* m_err;
    QString m_buffer; // UTF-16 until it is written: one conversion per block, not per field
    qsizetype m_words = 0;
    bool m_writeFailed = false;
};
