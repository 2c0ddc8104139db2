// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/documents/documenttext.h"

#include <QByteArrayView>

namespace lexalon {
class TaskProgress;
}

namespace lexalon {

// The text of a web page, HTML or XHTML: the body's text without scripts,
// styles, templates and noscript parts; block elements end paragraphs, <br>
// ends a line, <pre> keeps its line breaks, table cells are separated; its
// <title> as the title. The encoding is decodeWebPage's. Nothing outside the
// bytes is ever read: no DTD, no external entity, no network.
DocumentText readHtml(QByteArrayView bytes, TaskProgress *progress = nullptr);

} // namespace lexalon
