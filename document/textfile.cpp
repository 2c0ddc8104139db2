#include "document/textfile.h"

#include "document/windows1252.h"

#include <QFile>
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

constexpr std::array<char16_t, 256> makeWindows1252Table()
{
    std::array<char16_t, 256> table{};
    for (int byte = 0; byte < 256; ++byte) {
        const bool inBlock80 = byte >= windows1252::block80First && byte < windows1252::block80End;
        table[size_t(byte)] = inBlock80 ? windows1252::block80[size_t(byte - windows1252::block80First)]
                                        : char16_t(byte);
    }
    return table;
}
constexpr std::array<char16_t, 256> windows1252Table = makeWindows1252Table();

constexpr QByteArrayView utf8Bom("\xEF\xBB\xBF");

// A UTF-8 sequence is at most four bytes, so at most three of them can be
// cut off by the end of a piece.
constexpr qsizetype maxCutSequence = 3;

constexpr quint64 highBitOfEachByte = 0x8080808080808080ULL;

void decodeWindows1252Into(QByteArrayView bytes, char16_t *out)
{
    const auto *in = reinterpret_cast<const uchar *>(bytes.data());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i)
        out[i] = windows1252Table[in[i]];
}

// Checks UTF-8 piece by piece; a sequence may straddle two pieces.
class Utf8Validator
{
public:
    void feed(QByteArrayView bytes)
    {
        const auto *p = reinterpret_cast<const uchar *>(bytes.data());
        const uchar *const end = p + bytes.size();
        while (m_valid && p < end) {
            if (m_pending == 0) {
                p = skipAscii(p, end);
                if (p < end)
                    startSequence(*p++);
            } else {
                continueSequence(*p++);
            }
        }
    }

    // Every sequence so far is valid, the last one possibly unfinished.
    bool valid() const { return m_valid; }
    bool complete() const { return m_valid && m_pending == 0; }
    bool sawHighByte() const { return m_sawHighByte; }

private:
    static const uchar *skipAscii(const uchar *p, const uchar *end)
    {
        constexpr qsizetype word = sizeof(quint64);
        while (end - p >= word) {
            quint64 bytes;
            std::memcpy(&bytes, p, word);
            if (bytes & highBitOfEachByte)
                break;
            p += word;
        }
        while (p < end && *p < 0x80)
            ++p;
        return p;
    }

    // The bounds of the second byte exclude overlong forms, surrogates and
    // code points above U+10FFFF.
    void startSequence(uchar lead)
    {
        m_sawHighByte = true;
        m_low = 0x80;
        m_high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            m_pending = 1;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            m_pending = 2;
            if (lead == 0xE0)
                m_low = 0xA0;
            else if (lead == 0xED)
                m_high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            m_pending = 3;
            if (lead == 0xF0)
                m_low = 0x90;
            else if (lead == 0xF4)
                m_high = 0x8F;
        } else {
            m_valid = false;
        }
    }

    void continueSequence(uchar byte)
    {
        if (byte < m_low || byte > m_high) {
            m_valid = false;
            return;
        }
        --m_pending;
        m_low = 0x80;
        m_high = 0xBF;
    }

    int m_pending = 0; // continuation bytes still expected
    uchar m_low = 0x80;
    uchar m_high = 0xBF;
    bool m_valid = true;
    bool m_sawHighByte = false;
};

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

// Reads a device piece by piece into a text sized to the device, so that the
// bytes are never held whole beside the text.
class TextReader
{
public:
    explicit TextReader(QIODevice &device)
        : m_device(device)
        , m_size(device.size())
        , m_buffer(new char[size_t(maxCutSequence + std::min(m_size, textReadChunk))])
    {
        m_text.resize(m_size);
        m_out = reinterpret_cast<char16_t *>(m_text.data());
    }

    TextFileContent read()
    {
        Utf8Validator validator;
        for (qint64 done = 0; done < m_size;) {
            if (!readPiece(std::min(textReadChunk, m_size - done)))
                return readFailure();
            const QByteArrayView piece(m_buffer.get() + maxCutSequence, m_pieceLength);
            if (done == 0 && piece.startsWith(utf8Bom))
                return rereadAsUtf8();
            if (validator.valid())
                validator.feed(piece);
            decodeWindows1252Into(piece, m_out + done);
            done += m_pieceLength;
        }
        if (validator.complete() && validator.sawHighByte())
            return rereadAsUtf8();
        return success(TextEncoding::Windows1252);
    }

private:
    // The pieces are decoded without state: a sequence cut by the end of one
    // piece is moved in front of the next, and one left unfinished at the
    // end of the file is decoded as invalid.
    TextFileContent rereadAsUtf8()
    {
        if (!m_device.seek(0))
            return readFailure();
        QStringDecoder decoder(QStringDecoder::Utf8,
                               QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
        QChar *const begin = reinterpret_cast<QChar *>(m_out);
        QChar *out = begin;
        qsizetype carried = 0;
        for (qint64 done = 0; done < m_size;) {
            char *const start = m_buffer.get() + maxCutSequence;
            std::memmove(start - carried, start + m_pieceLength - carried, size_t(carried));
            if (!readPiece(std::min(textReadChunk, m_size - done)))
                return readFailure();
            QByteArrayView bytes(start - carried, carried + m_pieceLength);
            if (done == 0 && bytes.startsWith(utf8Bom))
                bytes = bytes.sliced(utf8Bom.size());
            done += m_pieceLength;
            carried = done < m_size ? cutSequenceLength(bytes) : 0;
            out = decoder.appendToBuffer(out, bytes.chopped(carried));
        }
        m_text.resize(out - begin);
        return success(TextEncoding::Utf8);
    }

    bool readPiece(qint64 length)
    {
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
        const QString reason = m_shortRead ? u"Le fichier est plus court que sa taille annoncée."_s
                                           : m_device.errorString();
        return failure(TextFileContent::Status::ReadFailed, reason);
    }

    TextFileContent success(TextEncoding encoding)
    {
        TextFileContent content;
        content.text = std::move(m_text);
        content.encoding = encoding;
        return content;
    }

    QIODevice &m_device;
    const qint64 m_size;
    // Room for a cut sequence, then one piece.
    std::unique_ptr<char[]> m_buffer;
    qint64 m_pieceLength = 0;
    bool m_shortRead = false;
    QString m_text;
    char16_t *m_out = nullptr;
};

} // namespace

TextFileContent readTextFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failure(TextFileContent::Status::OpenFailed, file.errorString());
    return readText(file);
}

TextFileContent readText(QIODevice &device)
{
    // A pipe or a terminal has no size to read up to.
    if (device.isSequential())
        return failure(TextFileContent::Status::ReadFailed, u"Ce n'est pas un fichier ordinaire."_s);
    try {
        return TextReader(device).read();
    } catch (const std::bad_alloc &) {
        return failure(TextFileContent::Status::TooLarge, qt_error_string(ENOMEM));
    }
}

QString decodeWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    decodeWindows1252Into(bytes, reinterpret_cast<char16_t *>(text.data()));
    return text;
}

bool isUtf8Text(QByteArrayView bytes)
{
    if (bytes.startsWith(utf8Bom))
        return true;
    Utf8Validator validator;
    validator.feed(bytes);
    return validator.complete() && validator.sawHighByte();
}

} // namespace lexalon
