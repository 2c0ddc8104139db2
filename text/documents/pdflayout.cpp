// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/documents/pdflayout.h"

#include "text/documents/textassembler.h"

#include <QHash>
#include <QSet>

#include <array>

namespace lexalon {
namespace {

// Pages fewer than this never make a line a running one.
constexpr size_t minimumRunningPages = 3;
// The pages of one chapter's running header are at most this far apart:
// the next page, or the one after when headers alternate.
constexpr size_t chapterHeaderGap = 2;
// A header, then a page number under it.
constexpr int runningLinesAtEachEnd = 2;

bool isHyphen(QChar c)
{
    return c == u'-' || c == u'\u2010' || c == u'\u00AD';
}

// Spaces left out: their detection varies with the width of the digits.
QString runningKey(const QString &line)
{
    QString key;
    for (const QChar c : line) {
        if (c.isDigit() && !key.endsWith(u'#'))
            key += u'#';
        else if (!c.isDigit() && !c.isSpace())
            key += c;
    }
    return key;
}

enum class End { First, Last };

QString &endLine(PageLines &page, End end)
{
    return end == End::First ? page.first() : page.last();
}

void dropEndLine(PageLines &page, End end)
{
    do {
        if (end == End::First)
            page.removeFirst();
        else
            page.removeLast();
    } while (!page.isEmpty() && endLine(page, end).isEmpty());
}

// The pages, in order, whose end line has each key.
QHash<QString, std::vector<size_t>> pagesByKey(std::vector<PageLines> &pages, End end)
{
    QHash<QString, std::vector<size_t>> pagesOfKey;
    for (size_t i = 0; i < pages.size(); ++i) {
        if (!pages[i].isEmpty())
            pagesOfKey[runningKey(endLine(pages[i], end))].push_back(i);
    }
    return pagesOfKey;
}

// On more than half the pages of one parity.
bool isOnMostPages(const std::vector<size_t> &at, const std::array<size_t, 2> &pagesOfParity)
{
    std::array<size_t, 2> count{};
    for (const size_t page : at)
        ++count[page % 2];
    return at.size() >= minimumRunningPages
        && (2 * count[0] > pagesOfParity[0] || 2 * count[1] > pagesOfParity[1]);
}

void dropRunningEnd(std::vector<PageLines> &pages, End end)
{
    std::array<size_t, 2> pagesOfParity{};
    for (size_t i = 0; i < pages.size(); ++i)
        pagesOfParity[i % 2] += pages[i].isEmpty() ? 0 : 1;
    std::vector<bool> running(pages.size());
    const QHash<QString, std::vector<size_t>> pagesOfKey = pagesByKey(pages, end);
    for (const std::vector<size_t> &at : pagesOfKey) {
        const bool everywhere = isOnMostPages(at, pagesOfParity);
        // Or a chapter's own header: pages in a row, or every other page.
        for (size_t first = 0, last = 1; first < at.size(); first = last++) {
            while (last < at.size() && at[last] - at[last - 1] <= chapterHeaderGap)
                ++last;
            for (size_t i = first; i < last; ++i)
                running[at[i]] = everywhere || last - first >= minimumRunningPages;
        }
    }
    for (size_t i = 0; i < pages.size(); ++i) {
        if (running[i])
            dropEndLine(pages[i], end);
    }
}

// The words written with a hyphen inside a line, in lower case.
QSet<QString> hyphenatedWords(const std::vector<PageLines> &pages)
{
    QSet<QString> words;
    for (const PageLines &page : pages) {
        for (const QString &line : page) {
            for (const QStringView word : QStringView(line).split(u' ', Qt::SkipEmptyParts)) {
                qsizetype start = 0, end = word.size();
                while (start < end && !word[start].isLetter())
                    ++start;
                while (end > start && !word[end - 1].isLetter())
                    --end;
                const QStringView inner = word.sliced(start, end - start);
                if (inner.contains(u'-'))
                    words.insert(inner.toString().toLower());
            }
        }
    }
    return words;
}

// The letters that end, or start, a text.
QStringView lastWord(QStringView text)
{
    qsizetype start = text.size();
    while (start > 0 && text[start - 1].isLetter())
        --start;
    return text.sliced(start);
}

QStringView firstWord(QStringView text)
{
    qsizetype end = 0;
    while (end < text.size() && text[end].isLetter())
        ++end;
    return text.first(end);
}

bool continuesWord(const QString &line, const QString &next)
{
    return line.size() >= 2 && isHyphen(line.back()) && line[line.size() - 2].isLetter() && !next.isEmpty()
        && next.front().isLower();
}

// The pages' lines, joined by the hyphen rule, as paragraphs.
class LineJoiner
{
public:
    explicit LineJoiner(const std::vector<PageLines> &pages)
        : m_compounds(hyphenatedWords(pages))
    {
        for (const PageLines &page : pages) {
            for (const QString &line : page)
                m_entries.push_back({line.isEmpty() ? Kind::BlockEnd : Kind::Line, line});
            m_entries.push_back({Kind::PageEnd, {}});
        }
    }

    QString text()
    {
        TextAssembler text;
        for (size_t i = 0; i < m_entries.size(); ++i) {
            if (m_entries[i].kind != Kind::Line) {
                text.endParagraph();
                continue;
            }
            QString line = m_entries[i].text;
            for (size_t next = nextLine(i); next != 0 && continuesWord(line, m_entries[next].text); next = nextLine(i)) {
                line = joined(line, m_entries[next].text);
                i = next;
            }
            text.addText(line);
            text.breakLine();
        }
        return text.finish();
    }

private:
    enum class Kind { Line, BlockEnd, PageEnd };

    struct Entry
    {
        Kind kind;
        QString text;
    };

    bool isLine(size_t i) const { return i < m_entries.size() && m_entries[i].kind == Kind::Line; }

    // The line after line i on its page, or first on the next page; 0 when
    // a block ends or nothing follows.
    size_t nextLine(size_t i) const
    {
        if (isLine(i + 1))
            return i + 1;
        if (i + 1 < m_entries.size() && m_entries[i + 1].kind == Kind::PageEnd && isLine(i + 2))
            return i + 2;
        return 0;
    }

    QString joined(const QString &line, const QString &next) const
    {
        const QStringView left = lastWord(QStringView(line).chopped(1));
        QString compound = left.toString();
        compound += u'-';
        compound += firstWord(next);
        compound = compound.toLower();
        const bool keepHyphen = line.back() != u'\u00AD' && m_compounds.contains(compound);
        return (keepHyphen ? line : line.chopped(1)) + next;
    }

    QSet<QString> m_compounds;
    std::vector<Entry> m_entries;
};

} // namespace

PageLines pageLines(QStringView pageText)
{
    PageLines lines;
    for (const QStringView raw : pageText.split(u'\n')) {
        const QString line = raw.trimmed().toString();
        if (!line.isEmpty() || (!lines.isEmpty() && !lines.last().isEmpty()))
            lines.append(line);
    }
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void dropRunningLines(std::vector<PageLines> &pages)
{
    for (const End end : {End::First, End::Last}) {
        for (int round = 0; round < runningLinesAtEachEnd; ++round)
            dropRunningEnd(pages, end);
    }
}

QString joinPages(const std::vector<PageLines> &pages)
{
    return LineJoiner(pages).text();
}

} // namespace lexalon
