// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/textfile.h"

#include <QByteArrayView>
#include <QString>

class QIODevice;

namespace lexalon {

class TaskProgress;

// What a file is read as. A ZIP container is a Word, OpenDocument or EPUB
// document once its entries say which.
enum class FileKind { Text, Pdf, Zip, Html, Xml, Unsupported };

// The kind of a file from its name and its first bytes. A ".txt" file is
// text, whatever it holds, as it has always been read; otherwise the bytes
// decide: "%PDF-", a ZIP container, a web page or an XML document; the
// signatures of images and of old Word files are refused; anything else is
// text.
FileKind fileKindOf(const QString &path, QByteArrayView head);

// How many first bytes fileKindOf wants.
inline constexpr qint64 fileKindHeadSize = 1024;

// A document's text from the file, read whole (no larger than a text may be),
// its extractor's title as the title; a document that cannot be read fails
// ReadFailed with the reason in French. With a progress, reports how far the
// extraction has come and stops, Cancelled, when asked.
TextFileContent readDocumentFile(QIODevice &file, FileKind kind, TaskProgress *progress = nullptr);

} // namespace lexalon
