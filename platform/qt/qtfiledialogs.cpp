#include "platform/qt/qtfiledialogs.h"

#include "platform/namefilters.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>

namespace lexalon {

QtFileDialogs::QtFileDialogs(QPrinter &printer)
    : m_printer(printer)
{
}

QString QtFileDialogs::openFileName(const QString &filter)
{
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return chosenFile(dialog, filter);
}

QString QtFileDialogs::saveFileName(const QString &filter)
{
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The save command asks about overwriting on its own.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    return chosenFile(dialog, filter);
}

QString QtFileDialogs::chosenFile(QFileDialog &dialog, const QString &filter)
{
    if (!m_folder.isEmpty())
        dialog.setDirectory(m_folder);
    dialog.setNameFilters(platformNameFilters(qtNameFilters(filter)));
    // The combo box shows the description alone, "Fichiers Texte (*.TXT)".
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    const QString chosen = dialog.selectedFiles().constFirst();
    m_folder = QFileInfo(chosen).absolutePath();
    return QDir::toNativeSeparators(chosen);
}

bool QtFileDialogs::printerSetup()
{
    // The whole list is printed: no page range, selection or current page.
    QPrintDialog dialog(&m_printer, QApplication::activeWindow());
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace lexalon
