#include "document/form1.h"
#include "platform/qtfiledialogs.h"
#include "platform/qtmessagebox.h"
#include "platform/qtprintingservice.h"
#include "platform/qttranslations.h"
#include "platform/widgetbusypointer.h"
#include "platform/windowservices.h"
#include "shell/applicationidentity.h"
#include "shell/frmabout.h"
#include "shell/frmsplash.h"
#include "shell/sysinfoservices.h"

#include <QApplication>
#include <QPrinter>

#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    lexalon::setApplicationIdentity();
    if (!lexalon::installQtFrenchTranslations(app))
        qWarning("Qt's French translations are missing: the standard dialogs will speak English.");

    // The one printer of the program: set up in the print dialog, printed on later.
    QPrinter printer(QPrinter::HighResolution);
    lexalon::QtMessageBox messages(nullptr);
    lexalon::QtFileDialogs dialogs(printer);
    lexalon::QtPrintingService printing(printer);
    lexalon::SysInfoServices sysInfo;
    const lexalon::WindowServices services{
        messages,
        dialogs,
        printing,
        lexalon::widgetBusyPointer,
        [&sysInfo](QWidget &owner) { lexalon::frmAbout::showModal(&owner, sysInfo.launcher()); },
    };

    // The splash hands over to the main window, created then and shown once.
    std::unique_ptr<lexalon::Form1> mainWindow;
    auto *splash = new lexalon::frmSplash([&mainWindow, &services] {
        mainWindow = std::make_unique<lexalon::Form1>(services);
        mainWindow->show();
    });
    splash->show();
    return app.exec();
}
