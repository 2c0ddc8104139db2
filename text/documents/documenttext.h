// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace lexalon {

// The text of a document, or why there is none.
struct DocumentText
{
    QString text;    // paragraphs separated by a blank line ("\n\n"); a line break inside one by "\n"
    QString title;   // the name it gives itself (TEI: "Title — Author"), empty when none
    QString problem; // in French, naming no file (the caller names it): "le document est chiffré", ...
    bool ok() const { return problem.isEmpty(); }
};

} // namespace lexalon
