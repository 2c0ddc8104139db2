// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/concordance/concordancewindow.h"
#include "gui/wordlist/wordlistmodel.h"
#include "gui/wordlist/wordlistview.h"
#include "gui/wordlist/wordlistwindow.h"
#include "support/windowtesting.h"
#include "tests/support/testfiles.h"
#include "wordforms/textstudy.h"
#include "wordforms/wordlist.h"

#include <QAbstractItemModelTester>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include <functional>
#include <initializer_list>
#include <memory>

using namespace lexalon;
using namespace lexalon::testing;
using namespace Qt::StringLiterals;

// Wiring only: what the core does with the list is tested there. A model tester watches every change of the list.
class WordListWindowTest : public QObject
{
    Q_OBJECT

    void load(const QString &text)
    {
        m_window = std::make_unique<WordListWindow>(std::make_shared<TextStudy>(text), m_scripted->services());
        new QAbstractItemModelTester(model(), QAbstractItemModelTester::FailureReportingMode::QtTest, m_window.get());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    WordListView *view() const { return m_window->findChild<WordListView *>(u"grille01"_s); }
    WordListModel *model() const { return qobject_cast<WordListModel *>(view()->model()); }
    QPushButton *button() const { return m_window->findChild<QPushButton *>(u"Command1"_s); }
    QAction *action(const QString &name) const { return m_window->findChild<QAction *>(name); }
    QModelIndex countCell(const QString &form) const
    {
        return model()->match(model()->index(0, 0), Qt::DisplayRole, form, 1, Qt::MatchExactly).value(0).siblingAtColumn(1);
    }
    // The rows as the view shows them, one "form count" a row.
    QStringList shownRows() const
    {
        QStringList rows;
        for (int row = 0; row < model()->rowCount(); ++row)
            rows.append(model()->index(row, 0).data().toString() + u' ' + model()->index(row, 1).data().toString());
        return rows;
    }

    // The windows shown beside the list, in the order they opened.
    QStringList openedTitles() const
    {
        QStringList titles;
        for (const QDialog *window : m_window->findChildren<QDialog *>(Qt::FindDirectChildrenOnly))
            if (window->isVisible())
                titles.append(window->windowTitle());
        return titles;
    }

    std::unique_ptr<ScriptedServices> m_scripted;
    std::unique_ptr<WordListWindow> m_window;
    const QString toFrequencies = u"Tri par fréquences décroissantes"_s;

private Q_SLOTS:
    void init()
    {
        m_window.reset();
        m_scripted = std::make_unique<ScriptedServices>();
    }

    void opensAlphabeticalWithItsFigures()
    {
        load(u"Le chat, le CHAT et l'ane."_s);
        QCOMPARE(shownRows(), (QStringList{u"ane 1"_s, u"chat 2"_s, u"et 1"_s, u"l 1"_s, u"le 2"_s}));
        QCOMPARE(model()->index(1, 0).data(Qt::ToolTipRole).toString(), u"chat"_s);
        QCOMPARE(m_window->findChild<QLabel *>(u"Label6"_s)->text(), u"7"_s);
        QCOMPARE(m_window->findChild<QLabel *>(u"Label7"_s)->text(), u"5"_s);
    }

    // Only counts can be made current, the first one at once; the keys move
    // from it and typed letters find forms.
    void onlyCountsAreMadeCurrent()
    {
        load(u"Le chat, le CHAT et l'ane."_s);
        QCOMPARE(m_window->focusWidget(), view());
        QCOMPARE(view()->selectionModel()->selectedIndexes(), QModelIndexList{countCell(u"ane"_s)});
        QTest::keyClick(view(), Qt::Key_Down);
        const QModelIndex chat = countCell(u"chat"_s);
        QCOMPARE(view()->currentIndex(), chat);
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, view()->visualRect(countCell(u"le"_s).siblingAtColumn(0)).center());
        QCOMPARE(view()->currentIndex(), chat);
        QTest::keyClicks(view(), u"L"_s);
        QCOMPARE(view()->currentIndex(), countCell(u"l"_s));
        QTest::keyClick(view(), Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(view()->currentIndex(), countCell(u"le"_s));
    }

    // The button, pressed under the hourglass or given Entrée, names the
    // order the list is not in; the highlight stays on its row.
    void buttonSwapsTheOrders()
    {
        load(u"Le chat, le CHAT et l'ane."_s);
        QTest::mouseClick(button(), Qt::LeftButton);
        QCOMPARE(m_scripted->pointerChangesOf(m_window.get()), (std::vector{MousePointer::Hourglass, MousePointer::Default}));
        QCOMPARE(button()->text(), u"Tri alphabétique"_s);
        QCOMPARE(shownRows().first(), u"chat 2"_s);
        QCOMPARE(view()->currentIndex().row(), 0);
        button()->setFocus();
        QTest::keyClick(button(), Qt::Key_Return);
        QCOMPARE(button()->text(), toFrequencies);
    }

    // In the order shown, in Windows-1252.
    void savesTheOrderShown()
    {
        load(u"Le chat, le CHAT et l'âne."_s);
        QTest::mouseClick(button(), Qt::LeftButton);
        const QTemporaryDir folder;
        m_scripted->dialogs.setNextFileName(folder.filePath(u"liste.txt"_s));
        action(u"enregistrer"_s)->trigger();
        QCOMPARE(contentOf(folder.filePath(u"liste.txt"_s)),
                 "Formes\tNombre d'attestations\r\nchat\t2\r\nle\t2\r\n\xE2ne\t1\r\net\t1\r\nl\t1\r\n"_ba);
    }

    // Saving and printing leave the current cell and the view where they were.
    void saveAndPrintKeepTheCurrentCellAndTheView()
    {
        QString text;
        for (int n = 0; n < 26 * 26; ++n)
            text += QString(QChar(u'a' + n / 26)) + QChar(u'a' + n % 26) + u' ';
        load(text);
        const QTemporaryDir folder;
        m_scripted->dialogs.setNextFileName(folder.filePath(u"liste.txt"_s));
        view()->setCurrentIndex(countCell(u"mm"_s));
        const int top = view()->rowAt(0);
        action(u"enregistrer"_s)->trigger();
        QVERIFY(QFile::exists(folder.filePath(u"liste.txt"_s)));
        action(u"imprimer"_s)->trigger();
        QCOMPARE(m_scripted->printing.documents().size(), size_t(1));
        QCOMPARE(view()->currentIndex(), countCell(u"mm"_s));
        QCOMPARE(view()->rowAt(0), top);
    }

    void commandsHaveTheirShortcuts()
    {
        load(u"Le chat"_s);
        QStringList shortcuts;
        for (const QString &name : {u"enregistrer"_s, u"imprimer"_s, u"fermer"_s})
            shortcuts.append(action(name)->shortcut().toString());
        QCOMPARE(shortcuts, (QStringList{u"Ctrl+S"_s, u"Ctrl+P"_s, u"Ctrl+W"_s}));
    }

    // Figures of up to twelve digits are shown whole, as is the button's
    // caption, whatever serif stands in for the window's.
    void figuresAndCaptionsAreNeverCut()
    {
        qint64 count = 0;
        for (int digits = 1; digits <= 12; ++digits) {
            count = count * 10 + 8;
            TextStore forms;
            const TextStore::Index form = forms.append(u"mot");
            WordList list(std::move(forms));
            list.append(form, count);
            m_window = std::make_unique<WordListWindow>(std::make_shared<TextStudy>(TextAnalysis{std::move(list), {}}),
                                                        m_scripted->services());
            auto *total = m_window->findChild<QLabel *>(u"Label6"_s);
            QCOMPARE(total->toolTip(), QString::number(count));
            for (QWidget *shown : std::initializer_list<QWidget *>{total, button()}) {
                const QString text = shown->property("text").toString();
                QVERIFY2(shown->fontMetrics().horizontalAdvance(text) <= shown->contentsRect().width(), qPrintable(text));
            }
        }
    }

    // Under a dark theme every text keeps a colour that reads on its ground,
    // the grid's cells and its navy highlight included.
    void darkThemeKeepsTextReadable()
    {
        const QPalette desktop = QApplication::palette();
        QApplication::setPalette(darkPalette());
        load(u"Le chat"_s);
        QApplication::setPalette(desktop);
        QCOMPARE(unreadableLabels(*m_window), QStringList());
        for (const QModelIndex &cell : {model()->index(0, 0), model()->index(0, 1)})
            QVERIFY(contrast(cell.data(Qt::ForegroundRole).value<QBrush>().color(), cell.data(Qt::BackgroundRole).value<QBrush>().color()) > 7);
        QVERIFY(contrast(view()->palette().color(QPalette::HighlightedText), view()->palette().color(QPalette::Highlight)) > 3.9);
    }

    // A screen reader finds the title once, each figure named after its
    // caption, the grid by its name, nothing hidden, and what the window is.
    void screenReadersReadTheWindow()
    {
        load(u"Le chat, le CHAT et l'ane."_s);
        QStringList names;
        std::function<void(QAccessibleInterface *)> read = [&](QAccessibleInterface *node) {
            for (int i = 0; i < node->childCount(); ++i) {
                QAccessibleInterface *child = node->child(i);
                if (child->role() == QAccessible::StaticText || child->role() == QAccessible::Table)
                    names.append(child->text(QAccessible::Name));
                read(child);
            }
        };
        QAccessibleInterface *window = QAccessible::queryAccessibleInterface(m_window.get());
        read(window);
        QCOMPARE(names, (QStringList{u"Listes du lexalon"_s, u"Nombre total de formes de l'extrait :"_s,
                                     u"Nombre total de formes de l'extrait : 7"_s, u"Nombre total de formes différentes :"_s,
                                     u"Nombre total de formes différentes : 5"_s, u"Liste des formes"_s}));
        QVERIFY(!window->text(QAccessible::Description).isEmpty());
    }

    // Entrée, a double-click on a form and the Outils menu open the
    // concordance of the form chosen, and Entrée does not press the button.
    void choosingAFormOpensItsConcordance_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("form");
        QTest::newRow("Entrée") << u"key"_s << u"chat"_s;
        QTest::newRow("double-click") << u"double-click"_s << u"et"_s;
        QTest::newRow("Outils") << u"menu"_s << u"le"_s;
    }

    void choosingAFormOpensItsConcordance()
    {
        QFETCH(QString, way);
        QFETCH(QString, form);
        load(u"Le chat, le CHAT et l'ane."_s);
        view()->setCurrentIndex(countCell(form));
        if (way == u"key")
            QTest::keyClick(view(), Qt::Key_Return);
        else if (way == u"double-click")
            QTest::mouseDClick(view()->viewport(), Qt::LeftButton, {}, view()->visualRect(countCell(form).siblingAtColumn(0)).center());
        else
            action(u"concordance"_s)->trigger();
        QCOMPARE(openedTitles(), QStringList{u"Concordance de « %1 »"_s.arg(form)});
        QCOMPARE(button()->text(), toFrequencies);
    }

    // Concordances open beside the list, several at once, none modal, and
    // the list still takes clicks; each goes when closed, the others with
    // the list.
    void concordancesOpenBesideTheList()
    {
        load(u"Le chat, le CHAT et l'ane."_s);
        for (const QString &form : {u"chat"_s, u"le"_s}) {
            view()->setCurrentIndex(countCell(form));
            action(u"concordance"_s)->trigger();
        }
        QCOMPARE(openedTitles(), (QStringList{u"Concordance de « chat »"_s, u"Concordance de « le »"_s}));
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, view()->visualRect(countCell(u"et"_s)).center());
        QCOMPARE(view()->currentIndex(), countCell(u"et"_s));
        const QPointer<ConcordanceWindow> first = m_window->findChild<ConcordanceWindow *>();
        first->findChild<QAction *>(u"fermer"_s)->trigger();
        QTRY_VERIFY(!first);
        const QPointer<ConcordanceWindow> second = m_window->findChild<ConcordanceWindow *>();
        action(u"fermer"_s)->trigger();
        QTRY_VERIFY(!second);
    }

    // Outils opens the statistics of the same list.
    void statisticsAreOfTheSameList()
    {
        load(u"Le chat, le CHAT et l'ane."_s);
        action(u"statistiques"_s)->trigger();
        QCOMPARE(openedTitles(), QStringList{u"Statistiques lexicales"_s});
        QCOMPARE(m_window->findChild<QTableView *>(u"mesures"_s)->model()->index(0, 1).data().toString(), u"7"_s);
    }

    // A form of a million letters is named and shown in part.
    void longFormIsShownInPart()
    {
        load(QString(1'000'000, u'a'));
        view()->setCurrentIndex(model()->index(0, 1));
        action(u"concordance"_s)->trigger();
        QCOMPARE((QList<qsizetype>{openedTitles().value(0).size(), m_window->findChild<QTextEdit *>(u"paragraphe"_s)->toPlainText().size()}),
                 (QList<qsizetype>{u"Concordance de «  »"_s.size() + 61, 4097}));
    }

    void concordanceIsDisabledWithNoForm()
    {
        load(u"1, 2, 3"_s);
        QVERIFY(!action(u"concordance"_s)->isEnabled());
    }
};

QTEST_MAIN(WordListWindowTest)
#include "wordlistwindow_test.moc"
