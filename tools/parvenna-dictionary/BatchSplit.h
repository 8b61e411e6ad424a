// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "lexicon/BuiltInDictionary.h"
#include "lists/WordStream.h"
#include "lookup/RunSummary.h"

#include <QString>
#include <QStringList>
#include <cstdio>

// parvenna-dictionary --split: cuts files (or standard input) into words and writes one line a word, UTF-8:
//     word TAB division TAB count TAB source [TAB division with stress marks]
// (division and count empty for a word that is not found). Words are cut as a reader cuts prose, or as the
// window's word-file import cuts them. Input is read in pieces, so any file, pipe or device can be split in
// little memory; a run of letters too long to be a word is passed over. A file that cannot be read is named on
// standard error with the reason and the others are still split; the first failed write ends the run.
class BatchSplit {
public:
    struct Options {
        WordStream::Rules rules = WordStream::Rules::Prose;
        bool stress = false;              // a fifth field: the division with stress marks (ˈba·by)
        bool summary = false;             // the totals on standard error at the end
        bool standardInputClosed = false; // the caller closed it (see main)
    };

    BatchSplit(const BuiltInDictionary& dictionary, std::FILE* out, std::FILE* err, Options options);

    // Splits every file in order ("-" is standard input), standard input when there is none. Returns the process
    // exit code: 0, or 1 when an input could not be read or the output could not be written.
    int run(const QStringList& files);

    qsizetype wordsWritten() const { return m_words; }

private:
    bool splitInput(const QString& path);
    bool splitDescriptor(int fd, const QString& name);
    void splitWord(QStringView word);
    void writeLine(QStringView word, const BuiltInDictionary::Answer& answer);
    bool flush();
    void complain(const QString& name, const QString& reason);

    const BuiltInDictionary& m_dictionary;
    std::FILE* m_out;
    std::FILE* m_err;
    Options m_options;
    QString m_buffer; // UTF-16 until it is written: one conversion per block, not per field
    qsizetype m_words = 0;
    RunSummary m_summary;
    bool m_writeFailed = false;
};
