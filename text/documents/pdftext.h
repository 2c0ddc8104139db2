// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/documents/documenttext.h"

#include <QByteArrayView>

namespace lexalon {
class TaskProgress;
}

namespace lexalon {

// The text layer of a PDF file, page after page, in Poppler's reading order:
// each page a paragraph at least, its lines kept; running headers and page
// numbers dropped and words hyphenated at a line end joined again (see
// pdflayout.h). A file without %%EOF in its last kilobyte is truncated; one
// Poppler cannot open, or in which it finds no page, is damaged; one locked
// by a password is not read; one without any text is an image. Pages are read in parallel, each thread
// with a document of its own; with a progress, counts the pages read and
// stops, throwing TaskCancelled, when asked.
DocumentText readPdf(QByteArrayView bytes, TaskProgress *progress = nullptr);

} // namespace lexalon
