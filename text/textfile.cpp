// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/textfile.h"

#include "platform/files/largememory.h"
#include "platform/files/regularfile.h"
#include "platform/files/systemerror.h"
#include "platform/interaction/taskprogress.h"
#include "text/documentfile.h"
#include "text/encoding/windows1252.h"

#include <QBuffer>
#include <QByteArray>
#include <QIODevice>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <memory>
#include <new>

using namespace Qt::StringLiterals;

namespace lexalon {
namespace {

constexpr QByteArrayView utf16LeBom("\xFF\xFE");
constexpr QByteArrayView utf16BeBom("\xFE\xFF");

// A UTF-8 sequence is at most four bytes, so at most three of them can be
// cut off by the end of a piece.
constexpr qsizetype maxCutSequence = 3;

constexpr quint64 highBitOfEachByte = 0x8080808080808080ULL;
constexpr qsizetype asciiWord = sizeof(quint64);

// What a lead byte announces: the length of its sequence and the bounds of
// the byte after it, which exclude overlong forms, surrogates and code
// points above U+10FFFF. Length 0: a byte that starts no multi-byte sequence.
struct Utf8Lead
{
    uchar length = 0;
    uchar low = 0x80;
    uchar high = 0xBF;
};

constexpr std::array<Utf8Lead, 256> makeUtf8Leads()
{
    std::array<Utf8Lead, 256> leads{};
    for (int b = 0xC2; b <= 0xDF; ++b)
        leads[size_t(b)].length = 2;
    for (int b = 0xE0; b <= 0xEF; ++b)
        leads[size_t(b)].length = 3;
    for (int b = 0xF0; b <= 0xF4; ++b)
        leads[size_t(b)].length = 4;
    leads[0xE0].low = 0xA0;
    leads[0xED].high = 0x9F;
    leads[0xF0].low = 0x90;
    leads[0xF4].high = 0x8F;
    return leads;
}
constexpr std::array<Utf8Lead, 256> utf8Leads = makeUtf8Leads();

constexpr char32_t firstSupplementary = 0x10000;
constexpr int continuationBits = 6;
constexpr uchar continuationMask = 0x3F;

// Decodes one whole multi-byte sequence; the end of the units written, or
// null if the bytes are not valid UTF-8.
inline char16_t *decodeSequence(const uchar *p, Utf8Lead lead, char16_t *out)
{
    if (p[1] < lead.low || p[1] > lead.high)
        return nullptr;
    char32_t code = p[0] & (0x7F >> lead.length);
    for (int k = 1; k < lead.length; ++k) {
        if ((p[k] & 0xC0) != 0x80)
            return nullptr;
        code = (code << continuationBits) | (p[k] & continuationMask);
    }
    if (code < firstSupplementary) {
        *out++ = char16_t(code);
    } else {
        *out++ = QChar::highSurrogate(code);
        *out++ = QChar::lowSurrogate(code);
    }
    return out;
}

// Decodes UTF-8 piece by piece while it stays valid; a sequence may straddle
// two pieces. Each sequence gives fewer UTF-16 units than it has bytes, so
// the units written equal the bytes read only while the text is ASCII.
class Utf8Decoder
{
public:
    explicit Utf8Decoder(char16_t *out)
        : m_begin(out)
        , m_out(out)
    {
    }

    // False at the first sequence that is not UTF-8; brokenAt() is then its
    // offset in the file.
    bool feed(QByteArrayView piece)
    {
        const auto *const first = reinterpret_cast<const uchar *>(piece.data());
        const uchar *const end = first + piece.size();
        const uchar *p = first;
        const qint64 pieceOffset = m_offset;
        m_offset += piece.size();
        if (m_cutLength > 0 && !finishCutSequence(p, end))
            return false;
        // The output pointer stays in a register through the loop.
        char16_t *out = m_out;
        while (p < end) {
            p = copyAscii(p, end, out);
            if (p == end)
                break;
            m_sawHighByte = true;
            const Utf8Lead lead = utf8Leads[*p];
            if (lead.length == 0)
                return broken(pieceOffset + (p - first), out);
            if (end - p < lead.length) {
                startCutSequence(p, end, pieceOffset + (p - first));
                break;
            }
            char16_t *const next = decodeSequence(p, lead, out);
            if (!next)
                return broken(pieceOffset + (p - first), out);
            out = next;
            p += lead.length;
        }
        m_out = out;
        return true;
    }

    // No sequence waits for more bytes.
    bool complete() const { return m_cutLength == 0; }
    bool sawHighByte() const { return m_sawHighByte; }
    qint64 brokenAt() const { return m_brokenAt; }
    qsizetype written() const { return m_out - m_begin; }

private:
    static const uchar *copyAscii(const uchar *p, const uchar *end, char16_t *&out)
    {
        while (end - p >= asciiWord) {
            quint64 word;
            std::memcpy(&word, p, asciiWord);
            if (word & highBitOfEachByte)
                break;
            for (qsizetype k = 0; k < asciiWord; ++k)
                out[k] = p[k];
            out += asciiWord;
            p += asciiWord;
        }
        while (p < end && *p < 0x80)
            *out++ = *p++;
        return p;
    }

    void startCutSequence(const uchar *p, const uchar *end, qint64 at)
    {
        m_cutLength = qsizetype(end - p);
        m_cutAt = at;
        std::memcpy(m_cut.data(), p, size_t(m_cutLength));
    }

    // Completes a sequence begun at the end of the previous piece.
    bool finishCutSequence(const uchar *&p, const uchar *end)
    {
        const Utf8Lead lead = utf8Leads[m_cut[0]];
        while (m_cutLength < lead.length && p < end)
            m_cut[size_t(m_cutLength++)] = *p++;
        if (m_cutLength < lead.length)
            return true;
        m_cutLength = 0;
        char16_t *const next = decodeSequence(m_cut.data(), lead, m_out);
        if (!next)
            return broken(m_cutAt, m_out);
        m_out = next;
        return true;
    }

    bool broken(qint64 at, char16_t *out)
    {
        m_out = out;
        m_brokenAt = at;
        return false;
    }

    char16_t *const m_begin;
    char16_t *m_out;
    qint64 m_offset = 0;
    std::array<uchar, 4> m_cut{};
    qsizetype m_cutLength = 0;
    qint64 m_cutAt = 0;
    qint64 m_brokenAt = -1;
    bool m_sawHighByte = false;
};

// Checks that bytes are UTF-8 as the reader does, a piece at a time: false at
// the first byte that is not; else where a sequence cut by the end of the
// piece starts, or the end.
bool checkUtf8(const uchar *p, const uchar *const end, bool &sawHighByte, const uchar *&cut)
{
    cut = end;
    while (p < end) {
        if (end - p >= asciiWord) {
            quint64 word;
            std::memcpy(&word, p, asciiWord);
            if ((word & highBitOfEachByte) == 0) {
                p += asciiWord;
                continue;
            }
        }
        if (*p < 0x80) {
            ++p;
            continue;
        }
        sawHighByte = true;
        const Utf8Lead lead = utf8Leads[*p];
        if (lead.length == 0)
            return false;
        for (int k = 1; k < lead.length; ++k) {
            if (p + k == end) {
                cut = p;
                return true;
            }
            if (k == 1 ? p[1] < lead.low || p[1] > lead.high : (p[k] & 0xC0) != 0x80)
                return false;
        }
        p += lead.length;
    }
    return true;
}

// Whether the reader takes the file for Windows-1252, read from its start
// until that is known. False with the reason when a read fails.
bool isWindows1252(QIODevice &file, qint64 size, bool &windows1252)
{
    const std::unique_ptr<uchar[]> buffer(new uchar[size_t(maxCutSequence + std::min(size, textReadChunk))]);
    bool sawHighByte = false;
    qsizetype carried = 0;
    for (qint64 done = 0; done < size;) {
        const qint64 length = std::min(textReadChunk, size - done);
        for (qint64 got = 0; got < length;) {
            const qint64 read = file.read(reinterpret_cast<char *>(buffer.get()) + carried + got, length - got);
            if (read <= 0)
                return false;
            got += read;
        }
        const QByteArrayView piece(buffer.get(), carried + length);
        if (done == 0 && (piece.startsWith(utf16LeBom) || piece.startsWith(utf16BeBom) || piece.startsWith(utf8ByteOrderMark))) {
            windows1252 = false;
            return true;
        }
        done += length;
        const uchar *cut = nullptr;
        if (!checkUtf8(buffer.get(), buffer.get() + piece.size(), sawHighByte, cut)) {
            windows1252 = true;
            return true;
        }
        carried = buffer.get() + piece.size() - cut;
        std::memmove(buffer.get(), cut, size_t(carried));
    }
    // A sequence cut by the end of the file is not UTF-8.
    windows1252 = carried != 0 || !sawHighByte;
    return true;
}

// How many bytes at the end of a piece belong to a sequence that the piece
// cuts; they are decoded with the next piece.
qsizetype cutSequenceLength(QByteArrayView bytes)
{
    const qsizetype n = bytes.size();
    const qsizetype reach = std::min(n, maxCutSequence);
    for (qsizetype back = 1; back <= reach; ++back) {
        const auto byte = uchar(bytes[n - back]);
        if ((byte & 0xC0) == 0x80)
            continue;
        const qsizetype length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return length > back ? back : 0;
    }
    return 0;
}

TextFileContent failure(TextFileContent::Status status, const QString &reason)
{
    TextFileContent content;
    content.status = status;
    content.errorString = reason;
    return content;
}

TextFileContent readFailure(const QIODevice &device)
{
    return failure(TextFileContent::Status::ReadFailed,
                   device.errorString() + u'.');
}

// Below U+0300 every character is in NFC and none composes with the one
// before it: a text cut before any of them composes piece by piece.
constexpr char16_t firstCombining = 0x300;

constexpr qsizetype composeScanBlock = 256;

// Whole blocks are scanned without a branch for each character, which the
// compiler vectorizes: most texts hold few characters from U+0300 on.
const QChar *nextAtLeast(const QChar *p, const QChar *end, char16_t bound)
{
    while (end - p >= composeScanBlock) {
        const auto *const units = reinterpret_cast<const char16_t *>(p);
        bool found = false;
        for (qsizetype k = 0; k < composeScanBlock; ++k)
            found |= units[k] >= bound;
        if (found)
            break;
        p += composeScanBlock;
    }
    return std::find_if(p, end, [bound](QChar c) { return c.unicode() >= bound; });
}

const QChar *nextBelow(const QChar *p, const QChar *end, char16_t bound)
{
    return std::find_if(p, end, [bound](QChar c) { return c.unicode() < bound; });
}

// The text in NFC, the same string when it is so already. Only the pieces
// that hold a character from U+0300 on, with the character before them, go
// through Qt: it composes a text in a time that grows with the square of
// its length once a character needs it.
QString composed(QString text)
{
    const QChar *const begin = text.constData();
    const QChar *const end = begin + text.size();
    QString result; // null while every piece so far was in NFC
    const QChar *done = begin;
    for (;;) {
        const QChar *const high = nextAtLeast(done, end, firstCombining);
        if (high == end)
            break;
        const QChar *const from = high > done ? high - 1 : done;
        const QChar *const to = nextBelow(high, end, firstCombining);
        const QString piece = QString::fromRawData(from, to - from);
        // A piece already in NFC comes back unchanged, without a copy.
        const QString nfc = piece.normalized(QString::NormalizationForm_C);
        if (result.isNull() && nfc.constData() != piece.constData()) {
            result.reserve(text.size());
            result.append(begin, done - begin);
        }
        if (!result.isNull()) {
            result.append(done, from - done);
            result.append(nfc);
        }
        done = to;
    }
    if (result.isNull())
        return text;
    result.append(done, end - done);
    return result;
}

// Reads a device piece by piece into a text sized to the device, so that the
// bytes are never held whole beside the text. The text is decoded as UTF-8
// while it is valid; at the first byte that is not, the reading goes on in
// Windows-1252 from there when only ASCII came before, or starts again.
class TextReader
{
public:
    TextReader(QIODevice &device, TaskProgress *progress)
        : m_device(device)
        , m_progress(progress)
        , m_size(device.size())
        , m_buffer(new char[size_t(maxCutSequence + std::min(m_size, textReadChunk))])
    {
    }

    TextFileContent read()
    {
        if (m_size == 0)
            return success(TextEncoding::Windows1252);
        if (!readPiece())
            return readFailure();
        if (piece().startsWith(utf16LeBom))
            return readUtf16(QStringDecoder::Utf16LE);
        if (piece().startsWith(utf16BeBom))
            return readUtf16(QStringDecoder::Utf16BE);
        sizeText(m_size);
        if (piece().startsWith(utf8ByteOrderMark))
            return readMarkedUtf8();
        Utf8Decoder utf8(m_out);
        for (;;) {
            if (!utf8.feed(piece())) {
                const qint64 at = utf8.brokenAt();
                if (utf8.written() == at && at >= m_done)
                    return readWindows1252(at - m_done);
                return rereadAsWindows1252();
            }
            m_done += m_pieceLength;
            if (m_done == m_size)
                break;
            if (!readPiece())
                return readFailure();
        }
        if (!utf8.complete())
            return rereadAsWindows1252();
        if (!utf8.sawHighByte())
            return success(TextEncoding::Windows1252);
        m_text.resize(utf8.written());
        return success(TextEncoding::Utf8);
    }

private:
    // The text is sized once, before it is decoded into.
    void sizeText(qint64 units)
    {
        m_text.resize(units);
        m_out = reinterpret_cast<char16_t *>(m_text.data());
        preferHugePages(m_out, size_t(units) * sizeof(char16_t));
    }

    QByteArrayView piece() const { return {m_buffer.get() + maxCutSequence, m_pieceLength}; }

    // Decodes the current piece from `from` on, then the pieces after it.
    TextFileContent readWindows1252(qint64 from)
    {
        for (;;) {
            decodeWindows1252Into(piece().sliced(from), m_out + m_done + from);
            m_done += m_pieceLength;
            if (m_done == m_size)
                return success(TextEncoding::Windows1252);
            if (!readPiece())
                return readFailure();
            from = 0;
        }
    }

    TextFileContent rereadAsWindows1252()
    {
        m_done = 0;
        if (!m_device.seek(0) || !readPiece())
            return readFailure();
        return readWindows1252(0);
    }

    // After the byte-order mark the text is UTF-8 whatever follows, invalid
    // bytes included. The pieces are decoded without state: a sequence cut by
    // the end of one piece is moved in front of the next, and one left
    // unfinished at the end of the file is decoded as invalid.
    TextFileContent readMarkedUtf8()
    {
        QStringDecoder decoder(QStringDecoder::Utf8,
                               QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
        QChar *const begin = reinterpret_cast<QChar *>(m_out);
        QChar *out = begin;
        QByteArrayView bytes = piece().sliced(utf8ByteOrderMark.size());
        for (;;) {
            m_done += m_pieceLength;
            const qsizetype carried = m_done < m_size ? cutSequenceLength(bytes) : 0;
            out = decoder.appendToBuffer(out, bytes.chopped(carried));
            if (m_done == m_size)
                break;
            char *const start = m_buffer.get() + maxCutSequence;
            std::memmove(start - carried, bytes.data() + bytes.size() - carried, size_t(carried));
            if (!readPiece())
                return readFailure();
            bytes = QByteArrayView(start - carried, carried + m_pieceLength);
        }
        m_text.resize(out - begin);
        return success(TextEncoding::Utf8);
    }

    // After its byte-order mark, the whole file is UTF-16. Qt's decoder keeps
    // a unit cut by the end of a piece for the next one and leaves unpaired
    // surrogates as they are; a last byte alone becomes a replacement
    // character, as when Qt decodes the whole at once.
    TextFileContent readUtf16(QStringDecoder::Encoding encoding)
    {
        const qint64 bytesAfterMark = m_size - utf16LeBom.size();
        sizeText(bytesAfterMark / 2 + bytesAfterMark % 2);
        QStringDecoder decoder(encoding, QStringDecoder::Flag::ConvertInitialBom);
        QChar *const begin = reinterpret_cast<QChar *>(m_out);
        QChar *out = begin;
        QByteArrayView bytes = piece().sliced(utf16LeBom.size());
        for (;;) {
            m_done += m_pieceLength;
            out = decoder.appendToBuffer(out, bytes);
            if (m_done == m_size)
                break;
            if (!readPiece())
                return readFailure();
            bytes = piece();
        }
        if (bytesAfterMark % 2 != 0)
            *out++ = QChar::ReplacementCharacter;
        m_text.resize(out - begin);
        return success(TextEncoding::Utf16);
    }

    // Reads the piece that starts at m_done.
    bool readPiece()
    {
        if (m_progress)
            m_progress->advance(m_done);
        const qint64 length = std::min(textReadChunk, m_size - m_done);
        char *const start = m_buffer.get() + maxCutSequence;
        m_pieceLength = 0;
        m_shortRead = false;
        while (m_pieceLength < length) {
            const qint64 got = m_device.read(start + m_pieceLength, length - m_pieceLength);
            if (got <= 0) {
                m_shortRead = got == 0;
                return false;
            }
            m_pieceLength += got;
        }
        return true;
    }

    TextFileContent readFailure() const
    {
        if (m_shortRead)
            return failure(TextFileContent::Status::ReadFailed, u"Le fichier est plus court que sa taille annoncée."_s);
        return lexalon::readFailure(m_device);
    }

    // A Unicode text is composed, so that "été" written with combining
    // accents is the same form as with accented letters; a Windows-1252 text
    // keeps one character a byte.
    TextFileContent success(TextEncoding encoding)
    {
        TextFileContent content;
        content.text = encoding == TextEncoding::Windows1252 ? std::move(m_text) : composed(std::move(m_text));
        content.encoding = encoding;
        return content;
    }

    QIODevice &m_device;
    TaskProgress *m_progress;
    const qint64 m_size;
    // Room for a cut sequence, then one piece.
    std::unique_ptr<char[]> m_buffer;
    qint64 m_pieceLength = 0;
    qint64 m_done = 0; // bytes before the current piece
    bool m_shortRead = false;
    QString m_text;
    char16_t *m_out = nullptr;
};

// Some files announce a size of 0 but have content, as /proc/version: their
// bytes are gathered to their end, then decoded. Such files are small.
TextFileContent readUnsized(QIODevice &device)
{
    QByteArray bytes;
    for (;;) {
        const qsizetype before = bytes.size();
        bytes.resize(before + textReadChunk);
        const qint64 got = device.read(bytes.data() + before, textReadChunk);
        if (got < 0)
            return readFailure(device);
        bytes.resize(before + got);
        if (got == 0)
            break;
    }
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return TextReader(buffer, nullptr).read();
}

} // namespace

TextFileContent readTextFile(const QString &path, TaskProgress *progress)
{
    RegularFile file(path);
    if (!file.openForReading())
        return failure(TextFileContent::Status::OpenFailed, file.errorString());
    if (const FileKind kind = fileKindOf(path, file.peek(fileKindHeadSize)); kind != FileKind::Text)
        return readDocumentFile(file, kind, progress);
    return readText(file, progress);
}

TextFileContent readText(QIODevice &device, TaskProgress *progress)
{
    // A pipe or a terminal has no size to read up to.
    if (device.isSequential())
        return failure(TextFileContent::Status::ReadFailed, u"Ce n'est pas un fichier ordinaire."_s);
    try {
        if (device.size() == 0)
            return readUnsized(device);
        if (progress)
            progress->setTotal(device.size());
        TextFileContent content = TextReader(device, progress).read();
        if (progress)
            progress->advance(progress->total());
        return content;
    } catch (const std::bad_alloc &) {
        return failure(TextFileContent::Status::TooLarge, systemErrorReason(ENOMEM) + u'.');
    } catch (const TaskCancelled &) {
        return failure(TextFileContent::Status::Cancelled, QString());
    }
}

TextSource readTextSource(const QString &path)
{
    TextSource source;
    RegularFile file(path);
    if (!file.openForReading()) {
        source.content = failure(TextFileContent::Status::OpenFailed, file.errorString());
        return source;
    }
    const qint64 size = file.size();
    if (size == 0) {
        source.content = readText(file);
        return source;
    }
    // A document's text is extracted whole.
    if (fileKindOf(path, file.peek(fileKindHeadSize)) != FileKind::Text) {
        source.content = readTextFile(path);
        return source;
    }
    bool windows1252 = false;
    try {
        if (!isWindows1252(file, size, windows1252)) {
            source.content = file.error() != QFileDevice::NoError
                                 ? readFailure(file)
                                 : failure(TextFileContent::Status::ReadFailed, u"Le fichier est plus court que sa taille annoncée."_s);
            return source;
        }
    } catch (const std::bad_alloc &) {
        source.content = failure(TextFileContent::Status::TooLarge, systemErrorReason(ENOMEM) + u'.');
        return source;
    }
    if (windows1252)
        source.windows1252Bytes = size;
    else
        source.content = readTextFile(path);
    return source;
}

} // namespace lexalon
