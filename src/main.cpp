// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"
#include "app/Form1.h"
#include "app/SingleInstance.h"
#include "app/TerminationSignals.h"
#include "output/XlsxSpreadsheet.h"
#include "ui/PlatformTools.h"

#include <QApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    // --help, --version and a refused argument print and exit before a display is needed.
    if (const auto answer = CommandLine::immediateAnswer(CommandLine::arguments(argc, argv))) {
        QTextStream(answer->exitStatus == 0 ? stdout : stderr) << answer->text;
        return answer->exitStatus;
    }
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Orvanta"));
    QApplication::setApplicationName(QStringLiteral("Parvenna"));
    QApplication::setApplicationVersion(QStringLiteral(PARVENNA_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("parvenna"));
    SingleInstance instance(SingleInstance::settingsFolder());
    if (!instance.claim())
        return 0; // the running window was brought to the front: it owns the word list and the daily tally
    DesktopPlatformTools tools;
    XlsxSpreadsheetProvider spreadsheets(tools.shell());
    Form1 form(tools, spreadsheets);
    form.Form_Load();
    form.show();
    instance.setWindow(&form);
    TerminationSignals termination(&form); // from here on, a logout or kill ends the program as closing does
    return QApplication::exec();
}
