#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QString>

#include <algorithm>
#include <vector>

namespace lexalon::testing {

struct Word
{
    int page; // from 1
    QString text;
    double xMin, yMin, yMax; // points from the top left of the page
};

struct PrintedPdf
{
    int pages = -1; // -1: the file cannot be read, or pdftotext is missing
    std::vector<Word> words;
    // The rows of a numbered list on each page, and the pages of a word.
    std::vector<std::vector<int>> rowsByPage() const
    {
        std::vector<std::vector<int>> rows(size_t(std::max(pages, 0)));
        for (const Word &word : words) {
            if (word.text.startsWith(QStringLiteral("forme")))
                rows[size_t(word.page - 1)].push_back(word.text.mid(5).toInt());
        }
        return rows;
    }
    std::vector<int> pagesOf(const QString &text) const
    {
        std::vector<int> found;
        for (const Word &word : words) {
            if (word.text == text)
                found.push_back(word.page);
        }
        return found;
    }
};

inline std::vector<int> range(int first, int last)
{
    std::vector<int> numbers;
    for (int n = first; n <= last; ++n)
        numbers.push_back(n);
    return numbers;
}

// The pages of a PDF file and its words, as pdftotext reads them back.
inline PrintedPdf readPdf(const QString &pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished() || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return {};
    static const QRegularExpression element(QStringLiteral(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="([\d.]+)">([^<]*)</word>)re"));
    PrintedPdf printed{0, {}};
    for (const QRegularExpressionMatch &match : element.globalMatch(QString::fromUtf8(process.readAllStandardOutput()))) {
        if (match.captured(0) == QStringLiteral("<page "))
            ++printed.pages;
        else
            printed.words.push_back({printed.pages, match.captured(4), match.captured(1).toDouble(),
                                     match.captured(2).toDouble(), match.captured(3).toDouble()});
    }
    return printed;
}

} // namespace lexalon::testing
