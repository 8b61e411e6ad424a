// SPDX-License-Identifier: GPL-3.0-or-later
// The manual pages tell the truth about the programs built beside them: every option a page names is accepted,
// every option --help names is on the page, every example prints what the page shows, and an unknown option is a
// usage error (exit status 2) that opens no window. Options and examples are read from the pages themselves.
#include "ProgramRun.h"
#include "TestEnvironment.h"

#include <QFile>
#include <QRegularExpression>

namespace {

const QString kBuild = QStringLiteral(PARVENNA_BINARY_DIR);
const QStringList kPrograms{QStringLiteral("parvenna"), QStringLiteral("parvenna-dictionary")};

// The page as configured for this build (its version filled in).
QStringList pageLines(const QString& program) {
    QFile page(kBuild + QStringLiteral("/dist/man/") + program + QStringLiteral(".1"));
    if (!page.open(QIODevice::ReadOnly))
        qFatal("no manual page for %s", qPrintable(program));
    return QString::fromUtf8(page.readAll()).split(QLatin1Char('\n'));
}

// Roff as the reader sees it, for the escapes the pages use.
QString unroff(QString text) {
    text.replace(QStringLiteral("\\-"), QStringLiteral("-"));
    text.replace(QStringLiteral("\\(pc"), QStringLiteral("\u00B7"));
    text.replace(QStringLiteral("\\(aq"), QStringLiteral("'"));
    text.replace(QStringLiteral("\\&"), QString());
    text.replace(QStringLiteral("\\e"), QStringLiteral("\\"));
    static const QRegularExpression kUnicode(QStringLiteral("\\\\\\[u([0-9A-F]{4})\\]"));
    for (QRegularExpressionMatch m = kUnicode.match(text); m.hasMatch(); m = kUnicode.match(text))
        text.replace(m.capturedStart(), m.capturedLength(), QChar(m.captured(1).toUShort(nullptr, 16)));
    return text;
}

// The lines of a section, from its .SH to the next.
QStringList section(const QStringList& lines, const QString& name) {
    const qsizetype start = lines.indexOf(QStringLiteral(".SH ") + name);
    QStringList body;
    for (qsizetype i = start + 1; start >= 0 && i < lines.size() && !lines[i].startsWith(QLatin1String(".SH")); ++i)
        body << lines[i];
    return body;
}

struct PageOption {
    QString name;
    bool takesValue = false;
};

// The options of the OPTIONS section: each tag line after .TP, with a value when it is set in italics (.BI).
QList<PageOption> pageOptions(const QString& program) {
    static const QRegularExpression option(QStringLiteral("(?<![\\w-])(--?[A-Za-z?][\\w-]*)"));
    const QStringList lines = section(pageLines(program), QStringLiteral("OPTIONS"));
    QList<PageOption> options;
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        if (lines[i] != QLatin1String(".TP"))
            continue;
        const QString tag = unroff(lines[i + 1]);
        for (const QRegularExpressionMatch& match : option.globalMatch(tag))
            options << PageOption{match.captured(1), tag.startsWith(QLatin1String(".BI"))};
    }
    return options;
}

struct Example {
    QString command;
    QString output;
};

// "$ command" lines of the EXAMPLES section, each followed by the lines it prints.
QList<Example> pageExamples(const QString& program) {
    QList<Example> examples;
    for (const QString& line : section(pageLines(program), QStringLiteral("EXAMPLES"))) {
        if (line.startsWith(QLatin1String("$ ")))
            examples << Example{unroff(line.mid(2)), QString()};
        else if (!examples.isEmpty() && !line.startsWith(QLatin1Char('.')))
            examples.last().output += unroff(line) + QLatin1Char('\n');
    }
    return examples;
}

QProcessEnvironment buildEnvironment() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("PATH"), kBuild + QLatin1Char(':') + environment.value(QStringLiteral("PATH")));
    return environment;
}

ProgramRun runProgram(const QString& program, const QStringList& arguments) {
    return ProgramRun::run(kBuild + QLatin1Char('/') + program, arguments, buildEnvironment());
}

} // namespace

class TestManPages : public QObject {
    Q_OBJECT
private slots:
    void optionsMatch_data() {
        QTest::addColumn<QString>("program");
        for (const QString& program : kPrograms)
            QTest::newRow(qPrintable(program)) << program;
    }
    // An option the page names, given a value where it takes one and followed by --help, exits 0; every option
    // --help lists is on the page; an unknown one is a usage error at once (no window), as EXIT STATUS says.
    void optionsMatch() {
        QFETCH(QString, program);
        QStringList onPage;
        for (const PageOption& option : pageOptions(program)) {
            const QStringList value = option.takesValue ? QStringList{QStringLiteral("1")} : QStringList{};
            const ProgramRun run = runProgram(program, QStringList{option.name} + value + QStringList{"--help"});
            QVERIFY2(run.exitCode == 0 && !run.out.isEmpty(), qPrintable(option.name + ": " + run.err));
            onPage << option.name;
        }
        static const QRegularExpression listed(QStringLiteral("^\\s+(-[^\\s<,]+(, -[^\\s<,]+)*)"),
                                               QRegularExpression::MultilineOption);
        const ProgramRun help = runProgram(program, {QStringLiteral("--help")});
        for (const QRegularExpressionMatch& line : listed.globalMatch(QString::fromUtf8(help.out)))
            for (const QString& name : line.captured(1).split(QStringLiteral(", ")))
                QVERIFY2(onPage.contains(name) || name == QLatin1String("-?"), qPrintable(name));
        QVERIFY(onPage.size() >= 2);
        const ProgramRun unknown = runProgram(program, {QStringLiteral("--frobnicate")});
        QCOMPARE(unknown.exitCode, 2);
        QVERIFY(unknown.out.isEmpty() && unknown.err.contains("frobnicate"));
        QVERIFY(section(pageLines(program), QStringLiteral("EXIT STATUS")).join(' ').contains(QLatin1String("2 for")));
    }

    void examplesRun_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("output");
        for (const QString& program : kPrograms)
            for (const Example& example : pageExamples(program))
                QTest::newRow(qPrintable(example.command)) << example.command << example.output;
    }
    void examplesRun() {
        QFETCH(QString, command);
        QFETCH(QString, output);
        const ProgramRun run =
            ProgramRun::run(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), command}, buildEnvironment());
        QVERIFY2(run.exitCode == 0, run.err.constData());
        QCOMPARE(QString::fromUtf8(run.out), output);
    }
};

PARVENNA_TEST_MAIN(TestManPages)
#include "TestManPages.moc"
