// SPDX-License-Identifier: GPL-3.0-or-later
#include "TrainerConsole.h"

#include <QCoreApplication>
#include <QSaveFile>

namespace TrainerConsole {

QTextStream& out() {
    static QTextStream stream(stdout);
    return stream;
}

QTextStream& err() {
    static QTextStream stream(stderr);
    return stream;
}

bool readNumber(const QCommandLineParser& parser, const QCommandLineOption& option, int low, int high, int* value) {
    bool ok = false;
    const int number = parser.value(option).toInt(&ok);
    if (!ok || number < low || number > high) {
        err() << QCoreApplication::applicationName() << ": --" << option.names().first() << " needs a number from "
              << low << " to " << high << "\n";
        return false;
    }
    *value = number;
    return true;
}

bool writeModel(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        err() << QCoreApplication::applicationName() << ": cannot write " << path << ": " << file.errorString() << "\n";
        return false;
    }
    return true;
}

QString percent(int part, int whole) {
    return QString::number(whole > 0 ? 100.0 * part / whole : 0.0, 'f', 2) + QStringLiteral(" %");
}

QStringList dictionaryAndOutput(QCommandLineParser& parser, const QCoreApplication& app) {
    parser.addPositionalArgument(QStringLiteral("dictionary"), QStringLiteral("The dictionary data file."));
    parser.addPositionalArgument(QStringLiteral("output"), QStringLiteral("The model file to write."));
    parser.process(app);
    const QStringList files = parser.positionalArguments();
    if (files.size() == 2)
        return files;
    err() << QCoreApplication::applicationName() << ": needs the dictionary file and the output file\n";
    return {};
}

} // namespace TrainerConsole
