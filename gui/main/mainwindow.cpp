// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main/mainwindow.h"

#include "commands/corpusopening.h"
#include "commands/opencommand.h"
#include "gui/corpus/corpuswindow.h"
#include "gui/look/elidedlabel.h"
#include "gui/look/windowlook.h"
#include "gui/textpane/textpane.h"
#include "gui/platform/runthenshow.h"
#include "gui/platform/taskrunner.h"
#include "gui/wordlist/wordlistwindow.h"
#include "platform/interaction/busypointer.h"
#include "platform/interaction/busyscope.h"
#include "platform/interaction/filedialogs.h"
#include "platform/interaction/messagebox.h"
#include "platform/interaction/taskprogress.h"
#include "platform/interaction/twips.h"
#include "text/paragraphindex.h"
#include "text/textdocument.h"
#include "wordforms/corpus.h"
#include "wordforms/figures.h"
#include "wordforms/textstudy.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QUrl>

#include <memory>
#include <new>
#include <optional>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace lexalon {

namespace {

inline constexpr int clientWidth = 10305;
inline constexpr int clientHeight = 7425;
inline constexpr QRect fileLabelGeometry = twipsRect(240, 240, 9375, 255);
inline constexpr QRect textPaneGeometry = twipsRect(120, 600, 10095, 6735);

// A text whose word list does not fit in memory is refused, not a crash.
MessageRequest listTooLargeMessage()
{
    return notEnoughMemoryFor(u"La liste du lexalon ne peut pas être établie"_s, u"Texte trop volumineux"_s);
}

} // namespace

MainWindow::MainWindow(const WindowServices &services, QWidget *parent)
    : QMainWindow(parent)
    , m_services(services)
    , m_document(new TextDocument(this))
    , m_pointer(services.busyPointer(*this))
    , m_tasks(new TaskRunner(*this))
{
    setWindowTitle(QString::fromUtf16(programCaption));
    setAcceptDrops(true);
    createControls();
    createMenus();
    connect(m_document, &TextDocument::changed, this, &MainWindow::showDocument);
    showDocument();
    setAccessibleDescription(u"Le texte ouvert et le chemin de son fichier ; le menu Application "
                             "en dresse la liste du lexalon."_s);
    resizeWithinScreen(*this, QSize(twips(clientWidth), twips(clientHeight) + menuBar()->sizeHint().height()));
}

MainWindow::~MainWindow() = default;

void MainWindow::createControls()
{
    // The pane follows the window's size, to read the text in all of it; the
    // label keeps its place and its height.
    auto *client = new QWidget(this);
    setBackground(client, lightYellow);
    setCentralWidget(client);
    const QSize designed(twips(clientWidth), twips(clientHeight));

    m_fileLabel = new ElidedLabel(client);
    m_fileLabel->setObjectName(u"lblFichier"_s);
    m_fileLabel->setGeometry(fileLabelGeometry);
    setBackground(m_fileLabel, lightYellow);
    growWithParent(m_fileLabel, designed, Qt::Horizontal);

    m_textPane = new TextPane(client);
    m_textPane->setObjectName(u"txtFichier"_s);
    m_textPane->setGeometry(textPaneGeometry);
    growWithParent(m_textPane, designed, Qt::Horizontal | Qt::Vertical);
}

void MainWindow::createMenus()
{
    QMenu *fileMenu = addMenu(menuBar(), u"mnuFichier"_s, u"&Fichier"_s);
    m_openCommand = addCommand(fileMenu, u"mnuItemOuvrir"_s, u"&Ouvrir..."_s, this, &MainWindow::chooseFile,
                               QKeySequence(Qt::CTRL | Qt::Key_O));
    m_closeCommand = addCommand(fileMenu, u"mnuItemFermer"_s, u"&Fermer"_s, this, &MainWindow::closeText,
                                QKeySequence(Qt::CTRL | Qt::Key_W));
    addCommand(fileMenu, u"mnuItemQuitter"_s, u"&Quitter"_s, this, &MainWindow::quit,
               QKeySequence(Qt::CTRL | Qt::Key_Q));
    QMenu *applicationMenu = addMenu(menuBar(), u"Application"_s, u"&Application"_s);
    m_listCommand = addCommand(applicationMenu, u"Liste"_s, u"&Liste du lexalon"_s, this, &MainWindow::showWordList,
                               QKeySequence(Qt::CTRL | Qt::Key_L));
    QMenu *corpusMenu = addMenu(menuBar(), u"corpus"_s, u"&Corpus"_s);
    addCommand(corpusMenu, u"corpusOuvrirTextes"_s, u"&Ouvrir des textes…"_s, this, &MainWindow::chooseCorpusFiles,
               QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    addCommand(corpusMenu, u"corpusOuvrirDossier"_s, u"Ouvrir un &dossier…"_s, this, &MainWindow::chooseCorpusFolder);
    m_studyTextCommand = addCommand(corpusMenu, u"corpusEtudierTexte"_s, u"É&tudier le texte ouvert"_s, this,
                                    &MainWindow::studyLoadedText);
    QMenu *helpMenu = addMenu(menuBar(), u"aide"_s, u"&Aide"_s);
    addCommand(helpMenu, u"about"_s, u"&A propos de"_s, this, &MainWindow::showAbout);
}

void MainWindow::showDocument()
{
    try {
        m_textPane->setText(m_document->text(), m_document->paragraphs());
    } catch (const std::bad_alloc &) {
        // A text read whole but too large to be shown is refused like one
        // that does not fit in memory.
        const QString path = m_document->fileLabel();
        m_document->abandonLoad();
        m_services.messages.show(notEnoughMemoryMessage(path));
        return;
    }
    m_fileLabel->setText(m_document->fileLabel());
    m_textPane->setAccessibleName(m_document->fileLabel());
    m_textPane->setEnabled(m_document->paneEnabled());
    m_listCommand->setEnabled(m_document->canList());
    m_studyTextCommand->setEnabled(m_document->canClose());
    m_closeCommand->setEnabled(m_document->canClose());
    m_openCommand->setEnabled(m_document->canOpen());
}

void MainWindow::chooseFile()
{
    openTextFile(*m_document, m_services.dialogs, *m_pointer, m_services.messages,
                 [this](const QString &path) { return readWithProgress(path); });
}

TextFileRead MainWindow::readWithProgress(const QString &path)
{
    const QString label = u"Lecture de « %1 »…"_s.arg(QFileInfo(path).fileName());
    std::optional<TextFileRead> read = resultOf(*m_tasks, label, [&path](TaskProgress &progress) {
        TextFileRead read{readTextFile(path, &progress), nullptr};
        // Without the memory for it here, the pane makes it or says why not.
        try {
            if (read.content.ok())
                read.paragraphs = std::make_shared<const ParagraphIndex>(read.content.text);
        } catch (const std::bad_alloc &) {
        }
        return read;
    });
    // "Annuler" pressed as the read ended wins over what it read.
    if (!read)
        return {{TextFileContent::Status::Cancelled, {}, {}, {}}, nullptr};
    return std::move(*read);
}

void MainWindow::openFile(const QString &path)
{
    loadTextFile(*m_document, path, *m_pointer, m_services.messages,
                 [this](const QString &file) { return readWithProgress(file); });
}

QString MainWindow::droppedFile(const QMimeData &data) const
{
    const QList<QUrl> urls = data.urls();
    if (!m_document->canOpen() || urls.isEmpty() || !urls.constFirst().isLocalFile())
        return QString();
    return QDir::toNativeSeparators(urls.constFirst().toLocalFile());
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (droppedFile(*event->mimeData()).isEmpty())
        event->ignore();
    else
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QString path = droppedFile(*event->mimeData());
    if (path.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    openFile(path);
}

void MainWindow::closeText()
{
    m_document->close();
}

void MainWindow::quit()
{
    close();
}

void MainWindow::showWordList()
{
    // The hourglass stays on while the list is shown.
    const BusyScope busy(*m_pointer);
    const QString text = m_document->text();
    const std::unique_ptr<WordListWindow> window = runThenShow(
        *m_tasks, nullptr, m_services.messages, u"Construction de la liste du lexalon…"_s, listTooLargeMessage(),
        [&text](TaskProgress &progress) { return std::make_shared<TextStudy>(text, &progress); },
        [this](std::shared_ptr<TextStudy> study) {
            auto window = std::make_unique<WordListWindow>(std::move(study), m_services, this);
            connect(window.get(), &WordListWindow::attestationShown, m_textPane, &TextPane::select);
            return window;
        });
    if (window)
        window->exec();
}

void MainWindow::chooseCorpusFiles()
{
    const QStringList files = m_services.dialogs.openFileNames(QString::fromUtf16(openTextFilter));
    if (!files.isEmpty())
        openCorpus(files);
}

void MainWindow::chooseCorpusFolder()
{
    const QString folder = m_services.dialogs.folderName();
    if (!folder.isEmpty())
        openCorpus({folder});
}

void MainWindow::openCorpus(const QStringList &paths)
{
    QStringList files;
    for (const QString &path : paths) {
        if (!QFileInfo(path).isDir()) {
            files.append(path);
            continue;
        }
        const QStringList texts = corpusFilesIn(path);
        if (texts.isEmpty())
            m_services.messages.show(failureMessage(u"Le dossier « %1 » ne contient aucun fichier texte (.txt)."_s.arg(path),
                                                    QString(), u"Ouvrir un dossier"_s, MessageIcon::Warning));
        files.append(texts);
    }
    if (files.isEmpty())
        return;
    const QString label = files.size() == 1 ? u"Lecture de « %1 »…"_s.arg(QFileInfo(files.constFirst()).fileName())
                                            : u"Lecture de %1…"_s.arg(countOf(files.size(), u"texte", u"textes"));
    std::optional<CorpusOpened> opened;
    try {
        opened = resultOf(*m_tasks, label, [&files](TaskProgress &progress) { return lexalon::openCorpus(files, &progress); });
    } catch (const std::bad_alloc &) {
        m_services.messages.show(notEnoughMemoryFor(u"Le corpus ne peut pas être ouvert"_s, u"Corpus trop volumineux"_s));
        return;
    }
    // Cancelled: nothing opens.
    if (!opened)
        return;
    for (const MessageRequest &problem : opened->problems)
        m_services.messages.show(problem);
    if (opened->corpus)
        showCorpus(std::move(opened->corpus));
}

void MainWindow::studyLoadedText()
{
    const QString text = m_document->text();
    const QString name = QFileInfo(m_document->fileLabel()).fileName();
    auto corpus = runThenShow(
        *m_tasks, m_pointer.get(), m_services.messages, u"Construction de la liste du lexalon…"_s, listTooLargeMessage(),
        [&](TaskProgress &progress) {
            std::vector<Corpus::Text> texts;
            texts.push_back({name, std::make_unique<TextStudy>(text, &progress)});
            return std::make_unique<Corpus>(std::move(texts));
        },
        [](std::unique_ptr<Corpus> made) { return made; });
    if (corpus)
        showCorpus(std::move(corpus));
}

void MainWindow::showCorpus(std::unique_ptr<Corpus> corpus)
{
    auto *window = new CorpusWindow(std::move(corpus), m_services, this);
    window->show();
}

void MainWindow::showAbout()
{
    m_services.showAbout(*this);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Work under way has been told to stop: the program ends once it has.
    endProgram();
    event->accept();
}

void MainWindow::endProgram()
{
    // Nothing to save and nothing to ask: the program ends here.
    QCoreApplication::exit(0);
}

} // namespace lexalon
