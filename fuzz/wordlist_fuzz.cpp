// SPDX-License-Identifier: GPL-3.0-or-later
// Any text through the analysis and both orderings: the word list must hold
// each form of the text once with its number of attestations, in each order;
// the tokens kept for the concordance must name their forms where the text
// writes them, and each concordance must hold every attestation in each sort.
#include "fuzz/fuzzcheck.h"
#include "tests/support/plainformcount.h"
#include "text/encoding/windows1252.h"
#include "wordforms/analysis.h"
#include "wordforms/concordance.h"
#include "wordforms/letters.h"
#include "wordforms/textorder.h"
#include "wordforms/wordlist.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

using namespace Qt::StringLiterals;

namespace lexalon::fuzz {
namespace {

enum class Decoding : unsigned char { Windows1252, Utf16, Utf8 };
constexpr int decodings = 3;

// The first byte says how the others become a text: as a file read in
// Windows-1252, as raw UTF-16 code units (lone surrogates and every letter
// beyond Latin-1 included), or as UTF-8.
QString textOf(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return QString();
    const auto *rest = reinterpret_cast<const char *>(data + 1);
    const auto length = qsizetype(size - 1);
    switch (Decoding(data[0] % decodings)) {
    case Decoding::Windows1252:
        return decodeWindows1252(QByteArrayView(rest, length));
    case Decoding::Utf16: {
        QString text(length / 2, Qt::Uninitialized);
        for (qsizetype i = 0; i < text.size(); ++i)
            text[i] = QChar(char16_t(data[1 + 2 * i] | data[2 + 2 * i] << 8));
        return text;
    }
    case Decoding::Utf8:
        return QString::fromUtf8(rest, length);
    }
    return QString();
}

struct Row
{
    QString form;
    QString count;

    bool operator==(const Row &) const = default;
};

std::vector<Row> formRows(const WordList &list)
{
    std::vector<Row> rows;
    for (qsizetype r = 0; r < list.size(); ++r)
        rows.push_back({list.form(r).toString(), QString::number(list.count(r))});
    return rows;
}

bool isLowerCaseForm(const QString &form)
{
    if (form.isEmpty())
        return false;
    for (const QChar ch : form) {
        if (!isLetter(ch.unicode()) || foldLetter(ch.unicode()) != ch.unicode())
            return false;
    }
    return true;
}

void checkAlphabetical(const std::vector<Row> &rows, const testing::FormCounts &expected)
{
    const TextOrder &order = TextOrder::french();
    require(rows.size() == expected.size(), "one row a different form");
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Row &row = rows[i];
        require(isLowerCaseForm(row.form), "every form is lower-case letters");
        const auto found = expected.find(row.form.toStdU16String());
        require(found != expected.end(), "every form is in the text");
        require(row.count == QString::number(found->second), "the count is its attestations in plain digits");
        if (i > 0) {
            require(order.compare(rows[i - 1].form, row.form) < 0, "forms ascend, each once");
            require(order.compare(row.form, rows[i - 1].form) > 0, "the order is antisymmetric");
        }
    }
}

void checkByFrequency(const std::vector<Row> &rows, const std::vector<Row> &alphabetical)
{
    require(rows.size() == alphabetical.size(), "sorting keeps every row");
    for (std::size_t i = 1; i < rows.size(); ++i)
        require(rows[i - 1].count.toLongLong() >= rows[i].count.toLongLong(), "counts decrease");
    std::map<QString, QString> a;
    std::map<QString, QString> b;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        a.emplace(rows[i].form, rows[i].count);
        b.emplace(alphabetical[i].form, alphabetical[i].count);
    }
    require(a == b, "sorting moves whole rows");
}

void checkWordList(QStringView text)
{
    const testing::FormCounts expected = testing::countFormsPlainly(text);
    const qint64 total = testing::totalOf(expected);

    WordList list = analyseText(text);
    require(list.totalCount() == total, "the counts sum to the total");
    require(list.size() == qsizetype(expected.size()), "one row a different form");

    const std::vector<Row> alphabetical = formRows(list);
    checkAlphabetical(alphabetical, expected);

    list.sort(WordList::Order::DecreasingFrequency);
    checkByFrequency(formRows(list), alphabetical);
    list.sort(WordList::Order::Alphabetical);
    require(formRows(list) == alphabetical, "the alphabetical order comes back whole");
}

void checkConcordance(QStringView text, const TextAnalysis &analysis, qsizetype row)
{
    Concordance concordance(text, analysis.tokens, analysis.list.rank(row));
    require(concordance.size() == analysis.list.count(row), "one line an attestation");
    for (auto order : {Concordance::Order::FirstLeft, Concordance::Order::SecondLeft, Concordance::Order::FirstRight,
                       Concordance::Order::SecondRight, Concordance::Order::Text}) {
        concordance.sort(order);
        for (qsizetype r = 0; r < concordance.size(); ++r)
            require(concordance.rowOf(concordance.attestation(r)) == r, "a sort moves every attestation once");
    }
    for (qsizetype a = 0; a < concordance.size(); ++a) {
        const ConcordanceLine line = concordance.line(a, Concordance::mostWords);
        require(listedForm(line.form) == analysis.list.form(row), "the line's form is the form");
        for (const QString &context : {line.left, line.right})
            require(!context.contains(u'\t') && !context.contains(u'\r') && !context.contains(u'\n'), "a line stays one line");
        const TextSpan paragraph = concordance.paragraph(a);
        const TextSpan form = concordance.span(a);
        require(paragraph.begin <= form.begin && form.end <= paragraph.end, "the paragraph holds its form");
        require(concordance.nearest(form.begin) == a, "the nearest attestation to a form's start is itself");
    }
}

void checkTokens(QStringView text, const WordList &list)
{
    const TextAnalysis analysis = analyseTextWithTokens(text);
    require(formRows(analysis.list) == formRows(list), "keeping the tokens lists the same forms");
    for (qsizetype token = 0; token < analysis.tokens.size(); ++token) {
        const QStringView form = analysis.list.form(analysis.tokens.rank(token));
        require(listedForm(text.sliced(analysis.tokens.start(token), form.size())) == form, "a token starts its form");
    }
    if (analysis.list.size() > 0) {
        checkConcordance(text, analysis, 0);
        checkConcordance(text, analysis, analysis.list.size() - 1);
    }
}

} // namespace
} // namespace lexalon::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = lexalon::fuzz::textOf(data, size);
    lexalon::fuzz::checkWordList(text);
    lexalon::fuzz::checkTokens(text, lexalon::analyseText(text));
    return 0;
}
