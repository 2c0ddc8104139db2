#include "output/printcommand.h"

#include "platform/busyscope.h"
#include "platform/filedialogs.h"
#include "platform/messagebox.h"
#include "platform/printingservice.h"
#include "wordforms/lexicalstatistics.h"
#include "wordforms/wordlist.h"

#include <functional>

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

// The printer dialog, then the document under the hourglass, then a message
// if the printer failed. The dialog's "Annuler" prints nothing and writes
// nothing: then false.
bool print(const std::function<void()> &document, const QString &failure, FileDialogs &dialogs,
           PrintingService &printer, MessageBox &messages, BusyPointer &pointer)
{
    if (!dialogs.printerSetup())
        return false;
    PrintOutcome outcome;
    {
        const BusyScope busy(pointer);
        document();
        outcome = printer.endDocument();
    }
    if (!outcome.ok)
        messages.show(failureMessage(failure, outcome.errorString, u"Erreur d'impression"_s));
    return true;
}

} // namespace

bool printWordList(const WordList &list, FileDialogs &dialogs, PrintingService &printer,
                   MessageBox &messages, BusyPointer &pointer)
{
    const auto document = [&] {
        WordListPrintout printout(list, printer);
        printout.printHeading();
        printout.printForms();
    };
    return print(document, u"La liste n'a pas pu être imprimée."_s, dialogs, printer, messages, pointer);
}

bool printStatistics(const std::vector<Measure> &measures, const QByteArray &curveSvg, FileDialogs &dialogs,
                     PrintingService &printer, MessageBox &messages, BusyPointer &pointer)
{
    const auto document = [&] {
        printer.setFontName(QString::fromUtf16(printlayout::fontName));
        printer.setFontSize(printlayout::headingFontSize);
        printer.setFontBold(true);
        printer.printLine(u"Statistiques lexicales"_s);
        printer.printLine(QString());
        printer.setFontSize(printlayout::rowFontSize);
        printer.setFontBold(false);
        for (const Measure &measure : measures) {
            printer.printContinuing(measure.name);
            printer.setCurrentX(printlayout::countX);
            printer.printLine(measure.value);
        }
        printer.printLine(QString());
        printer.printPicture(curveSvg, printlayout::pictureWidth, printlayout::pictureHeight);
    };
    return print(document, u"Les statistiques n'ont pas pu être imprimées."_s, dialogs, printer, messages, pointer);
}

} // namespace lexalon
