// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/qtfiledialogs.h"

#include "platform/files/namefilters.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QSettings>

using namespace Qt::StringLiterals;

namespace lexalon {

namespace {

// The dialog names the filter chosen whole or, details hidden, by its
// description alone.
int chosenType(const QString &selected, const QStringList &nameFilters)
{
    for (qsizetype i = 0; i < nameFilters.size(); ++i) {
        if (nameFilters[i] == selected || nameFilters[i].startsWith(selected + u" ("_s))
            return int(i);
    }
    return 0;
}

} // namespace

QtFileDialogs::QtFileDialogs(QPrinter &printer)
    : m_printer(printer)
{
    // Qt's file dialog keeps its history in the user's QtProject.conf through
    // QSettings; the program writes nothing but what the user saves, so the
    // user's settings files are looked for where none can be made.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, u"/dev/null"_s);
}

QString QtFileDialogs::openFileName(const QString &filter)
{
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return chosenFile(dialog, filter).path;
}

QStringList QtFileDialogs::openFileNames(const QString &filter)
{
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    if (chosenFile(dialog, filter).path.isEmpty())
        return {};
    QStringList files = dialog.selectedFiles();
    for (QString &file : files)
        file = QDir::toNativeSeparators(file);
    return files;
}

QString QtFileDialogs::folderName()
{
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (!m_folder.isEmpty())
        dialog.setDirectory(m_folder);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString chosen = dialog.selectedFiles().constFirst();
    m_folder = chosen;
    return QDir::toNativeSeparators(chosen);
}

SaveChoice QtFileDialogs::saveFileName(const QString &filter)
{
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The save command asks about overwriting on its own.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    return chosenFile(dialog, filter);
}

SaveChoice QtFileDialogs::chosenFile(QFileDialog &dialog, const QString &filter)
{
    if (!m_folder.isEmpty())
        dialog.setDirectory(m_folder);
    const QStringList nameFilters = platformNameFilters(qtNameFilters(filter));
    dialog.setNameFilters(nameFilters);
    // The combo box shows the description alone, "Fichiers Texte (*.TXT)".
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString chosen = dialog.selectedFiles().constFirst();
    m_folder = QFileInfo(chosen).absolutePath();
    return {QDir::toNativeSeparators(chosen), chosenType(dialog.selectedNameFilter(), nameFilters)};
}

bool QtFileDialogs::printerSetup()
{
    // The whole list is printed: no page range, selection or current page.
    QPrintDialog dialog(&m_printer, QApplication::activeWindow());
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace lexalon
