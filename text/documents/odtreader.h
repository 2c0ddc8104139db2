// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/documents/documenttext.h"

#include <QByteArrayView>

namespace lexalon {

class TaskProgress;

// The text of an OpenDocument text: the paragraphs and headings of its body
// in order, then the bodies of its notes, in the order they are called, after
// the whole body. Note marks, annotations and tracked changes are left out.
// With a progress, reports the parts read and throws TaskCancelled when asked
// to stop.
DocumentText readOdt(QByteArrayView bytes, TaskProgress *progress = nullptr);

} // namespace lexalon
