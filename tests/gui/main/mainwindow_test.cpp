// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's wiring: each menu item reaches its command and the window
// shows the document. The commands and their messages are tested on their own.

#include "gui/concordance/concordancewindow.h"
#include "gui/corpus/corpuswindow.h"
#include "gui/look/elidedlabel.h"
#include "gui/main/mainwindow.h"
#include "gui/textpane/textpane.h"
#include "gui/wordlist/wordlistwindow.h"
#include "support/testfiles.h"
#include "support/windowtesting.h"

#include <QAccessible>
#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTableView>
#include <QTest>
#include <QUrl>

using namespace lexalon;
using namespace lexalon::testing;
using namespace Qt::StringLiterals;

// A main window with its services scripted, its controls found by name.
struct Window
{
    QTemporaryDir folder;
    ScriptedServices scripted;
    MainWindow main{scripted.services()};

    QAction &action(const QString &name) const { return *main.findChild<QAction *>(name); }
    void open(const QByteArray &bytes)
    {
        const QString path = folder.filePath(u"texte.txt"_s);
        QVERIFY(writeBytes(path, bytes));
        scripted.dialogs.setNextFileName(path);
        action(u"mnuItemOuvrir"_s).trigger();
    }
    // What the window shows: its label, the pane's text, and which commands
    // and the pane are enabled.
    struct Shown
    {
        QString label;
        QString text;
        bool canOpen;
        bool canClose;
        bool canList;
        bool paneEnabled;
        bool operator==(const Shown &) const = default;
    };
    Shown shown() const
    {
        const TextPane &pane = *main.findChild<TextPane *>(u"txtFichier"_s);
        return {main.findChild<QLabel *>(u"lblFichier"_s)->text(), pane.Text(), action(u"mnuItemOuvrir"_s).isEnabled(),
                action(u"mnuItemFermer"_s).isEnabled(), action(u"Liste"_s).isEnabled(), pane.isEnabled()};
    }
};

char *toString(const Window::Shown &shown)
{
    const auto on = [](bool enabled) { return enabled ? u"oui"_s : u"non"_s; };
    return qstrdup(qPrintable(u"label « %1 », texte « %2 », Ouvrir %3, Fermer %4, Liste %5, volet %6"_s.arg(
        shown.label, shown.text, on(shown.canOpen), on(shown.canClose), on(shown.canList), on(shown.paneEnabled))));
}

class MainWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void openAndCloseShowTheDocument()
    {
        Window window;
        const QString start = u"Chargez un fichier texte avec la commande Ouvrir"_s;
        QCOMPARE(window.shown(),
                 (Window::Shown{.label = start, .text = {}, .canOpen = true, .canClose = false, .canList = true, .paneEnabled = true}));
        window.open("Premi\xE8re\r\nFin");
        QCOMPARE(window.shown(), (Window::Shown{.label = window.folder.filePath(u"texte.txt"_s), .text = u"Première\r\nFin"_s,
                                                .canOpen = false, .canClose = true, .canList = true, .paneEnabled = true}));
        window.action(u"mnuItemFermer"_s).trigger();
        QCOMPARE(window.shown(), (Window::Shown{.label = start + u'.', .text = {}, .canOpen = true, .canClose = false,
                                                .canList = false, .paneEnabled = false}));
    }

    // Under a dark theme the label still reads on its yellow.
    void labelReadsUnderADarkTheme()
    {
        const QPalette desktop = QApplication::palette();
        QApplication::setPalette(darkPalette());
        Window window;
        QApplication::setPalette(desktop);
        QCOMPARE(unreadableLabels(window.main), QStringList());
    }

    // A long path keeps its file's name in sight, and the pane is named after it.
    void longPathKeepsTheFileNameInSight()
    {
        Window window;
        const QString folder = window.folder.filePath(QString(120, u'd'));
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + u"/le fichier.txt"_s;
        QVERIFY(writeBytes(path, "texte"));
        window.main.openFile(path);
        auto *label = window.main.findChild<ElidedLabel *>(u"lblFichier"_s);
        QVERIFY2(label->shownText().endsWith(u"/le fichier.txt"_s) && label->shownText().contains(u'…'), qPrintable(label->shownText()));
        QVERIFY(label->fontMetrics().horizontalAdvance(label->shownText()) <= label->contentsRect().width());
        auto *pane = window.main.findChild<TextPane *>(u"txtFichier"_s);
        QCOMPARE(QAccessible::queryAccessibleInterface(pane)->text(QAccessible::Name), path);
    }

    void paneFollowsTheWindowsSize()
    {
        Window window;
        auto *pane = window.main.findChild<TextPane *>(u"txtFichier"_s);
        window.main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window.main));
        const QSize before = pane->size();
        window.main.resize(window.main.size() + QSize(100, 50));
        QTRY_COMPARE(pane->size(), before + QSize(100, 50));
    }

    void menusHaveTheirShortcuts()
    {
        Window window;
        QStringList shortcuts;
        for (const QString &name : {u"mnuItemOuvrir"_s, u"mnuItemFermer"_s, u"mnuItemQuitter"_s, u"Liste"_s})
            shortcuts.append(window.action(name).shortcut().toString());
        QCOMPARE(shortcuts, (QStringList{u"Ctrl+O"_s, u"Ctrl+W"_s, u"Ctrl+Q"_s, u"Ctrl+L"_s}));
    }

    void aboutOpensOverTheWindow()
    {
        Window window;
        window.action(u"about"_s).trigger();
        QCOMPARE(window.scripted.aboutOwners, (std::vector<QPointer<QWidget>>{&window.main}));
    }

    void wordListOfTheTextShownIsModalUnderTheHourglass()
    {
        Window window;
        window.open("zoo zoo zoo abri");
        window.scripted.pointerLog.clear();
        bool modal = false;
        bool overTheWindow = false;
        bool underTheHourglass = false;
        QString forms;
        inspectNextModal<WordListWindow>([&](WordListWindow &list) {
            modal = list.isModal();
            overTheWindow = list.parentWidget() == &window.main;
            underTheHourglass = window.main.cursor().shape() == Qt::WaitCursor;
            forms = list.findChild<QLabel *>(u"Label6"_s)->text();
        });
        window.action(u"Liste"_s).trigger();
        QVERIFY(modal);
        QVERIFY(overTheWindow);
        QVERIFY(underTheHourglass);
        QCOMPARE(forms, u"4"_s);
        QCOMPARE(window.scripted.pointerChangesOf(&window.main), (std::vector{MousePointer::Hourglass, MousePointer::Default}));
    }

    // "Annuler" on reading a text, pressed as it starts or as it ends, leaves
    // the window as it was, with nothing said.
    void cancelledReadingLeavesTheWindowAsItWas_data()
    {
        QTest::addColumn<DuringNextTask::When>("when");
        QTest::newRow("as it starts") << DuringNextTask::When::AtStart;
        QTest::newRow("as it ends") << DuringNextTask::When::AsItEnds;
    }

    void cancelledReadingLeavesTheWindowAsItWas()
    {
        QFETCH(DuringNextTask::When, when);
        Window window;
        const Window::Shown start = window.shown();
        new DuringNextTask(window.main, when, &TaskRunner::cancel);
        window.open("un deux");
        QCOMPARE(window.shown(), start);
        QVERIFY(window.scripted.messages.requests().empty());
    }

    // So does "Annuler" on the word list.
    void cancelledWordListLeavesTheWindowAsItWas()
    {
        Window window;
        window.open("un deux");
        const Window::Shown loaded = window.shown();
        new DuringNextTask(window.main, DuringNextTask::When::AtStart, &TaskRunner::cancel);
        window.action(u"Liste"_s).trigger();
        QVERIFY(window.main.findChildren<WordListWindow *>().isEmpty());
        QCOMPARE(window.shown(), loaded);
        QVERIFY(window.scripted.messages.requests().empty());
    }

    // Alt+A L typed while a text is read is acted on once it is loaded: its
    // word list opens.
    void keysTypedDuringWorkAreActedOnAfterIt()
    {
        Window window;
        window.main.show();
        QVERIFY(QTest::qWaitForWindowActive(&window.main));
        new DuringNextTask(window.main, DuringNextTask::When::AsItEnds, [&window](TaskRunner &) {
            QTest::keyClick(window.main.windowHandle(), Qt::Key_A, Qt::AltModifier);
            QTest::keyClick(window.main.windowHandle(), Qt::Key_L);
        });
        QString forms;
        inspectNextModal<WordListWindow>([&forms](WordListWindow &list) { forms = list.findChild<QLabel *>(u"Label6"_s)->text(); });
        window.open("zoo zoo abri");
        QTRY_COMPARE(forms, u"3"_s);
    }

    // A local file dropped opens as if chosen, the first of several; anything
    // but a local file, or any file once a text is loaded, is refused.
    void droppedFileOpens()
    {
        Window window;
        const QString path = window.folder.filePath(u"texte.txt"_s);
        QVERIFY(writeBytes(path, "un deux"));
        const auto drop = [&window](const QList<QUrl> &urls) {
            QMimeData data;
            data.setUrls(urls);
            QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(&window.main, &enter);
            QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(&window.main, &dropped);
            return enter.isAccepted() && dropped.isAccepted();
        };
        QVERIFY(!drop({QUrl(u"https://example.org/texte.txt"_s)}));
        QVERIFY(drop({QUrl::fromLocalFile(path), QUrl::fromLocalFile(window.folder.filePath(u"autre.txt"_s))}));
        QCOMPARE(window.shown().label, QDir::toNativeSeparators(path));
        QCOMPARE(window.shown().text, u"un deux"_s);
        QVERIFY(!drop({QUrl::fromLocalFile(path)}));
    }

    // From the word list's concordance, an attestation is selected in the pane.
    void concordanceShowsAnAttestationInThePane()
    {
        Window window;
        window.open("zoo zoo Zoo abri");
        inspectNextModal<WordListWindow>([](WordListWindow &list) {
            auto *grid = list.findChild<QTableView *>(u"grille01"_s);
            grid->setCurrentIndex(grid->model()->index(1, 1));
            list.showConcordance();
            auto *concordance = list.findChild<ConcordanceWindow *>();
            auto *table = concordance->findChild<QTableView *>(u"concordance"_s);
            table->setCurrentIndex(table->model()->index(2, 0));
            concordance->showInText();
        });
        window.action(u"Liste"_s).trigger();
        const TextPane &pane = *window.main.findChild<TextPane *>(u"txtFichier"_s);
        QCOMPARE(pane.selection().anchor, 8);
        QCOMPARE(pane.selectedText(), u"Zoo"_s);
    }

    // The Corpus menu opens texts chosen together, the texts of a folder or
    // the text loaded, each in a workspace of its own beside the window; a
    // file that cannot be read is said and the others open.
    void corpusMenuOpensWorkspaces()
    {
        Window window;
        QVERIFY(!window.action(u"corpusEtudierTexte"_s).isEnabled());
        QVERIFY(writeBytes(window.folder.filePath(u"b.txt"_s), "un chat"));
        QVERIFY(writeBytes(window.folder.filePath(u"a.TXT"_s), "deux chats"));
        window.scripted.dialogs.setNextFileName(window.folder.filePath(u"b.txt"_s) + u'\n'
                                                + window.folder.filePath(u"absent.txt"_s));
        window.action(u"corpusOuvrirTextes"_s).trigger();
        window.scripted.dialogs.setNextFileName(window.folder.path());
        window.action(u"corpusOuvrirDossier"_s).trigger();
        window.open("le chat");
        window.action(u"corpusEtudierTexte"_s).trigger();
        QStringList captions;
        for (const CorpusWindow *corpus : window.main.findChildren<CorpusWindow *>()) {
            QVERIFY(corpus->isVisible() && !corpus->isModal());
            captions.append(corpus->windowTitle());
        }
        QCOMPARE(captions, (QStringList{u"b.txt"_s, u"Corpus – 2 textes"_s, u"texte.txt"_s}));
        QCOMPARE(window.scripted.messages.requests().size(), size_t(1));
        QVERIFY(window.scripted.messages.requests().front().prompt.contains(u"absent.txt"_s));
    }
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
