// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/qtfiledialogs.h"
#include "gui/platform/taskrunner.h"
#include "platform/files/namefilters.h"
#include "platform/interaction/taskprogress.h"
#include "platform/system/qttranslations.h"
#include "support/testfiles.h"
#include "support/windowtesting.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <new>
#include <thread>
#include <utility>

using namespace lexalon;
using namespace lexalon::testing;
using namespace Qt::StringLiterals;

static const QString textFilter = u"Fichiers Texte (*.TXT)|*.TXT"_s;

// The file dialogs and translations the windows rely on.
class QtPlatformTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(installQtFrenchTranslations(*QCoreApplication::instance()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
    }

    void textFilterMatchesTxtInAnyCase()
    {
        const QStringList filters = platformNameFilters(qtNameFilters(textFilter));
        QCOMPARE(filters.size(), 1);
        const QRegularExpression pattern(QRegularExpression::wildcardToRegularExpression(filters[0].section(u'(', -1).chopped(1)));
        for (const QString &name : {u"CONTE.TXT"_s, u"Conte.Txt"_s, u"été.txt"_s, u"conte.doc"_s, u"conte.txt.bak"_s})
            QCOMPARE(pattern.match(name).hasMatch(), name.endsWith(u".txt"_s, Qt::CaseInsensitive));
    }

    // Open shows the text filter, Save leaves the overwrite question to the
    // command and gives the type chosen, a cancel gives no name; each dialog
    // starts in the current folder, then in the last chosen file's, and
    // leaves no settings behind.
    void fileDialogsReturnTheChoice()
    {
        const QString filter = textFilter + u"|Images SVG (*.svg)|*.svg"_s;
        QTemporaryDir folder;
        const QString path = folder.filePath(u"conte.txt"_s);
        QVERIFY(writeBytes(path, QByteArray()));
        QPrinter printer;
        QtFileDialogs dialogs(printer);
        QString start = QDir::currentPath();
        for (const auto &[save, accept] : {std::pair{false, true}, {true, true}, {false, false}}) {
            QStringList seen;
            inspectNextModal<QFileDialog>([&, save = save, accept = accept](QFileDialog &dialog) {
                seen << dialog.directory().absolutePath() << dialog.findChild<QComboBox *>(u"fileTypeCombo"_s)->currentText()
                     << (save ? QString::number(dialog.testOption(QFileDialog::DontConfirmOverwrite))
                              : dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Open)->text());
                dialog.selectNameFilter(dialog.nameFilters().at(save));
                dialog.selectFile(path);
                if (accept)
                    static_cast<QDialog &>(dialog).accept();
            });
            const SaveChoice chosen = save ? dialogs.saveFileName(filter) : SaveChoice{dialogs.openFileName(filter)};
            QCOMPARE(seen, (QStringList{start, u"Fichiers Texte (*.TXT)"_s, save ? u"1"_s : u"&Ouvrir"_s}));
            start = QDir(folder.path()).absolutePath();
            QCOMPARE(chosen.path, accept ? QDir::toNativeSeparators(path) : QString());
            QCOMPARE(chosen.type, int(save));
        }
        QCOMPARE(QDir(m_config.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    }

    void printerSetupShowsTheProgramsPrinter()
    {
        QPrinter printer;
        QtFileDialogs dialogs(printer);
        QPrinter *shown = nullptr;
        inspectNextModal<QPrintDialog>([&shown](QPrintDialog &dialog) { shown = dialog.printer(); });
        QVERIFY2(!dialogs.printerSetup(), "a dialog closed without printing is a cancel");
        QCOMPARE(shown, &printer);
    }

    void quickWorkShowsNoDialog()
    {
        QWidget owner;
        owner.show();
        TaskRunner runner(owner);
        QVERIFY(runner.run(u"Vite"_s, [](TaskProgress &progress) { progress.advance(1); }));
        QVERIFY(!owner.findChild<QProgressDialog *>());
    }

    // Long work shows a dialog, whose "Annuler" stops it.
    void longWorkShowsADialogThatCancels()
    {
        QWidget owner;
        owner.show();
        TaskRunner runner(owner);
        QString label;
        QTimer watch;
        connect(&watch, &QTimer::timeout, &owner, [&] {
            auto *dialog = owner.findChild<QProgressDialog *>();
            if (dialog && dialog->isVisible() && label.isEmpty()) {
                label = dialog->labelText();
                QTest::mouseClick(dialog->findChild<QPushButton *>(), Qt::LeftButton);
            }
        });
        watch.start(10);
        const bool finished = runner.run(u"Longue tâche"_s, [](TaskProgress &progress) {
            progress.setTotal(100);
            for (qint64 step = 0;; ++step) {
                progress.advance(step % 100);
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        });
        QVERIFY(!finished);
        QCOMPARE(label, u"Longue tâche"_s);
    }

    void closingTheWindowStopsItsWork()
    {
        QWidget owner;
        owner.show();
        TaskRunner runner(owner);
        QTimer::singleShot(20, &owner, &QWidget::close);
        QVERIFY(!runner.run(u"Longue tâche"_s, [](TaskProgress &progress) {
            for (int step = 0; step < 10000; ++step) {
                progress.advance(0);
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        }));
    }

    void failureOfTheWorkComesBackToTheCaller()
    {
        QWidget owner;
        TaskRunner runner(owner);
        QVERIFY_THROWS_EXCEPTION(std::bad_alloc, runner.run(u"Échec"_s, [](TaskProgress &) { throw std::bad_alloc(); }));
    }

private:
    // Where the user's settings would be made.
    QTemporaryDir m_config;
};

QTEST_MAIN(QtPlatformTest)
#include "qtplatform_test.moc"
