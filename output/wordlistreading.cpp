#include "output/wordlistreading.h"

#include "document/textfile.h"
#include "platform/regularfile.h"
#include "wordforms/letters.h"
#include "wordforms/wordlistsum.h"

#include <QList>

#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

namespace lexalon {
namespace {

// Fifteen digits: no sum of lists that memory can hold reaches 2^63.
constexpr qsizetype mostCountDigits = 15;

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

} // namespace

SavedWordList parseWordList(QByteArrayView bytes)
{
    SavedWordList saved;
    QList<QByteArrayView> lines = split(bytes, '\n');
    if (lines.constLast().isEmpty())
        lines.removeLast();
    for (QByteArrayView &line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    const QList<QByteArrayView> heading = lines.isEmpty() ? QList<QByteArrayView>() : split(lines.constFirst(), '\t');
    if (heading.size() < 2 || decodeWindows1252(heading[0]) != QStringView(formsHeading)
        || decodeWindows1252(heading[1]) != QStringView(countHeading)) {
        saved.problem = u"ce n'est pas une liste de formes enregistrée par Lexalon (la première ligne n'est pas « %1 », "
                        u"tabulation, « %2 »)."_s.arg(QStringView(formsHeading), QStringView(countHeading));
        return saved;
    }
    const bool hasColumns = heading.size() > 2;
    WordListSum sum;
    if (hasColumns) {
        for (qsizetype column = 2; column < heading.size(); ++column)
            sum.addColumn(decodeWindows1252(heading[column]));
    } else {
        sum.addColumn({});
    }
    std::vector<qint64> counts;
    for (qsizetype index = 1; index < lines.size(); ++index) {
        const qsizetype lineNumber = index + 1;
        const QList<QByteArrayView> fields = split(lines[index], '\t');
        if (fields.size() != heading.size()) {
            saved.problem = lineProblem(lineNumber, u"%1 colonnes au lieu de %2."_s.arg(fields.size()).arg(heading.size()));
            return saved;
        }
        const QString form = decodeWindows1252(fields[0]);
        if (!isListedForm(form)) {
            saved.problem = lineProblem(lineNumber, u"« %1 » n'est pas une forme de la liste."_s.arg(form));
            return saved;
        }
        counts.clear();
        for (qsizetype field = 1; field < fields.size(); ++field) {
            counts.push_back(countIn(fields[field]));
            if (counts.back() < 0) {
                saved.problem = lineProblem(lineNumber, u"« %1 » n'est pas un nombre d'attestations."_s.arg(decodeWindows1252(fields[field])));
                return saved;
            }
        }
        qint64 columnsTotal = 0;
        for (size_t column = 1; column < counts.size(); ++column)
            columnsTotal += counts[column];
        if (counts[0] == 0 || (hasColumns && columnsTotal != counts[0])) {
            saved.problem = lineProblem(lineNumber, u"le nombre d'attestations de « %1 » n'est pas la somme de ses colonnes."_s.arg(form));
            return saved;
        }
        if (!hasColumns) {
            sum.add(form, counts[0], 0);
        } else {
            for (size_t column = 1; column < counts.size(); ++column) {
                if (counts[column] != 0)
                    sum.add(form, counts[column], qsizetype(column - 1));
            }
        }
        if (sum.forms() != lineNumber - 1) {
            saved.problem = lineProblem(lineNumber, u"la forme « %1 » figure déjà plus haut."_s.arg(form));
            return saved;
        }
    }
    saved.list = sum.take(hasColumns);
    return saved;
}

SavedWordList readWordListFile(const QString &path)
{
    RegularFile file(path);
    if (!file.openForReading())
        return {WordList(), file.errorString()};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {WordList(), file.errorString()};
    return parseWordList(bytes);
}

} // namespace lexalon
