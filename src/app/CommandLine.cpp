// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

namespace {

// Qt's documented command-line options: those that take a value, and those that do not.
const QStringList kQtOptionsWithValue{QStringLiteral("platform"),
                                      QStringLiteral("platformpluginpath"),
                                      QStringLiteral("platformtheme"),
                                      QStringLiteral("plugin"),
                                      QStringLiteral("qwindowgeometry"),
                                      QStringLiteral("qwindowicon"),
                                      QStringLiteral("qwindowtitle"),
                                      QStringLiteral("session"),
                                      QStringLiteral("style"),
                                      QStringLiteral("stylesheet"),
                                      QStringLiteral("display"),
                                      QStringLiteral("geometry"),
                                      QStringLiteral("name"),
                                      QStringLiteral("title"),
                                      QStringLiteral("visual"),
                                      QStringLiteral("qmljsdebugger")};
const QStringList kQtFlags{QStringLiteral("reverse"), QStringLiteral("widgetcount"), QStringLiteral("sync"),
                           QStringLiteral("nograb"), QStringLiteral("dograb")};

} // namespace

QStringList CommandLine::arguments(int argc, char** argv) {
    QStringList list;
    for (int i = 1; i < argc; ++i)
        list.append(QString::fromLocal8Bit(argv[i]));
    return list;
}

bool CommandLine::isQtOption(const QStringList& arguments, qsizetype& i) {
    QString name = arguments[i];
    if (!name.startsWith(QLatin1Char('-')) || name == QLatin1String("-") || name == QLatin1String("--"))
        return false;
    name.remove(0, name.startsWith(QLatin1String("--")) ? 2 : 1);
    const qsizetype equals = name.indexOf(QLatin1Char('='));
    if (equals >= 0)
        return kQtOptionsWithValue.contains(name.left(equals));
    if (kQtFlags.contains(name))
        return true;
    if (!kQtOptionsWithValue.contains(name) || i + 1 >= arguments.size())
        return false;
    ++i;
    return true;
}

std::optional<CommandLine::Answer> CommandLine::immediateAnswer(const QStringList& arguments) {
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("-h") || argument == QLatin1String("--help") || argument == QLatin1String("-?"))
            return Answer{helpText()};
        if (argument == QLatin1String("-v") || argument == QLatin1String("--version"))
            return Answer{versionText()};
        if (!isQtOption(arguments, i))
            return Answer{usageText(argument), kUsageStatus};
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
                          "Qt's own options (-platform, -style, ...) are accepted; any other argument is refused\n"
                          "with exit status 2.\n"
                          "Without a configured dictionary service, words are looked up in the built-in\n"
                          "dictionary, installed in share/parvenna beside the program's bin folder.\n"
                          "Settings: ~/.config/Orvanta/Parvenna.conf. More in parvenna(1).\n");
}

QString CommandLine::versionText() {
    return QStringLiteral("parvenna " PARVENNA_VERSION "\n");
}

QString CommandLine::usageText(const QString& refused) {
    return QStringLiteral("parvenna: unknown argument '%1'\n"
                          "Usage: parvenna [Qt options]\n"
                          "Try 'parvenna --help' for more information.\n")
        .arg(refused);
}
