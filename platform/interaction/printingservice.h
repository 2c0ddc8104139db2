// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace lexalon {

struct PrintOutcome
{
    bool ok = true;
    QString errorString; // why nothing was printed, in French, when not ok
};

// The printer as the program drives it: text placed line by line, positions
// in twips from the left edge of the printable area, sizes in points. The
// first text drawn opens the document and its first page.
class PrintingService
{
public:
    virtual ~PrintingService() = default;

    virtual void setFontName(const QString &name) = 0;
    virtual void setFontSize(int points) = 0;
    virtual void setFontBold(bool bold) = 0;

    // Draws the text and stays on the line, just after it.
    virtual void printContinuing(const QString &text) = 0;
    // Draws the text, then moves to the left edge of the next line, one line
    // height of the current font lower.
    virtual void printLine(const QString &text) = 0;
    // Draws an SVG picture, `width` by `height` twips, at the left edge of a
    // new line, then moves below it; one taller than the room left on the
    // page goes to the next page.
    virtual void printPicture(const QByteArray &svg, int widthTwips, int heightTwips) = 0;
    // Where the next text is drawn on the current line.
    virtual void setCurrentX(int twips) = 0;
    // How wide the text is in the current font, in twips.
    virtual int textWidth(const QString &text) const = 0;

    // Ends the current page; a page is only made once something is drawn on
    // it, so ending the document right after this adds no empty page.
    virtual void newPage() = 0;
    // Ends the document and hands it to the printer. Fails when any part of
    // it could not be printed; then nothing is printed at all where the
    // printer allows it to be withdrawn.
    virtual PrintOutcome endDocument() = 0;

    // Whether one more line of the current font fits below the last one on
    // the current page. A page with nothing on it always takes a line.
    virtual bool hasRoomForLine() const = 0;
};

} // namespace lexalon
