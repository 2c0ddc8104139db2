// The main window's wiring: each menu item reaches its command and the window
// shows the document. The commands and their messages are tested on their own.

#include "document/ui/form1.h"
#include "document/ui/textpane.h"
#include "support/testfiles.h"
#include "support/windowtesting.h"
#include "wordforms/ui/frmliste01.h"

#include <QAction>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <optional>

using namespace lexalon;
using namespace lexalon::testing;
using namespace Qt::StringLiterals;

namespace {

// The main window, its services scripted, its controls found by name.
struct Window
{
    ScriptedServices scripted;
    Form1 form{scripted.services()};

    template<typename T = QAction>
    T &child(const QString &name) const
    {
        T *found = form.findChild<T *>(name);
        return found ? *found : (qFatal("no control %s", qPrintable(name)), *found);
    }
    void open(const QString &path)
    {
        scripted.dialogs.setNextFileName(path);
        child(u"mnuItemOuvrir"_s).trigger();
    }
    TextPane &pane() const { return child<TextPane>(u"txtFichier"_s); }
    // The label, the pane's text and whether Ouvrir, Fermer, Liste and the pane are enabled.
    QStringList shown() const
    {
        QString enabled;
        for (const QString &name : {u"mnuItemOuvrir"_s, u"mnuItemFermer"_s, u"Liste"_s})
            enabled += QString::number(child(name).isEnabled());
        return {child<QLabel>(u"lblFichier"_s).text(), pane().Text(), enabled + QString::number(pane().isEnabled())};
    }
};

} // namespace

class Form1Test : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_window.emplace(); }
    void cleanup() { m_window.reset(); }

    void openAndCloseShowTheDocument()
    {
        const QString start = u"Chargez un fichier texte avec la commande Ouvrir"_s;
        QCOMPARE(m_window->shown(), (QStringList{start, {}, u"1011"_s}));
        const QString path = writeFile("Premi\xE8re\r\nFin");
        m_window->open(path);
        QCOMPARE(m_window->shown(), (QStringList{path, u"Première\r\nFin"_s, u"0111"_s}));
        m_window->child(u"mnuItemFermer"_s).trigger();
        QCOMPARE(m_window->shown(), (QStringList{start + u'.', {}, u"1000"_s}));
        QCOMPARE(contentOf(path), "Premi\xE8re\r\nFin"_ba);
    }

    void quitEndsTheProgram()
    {
        m_window->form.show();
        QTimer::singleShot(0, &m_window->child(u"mnuItemQuitter"_s), &QAction::trigger);
        QTimer::singleShot(10'000, [] { QCoreApplication::exit(99); }); // never hang
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(!m_window->form.isVisible());
    }

    void aboutOpensOverTheMainWindow()
    {
        m_window->child(u"about"_s).trigger();
        QCOMPARE(m_window->scripted.aboutOwners, (std::vector<QPointer<QWidget>>{&m_window->form}));
    }

    void wordListOfTheTextShownIsModalUnderTheHourglass()
    {
        m_window->open(writeFile("zoo zoo zoo abri"));
        m_window->scripted.pointerLog.clear();
        Form1 &form = m_window->form;
        QString seen;
        inspectNextModal<frmListe01>([&](frmListe01 &list) {
            seen = QString::number(list.isModal() && list.parentWidget() == &form && form.cursor().shape() == Qt::WaitCursor)
                   + list.findChild<QLabel *>(u"Label6"_s)->text();
        });
        m_window->child(u"Liste"_s).trigger();
        QCOMPARE(seen, u"14"_s);
        QCOMPARE(m_window->scripted.pointerChangesOf(&form), (std::vector{MousePointer::Hourglass, MousePointer::Default}));
    }

private:
    QString writeFile(const QByteArray &bytes)
    {
        const QString path = m_folder.filePath(QString::number(++m_files) + u".txt"_s);
        return writeBytes(path, bytes) ? path : (qFatal("cannot write the test file"), QString());
    }

    QTemporaryDir m_folder;
    int m_files = 0;
    std::optional<Window> m_window;
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
