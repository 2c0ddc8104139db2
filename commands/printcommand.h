// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <span>
#include <vector>

namespace lexalon {

class BusyPointer;
class Concordance;
class FileDialogs;
class MessageBox;
class PrintingService;
class WordList;
struct Measure;

// The printed page, in the units of the printing service.
namespace printlayout {
inline constexpr auto fontName = u"verdana";
inline constexpr int headingFontSize = 12; // points, bold: the heading and the rule
inline constexpr int rowFontSize = 9;      // points
inline constexpr int countX = 5000;        // twips from the left of the printable area
inline constexpr int linesPerPage = 68;    // the heading counts as one, the rule as none
inline constexpr auto rule = u"------------------------------------------------------------";
// A curve under the statistics: six and a quarter inches by four.
inline constexpr int pictureWidth = 9000;  // twips
inline constexpr int pictureHeight = 5760; // twips
// A concordance's columns, within the curve's width: the number, the left
// context ending before the form's column, the form centred in it, then the
// right context.
inline constexpr int leftContextX = 800;     // twips
inline constexpr int leftContextEnd = 4000;  // twips
inline constexpr int formColumn = 4100;      // twips
inline constexpr int formColumnWidth = 1200; // twips
inline constexpr int rightContextX = 5400;   // twips
inline constexpr int lineEnd = pictureWidth;
} // namespace printlayout

// "Imprimer": offers the printer dialog; once it is accepted, prints the
// heading, a rule and every row of the word list, and reports a failure of
// the printer. A cancelled dialog prints and changes nothing: then false.
bool printWordList(const WordList &list, FileDialogs &dialogs, PrintingService &printer,
                   MessageBox &messages, BusyPointer &pointer);

// The rows of the list given, in their order, as the list above; every row
// when none are given.
bool printWordListRows(const WordList &list, std::span<const std::uint32_t> rows, FileDialogs &dialogs,
                       PrintingService &printer, MessageBox &messages, BusyPointer &pointer);

// "Imprimer" of the concordance: its title, the heading and a rule, then one
// line per row in the order shown, the contexts at the width shown cut to
// their columns.
bool printConcordance(const Concordance &concordance, int words, const QString &form, FileDialogs &dialogs,
                      PrintingService &printer, MessageBox &messages, BusyPointer &pointer);

// "Imprimer" of the lexical statistics: the measures, then the curve shown
// (an SVG picture), on one page.
bool printStatistics(const std::vector<Measure> &measures, const QByteArray &curveSvg, FileDialogs &dialogs,
                     PrintingService &printer, MessageBox &messages, BusyPointer &pointer);

} // namespace lexalon
