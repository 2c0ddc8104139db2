// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main/mainwindow.h"
#include "gui/platform/qtfiledialogs.h"
#include "gui/platform/qtmessagebox.h"
#include "gui/platform/qtprintingservice.h"
#include "gui/platform/widgetbusypointer.h"
#include "gui/platform/windowservices.h"
#include "gui/startup/aboutwindow.h"
#include "gui/startup/applicationidentity.h"
#include "gui/startup/splashwindow.h"
#include "gui/startup/sysinfoservices.h"
#include "platform/system/qttranslations.h"
#include "shell/commandline.h"

#include <QApplication>
#include <QDir>
#include <QPrinter>
#include <QStringList>
#include <QTimer>

#include <memory>

namespace {

// Made absolute as QFileInfo would, but without taking the name through Qt's
// file name encoding, which loses a byte that is not UTF-8.
QString absolutePath(const QString &file)
{
    QString path = QDir::cleanPath(QDir::current().absoluteFilePath(file));
    if (file.endsWith(u'/') && !path.endsWith(u'/'))
        path += u'/';
    return path;
}

} // namespace

int main(int argc, char *argv[])
{
    lexalon::ProgramCommandLine commandLine(argc, argv);
    QApplication app(commandLine.toolkitCount(), commandLine.toolkitArguments());
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
        [&sysInfo](QWidget &owner) { lexalon::AboutWindow::showModal(&owner, sysInfo.launcher()); },
    };

    // lexalon FICHIER [...]: the first file is opened once the main window
    // is on screen, as if chosen in the open dialog; with --corpus, all of
    // them (or the texts of a folder) open together in a workspace.
    QStringList files;
    for (const QString &file : commandLine.files())
        files.append(QDir::toNativeSeparators(absolutePath(file)));
    const bool corpus = commandLine.opensCorpus();

    // The splash hands over to the main window, created then and shown once.
    std::unique_ptr<lexalon::MainWindow> mainWindow;
    auto *splash = new lexalon::SplashWindow([&mainWindow, &services, files, corpus] {
        mainWindow = std::make_unique<lexalon::MainWindow>(services);
        mainWindow->show();
        if (files.isEmpty())
            return;
        QTimer::singleShot(0, mainWindow.get(), [&mainWindow, files, corpus] {
            if (corpus)
                mainWindow->openCorpus(files);
            else
                mainWindow->openFile(files.constFirst());
        });
    });
    splash->show();
    return app.exec();
}
