// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

QStringList CommandLine::arguments(int argc, char** argv) {
    QStringList list;
    for (int i = 1; i < argc; ++i)
        list.append(QString::fromLocal8Bit(argv[i]));
    return list;
}

std::optional<QString> CommandLine::immediateAnswer(const QStringList& arguments) {
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--"))
            break;
        if (argument == QLatin1String("-h") || argument == QLatin1String("--help") || argument == QLatin1String("-?"))
            return helpText();
        if (argument == QLatin1String("-v") || argument == QLatin1String("--version"))
            return versionText();
    }
    return std::nullopt;
}

QString CommandLine::helpText() {
    return QStringLiteral("Usage: parvenna [Qt options]\n"
                          "Splits English words into syllables: opens the Parvenna window.\n"
                          "\n"
                          "Options:\n"
                          "  -h, --help     Show this help and exit.\n"
                          "  -v, --version  Show the version and exit.\n"
                          "\n"
                          "Without a configured dictionary service, words are looked up in the built-in\n"
                          "dictionary, installed in share/parvenna beside the program's bin folder.\n"
                          "Settings: ~/.config/Orvanta/Parvenna.conf. More in parvenna(1).\n");
}

QString CommandLine::versionText() {
    return QStringLiteral("parvenna " PARVENNA_VERSION "\n");
}
