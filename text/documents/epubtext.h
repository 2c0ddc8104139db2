// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/documents/documenttext.h"

#include <QByteArrayView>

namespace lexalon {
class TaskProgress;
}

namespace lexalon {

// The text of an e-book: the package named by META-INF/container.xml, its
// spine's documents in reading order, each read by readHtml and a paragraph
// at least; the package's dc:title as the title. A spine document that is
// missing or encrypted (listed in META-INF/encryption.xml) is a problem; so
// is whatever the ZIP or the XML of the container and package refuse. With
// a progress, counts the spine's documents read and stops when asked.
DocumentText readEpub(QByteArrayView bytes, TaskProgress *progress = nullptr);

} // namespace lexalon
