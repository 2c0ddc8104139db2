// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/interaction/taskprogress.h"
#include "support/iconv_windows1252.h"
#include "support/testfiles.h"
#include "text/textfile.h"
#include "text/encoding/windows1252.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

using namespace lexalon;
using namespace Qt::StringLiterals;

namespace {

const QByteArray utf8Bom("\xEF\xBB\xBF");

QByteArray utf16(const QString &text, QStringConverter::Encoding encoding)
{
    return QStringEncoder(encoding, QStringEncoder::Flag::WriteBom).encode(text);
}

// Each byte as the C library's code page reads it; the five it leaves
// undefined as the C1 controls of the same value.
QString windows1252(const QByteArray &bytes)
{
    static const QString table = [] {
        lexalon::testing::Windows1252Oracle oracle;
        EXPECT_TRUE(oracle.ready());
        QString t;
        for (int b = 0; b < 256; ++b)
            t += QChar(oracle.character(uchar(b)).value_or(char16_t(b)));
        return t;
    }();
    QString text;
    for (const char byte : bytes)
        text += table[uchar(byte)];
    return text;
}

// Bytes and what they read as; Windows-1252 as the C library reads it.
struct Decoding
{
    std::string name;
    QByteArray bytes;
    QString text = {};
    TextEncoding encoding = TextEncoding::Windows1252;
};

std::vector<Decoding> decodings()
{
    using enum TextEncoding;
    const qsizetype chunk = textReadChunk;
    const QString longA(3000, u'a');
    const QByteArray ascii(chunk, 'a');
    const QByteArray deja = u"déjà"_s.toUtf8();
    QByteArray everyByte(3 * chunk + 12345, Qt::Uninitialized);
    std::iota(everyByte.begin(), everyByte.end(), char(0));
    const QString manyPieces = u"Élève, œuvre, 𝄞, l'été à Noël ; ça, où, île.\r\n"_s.repeated(3 * chunk / 40);
    std::vector<Decoding> rows = {
        {"empty", {}},
        {"every byte over many pieces", everyByte},
        {"valid UTF-8, then not", "caf\xC3\xA9 et \xE9t\xE9"},
        {"sequence cut by the end", "fin coup\xC3\xA9\xC3"},
        {"overlong form", "\xC0\xAF"},
        {"overlong three-byte form", "\xE0\x80\xAF"},
        {"surrogate", "\xED\xA0\x80"},
        {"above U+10FFFF", "\xF4\x90\x80\x80"},
        {"lead byte that never occurs", "\xF5\x80\x80\x80"},
        {"continuation byte alone", "\x80 seul"},
        {"sequence broken by a blank", "\xE2\x82 \xAC"},
        {"UTF-8 extremes", u"a é € 𝄞 \U0010FFFF \uFFFF \u0080"_s.toUtf8(), u"a é € 𝄞 \U0010FFFF \uFFFF \u0080"_s, Utf8},
        {"UTF-8 mark alone", utf8Bom, {}, Utf8},
        {"second UTF-8 mark is text", utf8Bom + utf8Bom + "a", u"\uFEFFa"_s, Utf8},
        {"invalid after the mark", utf8Bom + "\xE9t\xE9", u"\uFFFDt\uFFFD"_s, Utf8},
        {"UTF-16 mark alone", "\xFF\xFE", {}, Utf16},
        {"second UTF-16 mark, odd byte", "\xFF\xFE\xFF\xFE" "a", u"\uFEFF\uFFFD"_s, Utf16},
        {"UTF-16 lone surrogate kept", QByteArray("\xFE\xFF\xD8\x00\x00" "a", 6), QChar(0xD800) + u"a"_s, Utf16},
        {"UTF-8 composed", u"e\u0301te\u0301 o\u0302\u0323"_s.toUtf8(), u"été \u1ED9"_s, Utf8},
        {"composed between long runs", (u"é’"_s + longA + u"e\u0301’"_s + longA).toUtf8(), u"é’"_s + longA + u"é’"_s + longA, Utf8},
        {"invalid sequence across pieces", QByteArray(chunk - 2, 'a') + "\xE2\x82" + "A" + deja},
        {"UTF-8 two pieces before", deja + ascii + ascii + "l'\xE9t\xE9"},
        {"UTF-8 across pieces, then not", ascii.left(chunk - 1) + deja + "\xE9"},
        {"cut by the end after pieces", ascii + ascii + deja + "\xC3"},
        {"cut by the first piece's end and the file's", ascii.left(chunk - 1) + "\xC3"},
        {"UTF-8 over many pieces", manyPieces.toUtf8(), manyPieces, Utf8},
        {"UTF-16 LE over many pieces", utf16(manyPieces, QStringConverter::Utf16LE), manyPieces, Utf16},
        {"UTF-16 BE over many pieces", utf16(manyPieces, QStringConverter::Utf16BE), manyPieces, Utf16},
    };
    // Each multi-byte sequence cut at each of its inner boundaries by the end
    // of the first piece, with and without the mark.
    for (const QByteArray &mark : {QByteArray(), utf8Bom}) {
        for (const QString &character : {u"é"_s, u"€"_s, u"𝄞"_s}) {
            const QByteArray sequence = character.toUtf8();
            for (qsizetype before = 1; before < sequence.size(); ++before) {
                const qsizetype lead = chunk - before - mark.size();
                rows.push_back({character.toStdString() + " cut after " + std::to_string(before) + (mark.isEmpty() ? "" : " marked"),
                                mark + QByteArray(lead, 'a') + sequence + "fin", QString(lead, u'a') + character + u"fin"_s, Utf8});
            }
        }
    }
    return rows;
}

void expectRead(const TextFileContent &content, const QByteArray &bytes, const QString &text, TextEncoding encoding)
{
    ASSERT_TRUE(content.ok());
    EXPECT_EQ(content.encoding, encoding);
    const bool windows = encoding == TextEncoding::Windows1252;
    EXPECT_TRUE(content.text == (windows ? windows1252(bytes) : text));
    EXPECT_TRUE(!windows || decodeWindows1252(bytes) == content.text);
}

// Reads a device of these bytes that may claim another size (-1: theirs),
// fail after some (-1: never) and give fewer than asked at once (-1: all).
TextFileContent readBytes(const QByteArray &bytes, qint64 claimedSize = -1, qint64 failAfter = -1,
                          qint64 mostAtOnce = -1)
{
    struct : QBuffer
    {
        qint64 claimed, left, most;
        qint64 size() const override { return claimed < 0 ? QBuffer::size() : claimed; }
        qint64 readData(char *data, qint64 maxSize) override
        {
            if (most > 0)
                maxSize = std::min(maxSize, most);
            if (left == 0)
                setErrorString(u"Erreur d'entrée-sortie"_s);
            const qint64 got = left == 0 ? -1 : QBuffer::readData(data, left < 0 ? maxSize : std::min(maxSize, left));
            left -= left > 0 ? got : 0;
            return got;
        }
    } device;
    device.claimed = claimedSize;
    device.left = failAfter;
    device.most = mostAtOnce;
    device.setData(bytes);
    device.open(QIODevice::ReadOnly);
    return readText(device);
}

// Read for its forms alone, a file is left as its bytes exactly when it is
// Windows-1252 to the reader, and decoded as the reader decodes it otherwise.
void expectSameSource(const QByteArray &bytes)
{
    const QTemporaryDir dir;
    const QString path = dir.filePath(u"texte.txt"_s);
    ASSERT_TRUE(lexalon::testing::writeBytes(path, bytes));
    const TextFileContent read = readTextFile(path);
    const TextSource source = readTextSource(path);
    const bool asBytes = read.encoding == TextEncoding::Windows1252 && !bytes.isEmpty();
    EXPECT_EQ(source.windows1252Bytes, asBytes ? bytes.size() : 0);
    EXPECT_EQ(source.content.text, asBytes ? QString() : read.text);
}

} // namespace

TEST(TextFile, DecodesEachKindOfText)
{
    for (const Decoding &row : decodings()) {
        SCOPED_TRACE(row.name);
        expectRead(readBytes(row.bytes), row.bytes, row.text, row.encoding);
        expectSameSource(row.bytes);
    }
}

// Random texts over many pieces: after the mark, broken UTF-8 decodes as the
// same bytes decoded at once, then composed; without it, a text reads as
// UTF-8 when Qt calls it valid, as Windows-1252 otherwise.
TEST(TextFile, RandomTextsReadAsTheEncodingTheyAreIn)
{
    // Marked: leads of characters in NFC only, which Qt composes quickly.
    const char alphabet[] = {'a', ' ', '\r', '\n', '\x80', '\xA9', '\xBF', '\xC3', '\xE3', '\xED', '\xF0', '\xF4', '\xFF'};
    const QByteArray pieces[] = {"a", "bc ", "\r\n", u"é"_s.toUtf8(), u"œ"_s.toUtf8(), u"€"_s.toUtf8(),
                                 u"𝄞"_s.toUtf8(), u"\uFFFD"_s.toUtf8()};
    const char breakers[] = {'\x80', '\xC3', '\xE9', '\xF8'};
    for (const quint32 seed : {1u, 2u, 3u, 4u, 5u, 6u}) {
        SCOPED_TRACE(seed);
        QRandomGenerator random(seed);
        QByteArray body(2 * textReadChunk + 99, 'a');
        for (qsizetype i = 1; i < body.size(); ++i)
            body[i] = alphabet[random.bounded(int(sizeof alphabet))];
        expectRead(readBytes(utf8Bom + body), {}, QString::fromUtf8(body).normalized(QString::NormalizationForm_C),
                   TextEncoding::Utf8);

        QByteArray bytes;
        while (bytes.size() < 2 * textReadChunk + 1000)
            bytes += pieces[random.bounded(int(std::size(pieces)))];
        if (seed % 2 == 0)
            bytes[random.bounded(bytes.size())] = breakers[random.bounded(int(sizeof breakers))];
        const bool valid = QByteArrayView(bytes).isValidUtf8();
        // Half of them given by the device in reads shorter than a piece.
        expectRead(readBytes(bytes, -1, -1, seed % 2 == 0 ? 300'000 : -1), bytes,
                   valid ? QString::fromUtf8(bytes) : QString(), valid ? TextEncoding::Utf8 : TextEncoding::Windows1252);
        expectSameSource(bytes);
        expectSameSource(bytes.left(textReadChunk + 1)); // a sequence cut by a piece's end, or the file's
    }
}

// What is not a regular, readable file is refused at once, never waited on;
// a read that fails is reported with its reason, in French.
TEST(TextFile, FailuresAreReportedWithTheirReason)
{
    using enum TextFileContent::Status;
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"dossier.txt"_s));
    const QString fifo = dir.filePath(u"tube.txt"_s);
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString secret = dir.filePath(u"secret.txt"_s);
    ASSERT_TRUE(lexalon::testing::writeBytes(secret, "texte"));
    ASSERT_TRUE(QFile::setPermissions(secret, {}));
    const qsizetype chunk = textReadChunk;
    // UTF-8 at first, Windows-1252 in the second piece: the text is read again.
    const QByteArray reread = u"été"_s.toUtf8() + QByteArray(chunk, 'a') + "\xE9";
    const QString notRegular = u"Ce n'est pas un fichier ordinaire : c'est un "_s;
    const QString ioError = u"Erreur d'entrée-sortie."_s;
    // A path, or (when empty) bytes read as a device that claims a size (-1:
    // theirs) and fails after some (-1: never).
    const struct { const char *name; QString path; QByteArray bytes; qint64 claimedSize, failAfter; TextFileContent::Status status; QString reason; } cases[] = {
        {"missing", dir.filePath(u"absent.txt"_s), {}, -1, -1, OpenFailed, u"Aucun fichier ou dossier."_s},
        {"folder", dir.filePath(u"dossier.txt"_s), {}, -1, -1, OpenFailed, notRegular + u"dossier."_s},
        {"FIFO", fifo, {}, -1, -1, OpenFailed, notRegular + u"tube nommé (FIFO)."_s},
        {"device", u"/dev/null"_s, {}, -1, -1, OpenFailed, notRegular + u"périphérique en mode caractère."_s},
        {"unreadable", secret, {}, -1, -1, OpenFailed, u"Autorisation refusée."_s},
        {"first page not mapped", u"/proc/self/mem"_s, {}, -1, -1, ReadFailed, ioError},
        {"shorter than announced", {}, "un texte court", 24, -1, ReadFailed, u"Le fichier est plus court que sa taille annoncée."_s},
        {"failing in the second piece", {}, QByteArray(3 * chunk, 'a'), -1, chunk + 5, ReadFailed, ioError},
        {"failing when read again", {}, reread, -1, reread.size() + 10, ReadFailed, ioError},
        {"too large", {}, QByteArray(chunk, 'a'), qint64(1) << 62, -1, TooLarge, u"Mémoire insuffisante."_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        if ((c.path == secret && geteuid() == 0) || (c.path.startsWith(u"/proc") && !QFile::exists(c.path)))
            continue; // permissions do not stop the superuser
        alarm(60); // a reader that waited on the FIFO is killed, not hung
        const TextFileContent content = c.path.isEmpty() ? readBytes(c.bytes, c.claimedSize, c.failAfter) : readTextFile(c.path);
        alarm(0);
        EXPECT_EQ(content.status, c.status);
        EXPECT_EQ(content.errorString, c.reason);
        EXPECT_TRUE(content.text.isEmpty());
    }
}

TEST(TextFile, AFileThatAnnouncesNoSizeIsReadToItsEnd)
{
    if (!QFile::exists(u"/proc/version"_s))
        GTEST_SKIP() << "no /proc/version on this system";
    const QByteArray version = lexalon::testing::contentOf(u"/proc/version"_s);
    expectRead(readTextFile(u"/proc/version"_s), version, {}, TextEncoding::Windows1252);
}

// Reading reports how far it has come, never backwards, up to the whole;
// asked to stop between two pieces, it stops with no text.
TEST(TextFile, ReportsItsProgressAndStopsWhenAsked)
{
    // Each read of the device notes the progress, and asks to stop at one.
    class StoppingBuffer final : public QBuffer
    {
    public:
        StoppingBuffer(TaskProgress &progress, int stopAt) : m_progress(progress), m_stopAt(stopAt) {}
        std::vector<qint64> seen;

    protected:
        qint64 readData(char *data, qint64 length) override
        {
            seen.push_back(m_progress.done());
            if (int(seen.size()) == m_stopAt)
                m_progress.cancel();
            return QBuffer::readData(data, length);
        }

    private:
        TaskProgress &m_progress;
        int m_stopAt;
    };
    const QByteArray bytes = u"été"_s.toUtf8() + QByteArray(3 * textReadChunk, 'a');
    for (int stopAt : {0, 1, 2, 4}) {
        TaskProgress progress;
        StoppingBuffer device(progress, stopAt);
        device.setData(bytes);
        ASSERT_TRUE(device.open(QIODevice::ReadOnly));
        const TextFileContent content = readText(device, &progress);
        EXPECT_EQ(content.status, stopAt == 0 ? TextFileContent::Status::Ok : TextFileContent::Status::Cancelled) << stopAt;
        EXPECT_EQ(content.text.size(), stopAt == 0 ? bytes.size() - 2 : 0); // é is two bytes
        EXPECT_TRUE(std::is_sorted(device.seen.begin(), device.seen.end()));
        EXPECT_EQ(progress.done(), stopAt == 0 ? bytes.size() : device.seen.back());
    }
}
