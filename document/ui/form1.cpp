#include "document/ui/form1.h"

#include "document/opencommand.h"
#include "document/textdocument.h"
#include "document/ui/textpane.h"
#include "platform/busypointer.h"
#include "platform/busyscope.h"
#include "platform/messagebox.h"
#include "platform/twips.h"
#include "ui/windowlook.h"
#include "wordforms/ui/frmliste01.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

#include <new>

using namespace Qt::StringLiterals;

namespace lexalon {

namespace {

inline constexpr int clientWidth = 10305;
inline constexpr int clientHeight = 7425;
inline constexpr QRect lblFichierGeometry = twipsRect(240, 240, 9375, 255);
inline constexpr QRect txtFichierGeometry = twipsRect(120, 600, 10095, 6735);

// The controls keep the names they always had, by which they are found.
template<typename Control>
Control *named(Control *control, const QString &name)
{
    control->setObjectName(name);
    return control;
}

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
{
    setWindowTitle(QString::fromUtf16(programCaption));
    createControls();
    createMenus();
    connect(m_document, &TextDocument::changed, this, &Form1::showDocument);
    showDocument();
    resize(twips(clientWidth), twips(clientHeight) + menuBar()->sizeHint().height());
}

Form1::~Form1() = default;

void Form1::createControls()
{
    // Nothing follows the window's size: the controls keep their places.
    auto *client = new QWidget(this);
    setBackground(client, lightYellow);
    setCentralWidget(client);

    m_lblFichier = named(new QLabel(client), u"lblFichier"_s);
    m_lblFichier->setGeometry(lblFichierGeometry);
    setBackground(m_lblFichier, lightYellow);

    m_txtFichier = named(new TextPane(client), u"txtFichier"_s);
    m_txtFichier->setGeometry(txtFichierGeometry);
}

void Form1::createMenus()
{
    m_mnuFichier = named(menuBar()->addMenu(u"&Fichier"_s), u"mnuFichier"_s);
    m_mnuItemOuvrir = named(m_mnuFichier->addAction(u"&Ouvrir..."_s), u"mnuItemOuvrir"_s);
    m_mnuItemFermer = named(m_mnuFichier->addAction(u"&Fermer"_s), u"mnuItemFermer"_s);
    m_mnuItemQuitter = named(m_mnuFichier->addAction(u"&Quitter"_s), u"mnuItemQuitter"_s);
    m_Application = named(menuBar()->addMenu(u"&Application"_s), u"Application"_s);
    m_Liste = named(m_Application->addAction(u"&Liste du lexalon"_s), u"Liste"_s);
    m_aide = named(menuBar()->addMenu(u"&Aide"_s), u"aide"_s);
    m_about = named(m_aide->addAction(u"&A propos de"_s), u"about"_s);

    connect(m_mnuItemOuvrir, &QAction::triggered, this, &Form1::mnuItemOuvrir_Click);
    connect(m_mnuItemFermer, &QAction::triggered, this, &Form1::mnuItemFermer_Click);
    connect(m_mnuItemQuitter, &QAction::triggered, this, &Form1::mnuItemQuitter_Click);
    connect(m_Liste, &QAction::triggered, this, &Form1::Liste_Click);
    connect(m_about, &QAction::triggered, this, &Form1::about_Click);
}

void Form1::showDocument()
{
    try {
        m_txtFichier->setText(m_document->text());
    } catch (const std::bad_alloc &) {
        // A text read whole but too large to be shown is refused like one
        // that does not fit in memory.
        const QString path = m_document->fileLabel();
        m_document->abandonLoad();
        m_services.messages.show(notEnoughMemoryMessage(path));
        return;
    }
    m_lblFichier->setText(m_document->fileLabel());
    m_txtFichier->setEnabled(m_document->paneEnabled());
    m_Liste->setEnabled(m_document->canList());
    m_mnuItemFermer->setEnabled(m_document->canClose());
    m_mnuItemOuvrir->setEnabled(m_document->canOpen());
}

void Form1::mnuItemOuvrir_Click()
{
    openTextFile(*m_document, m_services.dialogs, *m_pointer, m_services.messages);
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
    std::unique_ptr<frmListe01> liste;
    try {
        liste = std::make_unique<frmListe01>(m_txtFichier->Text(), m_services, this);
        liste->Form_Load();
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
    Form_Unload();
    event->accept();
}

void Form1::Form_Unload()
{
    // Nothing to save and nothing to ask: the program ends here.
    QCoreApplication::exit(0);
}

} // namespace lexalon
