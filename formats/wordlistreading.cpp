// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/wordlistreading.h"

#include "platform/files/nativepath.h"
#include "platform/files/regularfile.h"
#include "text/textfile.h"
#include "text/encoding/windows1252.h"
#include "wordforms/letters.h"
#include "wordforms/wordlistsum.h"

#include <QBuffer>
#include <QByteArray>
#include <QIODevice>
#include <QList>

#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

namespace lexalon {
namespace {

// Eighteen digits: every count up to mostListedCount, and no more.
constexpr qsizetype mostCountDigits = 18;
// Read a piece at a time: a list is never held whole, a line only.
constexpr qsizetype pieceSize = qsizetype(1) << 16;

bool isListedForm(QStringView form)
{
    return !form.isEmpty() && std::all_of(form.begin(), form.end(), [](QChar c) {
        return isLetter(c.unicode()) && foldLetter(c.unicode()) == c.unicode();
    });
}

// A count of digits alone; -1 for anything else.
qint64 countIn(QByteArrayView field)
{
    if (field.isEmpty() || field.size() > mostCountDigits)
        return -1;
    qint64 count = 0;
    for (const char digit : field) {
        if (digit < '0' || digit > '9')
            return -1;
        count = count * 10 + (digit - '0');
    }
    return count;
}

// The parts of the bytes between separators; one more than the separators.
QList<QByteArrayView> split(QByteArrayView bytes, char separator)
{
    QList<QByteArrayView> parts;
    for (qsizetype start = 0;;) {
        const qsizetype end = bytes.indexOf(separator, start);
        if (end < 0) {
            parts.append(bytes.sliced(start));
            return parts;
        }
        parts.append(bytes.sliced(start, end - start));
        start = end + 1;
    }
}

QString lineProblem(qsizetype line, const QString &what)
{
    return u"ligne %1 : %2"_s.arg(line).arg(what);
}

// The lines of a device, without their ends (LF, or CR LF), one at a time;
// a last line end may be missing.
class LineReader
{
public:
    explicit LineReader(QIODevice &device)
        : m_device(device)
    {
    }

    // The line stays valid until the next call. False at the end, or when a
    // read fails.
    bool next(QByteArrayView &line)
    {
        for (;;) {
            const qsizetype end = m_buffer.indexOf('\n', m_searched);
            if (end >= 0) {
                line = QByteArrayView(m_buffer).sliced(m_start, end - m_start);
                m_start = m_searched = end + 1;
                break;
            }
            m_searched = m_buffer.size();
            if (m_ended) {
                if (m_start == m_buffer.size())
                    return false;
                line = QByteArrayView(m_buffer).sliced(m_start);
                m_start = m_searched = m_buffer.size();
                break;
            }
            readPiece();
        }
        if (line.endsWith('\r'))
            line.chop(1);
        return true;
    }

    bool failed() const { return m_failed; }

private:
    // The lines read are dropped; a line longer than the piece makes the
    // buffer grow.
    void readPiece()
    {
        m_buffer.remove(0, m_start);
        m_searched -= m_start;
        m_start = 0;
        const qsizetype held = m_buffer.size();
        if (m_buffer.capacity() < held + pieceSize)
            m_buffer.reserve(std::max(2 * m_buffer.capacity(), held + pieceSize));
        m_buffer.resize(held + pieceSize);
        const qint64 got = m_device.read(m_buffer.data() + held, pieceSize);
        m_buffer.resize(held + std::max<qint64>(got, 0));
        m_ended = got <= 0;
        m_failed = got < 0;
    }

    QIODevice &m_device;
    QByteArray m_buffer;
    qsizetype m_start = 0;
    qsizetype m_searched = 0;
    bool m_ended = false;
    bool m_failed = false;
};

// A list of several texts that Windows-1252 cannot hold is in UTF-8, after
// its byte-order mark; its texts' names are the system's bytes for them.
QString decoded(QByteArrayView field, bool utf8)
{
    return utf8 ? QString::fromUtf8(field) : decodeWindows1252(field);
}

SavedWordList readWordList(QIODevice &device)
{
    SavedWordList saved;
    LineReader lines(device);
    QByteArrayView line;
    const bool hasHeading = lines.next(line);
    const bool utf8 = hasHeading && line.startsWith(utf8ByteOrderMark);
    if (utf8)
        line = line.sliced(utf8ByteOrderMark.size());
    const QList<QByteArrayView> headingFields = hasHeading ? split(line, '\t') : QList<QByteArrayView>();
    if (headingFields.size() < 2 || decoded(headingFields[0], utf8) != QStringView(formsHeading)
        || decoded(headingFields[1], utf8) != QStringView(countHeading)) {
        saved.problem = lines.failed() ? device.errorString()
                                       : u"ce n'est pas une liste de formes enregistrée par Lexalon (la première ligne n'est pas « %1 », "
                                         u"tabulation, « %2 »)."_s.arg(QStringView(formsHeading), QStringView(countHeading));
        return saved;
    }
    const qsizetype fieldCount = headingFields.size();
    const bool hasColumns = fieldCount > 2;
    WordListSum sum;
    if (hasColumns) {
        for (qsizetype column = 2; column < fieldCount; ++column)
            sum.addColumn(utf8 ? pathFromNative(headingFields[column]) : decodeWindows1252(headingFields[column]));
    } else {
        sum.addColumn({});
    }
    std::vector<qint64> counts;
    for (qsizetype lineNumber = 2; lines.next(line); ++lineNumber) {
        const QList<QByteArrayView> fields = split(line, '\t');
        if (fields.size() != fieldCount) {
            saved.problem = lineProblem(lineNumber, u"%1 colonnes au lieu de %2."_s.arg(fields.size()).arg(fieldCount));
            return saved;
        }
        const QString form = decoded(fields[0], utf8);
        if (!isListedForm(form)) {
            saved.problem = lineProblem(lineNumber, u"« %1 » n'est pas une forme de la liste."_s.arg(form));
            return saved;
        }
        counts.clear();
        for (qsizetype field = 1; field < fields.size(); ++field) {
            counts.push_back(countIn(fields[field]));
            if (counts.back() < 0) {
                saved.problem = lineProblem(lineNumber, u"« %1 » n'est pas un nombre d'attestations."_s.arg(decoded(fields[field], utf8)));
                return saved;
            }
        }
        qint64 columnsTotal = 0;
        bool summed = true;
        for (size_t column = 1; column < counts.size(); ++column)
            summed = summed && !__builtin_add_overflow(columnsTotal, counts[column], &columnsTotal);
        if (counts[0] == 0 || (hasColumns && (!summed || columnsTotal != counts[0]))) {
            saved.problem = lineProblem(lineNumber, u"le nombre d'attestations de « %1 » n'est pas la somme de ses colonnes."_s.arg(form));
            return saved;
        }
        // Each count is at most mostListedCount, and so is the total of the
        // columns: only a form seen before can pass it.
        bool added = hasColumns || sum.add(form, counts[0], 0);
        for (size_t column = 1; hasColumns && added && column < counts.size(); ++column) {
            if (counts[column] != 0)
                added = sum.add(form, counts[column], qsizetype(column - 1));
        }
        if (!added || sum.forms() != lineNumber - 1) {
            saved.problem = lineProblem(lineNumber, u"la forme « %1 » figure déjà plus haut."_s.arg(form));
            return saved;
        }
    }
    if (lines.failed()) {
        saved.problem = device.errorString();
        return saved;
    }
    saved.list = sum.take(hasColumns);
    return saved;
}

} // namespace

SavedWordList parseWordList(QByteArrayView bytes)
{
    QByteArray held = QByteArray::fromRawData(bytes.data(), bytes.size());
    QBuffer buffer(&held);
    buffer.open(QIODevice::ReadOnly);
    return readWordList(buffer);
}

SavedWordList readWordListFile(const QString &path)
{
    RegularFile file(path);
    if (!file.openForReading())
        return {WordList(), file.errorString()};
    return readWordList(file);
}

} // namespace lexalon
