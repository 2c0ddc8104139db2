// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/documents/documenttext.h"

#include <QByteArrayView>

namespace lexalon {

class TaskProgress;

// The text of an XML document. A TEI edition (its root TEI or teiCorpus, in
// TEI's namespace or none) gives the text of its text elements (front, body,
// back), not of its header: block elements end paragraphs, each note comes
// after its paragraph, a choice gives its corrected, regularised or expanded
// reading, a line break is one unless it cuts a word; its title is the
// header's first title and first author, "Title — Author".
// Any other XML gives its character data, white space collapsed: an element
// holding character data of its own ends a paragraph, unless character data
// of its parent comes before or right after it (a word set in italics, say).
// With a progress, throws TaskCancelled when asked to stop.
DocumentText readXmlDocument(QByteArrayView bytes, TaskProgress *progress = nullptr);

} // namespace lexalon
