#include "output/printcommand.h"

#include "platform/filedialogs.h"
#include "output/gridcursor.h"
#include "platform/busypointer.h"
#include "platform/messagebox.h"
#include "platform/printingservice.h"
#include "wordforms/analysis.h"
#include "wordforms/wordgrid.h"

using namespace Qt::StringLiterals;

namespace lexalon {

namespace {

constexpr int headingRow = 0;

// One run of the command, with its page line counter.
class WordListPrintout
{
public:
    WordListPrintout(WordGrid &grid, PrintingService &printer)
        : m_grid(grid)
        , m_printer(printer)
    {
    }

    void printHeading()
    {
        setFont(printlayout::headingFontSize, true);
        printRow(headingRow);
        startLineOnPage();
        m_printer.printLine(QString::fromUtf16(printlayout::rule));
    }

    void printForms()
    {
        setFont(printlayout::rowFontSize, false);
        const int rows = m_grid.Rows();
        for (int row = headingRow + 1; row < rows; ++row) {
            printRow(row);
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

    void printRow(int row)
    {
        startLineOnPage();
        ++m_linesOnPage;
        const QString form = rightTrimmed(m_grid.cellText(row, formColumn));
        const QString count = rightTrimmed(m_grid.cellText(row, countColumn));
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
        m_printer.NewPage();
    }

    WordGrid &m_grid;
    PrintingService &m_printer;
    int m_linesOnPage = 0;
};

void reportFailure(const QString &reason, MessageBox &messages)
{
    MessageRequest failure;
    failure.prompt = u"La liste n'a pas pu être imprimée."_s + u"\r\n"_s + reason;
    failure.icon = MessageIcon::Critical;
    failure.title = u"Erreur d'impression"_s;
    messages.show(failure);
}

} // namespace

QString rightTrimmed(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == u' ')
        --end;
    return text.left(end);
}

void printWordList(WordGrid &grille01, FileDialogs &dialogs, PrintingService &printer,
                   MessageBox &messages, BusyPointer &pointer)
{
    // The dialog's "Annuler" prints nothing and writes nothing.
    if (!dialogs.printerSetup())
        return;

    WordListPrintout printout(grille01, printer);
    pointer.setMousePointer(MousePointer::Hourglass);
    printout.printHeading();
    printout.printForms();
    const PrintOutcome outcome = printer.EndDoc();
    leaveCursorAfterReading(grille01);
    pointer.setMousePointer(MousePointer::Default);

    if (!outcome.ok)
        reportFailure(outcome.errorString, messages);
}

} // namespace lexalon
