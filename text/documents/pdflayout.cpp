// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/documents/pdflayout.h"

#include "text/documents/paragraphwriter.h"

#include <QHash>
#include <QSet>

#include <array>

namespace lexalon {
namespace {

// Pages fewer than this never make a line a running one.
constexpr int minimumRunningPages = 3;
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
    if (end == End::First)
        page.removeFirst();
    else
        page.removeLast();
    while (!page.isEmpty() && endLine(page, end).isEmpty())
        dropEndLine(page, end);
}

void dropRunningEnd(std::vector<PageLines> &pages, End end)
{
    std::array<int, 2> pagesOfParity{};
    std::array<QHash<QString, int>, 2> counts;
    std::vector<QString> keys(pages.size());
    for (size_t i = 0; i < pages.size(); ++i) {
        if (pages[i].isEmpty())
            continue;
        keys[i] = runningKey(endLine(pages[i], end));
        ++pagesOfParity[i % 2];
        ++counts[i % 2][keys[i]];
    }
    const auto running = [&](const QString &key) {
        const int odd = counts[0].value(key), even = counts[1].value(key);
        return odd + even >= minimumRunningPages && (2 * odd > pagesOfParity[0] || 2 * even > pagesOfParity[1]);
    };
    for (size_t i = 0; i < pages.size(); ++i) {
        if (!pages[i].isEmpty() && running(keys[i]))
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
        ParagraphWriter writer;
        for (size_t i = 0; i < m_entries.size(); ++i) {
            if (m_entries[i].kind != Kind::Line) {
                writer.endParagraph();
                continue;
            }
            QString line = m_entries[i].text;
            for (size_t next = nextLine(i); next != 0 && continuesWord(line, m_entries[next].text); next = nextLine(i)) {
                line = joined(line, m_entries[next].text);
                i = next;
            }
            writer.write(line);
            writer.breakLine();
        }
        return writer.take();
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
