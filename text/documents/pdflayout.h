// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace lexalon {

// A PDF page's text as lines; an empty line separates two blocks.
using PageLines = QStringList;

// The lines of a page's text, trimmed, without empty lines at its ends nor
// two in a row.
PageLines pageLines(QStringView pageText);

// Drops running headers and footers: the first (or last) line of a page is
// running when, read with spaces left out and every run of digits as one '#'
// so that page numbers match, the same line is first (or last) on at least 3
// pages and either on more than half the pages of the same parity (books
// alternate their headers) or on pages at most 2 apart (a chapter's header:
// each page, or every other one). Done twice at each end, for a header over
// a page number.
void dropRunningLines(std::vector<PageLines> &pages);

// The pages as one text in NFC, each page a paragraph at least, a blank line
// within a page ending a paragraph too. A line ending in a letter and a
// hyphen, whose next line (on the page, or first on the next one) starts with
// a lower-case letter, is joined to it: without the hyphen, unless the word
// with its hyphen ("peut-être") is found within a line elsewhere in the text.
QString joinPages(const std::vector<PageLines> &pages);

} // namespace lexalon
