#include "document/form1.h"
#include "platform/qtfiledialogs.h"
#include "platform/qtmessagebox.h"
#include "platform/qttranslations.h"
#include "platform/widgetbusypointer.h"
#include "platform/windowservices.h"

#include <QApplication>
#include <QPrinter>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (!lexalon::installQtFrenchTranslations(app))
        qWarning("Qt's French translations are missing: the standard dialogs will speak English.");

    // The one printer of the program: set up in the print dialog, printed on later.
    QPrinter printer(QPrinter::HighResolution);
    lexalon::QtMessageBox messages(nullptr);
    lexalon::QtFileDialogs dialogs(printer);
    const lexalon::WindowServices services{messages, dialogs, lexalon::widgetBusyPointer, {}};

    lexalon::Form1 mainWindow(services);
    mainWindow.show();
    return app.exec();
}
