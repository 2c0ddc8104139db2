// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes through the text reader: it must decide the encoding as it says
// and give back the same text as a decoding of the whole file at once,
// composed to NFC when it is Unicode. The
// fuzzing build reads in pieces of a few bytes, so that sequences cut
// between pieces come up all the time.
#include "fuzz/fuzzcheck.h"
#include "text/textfile.h"
#include "text/encoding/windows1252.h"

#include <QBuffer>
#include <QByteArray>
#include <QStringDecoder>

#include <cstddef>
#include <cstdint>
#include <utility>
#include <utility>

namespace lexalon::fuzz {
namespace {

const QByteArray utf8Bom("\xEF\xBB\xBF");
const QByteArray utf16LeBom("\xFF\xFE");
const QByteArray utf16BeBom("\xFE\xFF");

struct Utf8Reference
{
    QString text;
    bool valid;
};

// Qt's own decoder, over the whole input at once.
Utf8Reference decodeUtf8(QByteArrayView bytes, QStringDecoder::Flags flags)
{
    QStringDecoder decoder(QStringDecoder::Utf8, flags | QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    return {std::move(text), !decoder.hasError()};
}

QString nfc(const QString &text)
{
    return text.normalized(QString::NormalizationForm_C);
}

// Qt's decoder over the whole input after the mark; a last byte alone is a
// replacement character (Qt drops it when it is the only one).
QString decodeUtf16(QByteArrayView bytes, QStringDecoder::Encoding encoding)
{
    QStringDecoder decoder(encoding, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder.decode(bytes.chopped(bytes.size() % 2));
    if (bytes.size() % 2 != 0)
        text += QChar::ReplacementCharacter;
    return text;
}

void checkReading(const QByteArray &bytes)
{
    QBuffer device;
    device.setData(bytes);
    require(device.open(QIODevice::ReadOnly), "the buffer opens");
    const TextFileContent content = readText(device);
    require(content.ok(), "a buffer is always read");
    require(content.errorString.isEmpty(), "no reason without a failure");

    for (const auto &[mark, encoding] : {std::pair(utf16LeBom, QStringDecoder::Utf16LE),
                                         std::pair(utf16BeBom, QStringDecoder::Utf16BE)}) {
        if (bytes.startsWith(mark)) {
            require(content.encoding == TextEncoding::Utf16, "a UTF-16 mark means UTF-16");
            require(content.text == nfc(decodeUtf16(QByteArrayView(bytes).sliced(mark.size()), encoding)),
                    "UTF-16 decodes as if whole, without the mark, composed");
            return;
        }
    }
    if (bytes.startsWith(utf8Bom)) {
        require(content.encoding == TextEncoding::Utf8, "the mark means UTF-8");
        const Utf8Reference whole =
            decodeUtf8(QByteArrayView(bytes).sliced(utf8Bom.size()), QStringDecoder::Flag::ConvertInitialBom);
        require(content.text == nfc(whole.text), "marked UTF-8 decodes as if whole, without the mark, composed");
        return;
    }
    const Utf8Reference whole = decodeUtf8(bytes, QStringDecoder::Flag::Default);
    // Valid UTF-8 gives fewer characters than bytes as soon as one is not ASCII.
    if (whole.valid && whole.text.size() != bytes.size()) {
        require(content.encoding == TextEncoding::Utf8, "valid UTF-8 beyond ASCII is UTF-8");
        require(content.text == nfc(whole.text), "UTF-8 decodes as Qt decodes it, composed");
        return;
    }
    require(content.encoding == TextEncoding::Windows1252, "anything else is Windows-1252");
    require(content.text.size() == bytes.size(), "Windows-1252 gives one character a byte");
    require(content.text == decodeWindows1252(bytes), "Windows-1252 reads byte by byte");
}

} // namespace
} // namespace lexalon::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    lexalon::fuzz::checkReading(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    return 0;
}
