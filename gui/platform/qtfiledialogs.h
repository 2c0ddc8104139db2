// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/interaction/filedialogs.h"

#include <QString>
#include <QStringList>

class QFileDialog;
class QPrinter;

namespace lexalon {

// Qt's file dialogs and print dialog, modal over the active window. The file
// dialogs start in the folder of the last file chosen in either, or in the
// current folder. The printer is the program's one printer: what the user
// sets up here is what the next print uses.
class QtFileDialogs final : public FileDialogs
{
public:
    explicit QtFileDialogs(QPrinter &printer);

    QString openFileName(const QString &filter) override;
    QStringList openFileNames(const QString &filter) override;
    QString folderName() override;
    SaveChoice saveFileName(const QString &filter) override;
    bool printerSetup() override;

private:
    // The file chosen, with the type chosen for it; an empty path when cancelled.
    SaveChoice chosenFile(QFileDialog &dialog, const QString &filter);

    QPrinter &m_printer;
    QString m_folder; // of the last file chosen
};

} // namespace lexalon
