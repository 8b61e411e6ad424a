// parvenna-dictionary: the local dictionary service on its own, for benchmarks and manual runs.
//     parvenna-dictionary --port N [--key K] [--data FILE]
#include "dictionary/LocalDictionaryService.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("parvenna-dictionary"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PARVENNA_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Serves the Parvenna word data as a dictionary service on "
                                                    "127.0.0.1."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption portOption(QStringLiteral("port"), QStringLiteral("Port to listen on (0: a free one)."),
                                        QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption keyOption(QStringLiteral("key"), QStringLiteral("Service key (default: a new one)."),
                                       QStringLiteral("K"));
    const QCommandLineOption dataOption(QStringLiteral("data"), QStringLiteral("Word data file."),
                                        QStringLiteral("FILE"));
    parser.addOptions({portOption, keyOption, dataOption});
    parser.process(app);

    QTextStream err(stderr);
    bool portValid = false;
    const uint port = parser.value(portOption).toUInt(&portValid);
    if (!portValid || port > 65535) {
        err << "parvenna-dictionary: --port needs a number from 0 to 65535\n";
        return 2;
    }
    LocalDictionaryService service;
    LocalDictionaryService::Options options;
    options.port = static_cast<quint16>(port);
    options.key = parser.value(keyOption);
    options.dataFile = parser.value(dataOption);
    if (!service.start(options)) {
        err << "parvenna-dictionary: " << service.errorString() << "\n";
        return 1;
    }
    QTextStream out(stdout);
    out << service.address() << " key=" << service.key() << " words=" << service.wordCount() << Qt::endl;
    return QCoreApplication::exec();
}
