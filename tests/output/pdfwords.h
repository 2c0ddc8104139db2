#pragma once

// The words of a printed PDF file, read back with pdftotext.

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>

#include <vector>

namespace lexalon::testing {

using namespace Qt::StringLiterals;

struct Word
{
    int page; // from 1
    QString text;
    qreal xMin;
    qreal yMin;
    qreal yMax;
};

// The words of a PDF file with their page and box, in points, as pdftotext
// reads them back.
inline std::vector<Word> wordsOf(const QString &pdf)
{
    const QString pdftotext = QStandardPaths::findExecutable(u"pdftotext"_s);
    if (pdftotext.isEmpty())
        return {};
    QProcess process;
    process.start(pdftotext, {u"-bbox"_s, pdf, u"-"_s});
    if (!process.waitForFinished() || process.exitCode() != 0)
        return {};
    const QString html = QString::fromUtf8(process.readAllStandardOutput());

    static const QRegularExpression element(
        uR"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="([\d.]+)">([^<]*)</word>)re"_s);
    std::vector<Word> words;
    int page = 0;
    for (const QRegularExpressionMatch &match : element.globalMatch(html)) {
        if (match.captured(0) == u"<page "_s) {
            ++page;
            continue;
        }
        words.push_back({page, match.captured(4), match.captured(1).toDouble(),
                         match.captured(2).toDouble(), match.captured(3).toDouble()});
    }
    return words;
}

// For each page, the numbers of the rows of a numbered list it holds.
using PageRows = std::vector<std::vector<int>>;

inline PageRows rowsByPage(const std::vector<Word> &words)
{
    PageRows pages;
    for (const Word &word : words) {
        if (!word.text.startsWith(u"forme"_s))
            continue;
        pages.resize(size_t(word.page));
        pages[size_t(word.page - 1)].push_back(word.text.mid(5).toInt());
    }
    return pages;
}

inline std::vector<int> range(int first, int last)
{
    std::vector<int> rows;
    for (int r = first; r <= last; ++r)
        rows.push_back(r);
    return rows;
}

} // namespace lexalon::testing
