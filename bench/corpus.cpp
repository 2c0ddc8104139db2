// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/corpus.h"

#include "text/encoding/windows1252.h"

#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <set>
#include <string>
#include <vector>

namespace lexalon::bench {
namespace {

// splitmix64: small, fast and the same everywhere, unlike the standard
// distributions.
class Random
{
public:
    explicit Random(quint64 seed)
        : m_state(seed)
    {
    }

    quint64 next()
    {
        quint64 z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    quint64 below(quint64 bound) { return next() % bound; }
    double unit() { return double(next() >> 11) * 0x1.0p-53; }
    bool chance(double probability) { return unit() < probability; }

private:
    quint64 m_state;
};

// The most frequent words of French prose, most frequent first.
constexpr const char16_t *commonWords[] = {
    u"de", u"la", u"le", u"et", u"à", u"les", u"des", u"en", u"un", u"du", u"une", u"que", u"est",
    u"il", u"pour", u"qui", u"dans", u"a", u"par", u"plus", u"pas", u"au", u"sur", u"ne", u"se",
    u"ce", u"elle", u"sont", u"avec", u"son", u"on", u"aux", u"ou", u"mais", u"comme", u"été",
    u"nous", u"ses", u"tout", u"leur", u"sa", u"ils", u"cette", u"y", u"fait", u"être", u"même",
    u"très", u"bien", u"sans", u"où", u"peut", u"ces", u"deux", u"dont", u"entre", u"encore",
    u"après", u"avait", u"était", u"lui", u"vous", u"je", u"tous", u"alors", u"là", u"déjà",
    u"toujours", u"jamais", u"rien", u"chaque", u"peu", u"moins", u"fois", u"ainsi", u"cœur",
    u"vie", u"monde", u"jour", u"homme", u"œuvre", u"père", u"mère", u"côté", u"première",
    u"année", u"ville", u"pays", u"façon", u"août", u"noël", u"naïve", u"forêt", u"fenêtre",
    u"hôtel", u"île", u"goût", u"sœur", u"ça", u"voilà", u"pourquoi", u"quand", u"aussi",
};

// Words that lose their vowel before a vowel: le été → l'été.
constexpr const char16_t *elidingWords[] = {u"le", u"la", u"de", u"que", u"ne", u"se", u"je", u"ce"};

constexpr const char16_t *onsets[] = {
    u"b", u"c", u"ch", u"d", u"f", u"g", u"gr", u"j", u"l", u"m", u"n", u"p", u"pr", u"r", u"s", u"t",
    u"tr", u"v", u"br", u"pl",
};
constexpr const char16_t *nuclei[] = {
    u"a", u"e", u"i", u"o", u"u", u"é", u"è", u"ê", u"â", u"ô", u"ou", u"ai", u"au", u"eu",
    u"oi", u"an", u"on", u"in", u"œu", u"î", u"û", u"ï",
};
constexpr const char16_t *codas[] = {u"", u"", u"", u"", u"r", u"s", u"l", u"n", u"rt", u"st"};
constexpr const char16_t *endings[] = {
    u"", u"", u"e", u"s", u"es", u"ent", u"ment", u"tion", u"ité", u"age", u"ère", u"ette",
    u"eur", u"ée", u"és", u"ait", u"ière", u"ça", u"ès",
};

// Forms beyond the common words, and the shape of Zipf's law over them all.
constexpr int inventedWords = 50000;
constexpr double zipfExponent = 1.0;
constexpr double zipfOffset = 5.0;

// How the prose is laid out.
constexpr double commaChance = 0.12;
constexpr double hyphenChance = 0.006;
constexpr double numberChance = 0.004;
constexpr double paragraphChance = 0.12;
constexpr int shortestSentence = 6;
constexpr int sentenceSpread = 20;
constexpr int lineWidth = 74;

template<typename T, size_t N>
const T &pick(const T (&items)[N], Random &random)
{
    return items[random.below(N)];
}

QByteArray windows1252(const char16_t *text)
{
    return encodeWindows1252(QStringView(text));
}

bool startsWithVowel(const QByteArray &word)
{
    static const QByteArray vowels = windows1252(u"aeiouyhéèêàâîôœ");
    return !word.isEmpty() && vowels.contains(word.at(0));
}

// Capitals of Windows-1252: a to z, à to þ except ÷, and œ.
char upper(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    constexpr unsigned char lowerOe = 0x9C;
    constexpr unsigned char upperOe = 0x8C;
    if ((byte >= 'a' && byte <= 'z') || (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7))
        return char(byte - 0x20);
    return byte == lowerOe ? char(upperOe) : c;
}

QByteArray inventWord(Random &random)
{
    QString word;
    const int syllables = 2 + int(random.below(4));
    for (int s = 0; s < syllables; ++s) {
        word += QStringView(pick(onsets, random));
        word += QStringView(pick(nuclei, random));
        if (s + 1 < syllables)
            word += QStringView(pick(codas, random));
    }
    word += QStringView(pick(endings, random));
    return encodeWindows1252(word);
}

// Common words first, then invented ones, shorter ones more frequent.
std::vector<QByteArray> vocabulary(Random &random)
{
    std::vector<QByteArray> words;
    std::set<QByteArray> seen;
    for (const char16_t *word : commonWords) {
        QByteArray bytes = windows1252(word);
        if (seen.insert(bytes).second)
            words.push_back(bytes);
    }
    std::vector<std::pair<double, QByteArray>> invented;
    while (invented.size() < size_t(inventedWords)) {
        QByteArray word = inventWord(random);
        if (seen.insert(word).second)
            invented.emplace_back(double(word.size()) + 4.0 * random.unit(), word);
    }
    std::sort(invented.begin(), invented.end());
    for (auto &entry : invented)
        words.push_back(std::move(entry.second));
    return words;
}

// Draws ranks after Zipf's law in constant time (Walker's alias method).
class ZipfSampler
{
public:
    explicit ZipfSampler(size_t ranks)
        : m_keep(ranks)
        , m_alias(ranks)
    {
        std::vector<double> weight(ranks);
        double sum = 0;
        for (size_t r = 0; r < ranks; ++r) {
            weight[r] = 1.0 / std::pow(double(r) + zipfOffset, zipfExponent);
            sum += weight[r];
        }
        std::vector<size_t> small;
        std::vector<size_t> large;
        for (size_t r = 0; r < ranks; ++r) {
            weight[r] *= double(ranks) / sum;
            (weight[r] < 1.0 ? small : large).push_back(r);
        }
        while (!small.empty() && !large.empty()) {
            const size_t s = small.back();
            small.pop_back();
            const size_t l = large.back();
            m_keep[s] = weight[s];
            m_alias[s] = quint32(l);
            weight[l] -= 1.0 - weight[s];
            if (weight[l] < 1.0) {
                large.pop_back();
                small.push_back(l);
            }
        }
        for (const size_t r : small)
            m_keep[r] = 1.0;
        for (const size_t r : large)
            m_keep[r] = 1.0;
    }

    size_t rank(Random &random) const
    {
        const size_t r = size_t(random.below(m_keep.size()));
        return random.unit() < m_keep[r] ? r : m_alias[r];
    }

private:
    std::vector<double> m_keep;
    std::vector<quint32> m_alias;
};

// Lays words out as prose: sentences, punctuation, lines and paragraphs.
class ProseWriter
{
public:
    ProseWriter(QByteArray &out, Random &random)
        : m_out(out)
        , m_random(random)
    {
        startSentence();
    }

    void word(const QByteArray &word, bool elided)
    {
        const qsizetype start = m_out.size();
        if (elided) {
            m_out.append(word.chopped(1));
            m_out.append('\'');
        } else {
            m_out.append(word);
        }
        if (m_capital)
            m_out[start] = upper(m_out[start]);
        m_capital = false;
        m_lineLength += m_out.size() - start;
        if (!elided)
            separate();
    }

private:
    void startSentence()
    {
        m_capital = true;
        m_wordsLeft = shortestSentence + int(m_random.below(sentenceSpread));
    }

    void separate()
    {
        if (--m_wordsLeft == 0) {
            endSentence();
            return;
        }
        if (m_random.chance(hyphenChance)) {
            m_out.append('-');
            ++m_lineLength;
        } else if (m_random.chance(numberChance)) {
            space();
            append(QByteArray::number(qulonglong(m_random.below(2000))));
            space();
        } else {
            if (m_random.chance(commaChance))
                append(",");
            space();
        }
    }

    void endSentence()
    {
        static const QByteArray endings[] = {".", ".", ".", ".", ".", " !", " ?", " ;", " :", "\x85"};
        const QByteArray &ending = pick(endings, m_random);
        append(ending);
        if (ending == " ;" || ending == " :") {
            m_wordsLeft = shortestSentence + int(m_random.below(sentenceSpread));
        } else {
            startSentence();
        }
        if (m_capital && m_random.chance(paragraphChance)) {
            m_out.append("\r\n\r\n");
            m_lineLength = 0;
        } else {
            space();
        }
    }

    void space()
    {
        if (m_lineLength >= lineWidth) {
            m_out.append("\r\n");
            m_lineLength = 0;
        } else {
            append(" ");
        }
    }

    void append(const QByteArray &bytes)
    {
        m_out.append(bytes);
        m_lineLength += bytes.size();
    }

    QByteArray &m_out;
    Random &m_random;
    qsizetype m_lineLength = 0;
    int m_wordsLeft = 0;
    bool m_capital = true;
};

} // namespace

QByteArray frenchLikeText(qint64 size, quint64 seed)
{
    Random random(seed);
    const std::vector<QByteArray> words = vocabulary(random);
    const ZipfSampler sampler(words.size());
    std::vector<bool> eliding(words.size());
    std::vector<bool> vowelFirst(words.size());
    for (size_t w = 0; w < words.size(); ++w) {
        eliding[w] = std::any_of(std::begin(elidingWords), std::end(elidingWords),
                                 [&](const char16_t *e) { return windows1252(e) == words[w]; });
        vowelFirst[w] = startsWithVowel(words[w]);
    }

    QByteArray out;
    out.reserve(size + 256);
    ProseWriter writer(out, random);
    size_t next = sampler.rank(random);
    while (out.size() < size) {
        const size_t current = next;
        next = sampler.rank(random);
        writer.word(words[current], eliding[current] && vowelFirst[next]);
    }
    out.truncate(size);
    return out;
}

namespace {

// `forms` different forms: a form is a fixed number of syllables, each one
// onset (consonants only) and one nucleus (vowels only), so that different
// syllable sequences are different forms.
std::vector<QByteArray> syllableForms(qint64 forms)
{
    constexpr qint64 syllableCount = qint64(std::size(onsets) * std::size(nuclei));
    constexpr qint64 scramble = 1000003; // prime to the syllable count
    int length = 2;
    qint64 space = syllableCount * syllableCount;
    while (space < forms) {
        space *= syllableCount;
        ++length;
    }
    std::vector<QByteArray> formBytes;
    formBytes.reserve(size_t(forms));
    for (qint64 i = 0; i < forms; ++i) {
        qint64 code = qint64((quint64(i) * scramble) % quint64(space));
        QString form;
        for (int s = 0; s < length; ++s) {
            const qint64 syllable = code % syllableCount;
            code /= syllableCount;
            form += QStringView(onsets[syllable / qint64(std::size(nuclei))]);
            form += QStringView(nuclei[syllable % qint64(std::size(nuclei))]);
        }
        formBytes.push_back(encodeWindows1252(form));
    }
    return formBytes;
}

// The tokens in shuffled order, ten a line.
QByteArray shuffledLines(const std::vector<QByteArray> &formBytes, std::vector<quint32> &tokens,
                         Random &random)
{
    for (size_t i = tokens.size(); i > 1; --i)
        std::swap(tokens[i - 1], tokens[random.below(i)]);
    constexpr int wordsPerLine = 10;
    qsizetype size = 0;
    for (const quint32 token : tokens)
        size += formBytes[token].size() + 2;
    QByteArray out;
    out.reserve(size);
    for (size_t i = 0; i < tokens.size(); ++i) {
        out.append(formBytes[tokens[i]]);
        out.append((i + 1) % wordsPerLine == 0 ? "\r\n" : " ");
    }
    return out;
}

} // namespace

QByteArray distinctFormsText(qint64 forms, quint64 seed)
{
    const std::vector<QByteArray> formBytes = syllableForms(forms);
    Random random(seed);
    const ZipfSampler sampler{size_t(forms)};
    std::vector<quint32> tokens;
    tokens.reserve(size_t(2 * forms));
    for (qint64 i = 0; i < forms; ++i) {
        tokens.push_back(quint32(i));
        tokens.push_back(quint32(sampler.rank(random)));
    }
    return shuffledLines(formBytes, tokens, random);
}

QByteArray onceEachFormText(qint64 forms, quint64 seed)
{
    const std::vector<QByteArray> formBytes = syllableForms(forms);
    Random random(seed);
    std::vector<quint32> tokens(static_cast<size_t>(forms));
    std::iota(tokens.begin(), tokens.end(), quint32(0));
    return shuffledLines(formBytes, tokens, random);
}

QByteArray savedListWithColumns(qint64 forms, int columns)
{
    const std::vector<QByteArray> formBytes = syllableForms(forms);
    QByteArray heading("Formes\tNombre d'attestations");
    for (int column = 0; column < columns; ++column)
        heading += "\ttexte" + QByteArray::number(column) + ".txt";
    QByteArray out = heading + "\r\n";
    out.reserve(out.size() + qsizetype(forms) * (2 * columns + 16));
    for (qint64 form = 0; form < forms; ++form) {
        out += formBytes[size_t(form)] + "\t1";
        for (int column = 0; column < columns; ++column)
            out += column == form % columns ? "\t1" : "\t0";
        out += "\r\n";
    }
    return out;
}

QString realFrenchTextPath()
{
    return qEnvironmentVariable("LEXALON_BENCH_FRENCH");
}

namespace {

constexpr int corpusTexts = 100;
constexpr qint64 hundredMegabytes = qint64(100) << 20;

QStringList writeHundredTexts(const QTemporaryDir &folder)
{
    QByteArray french;
    if (const QString path = realFrenchTextPath(); !path.isEmpty()) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            french = file.read(hundredMegabytes);
    }
    if (french.isEmpty())
        french = frenchLikeText(hundredMegabytes);
    QStringList paths;
    qsizetype from = 0;
    for (int text = 0; text < corpusTexts; ++text) {
        const qsizetype end = text + 1 == corpusTexts
                                  ? french.size()
                                  : french.indexOf('\n', french.size() * (text + 1) / corpusTexts) + 1;
        const QByteArray bytes = french.mid(from, end - from);
        from = end;
        QFile file(folder.filePath(QString::asprintf("texte%03d.txt", text)));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return {};
        paths.append(file.fileName());
    }
    return paths;
}

} // namespace

const QStringList &hundredTextFiles()
{
    static const QTemporaryDir folder;
    static const QStringList paths = writeHundredTexts(folder);
    return paths;
}

} // namespace lexalon::bench
