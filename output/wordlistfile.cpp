#include "output/wordlistfile.h"

#include "document/windows1252.h"
#include "platform/checkedsavefile.h"
#include "wordforms/analysis.h"
#include "wordforms/wordgrid.h"

#include <QChar>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace lexalon {
namespace {

constexpr char unmappable = '?';
constexpr char fieldSeparator = '\t';
constexpr char lineEnd[] = {'\r', '\n'};
constexpr qsizetype lineOverhead = 1 + qsizetype(sizeof lineEnd);

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

} // namespace

QByteArray wordListBytes(const WordGrid &grid)
{
    const int rows = grid.Rows();
    qsizetype size = 0;
    for (int r = 0; r < rows; ++r)
        size += grid.cellText(r, formColumn).size() + grid.cellText(r, countColumn).size() + lineOverhead;
    QByteArray bytes(size, Qt::Uninitialized);
    char *out = bytes.data();
    for (int r = 0; r < rows; ++r) {
        out = encodeInto(grid.cellText(r, formColumn), out);
        *out++ = fieldSeparator;
        out = encodeInto(grid.cellText(r, countColumn), out);
        out = std::copy(std::begin(lineEnd), std::end(lineEnd), out);
    }
    bytes.truncate(out - bytes.constData());
    return bytes;
}

QByteArray encodeWindows1252(QStringView text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    const char *end = encodeInto(text, bytes.data());
    bytes.truncate(end - bytes.constData());
    return bytes;
}

WriteOutcome writeWordListFile(const WordGrid &grid, const QString &path)
{
    // The file system would cut the name at a NUL and write another file.
    if (path.contains(QChar(u'\0')))
        return {false, u"Le nom du fichier contient un caractère nul."_s};
    CheckedSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {false, file.errorString()};
    const QByteArray bytes = wordListBytes(grid);
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return {false, reason};
    }
    if (!file.commit())
        return {false, file.errorString()};
    return {};
}

} // namespace lexalon
