#include "support/testfiles.h"
#include "document/textfile.h"

#include "../support/iconv_windows1252.h"
#include "../support/qt_printers.h"

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include <sys/stat.h>
#include <unistd.h>

using namespace lexalon;
using namespace Qt::StringLiterals;
using lexalon::testing::Windows1252Oracle;

namespace {

using Status = TextFileContent::Status;

const QByteArray utf8Bom("\xEF\xBB\xBF");
const QByteArray utf16LeBom("\xFF\xFE");
const QByteArray utf16BeBom("\xFE\xFF");

QByteArray utf16Le(const QString &text)
{
    return QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
}

QByteArray utf16Be(const QString &text)
{
    QByteArray bytes = utf16Le(text);
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
        std::swap(bytes[i], bytes[i + 1]);
    return bytes;
}

// The five bytes Windows-1252 leaves undefined, read as the C1 controls of
// the same value.
constexpr std::array<unsigned char, 5> undefinedBytes = {0x81, 0x8D, 0x8F, 0x90, 0x9D};

// What each byte should read as, from the C library's code page.
QString expectedWindows1252(const QByteArray &bytes)
{
    static const std::array<char16_t, 256> table = [] {
        Windows1252Oracle oracle;
        std::array<char16_t, 256> t{};
        for (int b = 0; b < 256; ++b)
            t[size_t(b)] = oracle.character(static_cast<unsigned char>(b)).value_or(char16_t(b));
        return t;
    }();
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes)
        text.append(QChar(table[static_cast<unsigned char>(byte)]));
    return text;
}

TextFileContent readBytes(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return readText(buffer);
}

class TextFileTest : public ::testing::Test
{
protected:
    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(lexalon::testing::writeBytes(path, bytes));
        return path;
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(TextFileTest, EveryHighByteIsItsWindows1252Character)
{
    Windows1252Oracle oracle;
    ASSERT_TRUE(oracle.ready());
    QByteArray bytes;
    for (int b = 0x80; b <= 0xFF; ++b)
        bytes.append(char(b));

    const TextFileContent content = readTextFile(write(u"haut.txt"_s, bytes));

    ASSERT_TRUE(content.ok());
    EXPECT_EQ(content.encoding, TextEncoding::Windows1252);
    ASSERT_EQ(content.text.size(), bytes.size());
    int undefinedSeen = 0;
    for (int b = 0x80; b <= 0xFF; ++b) {
        SCOPED_TRACE(b);
        const char16_t read = content.text.at(b - 0x80).unicode();
        const std::optional<char16_t> expected = oracle.character(static_cast<unsigned char>(b));
        if (expected) {
            EXPECT_EQ(read, *expected);
        } else {
            EXPECT_EQ(read, char16_t(b));
            ++undefinedSeen;
        }
    }
    EXPECT_EQ(undefinedSeen, int(undefinedBytes.size()));
}

TEST_F(TextFileTest, LengthIsSizeAndLineEndsAndControlsStay)
{
    static constexpr char raw[] = "Premi\xE8re ligne\r\n\tdeux\x00\x1A\rtrois\nfin\xA0\r\n";
    const QByteArray bytes(raw, sizeof raw - 1);

    const TextFileContent content = readTextFile(write(u"lignes.txt"_s, bytes));

    ASSERT_TRUE(content.ok());
    EXPECT_EQ(content.text.size(), bytes.size());
    EXPECT_EQ(content.text, expectedWindows1252(bytes));
    EXPECT_TRUE(content.text.contains(u"\r\n\tdeux"_s));
}

TEST_F(TextFileTest, TextLongerThanManyPiecesReadsEveryByte)
{
    QByteArray bytes;
    while (bytes.size() < 3 * textReadChunk + 12345) {
        for (int b = 0; b < 256; ++b)
            bytes.append(char(b));
    }

    const TextFileContent content = readTextFile(write(u"long.txt"_s, bytes));

    ASSERT_TRUE(content.ok());
    EXPECT_EQ(content.encoding, TextEncoding::Windows1252);
    EXPECT_EQ(content.text.size(), bytes.size());
    EXPECT_TRUE(content.text == expectedWindows1252(bytes));
}

TEST_F(TextFileTest, InvalidUtf8FallsBackToWindows1252)
{
    const QByteArray cases[] = {
        "l'\xE9t\xE9",                       // Windows-1252 accents
        "caf\xC3\xA9 et \xE9t\xE9",          // valid UTF-8 first, then not
        "fin coup\xC3\xA9\xC3",              // a sequence cut by the end of the file
        "\xC0\xAF",                          // overlong form
        "\xE0\x80\xAF",                      // overlong three-byte form
        "\xED\xA0\x80",                      // a surrogate
        "\xF4\x90\x80\x80",                  // above U+10FFFF
        "\xF5\x80\x80\x80",                  // a lead byte that never occurs
        "\x80 seul",                         // a continuation byte alone
        "\xE2\x82 \xAC",                     // a sequence broken by a blank
    };
    for (const QByteArray &bytes : cases) {
        SCOPED_TRACE(bytes.toHex(' ').toStdString());
        const TextFileContent content = readBytes(bytes);
        ASSERT_TRUE(content.ok());
        EXPECT_EQ(content.encoding, TextEncoding::Windows1252);
        EXPECT_EQ(content.text, expectedWindows1252(bytes));
    }
}

// ASCII alone is Windows-1252; valid UTF-8 or a mark decides UTF-8 (only the
// first mark is the file's), UTF-16 after its mark; any Unicode text is
// composed to NFC.
TEST_F(TextFileTest, UnicodeTextsAreDecodedAndComposed)
{
    const QString text = u"L'été, 𝄞 €\r\n"_s;
    const QString longA(3000, u'a');
    const struct
    {
        QByteArray bytes;
        QString text;
        TextEncoding encoding;
    } cases[] = {
        {"Le chat et l'ane.\r\n", u"Le chat et l'ane.\r\n"_s, TextEncoding::Windows1252},
        {{}, {}, TextEncoding::Windows1252},
        {text.toUtf8(), text, TextEncoding::Utf8},
        {u"a é € 𝄞 \U0010FFFF \uFFFF \u0080"_s.toUtf8(), u"a é € 𝄞 \U0010FFFF \uFFFF \u0080"_s, TextEncoding::Utf8},
        {utf8Bom + "chat", u"chat"_s, TextEncoding::Utf8},
        {utf8Bom, {}, TextEncoding::Utf8},
        {utf8Bom + utf8Bom + "a", u"\uFEFFa"_s, TextEncoding::Utf8},
        {utf8Bom + "\xE9t\xE9", u"\uFFFDt\uFFFD"_s, TextEncoding::Utf8},
        {utf16LeBom + utf16Le(text), text, TextEncoding::Utf16},
        {utf16BeBom + utf16Be(text), text, TextEncoding::Utf16},
        {utf16LeBom, {}, TextEncoding::Utf16},
        {utf16LeBom + utf16LeBom + "a", u"\uFEFF\uFFFD"_s, TextEncoding::Utf16}, // a second mark is text; a byte alone
        {utf16BeBom + QByteArray("\xD8\x00\x00" "a", 4), QChar(0xD800) + u"a"_s, TextEncoding::Utf16}, // as Qt, kept
        {utf16LeBom + utf16Le(u"e\u0301te\u0301"_s), u"été"_s, TextEncoding::Utf16},
        {u"e\u0301te\u0301 o\u0302\u0323"_s.toUtf8(), u"été \u1ED9"_s, TextEncoding::Utf8},
        {utf8Bom + u"e\u0301"_s.toUtf8(), u"é"_s, TextEncoding::Utf8},
        {u"\u03C9\u0301 a\u03C9\u0301 \u1100\u1161"_s.toUtf8(), u"\u03CE a\u03CE \uAC00"_s, TextEncoding::Utf8},
        {(u"é’"_s + longA + u"e\u0301’"_s + longA).toUtf8(), u"é’"_s + longA + u"é’"_s + longA, TextEncoding::Utf8},
    };
    for (const auto &row : cases) {
        SCOPED_TRACE(row.bytes.left(24).toHex(' ').toStdString());
        const TextFileContent content = readBytes(row.bytes);
        ASSERT_TRUE(content.ok());
        EXPECT_EQ(content.encoding, row.encoding);
        EXPECT_TRUE(content.text == row.text);
    }
}

TEST_F(TextFileTest, WholeBufferDecodingIsWindows1252)
{
    EXPECT_EQ(decodeWindows1252("\xE9t\xE9\x9C\x81"), u"été\u0153\u0081"_s);
    EXPECT_TRUE(decodeWindows1252({}).isEmpty());
}

// Each multi-byte sequence, cut at each of its inner boundaries by the end of
// the first piece read, with and without the mark before it.
TEST_F(TextFileTest, Utf8SequenceAcrossPiecesIsDecodedWhole)
{
    const QString characters[] = {u"é"_s, u"€"_s, u"𝄞"_s};
    for (const QByteArray &mark : {QByteArray(), utf8Bom}) {
        for (const QString &character : characters) {
            const QByteArray sequence = character.toUtf8();
            for (qsizetype before = 1; before < sequence.size(); ++before) {
                SCOPED_TRACE(character.toStdString() + " cut after byte " + std::to_string(before)
                             + (mark.isEmpty() ? "" : " after the mark"));
                const qsizetype lead = textReadChunk - before - mark.size();
                const QByteArray bytes = mark + QByteArray(lead, 'a') + sequence + "fin";

                const TextFileContent content = readBytes(bytes);

                ASSERT_TRUE(content.ok());
                EXPECT_EQ(content.encoding, TextEncoding::Utf8);
                EXPECT_TRUE(content.text == QString(lead, u'a') + character + u"fin"_s);
            }
        }
    }
}

TEST_F(TextFileTest, InvalidSequenceAcrossPiecesFallsBackToWindows1252)
{
    const QByteArray bytes = QByteArray(textReadChunk - 2, 'a') + "\xE2\x82" + "A" + u"été"_s.toUtf8();

    const TextFileContent content = readBytes(bytes);

    ASSERT_TRUE(content.ok());
    EXPECT_EQ(content.encoding, TextEncoding::Windows1252);
    EXPECT_TRUE(content.text == expectedWindows1252(bytes));
}

// Where the first byte that breaks UTF-8 lies, in which piece, and what came
// before it: the whole text reads as Windows-1252 all the same.
TEST_F(TextFileTest, LateInvalidByteMakesTheWholeTextWindows1252)
{
    const QByteArray utf8 = u"déjà"_s.toUtf8();
    const QByteArray ascii(textReadChunk, 'a');
    const QByteArray cases[] = {
        ascii + ascii + "l'\xE9t\xE9",                     // ASCII pieces, then Windows-1252
        utf8 + ascii + ascii + "l'\xE9t\xE9",              // valid UTF-8 two pieces before
        ascii.left(textReadChunk - 1) + utf8 + "\xE9",      // valid UTF-8 across pieces, then not
        ascii + ascii + utf8 + "\xC3",                      // cut by the end of the file
        ascii.left(textReadChunk - 1) + "\xC3",             // cut by the end of the first piece and the file
    };
    for (const QByteArray &bytes : cases) {
        SCOPED_TRACE(bytes.right(12).toHex(' ').toStdString());
        const TextFileContent content = readBytes(bytes);
        ASSERT_TRUE(content.ok());
        EXPECT_EQ(content.encoding, TextEncoding::Windows1252);
        EXPECT_EQ(content.text.size(), bytes.size());
        EXPECT_TRUE(content.text == expectedWindows1252(bytes));
    }
}

TEST_F(TextFileTest, UnicodeOverManyPiecesMatchesTheTextWritten)
{
    const QString line = u"Élève, œuvre, 𝄞, l'été à Noël ; ça, où, île.\r\n"_s;
    QString text;
    while (text.size() < 3 * textReadChunk + 777)
        text += line;
    const std::pair<QByteArray, TextEncoding> files[] = {
        {text.toUtf8(), TextEncoding::Utf8},
        {utf16LeBom + utf16Le(text), TextEncoding::Utf16},
        {utf16BeBom + utf16Be(text), TextEncoding::Utf16},
    };
    for (const auto &[bytes, encoding] : files) {
        SCOPED_TRACE(bytes.left(2).toHex().toStdString());
        const TextFileContent content = readTextFile(write(u"long.txt"_s, bytes));
        ASSERT_TRUE(content.ok());
        EXPECT_EQ(content.encoding, encoding);
        EXPECT_TRUE(content.text == text);
    }
}

// After the mark, broken UTF-8 read in pieces decodes as the same bytes
// decoded at once, then composed.
TEST_F(TextFileTest, BrokenUtf8AfterTheMarkDecodesAsIfWhole)
{
    // Leads of characters in NFC only: Qt composes a whole text that is not
    // in a time that grows with the square of its length.
    const char alphabet[] = {'a', ' ', '\r', '\n', '\x80', '\xA9', '\xBF', '\xC3', '\xE3', '\xED', '\xF0', '\xF4', '\xFF'};
    for (const quint32 seed : {1u, 2u, 3u, 4u}) {
        SCOPED_TRACE(seed);
        QRandomGenerator random(seed);
        QByteArray body(2 * textReadChunk + 99, Qt::Uninitialized);
        for (char &byte : body)
            byte = alphabet[random.bounded(int(sizeof alphabet))];
        body[0] = 'a';

        const TextFileContent content = readBytes(utf8Bom + body);

        ASSERT_TRUE(content.ok());
        EXPECT_EQ(content.encoding, TextEncoding::Utf8);
        EXPECT_TRUE(content.text == QString::fromUtf8(body).normalized(QString::NormalizationForm_C));
    }
}

// Texts of many pieces made of ASCII and every length of UTF-8 sequence,
// some with one byte that breaks UTF-8 somewhere: each reads as UTF-8 when
// Qt calls it valid UTF-8, as Windows-1252 otherwise.
TEST_F(TextFileTest, MixedTextsReadAsTheEncodingTheyAreIn)
{
    const QByteArray pieces[] = {"a", "bc ", "\r\n", u"é"_s.toUtf8(), u"œ"_s.toUtf8(), u"€"_s.toUtf8(),
                                 u"𝄞"_s.toUtf8(), u"\uFFFD"_s.toUtf8()};
    const char breakers[] = {'\x80', '\xC3', '\xE9', '\xF8'};
    for (const quint32 seed : {11u, 12u, 13u, 14u, 15u, 16u}) {
        SCOPED_TRACE(seed);
        QRandomGenerator random(seed);
        QByteArray bytes;
        while (bytes.size() < 2 * textReadChunk + 1000)
            bytes += pieces[random.bounded(int(std::size(pieces)))];
        if (seed % 2 == 0)
            bytes[random.bounded(bytes.size())] = breakers[random.bounded(int(sizeof breakers))];

        const TextFileContent content = readBytes(bytes);

        ASSERT_TRUE(content.ok());
        if (QByteArrayView(bytes).isValidUtf8()) {
            EXPECT_EQ(content.encoding, TextEncoding::Utf8);
            EXPECT_TRUE(content.text == QString::fromUtf8(bytes));
        } else {
            EXPECT_EQ(content.encoding, TextEncoding::Windows1252);
            EXPECT_TRUE(content.text == expectedWindows1252(bytes));
        }
    }
}

TEST_F(TextFileTest, WhatIsNotARegularFileIsRefusedAtOnce)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(u"dossier.txt"_s));
    const QString fifo = m_dir.filePath(u"tube.txt"_s);
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const std::pair<QString, QString> cases[] = {
        {m_dir.filePath(u"absent.txt"_s), u"Aucun fichier ou dossier."_s},
        {m_dir.filePath(u"dossier.txt"_s), u"Ce n'est pas un fichier ordinaire : c'est un dossier."_s},
        {fifo, u"Ce n'est pas un fichier ordinaire : c'est un tube nommé (FIFO)."_s},
        {u"/dev/null"_s, u"Ce n'est pas un fichier ordinaire : c'est un périphérique en mode caractère."_s},
    };
    for (const auto &[path, reason] : cases) {
        SCOPED_TRACE(path.toStdString());
        // No program writes to the FIFO: a reader that waited for one would
        // be killed here instead of hanging the tests.
        alarm(60);
        const TextFileContent content = readTextFile(path);
        alarm(0);
        EXPECT_EQ(content.status, Status::OpenFailed);
        EXPECT_EQ(content.errorString, reason);
        EXPECT_TRUE(content.text.isEmpty());
    }
}

TEST_F(TextFileTest, UnreadableFileCannotBeOpened)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop the superuser";
    const QString path = write(u"secret.txt"_s, "texte");
    ASSERT_TRUE(QFile::setPermissions(path, {}));

    const TextFileContent content = readTextFile(path);

    EXPECT_EQ(content.status, Status::OpenFailed);
    EXPECT_FALSE(content.errorString.isEmpty());
}

namespace {

// Claims more bytes than it holds, like a file cut while it is read.
class ShrunkDevice : public QBuffer
{
public:
    qint64 size() const override { return QBuffer::size() + 10; }
};

// Fails after a number of bytes, like a disk that stops answering.
class FailingDevice : public QBuffer
{
public:
    explicit FailingDevice(qint64 failAfter)
        : m_left(failAfter)
    {
    }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        if (m_left == 0) {
            setErrorString(u"Erreur d'entrée-sortie"_s);
            return -1;
        }
        const qint64 got = QBuffer::readData(data, std::min(maxSize, m_left));
        m_left -= got;
        return got;
    }

private:
    qint64 m_left;
};

// Claims more bytes than any memory holds.
class BoundlessDevice : public QBuffer
{
public:
    qint64 size() const override { return qint64(1) << 62; }
};

} // namespace

TEST_F(TextFileTest, ReadFailuresAreReportedWithTheirReason)
{
    ShrunkDevice shrunk;
    shrunk.setData("un texte court");
    ASSERT_TRUE(shrunk.open(QIODevice::ReadOnly));
    const TextFileContent shortened = readText(shrunk);
    EXPECT_EQ(shortened.status, Status::ReadFailed);
    EXPECT_FALSE(shortened.errorString.isEmpty());
    EXPECT_TRUE(shortened.text.isEmpty());

    FailingDevice failing(textReadChunk + 5);
    failing.setData(QByteArray(3 * textReadChunk, 'a'));
    ASSERT_TRUE(failing.open(QIODevice::ReadOnly));
    const TextFileContent failed = readText(failing);
    EXPECT_EQ(failed.status, Status::ReadFailed);
    EXPECT_EQ(failed.errorString, u"Erreur d'entrée-sortie."_s);
    EXPECT_TRUE(failed.text.isEmpty());

    // The system's reason, in French: the first page of memory is not mapped.
    if (QFile::exists(u"/proc/self/mem"_s)) {
        const TextFileContent memory = readTextFile(u"/proc/self/mem"_s);
        EXPECT_EQ(memory.status, Status::ReadFailed);
        EXPECT_EQ(memory.errorString, u"Erreur d'entrée-sortie."_s);
    }
}

TEST_F(TextFileTest, FailureWhileReadingAgainIsReported)
{
    // UTF-8 at first, Windows-1252 in the second piece: the text is read again.
    const QByteArray bytes = u"été"_s.toUtf8() + QByteArray(textReadChunk, 'a') + "\xE9";
    FailingDevice failing(bytes.size() + 10);
    failing.setData(bytes);
    ASSERT_TRUE(failing.open(QIODevice::ReadOnly));

    const TextFileContent content = readText(failing);

    EXPECT_EQ(content.status, Status::ReadFailed);
    EXPECT_EQ(content.errorString, u"Erreur d'entrée-sortie."_s);
}

TEST_F(TextFileTest, TextBeyondMemoryIsTooLarge)
{
    BoundlessDevice device;
    device.setData(QByteArray(textReadChunk, 'a'));
    ASSERT_TRUE(device.open(QIODevice::ReadOnly));

    const TextFileContent content = readText(device);

    EXPECT_EQ(content.status, Status::TooLarge);
    EXPECT_FALSE(content.errorString.isEmpty());
}
