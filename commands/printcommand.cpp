// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/printcommand.h"

#include "platform/interaction/busyscope.h"
#include "platform/interaction/filedialogs.h"
#include "platform/interaction/messagebox.h"
#include "platform/interaction/printingservice.h"
#include "wordforms/concordance.h"
#include "wordforms/lexicalstatistics.h"
#include "wordforms/wordlist.h"


#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <span>

using namespace Qt::StringLiterals;

namespace lexalon {

namespace {

// Lines on pages: a page takes its share of rows, fewer when it is shorter.
class PagedPrintout
{
protected:
    explicit PagedPrintout(PrintingService &printer)
        : m_printer(printer)
    {
    }

    void setFont(int points, bool bold)
    {
        m_printer.setFontSize(points);
        m_printer.setFontName(QString::fromUtf16(printlayout::fontName));
        m_printer.setFontBold(bold);
    }

    // A line that counts towards the page's share.
    void startRow()
    {
        startLineOnPage();
        ++m_linesOnPage;
    }

    void endPageWhenFull()
    {
        if (m_linesOnPage == printlayout::linesPerPage)
            newPage();
    }

    void printRule()
    {
        startLineOnPage();
        m_printer.printLine(QString::fromUtf16(printlayout::rule));
    }

    PrintingService &m_printer;

private:
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

    int m_linesOnPage = 0;
};

// One run of the command, with its page line counter.
class WordListPrintout final : PagedPrintout
{
public:
    // The rows given, in their order; all of them when none are.
    WordListPrintout(const WordList &list, std::span<const std::uint32_t> rows, PrintingService &printer)
        : PagedPrintout(printer)
        , m_list(list)
        , m_rows(rows)
    {
    }

    void printHeading()
    {
        setFont(printlayout::headingFontSize, true);
        printRow(QString::fromUtf16(formsHeading), QString::fromUtf16(countHeading));
        printRule();
    }

    void printForms()
    {
        setFont(printlayout::rowFontSize, false);
        const qsizetype rows = m_rows.empty() ? m_list.size() : qsizetype(m_rows.size());
        for (qsizetype i = 0; i < rows; ++i) {
            const qsizetype row = m_rows.empty() ? i : qsizetype(m_rows[size_t(i)]);
            printRow(m_list.form(row).toString(), QString::number(m_list.count(row)));
            endPageWhenFull();
        }
    }

private:
    void printRow(const QString &form, const QString &count)
    {
        startRow();
        m_printer.printContinuing(form);
        m_printer.setCurrentX(printlayout::countX);
        m_printer.printLine(count);
    }

    const WordList &m_list;
    std::span<const std::uint32_t> m_rows;
};

// The longest start (or end) of the text that fits the width, an ellipsis
// marking what is cut; a pair of surrogates stays whole.
QString fitted(const QString &text, int width, bool keepEnd, const PrintingService &printer)
{
    if (printer.textWidth(text) <= width)
        return text;
    const QString ellipsis = u"…"_s;
    const auto part = [&](qsizetype kept) {
        return keepEnd ? ellipsis + text.right(kept) : text.left(kept) + ellipsis;
    };
    qsizetype fits = 0;
    qsizetype tooLong = text.size();
    while (tooLong - fits > 1) {
        const qsizetype middle = (fits + tooLong) / 2;
        (printer.textWidth(part(middle)) <= width ? fits : tooLong) = middle;
    }
    if (fits > 0 && (keepEnd ? text[text.size() - fits].isLowSurrogate() : text[fits - 1].isHighSurrogate()))
        --fits;
    return fits > 0 ? part(fits) : QString();
}

class ConcordancePrintout final : PagedPrintout
{
public:
    ConcordancePrintout(const Concordance &concordance, int words, PrintingService &printer)
        : PagedPrintout(printer)
        , m_concordance(concordance)
        , m_words(words)
    {
    }

    void printHeading(const QString &form)
    {
        setFont(printlayout::headingFontSize, true);
        startRow();
        m_printer.printLine(u"Concordance de « %1 »"_s.arg(form));
        std::array<QString, 4> titles;
        std::transform(std::begin(concordanceColumns), std::end(concordanceColumns), titles.begin(),
                       [](QStringView title) { return title.toString(); });
        printRow(titles, true);
        printRule();
    }

    void printLines()
    {
        setFont(printlayout::rowFontSize, false);
        for (qsizetype row = 0; row < m_concordance.size(); ++row) {
            const qsizetype attestation = m_concordance.attestation(row);
            const ConcordanceLine line = m_concordance.line(attestation, m_words);
            printRow({QString::number(attestation + 1), line.left, line.form, line.right}, false);
            endPageWhenFull();
        }
    }

private:
    // The number, the left context ending at its column's end, the form
    // centred in its column, and the right context after it, each cut to
    // what the line has room for.
    void printRow(const std::array<QString, 4> &texts, bool bold)
    {
        const auto &[number, whole, form, right] = texts;
        startRow();
        m_printer.printContinuing(number);
        const QString left = fitted(whole, printlayout::leftContextEnd - printlayout::leftContextX, true, m_printer);
        if (!left.isEmpty()) {
            m_printer.setCurrentX(printlayout::leftContextEnd - m_printer.textWidth(left));
            m_printer.printContinuing(left);
        }
        m_printer.setFontBold(true);
        const int formWidth = m_printer.textWidth(form);
        const int formX = printlayout::formColumn + std::max(0, (printlayout::formColumnWidth - formWidth) / 2);
        m_printer.setCurrentX(formX);
        m_printer.printContinuing(form);
        m_printer.setFontBold(bold);
        const int rightX = std::max(printlayout::rightContextX, formX + formWidth + m_printer.textWidth(u" "_s));
        m_printer.setCurrentX(rightX);
        m_printer.printLine(fitted(right, printlayout::lineEnd - rightX, false, m_printer));
    }

    const Concordance &m_concordance;
    int m_words;
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
    return printWordListRows(list, {}, dialogs, printer, messages, pointer);
}

bool printWordListRows(const WordList &list, std::span<const std::uint32_t> rows, FileDialogs &dialogs,
                       PrintingService &printer, MessageBox &messages, BusyPointer &pointer)
{
    const auto document = [&] {
        WordListPrintout printout(list, rows, printer);
        printout.printHeading();
        printout.printForms();
    };
    return print(document, u"La liste n'a pas pu être imprimée."_s, dialogs, printer, messages, pointer);
}

bool printConcordance(const Concordance &concordance, int words, const QString &form, FileDialogs &dialogs,
                      PrintingService &printer, MessageBox &messages, BusyPointer &pointer)
{
    const auto document = [&] {
        ConcordancePrintout printout(concordance, words, printer);
        printout.printHeading(form);
        printout.printLines();
    };
    return print(document, u"La concordance n'a pas pu être imprimée."_s, dialogs, printer, messages, pointer);
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
