// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes through each document reader: it gives a text or a French
// problem, never both, and never crashes, hangs or reads outside the bytes.
#include "fuzz/fuzzcheck.h"
#include "text/documents/docxreader.h"
#include "text/documents/epubtext.h"
#include "text/documents/htmltext.h"
#include "text/documents/odtreader.h"
#include "text/documents/pdftext.h"
#include "text/documents/xmldocumentreader.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

namespace lexalon::fuzz {
namespace {

void checkRead(const DocumentText &read)
{
    require(read.ok() || (read.text.isEmpty() && read.title.isEmpty()), "a refused document gives no text");
    require(!read.text.contains(QChar(0x00AD)), "soft hyphens are removed");
    require(!read.text.contains(QChar(0x00A0)), "no-break spaces become spaces");
}

void checkReading(QByteArrayView bytes)
{
    for (const auto reader : {readDocx, readOdt, readXmlDocument, readHtml, readPdf, readEpub})
        checkRead(reader(bytes, nullptr));
}

} // namespace
} // namespace lexalon::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    lexalon::fuzz::checkReading(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    return 0;
}
