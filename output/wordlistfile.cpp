#include "output/wordlistfile.h"

#include "document/windows1252.h"
#include "platform/outputfile.h"
#include "wordforms/wordlist.h"

#include <QBuffer>
#include <QChar>
#include <QIODevice>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace lexalon {
namespace {

constexpr char unmappable = '?';
constexpr char fieldSeparator = '\t';
constexpr char lineEnd[] = {'\r', '\n'};

char encodeCharacter(char16_t c)
{
    const bool sameValue = c < windows1252::block80First || (c >= windows1252::block80End && c <= 0xFF);
    if (sameValue)
        return char(c);
    const auto *found = std::find(windows1252::block80.begin(), windows1252::block80.end(), c);
    if (found == windows1252::block80.end())
        return unmappable;
    return char(windows1252::block80First + (found - windows1252::block80.begin()));
}

// One byte per character: a surrogate pair is one character.
char *encodeInto(QStringView text, char *out)
{
    const char16_t *p = text.utf16();
    const char16_t *const end = p + text.size();
    while (p < end) {
        const char16_t c = *p++;
        if (QChar::isHighSurrogate(c) && p < end && QChar::isLowSurrogate(*p))
            ++p;
        *out++ = encodeCharacter(c);
    }
    return out;
}

// Encodes the list a piece at a time, so that a list of millions of forms,
// or one form of millions of letters, is never held whole as bytes.
class PieceWriter
{
public:
    explicit PieceWriter(QIODevice &device)
        : m_device(device)
        , m_piece(pieceSize, Qt::Uninitialized)
        , m_out(m_piece.data())
    {
    }

    bool startRow(QStringView form, QStringView count)
    {
        return writeText(form) && writeByte(fieldSeparator) && writeText(count);
    }

    bool addField(QStringView field) { return writeByte(fieldSeparator) && writeText(field); }

    bool endRow() { return writeByte(lineEnd[0]) && writeByte(lineEnd[1]); }

    bool flush()
    {
        const qint64 length = m_out - m_piece.constData();
        m_out = m_piece.data();
        return m_device.write(m_piece.constData(), length) == length;
    }

private:
    qsizetype room() const { return pieceSize - (m_out - m_piece.constData()); }

    bool writeText(QStringView text)
    {
        while (!text.isEmpty()) {
            qsizetype length = std::min(text.size(), room());
            // A surrogate pair is one character: it stays in one piece.
            if (length > 0 && length < text.size() && QChar::isHighSurrogate(text[length - 1].unicode()))
                --length;
            if (length == 0) {
                if (!flush())
                    return false;
                continue;
            }
            m_out = encodeInto(text.first(length), m_out);
            text = text.sliced(length);
        }
        return true;
    }

    bool writeByte(char byte)
    {
        if (room() == 0 && !flush())
            return false;
        *m_out++ = byte;
        return true;
    }

    static constexpr qsizetype pieceSize = qsizetype(1) << 16;

    QIODevice &m_device;
    QByteArray m_piece;
    char *m_out;
};

} // namespace

bool writeWordList(const WordList &list, QIODevice &device)
{
    PieceWriter writer(device);
    const QStringList &texts = list.textColumns();
    if (!writer.startRow(QStringView(formsHeading), QStringView(countHeading)))
        return false;
    for (const QString &text : texts) {
        if (!writer.addField(text))
            return false;
    }
    if (!writer.endRow())
        return false;
    for (qsizetype row = 0; row < list.size(); ++row) {
        if (!writer.startRow(list.form(row), QString::number(list.count(row))))
            return false;
        for (qsizetype column = 0; column < texts.size(); ++column) {
            if (!writer.addField(QString::number(list.textCount(row, column))))
                return false;
        }
        if (!writer.endRow())
            return false;
    }
    return writer.flush();
}

QByteArray wordListBytes(const WordList &list)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    writeWordList(list, buffer);
    return buffer.data();
}

QByteArray encodeWindows1252(QStringView text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    const char *end = encodeInto(text, bytes.data());
    bytes.truncate(end - bytes.constData());
    return bytes;
}

WriteOutcome writeWholeFile(const QString &path, const std::function<bool(QIODevice &)> &write)
{
    OutputFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {false, file.errorString()};
    if (!write(file)) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return {false, reason};
    }
    if (!file.commit())
        return {false, file.errorString()};
    return {};
}

} // namespace lexalon
