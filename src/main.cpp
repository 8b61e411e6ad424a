#include "app/Form1.h"
#include "output/XlsxSpreadsheet.h"
#include "ui/PlatformTools.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Orvanta"));
    QApplication::setApplicationName(QStringLiteral("Parvenna"));
    DesktopPlatformTools tools;
    XlsxSpreadsheetProvider spreadsheets(tools.shell());
    Form1 form(tools, spreadsheets);
    form.Form_Load();
    form.show();
    return QApplication::exec();
}
