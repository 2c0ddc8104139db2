// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/documents/documenttext.h"

#include <QByteArrayView>

namespace lexalon {

class TaskProgress;

// The text of a Word document (Office Open XML): the body's paragraphs in
// order, then the footnotes, then the endnotes, each in the order of their
// part. Headers, footers, comments, deleted and moved-away text and field
// codes are left out; inserted text is kept. With a progress, reports the
// parts read and throws TaskCancelled when asked to stop.
DocumentText readDocx(QByteArrayView bytes, TaskProgress *progress = nullptr);

} // namespace lexalon
