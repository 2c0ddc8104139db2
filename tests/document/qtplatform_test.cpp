#include "platform/namefilters.h"
#include "platform/qt/qtfiledialogs.h"
#include "platform/qttranslations.h"
#include "support/testfiles.h"
#include "support/windowtesting.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

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
    void initTestCase() { QVERIFY(installQtFrenchTranslations(*QCoreApplication::instance())); }

    void textFilterMatchesTxtInAnyCase()
    {
        const QStringList filters = platformNameFilters(qtNameFilters(textFilter));
        QCOMPARE(filters.size(), 1);
        const QRegularExpression pattern(QRegularExpression::wildcardToRegularExpression(filters[0].section(u'(', -1).chopped(1)));
        for (const QString &name : {u"CONTE.TXT"_s, u"Conte.Txt"_s, u"été.txt"_s, u"conte.doc"_s, u"conte.txt.bak"_s})
            QCOMPARE(pattern.match(name).hasMatch(), name.endsWith(u".txt"_s, Qt::CaseInsensitive));
    }

    // Open shows the text filter, Save leaves the overwrite question to the
    // command, a cancel gives no name; each dialog starts in the current
    // folder, then in the last chosen file's; printer setup shows the
    // program's printer.
    void dialogsReturnTheChoice()
    {
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
                dialog.selectFile(path);
                if (accept)
                    static_cast<QDialog &>(dialog).accept();
            });
            const QString chosen = save ? dialogs.saveFileName(textFilter) : dialogs.openFileName(textFilter);
            QCOMPARE(seen, (QStringList{start, u"Fichiers Texte (*.TXT)"_s, save ? u"1"_s : u"&Ouvrir"_s}));
            start = QDir(folder.path()).absolutePath();
            QCOMPARE(chosen, accept ? QDir::toNativeSeparators(path) : QString());
        }
        QPrinter *shown = nullptr;
        inspectNextModal<QPrintDialog>([&shown](QPrintDialog &dialog) { shown = dialog.printer(); });
        QVERIFY2(!dialogs.printerSetup(), "a dialog closed without printing is a cancel");
        QCOMPARE(shown, &printer);
    }
};

QTEST_MAIN(QtPlatformTest)
#include "qtplatform_test.moc"
