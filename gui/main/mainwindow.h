// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "commands/opencommand.h"
#include "gui/platform/windowservices.h"

#include <QMainWindow>

#include <memory>

class QAction;
class QCloseEvent;
class QDragEnterEvent;
class QDropEvent;
class QMimeData;

namespace lexalon {

class BusyPointer;
class Corpus;
class ElidedLabel;
class TextDocument;
class TaskRunner;
class TextPane;

// The main window: the loaded text, the file's path, and the commands to open
// and close a text, list its word forms, see the About window and quit.
class MainWindow final : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(const WindowServices &services, QWidget *parent = nullptr);
    ~MainWindow() override;

    void chooseFile();
    void closeText();
    void quit();
    void showWordList();
    void showAbout();
    // The Corpus menu: texts chosen together, every text of a folder, or the
    // text loaded here, each opened in a workspace of its own.
    void chooseCorpusFiles();
    void chooseCorpusFolder();
    void studyLoadedText();

    // Opens the file as "Ouvrir..." would once it is chosen: from the command
    // line, or dropped on the window.
    void openFile(const QString &path);
    // Opens files, or the texts of folders, as one corpus in a workspace.
    void openCorpus(const QStringList &paths);

protected:
    void closeEvent(QCloseEvent *event) override;
    // A local file dropped opens when the text can be opened; anything else
    // is refused.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void createControls();
    void createMenus();
    void showDocument();
    void showCorpus(std::unique_ptr<Corpus> corpus);
    void endProgram();
    // Reads the file and indexes its text on a worker, with progress and
    // "Annuler".
    TextFileRead readWithProgress(const QString &path);
    // The file a drop would open, or nothing.
    QString droppedFile(const QMimeData &data) const;

    WindowServices m_services;
    TextDocument *m_document;
    std::unique_ptr<BusyPointer> m_pointer;
    TaskRunner *m_tasks;

    ElidedLabel *m_fileLabel = nullptr;
    TextPane *m_textPane = nullptr;
    QAction *m_openCommand = nullptr;
    QAction *m_closeCommand = nullptr;
    QAction *m_listCommand = nullptr;
    QAction *m_studyTextCommand = nullptr;
};

} // namespace lexalon
