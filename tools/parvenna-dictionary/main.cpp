// SPDX-License-Identifier: GPL-3.0-or-later
// parvenna-dictionary: the built-in dictionary on the command line.
//     parvenna-dictionary --split [--import-rules] [FILE...]   one line a word: word, division, count, source
//     parvenna-dictionary --port N [--key K] [--data FILE]...   the dictionary as a service on 127.0.0.1
#include "BatchSplit.h"
#include "common/AppError.h"
#include "dictionary/LocalDictionaryService.h"
#include "lexicon/BuiltInDictionary.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

const char* const kDescription =
    "Parvenna's built-in dictionary of syllable divisions (GCIDE with derived forms and estimates).\n\n"
    "--split cuts the files (standard input when none is named, or for \"-\") into words as a reader cuts prose\n"
    "(an apostrophe between letters stays in the word: don't, O'Brien; every other punctuation mark, symbol,\n"
    "space and hyphen separates) and prints one line a word, UTF-8, fields separated by tabs:\n"
    "    word  division  syllable count  source\n"
    "where source is dictionary, derived, estimated, number or \"not found\" (division and count are empty\n"
    "then). The count is the number of syllables spoken (rhythm has two). A run of more than 256 letters is no\n"
    "word and is passed over. --import-rules cuts as Parvenna's word-file import does instead (apostrophes\n"
    "separate too). An input that cannot be read is named on standard error with the reason, and the exit code is\n"
    "then 1; a failed write ends the run with exit code 1.\n\n"
    "--port serves the dictionary as a collegiate dictionary service on 127.0.0.1.";

int split(const QStringList& files, const QStringList& dataFiles, const BatchSplit::Options& options) {
    BuiltInDictionary own;
    const BuiltInDictionary* dictionary = &own;
    QString error;
    try {
        if (dataFiles.isEmpty())
            dictionary = &BuiltInDictionary::shared();
        else if (!own.load(dataFiles, &error, BuiltInDictionary::defaultEstimatorFile(),
                           BuiltInDictionary::defaultStressEstimatorFile()))
            throw AppError::withText(error);
    } catch (const AppError& failure) {
        QTextStream(stderr) << "parvenna-dictionary: " << failure.description() << "\n";
        return 1;
    }
    return BatchSplit(*dictionary, stdout, stderr, options).run(files);
}

int serve(const QCommandLineParser& parser, quint16 port, const QStringList& dataFiles) {
    LocalDictionaryService service;
    LocalDictionaryService::Options options;
    options.port = port;
    options.key = parser.value(QStringLiteral("key"));
    options.dataFiles = dataFiles;
    if (!service.start(options)) {
        QTextStream(stderr) << "parvenna-dictionary: " << service.errorString() << "\n";
        return 1;
    }
    QTextStream out(stdout);
    out << service.address() << " key=" << service.key() << " words=" << service.wordCount() << Qt::endl;
    return QCoreApplication::exec();
}

// Standard input closed by the caller, told before Qt opens descriptors of its own (the first would take its number
// and be read as the input). The number is then held on /dev/null, so that nothing else takes it.
bool standardInputClosed() {
    if (::fcntl(STDIN_FILENO, F_GETFD) != -1 || errno != EBADF)
        return false;
    ::open("/dev/null", O_RDONLY); // takes the lowest free number: 0
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const bool inputClosed = standardInputClosed();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("parvenna-dictionary"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PARVENNA_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromUtf8(kDescription));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption splitOption(QStringLiteral("split"), QStringLiteral("Split the words of FILEs."));
    const QCommandLineOption importRulesOption(
        QStringLiteral("import-rules"),
        QStringLiteral("With --split: cut words as the window's word-file import does (apostrophes separate)."));
    const QCommandLineOption stressOption(
        QStringLiteral("stress"),
        QStringLiteral(
            "With --split: a fifth field, the division with stress marks (\u02C8 primary, \u02CC secondary)."));
    const QCommandLineOption summaryOption(
        QStringLiteral("summary"),
        QStringLiteral(
            "With --split: the totals (words, syllables, a word's average, estimated, not found) on standard "
            "error at the end."));
    const QCommandLineOption portOption(QStringLiteral("port"), QStringLiteral("Serve on this port (0: a free one)."),
                                        QStringLiteral("N"));
    const QCommandLineOption keyOption(QStringLiteral("key"), QStringLiteral("Service key (default: a new one)."),
                                       QStringLiteral("K"));
    const QCommandLineOption dataOption(QStringLiteral("data"),
                                        QStringLiteral("Read this word data instead of the built-in dictionary's "
                                                       "(may be given more than once; later files win)."),
                                        QStringLiteral("FILE"));
    parser.addOptions({splitOption, importRulesOption, stressOption, summaryOption, portOption, keyOption, dataOption});
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Word files for --split."), "[FILE...]");
    // A wrong argument is a usage error (exit status 2), as the manual says; --help and --version exit 0.
    if (!parser.parse(QCoreApplication::arguments())) {
        QTextStream(stderr) << "parvenna-dictionary: " << parser.errorText()
                            << "\nTry 'parvenna-dictionary --help' for more information.\n";
        return 2;
    }
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all")))
        parser.showHelp(0);
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();

    const QStringList dataFiles = parser.values(dataOption);
    if (parser.isSet(splitOption)) {
        BatchSplit::Options options;
        if (parser.isSet(importRulesOption))
            options.rules = WordStream::Rules::Import;
        options.standardInputClosed = inputClosed;
        options.stress = parser.isSet(stressOption);
        options.summary = parser.isSet(summaryOption);
        return split(parser.positionalArguments(), dataFiles, options);
    }
    bool portValid = false;
    const uint port = parser.value(portOption).toUInt(&portValid);
    if (!parser.isSet(portOption) || !portValid || port > 65535) {
        QTextStream(stderr) << "parvenna-dictionary: give --split [FILE...], or --port N with a number from 0 to "
                               "65535 (see --help)\n";
        return 2;
    }
    return serve(parser, static_cast<quint16>(port), dataFiles);
}
