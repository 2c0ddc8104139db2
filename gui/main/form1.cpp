#include "gui/main/form1.h"

#include "commands/opencommand.h"
#include "gui/look/elidedlabel.h"
#include "gui/look/windowlook.h"
#include "gui/main/textpane.h"
#include "gui/platform/taskrunner.h"
#include "gui/wordlist/frmliste01.h"
#include "platform/interaction/busypointer.h"
#include "platform/interaction/busyscope.h"
#include "platform/interaction/messagebox.h"
#include "platform/interaction/taskprogress.h"
#include "platform/interaction/twips.h"
#include "text/paragraphindex.h"
#include "text/textdocument.h"
#include "wordforms/analysis.h"

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

#include <new>
#include <utility>

using namespace Qt::StringLiterals;

namespace lexalon {

namespace {

inline constexpr int clientWidth = 10305;
inline constexpr int clientHeight = 7425;
inline constexpr QRect lblFichierGeometry = twipsRect(240, 240, 9375, 255);
inline constexpr QRect txtFichierGeometry = twipsRect(120, 600, 10095, 6735);

// A text whose word list does not fit in memory is refused, not a crash.
MessageRequest listTooLargeMessage()
{
    return notEnoughMemoryFor(u"La liste du lexalon ne peut pas être établie"_s, u"Texte trop volumineux"_s);
}

} // namespace

Form1::Form1(const WindowServices &services, QWidget *parent)
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
    connect(m_document, &TextDocument::changed, this, &Form1::showDocument);
    showDocument();
    setAccessibleDescription(u"Le texte ouvert et le chemin de son fichier ; le menu Application "
                             "en dresse la liste du lexalon."_s);
    resizeWithinScreen(*this, QSize(twips(clientWidth), twips(clientHeight) + menuBar()->sizeHint().height()));
}

Form1::~Form1() = default;

void Form1::createControls()
{
    // The pane follows the window's size, to read the text in all of it; the
    // label keeps its place and its height.
    auto *client = new QWidget(this);
    setBackground(client, lightYellow);
    setCentralWidget(client);
    const QSize designed(twips(clientWidth), twips(clientHeight));

    m_lblFichier = new ElidedLabel(client);
    m_lblFichier->setObjectName(u"lblFichier"_s);
    m_lblFichier->setGeometry(lblFichierGeometry);
    setBackground(m_lblFichier, lightYellow);
    growWithParent(m_lblFichier, designed, Qt::Horizontal);

    m_txtFichier = new TextPane(client);
    m_txtFichier->setObjectName(u"txtFichier"_s);
    m_txtFichier->setGeometry(txtFichierGeometry);
    growWithParent(m_txtFichier, designed, Qt::Horizontal | Qt::Vertical);
}

void Form1::createMenus()
{
    QMenu *mnuFichier = addMenu(menuBar(), u"mnuFichier"_s, u"&Fichier"_s);
    m_mnuItemOuvrir = addCommand(mnuFichier, u"mnuItemOuvrir"_s, u"&Ouvrir..."_s, this, &Form1::mnuItemOuvrir_Click,
                                 QKeySequence(Qt::CTRL | Qt::Key_O));
    m_mnuItemFermer = addCommand(mnuFichier, u"mnuItemFermer"_s, u"&Fermer"_s, this, &Form1::mnuItemFermer_Click,
                                 QKeySequence(Qt::CTRL | Qt::Key_W));
    addCommand(mnuFichier, u"mnuItemQuitter"_s, u"&Quitter"_s, this, &Form1::mnuItemQuitter_Click,
               QKeySequence(Qt::CTRL | Qt::Key_Q));
    QMenu *application = addMenu(menuBar(), u"Application"_s, u"&Application"_s);
    m_Liste = addCommand(application, u"Liste"_s, u"&Liste du lexalon"_s, this, &Form1::Liste_Click,
                         QKeySequence(Qt::CTRL | Qt::Key_L));
    QMenu *aide = addMenu(menuBar(), u"aide"_s, u"&Aide"_s);
    addCommand(aide, u"about"_s, u"&A propos de"_s, this, &Form1::about_Click);
}

void Form1::showDocument()
{
    try {
        m_txtFichier->setText(m_document->text(), std::move(m_readIndex));
    } catch (const std::bad_alloc &) {
        // A text read whole but too large to be shown is refused like one
        // that does not fit in memory.
        const QString path = m_document->fileLabel();
        m_document->abandonLoad();
        m_services.messages.show(notEnoughMemoryMessage(path));
        return;
    }
    m_lblFichier->setText(m_document->fileLabel());
    m_txtFichier->setAccessibleName(m_document->fileLabel());
    m_txtFichier->setEnabled(m_document->paneEnabled());
    m_Liste->setEnabled(m_document->canList());
    m_mnuItemFermer->setEnabled(m_document->canClose());
    m_mnuItemOuvrir->setEnabled(m_document->canOpen());
}

void Form1::mnuItemOuvrir_Click()
{
    openTextFile(*m_document, m_services.dialogs, *m_pointer, m_services.messages,
                 [this](const QString &path) { return readWithProgress(path); });
}

TextFileContent Form1::readWithProgress(const QString &path)
{
    TextFileContent content;
    const QString label = u"Lecture de « %1 »…"_s.arg(QFileInfo(path).fileName());
    const bool finished = m_tasks->run(label, [&](TaskProgress &progress) {
        content = readTextFile(path, &progress);
        // Without the memory for it here, the pane makes it or says why not.
        try {
            if (content.ok())
                m_readIndex = std::make_unique<ParagraphIndex>(content.text);
        } catch (const std::bad_alloc &) {
        }
    });
    // "Annuler" pressed as the read ended wins over what it read.
    if (!finished) {
        m_readIndex.reset();
        return {TextFileContent::Status::Cancelled, {}, {}, {}};
    }
    return content;
}

void Form1::openFile(const QString &path)
{
    loadTextFile(*m_document, path, *m_pointer, m_services.messages,
                 [this](const QString &file) { return readWithProgress(file); });
}

QString Form1::droppedFile(const QMimeData &data) const
{
    const QList<QUrl> urls = data.urls();
    if (!m_document->canOpen() || urls.isEmpty() || !urls.constFirst().isLocalFile())
        return QString();
    return QDir::toNativeSeparators(urls.constFirst().toLocalFile());
}

void Form1::dragEnterEvent(QDragEnterEvent *event)
{
    if (droppedFile(*event->mimeData()).isEmpty())
        event->ignore();
    else
        event->acceptProposedAction();
}

void Form1::dropEvent(QDropEvent *event)
{
    const QString path = droppedFile(*event->mimeData());
    if (path.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    openFile(path);
}

void Form1::mnuItemFermer_Click()
{
    m_document->close();
}

void Form1::mnuItemQuitter_Click()
{
    close();
}

void Form1::Liste_Click()
{
    const BusyScope busy(*m_pointer);
    const QString text = m_txtFichier->Text();
    std::unique_ptr<frmListe01> liste;
    try {
        TextAnalysis analysis;
        if (!m_tasks->run(u"Construction de la liste du lexalon…"_s,
                          [&](TaskProgress &progress) { analysis = analyseTextWithTokens(text, &progress); }))
            return;
        liste = std::make_unique<frmListe01>(text, m_services, this);
        connect(liste.get(), &frmListe01::attestationShown, m_txtFichier, &TextPane::select);
        liste->Form_Load(std::move(analysis));
    } catch (const std::bad_alloc &) {
        // The window and all it took are gone: the program is as before.
        liste.reset();
        m_services.messages.show(listTooLargeMessage());
        return;
    }
    liste->exec();
}

void Form1::about_Click()
{
    m_services.showAbout(*this);
}

void Form1::closeEvent(QCloseEvent *event)
{
    // Work under way has been told to stop: the program ends once it has.
    Form_Unload();
    event->accept();
}

void Form1::Form_Unload()
{
    // Nothing to save and nothing to ask: the program ends here.
    QCoreApplication::exit(0);
}

} // namespace lexalon
