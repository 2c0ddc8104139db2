#include "output/printcommand.h"

#include "platform/busyscope.h"
#include "platform/filedialogs.h"
#include "platform/messagebox.h"
#include "platform/printingservice.h"
#include "wordforms/wordlist.h"

using namespace Qt::StringLiterals;

namespace lexalon {

namespace {

// One run of the command, with its page line counter.
class WordListPrintout
{
public:
    WordListPrintout(const WordList &list, PrintingService &printer)
        : m_list(list)
        , m_printer(printer)
    {
    }

    void printHeading()
    {
        setFont(printlayout::headingFontSize, true);
        printRow(QString::fromUtf16(formsHeading), QString::fromUtf16(countHeading));
        startLineOnPage();
        m_printer.printLine(QString::fromUtf16(printlayout::rule));
    }

    void printForms()
    {
        setFont(printlayout::rowFontSize, false);
        for (qsizetype row = 0; row < m_list.size(); ++row) {
            printRow(m_list.form(row).toString(), QString::number(m_list.count(row)));
            if (m_linesOnPage == printlayout::linesPerPage)
                newPage();
        }
    }

private:
    void setFont(int points, bool bold)
    {
        m_printer.setFontSize(points);
        m_printer.setFontName(QString::fromUtf16(printlayout::fontName));
        m_printer.setFontBold(bold);
    }

    void printRow(const QString &form, const QString &count)
    {
        startLineOnPage();
        ++m_linesOnPage;
        m_printer.printContinuing(form);
        m_printer.setCurrentX(printlayout::countX);
        m_printer.printLine(count);
    }

    // A page shorter than its share of lines continues on a new one rather
    // than losing them.
    void startLineOnPage()
    {
        if (!m_printer.hasRoomForLine())
            newPage();
    }

    void newPage()
    {
        m_linesOnPage = 0;
        m_printer.newPage();
    }

    const WordList &m_list;
    PrintingService &m_printer;
    int m_linesOnPage = 0;
};

void reportFailure(const QString &reason, MessageBox &messages)
{
    messages.show(failureMessage(u"La liste n'a pas pu être imprimée."_s, reason, u"Erreur d'impression"_s));
}

} // namespace

bool printWordList(const WordList &list, FileDialogs &dialogs, PrintingService &printer,
                   MessageBox &messages, BusyPointer &pointer)
{
    // The dialog's "Annuler" prints nothing and writes nothing.
    if (!dialogs.printerSetup())
        return false;

    PrintOutcome outcome;
    {
        const BusyScope busy(pointer);
        WordListPrintout printout(list, printer);
        printout.printHeading();
        printout.printForms();
        outcome = printer.endDocument();
    }
    if (!outcome.ok)
        reportFailure(outcome.errorString, messages);
    return true;
}

} // namespace lexalon
